// The cars of a race weekend: drivers from race-list descriptions, the car
// list in car-number order and typed lists of cars. What following them
// does is tested on the document.
#include "core/ChannelCars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace C = ChannelCars;

vnChannel Channel(const std::string& car, const std::string& description, bool lockout = false)
{
    vnChannel channel;
    channel.SetCarNumber(car);
    channel.SetDescription(description);
    channel.SetFrequency(vnFrequency(460.0, vnFrequency::UnitMegahertz));
    channel.SetLockout(lockout);
    return channel;
}

TEST(ChannelCars, DriverIsTheDescriptionWithoutARaceListRole)
{
    EXPECT_EQ(C::DriverOf("Jeff Gordon (Backup)"), "Jeff Gordon");
    EXPECT_EQ(C::DriverOf("Jeff Gordon (pri)"), "Jeff Gordon");
    EXPECT_EQ(C::DriverOf(" Kyle Busch  ( Spare ) "), "Kyle Busch");
    // Brackets that name no role belong to the name.
    EXPECT_EQ(C::DriverOf("Bobby Labonte (Jr)"), "Bobby Labonte (Jr)");
    EXPECT_EQ(C::DriverOf("Race Control"), "Race Control");
    EXPECT_TRUE(C::IsPrimary("Jeff Gordon"));
    EXPECT_TRUE(C::IsPrimary("Jeff Gordon (Primary)"));
    EXPECT_FALSE(C::IsPrimary("Jeff Gordon (Alternate)"));
    EXPECT_EQ(C::RoleOf("Jeff Gordon (Third)"), "third");
}

TEST(ChannelCars, ListsEachCarOnceInCarNumberOrderWithItsPrimaryDriver)
{
    const std::vector<vnChannel> channels{Channel("24", "Jeff Gordon (Backup)"),      Channel("", "Race Control"),
                                          Channel("9", "Bill Elliott", true),         Channel(" 24 ", "Jeff Gordon"),
                                          Channel("02", "Ryan Newman (Backup)"),      Channel("2", "Rusty Wallace"),
                                          Channel("9", "Bill Elliott (Backup)", true)};
    const std::vector<C::Car> cars = C::List(channels);
    ASSERT_EQ(cars.size(), 4u);
    EXPECT_EQ(cars[0].number, "2");
    EXPECT_EQ(cars[1].number, "02");
    EXPECT_EQ(cars[1].driver, "Ryan Newman");
    EXPECT_EQ(cars[2].number, "9");
    EXPECT_TRUE(cars[2].lockedOut);
    EXPECT_EQ(cars[3].number, "24");
    EXPECT_EQ(cars[3].channels, (std::vector<std::int32_t>{0, 3}));
    EXPECT_FALSE(cars[3].lockedOut);
}

TEST(ChannelCars, TypedNumbersAreSplitAtCommasAndBlanksOnceEach)
{
    EXPECT_EQ(C::ParseNumbers("2, 02,9  24,,2"), (std::vector<std::string>{"2", "02", "9", "24"}));
    EXPECT_TRUE(C::ParseNumbers(" , ").empty());
    EXPECT_EQ(C::JoinNumbers({"2", "02", "9"}), "2, 02, 9");
    EXPECT_EQ(C::ParseNumbers(C::JoinNumbers({"2", "02", "9"})), (std::vector<std::string>{"2", "02", "9"}));
}

} // namespace
