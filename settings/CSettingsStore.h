#pragma once

#include "modules/vnSettingsStore.h"

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store: the INI file Pellmark/Scanlore.conf in the
// user's configuration folder through QSettings, and on Windows the registry
// key Software\Pellmark\Scanlore through the registry store that
// scanlore-upload.exe reads, so that both keep every value, text that is not
// UTF-8 included, in the same form. One group per section; the
// section with the empty name is the root.
//
// Every operation opens the store afresh and every write is flushed at once,
// so nothing is cached and another store object on the same file, or the next
// run, sees each value as soon as it is written.
class CSettingsStore : public vnSettingsStore
{
public:
    // The user's store, rooted at organisation "Pellmark", application "Scanlore".
    CSettingsStore();
    // An INI file at the given path: for tests, which never touch the
    // user's real settings.
    explicit CSettingsStore(const QString& iniFilePath);

    std::int32_t GetSettingInt(const std::string& section, const std::string& name,
                               std::int32_t defaultValue) const override;
    bool SetSettingInt(const std::string& section, const std::string& name, std::int32_t value) override;
    std::string GetSettingString(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const override;
    bool SetSettingString(const std::string& section, const std::string& name, const std::string& value) override;

private:
    std::unique_ptr<QSettings> Open() const;

    QString m_iniFilePath; // empty: the user's native store
    // On Windows the user's store is the registry store of scanlore-upload.exe.
    std::unique_ptr<vnSettingsStore> m_registry;
};
