#include "app/ChannelColumnMap.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace {

constexpr const char* OwnHeader[] = {"ID", "Frequency", "Description", "Car Number", "Delay", "Lockout", "Priority"};
constexpr const char* ChirpStart[] = {"Location", "Name", "Frequency", "Duplex", "Offset", "Tone"};
constexpr const char* Descriptions[] = {"Description", "Alpha Tag", "Name", "Comment", "Tag"};
constexpr const char* RadioReferenceDescriptions[] = {"Alpha Tag", "Description", "Name", "Comment", "Tag"};

} // namespace

std::string ChannelColumnMap::NormalName(const std::string& name)
{
    std::string normal;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte))
            normal += static_cast<char>(std::tolower(byte));
    }
    if (!normal.empty())
        return normal;
    for (const char c : name)
        if (!std::isspace(static_cast<unsigned char>(c)))
            normal += c;
    return normal;
}

std::optional<ChannelColumnMap> ChannelColumnMap::FromHeader(const vnCellTable& table)
{
    if (table.GetRowCount() == 0 || table.GetColumnCount() == 0)
        return std::nullopt;
    std::vector<std::string> names;
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column)
        names.push_back(NormalName(table.GetCell(0, column)->ToText()));
    while (!names.empty() && names.back().empty())
        names.pop_back();

    // Scanlore's own names in Scanlore's own order, however many of them:
    // the file reads by position as before.
    const std::size_t own = std::min(names.size(), std::size(OwnHeader));
    bool isOwn = true;
    for (std::size_t column = 0; column < own && isOwn; ++column)
        isOwn = names[column] == NormalName(OwnHeader[column]);
    if (isOwn)
        return std::nullopt;

    const auto find = [&](std::initializer_list<const char*> candidates) {
        for (const char* candidate : candidates) {
            const auto it = std::find(names.begin(), names.end(), NormalName(candidate));
            if (it != names.end())
                return static_cast<std::int32_t>(it - names.begin());
        }
        return -1;
    };

    ChannelColumnMap map;
    map.frequency = find({"Frequency", "Freq", "Frequency Output", "RX Frequency", "Receive"});
    if (map.frequency < 0)
        return std::nullopt;

    bool chirp = names.size() >= std::size(ChirpStart);
    for (std::size_t column = 0; column < std::size(ChirpStart) && chirp; ++column)
        chirp = names[column] == NormalName(ChirpStart[column]);
    if (chirp)
        map.m_layout = Layout::Chirp;
    else if (find({"Frequency Output"}) >= 0 && find({"Alpha Tag"}) >= 0)
        map.m_layout = Layout::RadioReference;

    map.carNumber = find({"Car Number"});
    map.channel = find({"ID", "Location", "Channel", "Memory", "#"});
    map.delay = find({"Delay"});
    map.lockout = find({"Lockout"});
    map.priority = find({"Priority"});
    map.skip = find({"Skip"});
    const auto& descriptionNames = map.m_layout == Layout::RadioReference ? RadioReferenceDescriptions : Descriptions;
    for (const char* name : descriptionNames)
        if (const std::int32_t column = find({name}); column >= 0)
            map.descriptions.push_back(column);
    return map;
}

std::string ChannelColumnMap::GetLayoutName() const
{
    switch (m_layout) {
    case Layout::Chirp:
        return "CHIRP layout";
    case Layout::RadioReference:
        return "RadioReference layout";
    case Layout::ByName:
        break;
    }
    return "columns by name";
}
