#pragma once

#include "modules/vnSettingsStore.h"

// A settings store over another one: values set here answer for this run
// only and are never written through, so options of one command line do not
// become the stored settings.
class OverlaySettingsStore : public vnSettingsStore
{
public:
    explicit OverlaySettingsStore(const vnSettingsStore& stored) : m_stored(stored) {}

    std::int32_t GetSettingInt(const std::string& section, const std::string& name,
                               std::int32_t defaultValue) const override;
    bool SetSettingInt(const std::string& section, const std::string& name, std::int32_t value) override;
    std::string GetSettingString(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const override;
    bool SetSettingString(const std::string& section, const std::string& name, const std::string& value) override;

private:
    bool Has(const std::string& section, const std::string& name) const;

    const vnSettingsStore& m_stored;
    vnMemorySettingsStore m_overrides;
};
