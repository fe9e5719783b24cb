#include "modules/gre1/vnGre1Transfer.h"

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnByteSink.h"
#include "modules/vnSettingsStore.h"
#include "tests/support/Gre1Packets.h"
#include "tests/support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace {

class RecordingProgress : public vnTransferProgress
{
public:
    void OnProgress(std::int32_t sent, std::int32_t total) override { calls.emplace_back(sent, total); }
    void OnState(const vnTransferState& state) override { states.push_back(state); }
    std::vector<std::pair<std::int32_t, std::int32_t>> calls;
    std::vector<vnTransferState> states;
};

// Keeps each block it is given, or refuses them all with a reason.
class RecordingSink : public vnByteSink
{
public:
    bool Take(const std::uint8_t* data, std::size_t size, std::string* reason) override
    {
        if (!refusal.empty()) {
            *reason = refusal;
            return false;
        }
        blocks.emplace_back(data, data + size);
        return true;
    }
    std::vector<std::vector<std::uint8_t>> blocks;
    std::string refusal;
};

// A module whose port is a pseudo-terminal, and a list of channels numbered
// 1 upwards at 100 MHz + 12.5 kHz per channel.
class vnGre1TransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scanner.Ok());
        m_settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, m_scanner.Path());
        // The upload keeps to the line's speed; a fast line keeps the tests short.
        m_settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);
        m_module = std::make_unique<vnGre1Module>();
        vnTransfer* transfer = nullptr;
        ASSERT_EQ(m_module->GetTransfer(&transfer), S_OK);
        m_transfer = transfer;
    }

    void Fill(std::int32_t count)
    {
        for (std::int32_t i = 0; i < count; ++i) {
            vnChannel* channel = nullptr;
            m_list.AddNew(&channel);
            channel->SetNumber(i + 1);
            vnFrequency frequency;
            frequency.SetMHz(100.0 + 0.0125 * i);
            channel->SetFrequency(frequency);
        }
    }

    static std::string TextOf(const vnChannel& channel)
    {
        std::string text;
        vnGre1Port::FormatChannelText(channel, &text);
        return text;
    }

    // Start (count 200), the channels at the given indices, end.
    std::vector<WirePacket> RangeUpload(const std::vector<std::int32_t>& indices) const
    {
        std::vector<WirePacket> packets{StartPacket(200)};
        for (std::int32_t i : indices)
            packets.push_back(ChannelPacket(TextOf(*m_list.GetAt(i))));
        packets.push_back(EndPacket());
        return packets;
    }

    std::vector<WirePacket> Received() { return DecodePackets(m_scanner.ReadWritten()); }

    vnGre1Port* Port() const
    {
        vnGre1Port* port = nullptr;
        m_module->GetSerialPort(&port);
        return port;
    }

    PseudoTerminal m_scanner;
    vnMemorySettingsStore m_settings;
    vnSettingsScope m_settingsInUse{m_settings};
    std::unique_ptr<vnGre1Module> m_module;
    vnTransfer* m_transfer = nullptr;
    vnChannelList m_list;
};

TEST_F(vnGre1TransferTest, UploadAllSendsTheFirst200ChannelsInOrderWithProgress)
{
    Fill(205);
    RecordingProgress progress;
    m_transfer->SetProgress(&progress);

    ASSERT_EQ(m_transfer->UploadAll(&m_list), S_OK);

    std::vector<std::int32_t> indices;
    for (std::int32_t i = 0; i < 200; ++i)
        indices.push_back(i);
    const auto expected = RangeUpload(indices);
    EXPECT_EQ(Received(), expected);
    EXPECT_FALSE(Port()->IsOpen());

    ASSERT_EQ(progress.calls.size(), 202u);
    for (std::size_t i = 0; i < progress.calls.size(); ++i)
        EXPECT_EQ(progress.calls[i], std::make_pair(static_cast<std::int32_t>(i + 1), 202));
}

TEST_F(vnGre1TransferTest, ChannelsWithFrequencyZeroAreLeftOutAndNotCounted)
{
    Fill(4);
    m_list.GetAt(1)->SetFrequency(vnFrequency(0.0));
    m_list.GetAt(3)->SetFrequency(vnFrequency(0.0));
    RecordingProgress progress;
    m_transfer->SetProgress(&progress);

    ASSERT_EQ(m_transfer->UploadAll(&m_list), S_OK);
    const auto expected = RangeUpload({0, 2});
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(progress.calls, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    // The memory of the last channel sent, not its place in the upload.
    for (const vnTransferState& state : progress.states)
        EXPECT_EQ(state.lastNumber, state.channelsSent == 0 ? 0 : state.channelsSent == 1 ? 1 : 3);
    ASSERT_FALSE(progress.states.empty());
    EXPECT_EQ(progress.states.back().channelsSent, 2);
    EXPECT_EQ(progress.states.back().lastNumber, 3);
}

struct RangeCase
{
    std::int32_t first;
    std::int32_t last;
    std::vector<std::int32_t> sent;
};

void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.first << ".." << c.last;
}

