#include "core/ChannelColumnMap.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnFrequency.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "core/ChannelColumnChoice.h"
#include "core/ChannelField.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

// What a column can hold, found by its name as a whole. The receive
// frequency and a race list's roles are found by the words of a name
// instead (below).
enum class Role {
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
    const char* field;
    std::vector<const char*> names;
};

// The names each field goes by in other tools' files, in the order they are
// preferred when a header has several. Compared as NormalName compares them,
// after a unit in brackets is taken off: a new name goes here and nowhere
// else.
const std::vector<RoleNames>& ColumnNames()
{
    static const std::vector<RoleNames> names = {
        {Role::Channel,
         "Channel",
         {"ID", "Location", "Channel", "Ch", "Ch No", "Channel Number", "Channel No", "No", "Number", "Index", "Memory",
          "#"}},
        {Role::Description,
         "Description",
         {"Description", "Alpha Tag", "Name", "Channel Name", "Display Name", "Tag", "Label", "Title", "Comment",
          "Driver", "Team"}},
        {Role::CarNumber, "Car Number", {"Car Number", "Car", "Car No", "Car #"}},
        {Role::Lockout, "Lockout", {"Lockout", "Lock Out", "Locked"}},
        {Role::Skip, "Lockout or Priority (CHIRP)", {"Skip"}},
        {Role::Priority, "Priority", {"Priority", "Pri"}},
        {Role::Delay, "Delay", {"Delay"}},
    };
    return names;
}

// A race list is a file with one of these columns and frequencies by role.
constexpr const char* kDriverNames[] = {"Driver", "Driver Name"};
// In a race list these are the car number, never channel numbers; Pri is a
// role there, not the priority flag.
constexpr const char* kRaceNumberNames[] = {"Number", "No", "#", "Num"};
constexpr const char* kRacePriorityName = "Pri";

// The words that make a column name a receive frequency ("Output Freq",
// "QRG", "RxFrequency"), unless it also has a word of another quantity or
// field ("TX Freq", "Tone Freq", "RxDtcsCode"; "Frequency|Name" is two
// names no separator split). A new word goes here.
constexpr std::string_view kFrequencyWords[] = {"freq", "frequency", "qrg", "rx", "receive", "output", "mhz", "khz"};
constexpr std::string_view kOtherQuantityWords[] = {
    "tx",   "transmit", "input", "offset",    "shift", "step",   "tone", "ctcss",       "dcs",
    "dtcs", "pl",       "code",  "bandwidth", "power", "duplex", "name", "description", "comment"};
// Of two receive frequencies, the one with one of these words is the
// channel's ("Frequency Output" over "Frequency").
constexpr std::string_view kReceiveWords[] = {"rx", "receive", "output"};

// A race list's roles: a column named by one of these words, with or without
// a frequency word ("Backup Freq", "Pri Frequency", "Primary #").
struct RaceRoleWords
{
    ChannelColumnRole role;
    const char* field;
    std::vector<std::string_view> words;
};
const std::vector<RaceRoleWords>& RaceRoles()
{
    static const std::vector<RaceRoleWords> roles = {
        {ChannelColumnRole::Primary, "Primary frequency (race list)", {"primary", "pri"}},
        {ChannelColumnRole::Secondary, "Secondary frequency (race list)", {"secondary", "sec", "backup", "alternate"}},
        {ChannelColumnRole::Other, "Other frequency (race list)", {"other", "third", "spare"}},
    };
    return roles;
}

const std::vector<const char*>& NamesOf(Role role)
{
    for (const RoleNames& entry : ColumnNames())
        if (entry.role == role)
            return entry.names;
    static const std::vector<const char*> none;
    return none;
}

