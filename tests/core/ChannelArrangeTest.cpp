// Moving channels between numbers: insert, remove, move and sort keep every
// number in place, stay inside a bank where they must, and refuse rather
// than push a channel out of its bank.
#include "core/ChannelArrange.h"

#include "modules/vnChannelLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace A = ChannelArrange;

// Two banks of five: channels 1-5 and 6-10.
vnChannelLayout TwoBanks()
{
    vnChannelLayout layout;
    layout.SetFirstChannel(1);
    layout.SetFirstBank(1);
    layout.SetBankCount(2);
    layout.SetChannelsPerBank(5);
    return layout;
}

// Channels 1-10 described by the letters of names ('.' an empty channel);
// each named channel has a frequency.
std::vector<vnChannel> Channels(const std::string& names)
{
    std::vector<vnChannel> channels;
    for (std::size_t i = 0; i < names.size(); ++i) {
        vnChannel& channel = channels.emplace_back();
        channel.SetNumber(static_cast<std::int32_t>(i) + 1);
        if (names[i] != '.') {
            channel.SetDescription(std::string(1, names[i]));
            channel.SetFrequency(vnFrequency(150.0 + static_cast<double>(names[i] - 'A'), vnFrequency::UnitMegahertz));
        }
    }
    return channels;
}

// The descriptions in number order, '.' for an empty channel; also checks
// that every number stayed.
std::string Names(const A::Result& result)
{
    std::string names;
    for (std::size_t i = 0; i < result.channels.size(); ++i) {
        EXPECT_EQ(result.channels[i].GetNumber(), static_cast<std::int32_t>(i) + 1);
        const std::string text = result.channels[i].GetDescription();
        names += text.empty() ? "." : text;
    }
    return names;
}

TEST(ChannelArrangeTest, InsertAndRemoveStayInsideTheBank)
{
    const vnChannelLayout layout = TwoBanks();
    const A::Result inserted = A::InsertEmpty(Channels("ABC..FGHIJ"), layout, {2, 1});
    ASSERT_EQ(inserted.refusal, "");
    EXPECT_EQ(Names(inserted), "A..BCFGHIJ");
    EXPECT_EQ(inserted.selected, (std::vector<std::int32_t>{1, 2}));

    // Channel 5 would leave bank 1; an empty one with a description too.
    EXPECT_EQ(A::InsertEmpty(Channels("ABCDEFGHIJ"), layout, {0}).refusal,
              "Channel 5 has a frequency: nothing was inserted.");
    std::vector<vnChannel> described = Channels("ABC..FGHIJ");
    described[4].SetDescription("note");
    EXPECT_EQ(A::InsertEmpty(described, layout, {0, 1}).refusal, "Channel 5 is not empty: nothing was inserted.");
    EXPECT_NE(A::InsertEmpty(Channels("ABC..FGHIJ"), layout, {4, 5}).refusal, "");

    const A::Result removed = A::Remove(Channels("ABCDEFGHIJ"), layout, {1, 3});
    ASSERT_EQ(removed.refusal, "");
    EXPECT_EQ(Names(removed), "ACE..FGHIJ");
    EXPECT_EQ(removed.selected, (std::vector<std::int32_t>{1}));
    EXPECT_NE(A::Remove(Channels("ABCDEFGHIJ"), layout, {4, 5}).refusal, "");
}

TEST(ChannelArrangeTest, MoveTakesBlocksAcrossBanksAndStopsAtTheEnds)
{
    const A::Result up = A::Move(Channels("ABCDEFGHIJ"), {2, 3, 6}, -1);
    EXPECT_EQ(Names(up), "ACDBEGFHIJ");
    EXPECT_EQ(up.selected, (std::vector<std::int32_t>{1, 2, 5}));
    const A::Result down = A::Move(Channels("ABCDEFGHIJ"), {3, 4}, 1);
    EXPECT_EQ(Names(down), "ABCFDEGHIJ");
    EXPECT_EQ(down.selected, (std::vector<std::int32_t>{4, 5}));
    EXPECT_NE(A::Move(Channels("ABCDEFGHIJ"), {0, 4}, -1).refusal, "");
    EXPECT_NE(A::Move(Channels("ABCDEFGHIJ"), {9}, 1).refusal, "");

    // A drag: 7 and 9 to stand before 2, then 1 to the end.
    const A::Result dragged = A::MoveTo(Channels("ABCDEFGHIJ"), {6, 8}, 1);
    EXPECT_EQ(Names(dragged), "AGIBCDEFHJ");
    EXPECT_EQ(dragged.selected, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(Names(A::MoveTo(Channels("ABCDEFGHIJ"), {0}, 10)), "BCDEFGHIJA");
}

TEST(ChannelArrangeTest, SortOrdersNumbersByValueAndPutsEmptyKeysLast)
{
    EXPECT_LT(A::CompareTexts("0", "00"), 0);
    EXPECT_LT(A::CompareTexts("00", "2"), 0);
    EXPECT_LT(A::CompareTexts("2", "02"), 0);
    EXPECT_LT(A::CompareTexts("02", "7A"), 0);
    EXPECT_LT(A::CompareTexts("9", "10"), 0);
    EXPECT_EQ(A::CompareTexts("fire", "FIRE"), 0);

    const vnChannelLayout layout = TwoBanks();
    std::vector<vnChannel> channels = Channels("D.BCAJ.IHG");
    channels[2].SetCarNumber("02");
    channels[3].SetCarNumber("2");
    channels[0].SetCarNumber("7A");
    A::SortOrder order;
    EXPECT_EQ(Names(A::Sort(channels, layout, {}, order)), "ABCDGHIJ..");
    order.descending = true;
    EXPECT_EQ(Names(A::Sort(channels, layout, {}, order)), "JIHGDCBA..");
    order.scope = A::SortScope::EachBank;
    EXPECT_EQ(Names(A::Sort(channels, layout, {}, order)), "DCBA.JIHG.");
    // Car numbers 2, 02 and 7A in that order; A, without one, last.
    order = {A::SortKey::CarNumber, false, A::SortScope::Selection};
    EXPECT_EQ(Names(A::Sort(channels, layout, {0, 2, 3, 4}, order)), "C.BDAJ.IHG");
}

} // namespace
