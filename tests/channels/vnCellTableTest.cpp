#include "channels/vnCellTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

void ExpectAllEmpty(const vnCellTable& table)
{
    for (std::int32_t row = 0; row < table.GetRowCount(); ++row)
        for (std::int32_t column = 0; column < table.GetColumnCount(); ++column) {
            const vnCell* cell = table.GetCell(row, column);
            ASSERT_NE(cell, nullptr) << row << "," << column;
            EXPECT_EQ(cell->GetType(), vnCellType::Empty) << row << "," << column;
        }
}

TEST(vnCellTable, NewTableHasNoCells)
{
    const vnCellTable table;
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_EQ(table.GetColumnCount(), 0);
    EXPECT_EQ(table.GetCell(0, 0), nullptr);
}

TEST(vnCellTable, ColumnsThenRowsGiveEmptyCells)
{
    vnCellTable table;
    EXPECT_EQ(table.AddColumns(7), -1); // the last row of a table without rows
    EXPECT_EQ(table.AddRows(3), 2);
    EXPECT_EQ(table.GetRowCount(), 3);
    EXPECT_EQ(table.GetColumnCount(), 7);
    ExpectAllEmpty(table);
    EXPECT_EQ(table.AddRows(0), 2);
}

TEST(vnCellTable, RowsWithoutColumnsHoldNoCellsUntilColumnsCome)
{
    vnCellTable table;
    EXPECT_EQ(table.AddRows(1), 0);
    EXPECT_EQ(table.GetRowCount(), 1);
    EXPECT_EQ(table.GetCell(0, 0), nullptr);
    EXPECT_EQ(table.AddColumns(2), 0);
    EXPECT_EQ(table.GetColumnCount(), 2);
    ExpectAllEmpty(table);
    EXPECT_EQ(table.GetCell(0, 2), nullptr);
}

TEST(vnCellTable, AddColumnsKeepsEveryCellAtItsPosition)
{
    vnCellTable table;
    table.AddColumns(2);
    table.AddRows(3);
    for (std::int32_t row = 0; row < 3; ++row)
        for (std::int32_t column = 0; column < 2; ++column) {
            vnCell cell;
            cell.SetInt(row * 10 + column);
            table.SetCell(row, column, &cell);
        }

    EXPECT_EQ(table.AddColumns(1), 2);
    ASSERT_EQ(table.GetColumnCount(), 3);
    for (std::int32_t row = 0; row < 3; ++row) {
        for (std::int32_t column = 0; column < 2; ++column)
            EXPECT_EQ(table.GetCell(row, column)->GetInt(), row * 10 + column);
        EXPECT_EQ(table.GetCell(row, 2)->GetType(), vnCellType::Empty);
    }
    EXPECT_EQ(table.AddRows(1), 3);
    EXPECT_EQ(table.GetCell(2, 1)->GetInt(), 21);
    EXPECT_EQ(table.GetCell(3, 0)->GetType(), vnCellType::Empty);
}

TEST(vnCellTable, PositionsOutsideAreNullAndIgnored)
{
    vnCellTable table;
    table.AddColumns(2);
    table.AddRows(2);
    const vnCell five("5", true);
    for (auto [row, column] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {kMax, kMax}}) {
        EXPECT_EQ(table.GetCell(row, column), nullptr);
        table.SetCell(row, column, &five);
    }
    ExpectAllEmpty(table);
    table.SetCell(1, 1, nullptr);
    ExpectAllEmpty(table);
}

TEST(vnCellTable, SetCellCopiesTheGivenCell)
{
    vnCellTable table;
    table.AddColumns(2);
    table.AddRows(2);
    vnCell source("Police", false);
    table.SetCell(1, 0, &source);
    source.SetString("changed");
    EXPECT_EQ(table.GetCell(1, 0)->ToText(), "Police");
    EXPECT_EQ(table.GetCell(0, 0)->GetType(), vnCellType::Empty);
    EXPECT_EQ(table.GetCell(1, 1)->GetType(), vnCellType::Empty);
}

TEST(vnCellTable, ClearReleasesEverything)
{
    vnCellTable table;
    table.Clear();
    EXPECT_EQ(table.GetRowCount(), 0);
    table.AddColumns(3);
    table.AddRows(4);
    table.Clear();
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_EQ(table.GetColumnCount(), 0);
    EXPECT_EQ(table.GetCell(0, 0), nullptr);
    EXPECT_EQ(table.AddRows(1), 0);
    EXPECT_EQ(table.GetCell(0, 0), nullptr);
}

TEST(vnCellTable, RefusedGrowthLeavesTheTableUnchanged)
{
    vnCellTable table;
    EXPECT_EQ(table.AddRows(-1), -1);
    EXPECT_EQ(table.AddColumns(-1), -1);
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_EQ(table.GetColumnCount(), 0);

    // Rows without columns cost nothing, so the counts can reach their limit.
    ASSERT_EQ(table.AddRows(kMax), kMax - 1);
    EXPECT_EQ(table.AddRows(1), -1);
    EXPECT_EQ(table.GetRowCount(), kMax);

    // More cells than memory can hold.
    EXPECT_EQ(table.AddColumns(kMax), -1);
    EXPECT_EQ(table.GetColumnCount(), 0);
    EXPECT_EQ(table.GetRowCount(), kMax);

    vnCellTable wide;
    ASSERT_EQ(wide.AddColumns(kMax), -1);
    EXPECT_EQ(wide.AddColumns(1), -1);
    EXPECT_EQ(wide.GetColumnCount(), kMax);
    EXPECT_EQ(wide.AddRows(kMax), -1);
    EXPECT_EQ(wide.GetRowCount(), 0);
}

TEST(vnCellTable, AssignTakesRowMajorCellsOfTheRightCount)
{
    vnCellTable table;
    std::vector<vnCell> cells(6);
    cells[4].SetInt(4); // row 1, column 1
    EXPECT_FALSE(table.Assign(2, 2, std::vector<vnCell>(cells)));
    EXPECT_FALSE(table.Assign(-2, -3, std::vector<vnCell>(cells)));
    EXPECT_EQ(table.GetRowCount(), 0);
    ASSERT_TRUE(table.Assign(2, 3, std::move(cells)));
    EXPECT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(table.GetColumnCount(), 3);
    EXPECT_EQ(table.GetCell(1, 1)->GetInt(), 4);
}

} // namespace
