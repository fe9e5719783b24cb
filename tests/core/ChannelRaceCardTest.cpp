// The race card's content: a line per car with its driver and frequencies,
// primary first, cars nobody follows left out, the rest under a heading.
#include "core/ChannelRaceCard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace R = ChannelRaceCard;

vnChannel Channel(const std::string& car, const std::string& description, double mhz, bool lockout = false)
{
    vnChannel channel;
    channel.SetCarNumber(car);
    channel.SetDescription(description);
    channel.SetFrequency(vnFrequency(mhz, vnFrequency::UnitMegahertz));
    channel.SetLockout(lockout);
    return channel;
}

TEST(ChannelRaceCard, OneLinePerCarPrimaryFirstAndChannelsWithoutACarAfter)
{
    const std::vector<vnChannel> channels{
        Channel("", "Race Control", 454.0),  Channel("24", "Jeff Gordon (Backup)", 461.2),
        Channel("24", "Jeff Gordon", 461.1), Channel("24", "Jeff Gordon (Spare)", 0.0), // no frequency: not listed
        Channel("9", "Bill Elliott", 462.5), Channel("", "", 0.0),
    };
    const R::Card card = R::Make(channels, false);
    ASSERT_EQ(card.cars.size(), 2u);
    EXPECT_EQ(card.cars[0].car, "9");
    EXPECT_EQ(card.cars[1].car, "24");
    EXPECT_EQ(card.cars[1].name, "Jeff Gordon");
    EXPECT_EQ(card.cars[1].frequencies, (std::vector<std::string>{"461.1000", "461.2000"}));
    ASSERT_EQ(card.others.size(), 1u);
    EXPECT_EQ(card.others[0].name, "Race Control");
    EXPECT_EQ(card.others[0].frequencies, (std::vector<std::string>{"454.0000"}));
}

TEST(ChannelRaceCard, CarsLockedOutOnEveryChannelAreLeftOutUnlessAsked)
{
    const std::vector<vnChannel> channels{
        Channel("9", "Bill Elliott", 462.5, true), Channel("9", "Bill Elliott (Backup)", 462.6, true),
        Channel("24", "Jeff Gordon", 461.1, true), Channel("24", "Jeff Gordon (Backup)", 461.2)};
    const R::Card card = R::Make(channels, false);
    ASSERT_EQ(card.cars.size(), 1u);
    EXPECT_EQ(card.cars[0].car, "24");
    EXPECT_EQ(card.carsLeftOut, 1);
    EXPECT_EQ(R::Make(channels, true).cars.size(), 2u);
}

} // namespace
