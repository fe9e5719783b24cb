#include "toolkit/CWinApp.h"

#include "res/ResourceIds.h"
#include "toolkit/CFrameWnd.h"

#include <QApplication>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() : m_previous(g_app)
{
    g_app = this;
    // Exit closes the main window; the loop ends when it has closed.
    OnCommand(ID_APP_EXIT, [this] {
        if (m_mainWnd)
            m_mainWnd->close();
    });
}

CWinApp::~CWinApp()
{
    m_mainWnd.reset();
    if (g_app == this)
        g_app = m_previous;
}

CWinApp* CWinApp::GetApp()
{
    return g_app;
}

int CWinApp::Run()
{
    return QApplication::exec();
}

void CWinApp::SetMainWnd(std::unique_ptr<CFrameWnd> frame)
{
    m_mainWnd = std::move(frame);
}

void CWinApp::DestroyMainWnd()
{
    m_mainWnd.reset();
}
