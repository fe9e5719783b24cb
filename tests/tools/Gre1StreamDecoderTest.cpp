#include "tools/Gre1StreamDecoder.h"
#include "tests/support/Gre1Packets.h"

#include <gtest/gtest.h>

#include <random>

namespace {
std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::vector<Gre1StreamItem> DecodeAll(const std::string& bytes, std::size_t chunk = 0)
{
    Gre1StreamDecoder decoder;
    std::vector<Gre1StreamItem> items;
    auto data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (chunk == 0)
        chunk = bytes.size();
    for (std::size_t at = 0; at < bytes.size(); at += chunk)
        decoder.Feed(data + at, std::min(chunk, bytes.size() - at), items);
    decoder.Flush(items);
    return items;
}

// Items in short form: "P<command>/<subcommand>:<data>" or "F<offset>+<size>:<fault>".
std::vector<std::string> Summary(const std::vector<Gre1StreamItem>& items)
{
    std::vector<std::string> out;
    for (const auto& item : items) {
        if (item.isPacket)
            out.push_back("P" + std::to_string(item.command) + "/" + std::to_string(item.subcommand) + ":" + item.data);
        else
            out.push_back("F" + std::to_string(item.offset) + "+" + std::to_string(item.size) + ":" + item.fault);
    }
    return out;
}

struct WireCase
{
    const char* hex;
    std::uint8_t command;
    std::uint8_t subcommand;
    std::string data;
};

class DecodesWireExamples : public testing::TestWithParam<WireCase>
{};

TEST_P(DecodesWireExamples, InOneBlockAndByteByByte)
{
    const std::string bytes = FromHex(GetParam().hex);
    for (std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{3}}) {
        auto items = DecodeAll(bytes, chunk);
        ASSERT_EQ(items.size(), 1u) << "chunk " << chunk;
        EXPECT_TRUE(items[0].isPacket) << items[0].fault;
        EXPECT_EQ(items[0].command, GetParam().command);
        EXPECT_EQ(items[0].subcommand, GetParam().subcommand);
        EXPECT_EQ(items[0].data, GetParam().data);
        EXPECT_EQ(items[0].size, bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, DecodesWireExamples,
    testing::Values(WireCase{"81 04 02 01 00 F9", 2, 1, ""}, WireCase{"81 04 01 01 01 F9", 1, 1, "\x01"},
                    WireCase{"81 04 01 01 C8 32", 1, 1, "\xC8"}, WireCase{"81 06 10 00 61 62 63 C4", 16, 0, "abc"},
                    WireCase{"81 19 10 00 43 35 5E 46 31 34 36 2E 35 32 30 30 5E 44 53 5E 4C 52 5E 50 52 5E DC", 16, 0,
                             "C5^F146.5200^DS^LR^PR^"}));

TEST(Gre1StreamDecoder, TakesTheLongestPacket)
{
    std::string data(249, 'x');
    auto items = DecodeAll(TestPacket(16, 0, data));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].isPacket);
    EXPECT_EQ(items[0].data, data);
    EXPECT_EQ(items[0].size, 254u);
}

struct MalformedCase
{
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
};

class DecodesMalformedInput : public testing::TestWithParam<MalformedCase>
{};

TEST_P(DecodesMalformedInput, ReportsTheFaultAndRecoversAtTheNextSyncByte)
{
    EXPECT_EQ(Summary(DecodeAll(GetParam().bytes)), GetParam().expected);
    // Arriving in single bytes changes nothing.
    EXPECT_EQ(Summary(DecodeAll(GetParam().bytes, 1)), GetParam().expected);
}

std::string WithBadChecksum(std::string packet)
{
    packet.back() = static_cast<char>(packet.back() ^ 0x01);
    return packet;
}

const std::string End = TestEnd();

