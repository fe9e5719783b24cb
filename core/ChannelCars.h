#pragma once

#include "channels/vnChannel.h"

#include <cstdint>
#include <string>
#include <vector>

// The cars of a race weekend's table: a channel belongs to the car whose
// number it holds. A race list gives a car's channels the driver as the
// description, with the frequency's role added for all but the primary one:
// "Jeff Gordon" and "Jeff Gordon (Backup)".
namespace ChannelCars {

// The role a description names in its trailing brackets, in lower case
// ("backup"); empty when it names none of the race list's roles (the words
// a race list's header names them by: ChannelColumnMap::RaceRoleOfWord).
std::string RoleOf(const std::string& description);
// Whether a channel with this description is a car's primary frequency: no
// role, or the primary one.
bool IsPrimary(const std::string& description);
// The description without its trailing role: the driver.
std::string DriverOf(const std::string& description);

struct Car
{
    std::string number;
    std::string driver;                 // from the primary channel, else the first
    std::vector<std::int32_t> channels; // table indexes, in table order
    bool lockedOut = false;             // every one of its channels is locked out
};
// The table's cars in car-number order (as Sort orders car numbers). A car
// number is the cell's text without blanks at its ends; "2" and "02" are two
// cars. Channels without a car number belong to none.
std::vector<Car> List(const std::vector<vnChannel>& channels);

// A list of car numbers as a user types it ("2, 02, 9 24"): separated by
// commas or blanks, each once, in the order typed.
std::vector<std::string> ParseNumbers(const std::string& text);
// The numbers as ParseNumbers reads them back: "2, 02, 9".
std::string JoinNumbers(const std::vector<std::string>& numbers);

// The channels whose lockout changes when only the followed cars are
// followed: every channel of another car locked out, every channel of a
// followed car unlocked; channels without a car stay as they are. The new
// contents, in table order, of only the channels that change.
struct Change
{
    std::int32_t index = 0;
    bool lockout = false;
};
std::vector<Change> Follow(const std::vector<vnChannel>& channels, const std::vector<std::string>& followed);

} // namespace ChannelCars
