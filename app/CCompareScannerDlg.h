#pragma once

#include "core/ScannerComparison.h"
#include "toolkit/CDialog.h"

#include <string>
#include <vector>

class QTreeWidget;

// Compare with Scanner: the channels that differ from what the scanner's
// record says it holds, one line each: the channel, what it is here, what
// the scanner holds and when that was sent.
class CCompareScannerDlg : public CDialog
{
    Q_OBJECT

public:
    CCompareScannerDlg(std::string summary, std::vector<ComparisonRow> rows, QWidget* parent = nullptr);
    ~CCompareScannerDlg() override;

    // The table, once the dialog is made; for tests.
    QTreeWidget* GetTable() const { return m_table; }

protected:
    bool OnInitDialog() override;

private:
    std::string m_summary;
    std::vector<ComparisonRow> m_rows;
    QTreeWidget* m_table = nullptr;
};
