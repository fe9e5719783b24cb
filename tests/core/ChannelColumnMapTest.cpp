// What a header's names mean: the receive frequency by the words of its name,
// race lists with every role placed at bank borders, and columns whose roles
// the user chose. Each file is a few lines as its tool writes them.
#include "core/ChannelColumnMap.h"

#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"
#include "core/ChannelCellText.h"
#include "core/ChannelColumnChoice.h"
#include "core/ChannelFile.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kChannelsPerBank = 20;

struct Read
{
    ChannelTableApplied applied;
    std::string summary;
};

// The text read into count channels numbered from 1, as Open reads a file.
Read ReadText(const std::string& text, vnChannelList& list, int count = 200,
              const ChannelColumnChoice* choice = nullptr)
{
    list.RemoveAll();
    for (int n = 1; n <= count; ++n) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(n);
    }
    vnCellTable table;
    vnDelimitedFile file(&table);
    EXPECT_TRUE(file.ReadText(text));
    Read read;
    read.applied = ApplyChannelTable(table, list, "list.csv", {}, choice, kChannelsPerBank);
    read.summary = read.applied.refusal.empty() ? ReadSummaryMessage("list.csv", read.applied) : read.applied.refusal;
    return read;
}

std::string Cell(const vnChannelList& list, int index, ChannelField field)
{
    return GetChannelCellText(*list.GetAt(index), field);
}

} // namespace

TEST(ChannelColumnChoice, RoleWordsReadBackInAnyCase)
{
    for (const ChannelColumnRole role : ChannelColumnRoles())
        EXPECT_EQ(ReadChannelColumnRole(ChannelColumnRoleWord(role)), role);
    EXPECT_EQ(ReadChannelColumnRole("Car"), ChannelColumnRole::CarNumber);
    EXPECT_EQ(ReadChannelColumnRole("freq"), std::nullopt);
}

TEST(ChannelColumnChoice, ARefusedHeaderOffersItsColumnsAndReadsAsChosen)
{
    const std::string text = "Kanal,Bezeichnung,Wert\n1,Feuer,154130\n2,Rettung,155475\n";
    vnChannelList list;
    const Read refused = ReadText(text, list);
    EXPECT_EQ(refused.applied.header, (std::vector<std::string>{"Kanal", "Bezeichnung", "Wert"}));
    ASSERT_EQ(refused.applied.columns.size(), 3u);
    EXPECT_EQ(refused.applied.columns[2].values, (std::vector<std::string>{"154130", "155475"}));

    const ChannelColumnChoice choice{{{"wert", ChannelColumnRole::Frequency},
                                      {"Bezeichnung", ChannelColumnRole::Description},
                                      {"Kanal", ChannelColumnRole::NotUsed}},
                                     ChannelColumnMap::Unit::KHz,
                                     "3 Dec"};
    const Read read = ReadText(text, list, 200, &choice);
    EXPECT_TRUE(read.applied.chosen);
    EXPECT_EQ(read.summary,
              "Read 2 channels from list.csv (columns as chosen on 3 Dec). 2 frequencies were "
              "converted to MHz.");
    EXPECT_EQ(Cell(list, 1, ChannelField::Frequency), "155.4750");
    EXPECT_EQ(Cell(list, 1, ChannelField::Description), "Rettung");
    EXPECT_EQ(read.applied.droppedColumns, std::vector<std::string>{"Kanal"});
}

TEST(ChannelColumnChoice, AFileWithoutHeaderIsAllDataAndAMissingColumnIsNamed)
{
    vnChannelList list;
    const ChannelColumnChoice numbered{
        {{"Column 2", ChannelColumnRole::Frequency}, {"Column 1", ChannelColumnRole::Description}}, {}, {}};
    const Read read = ReadText("Fire,154.13\nEMS,155.1\n", list, 200, &numbered);
    EXPECT_EQ(read.summary, "Read 2 channels from list.csv (columns as chosen).");
    EXPECT_EQ(Cell(list, 0, ChannelField::Description), "Fire");

    const ChannelColumnChoice missing{{{"Freq", ChannelColumnRole::Frequency}}, {}, {}};
    const Read refused = ReadText("Name,Frequency\nFire,154.13\n", list, 200, &missing);
    EXPECT_EQ(refused.summary,
              "list.csv has no column \"Freq\", which the chosen columns name. Choose the columns "
              "again.");
    EXPECT_EQ(refused.applied.header, (std::vector<std::string>{"Name", "Frequency"}));
}
