#include "channels/vnCell.h"
#include "channels/vnText.h"
#include "tests/support/CommaLocale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace {

struct FromTextCase
{
    std::string text;
    vnCellType type;
    std::string asText; // ToText of the resulting cell
};

void PrintTo(const FromTextCase& c, std::ostream* os)
{
    *os << "'" << c.text << "'";
}

class CellFromText : public testing::TestWithParam<FromTextCase>
{};

TEST_P(CellFromText, TypesAndSpellsTheText)
{
    const FromTextCase& c = GetParam();
    vnCell cell;
    EXPECT_EQ(cell.FromText(c.text), c.type);
    EXPECT_EQ(cell.GetType(), c.type);
    EXPECT_EQ(cell.ToText(), c.asText);
    // The text it was typed from stays, through a copy too: "007" is 7 and
    // still "007".
    const vnCell copy(cell);
    EXPECT_EQ(copy, cell);
    EXPECT_EQ(copy.ToText(), c.asText);
    EXPECT_EQ(copy.GetSourceText(), vnText::TrimBlanks(c.text));
}

INSTANTIATE_TEST_SUITE_P(Blanks, CellFromText,
                         testing::Values(FromTextCase{"", vnCellType::Empty, ""},
                                         FromTextCase{"   ", vnCellType::Empty, ""},
                                         FromTextCase{" \t\r\n\v\f", vnCellType::Empty, ""},
                                         FromTextCase{"  Fire Dept  ", vnCellType::String, "Fire Dept"},
                                         FromTextCase{"\tx\r", vnCellType::String, "x"}));

INSTANTIATE_TEST_SUITE_P(
    TruthWords, CellFromText,
    testing::Values(FromTextCase{"TRUE", vnCellType::Bool, "True"}, FromTextCase{"Yes", vnCellType::Bool, "True"},
                    FromTextCase{" yes ", vnCellType::Bool, "True"}, FromTextCase{"No", vnCellType::Bool, "False"},
                    FromTextCase{"FALSE", vnCellType::Bool, "False"}, FromTextCase{"On", vnCellType::String, "On"},
                    FromTextCase{"off", vnCellType::String, "off"}, FromTextCase{"yess", vnCellType::String, "yess"},
                    FromTextCase{"1", vnCellType::Int, "1"}, FromTextCase{"0", vnCellType::Int, "0"}));

INSTANTIATE_TEST_SUITE_P(
    WholeNumbers, CellFromText,
    testing::Values(FromTextCase{" 42 ", vnCellType::Int, "42"}, FromTextCase{"-7", vnCellType::Int, "-7"},
                    FromTextCase{"+5", vnCellType::Int, "5"}, FromTextCase{"007", vnCellType::Int, "7"},
                    FromTextCase{"-", vnCellType::Int, "0"}, FromTextCase{"+", vnCellType::Int, "0"},
                    FromTextCase{"2147483647", vnCellType::Int, "2147483647"},
                    FromTextCase{"-2147483648", vnCellType::Int, "-2147483648"},
                    FromTextCase{"2147483648", vnCellType::Int, "2147483647"},
                    FromTextCase{"-2147483649", vnCellType::Int, "-2147483648"},
                    FromTextCase{"99999999999999999999999999", vnCellType::Int, "2147483647"},
                    FromTextCase{"-00000000000000000000000001", vnCellType::Int, "-1"}));

