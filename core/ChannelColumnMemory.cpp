#include "core/ChannelColumnMemory.h"

#include "channels/vnCell.h"
#include "channels/vnDelimitedLineParser.h"
#include "modules/vnSettingsStore.h"

#include <algorithm>
#include <utility>

namespace {

// One numbered pair of values per header: "Header 3" holds its names,
// "Choice 3" the unit, the day and each named column's role word and name.
const std::string kSection = "Chosen Columns";
const std::string kCount = "Count";

std::string HeaderValue(std::int32_t number)
{
    return "Header " + std::to_string(number);
}

std::string ChoiceValue(std::int32_t number)
{
    return "Choice " + std::to_string(number);
}

// Fields in quotes, so that any name survives: a comma, a quote, blanks.
std::string JoinFields(const std::vector<std::string>& fields)
{
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty())
            line += ',';
        line += '"';
        for (const char c : field)
            line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line;
}

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<vnCell> cells;
    vnDelimitedLineParser().ParseLine(line, cells);
    std::vector<std::string> fields;
    for (const vnCell& cell : cells)
        fields.push_back(cell.ToText());
    return fields;
}

std::vector<std::string> NormalNames(const std::vector<std::string>& names)
{
    std::vector<std::string> normal;
    for (const std::string& name : names)
        normal.push_back(ChannelColumnMap::NormalName(name));
    return normal;
}

// The number of the pair that holds this header; 0 when none does.
std::int32_t FindHeader(const vnSettingsStore& store, const std::vector<std::string>& header)
{
    const std::vector<std::string> normal = NormalNames(header);
    const std::int32_t count = store.GetSettingInt(kSection, kCount, 0);
    for (std::int32_t number = 1; number <= count; ++number)
        if (NormalNames(SplitFields(store.GetSettingString(kSection, HeaderValue(number), {}))) == normal)
            return number;
    return 0;
}

} // namespace

std::optional<ChannelColumnChoice> ChannelColumnMemory::Recall(const vnSettingsStore& store,
                                                               const std::vector<std::string>& header)
{
    const std::int32_t number = header.empty() ? 0 : FindHeader(store, header);
    if (number == 0)
        return std::nullopt;
    const std::vector<std::string> fields = SplitFields(store.GetSettingString(kSection, ChoiceValue(number), {}));
    // The unit, the day, then pairs; anything else is not a choice written here.
    if (fields.size() < 4 || fields.size() % 2 != 0)
        return std::nullopt;
    ChannelColumnChoice choice;
    // No word is the usual rule; any other word must name a unit.
    choice.unit = ChannelColumnMap::ReadUnitWord(fields[0]);
    if (!fields[0].empty() && choice.unit == ChannelColumnMap::Unit::None)
        return std::nullopt;
    choice.chosenOn = fields[1];
    for (std::size_t i = 2; i + 1 < fields.size(); i += 2) {
        const std::optional<ChannelColumnRole> role = ReadChannelColumnRole(fields[i]);
        if (!role)
            return std::nullopt;
        choice.columns.emplace_back(fields[i + 1], *role);
    }
    return choice;
}

void ChannelColumnMemory::Remember(vnSettingsStore& store, const std::vector<std::string>& header,
                                   const ChannelColumnChoice& choice)
{
    std::int32_t number = FindHeader(store, header);
    if (number == 0) {
        number = store.GetSettingInt(kSection, kCount, 0) + 1;
        store.SetSettingString(kSection, HeaderValue(number), JoinFields(header));
        store.SetSettingInt(kSection, kCount, number);
    }
    std::vector<std::string> fields;
    fields.emplace_back(ChannelColumnMap::UnitWord(choice.unit));
    fields.push_back(choice.chosenOn);
    for (const auto& [name, role] : choice.columns) {
        fields.emplace_back(ChannelColumnRoleWord(role));
        fields.push_back(name);
    }
    store.SetSettingString(kSection, ChoiceValue(number), JoinFields(fields));
}
