#include "app/CGoToDlg.h"

#include "app/ChannelSearch.h"
#include "res/DialogTemplates.h"

#include <QLineEdit>

#include <string>

CGoToDlg::CGoToDlg(std::int32_t firstChannel, std::int32_t lastChannel, QWidget* parent)
    : CDialog(IDD_GOTO, parent), m_first(firstChannel), m_last(lastChannel)
{}

CGoToDlg::~CGoToDlg() = default;

bool CGoToDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_GOTO_PROMPT,
                   "&Channel number (" + std::to_string(m_first) + "-" + std::to_string(m_last) + "):");
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
    SetDlgItemText(IDC_GOTO_MESSAGE,
                   "Type a whole number from " + std::to_string(m_first) + " to " + std::to_string(m_last) + ".");
    if (auto* number = GetDlgItemAs<QLineEdit>(IDC_GOTO_NUMBER)) {
        number->setFocus(Qt::OtherFocusReason);
        number->selectAll();
    }
}
