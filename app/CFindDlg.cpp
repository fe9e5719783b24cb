#include "app/CFindDlg.h"

#include "res/AcceleratorResource.h"
#include "res/DialogTemplates.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QShortcut>

bool FindRequest::Matches(const QString& cell) const
{
    if (what.isEmpty())
        return false;
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return wholeCell ? cell.compare(what, sensitivity) == 0 : cell.contains(what, sensitivity);
}

CFindDlg::CFindDlg(QWidget* parent) : CDialog(IDD_FIND, parent)
{
    setModal(false);
    // The main window's keys for repeating a search work here too, where the
    // focus stays after Find Next.
    for (const AcceleratorResource& accelerator : FindAcceleratorResource(IDR_MAINFRAME)) {
        if (accelerator.command != ID_EDIT_FIND_NEXT && accelerator.command != ID_EDIT_FIND_PREVIOUS)
            continue;
        const bool reverse = accelerator.command == ID_EDIT_FIND_PREVIOUS;
        auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, reverse] { emit FindNext(reverse); });
    }
}

CFindDlg::~CFindDlg() = default;

bool CFindDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* down = GetDlgItemAs<QAbstractButton>(IDC_FIND_DOWN))
        down->setChecked(true);
    return true;
}

void CFindDlg::ShowFind()
{
    if (!GetDlgItem(IDC_FIND_WHAT))
        Create();
    show();
    raise();
    activateWindow();
    if (auto* what = GetDlgItemAs<QLineEdit>(IDC_FIND_WHAT)) {
        what->setFocus(Qt::OtherFocusReason);
        what->selectAll();
    }
}

FindRequest CFindDlg::GetRequest() const
{
    const auto checked = [this](int id) {
        const auto* box = GetDlgItemAs<QAbstractButton>(id);
        return box && box->isChecked();
    };
    FindRequest request;
    request.what = QString::fromStdString(GetDlgItemText(IDC_FIND_WHAT));
    request.matchCase = checked(IDC_FIND_MATCH_CASE);
    request.wholeCell = checked(IDC_FIND_WHOLE_CELL);
    request.down = !checked(IDC_FIND_UP);
    return request;
}

void CFindDlg::OnOK()
{
    emit FindNext(false);
}

void CFindDlg::OnCancel()
{
    hide();
}