INSTANTIATE_TEST_SUITE_P(RealNumbers, CellFromText,
                         testing::Values(FromTextCase{"146.5200", vnCellType::Double, "146.520000"},
                                         FromTextCase{".5", vnCellType::Double, "0.500000"},
                                         FromTextCase{"5.", vnCellType::Double, "5.000000"},
                                         FromTextCase{"-.25", vnCellType::Double, "-0.250000"},
                                         FromTextCase{"+1.5", vnCellType::Double, "1.500000"},
                                         FromTextCase{".", vnCellType::Double, "0.000000"},
                                         FromTextCase{"-.", vnCellType::Double, "0.000000"},
                                         FromTextCase{"0.0000004", vnCellType::Double, "0.000000"},
                                         FromTextCase{"0.0000005", vnCellType::Double, "0.000000"},
                                         FromTextCase{"0.0000006", vnCellType::Double, "0.000001"}));

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, CellFromText,
    testing::Values(FromTextCase{"1.2.3", vnCellType::String, "1.2.3"},
                    FromTextCase{"12-3", vnCellType::String, "12-3"}, FromTextCase{"5-", vnCellType::String, "5-"},
                    FromTextCase{"--5", vnCellType::String, "--5"}, FromTextCase{"1e5", vnCellType::String, "1e5"},
                    FromTextCase{"0x10", vnCellType::String, "0x10"},
                    FromTextCase{"1,000", vnCellType::String, "1,000"},
                    FromTextCase{"1 000", vnCellType::String, "1 000"},
                    FromTextCase{"\xC2\xB9", vnCellType::String, "\xC2\xB9"},
                    FromTextCase{"inf", vnCellType::String, "inf"}, FromTextCase{"nan", vnCellType::String, "nan"}));

TEST(vnCell, DoublesBeyondTheRangeSaturate)
{
    vnCell cell;
    const std::string huge = "1" + std::string(400, '0') + ".5";
    ASSERT_EQ(cell.FromText(huge), vnCellType::Double);
    EXPECT_EQ(cell.GetDouble(), DBL_MAX);
    ASSERT_EQ(cell.FromText("-" + huge), vnCellType::Double);
    EXPECT_EQ(cell.GetDouble(), -DBL_MAX);
    ASSERT_EQ(cell.FromText("0." + std::string(400, '0') + "1"), vnCellType::Double);
    EXPECT_EQ(cell.GetDouble(), 0.0);
    // Leading zeros are no magnitude.
    ASSERT_EQ(cell.FromText(std::string(400, '0') + ".25"), vnCellType::Double);
    EXPECT_EQ(cell.GetDouble(), 0.25);
}

TEST(vnCell, LargestDoublesSpellInFull)
{
    vnCell cell;
    cell.SetDouble(-DBL_MAX);
    const std::string text = cell.ToText();
    EXPECT_EQ(text.size(), 1u + 309u + 1u + 6u);
    vnCell back;
    ASSERT_EQ(back.FromText(text), vnCellType::Double);
    EXPECT_EQ(back.GetDouble(), -DBL_MAX);
}

TEST(vnCell, GettersOfAnotherTypeAnswerFixedValues)
{
    vnCell cell;
    EXPECT_FALSE(cell.GetBool());
    EXPECT_EQ(cell.GetInt(), -1);
    EXPECT_EQ(cell.GetDouble(), -1.0);

    // A value given as a number has no other text than its spelling.
    cell.SetDouble(0.0);
    EXPECT_EQ(cell.GetSourceText(), "0.000000");
    cell.SetDouble(2.5);
    EXPECT_EQ(cell.GetInt(), -1);
    EXPECT_EQ(cell.GetDouble(), 2.5);
    cell.SetInt(3);
    EXPECT_EQ(cell.GetDouble(), -1.0);
    EXPECT_FALSE(cell.GetBool());
    cell.SetString("True");
    EXPECT_FALSE(cell.GetBool());
    EXPECT_EQ(cell.ToText(), "True");
    cell.SetBool(true);
    EXPECT_TRUE(cell.GetBool());
    EXPECT_EQ(cell.GetInt(), -1);
}

TEST(vnCell, ConstructionFromTextDetectsOnlyWhenAsked)
{
    const vnCell raw("  42 ", false);
    EXPECT_EQ(raw.GetType(), vnCellType::String);
    EXPECT_EQ(raw.ToText(), "  42 ");
    const vnCell typed("  42 ", true);
    EXPECT_EQ(typed.GetType(), vnCellType::Int);
    EXPECT_EQ(typed.GetInt(), 42);
    const vnCell empty("", false);
    EXPECT_EQ(empty.GetType(), vnCellType::String);
}

