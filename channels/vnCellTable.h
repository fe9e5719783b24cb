#pragma once

#include "channels/vnCell.h"

#include <cstdint>
#include <vector>

// A table of typed cells in rows and columns; every position holds a cell.
// Channel files travel through it between the grid and the delimited file.
//
// Cells are kept in row-major order in one array. A pointer from GetCell
// stays owned by the table and is valid until the table next grows or is
// cleared.
class vnCellTable
{
public:
    vnCellTable() = default;
    vnCellTable(const vnCellTable&) = default;
    vnCellTable(vnCellTable&&) noexcept = default;
    vnCellTable& operator=(const vnCellTable&) = default;
    vnCellTable& operator=(vnCellTable&&) noexcept = default;
    virtual ~vnCellTable() = default;

    std::int32_t GetRowCount() const { return m_rows; }
    std::int32_t GetColumnCount() const { return m_columns; }

    // Append count rows, or count columns to every row, of Empty cells.
    // Both return the index of the last row, or -1 with the table unchanged
    // when count is negative, a count would pass the 32-bit range or the
    // memory cannot be had.
    std::int32_t AddRows(std::int32_t count);
    std::int32_t AddColumns(std::int32_t count);

    // Null for a position outside the table.
    vnCell* GetCell(std::int32_t row, std::int32_t column);
    const vnCell* GetCell(std::int32_t row, std::int32_t column) const;

    // Copies the given cell into the one at the position; a position outside
    // the table changes nothing. The given cell stays the caller's.
    void SetCell(std::int32_t row, std::int32_t column, const vnCell* cell);

    // Whether every cell of the row is Empty: a blank line of a file. True
    // for a row outside the table.
    bool IsRowEmpty(std::int32_t row) const;

    // Removes every cell and releases the storage: 0 rows, 0 columns.
    void Clear();

    // Replaces the whole table with rows x columns cells given in row-major
    // order. False, with the table unchanged, when the sizes do not match.
    bool Assign(std::int32_t rows, std::int32_t columns, std::vector<vnCell>&& cells);

    bool operator==(const vnCellTable& other) const;

private:
    bool Contains(std::int32_t row, std::int32_t column) const;
    std::size_t IndexOf(std::int32_t row, std::int32_t column) const;

    std::vector<vnCell> m_cells;
    std::int32_t m_rows = 0;
    std::int32_t m_columns = 0;
};
