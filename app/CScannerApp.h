#pragma once

#include "toolkit/CWinApp.h"

#include <QString>

#include <memory>

class vnInstalledModules;
class vnSettingsStore;

// Scanlore's application object. Start-up roots the settings store and
// installs it for every part of the program, installs the modules, constructs
// the main window (which may show the first-run modules dialog), then creates
// and shows it. It handles About.
class CScannerApp : public CWinApp
{
public:
    // The user's settings store (Pellmark / Scanlore).
    CScannerApp();
    // Another store, for tests that must not touch the user's settings.
    explicit CScannerApp(std::unique_ptr<vnSettingsStore> store);
    ~CScannerApp() override;

    bool InitInstance() override;

    // Opens a channel file in the main window, as File > Open does: for a
    // file named on the command line. Returns whether it was read.
    bool OpenDocumentFile(const QString& path);

private:
    void OnAppAbout();

    std::unique_ptr<vnSettingsStore> m_settings;
    vnSettingsStore* m_previousSettings = nullptr;
    std::unique_ptr<vnInstalledModules> m_modules;
    bool m_installed = false;
};
