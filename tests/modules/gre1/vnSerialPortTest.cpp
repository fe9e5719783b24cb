#include "modules/gre1/vnSerialPort.h"
#include "modules/gre1/vnSerialDevicePosix.h"
#include "modules/gre1/vnSerialSpeedLinux.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/time.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {
std::string ReasonOf(const vnSerialPort& port)
{
    return port.GetFailureReason();
}

// --- settings -------------------------------------------------------------

struct BaudCase
{
    std::uint32_t rate;
    bool accepted;
};

class BaudRateTest : public testing::TestWithParam<BaudCase>
{};

TEST_P(BaudRateTest, AcceptsOnlyTheSupportedRangeAndKeepsTheOldRateOtherwise)
{
    vnSerialPort port;
    ASSERT_EQ(port.SetBaudRate(9600), S_OK);
    vnResult result = port.SetBaudRate(GetParam().rate);
    std::uint32_t rate = 0;
    port.GetBaudRate(&rate);
    if (GetParam().accepted) {
        EXPECT_EQ(result, S_OK);
        EXPECT_EQ(rate, GetParam().rate);
    } else {
        EXPECT_EQ(result, E_INVALIDARG);
        EXPECT_EQ(rate, 9600u);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, BaudRateTest,
                         testing::Values(BaudCase{110, true}, BaudCase{256000, true}, BaudCase{14400, true},
                                         BaudCase{109, false}, BaudCase{0, false}, BaudCase{256001, false},
                                         BaudCase{0xFFFFFFFFu, false}));

TEST(SerialPortSettings, StopBitCodesZeroToTwoAreTakenOthersRefused)
{
    vnSerialPort port;
    std::uint8_t code = 99;
    for (std::uint8_t accepted : {0, 1, 2}) {
        EXPECT_EQ(port.SetStopBits(accepted), S_OK);
        port.GetStopBits(&code);
        EXPECT_EQ(code, accepted);
    }
    for (std::uint8_t refused : {3, 255}) {
        EXPECT_EQ(port.SetStopBits(refused), E_INVALIDARG);
        port.GetStopBits(&code);
        EXPECT_EQ(code, 2);
    }
}

TEST(SerialPortSettings, ConfigureStopsAtTheFirstRefusedValue)
{
    vnSerialPort port;
    ASSERT_EQ(port.Configure("COM2", 9600, 0), S_OK);

    EXPECT_EQ(port.Configure("COM3", 109, 2), E_INVALIDARG);
    std::string name;
    std::uint32_t rate = 0;
    std::uint8_t code = 9;
    port.GetName(&name);
    port.GetBaudRate(&rate);
    port.GetStopBits(&code);
    EXPECT_EQ(name, "COM3");
    EXPECT_EQ(rate, 9600u);
    EXPECT_EQ(code, 0);

    EXPECT_EQ(port.Configure("COM4", 19200, 3), E_INVALIDARG);
    port.GetName(&name);
    port.GetBaudRate(&rate);
    port.GetStopBits(&code);
    EXPECT_EQ(name, "COM4");
    EXPECT_EQ(rate, 19200u);
    EXPECT_EQ(code, 0);
}

// A getter given no place to write refuses instead of writing through null.
class NullGetterTest : public testing::TestWithParam<vnResult (*)(const vnSerialPort&)>
{};

TEST_P(NullGetterTest, AnswersInvalidArgument)
{
    vnSerialPort port;
    EXPECT_EQ(GetParam()(port), E_INVALIDARG);
}

INSTANTIATE_TEST_SUITE_P(Getters, NullGetterTest,
                         testing::Values([](const vnSerialPort& p) { return p.GetName(nullptr); },
                                         [](const vnSerialPort& p) { return p.GetBaudRate(nullptr); },
                                         [](const vnSerialPort& p) { return p.GetStopBits(nullptr); }));

// --- names ----------------------------------------------------------------

struct NameCase
{
    std::string name;
    std::string path; // empty: refused
};

class PortNameTest : public testing::TestWithParam<NameCase>
{};

TEST_P(PortNameTest, MapsToADevicePathOrIsRefused)
{
    std::string path = "untouched";
    bool mapped = vnSerialDevicePosix::DevicePath(GetParam().name, &path);
    if (GetParam().path.empty()) {
        EXPECT_FALSE(mapped);
        EXPECT_EQ(path, "untouched");
    } else {
        EXPECT_TRUE(mapped);
        EXPECT_EQ(path, GetParam().path);
    }
}

// The COM names themselves are vnSerialDevice::ParseComName's table.
INSTANTIATE_TEST_SUITE_P(Names, PortNameTest,
                         testing::Values(NameCase{"/dev/ttyUSB0", "/dev/ttyUSB0"},
                                         NameCase{"/dev/serial/by-id/usb-x", "/dev/serial/by-id/usb-x"},
                                         NameCase{"COM1", "/dev/ttyS0"}, NameCase{"com10", "/dev/ttyS9"},
                                         NameCase{"COM0", ""}, NameCase{"ttyS0", ""}, NameCase{"dev/ttyS0", ""},
                                         NameCase{"./ttyS0", ""}, NameCase{"", ""},
                                         NameCase{std::string("/dev/ttyS0\0x", 12), ""}));

TEST(SerialPortOpen, NeverOpensANameRelativeToTheWorkingDirectory)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    auto dir = std::filesystem::temp_directory_path() / ("scanlore-port-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::create_symlink(pty.Path(), dir / "scanner");
    std::filesystem::create_symlink(pty.Path(), dir / "COM1");
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    vnSerialPort port;
    port.SetName("scanner");
    EXPECT_EQ(port.Open(), E_FAIL);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(ReasonOf(port).find("\"scanner\" is not a serial port name"), std::string::npos) << ReasonOf(port);

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
}

// --- line settings --------------------------------------------------------

TEST(SerialLineSettings, BuildsARawEightBitLineWithoutParityOrFlowControl)
{
    termios cooked{};
    cooked.c_iflag = ICRNL | INLCR | IGNCR | IXON | IXOFF | IXANY | ISTRIP | INPCK | PARMRK | BRKINT | IUTF8;
    cooked.c_oflag = OPOST | ONLCR | OCRNL;
    cooked.c_lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
    cooked.c_cflag = CS7 | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL;
    cooked.c_cc[VSTART] = 0x11;
    cooked.c_cc[VSTOP] = 0x13;
    cooked.c_cc[VEOF] = 0x04;

    bool custom = true;
    termios line = vnSerialDevicePosix::MakeLineSettings(cooked, 4800, 0, &custom);

    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | PARODD | CMSPAR), 0u);
    EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(line.c_cflag & (CRTSCTS | HUPCL | CSTOPB), 0u);
    EXPECT_EQ(line.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | IXANY | ISTRIP | INPCK | PARMRK | BRKINT), 0u);
    EXPECT_EQ(line.c_oflag & (OPOST | ONLCR | OCRNL), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ECHOE | ISIG | IEXTEN), 0u);
    // What the line does not concern stays as the device had it.
    EXPECT_EQ(line.c_iflag & IUTF8, static_cast<tcflag_t>(IUTF8));
    EXPECT_EQ(line.c_cc[VSTART], 0x11);
    EXPECT_EQ(line.c_cc[VSTOP], 0x13);
    EXPECT_EQ(line.c_cc[VEOF], 0x04);

    EXPECT_FALSE(custom);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B4800));
    EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B4800));
}

