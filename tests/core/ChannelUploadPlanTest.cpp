// Which channels an upload sends once those outside the bands are left out,
// and the failure's paragraphs that the window and scanlore-upload show.
#include "core/ChannelUploadPlan.h"

#include "channels/vnChannelList.h"
#include "channels/vnText.h"
#include "modules/vnTransfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes down the channels each upload got: "all 1:146.52 2:0 …" or the
// number of a single channel.
class RecordingTransfer : public vnTransfer
{
public:
    RecordingTransfer() : vnTransfer(nullptr) {}
    vnResult UploadChannel(const vnChannel* channel) override
    {
        uploads.push_back(std::to_string(channel->GetNumber()));
        return S_OK;
    }
    vnResult UploadAll(const vnChannelList* list) override
    {
        std::string all = "all";
        for (std::int32_t i = 0; i < list->GetCount(); ++i)
            all += " " + std::to_string(list->GetAt(i)->GetNumber()) + ":" +
                vnText::ShortestText(list->GetAt(i)->GetFrequency().GetMHz());
        uploads.push_back(all);
        return S_OK;
    }
    std::vector<std::string> uploads;
};

void MakeChannels(vnChannelList& list, const std::vector<double>& mhz)
{
    for (std::size_t i = 0; i < mhz.size(); ++i) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(static_cast<std::int32_t>(i) + 1);
        vnFrequency frequency;
        frequency.SetMHz(mhz[i]);
        channel->SetFrequency(frequency);
    }
}

const vnScannerBands kBands("Pro-89", {{25.0, 512.0}});

// A command with no frequency to send says so instead of opening the port;
// channels left out for being outside the bands count as none.
TEST(ChannelUploadPlan, NothingToSendIsNamedBeforeAnyUpload)
{
    vnChannelList list;
    MakeChannels(list, {0.0, 0.0, 900.0});
    ChannelUploadPlan all(list, kBands, nullptr);
    EXPECT_EQ(all.NothingToSendText(), "");
    all.LeaveOutOutside();
    EXPECT_EQ(all.NothingToSendText(), "None of the 3 channels has a frequency: there is nothing to send.");
    const std::vector<std::int32_t> one{1};
    EXPECT_EQ(ChannelUploadPlan(list, kBands, &one).NothingToSendText(),
              "Channel 2 has no frequency: there is nothing to send.");
    const std::vector<std::int32_t> some{1, 2};
    EXPECT_EQ(ChannelUploadPlan(list, kBands, &some).NothingToSendText(), "");
}

TEST(ChannelUploadPlan, LeavesOutTheChannelsOutsideTheBandsAndNothingElse)
{
    vnChannelList list;
    MakeChannels(list, {146.52, 900.0, 0.0});
    RecordingTransfer transfer;
    vnChannelUpload upload(&transfer, nullptr);

    ChannelUploadPlan all(list, kBands, nullptr);
    ASSERT_EQ(all.GetOutside().size(), 1u);
    EXPECT_EQ(all.OutsideText(), "1 channel is outside the Pro-89's bands (25\u2013512 MHz): 2 (900.0000).");
    EXPECT_TRUE(all.LeaveOutOutside());
    EXPECT_TRUE(all.GetOutside().empty());
    all.Send(upload);
    // The list itself keeps its frequency.
    EXPECT_EQ(list.GetAt(1)->GetFrequency().GetMHz(), 900.0);

    const std::vector<std::int32_t> onlyOutside = {1};
    ChannelUploadPlan selected(list, kBands, &onlyOutside);
    EXPECT_FALSE(selected.LeaveOutOutside());
    const std::vector<std::int32_t> both = {1, 0};
    ChannelUploadPlan sendAnyway(list, kBands, &both);
    sendAnyway.Send(upload);
    EXPECT_EQ(transfer.uploads, (std::vector<std::string>{"all 1:146.52 2:0 3:0", "2", "1"}));
}

TEST(ChannelUploadPlan, FailureSaysWhyWhatHelpsAndHowFarItGot)
{
    vnUploadOutcome outcome;
    outcome.result = E_FAIL;
    outcome.count = 3;
    outcome.sent = 1;
    outcome.reason = "COM3 is in use by another program";
    EXPECT_EQ(ChannelUploadPlan::FailureParagraphs(outcome),
              (std::vector<std::string>{"COM3 is in use by another program: close it and try again.",
                                        "1 of 3 channels were sent before the scanner stopped taking data."}));
    // Refused before the first byte: no count.
    outcome.result = E_INVALIDARG;
    outcome.reason = "refused";
    EXPECT_EQ(ChannelUploadPlan::FailureParagraphs(outcome), std::vector<std::string>{"refused"});
}

} // namespace
