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

vnCellTable ReadInPieces(std::string_view text, std::size_t size, vnDelimitedReader& reader)
{
    for (std::size_t offset = 0; offset < text.size(); offset += size)
        reader.Feed(text.substr(offset, size));
    reader.Feed({}, true);
    vnCellTable table;
    EXPECT_TRUE(reader.MoveTo(table));
    return table;
}

struct SpanCase
{
    std::string text;
    Lines rows;
    std::string reason = {}; // empty when the text reads
};

void PrintTo(const SpanCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class QuotedFieldAcrossLines : public testing::TestWithParam<SpanCase>
{};

// Whole or in pieces of one or two bytes, the same rows and the same reason;
// a failure keeps the rows before the line it names.
TEST_P(QuotedFieldAcrossLines, ReadsOrStopsWithTheLine)
{
    for (const std::size_t size : {std::size_t{1}, std::size_t{2}, GetParam().text.size() + 1}) {
        vnDelimitedReader reader;
        EXPECT_EQ(Rows(ReadInPieces(GetParam().text, size, reader)), GetParam().rows) << "pieces of " << size;
        EXPECT_EQ(reader.GetReason(), GetParam().reason) << "pieces of " << size;
        EXPECT_EQ(reader.GetError(), GetParam().reason.empty() ? 0 : EILSEQ);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reads, QuotedFieldAcrossLines,
    testing::Values(SpanCase{"\"Channel\r\nName\",\"Freq\"\r\n1,146.5\r\n", {"'Channel Name'|'Freq'", "1|146.500000"}},
                    SpanCase{"1,\"a\n\"\"b\"\"\n\nc\",2,\"x\ny\"\n3", {"1|'a \"b\"  c'|2|'x y'", "3|||"}},
                    SpanCase{"\"a\"\"\nb\",\n\"\n\"", {"'a\" b'|", "' '|"}}, SpanCase{"\"a\0\n\0b\"\r\n"s, {"'a b'"}}));

INSTANTIATE_TEST_SUITE_P(
    Refuses, QuotedFieldAcrossLines,
    testing::Values(
        SpanCase{"1,2\n3,\"open,4\n5,6\n", {"1|2"}, "line 2: a quoted field is never closed"},
        SpanCase{"1\n\"x\"\"", {"1"}, "line 2: a quoted field is never closed"},
        SpanCase{"1,\"a\nb\"c,d\n", {}, "line 2: text after the close quote of a field that begins on line 1"},
        SpanCase{
            "1,\"Fire\n2,\"Police\"\n", {}, "line 2: text after the close quote of a field that begins on line 1"}));

// Rows of more text than the limit stop reading, however the text arrives.
TEST(vnDelimitedReader, StopsAtALongLine)
{
    vnDelimitedReader reader(vnDelimitedReader::kDefaultPaddingAllowance, 10);
    EXPECT_TRUE(reader.Feed("0123456789\n"));
    EXPECT_TRUE(reader.Feed("\"ab\ncd\",e\n"));
    EXPECT_TRUE(reader.Feed("abcdef"));
    EXPECT_FALSE(reader.Feed("ghijk"));
    EXPECT_EQ(reader.GetError(), EFBIG);
    EXPECT_EQ(reader.GetReason(), "line 4 is longer than 10 bytes");
    EXPECT_EQ(reader.GetRowCount(), 2);

    // A row that spans lines counts them all, and is named by its first.
    for (const std::size_t size : {std::size_t{1}, std::size_t{100}}) {
        vnDelimitedReader spanning(vnDelimitedReader::kDefaultPaddingAllowance, 10);
        ReadInPieces("x\n\"abc\ndef\nghi\"\n", size, spanning);
        EXPECT_EQ(spanning.GetReason(), "line 2 is longer than 10 bytes");
    }
}

// A field of a million lines, closed or not, read a line at a time: each
// line must cost its own length, not that of the field so far.
TEST(vnDelimitedReader, FieldsOfManyLinesReadInLinearTime)
{
    for (const bool closed : {true, false}) {
        vnDelimitedReader reader(vnDelimitedReader::kDefaultPaddingAllowance, std::size_t{64} << 20);
        ASSERT_TRUE(reader.Feed("1,\"\"\"\r\n"));
        for (int line = 0; line < 1000000; ++line)
            ASSERT_TRUE(reader.Feed("\"\"a\r\n"));
        EXPECT_EQ(reader.Feed(closed ? "\",2" : "", true), closed);
        vnCellTable table;
        ASSERT_TRUE(reader.MoveTo(table));
        ASSERT_EQ(table.GetRowCount(), closed ? 1 : 0);
        if (closed)
            EXPECT_EQ(table.GetCell(0, 1)->GetString().size(), 2 + 3000000u);
        else
            EXPECT_EQ(reader.GetReason(), "line 1: a quoted field is never closed");
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
    EXPECT_EQ(reader.GetReason(), "line 31 has 10 fields, far more than the 1 of line 1");
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
    // So do the fields of a row whose quoted field is still open.
    ASSERT_TRUE(reader.Feed("5,\"a\n"));
    ASSERT_TRUE(reader.MoveTo(table));
    EXPECT_EQ(table.GetRowCount(), 0);
    ASSERT_TRUE(reader.Feed("b\"\n", true));
    ASSERT_TRUE(reader.MoveTo(table));
    EXPECT_EQ(Rows(table), Lines{"5|'a b'"});
}

} // namespace
