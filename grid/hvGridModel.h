#pragma once

#include <QAbstractTableModel>

#include <string>
#include <vector>

class hvGridCtrlOwner;

// The grid's item model. In owner-data mode it holds only the row count and
// the column definitions and answers every display request by asking the
// owner; otherwise it also keeps each cell's text.
class hvGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    hvGridModel(hvGridCtrlOwner* owner, QObject* parent = nullptr);

    void SetOwner(hvGridCtrlOwner* owner) { m_owner = owner; }
    void SetOwnerData(bool ownerData) { m_ownerData = ownerData; }
    bool IsOwnerData() const { return m_ownerData; }

    int InsertColumn(int index, const QString& title, int format);
    // A check-box column shows the owner's check state as a box.
    void SetColumnCheckBox(int column, bool checkBox);
    bool IsColumnCheckBox(int column) const;
    void SetColumnFormat(int column, int format);
    int GetColumnFormat(int column) const;

    int InsertRow(int row);
    void RemoveAllRows();
    // Every row may differ and there are count of them.
    void ResetRows(int count);
    void RowsChanged(int first, int last);

    std::string GetText(int row, int column) const;
    void SetText(int row, int column, const std::string& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Takes a column's name for screen readers (Qt::AccessibleTextRole) where
    // its title alone does not say it ("#").
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Column
    {
        QString title;
        int format = 0;
        bool checkBox = false;
        QString accessibleTitle; // empty: the title
    };

    static Qt::Alignment AlignmentOf(int format);
    // The start of a text, as much as a cell can show.
    static QString ShownText(const std::string& text);

    hvGridCtrlOwner* m_owner; // not owned
    bool m_ownerData = true;
    int m_rowCount = 0;
    std::vector<Column> m_columns;
    // Only without owner data: the texts, row by row.
    std::vector<std::vector<std::string>> m_texts;
};
