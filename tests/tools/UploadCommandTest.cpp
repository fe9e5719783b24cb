// scanlore-upload: its command line, and the program itself against the
// virtual scanner, with Scanlore's settings in a temporary configuration
// folder.
#include "core/ScannerRecord.h"
#include "modules/gre1/vnGre1Settings.h"
#include "settings/CSettingsStore.h"
#include "tests/support/VirtualScannerProcess.h"
#include "tools/UploadOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::string Upload = SCANLORE_UPLOAD;
const std::string Scanner = SCANLORE_VSCANNER;
// --- command line -------------------------------------------------------------

struct OptionsCase
{
    std::vector<std::string> arguments;
    bool ok;
    std::vector<std::int32_t> channels;
};

void PrintTo(const OptionsCase& c, std::ostream* os)
{
    for (const auto& argument : c.arguments)
        *os << argument << ' ';
}

class UploadOptionsTest : public testing::TestWithParam<OptionsCase>
{};

TEST_P(UploadOptionsTest, ParsesOrRefuses)
{
    UploadOptions options;
    std::string error;
    EXPECT_EQ(UploadOptions::Parse(GetParam().arguments, &options, &error), GetParam().ok) << error;
    if (GetParam().ok)
        EXPECT_EQ(options.channels, GetParam().channels);
    else
        EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UploadOptionsTest,
    testing::Values(
        OptionsCase{{"a.csv"}, true, {}}, OptionsCase{{"--channels", "1-3,45,3", "a.csv"}, true, {1, 2, 3, 45}},
        OptionsCase{{"--baud", "110", "--stop-bits", "1", "--port", "/dev/ttyUSB0", "a.csv"}, true, {}},
        OptionsCase{{"--help"}, true, {}}, OptionsCase{{}, false, {}}, OptionsCase{{"a.csv", "b.csv"}, false, {}},
        OptionsCase{{"--column", "frequency:khz=QRG", "--column", "car=No", "a.csv"}, true, {}},
        OptionsCase{{"--column", "colour=QRG", "a.csv"}, false, {}},
        OptionsCase{{"--column", "car=No", "--column", "description=NO", "a.csv"}, false, {}},
        OptionsCase{{"--baud", "109", "a.csv"}, false, {}}, OptionsCase{{"--baud", "256001", "a.csv"}, false, {}},
        OptionsCase{{"--baud", "a.csv"}, false, {}}, OptionsCase{{"--stop-bits", "0", "a.csv"}, false, {}},
        OptionsCase{{"--channels", "3-1", "a.csv"}, false, {}}, OptionsCase{{"--channels", "0", "a.csv"}, false, {}},
        OptionsCase{{"--channels", "1,,2", "a.csv"}, false, {}}, OptionsCase{{"--channels", "1-", "a.csv"}, false, {}},
        OptionsCase{{"--frobnicate", "a.csv"}, false, {}}, OptionsCase{{"a.csv", "--port"}, false, {}}));

// --- the program ------------------------------------------------------------------

