#pragma once

#include <QList>
#include <QRect>

#include <vector>

class CMainFrame;
class vnSettingsStore;

// How the user left the main window: its size and position, whether it was
// maximised, which bars were shown, and which of the grid's columns were
// shown, in what order and how wide.
// Kept in the settings store's section "Window", written when the window
// closes and applied when the next one is created.
struct CWindowState
{
    QRect geometry; // not maximised, the frame's position and the window's size; null when unknown
    bool maximized = false;
    bool toolBar = true;
    bool statusBar = true;
    bool bankBar = true;
    std::vector<int> columnWidths;  // by column index; empty: the grid's own widths
    std::vector<int> columnOrder;   // column indexes left to right; empty: the grid's own order
    std::vector<int> hiddenColumns; // column indexes; the channel number's column always shows

    // The stored state; what is missing or unusable keeps the defaults.
    static CWindowState Read(const vnSettingsStore& store);
    void Write(vnSettingsStore& store) const;

    static CWindowState Capture(const CMainFrame& frame);
    // Before the window is shown: the stored place fitted to the screens; a
    // window that fills its screen in width or height opens maximised.
    void Apply(CMainFrame& frame) const;

    // A stored place fitted to the screens' available areas (the primary
    // screen's first): on the screen that holds most of it, never larger
    // than that screen and never beyond its edges. A place on no screen at
    // all goes to the middle of the primary one. Null when there are no
    // screens or nothing was stored.
    static QRect FitToScreens(const QRect& stored, const QList<QRect>& screens);
    // A stored size of a window that the system places: no larger than the
    // primary screen's available area; fallback when it is damaged.
    static QSize FitSize(const QSize& stored, const QSize& fallback);

    // Whether enough of a window at this place (its title bar) is on a
    // screen for the user to grab it.
    static bool IsOnScreen(const QRect& geometry);
};
