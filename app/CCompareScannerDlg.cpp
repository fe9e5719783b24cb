#include "app/CCompareScannerDlg.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

// Where the table stands, in dialog units: below the summary, above Close.
constexpr int kTableX = 7;
constexpr int kTableY = 27;
constexpr int kTableWidth = 326;
constexpr int kTableHeight = 153;

} // namespace

CCompareScannerDlg::CCompareScannerDlg(std::string summary, std::vector<ComparisonRow> rows, QWidget* parent)
    : CDialog(IDD_COMPARE_SCANNER, parent), m_summary(std::move(summary)), m_rows(std::move(rows))
{}

CCompareScannerDlg::~CCompareScannerDlg() = default;

bool CCompareScannerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_COMPARE_SUMMARY, m_summary);

    delete m_table;
    m_table = new QTreeWidget(this);
    m_table->setGeometry(Units().ToPixels(kTableX, kTableY, kTableWidth, kTableHeight));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({LoadStringText(IDS_COMPARE_CHANNEL), LoadStringText(IDS_COMPARE_HERE),
                              LoadStringText(IDS_COMPARE_SCANNER), LoadStringText(IDS_COMPARE_SENT)});
    m_table->setAccessibleName(LoadStringText(IDS_COMPARE_TABLE_NAME));
    for (const ComparisonRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(m_table);
        item->setText(0, QString::number(row.number));
        item->setText(1, QString::fromStdString(row.here));
        item->setText(2, QString::fromStdString(row.scanner));
        item->setText(3, QString::fromStdString(row.when));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->resizeColumnToContents(column);
    m_table->show();
    return true;
}
