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
#include "core/ChannelImport.h"

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

// The help's table of names is the rule itself: each word it lists acts so.
TEST(ChannelColumnNames, TheNameTableIsTheRule)
{
    const std::vector<ChannelColumnMap::NameRow> rows = ChannelColumnMap::NameTable();
    ASSERT_GE(rows.size(), 2u);
    for (const std::string& word : rows[0].words)
        EXPECT_TRUE(ChannelColumnMap::IsReceiveFrequencyName(word)) << word;
    for (const std::string& word : rows[1].words)
        EXPECT_FALSE(ChannelColumnMap::IsReceiveFrequencyName("Freq " + word)) << word;
    EXPECT_EQ(ChannelColumnMap::NameWords("RXFreq_1"), (std::vector<std::string>{"rx", "freq", "1"}));
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
              "Read 2 channels from list.csv (columns as chosen on 3 Dec). 2 frequencies in kHz were "
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

    // Race roles chosen for a list without a header: runs as by their names.
    const ChannelColumnChoice race{{{"Column 1", ChannelColumnRole::CarNumber},
                                    {"Column 2", ChannelColumnRole::Description},
                                    {"Column 3", ChannelColumnRole::Primary},
                                    {"Column 4", ChannelColumnRole::Secondary}},
                                   {},
                                   {}};
    EXPECT_EQ(ReadText("02,Jeff,461.1,462.1\n", list, 200, &race).summary,
              "Read 2 channels from list.csv (columns as chosen). Primary: channel 1; Secondary: 21.");
    EXPECT_EQ(Cell(list, 20, ChannelField::Description), "Jeff (Secondary)");

    const ChannelColumnChoice missing{{{"Freq", ChannelColumnRole::Frequency}}, {}, {}};
    const Read refused = ReadText("Name,Frequency\nFire,154.13\n", list, 200, &missing);
    EXPECT_EQ(refused.summary,
              "list.csv has no column \"Freq\", which the chosen columns name. Choose the columns "
              "again.");
    EXPECT_EQ(refused.applied.header, (std::vector<std::string>{"Name", "Frequency"}));
}

// Files as fans and tools write them: the channels they give and the summary
// or refusal the user sees.
struct Shape
{
    const char* name;
    const char* text;
    // Channel index, field, the cell text expected after reading.
    std::vector<std::tuple<int, ChannelField, std::string>> cells;
    const char* summary;
    int channels = 200;
};

class ColumnNames : public ::testing::TestWithParam<Shape>
{};

TEST_P(ColumnNames, ReadAsTheirNamesSay)
{
    vnChannelList list;
    const Read read = ReadText(GetParam().text, list, GetParam().channels);
    EXPECT_EQ(read.summary, GetParam().summary);
    for (const auto& [index, field, text] : GetParam().cells)
        EXPECT_EQ(Cell(list, index, field), text) << "channel index " << index;
}

using F = ChannelField;