struct LineCase
{
    std::uint32_t rate;
    std::uint8_t stopBitsCode;
    bool twoStopBits;
};

class SerialLineOnPty : public testing::TestWithParam<LineCase>
{};

TEST_P(SerialLineOnPty, TheDeviceKeepsSpeedStopBitsAndRawMode)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    vnSerialPort port;
    ASSERT_EQ(port.Configure(pty.Path(), GetParam().rate, GetParam().stopBitsCode), S_OK);
    ASSERT_EQ(port.Open(), S_OK) << ReasonOf(port);

    std::uint32_t speed = 0;
    ASSERT_TRUE(vnSerialSpeedLinux::Get(pty.Master(), &speed));
    EXPECT_EQ(speed, GetParam().rate);
    termios line = pty.Line();
    EXPECT_EQ((line.c_cflag & CSTOPB) != 0, GetParam().twoStopBits);
    EXPECT_EQ(line.c_cflag & (CRTSCTS | HUPCL), 0u);
    EXPECT_NE(line.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(port.Close(), S_OK) << ReasonOf(port);
}

// Code 1 gives one stop bit: one and a half cannot be had with 8 data bits.
INSTANTIATE_TEST_SUITE_P(Lines, SerialLineOnPty,
                         testing::Values(LineCase{4800, 2, true}, LineCase{9600, 0, false}, LineCase{19200, 1, false},
                                         LineCase{110, 2, true}, LineCase{250000, 0, false}, LineCase{256000, 2, true},
                                         LineCase{14400, 1, false}));

