#include "grid/hvGridModel.h"

#include "grid/hvGridCtrl.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

hvGridModel::hvGridModel(hvGridCtrlOwner* owner, QObject* parent) : QAbstractTableModel(parent), m_owner(owner) {}

Qt::Alignment hvGridModel::AlignmentOf(int format)
{
    // The lowest two bits: 0 left, 1 right, 2 and 3 centre.
    switch (format & 3) {
    case 0:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    }
}

int hvGridModel::InsertColumn(int index, const QString& title, int format)
{
    const int count = static_cast<int>(m_columns.size());
    if (index < 0)
        return -1;
    if (index > count)
        index = count;
    beginInsertColumns(QModelIndex(), index, index);
    m_columns.insert(m_columns.begin() + index, Column{title, format, false, {}});
    for (auto& row : m_texts)
        row.insert(row.begin() + index, std::string());
    endInsertColumns();
    return index;
}

void hvGridModel::SetColumnFormat(int column, int format)
{
    if (column < 0 || column >= static_cast<int>(m_columns.size()))
        return;
    m_columns[static_cast<std::size_t>(column)].format = format;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (m_rowCount > 0)
        emit dataChanged(index(0, column), index(m_rowCount - 1, column), {Qt::TextAlignmentRole});
}

int hvGridModel::GetColumnFormat(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_columns.size()))
        return 0;
    return m_columns[static_cast<std::size_t>(column)].format;
}

int hvGridModel::InsertRow(int row)
{
    if (row < 0)
        return -1;
    if (row > m_rowCount)
        row = m_rowCount;
    beginInsertRows(QModelIndex(), row, row);
    ++m_rowCount;
    if (!m_ownerData)
        m_texts.insert(m_texts.begin() + row, std::vector<std::string>(m_columns.size()));
    endInsertRows();
    return row;
}

void hvGridModel::RemoveAllRows()
{
    beginResetModel();
    m_rowCount = 0;
    m_texts.clear();
    endResetModel();
}

void hvGridModel::ResetRows(int count)
{
    beginResetModel();
    m_rowCount = std::max(count, 0);
    if (!m_ownerData)
        m_texts.assign(static_cast<std::size_t>(m_rowCount), std::vector<std::string>(m_columns.size()));
    endResetModel();
}

void hvGridModel::RowsChanged(int first, int last)
{
    if (first < 0)
        first = 0;
    if (last >= m_rowCount)
        last = m_rowCount - 1;
    if (first > last || m_columns.empty())
        return;
    emit dataChanged(index(first, 0), index(last, static_cast<int>(m_columns.size()) - 1), {Qt::DisplayRole});
}

void hvGridModel::SetColumnCheckBox(int column, bool checkBox)
{
    if (column >= 0 && column < static_cast<int>(m_columns.size()))
        m_columns[static_cast<std::size_t>(column)].checkBox = checkBox;
}

bool hvGridModel::IsColumnCheckBox(int column) const
{
    return column >= 0 && column < static_cast<int>(m_columns.size()) &&
        m_columns[static_cast<std::size_t>(column)].checkBox;
}

std::string hvGridModel::GetText(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= static_cast<int>(m_columns.size()))
        return {};
    if (m_ownerData)
        return m_owner ? m_owner->GetDispInfoText(row, column) : std::string();
    return m_texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void hvGridModel::SetText(int row, int column, const std::string& text)
{
    if (m_ownerData || row < 0 || row >= m_rowCount || column < 0 || column >= static_cast<int>(m_columns.size()))
        return;
    m_texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

QString hvGridModel::ShownText(const std::string& text)
{
    // No cell is wide enough to show more; a longer text would be measured
    // and elided whole on every paint.
    constexpr std::size_t kShownBytes = 2048;
    if (text.size() <= kShownBytes)
        return QString::fromStdString(text);
    std::size_t end = kShownBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // not inside a UTF-8 sequence
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(end)) + QChar(0x2026);
}

int hvGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int hvGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant hvGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ShownText(GetText(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return static_cast<int>(AlignmentOf(GetColumnFormat(index.column())));
    case Qt::CheckStateRole:
        if (!IsColumnCheckBox(index.column()) || !m_owner)
            return {};
        return m_owner->GetDispInfoCheck(index.row(), index.column()) ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole: {
        if (!m_ownerData || !m_owner || m_owner->GetCellMark(index.row(), index.column()).empty())
            return {};
        // A tint of the palette's highlight colour: it leaves the cell's
        // room to its text and reads on light and dark themes alike.
        constexpr int kTintAlpha = 70;
        QColor tint = QGuiApplication::palette().color(QPalette::Highlight);
        tint.setAlpha(kTintAlpha);
        return QBrush(tint);
    }
    case Qt::ForegroundRole:
    case Qt::ToolTipRole: {
        const std::string warning =
            m_ownerData && m_owner ? m_owner->GetCellWarning(index.row(), index.column()) : std::string();
        if (warning.empty() && role == Qt::ToolTipRole && m_ownerData && m_owner) {
            const std::string mark = m_owner->GetCellMark(index.row(), index.column());
            return mark.empty() ? QVariant() : QVariant(QString::fromStdString(mark));
        }
        if (warning.empty())
            return {};
        if (role == Qt::ToolTipRole)
            return QString::fromStdString(warning);
        // A red as light or dark as the palette's text, so that it reads on
        // light and dark themes alike.
        constexpr int kRedHue = 0;
        constexpr int kSaturation = 200;
        const int lightness = std::clamp(QGuiApplication::palette().color(QPalette::Text).lightness(), 90, 180);
        return QBrush(QColor::fromHsl(kRedHue, kSaturation, lightness));
    }
    default:
        return {};
    }
}

QVariant hvGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(m_columns.size()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_columns[static_cast<std::size_t>(section)].title;
    case Qt::TextAlignmentRole:
        return static_cast<int>(AlignmentOf(m_columns[static_cast<std::size_t>(section)].format));
    case Qt::AccessibleTextRole: {
        const Column& column = m_columns[static_cast<std::size_t>(section)];
        return column.accessibleTitle.isEmpty() ? column.title : column.accessibleTitle;
    }
    default:
        return {};
    }
}

bool hvGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::AccessibleTextRole || section < 0 ||
        section >= static_cast<int>(m_columns.size()))
        return false;
    m_columns[static_cast<std::size_t>(section)].accessibleTitle = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags hvGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Editing goes through the grid's own editor, never Qt's delegates.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
