// A channel list goes through the module manager, the GRE Type 1 module and
// its transfer into the virtual scanner over a real pseudo-terminal; the
// scanner's own decoder checks every byte.

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnModuleLease.h"
#include "modules/vnModuleManager.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "tests/support/ScannerOnPty.h"

#include <gtest/gtest.h>

#include <charconv>
#include <functional>

using namespace std::chrono_literals;

namespace {
// The frequency as the scanner should see it: megahertz, four decimals.
std::string FourDecimals(double megahertz)
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, megahertz, std::chars_format::fixed, 4);
    return std::string(text, result.ptr);
}

// 200 channels numbered 1 to 200 with varied fields; every seventh has
// frequency 0 and must not be sent.
void FillList(vnChannelList& list)
{
    for (int i = 0; i < 200; ++i) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(i + 1);
        vnFrequency frequency(0.0, vnFrequency::UnitMegahertz);
        if (i % 7 != 3)
            frequency.SetMHz(25.0 + i * 4.0125);
        channel->SetFrequency(frequency);
        channel->SetDescription("not sent " + std::to_string(i));
        if (i % 3 == 0)
            channel->SetCarNumber("K" + std::to_string(i));
        channel->SetDelay(i % 2 == 0);
        channel->SetLockout(i % 5 == 0);
        channel->SetPriority(i % 11 == 0);
    }
}

// The current module, leased from the manager for the scope, as the window
// and scanlore-upload get it.
class ModuleInUse
{
public:
    vnTransfer* Transfer() const { return m_lease.GetTransfer(); }
    vnGre1Port* Port() const
    {
        vnGre1Port* port = nullptr;
        if (auto gre1 = dynamic_cast<vnGre1Module*>(m_lease.Get()))
            gre1->GetSerialPort(&port);
        return port;
    }

private:
    // Installed first: the lease asks the manager for the module.
    vnInstalledModules m_installed{{vnGre1Module::Factory()}};
    vnModuleManager m_manager;
    vnModuleLease m_lease{m_manager};
};

// The virtual scanner on a pseudo-terminal, a settings store that names it
// as the port, and the 200 channels of FillList.
class EndToEnd : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scanner.Ok());
        settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, scanner.Path());
        FillList(list);
    }

    ScannerOnPty scanner;
    vnMemorySettingsStore settings;
    vnSettingsScope settingsInUse{settings};
    vnChannelList list;
};

using EndToEndFaults = EndToEnd;

struct LineCase
{
    std::int32_t baud;     // 0: not stored, the module's default
    std::int32_t stopBits; // -1: not stored
    std::uint32_t expectedBaud;
    int expectedStopBits;
};

class UploadAllIntoTheVirtualScanner : public EndToEnd, public testing::WithParamInterface<LineCase>
{};

TEST_P(UploadAllIntoTheVirtualScanner, DeliversEveryChannelOnTheStoredLine)
{
    if (GetParam().baud)
        settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, GetParam().baud);
    if (GetParam().stopBits >= 0)
        settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, GetParam().stopBits);

    {
        ModuleInUse module;
        ASSERT_NE(module.Transfer(), nullptr);
        ASSERT_EQ(module.Transfer()->UploadAll(&list), S_OK) << module.Transfer()->GetFailureReason();
    }
    ASSERT_TRUE(scanner.WaitForSummaries(1));

    auto events = scanner.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, ScannerEvent::Kind::Start);
    EXPECT_EQ(events.front().count, 200);
    EXPECT_TRUE(scanner.EventsOf(ScannerEvent::Kind::Rejected).empty());

    auto channels = scanner.EventsOf(ScannerEvent::Kind::Channel);
    std::size_t next = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const vnChannel& sent = *list.GetAt(i);
        if (sent.GetFrequency().GetMHz() == 0.0)
            continue;
        ASSERT_LT(next, channels.size());
        const ScannerChannel& got = channels[next++].channel;
        EXPECT_EQ(got.number, sent.GetNumber());
        EXPECT_EQ(got.frequency, FourDecimals(sent.GetFrequency().GetMHz())) << "channel " << sent.GetNumber();
        EXPECT_EQ(got.carNumber, sent.GetCarNumber());
        EXPECT_EQ(got.delay, sent.GetDelay());
        EXPECT_EQ(got.lockout, sent.GetLockout());
        EXPECT_EQ(got.priority, sent.GetPriority());
    }
    EXPECT_EQ(next, channels.size());
    EXPECT_EQ(channels.size(), 171u);

    auto summary = scanner.EventsOf(ScannerEvent::Kind::Summary).at(0);
    EXPECT_TRUE(summary.complete);
    EXPECT_EQ(summary.packets, 173);

    LineSettings line = scanner.Line();
    EXPECT_EQ(line.baudRate, GetParam().expectedBaud);
    EXPECT_EQ(line.stopBits, GetParam().expectedStopBits);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_FALSE(line.parity);
    EXPECT_FALSE(line.rtsCts);
    EXPECT_FALSE(line.xonXoff);
    EXPECT_TRUE(line.Raw());
    EXPECT_TRUE(line.ignoresModemLines);
    EXPECT_FALSE(line.hangUpOnClose);
}

