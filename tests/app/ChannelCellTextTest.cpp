#include "app/ChannelCellText.h"

#include "channels/vnChannel.h"
#include "tests/support/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string FrequencyAfter(const std::string& typed)
{
    vnChannel channel;
    SetChannelCellText(channel, 1, typed);
    return GetChannelCellText(channel, 1);
}

} // namespace

TEST(ChannelCellText, NewChannelShowsNumberEmptyTextsAndFalseFlags)
{
    vnChannel channel;
    channel.SetNumber(-12);
    EXPECT_EQ(GetChannelCellText(channel, 0), "-12");
    EXPECT_EQ(GetChannelCellText(channel, 1), "");
    EXPECT_EQ(GetChannelCellText(channel, 2), "");
    EXPECT_EQ(GetChannelCellText(channel, 3), "");
    EXPECT_EQ(GetChannelCellText(channel, 4), "False");
    EXPECT_EQ(GetChannelCellText(channel, 5), "False");
    EXPECT_EQ(GetChannelCellText(channel, 6), "False");
    EXPECT_EQ(GetChannelCellText(channel, 7), "");
    EXPECT_EQ(GetChannelCellText(channel, 9), "");
    EXPECT_EQ(GetChannelCellText(channel, -1), "");
}

TEST(ChannelCellText, FrequencyIsReadLikeCStrtodAndShownWithFourDecimals)
{
    EXPECT_EQ(FrequencyAfter("146.52"), "146.5200");
    EXPECT_EQ(FrequencyAfter("146.52 MHz"), "146.5200");
    EXPECT_EQ(FrequencyAfter("  851.0125"), "851.0125");
    EXPECT_EQ(FrequencyAfter("abc"), "");
    EXPECT_EQ(FrequencyAfter(""), "");
    EXPECT_EQ(FrequencyAfter("0.00001"), "0.0000");
    EXPECT_EQ(FrequencyAfter("-5"), "-5.0000");
    EXPECT_EQ(FrequencyAfter("+.5"), "0.5000");
    EXPECT_EQ(FrequencyAfter("1.5e2x"), "150.0000");
    EXPECT_EQ(FrequencyAfter("1e"), "1.0000");
    EXPECT_EQ(FrequencyAfter("146,52"), "146.0000");
    // Hexadecimal and words are not numbers here: reading stops at once.
    EXPECT_EQ(FrequencyAfter("0x10"), "");
    EXPECT_EQ(FrequencyAfter("inf"), "");
    EXPECT_EQ(FrequencyAfter("nan"), "");
}

TEST(ChannelCellText, FrequencyStoresMegahertzWithUnitHertz)
{
    vnChannel channel;
    SetChannelCellText(channel, 1, "146.52");
    EXPECT_DOUBLE_EQ(channel.GetFrequency().GetMHz(), 146.52);
    vnFrequency copy = channel.GetFrequency();
    copy.SetInUnit(5.0); // unit code 1: hertz
    EXPECT_DOUBLE_EQ(copy.GetMHz(), 5.0e-6);
}

TEST(ChannelCellText, NumbersIgnoreTheProcessLocale)
{
    CommaLocale comma;
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    EXPECT_EQ(FrequencyAfter("146.52"), "146.5200");
    EXPECT_EQ(FrequencyAfter("146,52"), "146.0000");
}

TEST(ChannelCellText, FlagsTakeOnlyWholeTruthWords)
{
    for (const char* word : {"true", "TRUE", "Yes", "yes", "On", "ON", "on"}) {
        vnChannel channel;
        SetChannelCellText(channel, 4, word);
        EXPECT_EQ(GetChannelCellText(channel, 4), "True") << word;
    }
    for (const char* word : {"", "1", "y", "enabled", " yes", "yes ", "False"}) {
        vnChannel channel;
        channel.SetDelay(true);
        SetChannelCellText(channel, 4, word);
        EXPECT_EQ(GetChannelCellText(channel, 4), "False") << '"' << word << '"';
    }
}

