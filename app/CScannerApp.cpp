#include "app/CScannerApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "modules/gre1/ui/vnGre1PropertiesDlg.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnSettingsStore.h"
#include "res/AppIcon.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "settings/CSettingsStore.h"
#include "toolkit/CMessageBox.h"

#include <QApplication>

CScannerApp::CScannerApp() : CScannerApp(nullptr) {}

CScannerApp::CScannerApp(std::unique_ptr<vnSettingsStore> store) : m_settings(std::move(store))
{
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

CScannerApp::~CScannerApp()
{
    // The window goes first: nothing may reach the store or the modules
    // after they are uninstalled.
    DestroyMainWnd();
    m_modules.reset();
    if (m_installed)
        vnSetSettings(m_previousSettings);
}

bool CScannerApp::InitInstance()
{
    if (!CWinApp::InitInstance())
        return false;
    QApplication::setWindowIcon(LoadAppIcon(IDR_MAINFRAME));
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pellmark.Scanlore"));

    // The settings store, rooted at Pellmark / Scanlore, and the modules,
    // each with the dialog it shows for its properties, in list order.
    if (!m_settings)
        m_settings = std::make_unique<CSettingsStore>();
    if (!m_installed) {
        m_previousSettings = vnSetSettings(m_settings.get());
        m_modules = std::make_unique<vnInstalledModules>(std::vector<vnModuleFactory>{
            vnGre1Module::Factory(std::make_shared<vnGre1PropertiesDlgEditor>()),
        });
        m_installed = true;
    }

    // Constructing the frame runs the first-run check, before any window.
    auto frame = std::make_unique<CMainFrame>();
    CMainFrame* mainFrame = frame.get();
    SetMainWnd(std::move(frame));
    if (!mainFrame->LoadFrame(IDR_MAINFRAME)) {
        DestroyMainWnd();
        CMessageBox::Show(nullptr, LoadStringText(IDS_STARTUP_ERROR), CMessageBox::Error);
        return false;
    }
    mainFrame->show();
    return true;
}

bool CScannerApp::OpenDocumentFile(const QString& path)
{
    auto* frame = static_cast<CMainFrame*>(GetMainWnd());
    return frame && frame->OpenChannelFile(path);
}

void CScannerApp::OnAppAbout()
{
    CAboutDlg dialog(GetMainWnd());
    dialog.DoModal();
}
