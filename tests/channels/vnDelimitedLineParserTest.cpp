#include "channels/vnDelimitedLineParser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Fields = std::vector<std::pair<vnCellType, std::string>>;

constexpr vnCellType E = vnCellType::Empty;
constexpr vnCellType B = vnCellType::Bool;
constexpr vnCellType I = vnCellType::Int;
constexpr vnCellType D = vnCellType::Double;
constexpr vnCellType S = vnCellType::String;

Fields Describe(const std::vector<vnCell>& cells)
{
    Fields fields;
    for (const vnCell& cell : cells)
        fields.emplace_back(cell.GetType(), cell.ToText());
    return fields;
}

Fields Parse(const vnDelimitedLineParser& parser, std::string_view line)
{
    std::vector<vnCell> cells;
    const std::size_t count = parser.ParseLine(line, cells);
    EXPECT_EQ(count, cells.size());
    return Describe(cells);
}

struct LineCase
{
    std::string line;
    Fields fields;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << "'" << c.line << "'";
}

class ParseLine : public testing::TestWithParam<LineCase>
{};

TEST_P(ParseLine, SplitsIntoTypedFields)
{
    EXPECT_EQ(Parse(vnDelimitedLineParser(), GetParam().line), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(BareFields, ParseLine,
                         testing::Values(LineCase{"", {{E, ""}}}, LineCase{"a,,b", {{S, "a"}, {E, ""}, {S, "b"}}},
                                         LineCase{",a", {{E, ""}, {S, "a"}}}, LineCase{"a,", {{S, "a"}, {E, ""}}},
                                         LineCase{",", {{E, ""}, {E, ""}}},
                                         LineCase{" 42 , Fire Dept ,yes,1.5",
                                                  {{I, "42"}, {S, "Fire Dept"}, {B, "True"}, {D, "1.500000"}}},
                                         LineCase{"Caf\xC3\xA9,\xC3\x9C", {{S, "Caf\xC3\xA9"}, {S, "\xC3\x9C"}}},
                                         LineCase{"a\"b,c", {{S, "a\"b"}, {S, "c"}}}));

INSTANTIATE_TEST_SUITE_P(QuotedFields, ParseLine,
                         testing::Values(LineCase{R"("a,b,c",d)", {{S, "a,b,c"}, {S, "d"}}},
                                         LineCase{R"("a""b",c)", {{S, "a\"b"}, {S, "c"}}},
                                         LineCase{R"("""",""," ""q"" ")", {{S, "\""}, {S, ""}, {S, " \"q\" "}}},
                                         LineCase{R"("ab"cd,e)", {{S, "ab"}, {S, "d"}, {S, "e"}}},
                                         LineCase{R"("ab" ,c)", {{S, "ab"}, {E, ""}, {S, "c"}}},
                                         LineCase{R"(xy"ab",c)", {{S, "ab"}, {S, "c"}}},
                                         LineCase{R"("ab,c)", {{S, "ab"}, {S, "c"}}},
                                         LineCase{R"("a",)", {{S, "a"}, {E, ""}}},
                                         LineCase{R"("42",yes," padded ","",42)",
                                                  {{S, "42"}, {B, "True"}, {S, " padded "}, {S, ""}, {I, "42"}}}));

INSTANTIATE_TEST_SUITE_P(
    LastField, ParseLine,
    testing::Values(LineCase{R"(x,"a,b")", {{S, "x"}, {S, "a,b"}}}, LineCase{R"(x,"007")", {{S, "x"}, {S, "007"}}},
                    LineCase{R"(x,"a""b")", {{S, "x"}, {S, "a\"b"}}}, LineCase{R"(x,"a"b")", {{S, "x"}, {S, "a\"b"}}},
                    LineCase{R"(x,"")", {{S, "x"}, {S, ""}}}, LineCase{R"(x,")", {{S, "x"}, {E, ""}}},
                    LineCase{R"(x,""7)", {{S, "x"}, {I, "7"}}}, LineCase{R"(x, "a")", {{S, "x"}, {S, "\"a"}}}));

TEST(vnDelimitedLineParser, OtherSeparatorAndQuotes)
{
    vnDelimitedLineParser parser;
    parser.SetSeparator(';');
    parser.SetOpenQuote('[');
    parser.SetCloseQuote(']');
    EXPECT_EQ(Parse(parser, "[a;b]];c];1,5;[x]"), (Fields{{S, "a;b];c"}, {S, "1,5"}, {S, "x"}}));
    parser.SetQuote('\'');
    EXPECT_EQ(Parse(parser, "'it''s';'2'"), (Fields{{S, "it's"}, {S, "2"}}));
}

TEST(vnDelimitedLineParser, WithoutStrippingQuotesStay)
{
    vnDelimitedLineParser parser;
    parser.SetStripQuotes(false);
    EXPECT_EQ(Parse(parser, R"("a,b",x"y","42",""5)"),
              (Fields{{S, R"("a,b")"}, {S, R"("y")"}, {S, R"("42")"}, {S, R"(""5)"}}));
}

TEST(vnDelimitedLineParser, AppendsBehindCellsAlreadyThere)
{
    std::vector<vnCell> cells(2);
    EXPECT_EQ(vnDelimitedLineParser().ParseLine("1,2,3", cells), 3u);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[4].GetInt(), 3);
}

TEST(vnDelimitedLineParser, FillsATableWithOneColumn)
{
    vnCellTable fields;
    fields.AddColumns(3);
    fields.AddRows(9);
    vnDelimitedLineParser().ParseLine(R"(1,"two",,True)", fields);
    ASSERT_EQ(fields.GetColumnCount(), 1);
    ASSERT_EQ(fields.GetRowCount(), 4);
    EXPECT_EQ(fields.GetCell(0, 0)->GetInt(), 1);
    EXPECT_EQ(fields.GetCell(1, 0)->ToText(), "two");
    EXPECT_EQ(fields.GetCell(2, 0)->GetType(), vnCellType::Empty);
    EXPECT_TRUE(fields.GetCell(3, 0)->GetBool());

    vnDelimitedLineParser().ParseLine("", fields);
    ASSERT_EQ(fields.GetRowCount(), 1);
    EXPECT_EQ(fields.GetCell(0, 0)->GetType(), vnCellType::Empty);
}

// Lines of a million fields whose quotes send a naive search to the end of
// the line for every field: linear parsing takes a fraction of a second, a
// search per field from seconds to hours.
TEST(vnDelimitedLineParser, LongMalformedLinesParseInLinearTime)
{
    constexpr std::size_t count = 1000000;
    std::string trailingQuote;
    for (std::size_t i = 0; i < count; ++i)
        trailingQuote += "a,";
    trailingQuote += R"("x")";
    std::vector<vnCell> cells;
    EXPECT_EQ(vnDelimitedLineParser().ParseLine(trailingQuote, cells), count + 1);
    EXPECT_EQ(cells.back().ToText(), "x");

    std::string unclosed;
    for (std::size_t i = 0; i < count; ++i)
        unclosed += "[a,";
    vnDelimitedLineParser brackets;
    brackets.SetOpenQuote('[');
    brackets.SetCloseQuote(']');
    cells.clear();
    EXPECT_EQ(brackets.ParseLine(unclosed, cells), count + 1);
    EXPECT_EQ(cells.front().ToText(), "a");

    std::string quotes(2 * count, '"');
    quotes += ",\"a,";
    cells.clear();
    EXPECT_GE(vnDelimitedLineParser().ParseLine(quotes, cells), 2u);

    // Quoted fields ended by a stray character, or by the next field's open
    // quote, with the only comma far away.
    for (const auto& [unit, fields] : {std::pair<std::string, std::size_t>{R"("a"x)", count},
                                       std::pair<std::string, std::size_t>{R"("a)", count / 2}}) {
        std::string line;
        for (std::size_t i = 0; i < count; ++i)
            line += unit;
        line += ",end";
        cells.clear();
        EXPECT_EQ(vnDelimitedLineParser().ParseLine(line, cells), fields + 2) << unit;
        EXPECT_EQ(cells.front().ToText(), "a");
        EXPECT_EQ(cells.back().ToText(), "end");
    }
}

} // namespace
