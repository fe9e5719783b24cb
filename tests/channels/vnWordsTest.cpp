#include "channels/vnWords.h"

#include "res/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

TEST(vnWords, CountsChooseTheirFormAndListsJoinAsASentence)
{
    EXPECT_EQ(vnWords::Count(vnCounted::Channels, 1), "1 channel");
    EXPECT_EQ(vnWords::Count(vnCounted::Channels, 0), "0 channels");
    EXPECT_EQ(vnWords::Count(vnCounted::LinesWere, 3), "3 lines were");
    EXPECT_EQ(vnWords::Count(vnCounted::SentBeforeFailure, 180, {"57"}),
              "57 of 180 channels were sent before the scanner stopped taking data.");
    EXPECT_EQ(vnWords::List({}), "");
    EXPECT_EQ(vnWords::List({"12"}), "12");
    EXPECT_EQ(vnWords::List({"12", "40"}), "12 and 40");
    EXPECT_EQ(vnWords::List({"12", "40", "41"}), "12, 40 and 41");
    // An argument's own %1 is not replaced again; a place without an
    // argument stays as written.
    EXPECT_EQ(vnWords::Format("%1 of %2, %3", {"%2", "5"}), "%2 of 5, %3");
    EXPECT_EQ(vnWords::Say(IDS_CHANNEL_NUMBERED, {"12"}), "Channel 12");
}

} // namespace
