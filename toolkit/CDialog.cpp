#include "toolkit/CDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace {

CDialog::ModalHook& Hook()
{
    static CDialog::ModalHook hook;
    return hook;
}

} // namespace

CDialog::CDialog(int templateId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_templateId(templateId)
{}

CDialog::~CDialog() = default;

CDialog::ModalHook CDialog::SetModalHook(ModalHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

bool CDialog::Create()
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId);
    if (!dialogTemplate)
        return false;

    m_controls.Build(*dialogTemplate, *this, [this](int id, int code) { OnCommand(id, code); });
    setWindowTitle(QString::fromUtf8(dialogTemplate->caption));
    setFixedSize(m_controls.ClientSize());
    setResult(0);

    if (OnInitDialog()) {
        if (QWidget* first = m_controls.FirstTabStop())
            first->setFocus(Qt::TabFocusReason);
    }
    return true;
}

int CDialog::DoModal()
{
    if (!Create())
        return -1;
    // A copy: the hook may replace itself while it runs.
    if (ModalHook hook = Hook())
        return hook(*this);
    return exec();
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(bool) {}

bool CDialog::UpdateData(bool save)
{
    DoDataExchange(save);
    return true;
}

bool CDialog::OnCommand(int id, int code)
{
    if (code != DialogControls::Clicked)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    QDialog::done(result);
}

// Enter on the default button and QDialog's own paths end up here.
void CDialog::accept()
{
    OnOK();
}

// Escape and the close box.
void CDialog::reject()
{
    OnCancel();
}

QWidget* CDialog::GetDlgItem(int id) const
{
    return m_controls.GetItem(id);
}

void CDialog::EnableDlgItem(int id, bool enable)
{
    if (QWidget* item = GetDlgItem(id))
        item->setEnabled(enable);
}

void CDialog::SetDlgItemText(int id, const std::string& text)
{
    const QString value = QString::fromStdString(text);
    QWidget* item = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(item))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(item))
        button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(item))
        group->setTitle(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(item))
        edit->setText(value);
}

std::string CDialog::GetDlgItemText(int id) const
{
    QWidget* item = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(item))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(item))
        return button->text().toStdString();
    if (auto* group = qobject_cast<QGroupBox*>(item))
        return group->title().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(item))
        return edit->text().toStdString();
    return {};
}
