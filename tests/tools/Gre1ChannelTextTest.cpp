#include "tools/Gre1ChannelText.h"

#include <gtest/gtest.h>

namespace {
struct GoodCase
{
    std::string text;
    bool hasNumber;
    std::int32_t number;
    std::string car;
    std::string frequency;
    double megahertz;
    bool delay, lockout, priority;
};

class ReadsChannelText : public testing::TestWithParam<GoodCase>
{};

TEST_P(ReadsChannelText, FieldByField)
{
    const GoodCase& c = GetParam();
    ScannerChannel channel;
    std::string error;
    ASSERT_TRUE(Gre1ChannelText::Parse(c.text, &channel, &error)) << error;
    EXPECT_EQ(channel.hasNumber, c.hasNumber);
    EXPECT_EQ(channel.number, c.number);
    EXPECT_EQ(channel.carNumber, c.car);
    EXPECT_EQ(channel.frequency, c.frequency);
    EXPECT_DOUBLE_EQ(channel.megahertz, c.megahertz);
    EXPECT_EQ(channel.delay, c.delay);
    EXPECT_EQ(channel.lockout, c.lockout);
    EXPECT_EQ(channel.priority, c.priority);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadsChannelText,
    testing::Values(GoodCase{"C5^F146.5200^DS^LR^PR^", true, 5, "", "146.5200", 146.52, true, false, false},
                    GoodCase{"C200^V A-7^F1300.0000^DR^LS^PS^", true, 200, " A-7", "1300.0000", 1300.0, false, true,
                             true},
                    GoodCase{"V12^F0.0010^DR^LR^PR^", false, 0, "12", "0.0010", 0.001, false, false, false},
                    GoodCase{"C-3^F-1.5000^DR^LR^PR^", true, -3, "", "-1.5000", -1.5, false, false, false}));

struct BadCase
{
    std::string text;
    std::string error;
};

class RefusesChannelText : public testing::TestWithParam<BadCase>
{};

TEST_P(RefusesChannelText, WithTheReason)
{
    ScannerChannel channel;
    channel.number = 77;
    std::string error;
    EXPECT_FALSE(Gre1ChannelText::Parse(GetParam().text, &channel, &error));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(channel.number, 77); // untouched
}

INSTANTIATE_TEST_SUITE_P(Texts, RefusesChannelText,
                         testing::Values(BadCase{"", "text does not end with ^"},
                                         BadCase{"C5^F146.5200^DS^LR^", "field P missing"},
                                         BadCase{"C5^DS^LR^PR^", "field F missing"},
                                         BadCase{"C5^F1.0000^LR^DS^PR^", "field D missing"},
                                         BadCase{"C5^F1.0000^DS^DS^LR^PR^", "field D out of order or repeated"},
                                         BadCase{"C1^C2^F1.0000^DS^LR^PR^", "field C out of order or repeated"},
                                         BadCase{"C5^F146.52^DS^LR^PR^", "bad value in field F"},
                                         BadCase{"C5^F146,5200^DS^LR^PR^", "bad value in field F"},
                                         BadCase{"C5^F.5200^DS^LR^PR^", "bad value in field F"},
                                         BadCase{"C5^F146.5200^DX^LR^PR^", "bad value in field D"},
                                         BadCase{"C5x^F146.5200^DS^LR^PR^", "bad value in field C"},
                                         BadCase{"C99999999999^F146.5200^DS^LR^PR^", "bad value in field C"},
                                         BadCase{"C5^V^F146.5200^DS^LR^PR^", "bad value in field V"},
                                         BadCase{"C5^^F146.5200^DS^LR^PR^", "empty field"},
                                         BadCase{"C5^Q1^F146.5200^DS^LR^PR^", "unknown field Q"},
                                         BadCase{"C5^F146.5200^DS^LR^PR^C6^", "field C out of order or repeated"},
                                         BadCase{std::string("\x01^F1.0000^DS^LR^PR^"), "unknown field ?"}));
} // namespace
