// Upload All and Upload Selected over a scripted transfer: the order of the
// uploads, the stop at the first failure, Cancel, and what the outcome says.
#include "modules/vnChannelUpload.h"

#include "channels/vnChannelList.h"
#include "modules/vnChannelLayout.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Writes down what the command tells it, in one log with the transfer's
// uploads; cancel answers IsCancelRequested.
class LoggingProgress : public vnUploadProgress
{
public:
    void BeginUpload(int index, int count) override
    {
        log.push_back("begin " + std::to_string(index) + "/" + std::to_string(count));
    }
    void OnProgress(std::int32_t, std::int32_t) override {}
    void OnState(const vnTransferState& s) override
    {
        log.push_back("state " + std::to_string(s.channelsSent) + "/" + std::to_string(s.channels));
    }
    bool IsCancelRequested() override { return cancel; }

    Log log;
    bool cancel = false;
};

// Answers each upload with the first scripted result left (S_OK once none
// is) and reports the scripted states to whatever progress is set.
class ScriptedTransfer : public vnTransfer
{
public:
    explicit ScriptedTransfer(Log& log) : vnTransfer(nullptr), m_log(log) {}

    vnResult UploadChannel(const vnChannel* channel) override { return Upload(std::to_string(channel->GetNumber())); }
    vnResult UploadAll(const vnChannelList* list) override { return Upload("all " + std::to_string(list->GetCount())); }
    std::string GetFailureReason() const override { return "the scanner is not listening"; }
    vnResult CheckChannel(const vnChannel* channel, std::string* reason) const override
    {
        *reason = channel->GetCarNumber() == "^" ? "refused" : "";
        return reason->empty() ? S_OK : E_INVALIDARG;
    }
    const vnTransferProgress* Progress() const { return GetProgress(); }

    std::vector<vnResult> results;
    std::vector<vnTransferState> states;
    std::function<void()> during = [] {};

private:
    vnResult Upload(const std::string& what)
    {
        m_log.push_back("upload " + what);
        for (const vnTransferState& state : states)
            GetProgress()->OnState(state);
        during();
        if (results.empty())
            return S_OK;
        const vnResult result = results.front();
        results.erase(results.begin());
        return result;
    }

    Log& m_log;
};

class vnChannelUploadTest : public testing::Test
{
protected:
    void SetUp() override
    {
        vnChannelLayout layout;
        layout.SetFirstChannel(1);
        layout.SetBankCount(1);
        layout.SetChannelsPerBank(10);
        layout.MakeChannels(channels);
        for (std::int32_t i = 0; i < channels.GetCount(); ++i)
            channels.GetAt(i)->SetFrequency(vnFrequency(100.0 + i, vnFrequency::UnitMegahertz));
    }
    // Every command hands the transfer's progress back when it ends.
    void TearDown() override { EXPECT_EQ(transfer.Progress(), nullptr); }

    LoggingProgress progress;
    ScriptedTransfer transfer{progress.log};
    vnChannelUpload upload{&transfer, &progress};
    vnChannelList channels;
};

TEST_F(vnChannelUploadTest, SelectedUploadsEachIndexInTheOrderGivenAndStopsAtTheFirstFailure)
{
    transfer.results = {S_OK, E_FAIL};
    const vnUploadOutcome outcome = upload.Selected(channels, {6, 2, 9});
    EXPECT_EQ(progress.log, (Log{"begin 1/3", "upload 7", "begin 2/3", "upload 3"}));
    EXPECT_TRUE(outcome.Failed());
    EXPECT_EQ(outcome.result, E_FAIL);
    EXPECT_EQ(outcome.sent, 1);
    EXPECT_EQ(outcome.count, 3);
    EXPECT_EQ(outcome.reason, "the scanner is not listening");
}

TEST_F(vnChannelUploadTest, SelectedStopsBeforeTheNextUploadOnceCancelIsAsked)
{
    transfer.during = [this] { progress.cancel = progress.log.size() > 2; };
    vnUploadOutcome outcome = upload.Selected(channels, {0, 1, 2});
    EXPECT_EQ(progress.log, (Log{"begin 1/3", "upload 1", "begin 2/3", "upload 2", "begin 3/3"}));
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_FALSE(outcome.Failed());
    EXPECT_EQ(outcome.sent, 2);
    EXPECT_EQ(outcome.count, 3);
    EXPECT_EQ(outcome.reason, "");

    // A cancel during the last upload stops nothing but is still how the
    // command ends; a transfer that answers E_ABORT ends the walk alike.
    transfer.during = [this] { progress.cancel = true; };
    progress.cancel = false;
    EXPECT_EQ(upload.Selected(channels, {4}).result, E_ABORT);
    transfer.during = [] {};
    transfer.results = {E_ABORT};
    progress.cancel = false;
    outcome = upload.Selected(channels, {4, 5});
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(outcome.sent, 0);
}

