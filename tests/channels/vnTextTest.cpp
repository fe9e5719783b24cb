#include "channels/vnText.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

// The tests answer as the C library does in the C locale, for every byte,
// whatever locale the process runs in.
TEST(vnText, CharacterClassesAsInTheCLocale)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool blank = byte < 128 && std::isspace(byte);
        const bool digit = byte < 128 && std::isdigit(byte);
        EXPECT_EQ(vnText::IsBlank(c), blank) << byte;
        EXPECT_EQ(vnText::IsDigit(c), digit) << byte;
    }
}

TEST(vnText, TrimBlanksKeepsInnerBlanks)
{
    EXPECT_EQ(vnText::TrimBlanks(" \t\v\fa b\r\n"), "a b");
    EXPECT_EQ(vnText::TrimBlanks("x"), "x");
    EXPECT_EQ(vnText::TrimBlanks(" \n "), "");
}

TEST(vnText, SkipBlanksAndSignStopsAtTheNumber)
{
    struct Case
    {
        const char* text;
        bool negative;
        std::size_t at;
    };
    for (const Case& c : {Case{" \t-12", true, 3}, Case{"+7", false, 1}, Case{"  42", false, 2}, Case{" - 1", true, 2},
                          Case{"--1", true, 1}, Case{"x-1", false, 0}, Case{"   ", false, 3}}) {
        std::size_t at = 0;
        EXPECT_EQ(vnText::SkipBlanksAndSign(c.text, at), c.negative) << c.text;
        EXPECT_EQ(at, c.at) << c.text;
    }
}

TEST(vnText, EqualsNoCaseFoldsAsciiLettersOnly)
{
    EXPECT_TRUE(vnText::EqualsNoCase("Yes", "yES"));
    EXPECT_TRUE(vnText::EqualsNoCase("", ""));
    EXPECT_FALSE(vnText::EqualsNoCase("yes", "ye"));
    EXPECT_FALSE(vnText::EqualsNoCase("@", "`")); // 0x20 apart, as 'A' and 'a' are
    EXPECT_FALSE(vnText::EqualsNoCase("\xC4", "\xE4"));
}

} // namespace
