#include "ScanloreVersion.h"
#include "modules/gre1/vnSerialPort.h"
#include "tests/support/Gre1Packets.h"
#include "tests/support/VirtualScannerProcess.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {
const std::string Program = SCANLORE_VSCANNER;

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    for (const auto& line : lines) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// Writes the bytes again and again until a write fails (or `most` times).
vnResult WriteUntilItFails(vnSerialPort& port, const std::string& bytes, int most)
{
    vnResult result = S_OK;
    for (int i = 0; i < most && result == S_OK; ++i)
        result = port.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    return result;
}

// The program started with the test's arguments, and a port named after the
// device it reports first; the port closes before the program is stopped.
class VirtualScannerProgram : public testing::Test
{
protected:
    void Start(const std::vector<std::string>& arguments)
    {
        scanner.emplace(Program, arguments);
        const auto line = scanner->NextLine();
        ASSERT_TRUE(line) << "the program named no device";
        device = *line;
        port.SetName(device);
    }

    std::optional<VirtualScannerProcess> scanner;
    std::string device;
    vnSerialPort port;
};

TEST_F(VirtualScannerProgram, HelpExplainsTheOptionsAndBadOptionsAreRefused)
{
    VirtualScannerProcess help(Program, {"--help"});
    auto lines = help.LinesUntil("Ctrl+C");
    EXPECT_TRUE(Contains(lines, "--stop-reading-after N"));
    EXPECT_TRUE(Contains(lines, "--vanish-after N"));
    EXPECT_TRUE(Contains(lines, "--pace"));
    EXPECT_EQ(help.Wait(), 0);

    VirtualScannerProcess version(Program, {"--version"});
    EXPECT_EQ(version.NextLine(), std::optional<std::string>("scanlore-vscanner " SCANLORE_VERSION));
    EXPECT_EQ(version.Wait(), 0);

    for (auto bad : std::vector<std::vector<std::string>>{
             {"--uploads"}, {"--uploads", "0"}, {"--uploads", "2x"}, {"--vanish-after", "-1"}, {"--frobnicate"}}) {
        VirtualScannerProcess process(Program, bad);
        EXPECT_EQ(process.Wait(), 1) << bad[0];
    }
}

TEST_F(VirtualScannerProgram, ReportsTheLineAndEveryChannelOfAnUploadThroughTheSerialPort)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--json", "--uploads", "1"}));
    ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;
    ASSERT_EQ(port.Configure(device, 250000, 2), S_OK);
    ASSERT_EQ(port.Open(), S_OK) << port.GetFailureReason();
    std::string upload = TestStart(200) + TestChannel("C5^F146.5200^DS^LR^PR^") +
        TestChannel("C200^V\n7^F1300.0000^DR^LS^PS^") + TestEnd();
    ASSERT_EQ(port.Write(upload.data(), static_cast<std::uint32_t>(upload.size())), S_OK);
    ASSERT_EQ(port.Close(), S_OK);

    auto lines = scanner->LinesUntil("\"event\":\"summary\"");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0],
              "{\"event\":\"line\",\"baud\":250000,\"dataBits\":8,\"parity\":false,\"stopBits\":2,"
              "\"rtsCts\":false,\"xonXoff\":false,\"raw\":true,\"outputProcessing\":false,"
              "\"inputProcessing\":false,\"clocal\":true,\"hupcl\":false}");
    EXPECT_EQ(lines[1], "{\"event\":\"start\",\"upload\":1,\"count\":200}");
    EXPECT_NE(lines[2].find("\"number\":5,\"frequency\":\"146.5200\",\"car\":\"\",\"delay\":true"), std::string::npos);
    // The LF inside the car number arrived as it was sent.
    EXPECT_NE(lines[3].find("\"number\":200,\"frequency\":\"1300.0000\",\"car\":\"\\u000a7\""), std::string::npos)
        << lines[3];
    EXPECT_NE(lines[4].find("\"complete\":true,\"packets\":4,\"stored\":2,\"rejected\":0"), std::string::npos);
    EXPECT_EQ(scanner->Wait(), 0);
}

