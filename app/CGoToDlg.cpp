#include "app/CGoToDlg.h"

#include "core/ChannelSearch.h"
#include "res/DialogTemplates.h"
#include "res/StringResource.h"

#include <QLineEdit>

CGoToDlg::CGoToDlg(std::int32_t firstChannel, std::int32_t lastChannel, QWidget* parent)
    : CDialog(IDD_GOTO, parent), m_first(firstChannel), m_last(lastChannel)
{}

CGoToDlg::~CGoToDlg() = default;

bool CGoToDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_GOTO_PROMPT, LoadStringText(IDS_GOTO_PROMPT).arg(m_first).arg(m_last).toStdString());
    return true;
}

void CGoToDlg::OnOK()
{
    const std::optional<std::int32_t> channel = ParseChannelNumber(GetDlgItemText(IDC_GOTO_NUMBER), m_first, m_last);
    if (channel) {
        m_channel = *channel;
        EndDialog(IDOK);
        return;
    }
    SetDlgItemText(IDC_GOTO_MESSAGE, LoadStringText(IDS_GOTO_REFUSED).arg(m_first).arg(m_last).toStdString());
    if (auto* number = GetDlgItemAs<QLineEdit>(IDC_GOTO_NUMBER)) {
        number->setFocus(Qt::OtherFocusReason);
        number->selectAll();
    }
}
