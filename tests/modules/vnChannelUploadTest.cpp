// Upload All and Upload Selected over a scripted transfer: the order of the
// uploads, the stop at the first failure, Cancel, and what the outcome says.
#include "modules/vnChannelUpload.h"

#include "channels/vnChannelList.h"
#include "modules/vnChannelLayout.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Writes down what the command tells it; cancel answers IsCancelRequested.
class LoggingProgress : public vnUploadProgress
{
public:
    void BeginUpload(int index, int count) override
    {
        log.push_back("begin " + std::to_string(index) + "/" + std::to_string(count));
    }
    void OnProgress(std::int32_t sent, std::int32_t total) override
    {
        log.push_back("packet " + std::to_string(sent) + "/" + std::to_string(total));
    }
    void OnState(const vnTransferState& state) override
    {
        log.push_back("state " + std::to_string(state.channelsSent) + "/" + std::to_string(state.channels));
    }
    bool IsCancelRequested() override { return cancel; }

    std::vector<std::string> log;
    bool cancel = false;
};

// Answers each upload with the next scripted result (S_OK once they run
// out), logs it into the progress' log and reports the scripted states on
// the way, as a real transfer reports to whatever progress is set.
class ScriptedTransfer : public vnTransfer
{
public:
    explicit ScriptedTransfer(LoggingProgress& log) : vnTransfer(nullptr), m_log(log) {}

    vnResult UploadChannel(const vnChannel* channel) override
    {
        return Upload("upload " + std::to_string(channel->GetNumber()));
    }
    vnResult UploadAll(const vnChannelList* list) override
    {
        return Upload("upload all " + std::to_string(list->GetCount()));
    }
    std::string GetFailureReason() const override { return reason; }
    const vnTransferProgress* Progress() const { return GetProgress(); }

    std::vector<vnResult> results;
    std::vector<vnTransferState> states;
    std::function<void()> during = [] {};
    std::string reason = "the scanner is not listening";

private:
    vnResult Upload(const std::string& what)
    {
        m_log.log.push_back(what);
        // Reports reach the command's progress only while the command runs.
        if (vnTransferProgress* progress = GetProgress()) {
            progress->OnProgress(1, 1);
            for (const vnTransferState& state : states)
                progress->OnState(state);
        }
        during();
        const vnResult result = m_next < results.size() ? results[m_next] : S_OK;
        ++m_next;
        return result;
    }

    LoggingProgress& m_log;
    std::size_t m_next = 0;
};

using Log = std::vector<std::string>;

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
    }
    // Every command hands the transfer's progress back when it ends.
    void TearDown() override { EXPECT_EQ(transfer.Progress(), nullptr); }

    LoggingProgress progress;
    ScriptedTransfer transfer{progress};
    vnChannelUpload upload{&transfer, &progress};
    vnChannelList channels;
};

TEST_F(vnChannelUploadTest, SelectedUploadsEachIndexInTheOrderGivenAndStopsAtTheFirstFailure)
{
    transfer.results = {S_OK, E_FAIL};
    const vnUploadOutcome outcome = upload.Selected(channels, {6, 2, 9});

    EXPECT_EQ(progress.log, (Log{"begin 1/3", "upload 7", "packet 1/1", "begin 2/3", "upload 3", "packet 1/1"}));
    EXPECT_TRUE(outcome.Failed());
    EXPECT_FALSE(outcome.Cancelled());
    EXPECT_EQ(outcome.result, E_FAIL);
    EXPECT_EQ(outcome.sent, 1);
    EXPECT_EQ(outcome.count, 3);
    EXPECT_EQ(outcome.reason, "the scanner is not listening");
}

TEST_F(vnChannelUploadTest, SelectedStopsBeforeTheNextUploadOnceCancelIsAsked)
{
    transfer.during = [this] { progress.cancel = progress.log.size() > 3; };
    vnUploadOutcome outcome = upload.Selected(channels, {0, 1, 2});
    EXPECT_EQ(progress.log,
              (Log{"begin 1/3", "upload 1", "packet 1/1", "begin 2/3", "upload 2", "packet 1/1", "begin 3/3"}));
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_FALSE(outcome.Failed());
    EXPECT_EQ(outcome.sent, 2);
    EXPECT_EQ(outcome.count, 3);
    EXPECT_EQ(outcome.reason, "");

    // Asked during the last upload, the cancel stops nothing but is still
    // what the command ends with; a transfer that answers E_ABORT itself
    // ends the walk the same way.
    progress.cancel = false;
    transfer.during = [this] { progress.cancel = true; };
    outcome = upload.Selected(channels, {4});
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(outcome.sent, 1);

    progress.cancel = false;
    transfer.during = [] {};
    transfer.results = {S_OK, S_OK, S_OK, E_ABORT};
    outcome = upload.Selected(channels, {4, 5});
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_EQ(outcome.reason, "");
}

TEST_F(vnChannelUploadTest, AllCountsTheChannelsOfTheLastStateTheTransferReported)
{
    transfer.states = {{0, 171, 0, 5000}, {20, 171, 600, 5000}};
    transfer.results = {E_ABORT, S_OK, E_INVALIDARG};
    vnUploadOutcome outcome = upload.All(channels);
    EXPECT_EQ(progress.log, (Log{"upload all 10", "packet 1/1", "state 0/171", "state 20/171"}));
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(outcome.sent, 20);
    EXPECT_EQ(outcome.count, 171);
    EXPECT_EQ(outcome.reason, "");

    transfer.states = {{171, 171, 5000, 5000}};
    outcome = upload.All(channels);
    EXPECT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.sent, 171);

    transfer.states.clear();
    outcome = upload.All(channels);
    EXPECT_TRUE(outcome.Failed());
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_EQ(outcome.count, 0);
    EXPECT_EQ(outcome.reason, "the scanner is not listening");
}

// Without a module every command fails, and an index past the list fails
// the walk as a failed upload would.
TEST_F(vnChannelUploadTest, NoTransferOrNoChannelFailsTheCommand)
{
    vnChannelUpload none(nullptr, &progress);
    EXPECT_EQ(none.All(channels).result, E_NOTIMPL);
    const vnUploadOutcome selected = none.Selected(channels, {0, 1});
    EXPECT_EQ(selected.result, E_FAIL);
    EXPECT_EQ(selected.sent, 0);
    EXPECT_EQ(selected.count, 2);
    EXPECT_EQ(none.Selected(channels, {}).result, E_FAIL);
    EXPECT_EQ(progress.log, (Log{"begin 1/2"}));

    const vnUploadOutcome past = vnChannelUpload(&transfer, nullptr).Selected(channels, {0, 10, 1});
    EXPECT_TRUE(past.Failed());
    EXPECT_EQ(past.sent, 1);
    EXPECT_EQ(progress.log, (Log{"begin 1/2", "upload 1"}));
}

} // namespace
