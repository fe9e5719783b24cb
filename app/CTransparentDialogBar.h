#pragma once

#include "toolkit/CDialogBar.h"

// The bank bar: "Bank:" and a drop-down list (id 1013) from template 128.
// It paints no background of its own, so the band it sits in shows through,
// wherever the band is dragged. Its contents are put in by the main window.
class CTransparentDialogBar : public CDialogBar
{
    Q_OBJECT

public:
    explicit CTransparentDialogBar(QWidget* parent = nullptr);
    ~CTransparentDialogBar() override;

protected:
    void moveEvent(QMoveEvent* event) override;
};
