#include "core/ChannelCellText.h"

#include "channels/vnChannel.h"
#include "tests/support/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string FrequencyAfter(const std::string& typed)
{
    vnChannel channel;
    SetChannelCellText(channel, ChannelField::Frequency, typed);
    return GetChannelCellText(channel, ChannelField::Frequency);
}

} // namespace

TEST(ChannelCellText, NewChannelShowsNumberEmptyTextsAndFalseFlags)
{
    vnChannel channel;
    channel.SetNumber(-12);
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::Number), "-12");
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::Frequency), "");
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::Description), "");
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::CarNumber), "");
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::Delay), "False");
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::Lockout), "False");
    EXPECT_EQ(GetChannelCellText(channel, ChannelField::Priority), "False");
    EXPECT_FALSE(FieldOfColumn(7));
    EXPECT_FALSE(FieldOfColumn(-1));
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
    SetChannelCellText(channel, ChannelField::Frequency, "146.52");
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
        SetChannelCellText(channel, ChannelField::Delay, word);
        EXPECT_EQ(GetChannelCellText(channel, ChannelField::Delay), "True") << word;
    }
    for (const char* word : {"", "1", "y", "enabled", " yes", "yes ", "False"}) {
        vnChannel channel;
        channel.SetDelay(true);
        SetChannelCellText(channel, ChannelField::Delay, word);
        EXPECT_EQ(GetChannelCellText(channel, ChannelField::Delay), "False") << '"' << word << '"';
    }
}

TEST(ChannelCellText, EachFlagColumnChangesOnlyItsFlag)
{
    vnChannel channel;
    SetChannelCellText(channel, ChannelField::Priority, "True");
    EXPECT_TRUE(channel.GetPriority());
    EXPECT_FALSE(channel.GetLockout());
    EXPECT_FALSE(channel.GetDelay());
    SetChannelCellText(channel, ChannelField::Lockout, "yes");
    EXPECT_TRUE(channel.GetLockout());
    EXPECT_FALSE(channel.GetDelay());
    EXPECT_TRUE(channel.GetPriority());
}

TEST(ChannelCellText, TextsAreKeptExactlyAndIgnoredColumnsChangeNothing)
{
    vnChannel channel;
    channel.SetNumber(7);
    SetChannelCellText(channel, ChannelField::Description, "  Fire Dept  ");
    SetChannelCellText(channel, ChannelField::Description, "  Fire Dept  "); // reported twice: same result
    SetChannelCellText(channel, ChannelField::CarNumber, "007");
    SetChannelCellText(channel, ChannelField::Number, "99");
    EXPECT_EQ(channel.GetDescription(), "  Fire Dept  ");
    EXPECT_EQ(channel.GetCarNumber(), "007");
    EXPECT_EQ(channel.GetNumber(), 7);
}

struct TypedCase
{
    ChannelField field;
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
    SetChannelCellText(channel, ChannelField::Frequency, "146.52");
    for (ChannelField flag : {ChannelField::Delay, ChannelField::Lockout, ChannelField::Priority})
        SetChannelCellText(channel, flag, "True");
    EXPECT_EQ(SetTypedChannelCellText(channel, c.field, c.typed), c.taken);
    EXPECT_EQ(GetChannelCellText(channel, c.field), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Editor, TypedCellText,
                         ::testing::Values(TypedCase{ChannelField::Frequency, "146,52", true, "146.5200"},
                                           TypedCase{ChannelField::Frequency, " 155.1 ", true, "155.1000"},
                                           TypedCase{ChannelField::Frequency, "462.5625 mhz", true, "462.5625"},
                                           TypedCase{ChannelField::Frequency, "851.0125MHz", true, "851.0125"},
                                           TypedCase{ChannelField::Frequency, "-5", true, "-5.0000"},
                                           TypedCase{ChannelField::Frequency, "1.5e2", true, "150.0000"},
                                           TypedCase{ChannelField::Frequency, "", true, ""},
                                           TypedCase{ChannelField::Frequency, "  ", true, ""},
                                           TypedCase{ChannelField::Frequency, "l46.52", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "146.52 kHz", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "1,234.5", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "146,52,1", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "MHz", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "1e999", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "1e303", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "-1e303", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "1e-400", false, "146.5200"},
                                           TypedCase{ChannelField::Frequency, "100000", true, "100000.0000"},
                                           TypedCase{ChannelField::Delay, "off", true, "False"},
                                           TypedCase{ChannelField::Delay, "NO", true, "False"},
                                           TypedCase{ChannelField::Lockout, "", true, "False"},
                                           TypedCase{ChannelField::Priority, "Yes", true, "True"},
                                           TypedCase{ChannelField::Priority, "Ture", false, "True"},
                                           TypedCase{ChannelField::Lockout, "1", false, "True"},
                                           TypedCase{ChannelField::Delay, " yes", false, "True"},
                                           TypedCase{ChannelField::Description, "l46.52", true, "l46.52"}));

TEST(ChannelCellText, RejectedTextMessageNamesTheChannelAndWhatItKeeps)
{
    vnChannel channel;
    channel.SetNumber(12);
    SetChannelCellText(channel, ChannelField::Frequency, "146.52");
    EXPECT_EQ(RejectedCellTextMessage(channel, ChannelField::Frequency, "l46.52"),
              "\"l46.52\" is not a frequency in MHz; channel 12 keeps 146.5200");
    EXPECT_EQ(RejectedCellTextMessage(channel, ChannelField::Lockout, "Ture"),
              "\"Ture\" is not True or False; Lockout of channel 12 keeps False");
}
