#include "tools/ConvertCommand.h"

#include "modules/vnChannelLayout.h"
#include "tests/support/Gre1Layout.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kChirp = "Location,Name,Frequency,Duplex,Offset,Tone,Mode\r\n"
                           "0,NOAA,162.550000,,0.000000,,FM\r\n1,Tower,119.100000,,0.000000,,AM\r\n";

struct ConvertCase
{
    const char* name;
    std::vector<std::string> arguments; // "{in}" and "{out}" stand for the folder's files
    int exit;
    const char* outStarts; // standard output's first line, or the file's
    const char* errStarts;
};

class ConvertCommandTest : public ::testing::TestWithParam<ConvertCase>
{
protected:
    ScratchFolder folder;
};

} // namespace

TEST_P(ConvertCommandTest, ReadsAsOpenDoesAndWritesTheChosenLayout)
{
    const ConvertCase& c = GetParam();
    ScratchFolder::Put(folder.Path("in.csv"), kChirp);
    ScratchFolder::Put(folder.Path("group.csv"), "Group,Chan,Tx\r\nFire,1,154.1\r\n");
    ScratchFolder::Put(folder.Path("none.csv"), "Frequency,Name\r\n,Fire\r\n");
    std::vector<std::string> arguments;
    for (std::string argument : c.arguments) {
        if (argument == "{in}" || argument == "{group}" || argument == "{none}" || argument == "{out}" ||
            argument == "{nowhere}")
            argument = folder.Path(argument == "{in}"          ? "in.csv"
                                       : argument == "{group}" ? "group.csv"
                                       : argument == "{none}"  ? "none.csv"
                                       : argument == "{out}"   ? "out.csv"
                                                               : "no such folder/out.csv");
        arguments.push_back(argument);
    }
    std::string out;
    std::string err;
    EXPECT_EQ(ConvertCommand::Run(arguments, Gre1Layout(), -1, out, err), c.exit) << err;
    const std::string written = out.empty() ? ScratchFolder::Slurp(folder.Path("out.csv")) : out;
    EXPECT_EQ(written.substr(0, written.find("\r\n")), c.outStarts);
    EXPECT_EQ(err.rfind(c.errStarts, 0), 0u) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ConvertCommandTest,
    ::testing::Values(
        ConvertCase{"ChirpToScanloreOnStandardOutput",
                    {"{in}"},
                    ConvertCommand::Done,
                    "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"",
                    "Read 2 channels from in.csv (CHIRP layout)."},
        ConvertCase{"ChirpBackToChirpInAFile",
                    {"--to", "chirp", "{in}", "{out}"},
                    ConvertCommand::Done,
                    "\"Location\",\"Name\",\"Frequency\",\"Duplex\",\"Offset\",\"Tone\",\"rToneFreq\",\"cToneFreq\","
                    "\"DtcsCode\",\"DtcsPolarity\",\"RxDtcsCode\",\"CrossMode\",\"Mode\",\"TStep\",\"Skip\",\"Power\","
                    "\"Comment\",\"URCALL\",\"RPT1CALL\",\"RPT2CALL\",\"DVCODE\"",
                    "Read 2 channels"},
        ConvertCase{"RefusedFile", {"{group}"}, ConvertCommand::BadUsage, "", "The channel file \""},
        // Nothing read is no file to write.
        ConvertCase{"NothingRead", {"{none}", "{out}"}, ConvertCommand::BadUsage, "", "The channel file \""},
        ConvertCase{
            "OutIsFile", {"{in}", "{in}"}, ConvertCommand::BadUsage, "", "scanlore-convert: OUT is FILE itself"},
        ConvertCase{"UnknownLayout",
                    {"--to", "csv", "{in}"},
                    ConvertCommand::BadUsage,
                    "",
                    "scanlore-convert: --to takes scanlore or chirp"},
        ConvertCase{"OutCannotBeWritten", {"{in}", "{nowhere}"}, ConvertCommand::WriteFailed, "", "Read 2 channels"}),
    [](const auto& info) { return std::string(info.param.name); });

// --column names what the columns of a header Scanlore cannot use hold; the
// refusal without it names the columns to choose from.
TEST(ConvertColumnOption, ReadsTheColumnsAsNamedAndNamesThemWhenRefused)
{
    ScratchFolder folder;
    const std::string group = folder.Path("group.csv");
    ScratchFolder::Put(group, "Group,Chan,Tx\r\nFire,7,154.1\r\n");
    std::string out;
    std::string err;
    EXPECT_EQ(ConvertCommand::Run(
                  {"--column", "FREQUENCY=tx", "--column", "description=Group", "--column", "channel=Chan", group},
                  Gre1Layout(), -1, out, err),
              0)
        << err;
    EXPECT_EQ(err, "Read 1 channel from group.csv (columns as chosen).\n");
    EXPECT_NE(out.find("\r\n7,154.100000,\"Fire\",,False,False,False\r\n"), std::string::npos) << out;

    err.clear();
    EXPECT_EQ(ConvertCommand::Run({group}, Gre1Layout(), -1, out, err), 2);
    EXPECT_NE(err.find("\nIts columns are \"Group\", \"Chan\" and \"Tx\"; --column ROLE=NAME names what each holds, "
                       "for example --column frequency=\"Tx\".\n"),
              std::string::npos)
        << err;
    for (const char* bad : {"colour=Tx", "frequency", "description:khz=Group", "frequency="}) {
        err.clear();
        EXPECT_EQ(ConvertCommand::Run({"--column", bad, group}, Gre1Layout(), -1, out, err), 2) << bad;
        EXPECT_EQ(err.rfind("scanlore-convert: --column takes ", 0), 0u) << err;
    }
}

// What CHIRP cannot hold is named on standard error, as the window names it;
// the rest is written.
TEST(ConvertCommand, ChirpExportNamesWhatItLeavesOut)
{
    ScratchFolder folder;
    ScratchFolder::Put(folder.Path("own.csv"),
                       "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\","
                       "\"Lockout\",\"Priority\"\r\n"
                       "1,146.5200,,\"02\",True,False,False\r\n"
                       "2,-151.1000,,,False,False,False\r\n"
                       "3,-151.2000,,,False,False,False\r\n");
    std::string out;
    std::string err;
    EXPECT_EQ(ConvertCommand::Run({"--to", "chirp", folder.Path("own.csv"), folder.Path("radio.csv")}, Gre1Layout(), -1,
                                  out, err),
              ConvertCommand::Done);
    EXPECT_NE(err.find("\nradio.csv is written in CHIRP's layout, which has no column for Car Number and Delay: the "
                       "file leaves them out. Channels 2 and 3 have negative frequencies, which CHIRP cannot hold: the "
                       "file leaves them out.\n"),
              std::string::npos)
        << err;
    const std::string written = ScratchFolder::Slurp(folder.Path("radio.csv"));
    EXPECT_EQ(written.find("151."), std::string::npos) << written;
    EXPECT_NE(written.find("\r\n1,,146.520000,"), std::string::npos) << written;
}
