#include "core/ChannelFile.h"

#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "core/ChannelCellText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The channel list as New leaves it: count default channels numbered from 1.
void FillNew(vnChannelList& list, int count)
{
    list.RemoveAll();
    for (int n = 1; n <= count; ++n) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(n);
    }
}

// Columns of the file, as the grid numbers them too.
void Set(vnChannelList& list, int row, int column, const std::string& text)
{
    SetChannelCellText(*list.GetAt(row), *FieldOfColumn(column), text);
}

std::string Cell(const vnChannelList& list, int row, int column)
{
    return GetChannelCellText(*list.GetAt(row), *FieldOfColumn(column));
}

class ChannelFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-'); // parameterised tests
        m_dir = fs::temp_directory_path() / ("scanlore-channelfile-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    static std::string Slurp(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::vector<std::string> Lines(const std::string& bytes)
    {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(start, bytes.size()) << "the file does not end with CR LF";
        return lines;
    }

    fs::path m_dir;
};

const char* const Header = "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"";

} // namespace

TEST_F(ChannelFileTest, NewChannelsSaveAsTheHeaderAndOneBareLinePerChannel)
{
    vnChannelList list;
    FillNew(list, 200);
    ASSERT_TRUE(WriteChannelFile(Path("new.csv"), list).ok);

    const std::vector<std::string> lines = Lines(Slurp(Path("new.csv")));
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[0], Header);
    EXPECT_EQ(lines[1], "1,,,,False,False,False");
    EXPECT_EQ(lines[200], "200,,,,False,False,False");
}

TEST_F(ChannelFileTest, WritesEachColumnInItsForm)
{
    vnChannelList list;
    FillNew(list, 3);
    Set(list, 0, 1, "146.52");
    Set(list, 0, 2, "Police");
    Set(list, 1, 1, "851.0125");
    Set(list, 1, 3, "K9");
    Set(list, 1, 4, "yes");
    Set(list, 1, 6, "on");
    Set(list, 2, 1, "-5");
    Set(list, 2, 2, "007"); // text, whatever it looks like
    Set(list, 2, 3, "yes");
    ASSERT_TRUE(WriteChannelFile(Path("forms.csv"), list).ok);

    const std::vector<std::string> lines = Lines(Slurp(Path("forms.csv")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "1,146.520000,\"Police\",,False,False,False");
    EXPECT_EQ(lines[2], "2,851.012500,,\"K9\",True,False,True");
    EXPECT_EQ(lines[3], "3,-5.000000,\"007\",\"yes\",False,False,False");
}

// Descriptions and car numbers that type detection or the file syntax would
// change: they are written as text and come back exactly as typed.
class AwkwardText : public ChannelFileTest, public ::testing::WithParamInterface<const char*>
{};

TEST_P(AwkwardText, SurvivesSaveAndOpenInDescriptionAndCarNumber)
{
    vnChannelList saved;
    FillNew(saved, 2);
    Set(saved, 0, 2, GetParam());
    Set(saved, 1, 3, GetParam());
    ASSERT_TRUE(WriteChannelFile(Path("awkward.csv"), saved).ok);

    vnChannelList opened;
    FillNew(opened, 2);
    Set(opened, 0, 3, "stale");
    const ChannelFileResult result = ReadChannelFile(Path("awkward.csv"), opened);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.applied.rows, 2);
    EXPECT_EQ(Cell(opened, 0, 2), GetParam());
    EXPECT_EQ(Cell(opened, 1, 3), GetParam());
    EXPECT_EQ(Cell(opened, 0, 3), "");
}

INSTANTIATE_TEST_SUITE_P(ChannelFile, AwkwardText,
                         ::testing::Values("007", "42", "-3", "1.5", "yes", "False", "  padded  ", "   ", "Fire, EMS",
                                           "say \"hi\"", "\"", ",", "a\"\",b", "Ünterführung 5", "#1 ; tab\there"));

TEST_F(ChannelFileTest, OpenMapsScanloresColumnsByPosition)
{
    Put(Path("pos.csv"),
        "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n"
        "1,146.52 MHz,Police,K9,yes,On,1\r\n"
        "2,abc,\"007\",,TRUE,no,y\r\n");
    vnChannelList list;
    FillNew(list, 200);
    Set(list, 1, 1, "100");
    Set(list, 5, 2, "keep me");

    const ChannelFileResult result = ReadChannelFile(Path("pos.csv"), list);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.applied.rows, 2);
    EXPECT_EQ(result.applied.linesNotLoaded, 0);
    EXPECT_EQ(list.GetAt(0)->GetNumber(), 1);
    EXPECT_EQ(list.GetAt(1)->GetNumber(), 2);
    EXPECT_EQ(Cell(list, 0, 1), "146.5200");
    EXPECT_EQ(Cell(list, 0, 2), "Police");
    EXPECT_EQ(Cell(list, 0, 3), "K9");
    EXPECT_EQ(Cell(list, 0, 4), "True");  // yes
    EXPECT_EQ(Cell(list, 0, 5), "True");  // On stays text and counts
    EXPECT_EQ(Cell(list, 0, 6), "False"); // 1 is a number, not a truth word
    EXPECT_EQ(Cell(list, 1, 1), "");      // abc reads as 0 Hz
    EXPECT_EQ(Cell(list, 1, 2), "007");
    EXPECT_EQ(Cell(list, 1, 4), "True");
    EXPECT_EQ(Cell(list, 1, 6), "False");
    EXPECT_EQ(Cell(list, 5, 2), ""); // channels the file does not give are emptied
}

