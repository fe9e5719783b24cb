// Import without the window: which empty channels take the read ones, and
// the message when nothing fits or nothing was read (the document's tests
// cover the rest).
#include "core/ChannelImport.h"

#include "channels/vnChannelList.h"

#include <gtest/gtest.h>

namespace {

void Fill(vnChannelList& list, int count, double mhz)
{
    for (int index = 0; index < count; ++index) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(index + 1);
        channel->SetFrequency(vnFrequency(mhz * 1e6));
    }
}

TEST(ChannelImport, FillsOnlyEmptyChannelsFromTheFirstRowAndCountsTheRest)
{
    vnChannelList table;
    Fill(table, 6, 0.0);
    table.GetAt(3)->SetFrequency(vnFrequency(155.1e6));
    vnChannelList read;
    Fill(read, 4, 146.52);
    read.GetAt(1)->SetFrequency(vnFrequency()); // an empty line of the file

    const ChannelImport import = PlaceImportedChannels(table, 3, read);
    ASSERT_EQ(import.placements.size(), 2u);
    EXPECT_EQ(import.placements[0].index, 4);
    EXPECT_EQ(import.placements[1].index, 5);
    EXPECT_EQ(import.placements[1].channel.GetNumber(), 6) << "the empty channel's number";
    EXPECT_EQ(import.read, 3);
    EXPECT_EQ(import.notFitted, 1);

    ChannelTableApplied applied;
    applied.layout = "columns by name";
    EXPECT_EQ(ImportSummaryMessage("/home/ann/list.csv", applied, PlaceImportedChannels(table, 5, read), 6),
              "Read 3 channels from list.csv (columns by name). Added 1 channel to the empty channels from channel "
              "6 on. 2 channels did not fit: no empty channel was left.");
    EXPECT_EQ(ImportSummaryMessage("list.csv", applied, PlaceImportedChannels(table, 6, read), 7),
              "Read 3 channels from list.csv (columns by name). 3 channels did not fit: there is no empty channel "
              "from channel 7 on.");
    vnChannelList nothing;
    EXPECT_EQ(ImportSummaryMessage("list.csv", {}, PlaceImportedChannels(table, 0, nothing), 1),
              "Read 0 channels from list.csv. Nothing was added.");
}

} // namespace
