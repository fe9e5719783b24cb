#include "tools/VirtualScanner.h"
#include "tests/support/Gre1Packets.h"
#include "tools/VirtualScannerReport.h"

#include <gtest/gtest.h>

namespace {
using Kind = ScannerEvent::Kind;

std::vector<ScannerEvent> Send(VirtualScanner& scanner, const std::string& bytes)
{
    std::vector<ScannerEvent> events;
    scanner.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), events);
    return events;
}

std::vector<Kind> Kinds(const std::vector<ScannerEvent>& events)
{
    std::vector<Kind> kinds;
    for (const auto& event : events)
        kinds.push_back(event.kind);
    return kinds;
}

TEST(VirtualScanner, StoresTheChannelsOfAnUploadAndSumsItUp)
{
    VirtualScanner scanner;
    auto events = Send(scanner,
                       TestStart(200) + TestChannel("C5^F146.5200^DS^LR^PR^") +
                           TestChannel("C6^V12^F0.0010^DR^LS^PS^") + TestEnd());
    ASSERT_EQ(Kinds(events), (std::vector<Kind>{Kind::Start, Kind::Channel, Kind::Channel, Kind::Summary}));
    EXPECT_EQ(events[0].count, 200);
    EXPECT_EQ(events[1].channel.number, 5);
    EXPECT_EQ(events[2].text, "C6^V12^F0.0010^DR^LS^PS^");
    const ScannerEvent& summary = events[3];
    EXPECT_TRUE(summary.complete);
    EXPECT_EQ(summary.upload, 1);
    EXPECT_EQ(summary.count, 200);
    EXPECT_EQ(summary.packets, 4);
    EXPECT_EQ(summary.stored, 2);
    EXPECT_TRUE(summary.rejections.empty());

    EXPECT_EQ(scanner.UploadsFinished(), 1);
    EXPECT_EQ(scanner.MemoriesInUse(), 2);
    ASSERT_TRUE(scanner.Memory(6));
    EXPECT_EQ(scanner.Memory(6)->carNumber, "12");
    EXPECT_FALSE(scanner.Memory(7));
    EXPECT_FALSE(scanner.Memory(0));
    EXPECT_FALSE(scanner.Memory(201));
}

TEST(VirtualScanner, MemoriesOutliveAnUploadAndALaterUploadOverwritesThem)
{
    VirtualScanner scanner;
    Send(scanner,
         TestStart(200) + TestChannel("C1^F1.0000^DR^LR^PR^") + TestChannel("C2^F2.0000^DR^LR^PR^") + TestEnd());
    auto events = Send(scanner, TestStart(1) + TestChannel("C2^F9.0000^DS^LR^PR^") + TestEnd());
    ASSERT_EQ(events.back().kind, Kind::Summary);
    EXPECT_EQ(events.back().upload, 2);
    EXPECT_EQ(events.back().count, 1);
    EXPECT_EQ(scanner.Memory(1)->frequency, "1.0000");
    EXPECT_EQ(scanner.Memory(2)->frequency, "9.0000");
    EXPECT_EQ(scanner.UploadsFinished(), 2);
}

struct RuleCase
{
    const char* name;
    std::string bytes;
    std::string reason; // of the one rejection
    int uploadOfRejection;
};

class VirtualScannerRefuses : public testing::TestWithParam<RuleCase>
{};

