#include "modules/gre1/vnGre1Port.h"

#include "channels/vnChannel.h"
#include "tests/support/CommaLocale.h"
#include "tests/support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Flags
{
    bool delay = false;
    bool lockout = false;
    bool priority = false;
};

vnChannel MakeChannel(std::int32_t number, double mhz, const std::string& carNumber = "", Flags flags = {})
{
    vnChannel channel;
    channel.SetNumber(number);
    vnFrequency frequency;
    frequency.SetMHz(mhz);
    channel.SetFrequency(frequency);
    channel.SetCarNumber(carNumber);
    channel.SetDescription("never sent");
    channel.SetDelay(flags.delay);
    channel.SetLockout(flags.lockout);
    channel.SetPriority(flags.priority);
    return channel;
}

struct TextCase
{
    const char* name;
    vnChannel channel;
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class vnGre1ChannelTextTest : public ::testing::TestWithParam<TextCase>
{};

TEST_P(vnGre1ChannelTextTest, FormatsFieldsInOrder)
{
    std::string text = "stale";
    ASSERT_TRUE(vnGre1Port::FormatChannelText(GetParam().channel, &text));
    EXPECT_EQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Channels, vnGre1ChannelTextTest,
    ::testing::Values(
        TextCase{"WorkedExample", MakeChannel(5, 146.52, "", {true, false, false}), "C5^F146.5200^DS^LR^PR^"},
        TextCase{"NumberZeroHasNoC", MakeChannel(0, 146.52), "F146.5200^DR^LR^PR^"},
        TextCase{"CarNumberAfterChannel", MakeChannel(12, 460.0125, "A7"), "C12^VA7^F460.0125^DR^LR^PR^"},
        TextCase{"CarNumberWithoutNumber", MakeChannel(0, 1.0, "x"), "Vx^F1.0000^DR^LR^PR^"},
        TextCase{"NegativeNumber", MakeChannel(-3, 851.0125, "", {true, true, true}), "C-3^F851.0125^DS^LS^PS^"},
        TextCase{"OneKilohertz", MakeChannel(1, 0.001, "", {false, true, true}), "C1^F0.0010^DR^LS^PS^"},
        TextCase{"NegativeFrequency", MakeChannel(7, -5.0), "C7^F-5.0000^DR^LR^PR^"},
        // Texts are zero-terminated on the wire: a car number ends at a zero byte.
        TextCase{"CarNumberEndsAtZero", MakeChannel(1, 1.0, std::string("ab\0cd", 5)), "C1^Vab^F1.0000^DR^LR^PR^"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(vnGre1ChannelTextTest, UsesAPointUnderAGermanLocale)
{
    CommaLocale comma;
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    std::string text;
    vnGre1Port::FormatChannelText(MakeChannel(5, 146.52), &text);
    EXPECT_EQ(text, "C5^F146.5200^DR^LR^PR^");
}

TEST(vnGre1ChannelTextTest, FrequencyZeroIsNotSent)
{
    std::string text;
    EXPECT_FALSE(vnGre1Port::FormatChannelText(MakeChannel(5, 0.0, "car"), &text));
    EXPECT_FALSE(vnGre1Port::FormatChannelText(MakeChannel(5, -0.0), &text));
}

// The upload steps on a closed port: nothing can be written, and the checks
// that come before writing still answer.
TEST(vnGre1PortTest, SendChannelAnswersBeforeWritingOnAClosedPort)
{
    vnGre1Port port;
    EXPECT_EQ(port.SendChannel(MakeChannel(1, 0.0)), S_SKIPPED);
    EXPECT_EQ(port.SendChannel(MakeChannel(1, 146.52)), E_FAIL);
    // "C1^V" + 240 + "^F146.5200^DR^LR^PR^" is 264 bytes: refused, not cut.
    EXPECT_EQ(port.SendChannel(MakeChannel(1, 146.52, std::string(240, 'v'))), E_INVALIDARG);
}

TEST(vnGre1PortTest, OneChannelUploadOnAPseudoTerminal)
{
    PseudoTerminal scanner;
    ASSERT_TRUE(scanner.Ok());
    vnGre1Port port;
    ASSERT_EQ(port.Configure(scanner.Path(), 4800, 2), S_OK);

    EXPECT_EQ(port.BeginUpload(1), S_OK);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.SendChannel(MakeChannel(5, 146.52, "", {true, false, false})), S_OK);
    EXPECT_EQ(port.SendChannel(MakeChannel(6, 0.0)), S_SKIPPED);
    EXPECT_EQ(port.EndUpload(), S_OK);
    EXPECT_FALSE(port.IsOpen());

    const std::vector<std::uint8_t> expected = {0x81, 0x04, 0x01, 0x01, 0x01, 0xF9, 0x81, 0x19, 0x10, 0x00,
                                                0x43, 0x35, 0x5E, 0x46, 0x31, 0x34, 0x36, 0x2E, 0x35, 0x32,
                                                0x30, 0x30, 0x5E, 0x44, 0x53, 0x5E, 0x4C, 0x52, 0x5E, 0x50,
                                                0x52, 0x5E, 0xDC, 0x81, 0x04, 0x02, 0x01, 0x00, 0xF9};
    EXPECT_EQ(scanner.ReadWritten(), expected);
}

} // namespace
