#pragma once

#include "toolkit/CCmdTarget.h"

#include <memory>

class CFrameWnd;

// The application object: last target on the command route, owner of the
// main window, and the start-up hook. One exists per run; a QApplication
// must exist first.
class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    ~CWinApp() override;

    // The application object of the run, or null.
    static CWinApp* GetApp();

    // Start-up: true when the main window has been created and shown.
    virtual bool InitInstance() { return true; }

    // Runs the message loop until the main window closes; the exit code.
    int Run();

    CFrameWnd* GetMainWnd() const { return m_mainWnd.get(); }

protected:
    // The main window, owned from here on; it lives until the application
    // object ends, so that closing it only ends the message loop.
    void SetMainWnd(std::unique_ptr<CFrameWnd> frame);
    void DestroyMainWnd();

private:
    std::unique_ptr<CFrameWnd> m_mainWnd;
    CWinApp* m_previous;
};