class vnGre1TransferRangeTest : public vnGre1TransferTest, public ::testing::WithParamInterface<RangeCase>
{};

TEST_P(vnGre1TransferRangeTest, SendsTheIndicesInsideTheListWithCount200)
{
    Fill(10);
    ASSERT_EQ(m_transfer->UploadRange(GetParam().first, GetParam().last, &m_list), S_OK);
    const auto expected = RangeUpload(GetParam().sent);
    EXPECT_EQ(Received(), expected);
}

INSTANTIATE_TEST_SUITE_P(Ranges, vnGre1TransferRangeTest,
                         ::testing::Values(RangeCase{4, 6, {4, 5, 6}}, RangeCase{9, 9, {9}},
                                           RangeCase{7, 12, {7, 8, 9}}, RangeCase{-2, 1, {0, 1}}, RangeCase{6, 5, {}},
                                           RangeCase{10, 199, {}},
                                           RangeCase{std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max(),
                                                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}));

TEST_F(vnGre1TransferTest, UploadChannelSendsCountOneTheChannelAndTheEnd)
{
    Fill(1);
    RecordingProgress progress;
    m_transfer->SetProgress(&progress);
    ASSERT_EQ(m_transfer->UploadChannel(m_list.GetAt(0)), S_OK);
    const std::vector<WirePacket> expected{StartPacket(1), ChannelPacket("C1^F100.0000^DR^LR^PR^"), EndPacket()};
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(progress.calls, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 3}, {2, 3}, {3, 3}}));

    // A channel with frequency 0 is left out, but the upload is still framed.
    m_list.GetAt(0)->SetFrequency(vnFrequency(0.0));
    ASSERT_EQ(m_transfer->UploadChannel(m_list.GetAt(0)), S_OK);
    const std::vector<WirePacket> framed{StartPacket(1), EndPacket()};
    EXPECT_EQ(Received(), framed);
}

// A channel too long for one packet fails the whole upload before the port
// opens, rather than reaching the scanner cut short.
TEST_F(vnGre1TransferTest, AChannelThatDoesNotFitStopsTheUploadBeforeAnyByte)
{
    Fill(200);
    m_list.GetAt(149)->SetCarNumber(std::string(240, 'v'));
    RecordingProgress progress;
    m_transfer->SetProgress(&progress);

    EXPECT_EQ(m_transfer->UploadAll(&m_list), E_INVALIDARG);
    EXPECT_NE(m_transfer->GetFailureReason().find("Channel 150 does not fit in one packet"), std::string::npos)
        << m_transfer->GetFailureReason();
    EXPECT_EQ(m_transfer->UploadChannel(m_list.GetAt(149)), E_INVALIDARG);

    EXPECT_FALSE(Port()->IsOpen());
    EXPECT_TRUE(progress.calls.empty());
    EXPECT_TRUE(m_scanner.ReadWritten().empty());

    // The longest text that fits goes whole: C150^V + 223 + ^F101.8625^DR^LR^PR^ is 249 bytes.
    m_list.GetAt(149)->SetCarNumber(std::string(223, 'v'));
    ASSERT_EQ(TextOf(*m_list.GetAt(149)).size(), 249u);
    ASSERT_EQ(m_transfer->UploadChannel(m_list.GetAt(149)), S_OK);
    EXPECT_TRUE(m_transfer->GetFailureReason().empty());
    const std::vector<WirePacket> expected{StartPacket(1), ChannelPacket(TextOf(*m_list.GetAt(149))), EndPacket()};
    EXPECT_EQ(Received(), expected);
}

TEST_F(vnGre1TransferTest, UnopenablePortGivesEFailAndTheDevicesReason)
{
    Fill(2);
    ASSERT_EQ(Port()->Configure("/dev/scanlore-no-such-device", 4800, 2), S_OK);
    EXPECT_EQ(m_transfer->UploadAll(&m_list), E_FAIL);
    // The port's own reason, which names the device and the system's error.
    EXPECT_EQ(m_transfer->GetFailureReason(), Port()->GetFailureReason());
    EXPECT_NE(m_transfer->GetFailureReason().find("/dev/scanlore-no-such-device"), std::string::npos)
        << m_transfer->GetFailureReason();
    EXPECT_EQ(m_transfer->UploadChannel(m_list.GetAt(0)), E_FAIL);
    EXPECT_TRUE(m_scanner.ReadWritten().empty());
}

struct RefusedCarCase
{
    std::string carNumber;
    std::string reason;
};

