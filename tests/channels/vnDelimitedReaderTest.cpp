#include "channels/vnDelimitedReader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

using namespace std::string_literals;

vnCellTable ReadWhole(std::string_view text)
{
    vnDelimitedReader reader;
    EXPECT_TRUE(reader.Feed(text, true));
    vnCellTable table;
    EXPECT_TRUE(reader.MoveTo(table));
    return table;
}

std::string Row(const vnCellTable& table, std::int32_t row)
{
    std::string text;
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column) {
        const vnCell* cell = table.GetCell(row, column);
        text += column ? "|" : "";
        text += cell->GetType() == vnCellType::String ? "'" + cell->ToText() + "'" : cell->ToText();
    }
    return text;
}

std::vector<std::string> Rows(const vnCellTable& table)
{
    std::vector<std::string> rows;
    for (std::int32_t row = 0; row < table.GetRowCount(); ++row)
        rows.push_back(Row(table, row));
    return rows;
}

using Lines = std::vector<std::string>;

TEST(vnDelimitedReader, LineEnds)
{
    EXPECT_EQ(Rows(ReadWhole("")), Lines{});
    EXPECT_EQ(Rows(ReadWhole("a\r\nb\r\n")), (Lines{"'a'", "'b'"}));
    EXPECT_EQ(Rows(ReadWhole("a\nb\n")), (Lines{"'a'", "'b'"}));
    EXPECT_EQ(Rows(ReadWhole("\"a\"\r\n\"b\"\n\"c\"")), (Lines{"'a'", "'b'", "'c'"}));
    EXPECT_EQ(Rows(ReadWhole("\n\r\n")), (Lines{"", ""}));
    // Only one carriage return, and only right before a line feed, goes.
    EXPECT_EQ(Rows(ReadWhole("\"a\r\"\r\r\n")), (Lines{"'a\r\"'"}));
    EXPECT_EQ(Rows(ReadWhole("\"a\r\"\r\n")), (Lines{"'a\r'"}));
    EXPECT_EQ(Rows(ReadWhole("x,\"a\"\r")), (Lines{"'x'|'a\"'"}));
}

TEST(vnDelimitedReader, NulBytesAreDropped)
{
    EXPECT_EQ(Rows(ReadWhole("a\0b,\"c\0\"\r\0\n\0\n1\0"s)), (Lines{"'ab'|'c'", "|", "1|"}));
    EXPECT_EQ(Rows(ReadWhole("a\n\0\0"s)), (Lines{"'a'"}));
}

TEST(vnDelimitedReader, RowsArePaddedToTheWidestLine)
{
    const vnCellTable table = ReadWhole("1,2,3\n1,2,3,4,5\n1,2\n");
    EXPECT_EQ(Rows(table), (Lines{"1|2|3||", "1|2|3|4|5", "1|2|||"}));
    EXPECT_EQ(table.GetColumnCount(), 5);
}

// The pieces a text arrives in must not change the rows it gives.
TEST(vnDelimitedReader, PiecesDoNotMatter)
{
    const std::string text = "\"ID\",\"Frequency\",\"Desc\"\r\n"
                             "1,146.520000,\"Fire, EMS\"\r\n"
                             "\r\n"
                             "2,,\"say \"\"hi\"\"\"\n"
                             "a\0b,x\r\n"
                             "3,1.5,\"last\"\r"s;
    const vnCellTable whole = ReadWhole(text);
    ASSERT_EQ(whole.GetRowCount(), 6);
    EXPECT_EQ(Row(whole, 3), "2||'say \"hi\"'");
    for (std::size_t size = 1; size <= text.size(); ++size) {
        vnDelimitedReader reader;
        for (std::size_t offset = 0; offset < text.size(); offset += size)
            ASSERT_TRUE(reader.Feed(std::string_view(text).substr(offset, size)));
        ASSERT_TRUE(reader.Feed({}, true));
        vnCellTable table;
        ASSERT_TRUE(reader.MoveTo(table));
        EXPECT_EQ(table, whole) << "pieces of " << size;
    }
}

TEST(vnDelimitedReader, StopsWhenPaddingWouldOutgrowTheText)
{
    vnDelimitedReader reader(100);
    // 30 one-field rows, then a row of 10 fields: 300 cells for 40 fields.
    std::string text(30, '\n');
    text += ",,,,,,,,,\n";
    text += "more\n";
    EXPECT_FALSE(reader.Feed(text, true));
    EXPECT_EQ(reader.GetError(), EFBIG);
    EXPECT_FALSE(reader.Feed("later\n"));
    vnCellTable table;
    EXPECT_TRUE(reader.MoveTo(table));
    EXPECT_EQ(table.GetRowCount(), 30);
    EXPECT_EQ(table.GetColumnCount(), 1);

    // Padding as large as the fields read is always allowed.
    vnDelimitedReader fair(0);
    EXPECT_TRUE(fair.Feed("\n\n\n\n\n,\n", true));
    EXPECT_TRUE(fair.MoveTo(table));
    EXPECT_EQ(table.GetRowCount(), 6);
    EXPECT_EQ(table.GetColumnCount(), 2);
}

TEST(vnDelimitedReader, MoveToEmptiesTheReader)
{
    vnDelimitedReader reader;
    ASSERT_TRUE(reader.Feed("1,2\n3"));
    EXPECT_EQ(reader.GetRowCount(), 1);
    vnCellTable table;
    ASSERT_TRUE(reader.MoveTo(table));
    EXPECT_EQ(Rows(table), Lines{"1|2"});
    EXPECT_EQ(reader.GetRowCount(), 0);
    // The pending text stays: it is the beginning of the next line.
    ASSERT_TRUE(reader.Feed(",4\n", true));
    ASSERT_TRUE(reader.MoveTo(table));
    EXPECT_EQ(Rows(table), Lines{"3|4"});
}

} // namespace