struct Outcome
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A configuration folder of its own, so that the program reads the settings
// the test stores and never the user's.
class UploadProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/scanlore-upload-test-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_folder = folder;
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        if (previous)
            m_previousConfig = previous;
        setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
        // The records of what scanners hold, kept by the program.
        const char* previousData = std::getenv("XDG_DATA_HOME");
        if (previousData)
            m_previousData = previousData;
        setenv("XDG_DATA_HOME", (m_folder / "data").c_str(), 1);
        m_store = std::make_unique<CSettingsStore>(
            QString::fromStdString((m_folder / "config" / "Pellmark" / "Scanlore.conf").string()));
    }
    void TearDown() override
    {
        if (m_previousConfig)
            setenv("XDG_CONFIG_HOME", m_previousConfig->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        if (m_previousData)
            setenv("XDG_DATA_HOME", m_previousData->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
        std::filesystem::remove_all(m_folder);
    }

    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // Standard input is the file named, or nothing.
    Outcome Run(const std::vector<std::string>& arguments, const std::string& input = "/dev/null")
    {
        return Wait(Start(arguments, input));
    }
    // The program started, and its end waited for.
    pid_t Start(const std::vector<std::string>& arguments, const std::string& input = "/dev/null")
    {
        std::vector<std::string> all{Upload};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (m_folder / "stdout").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (m_folder / "stderr").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = -1;
        if (posix_spawn(&pid, Upload.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    Outcome Wait(pid_t pid)
    {
        Outcome outcome;
        if (pid > 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        outcome.out = ReadText(m_folder / "stdout");
        outcome.err = ReadText(m_folder / "stderr");
        return outcome;
    }

    CSettingsStore& Store() { return *m_store; }

    // The record the program keeps of what the named scanner holds.
    std::string RecordPath(const std::string& scanner = "Pro-89") const
    {
        return ScannerRecord::FileName((m_folder / "data" / "scanlore" / "scanners").string(), scanner);
    }
    // The channels the record says the scanner holds, in the virtual
    // scanner's words ("holds" line of --json --holds).
    std::string RecordAsHolds() const
    {
        const ScannerRecord::ReadResult read = ScannerRecord::Read(RecordPath(), "Pro-89");
        std::string text = "{\"event\":\"holds\",\"memories\":[";
        const auto flag = [](bool on) { return on ? "true" : "false"; };
        bool first = true;
        for (const auto& [number, memory] : read.record.Memories()) {
            if (memory.state != ScannerMemory::State::Sent)
                continue;
            char mhz[64];
            const auto end = std::to_chars(mhz, mhz + sizeof mhz, memory.channel.GetFrequency().GetMHz(),
                                           std::chars_format::fixed, 4)
                                 .ptr;
            text += std::string(first ? "" : ",") + "{\"number\":" + std::to_string(number) + ",\"frequency\":\"" +
                std::string(mhz, end) + "\",\"car\":\"" + memory.channel.GetCarNumber() +
                "\",\"delay\":" + flag(memory.channel.GetDelay()) +
                ",\"lockout\":" + flag(memory.channel.GetLockout()) +
                ",\"priority\":" + flag(memory.channel.GetPriority()) + "}";
            first = false;
        }
        return text + "]}";
    }

private:
    std::filesystem::path m_folder;
    std::optional<std::string> m_previousConfig;
    std::optional<std::string> m_previousData;
    std::unique_ptr<CSettingsStore> m_store;
};

const std::string Header = "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n";

// A channel file of `count` lines with varied fields, and the channel events
// the scanner should report for it.
std::string ChannelFile(int count, std::vector<std::string>* expected)
{
    std::string text = Header;
    for (int i = 1; i <= count; ++i) {
        const std::string mhz = std::to_string(100 + i) + ".0125";
        const bool delay = i % 2 == 0;
        const bool lockout = i % 3 == 0;
        const std::string carNumber = i % 4 == 0 ? "K" + std::to_string(i) : std::string();
        text += std::to_string(i) + "," + mhz + ",Not sent," + carNumber + "," + (delay ? "True" : "False") + "," +
            (lockout ? "True" : "False") + ",False\r\n";
        expected->push_back("\"number\":" + std::to_string(i) + ",\"frequency\":\"" + mhz + "\",\"car\":\"" +
                            carNumber + "\",\"delay\":" + (delay ? "true" : "false") +
                            ",\"lockout\":" + (lockout ? "true" : "false") + ",\"priority\":false");
    }
    return text;
}

TEST_F(UploadProgramTest, RoundTripsAChannelFileThroughTheVirtualScanner)
{
    std::vector<std::string> expected;
    const std::string file = WriteFile("channels.csv", ChannelFile(30, &expected));
    VirtualScannerProcess scanner(Scanner, {"--json", "--uploads", "2"});
    const auto device = scanner.NextLine();
    ASSERT_TRUE(device);
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, *device);
    Store().SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);

    const Outcome done = Run({file});
    EXPECT_EQ(done.status, 0) << done.err;
    auto lines = scanner.LinesUntil("\"event\":\"summary\"");
    ASSERT_EQ(lines.size(), 2 + expected.size() + 1) << done.err;
    EXPECT_NE(lines[0].find("\"baud\":230400"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "{\"event\":\"start\",\"upload\":1,\"count\":200}");
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NE(lines[2 + i].find(expected[i]), std::string::npos) << lines[2 + i] << "\n" << expected[i];
    EXPECT_NE(lines.back().find("\"complete\":true,\"packets\":32,\"stored\":30,\"rejected\":0"), std::string::npos);
    EXPECT_NE(done.err.find("30 of 30 channels sent (memory "), std::string::npos) << done.err;
    EXPECT_NE(done.err.find("Sent 30 channels to the scanner on " + *device + " in "), std::string::npos) << done.err;

    // Options change the line for this run only; --channels sends those
    // channels, one upload each.
    const Outcome some = Run({"--baud", "38400", "--stop-bits", "1", "--channels", "4", file});
    EXPECT_EQ(some.status, 0) << some.err;
    lines = scanner.LinesUntil("\"event\":\"summary\"");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("\"baud\":38400,\"dataBits\":8,\"parity\":false,\"stopBits\":1"), std::string::npos);
    EXPECT_EQ(lines[1], "{\"event\":\"start\",\"upload\":2,\"count\":1}");
    EXPECT_NE(lines[2].find(expected[3]), std::string::npos) << lines[2];
    EXPECT_EQ(Store().GetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 0), 230400);
    EXPECT_EQ(Store().GetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, -1), -1);
}

TEST_F(UploadProgramTest, DryRunPrintsEveryPacketInHexAndOpensNoPort)
{
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "/dev/scanlore-never-opened");
    const std::string file = WriteFile("one.csv", Header + "1,146.52,,,True,False,False\r\n");
    const Outcome done = Run({"--dry-run", file});
    EXPECT_EQ(done.status, 0) << done.err;
    // Channel 1 from the file; the other channels have no frequency.
    const std::string channel1 = "81 19 10 00 43 31 5E 46 31 34 36 2E 35 32 30 30 5E 44 53 5E 4C 52 5E 50 52 5E E0\n";
    const std::string end = "81 04 02 01 00 F9\n";
    EXPECT_EQ(done.out, "81 04 01 01 C8 32\n" + channel1 + end);
    // Upload Selected: an upload of count 1 per channel, each channel once;
    // a channel without frequency is named and left out.
    const Outcome some = Run({"--dry-run", "--channels", "1,2,1", file});
    EXPECT_EQ(some.status, 0) << some.err;
    EXPECT_EQ(some.out, "81 04 01 01 01 F9\n" + channel1 + end);
    EXPECT_EQ(some.err, "scanlore-upload: Channel 2 has no frequency and was not sent.\n");
    // With none that has a frequency, nothing is sent and the command fails.
    const Outcome none = Run({"--dry-run", "--channels", "2", file});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "scanlore-upload: Channel 2 has no frequency: there is nothing to send.\n");
    // A table read whole without a frequency opens no port: its name would
    // be in the reason why it could not be opened.
    const std::string emptyFile = WriteFile("empty.csv", Header + "1,,Fire,,False,False,False\r\n");
    const Outcome empty = Run({emptyFile});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err, "scanlore-upload: None of the 200 channels has a frequency: there is nothing to send.\n");
    // Said before a missing port: no port would make it worth sending.
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "");
    EXPECT_EQ(Run({emptyFile}).err, empty.err);
    // "-" reads the same file from standard input.
    const Outcome piped = Run({"--dry-run", "-"}, file);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, done.out);
}

