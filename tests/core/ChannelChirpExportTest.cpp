#include "core/ChannelChirpExport.h"

#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"
#include "core/ChannelCellText.h"
#include "core/ChannelFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void FillNew(vnChannelList& list, int count)
{
    for (int n = 1; n <= count; ++n) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(n);
    }
}

void Set(vnChannelList& list, int index, ChannelField field, const std::string& text)
{
    SetChannelCellText(*list.GetAt(index), field, text);
}

} // namespace

// What the export writes reads back through Open to the same channels (its
// Location is the channel number, channel 1 empty or not), with CHIRP's
// Mode and Skip filled from the frequency and the flags.
TEST(ChannelChirpExport, OpenReadsTheExportBackToTheSameChannels)
{
    vnChannelList list;
    FillNew(list, 200);
    Set(list, 1, ChannelField::Frequency, "119.1");
    Set(list, 1, ChannelField::Description, "Tower, north");
    Set(list, 2, ChannelField::Frequency, "146.52");
    Set(list, 2, ChannelField::Lockout, "True");
    Set(list, 2, ChannelField::Priority, "True");
    Set(list, 199, ChannelField::Frequency, "851.0125");
    Set(list, 199, ChannelField::Priority, "True");
    Set(list, 199, ChannelField::CarNumber, "02");
    Set(list, 5, ChannelField::Description, "No frequency, not exported");

    vnCellTable table = MakeChirpTable(list);
    ASSERT_EQ(table.GetRowCount(), 4);
    const std::string text = vnDelimitedFile(&table).WriteText();
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "\"Location\",\"Name\",\"Frequency\",\"Duplex\",\"Offset\",\"Tone\",\"rToneFreq\",\"cToneFreq\","
              "\"DtcsCode\",\"DtcsPolarity\",\"RxDtcsCode\",\"CrossMode\",\"Mode\",\"TStep\",\"Skip\",\"Power\","
              "\"Comment\",\"URCALL\",\"RPT1CALL\",\"RPT2CALL\",\"DVCODE\"");
    EXPECT_NE(text.find("\r\n2,\"Tower, north\",119.100000,"), std::string::npos) << text;
    EXPECT_NE(text.find(",\"AM\",\"5.00\",,"), std::string::npos) << "airband is AM, no skip";
    EXPECT_NE(text.find(",\"FM\",\"5.00\",\"S\","), std::string::npos) << "lockout wins over priority";
    EXPECT_NE(text.find(",\"FM\",\"12.50\",\"P\","), std::string::npos) << "851.0125 lies on 12.5 kHz only";

    vnCellTable read;
    vnDelimitedFile file(&read);
    ASSERT_TRUE(file.ReadText(text));
    vnChannelList opened;
    FillNew(opened, 200);
    const ChannelTableApplied applied = ApplyChannelTable(read, opened, "export.csv");
    EXPECT_EQ(ReadSummaryMessage("export.csv", applied), "Read 3 channels from export.csv (CHIRP layout).");
    for (int index = 0; index < 200; ++index)
        for (const ChannelField field : {ChannelField::Frequency, ChannelField::Description, ChannelField::Lockout})
            EXPECT_EQ(GetChannelCellText(*opened.GetAt(index), field),
                      index == 5 && field == ChannelField::Description ? ""
                                                                       : GetChannelCellText(*list.GetAt(index), field))
                << "channel index " << index;
    EXPECT_EQ(GetChannelCellText(*opened.GetAt(199), ChannelField::Priority), "True");
    EXPECT_EQ(FieldsChirpDrops(list), (std::vector<std::string>{"Car Number"}));
}

// TStep is a step the frequency lies on; CHIRP tunes from the memory by it.
TEST(ChannelChirpExport, TStepIsAStepTheFrequencyLiesOn)
{
    vnChannelList list;
    FillNew(list, 5);
    const char* const frequencies[] = {"146.52", "462.5625", "851.00625", "145.5075", "468.5152"};
    for (int index = 0; index < 5; ++index)
        Set(list, index, ChannelField::Frequency, frequencies[index]);
    const vnCellTable table = MakeChirpTable(list);
    constexpr std::int32_t stepColumn = 13;
    ASSERT_EQ(table.GetCell(0, stepColumn)->ToText(), "TStep");
    std::vector<std::string> steps;
    for (int row = 1; row <= 5; ++row)
        steps.push_back(table.GetCell(row, stepColumn)->ToText());
    // Off every step (a typo), CHIRP's usual 5 kHz.
    EXPECT_EQ(steps, (std::vector<std::string>{"5.00", "12.50", "6.25", "2.50", "5.00"}));
}
