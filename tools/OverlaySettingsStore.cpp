#include "tools/OverlaySettingsStore.h"

namespace {
// No stored value reads back as this.
const std::string kMissing("\x01missing\x01", 9);
} // namespace

bool OverlaySettingsStore::Has(const std::string& section, const std::string& name) const
{
    return m_overrides.GetSettingString(section, name, kMissing) != kMissing;
}

std::int32_t OverlaySettingsStore::GetSettingInt(const std::string& section, const std::string& name,
                                                 std::int32_t defaultValue) const
{
    if (Has(section, name))
        return m_overrides.GetSettingInt(section, name, defaultValue);
    return m_stored.GetSettingInt(section, name, defaultValue);
}

bool OverlaySettingsStore::SetSettingInt(const std::string& section, const std::string& name, std::int32_t value)
{
    return m_overrides.SetSettingInt(section, name, value);
}

std::string OverlaySettingsStore::GetSettingString(const std::string& section, const std::string& name,
                                                   const std::string& defaultValue) const
{
    if (Has(section, name))
        return m_overrides.GetSettingString(section, name, defaultValue);
    return m_stored.GetSettingString(section, name, defaultValue);
}

bool OverlaySettingsStore::SetSettingString(const std::string& section, const std::string& name,
                                            const std::string& value)
{
    return m_overrides.SetSettingString(section, name, value);
}