TEST(SerialPortWrite, EveryByteValueArrivesUnchanged)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    vnSerialPort port;
    port.Configure(pty.Path(), 4800, 2);
    ASSERT_EQ(port.Open(), S_OK) << ReasonOf(port);

    std::vector<unsigned char> all(256);
    for (int i = 0; i < 256; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    ASSERT_EQ(port.Write(all.data(), static_cast<std::uint32_t>(all.size())), S_OK) << ReasonOf(port);
    EXPECT_EQ(port.Close(), S_OK);
    EXPECT_EQ(pty.Read(all.size()), all);
}

// --- open and close -------------------------------------------------------

TEST(SerialPortOpen, OpenOnAnOpenPortKeepsTheLineAndSettingsApplyAtTheNextOpen)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    vnSerialPort port;
    port.Configure(pty.Path(), 9600, 0);
    ASSERT_EQ(port.Open(), S_OK);
    ASSERT_EQ(port.SetBaudRate(19200), S_OK);
    EXPECT_EQ(port.Open(), S_OK);
    std::uint32_t speed = 0;
    vnSerialSpeedLinux::Get(pty.Master(), &speed);
    EXPECT_EQ(speed, 9600u);

    EXPECT_EQ(port.Close(), S_OK);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Close(), S_OK);
    ASSERT_EQ(port.Open(), S_OK);
    vnSerialSpeedLinux::Get(pty.Master(), &speed);
    EXPECT_EQ(speed, 19200u);
}

TEST(SerialPortOpen, ASecondPortOnTheSameDeviceIsRefusedAndLeavesTheFirstAlone)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    vnSerialPort first;
    first.Configure(pty.Path(), 4800, 2);
    ASSERT_EQ(first.Open(), S_OK);
    const char before[] = "before";
    ASSERT_EQ(first.Write(before, 6), S_OK);

    {
        vnSerialPort second;
        second.Configure(pty.Path(), 9600, 0);
        EXPECT_EQ(second.Open(), E_FAIL);
        EXPECT_FALSE(second.IsOpen());
        EXPECT_EQ(ReasonOf(second), pty.Path() + " is in use by another program");
    }

    // The refused open neither dropped queued output nor changed the line.
    const char after[] = "after";
    ASSERT_EQ(first.Write(after, 5), S_OK);
    auto bytes = pty.Read(11);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "beforeafter");
    termios line = pty.Line();
    EXPECT_NE(line.c_cflag & CSTOPB, 0u);
}

TEST(SerialPortOpen, DestroyingAnOpenPortClosesItAndFreesTheDevice)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    {
        vnSerialPort port;
        port.SetName(pty.Path());
        ASSERT_EQ(port.Open(), S_OK);
        ASSERT_EQ(port.Write("x", 1), S_OK);
    }
    EXPECT_EQ(pty.Read(1), std::vector<unsigned char>{'x'});
    vnSerialPort next;
    next.SetName(pty.Path());
    EXPECT_EQ(next.Open(), S_OK) << ReasonOf(next);
}

struct MissingCase
{
    const char* name;
    const char* reasonPart;
};

class SerialPortOpenFails : public testing::TestWithParam<MissingCase>
{};