TEST_F(UploadProgramTest, AnotherToolsFileSendsTheSameAndSumsUpTheReadOnStandardError)
{
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "/dev/scanlore-never-opened");
    const std::string own = WriteFile("own.csv", Header + "1,146.52,Fire,,False,True,False\r\n");
    const std::string county = WriteFile("county.csv",
                                         "\"Frequency Output\",\"Description\",\"Alpha Tag\",\"Lockout\"\r\n"
                                         "\"146.52000\",\"Fire Dispatch\",\"Fire\",\"yes\"\r\n"
                                         "\"\",\"Spare\",\"\",\"\"\r\n");
    const Outcome ours = Run({"--dry-run", own});
    const Outcome theirs = Run({"--dry-run", county});
    EXPECT_EQ(ours.status, 0) << ours.err;
    EXPECT_EQ(theirs.status, 0) << theirs.err;
    EXPECT_EQ(theirs.out, ours.out);
    EXPECT_EQ(ours.err, "");
    EXPECT_EQ(theirs.err,
              "scanlore-upload: Read 1 channel from county.csv (RadioReference layout). 1 line was "
              "skipped: line 3: no frequency.\n");
}

TEST_F(UploadProgramTest, FaultsGiveTheirExitStatusAndReason)
{
    std::vector<std::string> unused;
    const std::string file = WriteFile("channels.csv", ChannelFile(3, &unused));
    const std::string caret = WriteFile("caret.csv", Header + "1,146.52,,A^B,False,False,False\r\n");

    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "/dev/scanlore-missing-device");
    Outcome outcome = Run({file});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("/dev/scanlore-missing-device could not be opened"), std::string::npos) << outcome.err;

    // The upload's own check, before any byte; a dry run makes the same.
    for (const bool dryRun : {false, true}) {
        outcome = Run(dryRun ? std::vector<std::string>{"--dry-run", caret} : std::vector<std::string>{caret});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("Channel 1: the car number holds '^'"), std::string::npos) << outcome.err;
    }

    outcome = Run({WriteFile("missing.csv", "") + ".not-there"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("could not be read"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find("unchanged"), std::string::npos) << outcome.err;

    outcome = Run({"--channels", "201", file});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("there is no channel 201"), std::string::npos) << outcome.err;

    outcome = Run({"--stop-bits", "3", file});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("Usage: scanlore-upload"), std::string::npos) << outcome.err;
}

