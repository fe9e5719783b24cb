#pragma once

#include "toolkit/DialogControls.h"

#include <QWidget>

#include <string>

// A bar whose contents come from a dialog template without a frame: a child
// widget of the template's size holding the template's controls, for a
// toolbar or rebar band. Button clicks and list selections reach OnCommand.
class CDialogBar : public QWidget
{
    Q_OBJECT

public:
    CDialogBar(int templateId, QWidget* parent = nullptr);
    ~CDialogBar() override;

    // The control with this id; null when there is none.
    QWidget* GetDlgItem(int id) const { return m_controls.GetItem(id); }
    template <class T> T* GetDlgItemAs(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
    int GetTemplateId() const { return m_templateId; }
    const DialogUnits& Units() const { return m_controls.Units(); }
    // The controls in template order.
    const DialogControls& Controls() const { return m_controls; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // Base: nothing. Returns whether the command was handled.
    virtual bool OnCommand(int id, int code);

private:
    int m_templateId;
    DialogControls m_controls;
};
