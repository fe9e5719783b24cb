#pragma once

#include <QToolBar>

// One band of the rebar: a movable strip with a gripper that holds one bar
// (the toolbar, the bank bar). It paints the rebar's background, a gradient
// fixed to the rebar rather than to the band, so that bars without a
// background of their own blend in wherever the band is dragged. The band
// is shown and hidden with the bar it holds.
class CReBarBand : public QToolBar
{
    Q_OBJECT

public:
    CReBarBand(QWidget* bar, QWidget* parent);

    QWidget* GetChild() const { return m_child; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_child;
};