TEST(ChannelCellText, EachFlagColumnChangesOnlyItsFlag)
{
    vnChannel channel;
    SetChannelCellText(channel, 6, "True");
    EXPECT_TRUE(channel.GetPriority());
    EXPECT_FALSE(channel.GetLockout());
    EXPECT_FALSE(channel.GetDelay());
    SetChannelCellText(channel, 5, "yes");
    EXPECT_TRUE(channel.GetLockout());
    EXPECT_FALSE(channel.GetDelay());
    EXPECT_TRUE(channel.GetPriority());
}

TEST(ChannelCellText, TextsAreKeptExactlyAndIgnoredColumnsChangeNothing)
{
    vnChannel channel;
    channel.SetNumber(7);
    SetChannelCellText(channel, 2, "  Fire Dept  ");
    SetChannelCellText(channel, 2, "  Fire Dept  "); // reported twice: same result
    SetChannelCellText(channel, 3, "007");
    SetChannelCellText(channel, 0, "99");
    SetChannelCellText(channel, 7, "x");
    EXPECT_EQ(channel.GetDescription(), "  Fire Dept  ");
    EXPECT_EQ(channel.GetCarNumber(), "007");
    EXPECT_EQ(channel.GetNumber(), 7);
}

TEST(ChannelCellText, ReadLeadingDoubleFollowsStrtodAtTheLimits)
{
    EXPECT_TRUE(std::isinf(ReadLeadingDouble("1e999")));
    EXPECT_LT(ReadLeadingDouble("-1e999"), 0.0);
    EXPECT_EQ(ReadLeadingDouble("1e-999"), 0.0);
    EXPECT_EQ(ReadLeadingDouble("."), 0.0);
    EXPECT_EQ(ReadLeadingDouble("-"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingDouble("\t\n 5."), 5.0);
}

struct TypedCase
{
    int column;
    const char* typed;
    bool taken;
    const char* shown; // the cell afterwards; it showed 146.5200 or True before
};

class TypedCellText : public ::testing::TestWithParam<TypedCase>
{};

TEST_P(TypedCellText, TakesOnlyValuesOfTheColumn)
{
    const TypedCase& c = GetParam();
    vnChannel channel;
    channel.SetNumber(12);
    SetChannelCellText(channel, 1, "146.52");
    for (int flag = 4; flag <= 6; ++flag)
        SetChannelCellText(channel, flag, "True");
    EXPECT_EQ(SetTypedChannelCellText(channel, c.column, c.typed), c.taken);
    EXPECT_EQ(GetChannelCellText(channel, c.column), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, TypedCellText,
    ::testing::Values(TypedCase{1, "146,52", true, "146.5200"}, TypedCase{1, " 155.1 ", true, "155.1000"},
                      TypedCase{1, "462.5625 mhz", true, "462.5625"}, TypedCase{1, "851.0125MHz", true, "851.0125"},
                      TypedCase{1, "-5", true, "-5.0000"}, TypedCase{1, "1.5e2", true, "150.0000"},
                      TypedCase{1, "", true, ""}, TypedCase{1, "  ", true, ""},
                      TypedCase{1, "l46.52", false, "146.5200"}, TypedCase{1, "146.52 kHz", false, "146.5200"},
                      TypedCase{1, "1,234.5", false, "146.5200"}, TypedCase{1, "146,52,1", false, "146.5200"},
                      TypedCase{1, "MHz", false, "146.5200"}, TypedCase{1, "1e999", false, "146.5200"},
                      TypedCase{4, "off", true, "False"}, TypedCase{4, "NO", true, "False"},
                      TypedCase{5, "", true, "False"}, TypedCase{6, "Yes", true, "True"},
                      TypedCase{6, "Ture", false, "True"}, TypedCase{5, "1", false, "True"},
                      TypedCase{4, " yes", false, "True"}, TypedCase{2, "l46.52", true, "l46.52"}));

TEST(ChannelCellText, RejectedTextMessageNamesTheChannelAndWhatItKeeps)
{
    vnChannel channel;
    channel.SetNumber(12);
    SetChannelCellText(channel, 1, "146.52");
    EXPECT_EQ(RejectedCellTextMessage(channel, 1, "l46.52"),
              "\"l46.52\" is not a frequency in MHz; channel 12 keeps 146.5200");
    EXPECT_EQ(RejectedCellTextMessage(channel, 5, "Ture"),
              "\"Ture\" is not True or False; Lockout of channel 12 keeps False");
}
