#include "core/ChannelColumnMap.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnFrequency.h"
#include "channels/vnText.h"
#include "core/ChannelField.h"

#include <algorithm>
#include <iterator>

namespace {

// What a column can hold.
enum class Role {
    Frequency,
    // A race list's frequencies: the first of them present is read.
    RaceFrequency,
    Channel,
    Description,
    CarNumber,
    Lockout,
    Skip,
    Priority,
    Delay,
};

struct RoleNames
{
    Role role;
    std::vector<const char*> names;
};

// The names each field goes by in other tools' files, in the order they are
// preferred when a header has several. Compared as NormalName compares them,
// after a unit in brackets is taken off: a new name goes here and nowhere
// else. Transmit and input columns ("TX Freq", "Frequency Input") are not
// listed: the receive frequency is the channel's frequency.
const std::vector<RoleNames>& ColumnNames()
{
    static const std::vector<RoleNames> names = {
        {Role::Frequency,
         {"Frequency", "Freq", "Frequency Output", "Output", "RX", "RX Frequency", "RX Freq", "Frequency RX", "Receive",
          "Receive Frequency", "Receive Freq", "Output Frequency"}},
        {Role::RaceFrequency, {"Primary", "Secondary", "Backup"}},
        {Role::Channel,
         {"ID", "Location", "Channel", "Ch", "Ch No", "Channel Number", "Channel No", "No", "Number", "Index", "Memory",
          "#"}},
        {Role::Description,
         {"Description", "Alpha Tag", "Name", "Channel Name", "Display Name", "Tag", "Label", "Comment", "Driver",
          "Team"}},
        {Role::CarNumber, {"Car Number", "Car", "Car No", "Car #"}},
        {Role::Lockout, {"Lockout", "Lock Out", "Locked"}},
        {Role::Skip, {"Skip"}},
        {Role::Priority, {"Priority", "Pri"}},
        {Role::Delay, {"Delay"}},
    };
    return names;
}

constexpr const char* ChirpStart[] = {"Location", "Name", "Frequency", "Duplex", "Offset", "Tone"};
// Scanlore's own header name of a column.
const char* OwnHeader(std::size_t column)
{
    return ChannelFields()[column].header;
}

// A header name split into its normal name and the unit in brackets after it.
struct HeaderName
{
    std::string name;
    std::string unit;
};

HeaderName SplitHeaderName(const std::string& text)
{
    const auto open = text.find_first_of("([");
    if (open == std::string::npos || open == 0)
        return {ChannelColumnMap::NormalName(text), {}};
    const auto close = text.find_first_of(")]", open);
    const std::string unit = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    return {ChannelColumnMap::NormalName(text.substr(0, open)), ChannelColumnMap::NormalName(unit)};
}

ChannelColumnMap::Unit UnitOf(const std::string& unit)
{
    if (unit == "mhz")
        return ChannelColumnMap::Unit::MHz;
    if (unit == "khz")
        return ChannelColumnMap::Unit::KHz;
    if (unit == "hz")
        return ChannelColumnMap::Unit::Hz;
    return ChannelColumnMap::Unit::None;
}

std::vector<std::string> RowTexts(const vnCellTable& table, std::int32_t row)
{
    std::vector<std::string> texts;
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column)
        texts.push_back(table.GetCell(row, column)->GetSourceText());
    while (!texts.empty() && texts.back().empty())
        texts.pop_back();
    return texts;
}

// A line of names: something in it, and no field a number, nor a frequency
// as a channel line writes one ("154.13 MHz", "146,52").
bool IsTextOnlyRow(const vnCellTable& table, std::int32_t row)
{
    bool any = false;
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column) {
        const vnCell& cell = *table.GetCell(row, column);
        const vnCellType type = cell.GetType();
        if (type == vnCellType::Int || type == vnCellType::Double || vnFrequency::ReadWritten(cell.GetSourceText()))
            return false;
        any = any || type != vnCellType::Empty;
    }
    return any;
}

bool IsTruthWordOrEmpty(const std::string& text)
{
    const std::string_view trimmed = vnText::TrimBlanks(text);
    return trimmed.empty() || vnText::ReadTruthWord(trimmed).has_value();
}

