#include "modules/gre1/vnSerialPort.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct OpenFailureCase
{
    std::string name;
    std::string reasonPart;
};

class Win32OpenFailureTest : public testing::TestWithParam<OpenFailureCase>
{};

TEST_P(Win32OpenFailureTest, FailsWithAReasonAndStaysClosed)
{
    vnSerialPort port;
    ASSERT_EQ(port.Configure(GetParam().name, 4800, 2), S_OK);
    EXPECT_EQ(port.Open(), E_FAIL);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(port.GetFailureReason().find(GetParam().reasonPart), std::string::npos) << port.GetFailureReason();
    EXPECT_EQ(port.Write("x", 1), E_FAIL);
    EXPECT_EQ(port.Close(), S_OK);
}

// No COM port 42 in the test prefix: the system's words say so.
INSTANTIATE_TEST_SUITE_P(Names, Win32OpenFailureTest,
                         testing::Values(OpenFailureCase{"COM42", "COM42 could not be opened: "},
                                         OpenFailureCase{R"(\\.\COM43)", R"(\\.\COM43 could not be opened: )"},
                                         OpenFailureCase{"/dev/ttyS0", "is not a serial port name"},
                                         OpenFailureCase{"COM", "is not a serial port name"}));

} // namespace