TEST_F(vnChannelUploadTest, AllCountsTheChannelsOfTheLastStateTheTransferReported)
{
    transfer.states = {{0, 171, 0, 5000}, {20, 171, 600, 5000}};
    transfer.results = {E_ABORT, E_INVALIDARG};
    vnUploadOutcome outcome = upload.All(channels);
    EXPECT_EQ(progress.log, (Log{"upload all 10", "state 0/171", "state 20/171"}));
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(outcome.sent, 20);
    EXPECT_EQ(outcome.count, 171);
    EXPECT_EQ(outcome.reason, "");

    transfer.states.clear();
    outcome = upload.All(channels);
    EXPECT_TRUE(outcome.Failed());
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_EQ(outcome.count, 0);
    EXPECT_EQ(outcome.reason, "the scanner is not listening");

    // A port that failed before any report: the channels with a frequency.
    transfer.results = {E_FAIL};
    channels.GetAt(0)->SetFrequency(vnFrequency());
    outcome = upload.All(channels);
    EXPECT_EQ(outcome.count, 9);
    EXPECT_EQ(outcome.ProgressText(), "None of the 9 channels was sent.");
}

// Channels without a frequency are named and left out, and what the transfer
// would refuse stops the command before any upload.
TEST_F(vnChannelUploadTest, SelectedLeavesOutChannelsWithoutFrequencyAndRefusesBeforeAnyUpload)
{
    channels.GetAt(2)->SetFrequency(vnFrequency());
    channels.GetAt(4)->SetFrequency(vnFrequency());
    vnUploadOutcome outcome = upload.Selected(channels, {2, 6, 4});
    EXPECT_EQ(progress.log, (Log{"begin 1/1", "upload 7"}));
    EXPECT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.count, 1);
    EXPECT_EQ(outcome.WithoutFrequencyText(), "Channels 3 and 5 have no frequency and were not sent.");
    EXPECT_EQ(
        outcome.SentText("/dev/ttyUSB0", 3.14),
        "Sent 1 channel to the scanner on /dev/ttyUSB0 in 3.1 s. The scanner does not confirm: check its display.");

    progress.log.clear();
    outcome = upload.Selected(channels, {2});
    EXPECT_TRUE(outcome.NothingToSend());
    EXPECT_EQ(outcome.reason, "Channel 3 has no frequency: nothing was sent.");

    channels.GetAt(8)->SetCarNumber("^");
    outcome = upload.Selected(channels, {6, 8});
    EXPECT_EQ(outcome.result, E_INVALIDARG);
    EXPECT_EQ(outcome.reason, "refused");
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_EQ(progress.log, Log{});
}

// The progress line both front ends show counts a single channel as one.
TEST(vnUploadOutcomeTest, ProgressTextCountsTheChannelsAndNamesTheMemory)
{
    vnTransferState state;
    state.bytesSent = 2100;
    state.bytes = 6000;
    EXPECT_EQ(vnUploadProgressText(57, 200, 66, &state), "57 of 200 channels sent (memory 66), 2.1 of 6.0 KB");
    EXPECT_EQ(vnUploadProgressText(0, 1, 0), "0 of 1 channel sent");
}

#ifndef _WIN32
// The window and scanlore-upload give the same hint when Linux refuses the port.
TEST(vnUploadOutcomeTest, APermissionRefusalGetsTheDialoutHint)
{
    const std::string denied = "/dev/ttyUSB0 could not be opened: " + std::system_category().message(EACCES);
    EXPECT_NE(vnUploadOutcome::AccessHint(denied).find("sudo usermod -aG dialout $USER"), std::string::npos);
    EXPECT_EQ(vnUploadOutcome::AccessHint("/dev/ttyUSB0 could not be opened: No such file or directory"), "");
}
#endif

// Without a module every command fails, and an index past the list fails
// the walk as a failed upload would.
TEST_F(vnChannelUploadTest, NoTransferOrNoChannelFailsTheCommand)
{
    vnChannelUpload none(nullptr, &progress);
    EXPECT_EQ(none.All(channels).result, E_NOTIMPL);
    const vnUploadOutcome selected = none.Selected(channels, {0, 1});
    EXPECT_EQ(selected.result, E_FAIL);
    EXPECT_EQ(selected.count, 2);
    EXPECT_EQ(none.Selected(channels, {}).result, E_FAIL);
    EXPECT_EQ(progress.log, (Log{"begin 1/2"}));

    const vnUploadOutcome past = vnChannelUpload(&transfer, nullptr).Selected(channels, {0, 10, 1});
    EXPECT_TRUE(past.Failed());
    EXPECT_EQ(past.sent, 1);
    EXPECT_EQ(progress.log, (Log{"begin 1/2", "upload 1"}));
}

} // namespace
