#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// The per-user settings store: named sections of integer and string values.
// The section with the empty name is the root. Readers supply the default for
// a missing value (or, for integers, a value that is not an integer).
class vnSettingsStore
{
public:
    virtual ~vnSettingsStore() = default;

    virtual std::int32_t GetSettingInt(const std::string& section, const std::string& name,
                                       std::int32_t defaultValue) const = 0;
    virtual bool SetSettingInt(const std::string& section, const std::string& name, std::int32_t value) = 0;
    virtual std::string GetSettingString(const std::string& section, const std::string& name,
                                         const std::string& defaultValue) const = 0;
    virtual bool SetSettingString(const std::string& section, const std::string& name, const std::string& value) = 0;
};

// A store that lives in memory only: the store in use until the application
// installs the real one, and the store of the tests.
class vnMemorySettingsStore : public vnSettingsStore
{
public:
    std::int32_t GetSettingInt(const std::string& section, const std::string& name,
                               std::int32_t defaultValue) const override
    {
        auto it = m_ints.find({section, name});
        return it == m_ints.end() ? defaultValue : it->second;
    }
    bool SetSettingInt(const std::string& section, const std::string& name, std::int32_t value) override
    {
        m_strings.erase({section, name});
        m_ints[{section, name}] = value;
        return true;
    }
    std::string GetSettingString(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const override
    {
        if (auto it = m_strings.find({section, name}); it != m_strings.end())
            return it->second;
        if (auto it = m_ints.find({section, name}); it != m_ints.end())
            return std::to_string(it->second);
        return defaultValue;
    }
    bool SetSettingString(const std::string& section, const std::string& name, const std::string& value) override
    {
        m_ints.erase({section, name});
        m_strings[{section, name}] = value;
        return true;
    }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::int32_t> m_ints;
    std::map<Key, std::string> m_strings;
};

// The store that every part of the program uses. The application installs
// its real store at start-up; tests install a temporary one. Not owned.
inline vnSettingsStore*& vnSettingsSlot()
{
    static vnMemorySettingsStore fallback;
    static vnSettingsStore* current = &fallback;
    return current;
}

inline vnSettingsStore& vnSettings()
{
    return *vnSettingsSlot();
}

// Installs a store and returns the one it replaces, so that the caller can
// put that one back. Null is ignored.
inline vnSettingsStore* vnSetSettings(vnSettingsStore* store)
{
    vnSettingsStore* previous = vnSettingsSlot();
    if (store)
        vnSettingsSlot() = store;
    return previous;
}

// Installs a store for its lifetime and then puts back the one it replaced,
// so that a test that stops half-way leaves no store of its own behind.
class vnSettingsScope
{
public:
    explicit vnSettingsScope(vnSettingsStore& store) : m_previous(vnSetSettings(&store)) {}
    ~vnSettingsScope() { vnSetSettings(m_previous); }
    vnSettingsScope(const vnSettingsScope&) = delete;
    vnSettingsScope& operator=(const vnSettingsScope&) = delete;

private:
    vnSettingsStore* m_previous;
};