TEST_F(ChannelFileTest, ShortLinesLeaveTheMissingFieldsEmpty)
{
    Put(Path("short.csv"),
        "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n"
        "1,146.52,Police\r\n");
    vnChannelList list;
    FillNew(list, 2);
    Set(list, 0, 3, "K9");
    Set(list, 0, 4, "True");
    ASSERT_TRUE(ReadChannelFile(Path("short.csv"), list).ok);
    EXPECT_EQ(Cell(list, 0, 3), "");
    EXPECT_EQ(Cell(list, 0, 4), "False");

    Put(Path("narrow.csv"), "ID,Frequency,Description\r\n1,155.1,Fire\r\n");
    Set(list, 0, 3, "K9");
    Set(list, 0, 4, "True");
    ASSERT_TRUE(ReadChannelFile(Path("narrow.csv"), list).ok);
    EXPECT_EQ(Cell(list, 0, 2), "Fire");
    EXPECT_EQ(Cell(list, 0, 3), "");
    EXPECT_EQ(Cell(list, 0, 4), "False");
}

TEST_F(ChannelFileTest, ReadsFilesSavedBySpreadsheets)
{
    // UTF-8 byte-order mark before the header, bare line feeds, every field
    // quoted with doubled quotes inside, no line end after the last line.
    Put(Path("sheet.csv"),
        "\xEF\xBB\xBF\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"\n"
        "\"1\",\"146.52\",\"The \"\"Hill\"\" tower\",\"12\",\"TRUE\",\"FALSE\",\"TRUE\"\n"
        "2,453.1,\"Fire, EMS\",,FALSE,TRUE,FALSE\n"
        "3,460.0125,Last line,7,False,False,True");
    vnChannelList list;
    FillNew(list, 200);
    const ChannelFileResult result = ReadChannelFile(Path("sheet.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    ASSERT_EQ(result.applied.rows, 3);
    EXPECT_EQ(Cell(list, 0, 1), "146.5200");
    EXPECT_EQ(Cell(list, 0, 2), "The \"Hill\" tower");
    EXPECT_EQ(Cell(list, 0, 3), "12");
    EXPECT_EQ(Cell(list, 0, 4), "True");
    EXPECT_EQ(Cell(list, 0, 5), "False");
    EXPECT_EQ(Cell(list, 0, 6), "True");
    EXPECT_EQ(Cell(list, 1, 1), "453.1000");
    EXPECT_EQ(Cell(list, 1, 2), "Fire, EMS");
    EXPECT_EQ(Cell(list, 1, 5), "True");
    EXPECT_EQ(Cell(list, 2, 1), "460.0125");
    EXPECT_EQ(Cell(list, 2, 2), "Last line");
    EXPECT_EQ(Cell(list, 2, 3), "7");
    EXPECT_EQ(Cell(list, 2, 6), "True");
}

TEST_F(ChannelFileTest, LinesBeyondTheChannelListAreLeftUnreadAndListed)
{
    std::string text = std::string(Header) + "\r\n";
    for (int i = 1; i <= 250; ++i)
        text += std::to_string(i) + ",1" + std::to_string(i) + ".5,Line " + std::to_string(i) + "\r\n";
    Put(Path("long.csv"), text);
    vnChannelList list;
    FillNew(list, 200);

    const ChannelFileResult result = ReadChannelFile(Path("long.csv"), list);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.applied.rows, 200);
    EXPECT_EQ(result.applied.skipped, 50);
    EXPECT_EQ(result.applied.skipReasons.at(0), "line 202: channel 201 is outside 1 to 200");
    EXPECT_EQ(list.GetCount(), 200);
    EXPECT_EQ(Cell(list, 199, 2), "Line 200");
    EXPECT_EQ(list.GetAt(199)->GetNumber(), 200);

    // Lines without numbers beyond the list are counted as not loaded.
    const std::string message = LinesNotLoadedMessage(Path("long.csv"), 50, 200);
    EXPECT_NE(message.find(Path("long.csv")), std::string::npos);
    EXPECT_NE(message.find("50 lines"), std::string::npos);
    EXPECT_NE(message.find("200"), std::string::npos);
    EXPECT_NE(
        LinesNotLoadedMessage("one.csv", 1, 200).find("The last line was not loaded, and saving will leave it out"),
        std::string::npos);
}

TEST_F(ChannelFileTest, OwnFrequenciesAreReadWholeOrNamedAndTheFileIsNotReadWhole)
{
    Put(Path("spring.csv"),
        std::string(Header) +
            "\r\n1,\"146,52\",Comma\r\n2,146.52abc,Tail\r\n3,nan,\r\n4,inf,\r\n5,0x10,\r\n"
            "6,1e-400,\r\n7,1e303,\r\n8, 162.55 MHz ,Unit\r\n9,154130 kHz,\r\n10,-5,\r\n");
    vnChannelList list;
    FillNew(list, 20);
    const ChannelFileResult result = ReadChannelFile(Path("spring.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(Cell(list, 0, 1), "146.5200");
    EXPECT_EQ(Cell(list, 1, 1), "");
    EXPECT_EQ(Cell(list, 1, 2), "Tail") << "the channel keeps its other fields";
    EXPECT_EQ(Cell(list, 7, 1), "162.5500");
    EXPECT_EQ(Cell(list, 8, 1), "154.1300");
    EXPECT_EQ(Cell(list, 9, 1), "-5.0000");
    EXPECT_EQ(result.applied.unreadFrequencies, 6);
    ASSERT_EQ(result.applied.readNotes.size(), 6u);
    EXPECT_EQ(result.applied.readNotes[0], "line 3: \"146.52abc\" is not a frequency; channel 2 has none");
    EXPECT_EQ(result.applied.readNotes[5], "line 8: \"1e303\" is not a frequency; channel 7 has none");
    for (int row = 1; row < 7; ++row)
        EXPECT_EQ(Cell(list, row, 1), "") << row;
    EXPECT_EQ(SaveWouldLoseMessage("spring.csv", result.applied),
              "Saving spring.csv in Scanlore's layout would drop 6 frequencies it could not read and write a "
              "frequency given in kHz or Hz in MHz.");
}

TEST_F(ChannelFileTest, AnOwnLineWiderThanItsHeaderIsReadAsBeforeAndNamed)
{
    Put(Path("spring.csv"), std::string(Header) + "\r\n1,146.52,Fire, Station 1,,False,True,False\r\n");
    vnChannelList list;
    FillNew(list, 20);
    const ChannelFileResult result = ReadChannelFile(Path("spring.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(Cell(list, 0, 2), "Fire");
    EXPECT_EQ(result.applied.readNotes,
              std::vector<std::string>{"line 2 has 8 fields where the header has 7: a comma in an unquoted text?"});
    const std::string summary = ReadSummaryMessage("spring.csv", result.applied);
    EXPECT_NE(summary.find("line 2 has 8 fields"), std::string::npos) << summary;
    EXPECT_NE(SaveWouldLoseMessage("spring.csv", result.applied), "");
}

TEST_F(ChannelFileTest, LinesPastTheChannelsAreCountedByTheirLineNumbers)
{
    // Blank lines between the channels do not shift the lines named.
    std::string text = "Frequency,Name\r\n,\r\n\r\n";
    for (int i = 1; i <= 5000; ++i)
        text += "146.52,Line " + std::to_string(i) + "\r\n\r\n";
    Put(Path("long.csv"), text);
    vnChannelList list;
    FillNew(list, 200);
    ChannelFileResult result = ReadChannelFile(Path("long.csv"), list);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.applied.rows, 200);
    EXPECT_EQ(result.applied.skipped, 4800);
    ASSERT_EQ(result.applied.skipReasons.size(), 11u);
    EXPECT_EQ(result.applied.skipReasons[0], "line 404: more lines than channels (200)");
    EXPECT_EQ(result.applied.skipReasons[10], "4790 lines from line 424: more lines than channels (200)");

    // Scanlore's own layout without numbers counts them as not loaded.
    text = std::string(Header) + "\r\n";
    for (int i = 1; i <= 5000; ++i)
        text += ",146.52\r\n";
    Put(Path("own.csv"), text);
    result = ReadChannelFile(Path("own.csv"), list);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.applied.linesNotLoaded, 4800);
    EXPECT_EQ(result.applied.skipped, 0);
}

TEST_F(ChannelFileTest, OpenFailuresGiveTheSystemsReasonAndTouchNothing)
{
    vnChannelList list;
    FillNew(list, 3);
    Set(list, 0, 2, "kept");

    ChannelFileResult missing = ReadChannelFile(Path("missing.csv"), list);
    EXPECT_FALSE(missing.ok);
    const std::string noSuchFile = std::generic_category().message(ENOENT); // in the user's language
    EXPECT_EQ(missing.reason, noSuchFile);
    EXPECT_EQ(missing.applied.rows, 0);

    ChannelFileResult folder = ReadChannelFile(m_dir.string(), list);
    EXPECT_FALSE(folder.ok);
    EXPECT_FALSE(folder.reason.empty());
    EXPECT_EQ(Cell(list, 0, 2), "kept");

    const std::string message = OpenFailedMessage(Path("missing.csv"), missing.reason);
    EXPECT_NE(message.find("\"" + Path("missing.csv") + "\""), std::string::npos);
    EXPECT_NE(message.find(noSuchFile), std::string::npos);
}

struct MappingCase
{
    const char* name;
    std::string text;
    // Channel number and description that each given channel ends with.
    std::vector<std::pair<int, std::string>> given;
};

class ChannelFileMapping : public ChannelFileTest, public ::testing::WithParamInterface<MappingCase>
{};

TEST_P(ChannelFileMapping, PutsLinesWhereTheirIdsSayOrByPositionAndEmptiesTheRest)
{
    Put(Path("map.csv"), GetParam().text);
    vnChannelList list;
    FillNew(list, 200);
    for (int row = 0; row < 200; ++row)
        Set(list, row, 2, "old");

    const ChannelFileResult result = ReadChannelFile(Path("map.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    std::vector<std::string> expected(200);
    for (const auto& [number, description] : GetParam().given)
        expected[static_cast<std::size_t>(number - 1)] = description;
    for (int row = 0; row < 200; ++row) {
        ASSERT_EQ(Cell(list, row, 2), expected[static_cast<std::size_t>(row)]) << "channel " << row + 1;
        ASSERT_EQ(list.GetAt(row)->GetNumber(), row + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChannelFileMapping,
    ::testing::Values(
        MappingCase{"WithoutHeader", "1,146.52,A\r\n2,146.53,B\r\n", {{1, "A"}, {2, "B"}}},
        MappingCase{"IdsFiveToSeven",
                    "ID,Frequency,Description\r\n5,1,E\r\n6,1,F\r\n7,1,G\r\n",
                    {{5, "E"}, {6, "F"}, {7, "G"}}},
        MappingCase{"IdsInAnyOrder", "200,1,Last\r\n3,1,C\r\n", {{200, "Last"}, {3, "C"}}},
        MappingCase{"BlankLinesDoNotStopIds",
                    "ID,Frequency,Description\r\n5,1,E\r\n\r\n,,\r\n9,1,I\r\n\r\n",
                    {{5, "E"}, {9, "I"}}},
        MappingCase{"RepeatedIdGoesByPosition", "ID,Frequency,Description\r\n5,1,E\r\n5,1,F\r\n", {{1, "E"}, {2, "F"}}},
        MappingCase{"IdOutsideTheListIsSkipped", "ID,Frequency,Description\r\n5,1,E\r\n201,1,F\r\n", {{5, "E"}}},
        MappingCase{"MissingIdGoesByPosition", "ID,Frequency,Description\r\n5,1,E\r\n,1,F\r\n", {{1, "E"}, {2, "F"}}},
        MappingCase{"NonNumericFirstLineIsAHeader", "x,1,Head\r\n9,1,I\r\n", {{9, "I"}}}),
    [](const ::testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST_F(ChannelFileTest, WhatSaveWritesOpensExactlyAsItWas)
{
    vnChannelList saved;
    FillNew(saved, 200);
    Set(saved, 0, 1, "146.52");
    Set(saved, 7, 2, "Police");
    Set(saved, 199, 6, "True");
    ASSERT_TRUE(WriteChannelFile(Path("round.csv"), saved).ok);

    vnChannelList opened;
    FillNew(opened, 200);
    Set(opened, 50, 2, "stale");
    ASSERT_TRUE(ReadChannelFile(Path("round.csv"), opened).ok);
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < ChannelFieldCount; ++column)
            ASSERT_EQ(Cell(opened, row, column), Cell(saved, row, column)) << row << "," << column;
}

TEST_F(ChannelFileTest, KilohertzOfAnySizeConvertExactlyOrAreSkipped)
{
    Put(Path("huge.csv"), "Frequency (kHz),Name\r\n1e300,Huge\r\n1e999,Beyond\r\n154130,Fire\r\n1e8,Top\r\n");
    vnChannelList list;
    FillNew(list, 10);
    const ChannelFileResult result = ReadChannelFile(Path("huge.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    // At most 100,000 MHz, so that every frequency's hertz are finite.
    EXPECT_EQ(Cell(list, 0, 1), "154.1300");
    EXPECT_EQ(Cell(list, 1, 1), "100000.0000");
    EXPECT_EQ(
        result.applied.skipReasons,
        (std::vector<std::string>{"line 2: 1e300 kHz is above 100000 MHz", "line 3: \"1e999\" is not a frequency"}));
}

// Files of other tools, written the way each tool writes them: their columns
// are found by name, their channel numbers used when they can be.
struct ForeignFile
{
    const char* name;
    const char* text;
    int channelCount;
    // Channel index, column, the cell text expected after reading.
    std::vector<std::tuple<int, int, std::string>> cells;
    const char* message;
};

class ForeignLayout : public ChannelFileTest, public ::testing::WithParamInterface<ForeignFile>
{};

TEST_P(ForeignLayout, ReadsByColumnNameAndSumsUp)
{
    const ForeignFile& file = GetParam();
    Put(Path("county.csv"), file.text);
    vnChannelList list;
    FillNew(list, file.channelCount);
    Set(list, 0, 3, "left over"); // every channel starts empty

    const ChannelFileResult result = ReadChannelFile(Path("county.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    for (const auto& [index, column, text] : file.cells)
        EXPECT_EQ(Cell(list, index, column), text) << "channel index " << index << ", column " << column;
    EXPECT_EQ(ReadSummaryMessage(Path("county.csv"), result.applied), file.message);
}

INSTANTIATE_TEST_SUITE_P(
    ChannelFileTest, ForeignLayout,
    ::testing::Values(
        // CHIRP: line ends CR LF, quotes only where needed, Location from 0.
        ForeignFile{"Chirp",
                    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
                    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
                    "0,NOAA 1,162.550000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,Weather,,,,\r\n"
                    "1,RPT,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,S,50W,,,,,\r\n"
                    "5,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,P,50W,\"Call, simplex\",,,,\r\n",
                    200,
                    {{0, 1, "162.5500"},
                     {0, 2, "NOAA 1"},
                     {0, 3, ""},
                     {1, 2, "RPT"},
                     {1, 5, "True"},
                     {1, 6, "False"},
                     {5, 1, "146.5200"},
                     {5, 2, "Call, simplex"},
                     {5, 6, "True"},
                     {2, 1, ""}},
                    "Read 3 channels from county.csv (CHIRP layout)."},
        // A CHIRP file of a radio that counts from 1 is not shifted.
        ForeignFile{"ChirpFromOne",
                    "Location,Name,Frequency,Duplex,Offset,Tone\r\n2,Two,155.1,,0,\r\n3,Three,155.2,,0,\r\n",
                    200,
                    {{0, 1, ""}, {1, 2, "Two"}, {2, 2, "Three"}},
                    "Read 2 channels from county.csv (CHIRP layout)."},
        // RadioReference: every field quoted, CR LF, no channel column.
        ForeignFile{
            "RadioReference",
            "\"Frequency Output\",\"Frequency Input\",\"FCC Callsign\",\"Agency/Category\",\"Description\","
            "\"Alpha Tag\",\"PL Tone\",\"Mode\",\"Class Station Use\",\"Tag\"\r\n"
            "\"154.13000\",\"\",\"KQB123\",\"County Fire\",\"Fire Dispatch\",\"CoFire Disp\",\"156.7 PL\",\"FM\","
            "\"BM\",\"Fire Dispatch\"\r\n"
            "\"155.47500\",\"\",\"\",\"Statewide\",\"Interagency\",\"\",\"\",\"FM\",\"\",\"Interop\"\r\n"
            "\"\",\"\",\"\",\"County\",\"Unused\",\"Spare\",\"\",\"FM\",\"\",\"\"\r\n"
            "\"453125000\",\"\",\"\",\"County\",\"Hz\",\"In Hz\",\"\",\"FM\",\"\",\"\"\r\n"
            "\"460.0250\",\"\",\"\",\"County\",\"Roads\",\"Hwy Dept\",\"\",\"FM\",\"\",\"\"\r\n",
            200,
            {{0, 1, "154.1300"},
             {0, 2, "CoFire Disp"},
             {1, 2, "Interagency"},
             {2, 1, "453.1250"},
             {3, 1, "460.0250"},
             {4, 1, ""}},
            "Read 4 channels from county.csv (RadioReference layout). 1 frequency in Hz was converted to MHz. 1 "
            "line was skipped: line 4: no frequency."},
        // A spreadsheet: byte-order mark, columns in its own order, "MHz"
        // after a number, an empty line at the end.
        ForeignFile{"Spreadsheet",
                    "\xEF\xBB\xBFName,Freq,Lockout,Notes\r\n"
                    "Tower,146.52 MHz,TRUE,hill\r\n"
                    "\"Fire, EMS\",453.1,no,\r\n"
                    ",,,\r\n",
                    200,
                    {{0, 1, "146.5200"}, {0, 2, "Tower"}, {0, 5, "True"}, {1, 2, "Fire, EMS"}, {1, 5, "False"}},
                    "Read 2 channels from county.csv (columns by name)."},
        // Channel numbers outside the list; the others keep their places.
        ForeignFile{"ChannelOutside",
                    "Channel,Frequency,Tag\n3,155.1,Three\n250,155.2,Far\n7,155.3,Seven\n",
                    200,
                    {{2, 2, "Three"}, {6, 2, "Seven"}, {0, 1, ""}},
                    "Read 2 channels from county.csv (columns by name). 1 line was skipped: line 3: channel 250 is "
                    "outside 1 to 200."},
        // A repeated channel number: one after another; more lines than
        // channels are counted, and only the first three reasons are named.
        ForeignFile{"MoreLinesThanChannels",
                    "Memory,RX Frequency,Comment\n1,151.1,A\n1,151.2,B\n2,151.3,C\n3,151.4,D\n4,151.5,E\n6,151.6,F\n",
                    2,
                    {{0, 2, "A"}, {1, 2, "B"}},
                    "Read 2 channels from county.csv (columns by name). Location numbers repeat; channels are "
                    "placed in file order. 4 lines were skipped: line 4: more lines "
                    "than channels (2); line 5: more lines than channels (2); line 6: more lines than channels (2); "
                    "and 1 more line."},
        // Lines past those kept are one reason, but counted as lines.
        ForeignFile{"ManyLinesPastTheChannels",
                    "Memory,RX "
                    "Frequency\n1,151.0\n1,151.1\n1,151.2\n1,151.3\n1,151.4\n1,151.5\n1,151.6\n1,151.7\n1,151.8\n1,151."
                    "9\n1,151.0\n1,151.1\n1,151.2\n1,151.3\n1,151.4\n1,151.5\n1,151.6\n1,151.7\n1,151.8\n1,151.9\n",
                    2,
                    {{0, 1, "151.0000"}, {1, 1, "151.1000"}},
                    "Read 2 channels from county.csv (columns by name). Location numbers repeat; channels are "
                    "placed in file order. 18 lines were skipped: line 4: more lines than channels (2); line 5: more "
                    "lines than channels (2); line 6: more lines than channels (2); and 15 more lines."},
        // Scanlore's own names in any letter case read by position, as Save
        // writes them, without a skip.
        ForeignFile{"OwnNamesInOtherCase",
                    "id,FREQUENCY,description\n1,,Empty\n2,155.1,Fire\n",
                    200,
                    {{0, 2, "Empty"}, {1, 1, "155.1000"}},
                    "Read 2 channels from county.csv."}),
    [](const ::testing::TestParamInfo<ForeignFile>& info) { return std::string(info.param.name); });

// Files as their tools write them, each once read wrong or refused without a
// reason: the header below title lines, units, race lists, flag words,
// encodings and channel numbers.
INSTANTIATE_TEST_SUITE_P(
    FromTheWild, ForeignLayout,
    ::testing::Values(
        // A spreadsheet form: a title, a date and a blank line above the
        // header, a unit in brackets, a car number with a leading zero.
        ForeignFile{"TitleLinesAboveTheHeader",
                    "County scanner list,,,\r\nUpdated 2024-05-01,,,\r\n,,,\r\n"
                    "Channel,Name,Frequency (MHz),Car #\r\n1,Tower,146.52,02\r\n2,Fire,453.1,7\r\n",
                    200,
                    {{0, 1, "146.5200"}, {0, 2, "Tower"}, {0, 3, "02"}, {1, 3, "7"}},
                    "Read 2 channels from county.csv (columns by name). 3 title lines above the channels were "
                    "skipped."},
        // As many title lines as may stand above a header.
        ForeignFile{"TenTitleLines",
                    "T1\nT2\nT3\nT4\nT5\nT6\nT7\nT8\nT9\nT10\nName,Frequency\nTower,146.52\n",
                    200,
                    {{0, 1, "146.5200"}, {0, 2, "Tower"}},
                    "Read 1 channel from county.csv (columns by name). 10 title lines above the channels were "
                    "skipped."},
        ForeignFile{"HeaderInKilohertz",
                    "Freq [kHz],Alpha Tag\r\n154130,CoFire\r\n155437.5,Interop\r\n",
                    200,
                    {{0, 1, "154.1300"}, {1, 1, "155.4375"}},
                    "Read 2 channels from county.csv (columns by name). 2 frequencies in kHz were converted to MHz."},
        ForeignFile{"RaceList",
                    "Car,Driver,Team,Primary,Secondary,Backup\r\n02,Smith,Acme,461.2125,462.5,\r\n"
                    "44,Jones,,454.0,,\r\n",
                    200,
                    {{0, 1, "461.2125"}, {0, 2, "Smith"}, {0, 3, "02"}, {1, 2, "Jones"}, {1, 3, "44"}},
                    "Read 3 channels from county.csv (race list). Primary: channels 1\u20132; Secondary: 3. The Team "
                    "column is not kept."},
        ForeignFile{"ReceiveNotTransmit",
                    "Ch,TX Freq,RX Freq,Name\r\n1,151.0,155.1,A\r\n",
                    200,
                    {{0, 1, "155.1000"}, {0, 2, "A"}},
                    "Read 1 channel from county.csv (columns by name)."},
        ForeignFile{"FlagWords",
                    "Channel,Frequency,Alpha Tag,Lockout,Pri,Delay (sec)\r\n1,155.1,A,L,Yes,2\r\n"
                    "2,155.2,B,Unlocked,No,0\r\n3,155.3,C,locked,,\r\n",
                    200,
                    {{0, 4, "True"},
                     {0, 5, "True"},
                     {0, 6, "True"},
                     {1, 4, "False"},
                     {1, 5, "False"},
                     {1, 6, "False"},
                     {2, 5, "True"}},
                    "Read 3 channels from county.csv (columns by name)."},
        ForeignFile{"Windows1252",
                    "Name,Frequency\r\nK\xF6ln Feuer,155.1\r\n",
                    200,
                    {{0, 2, "K\xC3\xB6ln Feuer"}},
                    "Read 1 channel from county.csv (columns by name). The file was read as Windows-1252."},
        // CHIRP writes a comment's line end inside quotes.
        ForeignFile{"ChirpCommentOverTwoLines",
                    "Location,Name,Frequency,Duplex,Offset,Tone,Mode,Comment\r\n"
                    "0,,146.520000,,0.000000,,FM,\"Call\r\nsimplex\"\r\n1,Rpt,146.940000,-,0.600000,,FM,\r\n",
                    200,
                    {{0, 2, "Call simplex"}, {1, 2, "Rpt"}},
                    "Read 2 channels from county.csv (CHIRP layout)."},
        // Scanlore's layout edited in a spreadsheet, which drops the quotes.
        ForeignFile{
            "OwnLayoutUnquotedCarNumber",
            "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n1,146.52,Pit,02,False,False,False\r\n",
            200,
            {{0, 3, "02"}},
            "Read 1 channel from county.csv."},
        ForeignFile{"OwnLayoutWithoutHeader",
                    "1,146.52,A,,False,False,False\r\n3,146.53,B\r\n",
                    200,
                    {{0, 2, "A"}, {2, 2, "B"}, {1, 2, ""}},
                    "Read 2 channels from county.csv."}),
    [](const ::testing::TestParamInfo<ForeignFile>& info) { return std::string(info.param.name); });

struct RefusedFile
{
    const char* name;
    const char* text;
    const char* reason;
};

class RefusedLayout : public ChannelFileTest, public ::testing::WithParamInterface<RefusedFile>
{};

TEST_P(RefusedLayout, ReadsNothingAndSaysWhy)
{
    Put(Path("county.csv"), GetParam().text);
    vnChannelList list;
    FillNew(list, 200);
    Set(list, 0, 2, "kept");

    const ChannelFileResult result = ReadChannelFile(Path("county.csv"), list);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(result.reason, GetParam().reason);
    EXPECT_EQ(Cell(list, 0, 2), "kept");
    EXPECT_EQ(Cell(list, 0, 1), "");
}

INSTANTIATE_TEST_SUITE_P(
    ChannelFileTest, RefusedLayout,
    ::testing::Values(
        RefusedFile{"HeaderWithoutFrequency", "Group,Chan,Tx,Mode\r\nFire,1,154.1,FM\r\n",
                    "county.csv has a header line, but none of its columns (Group, Chan, Tx, \xE2\x80\xA6) is a "
                    "frequency, split at commas, semicolons or tabs. Rename the frequency column to Frequency and "
                    "open it again."},
        RefusedFile{"WiderThanScanloresLines", "1,154.13,Fire,,False,False,False,extra\r\n",
                    "county.csv has no header line naming a frequency column, and its lines are not in Scanlore's "
                    "layout (line 1 has 8 fields, more than Scanlore's 7). Add a header line that names the "
                    "Frequency column and open it again."},
        RefusedFile{"FlagsThatAreNotTruthWords", "1,154.13,Fire,,False,False,False\r\n2,155.1,EMS,,0,1,0\r\n",
                    "county.csv has no header line naming a frequency column, and its lines are not in Scanlore's "
                    "layout (line 2 holds \"0\" where Scanlore's layout has Delay). Add a header line that names the "
                    "Frequency column and open it again."},
        RefusedFile{"OnlySeparatorsAndBlankLines", ",,,\r\n\r\n,,,,,,\n \n",
                    "county.csv holds no channels: it has nothing but blank lines and separators."},
        RefusedFile{"EmptyFile", "", "county.csv holds no channels: it has nothing but blank lines and separators."}),
    [](const ::testing::TestParamInfo<RefusedFile>& info) { return std::string(info.param.name); });

// A frequency off every channel step is read as written, and counted.
TEST_F(ChannelFileTest, FrequenciesOffTheChannelStepsAreReadAndCounted)
{
    Put(Path("typo.csv"), "Frequency,Name\r\n146.52,Call\r\n468.5152,Typo\r\n851.00625,Trunk\r\n");
    vnChannelList list;
    FillNew(list, 200);
    const ChannelFileResult result = ReadChannelFile(Path("typo.csv"), list);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(Cell(list, 1, 1), "468.5152");
    EXPECT_EQ(ReadSummaryMessage(Path("typo.csv"), result.applied),
              "Read 3 channels from typo.csv (columns by name). 1 frequency is not on a channel step (channel 2): "
              "check it for a typo.");
}

// Files in the shapes other tools write them: separators, line ends, units and
// texts each read right or refused with the reason.
INSTANTIATE_TEST_SUITE_P(
    Shapes, ForeignLayout,
    ::testing::Values(
        // A spreadsheet in a European locale: semicolons and decimal commas.
        ForeignFile{"SemicolonsAndDecimalCommas",
                    "Channel;Frequency;Name\r\n1;146,5200;Anruf\r\n2;439,0125;\"Relais; DB0XY\"\r\n",
                    200,
                    {{0, 1, "146.5200"}, {0, 2, "Anruf"}, {1, 1, "439.0125"}, {1, 2, "Relais; DB0XY"}},
                    "Read 2 channels from county.csv (columns by name). Its fields are separated by semicolons."},
        // An SDR program's tab-separated export: hertz without a unit.
        ForeignFile{"TabsAndHertz",
                    "Frequency\tName\tModulation\n146520000\tCall\tNFM\n162550000\tNOAA\tNFM\n",
                    200,
                    {{0, 1, "146.5200"}, {0, 2, "Call"}, {1, 1, "162.5500"}},
                    "Read 2 channels from county.csv (columns by name). 2 frequencies in Hz were converted to MHz. "
                    "Its fields are separated by tabs."},
        ForeignFile{"TabsAndDecimalCommas",
                    "Freq\tName\n146,52\tCall\n",
                    200,
                    {{0, 1, "146.5200"}, {0, 2, "Call"}},
                    "Read 1 channel from county.csv (columns by name). Its fields are separated by tabs."},
        // An old Mac spreadsheet ends its lines with CR alone.
        ForeignFile{"CarriageReturnsOnly",
                    "Frequency,Name\r146.52,Call\r147.06,Rpt\r",
                    200,
                    {{0, 1, "146.5200"}, {1, 1, "147.0600"}, {1, 2, "Rpt"}},
                    "Read 2 channels from county.csv (columns by name)."},
        // A column of kHz without a unit; 145500.00 is kHz too, not
        // 145,500 MHz, while 146.52 is MHz as written.
        ForeignFile{"KilohertzWithoutAUnit",
                    "Frequency,Name\n154130,Fire\n145500.00,Rpt\n146.52,Call\n",
                    200,
                    {{0, 1, "154.1300"}, {1, 1, "145.5000"}, {2, 1, "146.5200"}},
                    "Read 3 channels from county.csv (columns by name). 2 frequencies in kHz were converted to MHz."},
        ForeignFile{"NotFinite",
                    "Frequency,Name\n146.52,A\nnan,B\ninf,C\n",
                    200,
                    {{0, 1, "146.5200"}, {1, 1, ""}},
                    "Read 1 channel from county.csv (columns by name). 2 lines were skipped: line 3: \"nan\" is not "
                    "a frequency; line 4: \"inf\" is not a frequency."},
        // Descriptions as written, in another tool's file and in Scanlore's
        // layout edited in a spreadsheet that dropped the quotes.
        ForeignFile{"DescriptionsAsWritten",
                    "Frequency,Name\n146.52,007\n146.53,060121\n146.54,yes\n",
                    200,
                    {{0, 2, "007"}, {1, 2, "060121"}, {2, 2, "yes"}},
                    "Read 3 channels from county.csv (columns by name)."},
        ForeignFile{"OwnDescriptionsAsWritten",
                    "ID,Frequency,Description\r\n1,146.52,007\r\n2,146.53,060121\r\n",
                    200,
                    {{0, 2, "007"}, {1, 2, "060121"}},
                    "Read 2 channels from county.csv."}),
    [](const ::testing::TestParamInfo<ForeignFile>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Shapes, RefusedLayout,
    ::testing::Values(
        // Talkgroup numbers are no frequencies of any one unit.
        RefusedFile{"TalkgroupColumn", "Frequency,Name\n3181,Fire Dispatch\n310999,EMS\n99,Police\n91,Roads\n",
                    "In the Frequency column of county.csv, 3181 and 99 are not frequencies of one unit: no one of "
                    "MHz, kHz and Hz puts both on a channel step from 25 to 1300 MHz. Name the column's unit in its "
                    "header (\"Frequency (kHz)\") if it has one."},
        // Once read as kHz, Hz and MHz line by line.
        RefusedFile{"MixedUnitsInOneColumn", "Frequency,Tag\n154130,kHz\n453125000,Hz\n5000,Neither\n1300,MHz\n",
                    "In the Frequency column of county.csv, 154130 and 453125000 are not frequencies of one unit: no "
                    "one of MHz, kHz and Hz puts both on a channel step from 25 to 1300 MHz. Name the column's unit "
                    "in its header (\"Frequency (kHz)\") if it has one."},
        RefusedFile{"NoLineHasAFrequency", "Frequency,Name\n,Fire\nTBA,EMS\n",
                    "county.csv has no line with a frequency to read. 2 lines were skipped: line 2: no frequency; "
                    "line 3: \"TBA\" is not a frequency."},
        RefusedFile{"HeaderOnly", "ID,Frequency,Description\r\n", "county.csv has no line with a frequency to read."},
        // An SDR program's bookmarks and another's XML list.
        RefusedFile{"JsonBookmarks",
                    "{\"bookmarkDisplayMode\":1,\"lists\":{\"General\":{\"bookmarks\":{\"Call\":{\"bandwidth\":"
                    "12500.0,\"frequency\":146520000.0,\"mode\":0}},\"showOnWaterfall\":true}}}\n",
                    "county.csv is a JSON file, not a CSV file. Export the channels from its program as CSV "
                    "(comma-separated values) and open that file."},
        RefusedFile{"XmlList",
                    "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<ArrayOfMemoryEntry>\r\n<MemoryEntry><Frequency>"
                    "146520000</Frequency></MemoryEntry>\r\n</ArrayOfMemoryEntry>\r\n",
                    "county.csv is an XML file, not a CSV file. Export the channels from its program as CSV "
                    "(comma-separated values) and open that file."},
        // Lines without a header are never taken for one, nor read by
        // position when they are not in Scanlore's layout.
        RefusedFile{"HeaderlessLinesOfText", "Fire Dispatch,154.1300 MHz,FM\r\nEMS,155.3400 MHz,FM\r\n",
                    "county.csv has no header line naming a frequency column, and its lines are not in Scanlore's "
                    "layout (line 2 holds \"EMS\" where Scanlore's layout has ID). Add a header line that names the "
                    "Frequency column and open it again."},
        RefusedFile{"HeaderlessLinesWithNumbers", "Fire Dispatch;154,13;FM\r\nEMS;155,34;FM\r\n",
                    "county.csv has no header line naming a frequency column, and its lines are not in Scanlore's "
                    "layout (line 2 holds \"EMS\" where Scanlore's layout has ID). Add a header line that names the "
                    "Frequency column and open it again."},
        RefusedFile{"SemicolonHeaderWithoutFrequency", "Kanal;Bezeichnung;Bemerkung\r\n1;Anruf,Ruf;146,52\r\n",
                    "county.csv has a header line, but none of its columns (Kanal, Bezeichnung, Bemerkung) is a "
                    "frequency, split at commas, semicolons or tabs. Rename the frequency column to Frequency and "
                    "open it again."},
        // No separator splits the names: no advice to rename a column.
        RefusedFile{"NoSeparatorSplitsTheHeader", "Frequency|Name\n146.52|Call\n",
                    "county.csv has no header line that Scanlore can split into columns: line 1 "
                    "(\"Frequency|Name\") holds no comma, semicolon or tab. Save the list as CSV (comma-separated "
                    "values) and open it again."}),
    [](const ::testing::TestParamInfo<RefusedFile>& info) { return std::string(info.param.name); });
