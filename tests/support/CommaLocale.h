#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

// Puts the German decimal-comma locale in force for its lifetime, as Qt
// does for a German user, and restores the previous one.
class CommaLocale
{
public:
    CommaLocale() : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        // The POSIX name, then the names Windows knows it by.
        for (const char* name : {"de_DE.UTF-8", "de-DE", "German_Germany.1252"}) {
            m_active = std::setlocale(LC_ALL, name) != nullptr;
            if (m_active)
                break;
        }
    }
    ~CommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

// Skips the running test where the comma locale is not installed.
#define SKIP_WITHOUT_COMMA_LOCALE(locale)                                                                              \
    if (!(locale).Active())                                                                                            \
    GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine (scripts/install-deps makes it)"