// A file with no frequency to read is refused before the port is opened: a
// port that cannot be opened would fail with 1 instead.
TEST_F(UploadProgramTest, AFileWithNothingToReadSendsNothing)
{
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "/dev/scanlore-missing-device");
    for (const char* text : {"Frequency,Name\r\n,Fire\r\n,EMS\r\n", "[{\"frequency\": 146520000}]\n"}) {
        const Outcome outcome = Run({WriteFile("nothing.csv", text)});
        EXPECT_EQ(outcome.status, 2) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("could not be read"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.err.find("/dev/scanlore-missing-device"), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(std::filesystem::exists(RecordPath()));
}

// No port given or stored and no USB serial adapter: nothing is guessed.
TEST_F(UploadProgramTest, NoPortIsBadUsageWithTheWayForward)
{
    if (std::filesystem::exists("/dev/serial/by-id"))
        GTEST_SKIP() << "this machine has a USB serial adapter, which would be the port";
    std::vector<std::string> unused;
    const std::string file = WriteFile("channels.csv", ChannelFile(3, &unused));
    const Outcome outcome = Run({file});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("No USB serial adapter was found. Plug in the scanner's cable, or choose its port."),
              std::string::npos)
        << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(RecordPath()));
    // A dry run needs no port.
    EXPECT_EQ(Run({"--dry-run", file}).status, 0);
}

