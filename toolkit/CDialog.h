#pragma once

#include "toolkit/CMessageBox.h" // IDOK, IDCANCEL
#include "toolkit/DialogControls.h"

#include <QDialog>

#include <functional>
#include <string>

// A modal dialog built from a dialog template (res/DialogTemplates.h).
//
// DoModal makes the template's controls, runs OnInitDialog (which moves the
// values into the controls through DoDataExchange) and runs the dialog until
// it ends. OK runs the exchange out of the controls and ends with IDOK;
// Cancel, Escape and the close box end with IDCANCEL without it. Clicks on
// push buttons and check boxes, and selections the user makes in drop-down
// lists, arrive at OnCommand.
//
// Tests answer dialogs through SetModalHook instead of a nested event loop.
class CDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CDialog(int templateId, QWidget* parent = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL as the dialog ended (or what the modal hook returns);
    // -1 when the template does not exist.
    int DoModal();

    // Makes the controls and initialises the dialog without running it, for
    // a dialog shown modeless. Each call starts from a fresh set of controls.
    bool Create();

    // Runs the data exchange: save = true moves the controls' contents into
    // the values, false the values into the controls.
    bool UpdateData(bool save);

    // What the OK and Cancel buttons do; public so that a modal hook can
    // press them.
    virtual void OnOK();
    virtual void OnCancel();
    // Ends the dialog with this result.
    void EndDialog(int result);

    // The control with this id; null when there is none or before Create.
    QWidget* GetDlgItem(int id) const;
    template <class T> T* GetDlgItemAs(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
    void EnableDlgItem(int id, bool enable);
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;

    int GetTemplateId() const { return m_templateId; }
    const DialogUnits& Units() const { return m_controls.Units(); }
    // The controls in template order.
    const DialogControls& Controls() const { return m_controls; }

    // While a hook is set, DoModal creates and initialises the dialog, then
    // calls the hook instead of running it, and returns the hook's result. An
    // empty function removes the hook. Returns the hook it replaces.
    using ModalHook = std::function<int(CDialog&)>;
    static ModalHook SetModalHook(ModalHook hook);

    // Sets the hook for its lifetime and then puts back the one it replaced,
    // so that a test that stops half-way leaves no hook behind.
    class ModalHookScope
    {
    public:
        explicit ModalHookScope(ModalHook hook) : m_previous(SetModalHook(std::move(hook))) {}
        ~ModalHookScope() { SetModalHook(std::move(m_previous)); }
        ModalHookScope(const ModalHookScope&) = delete;
        ModalHookScope& operator=(const ModalHookScope&) = delete;

    private:
        ModalHook m_previous;
    };

protected:
    // Base: runs the exchange into the controls. Returns true to leave the
    // focus to the first control that takes it.
    virtual bool OnInitDialog();
    // Base: exchanges nothing.
    virtual void DoDataExchange(bool save);
    // A click (DialogControls::Clicked) or a selection change
    // (DialogControls::SelChange) of control id. The base handles IDOK and
    // IDCANCEL. Returns whether the command was handled.
    virtual bool OnCommand(int id, int code);

    void accept() override;
    void reject() override;

private:
    int m_templateId;
    DialogControls m_controls;
};
