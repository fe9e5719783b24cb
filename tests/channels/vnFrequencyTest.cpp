#include "channels/vnFrequency.h"
#include "channels/vnChannel.h"

#include <gtest/gtest.h>

#include <limits>

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

struct StepCase
{
    double mhz;
    bool onChannelStep;
};

class FrequencyChannelStep : public testing::TestWithParam<StepCase>
{};

TEST_P(FrequencyChannelStep, IsOnA2Point5OrA6Point25KilohertzStep)
{
    EXPECT_EQ(vnFrequency::IsOnChannelStep(GetParam().mhz), GetParam().onChannelStep) << GetParam().mhz;
}

INSTANTIATE_TEST_SUITE_P(Frequencies, FrequencyChannelStep,
                         testing::Values(StepCase{0.0, true}, StepCase{146.52, true}, StepCase{162.55, true},
                                         StepCase{462.5625, true}, StepCase{851.00625, true},
                                         StepCase{851.006250, true},
                                         // As four decimals show 851.00625, either way it rounds.
                                         StepCase{851.0063, true}, StepCase{851.0062, true}, StepCase{145.5075, true},
                                         StepCase{118.025, true}, StepCase{468.5152, false}, StepCase{146.5201, false},
                                         StepCase{146.52006, false}, StepCase{462.5640, false},
                                         StepCase{1296.0011, false}));

TEST(vnFrequency, LiesOnAStepOnlyWithinHalfTheLastShownDecimal)
{
    EXPECT_TRUE(vnFrequency::IsOnStep(462.5625, 12.5));
    EXPECT_TRUE(vnFrequency::IsOnStep(462.5625, 6.25));
    EXPECT_FALSE(vnFrequency::IsOnStep(462.5625, 5.0));
    EXPECT_TRUE(vnFrequency::IsOnStep(146.52, 5.0));
    EXPECT_FALSE(vnFrequency::IsOnStep(146.52, 12.5));
    EXPECT_FALSE(vnFrequency::IsOnStep(std::numeric_limits<double>::infinity(), 5.0));
}