// Two race weekends from the terminal: after every upload, what the record
// says the scanner holds is what the virtual scanner holds.
TEST_F(UploadProgramTest, RecordFollowsWhatTheScannerHolds)
{
    VirtualScannerProcess scanner(Scanner, {"--json", "--holds"});
    const auto device = scanner.NextLine();
    ASSERT_TRUE(device);
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, *device);
    Store().SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);
    const auto channel = [](int number, const std::string& mhz, const std::string& car = std::string()) {
        return std::to_string(number) + "," + mhz + ",," + car + ",False,False,False\r\n";
    };
    const auto holds = [&] {
        const auto lines = scanner.LinesUntil("\"event\":\"holds\"");
        return lines.empty() ? std::string() : lines.back();
    };

    std::string file =
        WriteFile("race.csv", Header + channel(1, "151.6250") + channel(2, "155.4750", "78") + channel(3, "152.0000"));
    Outcome outcome = Run({file});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("Check on the scanner's display: 1 (151.6250), 2 (155.4750, car 78) and 3 (152.0000)."),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("Channels empty here are not sent"), std::string::npos) << outcome.err;
    EXPECT_EQ(holds(), RecordAsHolds());

    // A week later: one frequency changed, one car's channel emptied.
    file = WriteFile("race.csv", Header + channel(1, "151.6300") + channel(2, "") + channel(3, "152.0000"));
    outcome = Run({"--changed", file});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("1 channel is empty here, but the Pro-89 still holds what was sent on "),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("Sent 1 changed channel to the Pro-89 on"), std::string::npos) << outcome.err;
    EXPECT_EQ(holds(), RecordAsHolds());

    // A dry run shows the packets and writes nothing down.
    const std::string before = ReadText(RecordPath());
    outcome = Run({"--changed", "--lock-out-emptied", "--dry-run", file});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out, "");
    EXPECT_EQ(ReadText(RecordPath()), before);

    outcome = Run({"--changed", "--lock-out-emptied", file});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string locked = holds();
    EXPECT_NE(locked.find("{\"number\":2,\"frequency\":\"155.4750\",\"car\":\"78\",\"delay\":false,\"lockout\":true"),
              std::string::npos)
        << locked;
    EXPECT_EQ(locked, RecordAsHolds());

    // Nothing left to send: no start packet, exit 0.
    outcome = Run({"--changed", "--dry-run", file});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("Nothing changed since the upload of "), std::string::npos) << outcome.err;

    // Another scanner of the same model keeps its own record.
    const std::string pro89 = ReadText(RecordPath());
    outcome = Run({"--scanner", "Spare", "--channels", "1", file});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(std::filesystem::exists(RecordPath("Spare")));
    EXPECT_EQ(ReadText(RecordPath()), pro89);
}

// Ctrl+C stops an upload after the packet being written, with the end
// packet, and the record says what the scanner now holds.
TEST_F(UploadProgramTest, InterruptedUploadIsRecordedAsTheScannerHoldsIt)
{
    VirtualScannerProcess scanner(Scanner, {"--json", "--holds"});
    const auto device = scanner.NextLine();
    ASSERT_TRUE(device);
    std::string text = Header;
    for (int i = 1; i <= 200; ++i)
        text += std::to_string(i) + ",151.1,,,False,False,False\r\n";
    // At 4800 baud the 200 channels need some 14 seconds: time to interrupt.
    const pid_t upload = Start({"--port", *device, "--baud", "4800", WriteFile("all.csv", text)});
    ASSERT_GT(upload, 0);
    ASSERT_FALSE(scanner.LinesUntil("\"event\":\"channel\"").empty());
    kill(upload, SIGINT);
    const Outcome outcome = Wait(upload);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_NE(outcome.err.find("scanlore-upload: Upload cancelled after channel "), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("still hold what they held before."), std::string::npos) << outcome.err;
    const auto lines = scanner.LinesUntil("\"event\":\"holds\"");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), RecordAsHolds());
    EXPECT_NE(lines.back().find("\"number\":1,"), std::string::npos);
    EXPECT_EQ(lines.back().find("\"number\":200,"), std::string::npos);
}

