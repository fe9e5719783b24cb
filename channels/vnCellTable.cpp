#include "channels/vnCellTable.h"

#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();

} // namespace

std::int32_t vnCellTable::AddRows(std::int32_t count)
{
    if (count < 0 || count > kMaxCount - m_rows)
        return -1;
    const std::size_t rows = static_cast<std::size_t>(m_rows) + static_cast<std::size_t>(count);
    const std::size_t columns = static_cast<std::size_t>(m_columns);
    if (columns != 0) {
        if (rows > m_cells.max_size() / columns)
            return -1;
        // resize leaves the vector as it was when it throws.
        try {
            m_cells.resize(rows * columns);
        } catch (const std::bad_alloc&) {
            return -1;
        } catch (const std::length_error&) {
            return -1;
        }
    }
    m_rows = static_cast<std::int32_t>(rows);
    return m_rows - 1;
}

std::int32_t vnCellTable::AddColumns(std::int32_t count)
{
    if (count < 0 || count > kMaxCount - m_columns)
        return -1;
    const std::size_t rows = static_cast<std::size_t>(m_rows);
    const std::size_t oldColumns = static_cast<std::size_t>(m_columns);
    const std::size_t columns = oldColumns + static_cast<std::size_t>(count);
    if (rows != 0 && count != 0) {
        if (columns > m_cells.max_size() / rows)
            return -1;
        std::vector<vnCell> cells;
        try {
            cells.reserve(rows * columns);
        } catch (const std::bad_alloc&) {
            return -1;
        } catch (const std::length_error&) {
            return -1;
        }
        // Nothing below allocates: the moves cannot throw.
        auto old = m_cells.begin();
        for (std::size_t row = 0; row < rows; ++row) {
            for (std::size_t column = 0; column < oldColumns; ++column)
                cells.push_back(std::move(*old++));
            cells.resize(cells.size() + static_cast<std::size_t>(count));
        }
        m_cells.swap(cells);
    }
    m_columns = static_cast<std::int32_t>(columns);
    return m_rows - 1;
}

bool vnCellTable::Contains(std::int32_t row, std::int32_t column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

std::size_t vnCellTable::IndexOf(std::int32_t row, std::int32_t column) const
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(column);
}

vnCell* vnCellTable::GetCell(std::int32_t row, std::int32_t column)
{
    return Contains(row, column) ? &m_cells[IndexOf(row, column)] : nullptr;
}

const vnCell* vnCellTable::GetCell(std::int32_t row, std::int32_t column) const
{
    return Contains(row, column) ? &m_cells[IndexOf(row, column)] : nullptr;
}

void vnCellTable::SetCell(std::int32_t row, std::int32_t column, const vnCell* cell)
{
    if (Contains(row, column))
        m_cells[IndexOf(row, column)].CopyFrom(cell);
}

bool vnCellTable::IsRowEmpty(std::int32_t row) const
{
    for (std::int32_t column = 0; column < m_columns; ++column)
        if (const vnCell* cell = GetCell(row, column); cell && cell->GetType() != vnCellType::Empty)
            return false;
    return true;
}

void vnCellTable::Clear()
{
    std::vector<vnCell>().swap(m_cells);
    m_rows = 0;
    m_columns = 0;
}

bool vnCellTable::Assign(std::int32_t rows, std::int32_t columns, std::vector<vnCell>&& cells)
{
    if (rows < 0 || columns < 0 || cells.size() != static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns))
        return false;
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
    return true;
}

bool vnCellTable::operator==(const vnCellTable& other) const
{
    return m_rows == other.m_rows && m_columns == other.m_columns && m_cells == other.m_cells;
}