// Stop-bits code 1 is sent as one stop bit; "Stop Bits" 258 keeps its low
// byte, 2.
INSTANTIATE_TEST_SUITE_P(Lines, UploadAllIntoTheVirtualScanner,
                         testing::Values(LineCase{0, -1, 4800, 2}, LineCase{9600, 0, 9600, 1},
                                         LineCase{19200, 1, 19200, 1}, LineCase{256000, 258, 256000, 2}));

TEST_F(EndToEnd, UploadingOneChannelSendsCountOneTheChannelAndTheEnd)
{
    vnChannel channel;
    channel.SetNumber(5);
    channel.SetFrequency(vnFrequency(146.52, vnFrequency::UnitMegahertz));
    channel.SetDelay(true);
    vnChannel second = channel;
    second.SetNumber(7);

    {
        ModuleInUse module;
        ASSERT_EQ(module.Transfer()->UploadChannel(&channel), S_OK) << module.Transfer()->GetFailureReason();
        ASSERT_EQ(module.Transfer()->UploadChannel(&second), S_OK) << module.Transfer()->GetFailureReason();
    }
    ASSERT_TRUE(scanner.WaitForSummaries(2));

    auto events = scanner.Events();
    ASSERT_EQ(events.size(), 6u);
    for (int upload = 0; upload < 2; ++upload) {
        const auto* part = &events[static_cast<std::size_t>(upload * 3)];
        EXPECT_EQ(part[0].kind, ScannerEvent::Kind::Start);
        EXPECT_EQ(part[0].count, 1);
        EXPECT_EQ(part[1].kind, ScannerEvent::Kind::Channel);
        EXPECT_EQ(part[1].channel.number, upload == 0 ? 5 : 7);
        EXPECT_EQ(part[2].kind, ScannerEvent::Kind::Summary);
        EXPECT_TRUE(part[2].complete);
        EXPECT_EQ(part[2].packets, 3);
    }
    EXPECT_EQ(events[1].text, "C5^F146.5200^DS^LR^PR^");
}

TEST_F(EndToEnd, TheUploadLeavesThePortFreeForTheNextUser)
{
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);
    {
        ModuleInUse module;
        ASSERT_EQ(module.Transfer()->UploadAll(&list), S_OK);
        EXPECT_FALSE(module.Port()->IsOpen());
        vnSerialPort other;
        other.SetName(scanner.Path());
        EXPECT_EQ(other.Open(), S_OK) << other.GetFailureReason();
    }
}

// Records what the transfer reports; cancelWhen answers Cancel, and lets a
// test act at a chosen point of the upload.
class WatchingProgress : public vnUploadProgress
{
public:
    std::function<bool(const WatchingProgress&)> cancelWhen = [](const WatchingProgress&) { return false; };
    std::vector<vnTransferState> states;
    vnTransferState atLastChannelWritten;
    std::int32_t packets = 0;
    std::int32_t lastChannelPacket = -1;
    int statesSincePacket = 0;

    void OnProgress(std::int32_t sent, std::int32_t total) override
    {
        packets = sent;
        lastChannelPacket = total - 1;
        statesSincePacket = 0;
    }
    void OnState(const vnTransferState& state) override
    {
        states.push_back(state);
        if (packets == lastChannelPacket && statesSincePacket == 0)
            atLastChannelWritten = state;
        ++statesSincePacket;
    }
    bool IsCancelRequested() override { return cancelWhen(*this); }
};

// --- faults -----------------------------------------------------------------

TEST_F(EndToEndFaults, AMissingDeviceFailsTheUploadAndSaysWhy)
{
    settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "/dev/ttyScanloreMissing");
    ModuleInUse module;
    EXPECT_EQ(module.Transfer()->UploadAll(&list), E_FAIL);
    EXPECT_NE(module.Transfer()->GetFailureReason().find("/dev/ttyScanloreMissing could not be opened"),
              std::string::npos)
        << module.Transfer()->GetFailureReason();
}

TEST_F(EndToEndFaults, ADeviceInUseFailsTheUploadAndSendsNothing)
{
    vnSerialPort holder;
    holder.SetName(scanner.Path());
    ASSERT_EQ(holder.Open(), S_OK);

    ModuleInUse module;
    EXPECT_EQ(module.Transfer()->UploadAll(&list), E_FAIL);
    EXPECT_NE(module.Transfer()->GetFailureReason().find("is in use"), std::string::npos);
    EXPECT_EQ(scanner.BytesReceived(), 0u);
}

TEST_F(EndToEndFaults, ADeviceVanishingMidUploadFailsIt)
{
    ModuleInUse module;
    WatchingProgress unplug;
    unplug.cancelWhen = [&](const WatchingProgress& p) {
        if (p.packets >= 20)
            scanner.Vanish();
        return false;
    };
    const vnUploadOutcome outcome = vnChannelUpload(module.Transfer(), &unplug).All(list);
    EXPECT_EQ(outcome.result, E_FAIL);
    EXPECT_NE(outcome.reason.find("Input/output error"), std::string::npos) << outcome.reason;
}

