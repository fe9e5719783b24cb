#include "core/ChannelCars.h"

#include "channels/vnText.h"
#include "core/ChannelArrange.h"
#include "core/ChannelColumnChoice.h"
#include "core/ChannelColumnMap.h"

#include <algorithm>
#include <map>

namespace ChannelCars {

namespace {

// The role words a race list writes after the driver are the words its
// header names the roles by: the column map owns them.

// Where the trailing " (Role)" begins, or npos.
std::size_t RoleStart(const std::string& description, std::string& role)
{
    const std::string_view text = vnText::TrimBlanks(description);
    if (text.size() < 3 || text.back() != ')')
        return std::string::npos;
    const std::size_t open = text.rfind('(');
    if (open == std::string_view::npos)
        return std::string::npos;
    const std::string word = vnText::ToLower(vnText::TrimBlanks(text.substr(open + 1, text.size() - open - 2)));
    if (ChannelColumnMap::RaceRoleOfWord(word) == ChannelColumnRole::NotUsed)
        return std::string::npos;
    role = word;
    // The offset in the untrimmed description.
    return static_cast<std::size_t>(text.data() - description.data()) + open;
}

std::string CarNumberOf(const vnChannel& channel)
{
    return std::string(vnText::TrimBlanks(channel.GetCarNumber()));
}

} // namespace

std::string RoleOf(const std::string& description)
{
    std::string role;
    RoleStart(description, role);
    return role;
}

bool IsPrimary(const std::string& description)
{
    const std::string role = RoleOf(description);
    return role.empty() || ChannelColumnMap::RaceRoleOfWord(role) == ChannelColumnRole::Primary;
}

std::string DriverOf(const std::string& description)
{
    std::string role;
    const std::size_t start = RoleStart(description, role);
    const std::string driver = start == std::string::npos ? description : description.substr(0, start);
    return std::string(vnText::TrimBlanks(driver));
}

std::vector<Car> List(const std::vector<vnChannel>& channels)
{
    std::vector<Car> cars;
    std::map<std::string, std::size_t> byNumber;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const std::string number = CarNumberOf(channels[i]);
        if (number.empty())
            continue;
        auto [at, added] = byNumber.try_emplace(number, cars.size());
        if (added)
            cars.push_back({number, {}, {}, true});
        cars[at->second].channels.push_back(static_cast<std::int32_t>(i));
    }
    for (Car& car : cars) {
        const auto primary = std::find_if(car.channels.begin(), car.channels.end(), [&](std::int32_t index) {
            return IsPrimary(channels[static_cast<std::size_t>(index)].GetDescription());
        });
        const std::int32_t named = primary != car.channels.end() ? *primary : car.channels.front();
        car.driver = DriverOf(channels[static_cast<std::size_t>(named)].GetDescription());
        car.lockedOut = std::all_of(car.channels.begin(), car.channels.end(), [&](std::int32_t index) {
            return channels[static_cast<std::size_t>(index)].GetLockout();
        });
    }
    std::stable_sort(cars.begin(), cars.end(),
                     [](const Car& a, const Car& b) { return ChannelArrange::CompareTexts(a.number, b.number) < 0; });
    return cars;
}

std::vector<std::string> ParseNumbers(const std::string& text)
{
    std::vector<std::string> numbers;
    std::string current;
    const auto finish = [&] {
        if (!current.empty() && std::find(numbers.begin(), numbers.end(), current) == numbers.end())
            numbers.push_back(current);
        current.clear();
    };
    for (const char c : text) {
        if (c == ',' || c == ';' || vnText::IsBlank(c))
            finish();
        else
            current += c;
    }
    finish();
    return numbers;
}

std::string JoinNumbers(const std::vector<std::string>& numbers)
{
    std::string text;
    for (const std::string& number : numbers)
        text += (text.empty() ? "" : ", ") + number;
    return text;
}

std::vector<Change> Follow(const std::vector<vnChannel>& channels, const std::vector<std::string>& followed)
{
    std::vector<Change> changes;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const std::string number = CarNumberOf(channels[i]);
        if (number.empty())
            continue;
        const bool lockout = std::find(followed.begin(), followed.end(), number) == followed.end();
        if (channels[i].GetLockout() != lockout)
            changes.push_back({static_cast<std::int32_t>(i), lockout});
    }
    return changes;
}

} // namespace ChannelCars
