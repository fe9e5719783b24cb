#include "modules/gre1/vnSerialDevice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ComNameCase
{
    std::string name;
    std::uint32_t number; // 0: refused
};

class ComNameTest : public testing::TestWithParam<ComNameCase>
{};

TEST_P(ComNameTest, GivesThePortNumberOrRefusesTheName)
{
    std::uint32_t number = 12345;
    const bool parsed = vnSerialDevice::ParseComName(GetParam().name, &number);
    EXPECT_EQ(parsed, GetParam().number != 0);
    EXPECT_EQ(number, parsed ? GetParam().number : 12345u);
}

INSTANTIATE_TEST_SUITE_P(Names, ComNameTest,
                         testing::Values(ComNameCase{"COM1", 1}, ComNameCase{"com10", 10}, ComNameCase{"cOm3", 3},
                                         ComNameCase{"COM256", 256}, ComNameCase{"COM4294967295", 4294967295u},
                                         ComNameCase{"COM0", 0}, ComNameCase{"COM", 0}, ComNameCase{"COM01", 0},
                                         ComNameCase{"COM1 ", 0}, ComNameCase{" COM1", 0}, ComNameCase{"COM-1", 0},
                                         ComNameCase{"COM+1", 0}, ComNameCase{"COMx", 0},
                                         ComNameCase{"COM4294967296", 0}, ComNameCase{"LPT1", 0},
                                         ComNameCase{"ttyS0", 0}, ComNameCase{"", 0},
                                         ComNameCase{std::string("COM1\0x", 6), 0}));

} // namespace