// Scanlore's own layout: every field in its column, in Save's order.
void SetOwnPositions(ChannelColumnMap& map)
{
    map.channel = ColumnOf(ChannelField::Number);
    map.frequency = ColumnOf(ChannelField::Frequency);
    map.descriptions = {ColumnOf(ChannelField::Description)};
    map.carNumber = ColumnOf(ChannelField::CarNumber);
    map.delay = ColumnOf(ChannelField::Delay);
    map.lockout = ColumnOf(ChannelField::Lockout);
    map.priority = ColumnOf(ChannelField::Priority);
}

} // namespace

std::string ChannelColumnMap::NormalName(const std::string& name)
{
    std::string normal;
    for (const char c : name)
        if (vnText::IsLetterOrDigit(c))
            normal += vnText::ToLower(c);
    if (!normal.empty())
        return normal;
    for (const char c : name)
        if (!vnText::IsBlank(c))
            normal += c;
    return normal;
}

ChannelColumnMap ChannelColumnMap::FromTable(const vnCellTable& table)
{
    const std::int32_t searched = std::min(table.GetRowCount(), ChannelColumnMap::HeaderSearchRows);
    for (std::int32_t row = 0; row < searched; ++row) {
        ChannelColumnMap map = FromHeaderRow(table, row);
        if (map.m_layout != Layout::Refused)
            return map;
    }
    // A line of names without a frequency among them is a header that
    // cannot be read; the fullest such line is the one named to the user.
    std::int32_t header = -1;
    std::size_t widest = 0;
    for (std::int32_t row = 0; row < searched; ++row) {
        const std::size_t width = RowTexts(table, row).size();
        if (IsTextOnlyRow(table, row) && width > widest) {
            header = row;
            widest = width;
        }
    }
    if (header >= 0) {
        ChannelColumnMap map;
        map.headerRow = header;
        map.headerNames = RowTexts(table, header);
        return map;
    }
    return WithoutHeader(table);
}

ChannelColumnMap ChannelColumnMap::FromHeaderRow(const vnCellTable& table, std::int32_t row)
{
    ChannelColumnMap map;
    std::vector<HeaderName> names;
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column)
        names.push_back(SplitHeaderName(table.GetCell(row, column)->GetSourceText()));
    while (!names.empty() && names.back().name.empty())
        names.pop_back();

    // Scanlore's own names in Scanlore's own order, however many of them from
    // the frequency on: the file reads by position as Save writes it.
    const std::size_t own = std::min(names.size(), ChannelFields().size());
    bool isOwn = own >= 2;
    for (std::size_t column = 0; column < own && isOwn; ++column)
        isOwn = names[column].name == NormalName(OwnHeader(column)) && names[column].unit.empty();
    if (isOwn) {
        map.m_layout = Layout::Own;
        map.headerRow = row;
        map.firstDataRow = row + 1;
        SetOwnPositions(map);
        for (std::size_t column = own; column < names.size(); ++column)
            if (!names[column].name.empty())
                map.unreadColumns.push_back(static_cast<std::int32_t>(column));
        return map;
    }

    std::vector<bool> used(names.size(), false);
    // The column of the first of the role's names that the header has.
    const auto find = [&](Role role) {
        for (const RoleNames& entry : ColumnNames()) {
            if (entry.role != role)
                continue;
            for (const char* candidate : entry.names) {
                const std::string normal = NormalName(candidate);
                for (std::size_t column = 0; column < names.size(); ++column)
                    if (!used[column] && names[column].name == normal) {
                        used[column] = true;
                        return static_cast<std::int32_t>(column);
                    }
            }
        }
        return -1;
    };

    map.frequency = find(Role::Frequency);
    const bool race = map.frequency < 0;
    if (race)
        map.frequency = find(Role::RaceFrequency);
    if (map.frequency < 0)
        return map;
    map.frequencyUnit = UnitOf(names[static_cast<std::size_t>(map.frequency)].unit);
    map.headerRow = row;
    map.firstDataRow = row + 1;

    bool chirp = names.size() >= std::size(ChirpStart);
    for (std::size_t column = 0; column < std::size(ChirpStart) && chirp; ++column)
        chirp = names[column].name == NormalName(ChirpStart[column]);
    const auto has = [&](const char* name) {
        return std::any_of(names.begin(), names.end(), [&](const HeaderName& h) { return h.name == NormalName(name); });
    };
    if (chirp)
        map.m_layout = Layout::Chirp;
    else if (race)
        map.m_layout = Layout::RaceList;
    else if (has("Frequency Output") && has("Alpha Tag"))
        map.m_layout = Layout::RadioReference;
    else
        map.m_layout = Layout::ByName;

    map.carNumber = find(Role::CarNumber);
    map.channel = find(Role::Channel);
    map.delay = find(Role::Delay);
    map.lockout = find(Role::Lockout);
    map.skip = find(Role::Skip);
    map.priority = find(Role::Priority);
    if (map.m_layout == Layout::RadioReference)
        for (std::size_t column = 0; column < names.size(); ++column)
            if (names[column].name == NormalName("Alpha Tag")) {
                used[column] = true;
                map.descriptions.push_back(static_cast<std::int32_t>(column));
            }
    for (std::int32_t column; (column = find(Role::Description)) >= 0;)
        map.descriptions.push_back(column);

    for (std::size_t column = 0; column < names.size(); ++column)
        if (!used[column] && !names[column].name.empty())
            map.unreadColumns.push_back(static_cast<std::int32_t>(column));
    return map;
}