TEST_P(VirtualScannerRefuses, WhatAScannerWouldNotTakeAndStoresNothingOfIt)
{
    VirtualScanner scanner;
    auto events = Send(scanner, GetParam().bytes);
    scanner.Flush(events);
    std::vector<std::string> reasons;
    for (const auto& event : events) {
        if (event.kind == Kind::Rejected) {
            reasons.push_back(event.reason);
            EXPECT_EQ(event.upload, GetParam().uploadOfRejection);
        }
    }
    EXPECT_EQ(reasons, std::vector<std::string>{GetParam().reason});
    EXPECT_EQ(scanner.MemoriesInUse(), 0);
    // A rejection inside an upload shows in its summary.
    for (const auto& event : events) {
        if (event.kind == Kind::Summary && GetParam().uploadOfRejection == event.upload) {
            EXPECT_EQ(event.rejections, std::vector<std::string>{GetParam().reason});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, VirtualScannerRefuses,
    testing::Values(
        RuleCase{"ChannelBeforeStart", TestChannel("C1^F1.0000^DR^LR^PR^"), "channel packet outside an upload", 0},
        RuleCase{"EndBeforeStart", TestEnd(), "end packet outside an upload", 0},
        RuleCase{"ChannelWithoutNumber", TestStart(1) + TestChannel("F1.0000^DR^LR^PR^") + TestEnd(),
                 "channel without a number: \"F1.0000^DR^LR^PR^\"", 1},
        RuleCase{"ChannelNumberZero", TestStart(1) + TestChannel("C0^F1.0000^DR^LR^PR^") + TestEnd(),
                 "channel number 0 is not from 1 to 200", 1},
        RuleCase{"ChannelNumberTooLarge", TestStart(200) + TestChannel("C201^F1.0000^DR^LR^PR^") + TestEnd(),
                 "channel number 201 is not from 1 to 200", 1},
        RuleCase{"ChannelTextCutShort",
                 TestStart(200) + TestChannel("C1^V" + std::string(230, 'x') + "^F1.00") + TestEnd(),
                 "channel text \"C1^V" + std::string(230, 'x') + "^F1.00\": text does not end with ^", 1},
        RuleCase{"StartWithoutCount", TestPacket(1, 1, ""), "start packet with 0 data bytes instead of 1", 0},
        RuleCase{"EndWithData", TestStart(1) + TestPacket(2, 1, "x") + TestEnd(), "end packet with data", 1},
        RuleCase{"UnknownPacket", TestStart(1) + TestPacket(3, 0, "x") + TestEnd(),
                 "unknown packet: command 3, subcommand 0", 1},
        RuleCase{"BytesBetweenPackets", TestStart(1) + "\r\n" + TestEnd(), "2 bytes outside a packet", 1},
        RuleCase{"UploadCutShort", TestStart(200) + TestChannel("C1^F1.0000^DR^LR^PR^").substr(0, 8),
                 "packet cut short: 8 bytes of 25 arrived", 1}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(VirtualScanner, AStartInsideAnUploadAbandonsItAndBeginsTheNext)
{
    VirtualScanner scanner;
    auto events = Send(scanner,
                       TestStart(200) + TestChannel("C1^F1.0000^DR^LR^PR^") + TestStart(1) +
                           TestChannel("C2^F2.0000^DR^LR^PR^") + TestEnd());
    ASSERT_EQ(Kinds(events),
              (std::vector<Kind>{Kind::Start, Kind::Channel, Kind::Rejected, Kind::Summary, Kind::Start, Kind::Channel,
                                 Kind::Summary}));
    EXPECT_EQ(events[2].reason, "start packet inside upload 1, which had no end packet");
    EXPECT_FALSE(events[3].complete);
    EXPECT_EQ(events[3].upload, 1);
    EXPECT_EQ(events[3].stored, 1);
    EXPECT_TRUE(events[6].complete);
    EXPECT_EQ(events[6].upload, 2);
    EXPECT_EQ(scanner.UploadsFinished(), 1);
    EXPECT_EQ(scanner.MemoriesInUse(), 2);
}

TEST(VirtualScannerReport, EscapesBytesFromTheWireInJsonAndText)
{
    const std::string wire = std::string("a\"b\\c\x01\x7f\xe9", 8);
    EXPECT_EQ(VirtualScannerReport::JsonString(wire), "\"a\\\"b\\\\c\\u0001\\u007f\\u00e9\"");
    EXPECT_EQ(VirtualScannerReport::Printable(wire), "a\"b\\x5cc\\x01\\x7f\\xe9");
}

TEST(VirtualScannerReport, ChannelAndSummaryAsJsonLines)
{
    VirtualScanner scanner;
    auto events = Send(scanner, TestStart(200) + TestChannel("C5^V\"7^F146.5200^DS^LR^PR^") + TestEnd());
    VirtualScannerReport json(true);
    EXPECT_EQ(json.Event(events[1], 1),
              "{\"event\":\"channel\",\"upload\":1,\"number\":5,\"frequency\":\"146.5200\",\"car\":\"\\\"7\","
              "\"delay\":true,\"lockout\":false,\"priority\":false,\"text\":\"C5^V\\\"7^F146.5200^DS^LR^PR^\"}");
    EXPECT_EQ(json.Event(events[2], 1),
              "{\"event\":\"summary\",\"upload\":1,\"count\":200,\"complete\":true,\"packets\":3,\"stored\":1,"
              "\"rejected\":0,\"reasons\":[],\"memoriesInUse\":1}");
}
} // namespace

TEST(VirtualScannerReport, HoldsListsEveryMemoryInUse)
{
    VirtualScanner scanner;
    EXPECT_EQ(VirtualScannerReport(true).Holds(scanner), "{\"event\":\"holds\",\"memories\":[]}");
    EXPECT_EQ(VirtualScannerReport(false).Holds(scanner), "holds: nothing");
    Send(scanner,
         TestStart(200) + TestChannel("C9^V78^F155.4750^DR^LS^PR^") + TestChannel("C2^F2.0000^DR^LR^PR^") + TestEnd());
    EXPECT_EQ(VirtualScannerReport(true).Holds(scanner),
              "{\"event\":\"holds\",\"memories\":[{\"number\":2,\"frequency\":\"2.0000\",\"car\":\"\",\"delay\":false,"
              "\"lockout\":false,\"priority\":false},{\"number\":9,\"frequency\":\"155.4750\",\"car\":\"78\","
              "\"delay\":false,\"lockout\":true,\"priority\":false}]}");
    EXPECT_EQ(VirtualScannerReport(false).Holds(scanner), "holds: 2 2.0000, 9 155.4750 car 78 locked out");
}
