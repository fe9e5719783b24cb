#include "core/ChannelSearch.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct RowCase
{
    int rowCount;
    int from;
    bool down;
    std::set<int> matching;
    int row;
    bool wrapped;
};

class FindRowTest : public ::testing::TestWithParam<RowCase>
{};

TEST_P(FindRowTest, VisitsEveryRowOnceStartingAfterFrom)
{
    const RowCase& c = GetParam();
    const RowSearchResult result = FindRow(c.rowCount, c.from, c.down, [&](int row) {
        EXPECT_TRUE(row >= 0 && row < c.rowCount) << row;
        return c.matching.count(row) > 0;
    });
    EXPECT_EQ(result.row, c.row);
    EXPECT_EQ(result.wrapped, c.wrapped);
}

INSTANTIATE_TEST_SUITE_P(Table, FindRowTest,
                         ::testing::Values(RowCase{10, 2, true, {2, 5}, 5, false}, // the row at from comes last
                                           RowCase{10, 5, true, {2, 5}, 2, true},  // past the end, on from the top
                                           RowCase{10, 5, true, {5}, 5, true}, // only from itself, after a full round
                                           RowCase{10, 5, false, {2, 7}, 2, false}, // upwards
                                           RowCase{10, 1, false, {2, 7}, 7, true},  // past the top, on from the bottom
                                           RowCase{10, -1, true, {0}, 0, false},  // no focused row: from the first row
                                           RowCase{10, 10, false, {9}, 9, false}, // nor upwards from the last
                                           RowCase{10, 3, true, {}, -1, false},   // nothing matches
                                           RowCase{0, 0, true, {0}, -1, false})); // no rows at all

struct NumberCase
{
    const char* text;
    int expected; // 0: refused
};

class ParseChannelNumberTest : public ::testing::TestWithParam<NumberCase>
{};

TEST_P(ParseChannelNumberTest, TakesOnlyWholeNumbersOfTheLayout)
{
    const std::optional<std::int32_t> number = ParseChannelNumber(GetParam().text, 1, 200);
    EXPECT_EQ(number.value_or(0), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ParseChannelNumberTest,
                         ::testing::Values(NumberCase{"1", 1}, NumberCase{" 200 ", 200}, NumberCase{"057", 57},
                                           NumberCase{"0", 0}, NumberCase{"201", 0}, NumberCase{"-5", 0},
                                           NumberCase{"+5", 0}, NumberCase{"1.5", 0}, NumberCase{"12a", 0},
                                           NumberCase{"abc", 0}, NumberCase{"", 0},
                                           NumberCase{"99999999999999999999", 0}));

} // namespace