ChannelColumnMap ChannelColumnMap::WithoutHeader(const vnCellTable& table)
{
    ChannelColumnMap map;
    // A first line of text without a channel number is a title, as in files
    // that began with a header of other names; every other line begins with
    // its channel number, as Save writes it.
    const bool titled = table.GetRowCount() > 0 && !vnText::ReadWholeNumber(table.GetCell(0, 0)->GetSourceText());
    for (std::int32_t row = titled ? 1 : 0; row < table.GetRowCount(); ++row) {
        if (table.IsRowEmpty(row))
            continue;
        const std::vector<std::string> texts = RowTexts(table, row);
        const std::string line = "line " + std::to_string(row + 1);
        if (const std::string id = table.GetCell(row, 0)->GetSourceText();
            !vnText::TrimBlanks(id).empty() && !vnText::ReadWholeNumber(id)) {
            map.refusal = line + " holds \"" + id + "\" where Scanlore's layout has " + OwnHeader(0);
            return map;
        }
        if (static_cast<std::int32_t>(texts.size()) > ChannelFieldCount) {
            map.refusal = line + " has " + std::to_string(texts.size()) + " fields, more than Scanlore's " +
                std::to_string(ChannelFieldCount);
            return map;
        }
        for (std::size_t column = 0; column < texts.size(); ++column)
            if (ChannelFields()[column].flag && !IsTruthWordOrEmpty(texts[column])) {
                map.refusal =
                    line + " holds \"" + texts[column] + "\" where Scanlore's layout has " + OwnHeader(column);
                return map;
            }
    }
    map.m_layout = Layout::OwnWithoutHeader;
    map.firstDataRow = titled ? 1 : 0;
    SetOwnPositions(map);
    return map;
}

namespace {

// How a summary names each layout read by name, and how a refused Save
// names the file: one row per layout, empty for Scanlore's own.
struct LayoutWords
{
    ChannelColumnMap::Layout layout;
    const char* name;
    const char* kind;
};

constexpr LayoutWords kLayoutWords[] = {
    {ChannelColumnMap::Layout::Chirp, "CHIRP layout", "a CHIRP file"},
    {ChannelColumnMap::Layout::RadioReference, "RadioReference layout", "a RadioReference list"},
    {ChannelColumnMap::Layout::RaceList, "race list", "a race list"},
    {ChannelColumnMap::Layout::ByName, "columns by name", "a file of other columns"},
};

const LayoutWords* WordsFor(ChannelColumnMap::Layout layout)
{
    for (const LayoutWords& words : kLayoutWords)
        if (words.layout == layout)
            return &words;
    return nullptr;
}

} // namespace

std::string ChannelColumnMap::GetLayoutName() const
{
    const LayoutWords* words = WordsFor(m_layout);
    return words ? words->name : std::string();
}

std::string ChannelColumnMap::GetFileKind() const
{
    const LayoutWords* words = WordsFor(m_layout);
    return words ? words->kind : std::string();
}
