#pragma once

#include <QToolBar>

class CFrameWnd;

// A row of command buttons loaded from a toolbar resource, with the
// desktop theme's icons or the program's own.
// Flat and transparent: it paints no background of its own, so it takes on
// the look of the band that holds it. Each button shows its command's
// tooltip and, while the pointer rests on it, the command's prompt in the
// status bar; the owner frame greys the buttons of unhandled commands.
class CToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CToolBar(CFrameWnd* owner);

    // Adds the buttons of toolbar resource id; false when there is none.
    bool LoadToolBar(int resourceId);

    // The button action of a command, or null.
    QAction* FindButton(int id) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CFrameWnd* m_owner;
};
