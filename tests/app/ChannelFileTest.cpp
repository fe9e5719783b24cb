#include "app/ChannelFile.h"

#include "app/ChannelCellText.h"
#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

void Set(vnChannelList& list, int row, int column, const std::string& text)
{
    SetChannelCellText(*list.GetAt(row), column, text);
}

std::string Cell(const vnChannelList& list, int row, int column)
{
    return GetChannelCellText(*list.GetAt(row), column);
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
    ASSERT_TRUE(WriteChannelFile(Path("new.csv"), list, 200).ok);

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
    ASSERT_TRUE(WriteChannelFile(Path("forms.csv"), list, 3).ok);

    const std::vector<std::string> lines = Lines(Slurp(Path("forms.csv")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "1,146.520000,\"Police\",,False,False,False");
    EXPECT_EQ(lines[2], "2,851.012500,,\"K9\",True,False,True");
    EXPECT_EQ(lines[3], "3,-5.000000,\"007\",\"yes\",False,False,False");

    // Only the grid's rows are saved.
    ASSERT_TRUE(WriteChannelFile(Path("none.csv"), list, 0).ok);
    EXPECT_EQ(Slurp(Path("none.csv")), std::string(Header) + "\r\n");
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
    ASSERT_TRUE(WriteChannelFile(Path("awkward.csv"), saved, 2).ok);

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

TEST_F(ChannelFileTest, OpenMapsByPositionSkipsTheFirstLineAndIgnoresId)
{
    Put(Path("pos.csv"),
        "anything at all,x\r\n"
        "500,146.52 MHz,Police,K9,yes,On,1\r\n"
        "501,abc,\"007\",,TRUE,no,y\r\n");
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

TEST_F(ChannelFileTest, LinesBeyondTheChannelListAreLeftUnreadAndCounted)
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
    EXPECT_EQ(result.applied.linesNotLoaded, 50);
    EXPECT_EQ(list.GetCount(), 200);
    EXPECT_EQ(Cell(list, 199, 2), "Line 200");
    EXPECT_EQ(list.GetAt(199)->GetNumber(), 200);

    const std::string message = LinesNotLoadedMessage(Path("long.csv"), 50, 200);
    EXPECT_NE(message.find(Path("long.csv")), std::string::npos);
    EXPECT_NE(message.find("50 lines"), std::string::npos);
    EXPECT_NE(message.find("200"), std::string::npos);
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
        MappingCase{"BlankLinesDoNotStopIds", "ID,F,D\r\n5,1,E\r\n\r\n,,\r\n9,1,I\r\n\r\n", {{5, "E"}, {9, "I"}}},
        MappingCase{"RepeatedIdGoesByPosition", "ID,F,D\r\n5,1,E\r\n5,1,F\r\n", {{1, "E"}, {2, "F"}}},
        MappingCase{"IdOutsideTheListGoesByPosition", "ID,F,D\r\n5,1,E\r\n201,1,F\r\n", {{1, "E"}, {2, "F"}}},
        MappingCase{"MissingIdGoesByPosition", "ID,F,D\r\n5,1,E\r\n,1,F\r\n", {{1, "E"}, {2, "F"}}},
        MappingCase{"NonNumericFirstLineIsAHeader", "x,1,Head\r\n9,1,I\r\n", {{9, "I"}}},
        MappingCase{"HeaderOnly", "ID,Frequency,Description\r\n", {}}),
    [](const ::testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST_F(ChannelFileTest, WhatSaveWritesOpensExactlyAsItWas)
{
    vnChannelList saved;
    FillNew(saved, 200);
    Set(saved, 0, 1, "146.52");
    Set(saved, 7, 2, "Police");
    Set(saved, 199, 6, "True");
    ASSERT_TRUE(WriteChannelFile(Path("round.csv"), saved, 200).ok);

    vnChannelList opened;
    FillNew(opened, 200);
    Set(opened, 50, 2, "stale");
    ASSERT_TRUE(ReadChannelFile(Path("round.csv"), opened).ok);
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < ChannelFileColumns; ++column)
            ASSERT_EQ(Cell(opened, row, column), Cell(saved, row, column)) << row << "," << column;
}
