#include "channels/vnFrequency.h"
#include "channels/vnChannel.h"

#include <gtest/gtest.h>

namespace {

struct UnitCase
{
    std::int32_t unit;
    double argument;
    double expectedMHz;
};

class FrequencySetInUnit : public testing::TestWithParam<UnitCase>
{};

TEST_P(FrequencySetInUnit, AppliesTheFactorOfItsOwnUnit)
{
    const UnitCase& c = GetParam();
    vnFrequency frequency(0.0, c.unit);
    frequency.SetHz(7.0); // an unknown unit must leave this in place
    frequency.SetInUnit(c.argument);
    EXPECT_DOUBLE_EQ(frequency.GetMHz(), c.expectedMHz);
}

INSTANTIATE_TEST_SUITE_P(Units, FrequencySetInUnit,
                         testing::Values(UnitCase{0, 146.52, 146.52e-6}, UnitCase{1, 146.52, 146.52e-6},
                                         UnitCase{2, 5.0, 5000e-6}, UnitCase{3, 146.52, 146.52},
                                         UnitCase{4, 1.2, 1200.0}, UnitCase{3, -2.5, -2.5}, UnitCase{7, 146.52, 7e-6},
                                         UnitCase{-1, 146.52, 7e-6}));

TEST(vnFrequency, FixedUnitSettersIgnoreTheUnitCode)
{
    for (std::int32_t unit : {0, 1, 2, 3, 4, 9}) {
        vnFrequency frequency(0.0, unit);
        EXPECT_EQ(frequency.GetMHz(), 0.0);
        frequency.SetGHz(1.2);
        EXPECT_DOUBLE_EQ(frequency.GetMHz(), 1200.0) << unit;
        frequency.SetMHz(146.52);
        EXPECT_EQ(frequency.GetMHz(), 146.52) << unit;
        frequency.SetKHz(-5.0);
        EXPECT_DOUBLE_EQ(frequency.GetMHz(), -0.005) << unit;
        frequency.SetHz(1.0);
        EXPECT_DOUBLE_EQ(frequency.GetMHz(), 1e-6) << unit;
    }
}

TEST(vnChannel, EachFlagSetterChangesOnlyItsFlag)
{
    vnChannel channel;
    channel.SetPriority(true);
    EXPECT_TRUE(channel.GetPriority());
    EXPECT_FALSE(channel.GetLockout());
    EXPECT_FALSE(channel.GetDelay());
    channel.SetLockout(true);
    channel.SetPriority(false);
    EXPECT_TRUE(channel.GetLockout());
    EXPECT_FALSE(channel.GetPriority());
    EXPECT_FALSE(channel.GetDelay());
    channel.SetDelay(true);
    channel.SetLockout(false);
    EXPECT_TRUE(channel.GetDelay());
    EXPECT_FALSE(channel.GetLockout());
    EXPECT_FALSE(channel.GetPriority());
}

TEST(vnFrequency, TextsShowFourDecimalsAndReadLikeTheCLibrary)
{
    EXPECT_EQ(vnFrequency::MHzText(146.52), "146.5200");
    EXPECT_EQ(vnFrequency::MHzText(154.13, 6), "154.130000");
    EXPECT_DOUBLE_EQ(vnFrequency::ReadMHz(" 155.1 MHz"), 155.1);
    EXPECT_EQ(vnFrequency::ReadMHz("MHz"), 0.0);
    EXPECT_EQ(vnFrequency::ReadTypedMHz("146,52 mhz"), 146.52);
    EXPECT_FALSE(vnFrequency::ReadTypedMHz("146.52 kHz").has_value());
    EXPECT_FALSE(vnFrequency::ReadTypedMHz("1e999").has_value());
}

} // namespace