INSTANTIATE_TEST_SUITE_P(
    Faults, DecodesMalformedInput,
    testing::Values(MalformedCase{"StrayBytesBeforeAPacket", "xyz" + End, {"F0+3:3 bytes outside a packet", "P2/1:"}},
                    MalformedCase{"StrayBytesAtTheEnd", End + "q", {"P2/1:", "F6+1:1 byte outside a packet"}},
                    MalformedCase{"BadChecksumSkipsThePacketOnly",
                                  WithBadChecksum(TestChannel("C1^F1.0000^DR^LR^PR^")) + End,
                                  {"F0+25:bad checksum: got 0x55, expected 0x54", "P2/1:"}},
                    MalformedCase{"LengthTooSmall",
                                  std::string("\x81\x03\x02\x01", 4) + End,
                                  {"F0+1:length 3 is not from 4 to 252", "F1+3:3 bytes outside a packet", "P2/1:"}},
                    MalformedCase{"LengthTooLarge",
                                  std::string("\x81\xFD", 2) + End,
                                  {"F0+1:length 253 is not from 4 to 252", "F1+1:1 byte outside a packet", "P2/1:"}},
                    MalformedCase{"ZeroByteInsideTheData",
                                  TestPacket(16, 0, std::string("C1\0F", 4)) + End,
                                  {"F0+9:zero byte inside the data", "P2/1:"}},
                    MalformedCase{"PacketCutShortByTheNextOne",
                                  TestChannel("C1^F1.0000^DR^LR^PR^").substr(0, 10) + End,
                                  {"F0+10:packet cut short: 10 bytes of 25 arrived", "P2/1:"}},
                    MalformedCase{"LengthSwallowingTheNextPacket",
                                  TestChannel("C1^F1.0000^DR^LR^PR^").substr(0, 5) + End +
                                      TestChannel("C2^F2.0000^DR^LR^PR^"),
                                  {"F0+1:bad checksum: got 0x30, expected 0x64 (a sync byte follows within its length; "
                                   "resynchronising there)",
                                   "F1+4:4 bytes outside a packet", "P2/1:", "P16/0:C2^F2.0000^DR^LR^PR^"}},
                    MalformedCase{"SyncByteAlone", End + "\x81", {"P2/1:", "F6+1:sync byte without a packet"}},
                    MalformedCase{"TwoSyncBytes", "\x81" + End, {"F0+1:sync byte without a packet", "P2/1:"}},
                    MalformedCase{"EmptyChannelPacketIsAPacket", TestChannel(""), {"P16/0:"}},
                    MalformedCase{"NothingAtAll", "", {}}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

TEST(Gre1StreamDecoder, AccountsForEveryByteOfRandomInputAndFindsThePacketsBetweenJunk)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string junk;
        std::string stream;
        std::vector<std::string> packets;
        for (int part = 0; part < 8; ++part) {
            std::string noise(static_cast<std::size_t>(byte(random) % 40), '\0');
            for (char& c : noise) {
                c = static_cast<char>(byte(random));
                if (c == '\x81')
                    c = 'J'; // junk without sync bytes cannot hide a packet
            }
            std::string packet = TestChannel("C" + std::to_string(part + 1) + "^F1.0000^DR^LR^PR^");
            stream += noise + packet;
            packets.push_back(packet.substr(4, packet.size() - 5));
        }
        auto items = DecodeAll(stream, static_cast<std::size_t>(1 + round % 17));
        std::size_t covered = 0;
        std::vector<std::string> found;
        for (const auto& item : items) {
            EXPECT_EQ(item.offset, covered);
            covered += item.size;
            if (item.isPacket)
                found.push_back(item.data);
        }
        EXPECT_EQ(covered, stream.size());
        EXPECT_EQ(found, packets);
    }

    // Entirely random bytes, sync bytes included: every byte still lands in
    // exactly one item.
    for (int round = 0; round < 200; ++round) {
        std::string stream(2000, '\0');
        for (char& c : stream)
            c = static_cast<char>(byte(random) < 20 ? 0x81 : byte(random));
        auto items = DecodeAll(stream, static_cast<std::size_t>(1 + round % 31));
        std::size_t covered = 0;
        for (const auto& item : items) {
            ASSERT_EQ(item.offset, covered);
            ASSERT_GT(item.size, 0u);
            covered += item.size;
        }
        EXPECT_EQ(covered, stream.size());
    }
}
} // namespace