void PrintTo(const RefusedCarCase& c, std::ostream* os)
{
    *os << c.reason;
}

class vnGre1TransferCarNumberTest : public vnGre1TransferTest, public ::testing::WithParamInterface<RefusedCarCase>
{};

// A car number that would break the field structure, or that holds a byte
// the scanner cannot show, refuses the whole upload before any byte is sent.
TEST_P(vnGre1TransferCarNumberTest, RefusesTheUploadBeforeAnyByteAndNamesTheCharacter)
{
    Fill(200);
    m_list.GetAt(6)->SetCarNumber(GetParam().carNumber);
    const std::string reason = "Channel 7: the car number holds " + GetParam().reason;

    EXPECT_EQ(m_transfer->UploadAll(&m_list), E_INVALIDARG);
    EXPECT_EQ(m_transfer->GetFailureReason(), reason);
    EXPECT_EQ(m_transfer->UploadChannel(m_list.GetAt(6)), E_INVALIDARG);
    EXPECT_EQ(m_transfer->GetFailureReason(), reason);
    std::string checked;
    EXPECT_EQ(m_transfer->CheckChannel(m_list.GetAt(6), &checked), E_INVALIDARG);
    EXPECT_EQ(checked, reason);
    // Without a frequency the channel is not sent, and the upload goes; the
    // check still warns, since the frequency usually comes later.
    m_list.GetAt(6)->SetFrequency(vnFrequency(0.0));
    EXPECT_EQ(m_transfer->CheckChannel(m_list.GetAt(6), &checked), E_INVALIDARG);
    EXPECT_EQ(checked, reason);

    EXPECT_FALSE(Port()->IsOpen());
    EXPECT_TRUE(m_scanner.ReadWritten().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Characters, vnGre1TransferCarNumberTest,
    ::testing::Values(RefusedCarCase{"A^B", "'^', which the scanner reads as the end of a field."},
                      RefusedCarCase{"A\tB", "the control character 0x09, which the scanner cannot take."},
                      RefusedCarCase{"\x1f", "the control character 0x1F, which the scanner cannot take."},
                      RefusedCarCase{"12\x7f", "the control character 0x7F, which the scanner cannot take."},
                      RefusedCarCase{"\xc3\x9c",
                                     "'\xc3\x9c' (bytes C3 9C), which the scanner's display cannot show: use "
                                     "letters, digits and signs of plain ASCII."}));

TEST_F(vnGre1TransferTest, CheckChannelAcceptsWhatTheUploadSends)
{
    Fill(1);
    m_list.GetAt(0)->SetCarNumber("K-12 ~");
    std::string reason = "left over";
    EXPECT_EQ(m_transfer->CheckChannel(m_list.GetAt(0), &reason), S_OK);
    EXPECT_TRUE(reason.empty());
}

} // namespace

// A dry run: the same upload into a byte sink, one packet a block, without
// opening the port (its name here opens nothing) and without waiting the
// line's time; afterwards the port is the line again.
TEST_F(vnGre1TransferTest, AByteSinkTakesTheUploadsBytesAtOnceAndThePortNeverOpens)
{
    Fill(200);
    ASSERT_EQ(Port()->Configure("/dev/scanlore-no-such-device", 4800, 2), S_OK);
    RecordingSink sink;
    ASSERT_EQ(m_transfer->SetByteSink(&sink), S_OK);
    const auto begun = std::chrono::steady_clock::now();
    ASSERT_EQ(m_transfer->UploadAll(&m_list), S_OK) << m_transfer->GetFailureReason();
    const auto took = std::chrono::steady_clock::now() - begun;

    std::vector<std::uint8_t> bytes;
    for (const auto& block : sink.blocks) {
        EXPECT_EQ(DecodePackets(block).size(), 1u);
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    EXPECT_EQ(sink.blocks.size(), 202u);
    // About 5,400 bytes: over 12 seconds of line time at 4800 baud.
    EXPECT_LT(took, std::chrono::seconds(3));
    EXPECT_TRUE(m_scanner.ReadWritten().empty());

    ASSERT_EQ(m_transfer->SetByteSink(nullptr), S_OK);
    ASSERT_EQ(Port()->Configure(m_scanner.Path(), 230400, 2), S_OK);
    ASSERT_EQ(m_transfer->UploadAll(&m_list), S_OK) << m_transfer->GetFailureReason();
    EXPECT_EQ(DecodePackets(bytes), Received());

    // A sink that cannot take the bytes fails the upload with its reason.
    sink.refusal = "the disk is full";
    ASSERT_EQ(m_transfer->SetByteSink(&sink), S_OK);
    EXPECT_EQ(m_transfer->UploadChannel(m_list.GetAt(0)), E_FAIL);
    EXPECT_EQ(m_transfer->GetFailureReason(), "the disk is full");
}