// Frequencies outside the model's bands stop the command before the port
// opens, unless the options leave them out or send them anyway; a car
// number beyond ASCII is refused as '^' is.
TEST_F(UploadProgramTest, OutOfBandChannelsAndCarNumbersTheScannerCannotShowStopBeforeAnyByte)
{
    Store().SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "/dev/scanlore-never-opened");
    const std::string file = WriteFile("bands.csv",
                                       Header +
                                           "1,146.52,,,False,False,False\r\n2,2000.0000,,,False,False,False\r\n"
                                           "3,1.0,,,False,False,False\r\n");
    for (const bool dryRun : {false, true}) {
        const Outcome stopped =
            Run(dryRun ? std::vector<std::string>{"--dry-run", file} : std::vector<std::string>{file});
        EXPECT_EQ(stopped.status, 1);
        EXPECT_EQ(stopped.out, "");
        EXPECT_NE(stopped.err.find("2 channels are outside the Pro-89's bands (25\u20131,300 MHz): 2 (2000.0000), "
                                   "3 (1.0000)."),
                  std::string::npos)
            << stopped.err;
    }
    const Outcome skipped = Run({"--dry-run", "--skip-out-of-band", file});
    EXPECT_EQ(skipped.status, 0) << skipped.err;
    EXPECT_EQ(std::count(skipped.out.begin(), skipped.out.end(), '\n'), 3); // start, channel 1, end
    const Outcome all = Run({"--dry-run", "--ignore-bands", file});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 5);

    const Outcome umlaut =
        Run({"--dry-run", WriteFile("car.csv", Header + "1,146.52,,\xc3\x9c,False,False,False\r\n")});
    EXPECT_EQ(umlaut.status, 1);
    EXPECT_EQ(umlaut.out, "");
    EXPECT_NE(umlaut.err.find("Channel 1: the car number holds '\xc3\x9c' (bytes C3 9C)"), std::string::npos)
        << umlaut.err;
}

// A frequency off the channel steps is named, read and sent as written.
TEST_F(UploadProgramTest, ChannelsOffTheStepsAreNamedOnStandardErrorAndSent)
{
    const std::string file =
        WriteFile("steps.csv", Header + "1,146.52,,,False,False,False\r\n2,468.5152,,,False,False,False\r\n");
    const Outcome sent = Run({"--dry-run", file});
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(std::count(sent.out.begin(), sent.out.end(), '\n'), 4); // start, channels 1 and 2, end
    EXPECT_EQ(sent.err,
              "scanlore-upload: Read 2 channels from steps.csv. 1 frequency is not on a channel step (channel 2): "
              "check it for a typo.\n"
              "scanlore-upload: 1 channel is not on a channel step: 2 (468.5152). Check it for a typo. It is sent as "
              "it is.\n");
}

// A scanner that stops reading: the line backs up once the pseudo-terminal
// is full, and the upload fails with the reason after the write timeout.
TEST_F(UploadProgramTest, AStalledLineFailsTheUploadWithTheReason)
{
    // Long car numbers make the upload larger than the pseudo-terminal holds.
    std::string text = Header;
    for (int i = 1; i <= 200; ++i)
        text += std::to_string(i) + ",146.52,," + std::string(200, 'v') + ",False,False,False\r\n";
    const std::string file = WriteFile("long.csv", text);
    VirtualScannerProcess scanner(Scanner, {"--json", "--stop-reading-after", "10"});
    const auto device = scanner.NextLine();
    ASSERT_TRUE(device);
    const Outcome outcome = Run({"--port", *device, "--baud", "256000", file});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("took no data for 5000 ms"), std::string::npos) << outcome.err;
}

} // namespace
