#include "app/CTransparentDialogBar.h"

#include "res/ResourceIds.h"

#include <QMoveEvent>

CTransparentDialogBar::CTransparentDialogBar(QWidget* parent) : CDialogBar(IDD_BANK_BAR, parent)
{
    // The bar and its label fill nothing: what the parent paints under them
    // stays visible. Only the drop-down list draws itself.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_StyledBackground, false);
}

CTransparentDialogBar::~CTransparentDialogBar() = default;

// The parent's background under the bar changes with the bar's place (a
// gradient along the band, say): repaint it at the new place.
void CTransparentDialogBar::moveEvent(QMoveEvent* event)
{
    CDialogBar::moveEvent(event);
    update();
}
