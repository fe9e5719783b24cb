#include "modules/gre1/vnSerialDeviceWin32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <windows.h>

namespace {

struct NameCase
{
    std::string name;
    std::string path; // empty: refused
};

class Win32PortNameTest : public testing::TestWithParam<NameCase>
{};

TEST_P(Win32PortNameTest, MapsToADevicePathOrIsRefused)
{
    std::string path = "untouched";
    bool mapped = vnSerialDeviceWin32::DevicePath(GetParam().name, &path);
    if (GetParam().path.empty()) {
        EXPECT_FALSE(mapped);
        EXPECT_EQ(path, "untouched");
    } else {
        EXPECT_TRUE(mapped);
        EXPECT_EQ(path, GetParam().path);
    }
}

// The COM names themselves are vnSerialDevice::ParseComName's table.
INSTANTIATE_TEST_SUITE_P(Names, Win32PortNameTest,
                         testing::Values(NameCase{"COM1", R"(\\.\COM1)"}, NameCase{"com12", R"(\\.\com12)"},
                                         NameCase{R"(\\.\COM3)", R"(\\.\COM3)"},
                                         NameCase{R"(\\.\CNCA0)", R"(\\.\CNCA0)"}, NameCase{R"(\\.\)", ""},
                                         NameCase{"COM0", ""}, NameCase{"/dev/ttyS0", ""}, NameCase{"", ""},
                                         NameCase{std::string("COM1\0x", 6), ""}));

// A record as a device might report it: every switch on, odd values in
// the fields that must change and in those that must not.
DCB ReportedLine()
{
    DCB line;
    std::memset(&line, 0xFF, sizeof line);
    line.DCBlength = sizeof line;
    line.BaudRate = 115200;
    line.ByteSize = 7;
    line.Parity = EVENPARITY;
    line.StopBits = ONE5STOPBITS;
    line.fDtrControl = DTR_CONTROL_HANDSHAKE;
    line.fRtsControl = RTS_CONTROL_TOGGLE;
    line.XonLim = 123;
    line.XoffLim = 456;
    line.XonChar = 0x11;
    line.XoffChar = 0x13;
    line.EofChar = 0x1A;
    return line;
}

struct StopBitsCase
{
    std::uint8_t code;
    BYTE platform;
};

class Win32LineSettingsTest : public testing::TestWithParam<StopBitsCase>
{};

TEST_P(Win32LineSettingsTest, GivesEightBitsNoParityNoFlowControlAndKeepsTheRest)
{
    DCB line = ReportedLine();
    vnSerialDeviceWin32::MakeLineSettings(&line, 4800, GetParam().code);

    EXPECT_EQ(line.BaudRate, 4800u);
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_EQ(line.Parity, NOPARITY);
    EXPECT_EQ(line.StopBits, GetParam().platform);
    EXPECT_EQ(line.fBinary, 1u);
    const DWORD off[] = {line.fParity, line.fOutxCtsFlow, line.fOutxDsrFlow, line.fDsrSensitivity, line.fOutX,
                         line.fInX,    line.fErrorChar,   line.fNull,        line.fAbortOnError};
    for (DWORD flag : off)
        EXPECT_EQ(flag, 0u);
    EXPECT_EQ(line.fDtrControl, static_cast<unsigned>(DTR_CONTROL_DISABLE));
    EXPECT_EQ(line.fRtsControl, static_cast<unsigned>(RTS_CONTROL_DISABLE));
    EXPECT_EQ(line.wReserved, 0);

    EXPECT_EQ(line.fTXContinueOnXoff, 1u);
    EXPECT_EQ(line.XonLim, 123);
    EXPECT_EQ(line.XoffLim, 456);
    EXPECT_EQ(line.XonChar, 0x11);
    EXPECT_EQ(line.XoffChar, 0x13);
    EXPECT_EQ(line.EofChar, 0x1A);
}

INSTANTIATE_TEST_SUITE_P(StopBits, Win32LineSettingsTest,
                         testing::Values(StopBitsCase{0, ONESTOPBIT}, StopBitsCase{1, ONESTOPBIT},
                                         StopBitsCase{2, TWOSTOPBITS}));

// The registry's device map: the USB driver's port with the lowest number,
// never a built-in port.
TEST(Win32UsbPortTest, TakesTheLowestPortOfAUsbSerialDriver)
{
    EXPECT_EQ(vnSerialDeviceWin32::FirstUsbPort({{"\\Device\\Serial0", "COM1"}}), "");
    EXPECT_EQ(vnSerialDeviceWin32::FirstUsbPort({{"\\Device\\Serial0", "COM1"},
                                                 {"\\Device\\VCP1", "COM12"},
                                                 {"\\Device\\Silabser0", "COM4"},
                                                 {"\\Device\\ProlificSerial0", "COM7"}}),
              "COM4");
    EXPECT_TRUE(vnSerialDeviceWin32::IsUsbSerialDevice("\\Device\\USBSER000"));
    EXPECT_FALSE(vnSerialDeviceWin32::IsUsbSerialDevice("\\Device\\Serial1"));
}

} // namespace
