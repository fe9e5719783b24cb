#include "core/ChannelClipboardText.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<ChannelClipboardText::Row>;

struct SpreadsheetCase
{
    const char* name;
    std::string text; // as the spreadsheet puts it on the clipboard
    Rows rows;
};

class ClipboardTextFromSpreadsheetTest : public ::testing::TestWithParam<SpreadsheetCase>
{};

TEST_P(ClipboardTextFromSpreadsheetTest, DecodesTheCells)
{
    EXPECT_EQ(ChannelClipboardText::Decode(GetParam().text), GetParam().rows);
}

// What LibreOffice Calc and Gnumeric write for a range of cells: LF line
// ends on Linux, CR LF on Windows, a line end after the last row, and quotes
// only around fields that need them.
INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardTextFromSpreadsheetTest,
    ::testing::Values(SpreadsheetCase{"OneCell", "146.52\n", {{"146.52"}}},
                      SpreadsheetCase{"OneCellWithoutLineEnd", "146.52", {{"146.52"}}},
                      SpreadsheetCase{
                          "RangeLf", "1\t146.52\tFire\n2\t\tPolice\n", {{"1", "146.52", "Fire"}, {"2", "", "Police"}}},
                      SpreadsheetCase{"RangeCrLf", "a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
                      SpreadsheetCase{"EmptyCellsAtTheEnds", "\tx\t\n", {{"", "x", ""}}},
                      SpreadsheetCase{"EmptyRowInAColumn", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
                      SpreadsheetCase{"QuotedLineEnd", "\"North\nGate\"\tx\n", {{"North\nGate", "x"}}},
                      SpreadsheetCase{"QuotedCrLfAndTab", "\"a\r\nb\tc\"\n", {{"a\r\nb\tc"}}},
                      SpreadsheetCase{"DoubledQuote", "\"5\"\" dish\"\ty\n", {{"5\" dish", "y"}}},
                      SpreadsheetCase{"QuoteInsideUnquoted", "5\" dish\ty\n", {{"5\" dish", "y"}}},
                      SpreadsheetCase{"UnclosedQuoteIsText", "\"open\tb\nc\n", {{"\"open", "b"}, {"c"}}},
                      SpreadsheetCase{"TextAfterClosingQuote", "\"a\"b\tc\n", {{"ab", "c"}}},
                      SpreadsheetCase{"Nothing", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClipboardTextTest, EncodesAsSpreadsheetsReadIt)
{
    const Rows rows = {{"1", "146.5200", "Fire \"North\"", "", "True"}, {"2", "", "a\tb", "x\ny", "False"}};
    EXPECT_EQ(ChannelClipboardText::Encode(rows),
              "1\t146.5200\t\"Fire \"\"North\"\"\"\t\tTrue\n2\t\t\"a\tb\"\t\"x\ny\"\tFalse\n");
    EXPECT_EQ(ChannelClipboardText::Decode(ChannelClipboardText::Encode(rows)), rows);
}

TEST(ClipboardTextTest, TellsChannelRowsAndAChannelFileHeader)
{
    const ChannelClipboardText::Row channel = {"12", "146.5200", "Fire", "", "False", "False", "True"};
    EXPECT_TRUE(ChannelClipboardText::AreChannelRows({channel, channel}));
    ChannelClipboardText::Row titled = channel;
    titled[0] = "ID";
    EXPECT_FALSE(ChannelClipboardText::AreChannelRows({channel, titled}));
    EXPECT_FALSE(ChannelClipboardText::AreChannelRows({{"12", "146.52"}}));
    EXPECT_FALSE(ChannelClipboardText::AreChannelRows({}));

    EXPECT_TRUE(ChannelClipboardText::IsChannelHeader(
        {"ID", "Frequency", "Description", "Car Number", "Delay", "Lockout", "Priority"}));
    EXPECT_TRUE(ChannelClipboardText::IsChannelHeader(
        {"#", "FREQUENCY", "description", "CarNumber", "delay", "lockout", "priority"}));
    EXPECT_FALSE(ChannelClipboardText::IsChannelHeader(channel));
    EXPECT_FALSE(ChannelClipboardText::IsChannelHeader({"ID", "Frequency", "Description"}));
}

} // namespace
