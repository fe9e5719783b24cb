#include "app/CSortDlg.h"

#include "res/DialogTemplates.h"

#include <QAbstractButton>

using ChannelArrange::SortKey;
using ChannelArrange::SortScope;

CSortDlg::CSortDlg(const ChannelArrange::SortOrder& initial, bool canSortSelection, QWidget* parent)
    : CDialog(IDD_SORT, parent), m_order(initial), m_canSortSelection(canSortSelection)
{}

CSortDlg::~CSortDlg() = default;

bool CSortDlg::IsChecked(int id) const
{
    const auto* button = GetDlgItemAs<QAbstractButton>(id);
    return button && button->isChecked();
}

void CSortDlg::Check(int id)
{
    if (auto* button = GetDlgItemAs<QAbstractButton>(id))
        button->setChecked(true);
}

bool CSortDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Check(m_order.key == SortKey::Frequency         ? IDC_SORT_FREQUENCY
              : m_order.key == SortKey::Description ? IDC_SORT_DESCRIPTION
                                                    : IDC_SORT_CAR_NUMBER);
    Check(m_order.descending ? IDC_SORT_DESCENDING : IDC_SORT_ASCENDING);
    EnableDlgItem(IDC_SORT_SELECTION, m_canSortSelection);
    if (m_order.scope == SortScope::Selection && !m_canSortSelection)
        m_order.scope = SortScope::WholeList;
    Check(m_order.scope == SortScope::Selection      ? IDC_SORT_SELECTION
              : m_order.scope == SortScope::EachBank ? IDC_SORT_EACH_BANK
                                                     : IDC_SORT_WHOLE_LIST);
    return true;
}

void CSortDlg::OnOK()
{
    m_order.key = IsChecked(IDC_SORT_DESCRIPTION) ? SortKey::Description
        : IsChecked(IDC_SORT_CAR_NUMBER)          ? SortKey::CarNumber
                                                  : SortKey::Frequency;
    m_order.descending = IsChecked(IDC_SORT_DESCENDING);
    m_order.scope = IsChecked(IDC_SORT_SELECTION) ? SortScope::Selection
        : IsChecked(IDC_SORT_EACH_BANK)           ? SortScope::EachBank
                                                  : SortScope::WholeList;
    EndDialog(IDOK);
}
