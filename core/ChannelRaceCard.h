#pragma once

#include "channels/vnChannel.h"

#include <cstdint>
#include <string>
#include <vector>

// What a race card lists: one line per car, in car-number order, with the
// driver and the car's frequencies, primary first; then the channels that
// belong to no car (the officials, the track) under their own heading. Only
// channels with a frequency are listed.
namespace ChannelRaceCard {

struct Line
{
    std::string car;                      // empty for a channel without a car
    std::string name;                     // the driver, or the channel's description
    std::vector<std::string> frequencies; // as the grid shows them, primary first
};

struct Card
{
    std::vector<Line> cars;
    std::vector<Line> others;
    // Cars left out for being locked out on every channel.
    std::int32_t carsLeftOut = 0;
};

// The card of the channels. Cars locked out on every channel with a
// frequency are left out unless withLockedOut.
Card Make(const std::vector<vnChannel>& channels, bool withLockedOut);

// The card's title line: "spring.csv, 2026-12-08".
std::string Title(const std::string& fileName, const std::string& date);

// The heading above the channels that belong to no car.
inline constexpr const char* kOthersHeading = "Officials and other channels";

} // namespace ChannelRaceCard
