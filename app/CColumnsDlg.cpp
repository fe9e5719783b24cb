#include "app/CColumnsDlg.h"

#include "grid/hvGridCtrl.h"
#include "res/DialogTemplates.h"
#include "toolkit/CListBox.h"

#include <QListWidgetItem>

namespace {

// Which entry of m_columns a list item shows.
constexpr int kEntryRole = Qt::UserRole;

} // namespace

CColumnsDlg::CColumnsDlg(std::vector<GridColumnChoice> columns, QWidget* parent)
    : CDialog(IDD_COLUMNS, parent), m_columns(std::move(columns))
{}

CColumnsDlg::~CColumnsDlg() = default;

bool CColumnsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* list = GetDlgItemAs<CListBox>(IDC_COLUMNS_LIST)) {
        list->SetCurSel(0);
        connect(list, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    }
    UpdateButtons();
    return true;
}

void CColumnsDlg::DoDataExchange(bool save)
{
    auto* list = GetDlgItemAs<CListBox>(IDC_COLUMNS_LIST);
    if (!list)
        return;
    if (!save) {
        list->clear();
        for (std::size_t entry = 0; entry < m_columns.size(); ++entry) {
            const GridColumnChoice& column = m_columns[entry];
            auto* item = new QListWidgetItem(column.title);
            item->setData(kEntryRole, static_cast<int>(entry));
            // A required column shows its tick but does not take a click.
            item->setFlags(column.required ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(column.shown || column.required ? Qt::Checked : Qt::Unchecked);
            list->addItem(item);
        }
        return;
    }
    std::vector<GridColumnChoice> columns;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        GridColumnChoice column = m_columns[static_cast<std::size_t>(item->data(kEntryRole).toInt())];
        column.shown = column.required || item->checkState() == Qt::Checked;
        columns.push_back(column);
    }
    m_columns = std::move(columns);
}

bool CColumnsDlg::OnCommand(int id, int code)
{
    if (code == DialogControls::Clicked && (id == IDC_COLUMNS_UP || id == IDC_COLUMNS_DOWN)) {
        MoveSelected(id == IDC_COLUMNS_UP ? -1 : 1);
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CColumnsDlg::MoveSelected(int step)
{
    auto* list = GetDlgItemAs<CListBox>(IDC_COLUMNS_LIST);
    if (!list)
        return;
    const int from = list->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= list->count())
        return;
    QListWidgetItem* item = list->takeItem(from);
    list->insertItem(to, item);
    list->SetCurSel(to);
    UpdateButtons();
}

void CColumnsDlg::UpdateButtons()
{
    const auto* list = GetDlgItemAs<CListBox>(IDC_COLUMNS_LIST);
    const int row = list ? list->currentRow() : -1;
    EnableDlgItem(IDC_COLUMNS_UP, row > 0);
    EnableDlgItem(IDC_COLUMNS_DOWN, row >= 0 && list && row < list->count() - 1);
}

std::vector<GridColumnChoice> CColumnsDlg::FromGrid(const hvGridCtrl& grid, int requiredColumn)
{
    std::vector<GridColumnChoice> columns;
    for (const int column : grid.GetColumnOrder())
        columns.push_back({column, grid.model()->headerData(column, Qt::Horizontal).toString(),
                           grid.IsColumnShown(column), column == requiredColumn});
    return columns;
}

void CColumnsDlg::ApplyTo(hvGridCtrl& grid, const std::vector<GridColumnChoice>& columns)
{
    std::vector<int> order;
    for (const GridColumnChoice& column : columns) {
        order.push_back(column.column);
        grid.SetColumnShown(column.column, column.shown || column.required);
    }
    grid.SetColumnOrder(order);
}