template <typename Words> bool Contains(const Words& words, std::string_view word)
{
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

template <typename Names> bool HasName(const Names& names, const std::string& normal)
{
    return std::any_of(std::begin(names), std::end(names),
                       [&](const char* name) { return ChannelColumnMap::NormalName(name) == normal; });
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
    // The words of the name before the brackets.
    std::vector<std::string> words;
};

HeaderName SplitHeaderName(const std::string& text)
{
    const auto open = text.find_first_of("([");
    if (open == std::string::npos || open == 0)
        return {ChannelColumnMap::NormalName(text), {}, ChannelColumnMap::NameWords(text)};
    const auto close = text.find_first_of(")]", open);
    const std::string unit = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    const std::string name = text.substr(0, open);
    return {ChannelColumnMap::NormalName(name), ChannelColumnMap::NormalName(unit), ChannelColumnMap::NameWords(name)};
}

bool IsReceiveFrequency(const std::vector<std::string>& words)
{
    return std::any_of(words.begin(), words.end(), [](const std::string& w) { return Contains(kFrequencyWords, w); }) &&
        std::none_of(words.begin(), words.end(), [](const std::string& w) { return Contains(kOtherQuantityWords, w); });
}

bool IsPlainlyReceive(const std::vector<std::string>& words)
{
    return std::any_of(words.begin(), words.end(), [](const std::string& w) { return Contains(kReceiveWords, w); });
}

// A race role's column: one role word, and besides it frequency words only.
// The role's word as written comes back in word.
std::optional<ChannelColumnRole> RaceRoleOf(const HeaderName& name, std::string& word)
{
    std::optional<ChannelColumnRole> found;
    for (const std::string& lower : name.words) {
        const ChannelColumnRole role = ChannelColumnMap::RaceRoleOfWord(lower);
        if (role != ChannelColumnRole::NotUsed) {
            if (found)
                return std::nullopt;
            found = role;
            word = lower;
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        } else if (!Contains(kFrequencyWords, lower)) {
            return std::nullopt;
        }
    }
    return found;
}

// The unit in brackets, else a unit among the name's words ("Freq MHz").
ChannelColumnMap::Unit UnitOf(const HeaderName& name)
{
    if (!name.unit.empty())
        return ChannelColumnMap::ReadUnitWord(name.unit);
    for (const std::string& word : name.words)
        if (const ChannelColumnMap::Unit unit = ChannelColumnMap::ReadUnitWord(word);
            unit != ChannelColumnMap::Unit::None)
            return unit;
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

std::vector<std::string> ChannelColumnMap::NameWords(std::string_view name)
{
    const auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    std::vector<std::string> words;
    std::string word;
    const auto finish = [&] {
        if (!word.empty())
            words.push_back(vnText::ToLower(word));
        word.clear();
    };
    for (const char c : name) {
        if (!vnText::IsLetterOrDigit(c)) {
            finish();
            continue;
        }
        if (!word.empty()) {
            const char last = word.back();
            if (vnText::IsDigit(c) != vnText::IsDigit(last) ||
                (isUpper(c) && vnText::IsLetter(last) && !isUpper(last))) {
                finish();
            } else if (vnText::IsLetter(c) && !isUpper(c) && word.size() >= 2 && isUpper(last) &&
                       isUpper(word[word.size() - 2])) {
                // "RXFreq": the capital before a lower-case letter begins
                // the next word.
                word.pop_back();
                finish();
                word = last;
            }
        }
        word += c;
    }
    finish();
    return words;
}

bool ChannelColumnMap::IsReceiveFrequencyName(std::string_view name)
{
    return IsReceiveFrequency(SplitHeaderName(std::string(name)).words);
}

namespace {

constexpr std::pair<ChannelColumnMap::Unit, std::string_view> kUnitWords[] = {
    {ChannelColumnMap::Unit::MHz, "mhz"},
    {ChannelColumnMap::Unit::KHz, "khz"},
    {ChannelColumnMap::Unit::Hz, "hz"},
};

} // namespace

ChannelColumnMap::Unit ChannelColumnMap::ReadUnitWord(std::string_view word)
{
    for (const auto& [unit, text] : kUnitWords)
        if (vnText::EqualsNoCase(word, text))
            return unit;
    return Unit::None;
}

std::string_view ChannelColumnMap::UnitWord(Unit unit)
{
    for (const auto& [known, text] : kUnitWords)
        if (known == unit)
            return text;
    return {};
}

ChannelColumnRole ChannelColumnMap::RaceRoleOfWord(std::string_view word)
{
    const std::string lower = vnText::ToLower(word);
    for (const RaceRoleWords& entry : RaceRoles())
        if (Contains(entry.words, lower))
            return entry.role;
    return ChannelColumnRole::NotUsed;
}

std::vector<ChannelColumnMap::NameRow> ChannelColumnMap::NameTable()
{
    const auto words = [](const auto& list) { return std::vector<std::string>(std::begin(list), std::end(list)); };
    std::vector<NameRow> rows = {
        {"Frequency", "a name with one of these words", words(kFrequencyWords)},
        {"Frequency", "and none of these, which name another quantity", words(kOtherQuantityWords)},
        {"Frequency", "of two such columns, the one with one of these words (two alike are refused)",
         words(kReceiveWords)},
    };
    for (const RoleNames& entry : ColumnNames())
        rows.push_back({entry.field, "one of these names", words(entry.names)});
    std::vector<std::string> raceMarks = words(kDriverNames);
    for (const char* name : NamesOf(Role::CarNumber))
        raceMarks.emplace_back(name);
    rows.push_back({"Race list", "a file with one of these columns and frequencies by role", raceMarks});
    for (const RaceRoleWords& entry : RaceRoles())
        rows.push_back(
            {entry.field, "a name with one of these words, with or without a frequency word", words(entry.words)});
    rows.push_back({"Car Number", "in a race list also these names, never channel numbers", words(kRaceNumberNames)});
    rows.push_back({"Description", "in a race list the driver first", words(kDriverNames)});
    rows.push_back({"Priority", "not in a race list, where it is the primary frequency", {kRacePriorityName}});
    return rows;
}

ChannelColumnMap ChannelColumnMap::FromChoice(const vnCellTable& table, const ChannelColumnChoice& choice)
{
    ChannelColumnMap map;
    const std::int32_t columns = table.GetColumnCount();
    const auto nameAt = [&](std::int32_t row, std::int32_t column) {
        return row >= 0 ? table.GetCell(row, column)->GetSourceText() : ChannelColumnNumberName(column);
    };
    // Where each chosen name stands in the row (-1 without a header: the
    // columns' numbers), each column taken once.
    const auto columnsIn = [&](std::int32_t row) {
        std::vector<std::int32_t> found;
        std::vector<bool> taken(static_cast<std::size_t>(columns), false);
        for (const auto& entry : choice.columns) {
            const std::string normal = NormalName(entry.first);
            std::int32_t at = -1;
            for (std::int32_t column = 0; column < columns && at < 0 && !normal.empty(); ++column)
                if (!taken[static_cast<std::size_t>(column)] && NormalName(nameAt(row, column)) == normal)
                    at = column;
            if (at >= 0)
                taken[static_cast<std::size_t>(at)] = true;
            found.push_back(at);
        }
        return found;
    };
    const auto complete = [](const std::vector<std::int32_t>& found) {
        return std::none_of(found.begin(), found.end(), [](std::int32_t at) { return at < 0; });
    };
    std::vector<std::int32_t> found = columnsIn(-1);
    std::int32_t header = -1;
    const std::int32_t searched = std::min(table.GetRowCount(), HeaderSearchRows);
    for (std::int32_t row = 0; row < searched && header < 0; ++row)
        if (std::vector<std::int32_t> inRow = columnsIn(row); complete(inRow)) {
            header = row;
            found = std::move(inRow);
        }
    if (!complete(found)) {
        // The name missing from the row that holds most of the others.
        std::size_t most = 0;
        std::size_t missing = 0;
        for (std::int32_t row = 0; row < searched; ++row) {
            const std::vector<std::int32_t> inRow = columnsIn(row);
            const auto count = static_cast<std::size_t>(
                std::count_if(inRow.begin(), inRow.end(), [](std::int32_t at) { return at >= 0; }));
            if (count > most || row == 0) {
                most = count;
                missing = static_cast<std::size_t>(std::find(inRow.begin(), inRow.end(), -1) - inRow.begin());
            }
        }
        map.headerProblem = {IDS_CHOSEN_COLUMN_MISSING, {choice.columns[missing].first}};
        return map;
    }
    map.headerRow = header;
    map.firstDataRow = header + 1;
    map.chosenOn = choice.chosenOn;

    std::vector<bool> used(static_cast<std::size_t>(columns), false);
    const auto unitOf = [&](std::int32_t column) {
        if (choice.unit != Unit::None || header < 0)
            return choice.unit;
        return UnitOf(SplitHeaderName(nameAt(header, column)));
    };
    Problem problem;
    // A field one column fills: a second one chosen for it is the user's
    // slip, not a guess to make.
    const auto single = [&](std::int32_t& slot, std::int32_t column, ChannelColumnRole role) {
        if (slot >= 0 && problem.empty())
            problem = {IDS_CHOSEN_TWICE,
                       {std::string(ChannelColumnRoleWord(role)), nameAt(header, slot), nameAt(header, column)}};
        slot = slot >= 0 ? slot : column;
    };
    for (std::size_t i = 0; i < choice.columns.size(); ++i) {
        const std::int32_t column = found[i];
        const ChannelColumnRole role = choice.columns[i].second;
        used[static_cast<std::size_t>(column)] = role != ChannelColumnRole::NotUsed;
        switch (role) {
        case ChannelColumnRole::NotUsed:
            break;
        case ChannelColumnRole::Frequency:
            single(map.frequency, column, role);
            break;
        case ChannelColumnRole::Description:
            map.descriptions.push_back(column);
            break;
        case ChannelColumnRole::CarNumber:
            single(map.carNumber, column, role);
            break;
        case ChannelColumnRole::Channel:
            single(map.channel, column, role);
            break;
        case ChannelColumnRole::Lockout:
            single(map.lockout, column, role);
            break;
        case ChannelColumnRole::Delay:
            single(map.delay, column, role);
            break;
        case ChannelColumnRole::Priority:
            single(map.priority, column, role);
            break;
        case ChannelColumnRole::Primary:
        case ChannelColumnRole::Secondary:
        case ChannelColumnRole::Other: {
            std::string word(ChannelColumnRoleWord(role));
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
            map.raceColumns.push_back({role, column, word, unitOf(column)});
            break;
        }
        }
    }
    if (!map.raceColumns.empty()) {
        // A frequency beside race roles is the primary one.
        if (map.frequency >= 0)
            map.raceColumns.push_back({ChannelColumnRole::Primary, map.frequency, "Primary", unitOf(map.frequency)});
        std::stable_sort(map.raceColumns.begin(), map.raceColumns.end(), [](const RaceColumn& a, const RaceColumn& b) {
            return (a.role == ChannelColumnRole::Primary) > (b.role == ChannelColumnRole::Primary);
        });
        map.frequency = map.raceColumns.front().column;
        // The runs place a race list's channels: its channel column is not read.
        if (map.channel >= 0)
            used[static_cast<std::size_t>(map.channel)] = false;
        map.channel = -1;
    }
    if (map.frequency < 0 && problem.empty())
        problem = {IDS_CHOSEN_NO_FREQUENCY, {}};
    if (!problem.empty()) {
        ChannelColumnMap refused;
        refused.headerRow = header;
        refused.headerProblem = problem;
        return refused;
    }
    map.frequencyUnit = unitOf(map.frequency);
    for (std::int32_t column = 0; column < columns; ++column)
        if (!used[static_cast<std::size_t>(column)] && (header < 0 || !nameAt(header, column).empty()))
            map.unreadColumns.push_back(column);
    map.m_layout = Layout::Chosen;
    return map;
}

ChannelColumnMap ChannelColumnMap::FromTable(const vnCellTable& table)
{
    const std::int32_t searched = std::min(table.GetRowCount(), ChannelColumnMap::HeaderSearchRows);
    for (std::int32_t row = 0; row < searched; ++row) {
        ChannelColumnMap map = FromHeaderRow(table, row);
        if (map.m_layout == Layout::Refused && map.headerProblem.empty())
            continue;
        // A title may hold a frequency word ("Frequency list 2024"): a wider
        // line of names below it is the header, never a line of data.
        const std::size_t width = RowTexts(table, row).size();
        for (std::int32_t below = row + 1; below < searched; ++below)
            if (IsTextOnlyRow(table, below) && RowTexts(table, below).size() > width)
                if (ChannelColumnMap wider = FromHeaderRow(table, below);
                    wider.m_layout != Layout::Refused || !wider.headerProblem.empty())
                    return wider;
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
    const auto has = [&](const char* name) {
        return std::any_of(names.begin(), names.end(), [&](const HeaderName& h) { return h.name == NormalName(name); });
    };
    const auto nameAt = [&](std::size_t column) {
        return table.GetCell(row, static_cast<std::int32_t>(column))->GetSourceText();
    };

    // Receive frequencies by the words of their names, race roles by theirs.
    std::vector<std::size_t> receive;
    std::vector<RaceColumn> roles;
    for (std::size_t column = 0; column < names.size(); ++column) {
        std::string word;
        if (const auto role = RaceRoleOf(names[column], word))
            roles.push_back({*role, static_cast<std::int32_t>(column), word, UnitOf(names[column])});
        else if (IsReceiveFrequency(names[column].words))
            receive.push_back(column);
    }
    // Beside a frequency column, Pri is the priority flag.
    if (!receive.empty())
        roles.erase(std::remove_if(roles.begin(), roles.end(),
                                   [&](const RaceColumn& r) {
                                       return names[static_cast<std::size_t>(r.column)].name ==
                                           NormalName(kRacePriorityName);
                                   }),
                    roles.end());
    const bool race = !roles.empty() && std::any_of(names.begin(), names.end(), [](const HeaderName& h) {
        return HasName(kDriverNames, h.name) || HasName(NamesOf(Role::CarNumber), h.name);
    });
    if (!race)
        for (const RaceColumn& role : roles)
            if (IsReceiveFrequency(names[static_cast<std::size_t>(role.column)].words))
                receive.push_back(static_cast<std::size_t>(role.column));
    std::sort(receive.begin(), receive.end());
    // Of several, the one plainly the receive frequency; two alike are the
    // user's to tell apart.
    if (receive.size() > 1) {
        std::vector<std::size_t> plain;
        for (const std::size_t column : receive)
            if (IsPlainlyReceive(names[column].words))
                plain.push_back(column);
        if (plain.size() != 1) {
            const std::vector<std::size_t>& both = plain.size() > 1 ? plain : receive;
            map.headerRow = row;
            map.headerProblem = {IDS_TWO_RECEIVE_COLUMNS, {nameAt(both[0]), nameAt(both[1])}};
            return map;
        }
        receive = plain;
    }

    map.headerRow = row;
    map.firstDataRow = row + 1;
    if (race) {
        // A column named as a frequency without a role is the primary one.
        const bool hasPrimary = std::any_of(roles.begin(), roles.end(),
                                            [](const RaceColumn& r) { return r.role == ChannelColumnRole::Primary; });
        if (!receive.empty() && hasPrimary) {
            const auto primary = std::find_if(roles.begin(), roles.end(),
                                              [](const RaceColumn& r) { return r.role == ChannelColumnRole::Primary; });
            map.headerProblem = {IDS_TWO_PRIMARY_COLUMNS,
                                 {nameAt(static_cast<std::size_t>(primary->column)), nameAt(receive.front())}};
            return map;
        }
        if (!receive.empty())
            roles.push_back({ChannelColumnRole::Primary, static_cast<std::int32_t>(receive.front()), "Primary",
                             UnitOf(names[receive.front()])});
        std::stable_sort(roles.begin(), roles.end(), [](const RaceColumn& a, const RaceColumn& b) {
            return (a.role == ChannelColumnRole::Primary) > (b.role == ChannelColumnRole::Primary);
        });
        for (const RaceColumn& role : roles)
            used[static_cast<std::size_t>(role.column)] = true;
        map.raceColumns = roles;
        map.frequency = roles.front().column;
        map.frequencyUnit = roles.front().unit;
    } else if (!receive.empty()) {
        map.frequency = static_cast<std::int32_t>(receive.front());
        used[receive.front()] = true;
        map.frequencyUnit = UnitOf(names[receive.front()]);
    } else {
        map.headerRow = -1;
        map.firstDataRow = 0;
        return map;
    }

    bool chirp = names.size() >= std::size(ChirpStart);
    for (std::size_t column = 0; column < std::size(ChirpStart) && chirp; ++column)
        chirp = names[column].name == NormalName(ChirpStart[column]);
    if (chirp)
        map.m_layout = Layout::Chirp;
    else if (race)
        map.m_layout = Layout::RaceList;
    else if (has("Frequency Output") && has("Alpha Tag"))
        map.m_layout = Layout::RadioReference;
    else
        map.m_layout = Layout::ByName;

    map.carNumber = find(Role::CarNumber);
    if (race && map.carNumber < 0)
        for (std::size_t column = 0; column < names.size() && map.carNumber < 0; ++column)
            if (!used[column] && HasName(kRaceNumberNames, names[column].name)) {
                used[column] = true;
                map.carNumber = static_cast<std::int32_t>(column);
            }
    // A race list's channels are its roles' runs: a channel column is not
    // read, and said so.
    if (!race)
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
    // A race list's description is the driver.
    if (race)
        for (std::size_t column = 0; column < names.size(); ++column)
            if (!used[column] && HasName(kDriverNames, names[column].name)) {
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
        const std::string line = std::to_string(row + 1);
        if (const std::string id = table.GetCell(row, 0)->GetSourceText();
            !vnText::TrimBlanks(id).empty() && !vnText::ReadWholeNumber(id)) {
            map.refusal = vnWords::Say(IDS_OWN_FIELD_REFUSED, {line, id, OwnHeader(0)});
            return map;
        }
        if (static_cast<std::int32_t>(texts.size()) > ChannelFieldCount) {
            map.refusal =
                vnWords::Say(IDS_OWN_TOO_WIDE, {line, std::to_string(texts.size()), std::to_string(ChannelFieldCount)});
            return map;
        }
        for (std::size_t column = 0; column < texts.size(); ++column)
            if (ChannelFields()[column].flag && !IsTruthWordOrEmpty(texts[column])) {
                map.refusal = vnWords::Say(IDS_OWN_FIELD_REFUSED, {line, texts[column], OwnHeader(column)});
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
    int name;
    int kind;
};

constexpr LayoutWords kLayoutWords[] = {
    {ChannelColumnMap::Layout::Chirp, IDS_LAYOUT_CHIRP, IDS_KIND_CHIRP},
    {ChannelColumnMap::Layout::RadioReference, IDS_LAYOUT_RADIOREFERENCE, IDS_KIND_RADIOREFERENCE},
    {ChannelColumnMap::Layout::RaceList, IDS_LAYOUT_RACE_LIST, IDS_KIND_RACE_LIST},
    {ChannelColumnMap::Layout::ByName, IDS_LAYOUT_BY_NAME, IDS_KIND_OTHER_COLUMNS},
    {ChannelColumnMap::Layout::Chosen, IDS_LAYOUT_CHOSEN, IDS_KIND_OTHER_COLUMNS},
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
    if (m_layout == Layout::Chosen && !chosenOn.empty())
        return vnWords::Say(IDS_LAYOUT_CHOSEN_ON, {chosenOn});
    return words ? vnWords::Say(words->name) : std::string();
}

std::string ChannelColumnMap::GetFileKind() const
{
    if (IsRaceList())
        return vnWords::Say(WordsFor(Layout::RaceList)->kind);
    const LayoutWords* words = WordsFor(m_layout);
    return words ? vnWords::Say(words->kind) : std::string();
}
