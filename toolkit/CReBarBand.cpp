#include "toolkit/CReBarBand.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolBar>

CReBarBand::CReBarBand(QWidget* bar, QWidget* parent) : QToolBar(parent), m_child(bar)
{
    setMovable(true);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    addWidget(bar);
    bar->installEventFilter(this);
}

bool CReBarBand::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_child) {
        if (event->type() == QEvent::ShowToParent)
            setVisible(true);
        else if (event->type() == QEvent::HideToParent)
            setVisible(false);
    }
    return QToolBar::eventFilter(watched, event);
}

void CReBarBand::paintEvent(QPaintEvent*)
{
    QPainter painter(this);

    // The gradient spans the rebar (the window's top area), not the band.
    const QWidget* area = parentWidget() ? parentWidget() : this;
    const int top = mapTo(area, QPoint(0, 0)).y();
    QLinearGradient gradient(0, -top, 0, -top + qMax(height(), 1));
    gradient.setColorAt(0, palette().color(QPalette::Light));
    gradient.setColorAt(1, palette().color(QPalette::Button));
    painter.fillRect(rect(), gradient);

    QStyleOptionToolBar option;
    initStyleOption(&option);
    if (option.features & QStyleOptionToolBar::Movable) {
        QStyleOption handle = option;
        handle.rect = style()->subElementRect(QStyle::SE_ToolBarHandle, &option, this);
        if (handle.rect.isValid())
            style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &handle, &painter, this);
    }
}