TEST(vnCell, CopyFromCopiesTypeAndValue)
{
    vnCell target;
    target.CopyFrom(nullptr);
    EXPECT_EQ(target.GetType(), vnCellType::Empty);

    vnCell source("Fire, EMS", false);
    target.CopyFrom(&source);
    source.SetInt(1);
    EXPECT_EQ(target.GetType(), vnCellType::String);
    EXPECT_EQ(target.ToText(), "Fire, EMS");

    target.CopyFrom(&source);
    EXPECT_EQ(target.GetInt(), 1);
    target.CopyFrom(&target);
    EXPECT_EQ(target.GetInt(), 1);

    target.CopyFrom(nullptr);
    EXPECT_EQ(target.GetInt(), 1);

    const vnCell empty;
    target.CopyFrom(&empty);
    EXPECT_EQ(target.GetType(), vnCellType::Empty);
}

// Texts up to 15 bytes live in the cell, longer ones on the heap; copies and
// moves must carry both kinds and leave no cell sharing a text.
TEST(vnCell, TextsOfEveryLengthCopyAndMove)
{
    for (const std::size_t length : {0, 1, 14, 15, 16, 17, 100, 5000}) {
        std::string text(length, 'x');
        if (length > 0)
            text.front() = 'a', text.back() = 'z';
        vnCell cell(text, false);
        ASSERT_EQ(cell.GetString(), text) << length;

        vnCell copy(cell);
        vnCell assigned;
        assigned.SetInt(1);
        assigned = cell;
        cell.SetString("changed");
        EXPECT_EQ(copy.GetString(), text) << length;
        EXPECT_EQ(assigned.GetString(), text) << length;
        EXPECT_EQ(copy, assigned);

        vnCell moved(std::move(copy));
        EXPECT_EQ(moved.GetString(), text) << length;
        EXPECT_EQ(copy.GetType(), vnCellType::Empty); // NOLINT(bugprone-use-after-move)
        assigned = std::move(moved);
        EXPECT_EQ(assigned.GetString(), text) << length;

        // A cell given its own text, or itself.
        assigned.SetString(assigned.GetString());
        EXPECT_EQ(assigned.GetString(), text) << length;
        assigned.SetString(assigned.GetString().substr(length / 2));
        EXPECT_EQ(assigned.GetString(), text.substr(length / 2)) << length;
        vnCell& self = assigned;
        assigned = self;
        assigned = std::move(self);
        EXPECT_EQ(assigned.GetString(), text.substr(length / 2)) << length;

        assigned.SetDouble(1.5);
        EXPECT_EQ(assigned.GetDouble(), 1.5);
        EXPECT_EQ(assigned.GetString(), "");
    }
}

TEST(vnCell, EqualityComparesTypeAndValue)
{
    EXPECT_EQ(vnCell(), vnCell());
    EXPECT_EQ(vnCell("1", true), vnCell("+1", true));
    EXPECT_NE(vnCell("1", true), vnCell("1", false));
    EXPECT_NE(vnCell("1", true), vnCell("1.0", true));
    EXPECT_NE(vnCell("yes", true), vnCell("no", true));
    EXPECT_NE(vnCell(std::string(20, 'a'), false), vnCell(std::string(20, 'b'), false));
    EXPECT_NE(vnCell("", false), vnCell());
}

// Qt sets the process locale from the environment; numbers must not follow it.
TEST(vnCell, ConversionsIgnoreTheProcessLocale)
{
    std::optional<CommaLocale> locale(std::in_place);
    SKIP_WITHOUT_COMMA_LOCALE(*locale);
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');

    vnCell cell;
    cell.SetDouble(146.52);
    const std::string spelled = cell.ToText();
    vnCell read;
    const vnCellType type = read.FromText("146.52");
    vnCell comma;
    const vnCellType commaType = comma.FromText("146,52");
    vnCell whole;
    whole.SetInt(-1234567);

    locale.reset();

    EXPECT_EQ(spelled, "146.520000");
    EXPECT_EQ(type, vnCellType::Double);
    EXPECT_EQ(read.GetDouble(), 146.52);
    EXPECT_EQ(commaType, vnCellType::String);
    EXPECT_EQ(whole.ToText(), "-1234567");
}

} // namespace
