#include "modules/gre1/vnGre1Packet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Wire(const vnGre1Packet& packet)
{
    vnGre1WireBuffer buffer{};
    const std::uint8_t size = packet.Serialize(buffer);
    return {buffer.begin(), buffer.begin() + size};
}

struct WorkedExample
{
    const char* name;
    std::uint8_t command;
    std::uint8_t subcommand;
    const char* data;
    std::vector<std::uint8_t> bytes;
};

void PrintTo(const WorkedExample& example, std::ostream* os)
{
    *os << example.name;
}

class vnGre1PacketExampleTest : public ::testing::TestWithParam<WorkedExample>
{};

TEST_P(vnGre1PacketExampleTest, SerialisesToTheProtocolBytes)
{
    const WorkedExample& example = GetParam();
    EXPECT_EQ(Wire(vnGre1Packet(example.command, example.subcommand, example.data)), example.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, vnGre1PacketExampleTest,
    ::testing::Values(WorkedExample{"UploadEnd", 2, 1, nullptr, {0x81, 0x04, 0x02, 0x01, 0x00, 0xF9}},
                      WorkedExample{"UploadEndEmptyText", 2, 1, "", {0x81, 0x04, 0x02, 0x01, 0x00, 0xF9}},
                      WorkedExample{"UploadStartOneChannel", 1, 1, "\x01", {0x81, 0x04, 0x01, 0x01, 0x01, 0xF9}},
                      // The checksum wraps: 4 + 1 + 1 + 200 = 206, 256 - 206 = 0x32.
                      WorkedExample{"UploadStartRange", 1, 1, "\xC8", {0x81, 0x04, 0x01, 0x01, 0xC8, 0x32}},
                      WorkedExample{"ThreeLetters", 0x10, 0, "abc", {0x81, 0x06, 0x10, 0x00, 0x61, 0x62, 0x63, 0xC4}},
                      WorkedExample{"Channel5", 0x10, 0, "C5^F146.5200^DS^LR^PR^", {0x81, 0x19, 0x10, 0x00, 0x43, 0x35,
                                                                                    0x5E, 0x46, 0x31, 0x34, 0x36, 0x2E,
                                                                                    0x35, 0x32, 0x30, 0x30, 0x5E, 0x44,
                                                                                    0x53, 0x5E, 0x4C, 0x52, 0x5E, 0x50,
                                                                                    0x52, 0x5E, 0xDC}}),
    [](const auto& info) { return std::string(info.param.name); });

// Length and checksum hold for every data size, including the cut at 249
// bytes, and bytes above 0x7F count as unsigned in the checksum.
class vnGre1PacketSizeTest : public ::testing::TestWithParam<std::size_t>
{};

TEST_P(vnGre1PacketSizeTest, LengthChecksumAndCutFollowTheDataSize)
{
    const std::size_t size = GetParam();
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        text += static_cast<char>(0x80 + i % 0x7F); // never zero
    const vnGre1Packet packet(0x10, 0, text.c_str());

    const std::size_t kept = std::min<std::size_t>(size, 249);
    EXPECT_EQ(std::string(packet.GetData()), text.substr(0, kept));

    const std::vector<std::uint8_t> wire = Wire(packet);
    const std::size_t dataOnWire = kept == 0 ? 1 : kept;
    ASSERT_EQ(wire.size(), 5 + dataOnWire);
    EXPECT_EQ(wire[0], 0x81);
    EXPECT_EQ(wire[1], dataOnWire + 3);
    EXPECT_EQ(packet.GetLength(), dataOnWire + 3);
    unsigned sum = 0;
    for (std::size_t i = 1; i < wire.size(); ++i)
        sum += wire[i];
    EXPECT_EQ(sum % 256, 0u) << "length through checksum must add up to 0";
    EXPECT_EQ(wire.back(), packet.GetChecksum());
}

INSTANTIATE_TEST_SUITE_P(DataSizes, vnGre1PacketSizeTest, ::testing::Values(0, 1, 2, 128, 248, 249, 250, 251, 400));

TEST(vnGre1PacketTest, ChangingCommandKeepsDataAndRecomputes)
{
    vnGre1Packet packet(0x10, 0, "abc");
    packet.SetCommand(2, 1);
    EXPECT_STREQ(packet.GetData(), "abc");
    // 0x81 06 02 01 'a' 'b' 'c': 6 + 2 + 1 + 0x126 = 0x12F, so checksum 0xD1.
    EXPECT_EQ(Wire(packet), (std::vector<std::uint8_t>{0x81, 0x06, 0x02, 0x01, 0x61, 0x62, 0x63, 0xD1}));
}

TEST(vnGre1PacketTest, ReplacingDataRecomputesAndShorterDataLeavesNoTail)
{
    vnGre1Packet packet(0x10, 0, "a long piece of channel text");
    packet.SetData("abc");
    EXPECT_EQ(Wire(packet), (std::vector<std::uint8_t>{0x81, 0x06, 0x10, 0x00, 0x61, 0x62, 0x63, 0xC4}));

    packet.SetData(nullptr);
    EXPECT_EQ(Wire(packet), (std::vector<std::uint8_t>{0x81, 0x04, 0x10, 0x00, 0x00, 0xEC}));
}

TEST(vnGre1PacketTest, DataEndsAtTheFirstZeroByte)
{
    const vnGre1Packet packet(0x10, 0, "ab\0cd");
    EXPECT_EQ(Wire(packet), Wire(vnGre1Packet(0x10, 0, "ab")));
}

} // namespace