INSTANTIATE_TEST_SUITE_P(
    ReceiveFrequencyByWords, ColumnNames,
    ::testing::Values(
        Shape{"OutputFreq",
              "Name,Output Freq,Input Freq,Offset\r\nRptr,146.94,146.34,-0.6\r\n",
              {{0, F::Frequency, "146.9400"}, {0, F::Description, "Rptr"}},
              "Read 1 channel from list.csv (columns by name)."},
        Shape{"UpperCaseWithUnderscores",
              "CALLSIGN,OUTPUT_FREQ,INPUT_FREQ,CTCSS\nW1AW,147.345,147.945,88.5\n",
              {{0, F::Frequency, "147.3450"}},
              "Read 1 channel from list.csv (columns by name)."},
        Shape{"NumberedWithHertz",
              "Name,Frequency_1 (Hz),Mode\nTower,118300000,AM\n",
              {{0, F::Frequency, "118.3000"}},
              "Read 1 channel from list.csv (columns by name). 1 frequency in Hz was converted to MHz."},
        Shape{"Qrg",
              "QRG,Name\n145.500,Calling\n",
              {{0, F::Frequency, "145.5000"}},
              "Read 1 channel from list.csv (columns by name)."},
        Shape{"CamelCase",
              "RxFrequency,TxFrequency,RxTone,Name\n462.5625,462.5625,67.0,FRS 1\n",
              {{0, F::Frequency, "462.5625"}, {0, F::Description, "FRS 1"}},
              "Read 1 channel from list.csv (columns by name)."},
        Shape{"TitleIsTheDescription",
              "Title,Frequency\nTower,118.3\n",
              {{0, F::Description, "Tower"}},
              "Read 1 channel from list.csv (columns by name)."},
        Shape{"TransmitIsNotTheChannels",
              "TX Freq,Frequency,Name\n151.0,155.1,A\n",
              {{0, F::Frequency, "155.1000"}},
              "Read 1 channel from list.csv (columns by name)."},
        // A title may hold a frequency word too; the wider line of names
        // below it is the header.
        Shape{"TitleWithAFrequencyWord",
              "Frequency list 2024\nChannel,Name,Frequency\n1,Tower,146.52\n",
              {{0, F::Frequency, "146.5200"}},
              "Read 1 channel from list.csv (columns by name). 1 title line above the channels was skipped."},
        Shape{"TwoReceiveFrequencies",
              "Name,RX Freq,Output\nA,155.1,155.2\n",
              {},
              "list.csv has two columns that may be the receive frequency, \"RX Freq\" and \"Output\". Choose the "
              "columns to say which one is."}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

// Race lists with 20 channels a bank: every role a run from a bank border.
INSTANTIATE_TEST_SUITE_P(
    RaceLists, ColumnNames,
    ::testing::Values(
        Shape{"EveryRoleAndToneColumns",
              "Car,Driver,Primary,Tone,Secondary,Tone,Other,Tone\r\n"
              "2,Jeff Gordon,461.2125,67.0,462.5500,67.0,,\r\n"
              "24,Bob Smith,454.0000,,,,463.1000,71.9\r\n"
              "51,Al Unser,,,452.8750,,,\r\n"
              "88,Dale Jr,,,,,,\r\n",
              {{0, F::Description, "Jeff Gordon"},
               {0, F::CarNumber, "2"},
               {1, F::Frequency, "454.0000"},
               {20, F::Description, "Jeff Gordon (Secondary)"},
               {21, F::Description, "Al Unser (Secondary)"},
               {21, F::CarNumber, "51"},
               {40, F::Frequency, "463.1000"},
               {40, F::Description, "Bob Smith (Other)"}},
              "Read 5 channels from list.csv (race list). Primary: channels 1\u20132; Secondary: 21\u201322; "
              "Other: 41. The 3 Tone columns are not kept. 1 line was skipped: line 5 (car 88): no frequency."},
        Shape{"ShortRoleNames",
              "Car #,Driver,Pri Frequency,Sec Frequency\n07,Kyle,461.3,462.3\n",
              {{0, F::CarNumber, "07"}, {20, F::Frequency, "462.3000"}, {20, F::Description, "Kyle (Sec)"}},
              "Read 2 channels from list.csv (race list). Pri: channel 1; Sec: 21."},
        Shape{"PrimaryAndBackupFreq",
              "\"Car\",\"Driver\",\"Primary Freq\",\"Backup Freq\"\n\"3\",\"Dale\",\"467.9250\",\"468.2250\"\n",
              {{20, F::Description, "Dale (Backup)"}},
              "Read 2 channels from list.csv (race list). Primary: channel 1; Backup: 21."},
        // Each role's column has its own unit.
        Shape{"BackupInKilohertz",
              "Car,Driver,Primary,Backup\n3,Dale,467.925,468225\n4,Kyle,461.1,462100\n",
              {{21, F::Frequency, "462.1000"}},
              "Read 4 channels from list.csv (race list). Primary: channels 1\u20132; Backup: 21\u201322. 2 "
              "frequencies in kHz were converted to MHz."},
        Shape{"HashColumnAndCarDoubleZero",
              "#,Driver,Primary\n00,Pit Road,464.5\n1,Jimmie,461.1\n",
              {{0, F::CarNumber, "00"}, {1, F::CarNumber, "1"}},
              "Read 2 channels from list.csv (race list). Primary: channels 1\u20132."},
        Shape{"CarForTwoDrivers",
              "Car,Driver,Primary\n2,Jeff Gordon,461.2125\n2,Kyle Busch,462.1\n",
              {{1, F::CarNumber, "2"}},
              "Read 2 channels from list.csv (race list). Primary: channels 1\u20132. Car 2 is listed for 2 "
              "drivers: a spreadsheet may have dropped the leading zero of 02."},
        Shape{"RoleThatNoLongerFits",
              "Car,Driver,Primary,Backup,Spare\n1,A,461.1,462.1,463.1\n2,B,461.2,,463.2\n",
              {{20, F::Frequency, "462.1000"}, {20, F::Description, "A (Backup)"}},
              "Read 3 channels from list.csv (race list). Primary: channels 1\u20132; Backup: 21; Spare: 2 "
              "frequencies left out: they did not fit.",
              40}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

// Import places the roles as Open does, from the first bank border at or
// after the chosen channel, in the empty channels from there.
TEST(RaceListImport, RolesStartAtBankBordersFromTheChosenChannel)
{
    vnChannelList read;
    const Read race = ReadText("Car,Driver,Primary,Backup,Spare\n1,A,461.1,462.1,463.1\n2,B,461.2,462.2,\n", read, 60);
    vnChannelList table;
    ReadText("Frequency\n155.1\n155.2\n155.3\n", table, 60);
    table.GetAt(21)->SetFrequency(vnFrequency(155.4e6)); // in use inside the first run

    const ChannelImport import = PlaceImportedChannels(table, 1, read, race.applied.roleRuns, kChannelsPerBank);
    ASSERT_EQ(import.placements.size(), 4u);
    EXPECT_EQ(import.placements[1].index, 22);
    EXPECT_EQ(import.placements[1].channel.GetDescription(), "B");
    EXPECT_EQ(import.placements[2].index, 40);
    EXPECT_EQ(import.placements[2].channel.GetDescription(), "A (Backup)");
    EXPECT_EQ(import.notFitted, 1);
    EXPECT_EQ(ImportSummaryMessage("list.csv", race.applied, import, 2),
              "Read 5 channels from list.csv (race list). Primary: channels 21\u201323; Backup: 41\u201342; Spare: 1 "
              "frequency left out: it did not fit. Added 4 channels to the empty channels from channel 2 on.");
}

// Save in Scanlore's layout would turn a line per car into a line per channel.
TEST(RaceListSave, SaysItWouldRewriteTheRoles)
{
    vnChannelList list;
    const Read read = ReadText("Car,Driver,Primary,Backup\n3,Dale,467.925,468.225\n", list);
    EXPECT_EQ(SaveWouldLoseMessage("race.csv", read.applied),
              "race.csv is a race list; saving it in Scanlore's layout would write each role of a car on a line of "
              "its own.");
}
