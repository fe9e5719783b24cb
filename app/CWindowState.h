#pragma once

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
    // Before the window is shown. A position that lies off every screen is
    // not used, so the window comes up where the system puts new windows.
    void Apply(CMainFrame& frame) const;

    // Whether enough of a window at this place (its title bar) is on a
    // screen for the user to grab it.
    static bool IsOnScreen(const QRect& geometry);
};