TEST_F(EndToEndFaults, AScannerThatStopsReadingFailsTheUploadOnceTheLineBacksUp)
{
    scanner.StopReading();
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);
    ModuleInUse module;
    module.Port()->SetWriteTimeout(500ms);
    // The pseudo-terminal buffers several uploads before it stops taking
    // bytes; a real scanner that hangs would stop the first one.
    vnResult result = S_OK;
    int uploads = 0;
    while (result == S_OK && uploads < 100) {
        result = module.Transfer()->UploadAll(&list);
        ++uploads;
    }
    EXPECT_EQ(result, E_FAIL);
    EXPECT_NE(module.Transfer()->GetFailureReason().find("took no data for 500 ms"), std::string::npos)
        << module.Transfer()->GetFailureReason();
}

// --- progress and Cancel ------------------------------------------------------

// The progress follows the bytes the line has sent, not those handed to the
// driver: when the last channel packet is written, the scanner does not have
// it yet, and the waits in between are reported too.
TEST_F(EndToEnd, ProgressCountsTheBytesThatHaveLeftAndReportsWhileWaiting)
{
    ModuleInUse module;
    WatchingProgress progress;
    module.Transfer()->SetProgress(&progress);
    ASSERT_EQ(module.Transfer()->UploadRange(0, 19, &list), S_OK) << module.Transfer()->GetFailureReason();
    module.Transfer()->SetProgress(nullptr);

    ASSERT_FALSE(progress.states.empty());
    const vnTransferState& last = progress.states.back();
    EXPECT_EQ(last.channels, 17); // three of the twenty have no frequency
    EXPECT_EQ(last.channelsSent, 17);
    EXPECT_EQ(last.bytesSent, last.bytes);
    EXPECT_EQ(last.bytes, scanner.BytesReceived());
    EXPECT_EQ(progress.atLastChannelWritten.channels, 17);
    EXPECT_LT(progress.atLastChannelWritten.channelsSent, 17);
    EXPECT_GT(progress.states.size(), static_cast<std::size_t>(progress.packets) * 2);
    for (std::size_t i = 1; i < progress.states.size(); ++i)
        ASSERT_GE(progress.states[i].bytesSent, progress.states[i - 1].bytesSent) << i;
}

TEST_F(EndToEnd, CancelStopsAfterThePacketBeingWrittenSendsTheEndAndFreesThePort)
{
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 38400);
    ModuleInUse module;
    WatchingProgress progress;
    progress.cancelWhen = [](const WatchingProgress& p) { return p.packets >= 21; }; // start and 20 channels
    // Upload All as the window runs it, which tells how far it got.
    const vnUploadOutcome outcome = vnChannelUpload(module.Transfer(), &progress).All(list);
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(outcome.sent, 20);
    EXPECT_EQ(outcome.count, 171);
    EXPECT_TRUE(module.Transfer()->GetFailureReason().empty()) << module.Transfer()->GetFailureReason();
    EXPECT_FALSE(module.Port()->IsOpen());

    ASSERT_TRUE(scanner.WaitForSummaries(1));
    const ScannerEvent summary = scanner.EventsOf(ScannerEvent::Kind::Summary).at(0);
    EXPECT_TRUE(summary.complete);
    EXPECT_EQ(summary.stored, 20);
    EXPECT_TRUE(scanner.EventsOf(ScannerEvent::Kind::Rejected).empty());

    vnSerialPort other;
    other.SetName(scanner.Path());
    EXPECT_EQ(other.Open(), S_OK) << other.GetFailureReason();
}

// When the line takes nothing, Cancel does not wait for the packet: the port
// is released at once, without the end packet, long before the write would
// time out.
TEST_F(EndToEnd, CancelOnALineThatTakesNothingReleasesThePortAtOnce)
{
    scanner.StopReading();
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);
    ModuleInUse module;
    module.Port()->SetWriteTimeout(60s);
    // At this speed the transfer only waits once the pseudo-terminal is
    // full; Cancel comes in that wait.
    WatchingProgress progress;
    progress.cancelWhen = [](const WatchingProgress& p) { return p.statesSincePacket >= 8; };
    module.Transfer()->SetProgress(&progress);
    vnResult result = S_OK;
    for (int upload = 0; upload < 50 && result == S_OK; ++upload)
        result = module.Transfer()->UploadAll(&list);
    module.Transfer()->SetProgress(nullptr);

    EXPECT_EQ(result, E_ABORT) << module.Transfer()->GetFailureReason();
    EXPECT_LT(progress.packets, 173) << "cancelled only after the end";
    EXPECT_FALSE(module.Port()->IsOpen());
    vnSerialPort other;
    other.SetName(scanner.Path());
    EXPECT_EQ(other.Open(), S_OK) << other.GetFailureReason();
}
} // namespace