TEST_P(SerialPortOpenFails, WithEFailAStayingClosedPortAndAReason)
{
    vnSerialPort port;
    port.SetName(GetParam().name);
    EXPECT_EQ(port.Open(), E_FAIL);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(ReasonOf(port).find(GetParam().reasonPart), std::string::npos) << ReasonOf(port);
    EXPECT_EQ(port.Write("x", 1), E_FAIL);
    EXPECT_EQ(port.Close(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, SerialPortOpenFails,
    testing::Values(MissingCase{"/dev/ttyScanloreMissing", "/dev/ttyScanloreMissing could not be opened: No such file"},
                    MissingCase{"COM250", "COM250 (/dev/ttyS249) could not be opened"},
                    MissingCase{"/dev/null", "/dev/null is not a serial port"},
                    MissingCase{"/", "/ could not be opened"}, MissingCase{"", "is not a serial port name"}));

// --- writing --------------------------------------------------------------

std::atomic<int> g_signals{0};
void CountSignal(int)
{
    ++g_signals;
}

TEST(SerialPortWrite, ABlockLargerThanTheDriverBufferArrivesWholeThroughPartialWritesAndSignals)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    vnSerialPort port;
    port.SetName(pty.Path());
    // The whole block takes about twice as long as this, so the timeout has
    // to count from the last progress, not from the start.
    port.SetWriteTimeout(500ms);
    ASSERT_EQ(port.Open(), S_OK);

    std::vector<unsigned char> block(400000);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<unsigned char>(i * 7 + i / 251);

    // A slow reader makes the driver take the block in pieces; a timer
    // interrupts the waits in between.
    std::vector<unsigned char> received;
    std::thread reader([&] {
        while (received.size() < block.size()) {
            auto part = pty.ReadSome(3000ms);
            if (part.empty())
                break;
            received.insert(received.end(), part.begin(), part.end());
            std::this_thread::sleep_for(10ms);
        }
    });
    struct sigaction action
    {};
    action.sa_handler = CountSignal;
    struct sigaction previous
    {};
    sigaction(SIGALRM, &action, &previous); // no SA_RESTART: calls see EINTR
    itimerval every{{0, 2000}, {0, 2000}};
    setitimer(ITIMER_REAL, &every, nullptr);

    vnResult result = port.Write(block.data(), static_cast<std::uint32_t>(block.size()));

    itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    reader.join();
    sigaction(SIGALRM, &previous, nullptr);

    EXPECT_EQ(result, S_OK) << ReasonOf(port);
    EXPECT_GT(g_signals.load(), 0);
    EXPECT_TRUE(received == block) << received.size() << " of " << block.size() << " bytes";
}

TEST(SerialPortWrite, AReaderThatStopsMakesWriteFailAfterTheTimeout)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    vnSerialPort port;
    port.SetName(pty.Path());
    EXPECT_EQ(port.GetWriteTimeout(), 5000ms);
    port.SetWriteTimeout(200ms);
    ASSERT_EQ(port.Open(), S_OK);

    std::vector<unsigned char> block(1 << 20, 'x');
    EXPECT_EQ(port.Write(block.data(), static_cast<std::uint32_t>(block.size())), E_FAIL);
    EXPECT_NE(ReasonOf(port).find("took no data for 200 ms"), std::string::npos) << ReasonOf(port);
    // The port stays open after a failed write; closing it does not wait for
    // the stuck bytes longer than their line time allows.
    EXPECT_TRUE(port.IsOpen());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPortWrite, ADeviceThatVanishesMidWriteFailsWithTheSystemError)
{
    auto pty = std::make_unique<PseudoTerminal>();
    ASSERT_TRUE(pty->Ok());
    vnSerialPort port;
    port.SetName(pty->Path());
    // Long enough that a wait for the timeout cannot pass for the error.
    port.SetWriteTimeout(60s);
    ASSERT_EQ(port.Open(), S_OK);

    std::thread vanish([&] {
        pty->Read(1000);
        pty->Vanish();
    });
    std::vector<unsigned char> block(1 << 20, 'y');
    vnResult result = port.Write(block.data(), static_cast<std::uint32_t>(block.size()));
    vanish.join();

    EXPECT_EQ(result, E_FAIL);
    EXPECT_NE(ReasonOf(port).find("failed while writing: Input/output error"), std::string::npos) << ReasonOf(port);
    EXPECT_EQ(port.Write("z", 1), E_FAIL);
    // Closing says the output did not get through, and closes all the same.
    EXPECT_EQ(port.Close(), E_FAIL);
    EXPECT_FALSE(port.IsOpen());
}

// The default port is the first USB adapter's stable name, in sorted order;
// without the folder, or with an empty one, there is none.
TEST(UsbSerialPortTest, FirstStableNameInSortedOrder)
{
    ScratchFolder folder;
    EXPECT_EQ(vnSerialDevicePosix::FirstInFolder(folder.Path("missing")), "");
    const std::filesystem::path byId = folder.Get() / "by-id";
    std::filesystem::create_directories(byId);
    EXPECT_EQ(vnSerialDevicePosix::FirstInFolder(byId.string()), "");
    std::filesystem::create_symlink("../../ttyUSB1", byId / "usb-Prolific_USB-Serial_Controller-if00-port0");
    std::filesystem::create_symlink("../../ttyUSB0", byId / "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0");
    EXPECT_EQ(vnSerialDevicePosix::FirstInFolder(byId.string()),
              (byId / "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0").string());
}

} // namespace
