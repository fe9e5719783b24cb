#pragma once

#include "modules/vnSettingsStore.h"

#include <string>

// The per-user settings store in the Windows registry, where the window's
// QSettings store keeps the same values on Windows: the key
// HKEY_CURRENT_USER\Software\<company>\<application>, one subkey per section
// (the section with the empty name is the key itself), integers as 32-bit
// values (REG_DWORD) and strings as strings (REG_SZ). Text is UTF-8 here and
// UTF-16 in the registry; bytes that are not UTF-8 are kept as they are, in a
// binary value (REG_BINARY).
//
// Nothing is cached: every read asks the registry, every write reaches it
// at once, so the next run and every other program see it.
class vnRegistrySettingsStore : public vnSettingsStore
{
public:
    static constexpr const char* Company = "Pellmark";
    static constexpr const char* Application = "Scanlore";

    // The user's store, rooted at Software\Pellmark\Scanlore. Tests root
    // theirs elsewhere.
    explicit vnRegistrySettingsStore(const std::string& company = Company,
                                     const std::string& application = Application);

    // A 32-bit value, or a string of decimal digits as a person may type it
    // into the registry editor; anything else gives the default.
    std::int32_t GetSettingInt(const std::string& section, const std::string& name,
                               std::int32_t defaultValue) const override;
    bool SetSettingInt(const std::string& section, const std::string& name, std::int32_t value) override;
    // A string, the bytes of a binary value, or a 32-bit value as decimal
    // text; anything else gives the default.
    std::string GetSettingString(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const override;
    // Text that is not UTF-8 goes into a binary value.
    bool SetSettingString(const std::string& section, const std::string& name, const std::string& value) override;

    // The key below HKEY_CURRENT_USER that holds a section.
    std::string KeyPath(const std::string& section) const;

private:
    std::string m_root; // Software\<company>\<application>
};