// Paced, the scanner takes the bytes at the line's speed, and all of them.
TEST_F(VirtualScannerProgram, PacedItStillReceivesTheWholeUpload)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--json", "--pace", "--uploads", "1"}));
    ASSERT_EQ(port.Configure(device, 38400, 2), S_OK);
    ASSERT_EQ(port.Open(), S_OK) << port.GetFailureReason();
    std::string upload = TestStart(200);
    for (int number = 1; number <= 60; ++number)
        upload += TestChannel("C" + std::to_string(number) + "^F146.5200^DS^LR^PR^");
    upload += TestEnd();
    ASSERT_EQ(port.Write(upload.data(), static_cast<std::uint32_t>(upload.size())), S_OK);
    ASSERT_EQ(port.Close(), S_OK);

    auto lines = scanner->LinesUntil("\"event\":\"summary\"");
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("\"complete\":true,\"packets\":62,\"stored\":60,\"rejected\":0"), std::string::npos)
        << lines.back();
    EXPECT_EQ(scanner->Wait(), 0);
}

TEST_F(VirtualScannerProgram, ReportsRejectedBytesInPlainText)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--uploads", "1"}));
    ASSERT_EQ(port.Open(), S_OK) << port.GetFailureReason();
    std::string bytes = TestChannel("C1^F1.0000^DR^LR^PR^") + TestStart(1) + "zz" + TestEnd();
    ASSERT_EQ(port.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size())), S_OK);
    port.Close();

    auto lines = scanner->LinesUntil("upload 1 done");
    EXPECT_TRUE(Contains(lines, "REJECTED at byte 0: channel packet outside an upload"));
    EXPECT_TRUE(Contains(lines, "line: 4800 baud, 8 data bits, no parity, 2 stop bits, no flow control, raw"));
    EXPECT_TRUE(Contains(lines, "REJECTED at byte 31: 2 bytes outside a packet"));
    EXPECT_TRUE(Contains(lines, "upload 1 done: 0 channels stored, 1 rejected; 0 of 200 memories in use"));
}

TEST_F(VirtualScannerProgram, VanishingMidUploadMakesTheWriteFail)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--json", "--vanish-after", "100"}));
    ASSERT_EQ(port.Open(), S_OK);

    EXPECT_EQ(WriteUntilItFails(port, TestChannel("C1^F1.0000^DR^LR^PR^"), 10000), E_FAIL);
    // Which the system reports first is a matter of timing: the write's
    // error, or the hang-up that poll sees before the write returns it.
    const std::string reason = port.GetFailureReason();
    EXPECT_TRUE(reason.find("Input/output error") != std::string::npos ||
                reason.find("hung up while writing") != std::string::npos)
        << reason;
    EXPECT_TRUE(Contains(scanner->LinesUntil("vanished"), "{\"event\":\"vanished\",\"bytes\":100}"));
    EXPECT_EQ(scanner->Wait(), 0);
}

TEST_F(VirtualScannerProgram, AScannerThatStopsReadingMakesTheWriteTimeOut)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--json", "--stop-reading-after", "10"}));
    port.SetWriteTimeout(300ms);
    ASSERT_EQ(port.Open(), S_OK);

    const std::string channel = TestChannel("C1^V" + std::string(200, 'x') + "^F1.0000^DR^LR^PR^");
    EXPECT_EQ(WriteUntilItFails(port, channel, 100000), E_FAIL);
    EXPECT_NE(port.GetFailureReason().find("took no data for 300 ms"), std::string::npos) << port.GetFailureReason();
    EXPECT_TRUE(Contains(scanner->LinesUntil("stalled"), "{\"event\":\"stalled\",\"bytes\":10}"));
    port.Close();
}
} // namespace
