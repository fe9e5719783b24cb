#include "core/ChannelFile.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "core/ChannelCellText.h"
#include "core/ChannelColumnMap.h"
#include "core/ChannelField.h"
#include "core/ChannelSteps.h"
#include "modules/vnScannerBands.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using vnText::Decimal;

std::string ReasonSuffix(const std::string& reason)
{
    return reason.empty() ? std::string(".") : ":\n" + reason;
}

std::string CellText(const vnCellTable& table, std::int32_t row, std::int32_t column)
{
    return column >= 0 && column < table.GetColumnCount() ? table.GetCell(row, column)->ToText() : std::string();
}

void ResetChannels(vnChannelList& channels)
{
    for (std::int32_t index = 0; index < channels.GetCount(); ++index) {
        vnChannel& channel = *channels.GetAt(index);
        vnChannel empty;
        empty.SetNumber(channel.GetNumber());
        channel = empty;
    }
}

// A frequency converted from kHz or Hz keeps down to the hertz.
constexpr int kConvertedDecimals = 6;

std::string MHzText(double mhz)
{
    return vnFrequency::MHzText(mhz, kConvertedDecimals);
}

bool IsDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), vnText::IsDigit);
}

// The frequency of a line in MHz as the channel takes it, or why the line is
// skipped. A frequency is read whole (vnFrequency::ReadWholeMHz); a unit
// after the number, or else in the header, is the unit. Without either, a
// whole number above the highest band is tried as kHz and as Hz, and taken
// when exactly one of them lies in the bands.
struct FrequencyReading
{
    std::string text;
    bool converted = false;
    std::string skip;
    // Scanlore's own line whose frequency is no frequency: the channel is
    // read without one.
    bool unread = false;
};

FrequencyReading ReadFrequency(const std::string& source, ChannelColumnMap::Unit unit, bool own)
{
    const std::string noFrequency = own ? std::string() : std::string("no frequency");
    if (vnText::TrimBlanks(source).empty())
        return {{}, false, noFrequency};
    const vnFrequency::Unit given = unit == ChannelColumnMap::Unit::KHz ? vnFrequency::UnitKilohertz
        : unit == ChannelColumnMap::Unit::Hz                            ? vnFrequency::UnitHertz
                                                                        : vnFrequency::UnitMegahertz;
    constexpr vnFrequencyRange bands = vnCommonScannerRange;
    if (unit == ChannelColumnMap::Unit::None && IsDigits(source)) {
        const double value = vnText::ReadLeadingDouble(source);
        if (value > bands.highMHz) {
            const auto inBands = [&](double mhz) { return mhz >= bands.lowMHz && mhz <= bands.highMHz; };
            const bool kHz = inBands(value / 1e3);
            const bool hz = inBands(value / 1e6);
            if (kHz != hz)
                return {MHzText(kHz ? value / 1e3 : value / 1e6), true, {}};
            return {{},
                    false,
                    "frequency " + source + " is not MHz, and neither as kHz nor as Hz is it " +
                        vnText::ShortestText(bands.lowMHz) + " to " + vnText::ShortestText(bands.highMHz) + " MHz"};
        }
    }
    bool converted = false;
    const std::optional<double> mhz = vnFrequency::ReadWholeMHz(source, given, &converted);
    if (!mhz) {
        if (own)
            return {{}, false, {}, true};
        return {{}, false, "\"" + source + "\" is not a frequency"};
    }
    const double value = *mhz;
    if (converted)
        return {MHzText(value), true, {}};
    if (value == 0.0)
        return {{}, false, noFrequency};
    return {MHzText(value), false, {}};
}

// The number of fields a line of the table has: up to its last one that is
// not empty.
std::int32_t FieldCount(const vnCellTable& table, std::int32_t row)
{
    for (std::int32_t column = table.GetColumnCount(); column > 0; --column)
        if (table.GetCell(row, column - 1)->GetType() != vnCellType::Empty)
            return column;
    return 0;
}

// Another tool's flag: a truth word with blanks around it.
bool IsTrue(const std::string& text)
{
    return vnText::ReadTruthWord(vnText::TrimBlanks(text)).value_or(false);
}

bool IsLockoutWord(const std::string& text)
{
    // The words other tools mark a locked-out channel with.
    static const char* const words[] = {"locked", "lockout", "l", "s", "skip", "lo"};
    const std::string normal = ChannelColumnMap::NormalName(text);
    return IsTrue(text) || std::find(std::begin(words), std::end(words), normal) != std::end(words);
}

std::string SourceText(const vnCellTable& table, std::int32_t row, std::int32_t column)
{
    return column >= 0 && column < table.GetColumnCount() ? table.GetCell(row, column)->GetSourceText() : std::string();
}

// The line a row of the table begins on.
struct LineOf
{
    const ChannelTableLines& lines;
    std::int64_t operator()(std::int32_t row) const
    {
        const auto index = static_cast<std::size_t>(row);
        return index < lines.rowLines.size() ? lines.rowLines[index] : std::int64_t{row} + 1;
    }
};

// The skipped lines' reasons in file order, and the lines past the rows kept,
// which were counted only: lines not loaded when countOnly (Scanlore's own
// layout in file order), skipped lines otherwise. A line is named "line 4",
// or as lineName names it.
void NameSkips(ChannelTableApplied& applied, std::vector<std::pair<std::int32_t, std::string>>& skips,
               const LineOf& lineOf, std::int32_t count, bool countOnly,
               const std::function<std::string(std::int32_t)>& lineName = {})
{
    applied.skipped = static_cast<std::int32_t>(skips.size());
    std::sort(skips.begin(), skips.end());
    for (const auto& [row, reason] : skips)
        applied.skipReasons.push_back((lineName ? lineName(row) : "line " + std::to_string(lineOf(row))) + ": " +
                                      reason);
    const auto past = static_cast<std::int32_t>(std::min<std::int64_t>(lineOf.lines.linesPast, INT32_MAX));
    if (past > 0 && countOnly) {
        applied.linesNotLoaded += past;
    } else if (past > 0) {
        applied.skipped += past;
        applied.skipReasons.push_back((past == 1 ? "line " : Decimal(past) + " lines from line ") +
                                      std::to_string(lineOf.lines.firstLinePast) + ": more lines than channels (" +
                                      Decimal(count) + ")");
    }
}

// The first description column of the line that holds something.
std::string DescriptionOf(const vnCellTable& table, std::int32_t row, const ChannelColumnMap& map)
{
    for (const std::int32_t column : map.descriptions)
        if (std::string text = CellText(table, row, column); !text.empty())
            return text;
    return {};
}

// Another tool's delay, lockout and priority words.
void SetForeignFlags(vnChannel& channel, const vnCellTable& table, std::int32_t row, const ChannelColumnMap& map)
{
    if (map.delay >= 0) {
        const std::string delay = SourceText(table, row, map.delay);
        channel.SetDelay(IsTrue(delay) || vnText::ReadLeadingDouble(delay) > 0.0);
    }
    if (map.lockout >= 0)
        channel.SetLockout(IsLockoutWord(SourceText(table, row, map.lockout)));
    if (map.priority >= 0)
        channel.SetPriority(IsTrue(SourceText(table, row, map.priority)));
    if (map.skip >= 0) {
        // CHIRP writes S for a memory scanning skips and P for priority.
        const std::string skip = SourceText(table, row, map.skip);
        if (ChannelColumnMap::NormalName(skip) == "p")
            channel.SetPriority(true);
        else if (IsLockoutWord(skip))
            channel.SetLockout(true);
    }
}

// The names of the columns that hold something no field keeps: the columns
// no field reads, and description columns after the first.
std::vector<std::string> DroppedColumns(const vnCellTable& table, const ChannelColumnMap& map,
                                        const std::vector<std::int32_t>& rows)
{
    std::vector<std::int32_t> columns = map.unreadColumns;
    if (map.descriptions.size() > 1)
        columns.insert(columns.end(), map.descriptions.begin() + 1, map.descriptions.end());
    std::sort(columns.begin(), columns.end());
    std::vector<std::string> names;
    for (const std::int32_t column : columns)
        if (std::any_of(rows.begin(), rows.end(),
                        [&](std::int32_t row) { return !CellText(table, row, column).empty(); }))
            names.push_back(map.headerRow >= 0 ? SourceText(table, map.headerRow, column)
                                               : ChannelColumnNumberName(column));
    return names;
}

// A race list: every role's frequencies, each role a run of channels that
// starts at a bank border, primaries first, the lines in file order in each.
// A role that no longer fits whole is left out and counted: part of a role
// would look like all of it.
void ApplyRaceList(const vnCellTable& table, const ChannelColumnMap& map, vnChannelList& channels,
                   std::int32_t channelsPerBank, const LineOf& lineOf, ChannelTableApplied& applied)
{
    const auto carOf = [&](std::int32_t row) {
        return std::string(vnText::TrimBlanks(SourceText(table, row, map.carNumber)));
    };
    // A line of a race list is known by its car.
    const auto lineName = [&](std::int32_t row) {
        const std::string car = carOf(row);
        return "line " + std::to_string(lineOf(row)) + (car.empty() ? "" : " (car " + car + ")");
    };
    struct Reading
    {
        std::int32_t row;
        FrequencyReading frequency;
    };
    const std::size_t roleCount = map.raceColumns.size();
    std::vector<std::vector<Reading>> runs(roleCount);
    std::vector<std::pair<std::int32_t, std::string>> skips;
    std::vector<std::pair<std::int32_t, std::string>> notes;
    std::vector<std::int32_t> rows;
    for (std::int32_t row = map.firstDataRow; row < table.GetRowCount(); ++row) {
        if (table.IsRowEmpty(row))
            continue;
        std::vector<std::string> unread;
        bool any = false;
        for (std::size_t role = 0; role < roleCount; ++role) {
            const ChannelColumnMap::RaceColumn& column = map.raceColumns[role];
            const std::string source = SourceText(table, row, column.column);
            FrequencyReading frequency = ReadFrequency(source, column.unit, false);
            if (frequency.skip.empty()) {
                runs[role].push_back({row, std::move(frequency)});
                any = true;
            } else if (!vnText::TrimBlanks(source).empty()) {
                unread.push_back(column.word + " " + frequency.skip);
            }
        }
        if (!any) {
            skips.emplace_back(row, unread.empty() ? std::string("no frequency") : unread.front());
            continue;
        }
        rows.push_back(row);
        for (const std::string& reason : unread)
            notes.emplace_back(row, lineName(row) + ": " + reason + "; it was not read");
    }

    const std::int32_t count = channels.GetCount();
    const std::int32_t bank = std::max(channelsPerBank, 1);
    std::int32_t next = 0;
    // The channel each reading goes to, and the role it is read for.
    std::vector<std::tuple<std::int32_t, std::int32_t, std::size_t, const FrequencyReading*>> placed;
    for (std::size_t role = 0; role < roleCount; ++role) {
        const auto size = static_cast<std::int32_t>(runs[role].size());
        if (size == 0)
            continue;
        ChannelRoleRun run;
        run.role = map.raceColumns[role].word;
        const std::int32_t start = (next + bank - 1) / bank * bank;
        if (start > count - size) {
            run.leftOut = size;
        } else {
            for (std::int32_t i = 0; i < size; ++i) {
                const Reading& reading = runs[role][static_cast<std::size_t>(i)];
                placed.emplace_back(reading.row, start + i, role, &reading.frequency);
                run.indexes.push_back(start + i);
            }
            run.firstNumber = channels.GetAt(start)->GetNumber();
            run.lastNumber = channels.GetAt(start + size - 1)->GetNumber();
            next = start + size;
        }
        applied.roleRuns.push_back(std::move(run));
    }
    applied.rows = static_cast<std::int32_t>(placed.size());
    // Skipped lines are named by their car; the lines past the rows kept
    // are counted as any other tool's.
    NameSkips(applied, skips, lineOf, count, false, lineName);
    applied.droppedColumns = DroppedColumns(table, map, rows);

    // A car number given for two drivers is most likely two cars whose
    // numbers a spreadsheet made one ("02" became "2").
    std::vector<std::pair<std::string, std::vector<std::string>>> drivers;
    for (const std::int32_t row : rows) {
        const std::string car = carOf(row);
        const std::string driver(vnText::TrimBlanks(DescriptionOf(table, row, map)));
        if (car.empty() || driver.empty())
            continue;
        auto it = std::find_if(drivers.begin(), drivers.end(), [&](const auto& entry) { return entry.first == car; });
        if (it == drivers.end())
            it = drivers.insert(drivers.end(), {car, {}});
        if (std::find(it->second.begin(), it->second.end(), driver) == it->second.end())
            it->second.push_back(driver);
    }
    for (const auto& [car, names] : drivers) {
        if (names.size() < 2)
            continue;
        std::string note = "Car " + car + " is listed for " +
            vnWords::Count(vnCounted::Drivers, static_cast<std::int64_t>(names.size()));
        if (car.size() == 1 && vnText::IsDigit(car[0]))
            note += ": a spreadsheet may have dropped the leading zero of 0" + car;
        applied.carNotes.push_back(note);
    }

    ResetChannels(channels);
    for (const auto& [row, index, role, frequency] : placed) {
        vnChannel& channel = *channels.GetAt(index);
        SetChannelCellText(channel, ChannelField::Frequency, frequency->text);
        applied.converted += frequency->converted ? 1 : 0;
        std::string description = DescriptionOf(table, row, map);
        if (map.raceColumns[role].role != ChannelColumnRole::Primary)
            description = std::string(vnText::TrimBlanks(description)) + " (" + map.raceColumns[role].word + ")";
        if (!description.empty())
            SetChannelCellText(channel, ChannelField::Description, description);
        if (map.carNumber >= 0)
            SetChannelCellText(channel, ChannelField::CarNumber, SourceText(table, row, map.carNumber));
        SetForeignFlags(channel, table, row, map);
    }
    std::stable_sort(notes.begin(), notes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [row, note] : notes)
        applied.readNotes.push_back(std::move(note));
}

std::string ListOfNames(const std::vector<std::string>& names, std::size_t shown, const char* more)
{
    std::string list;
    for (std::size_t i = 0; i < std::min(names.size(), shown); ++i)
        list += (i > 0 ? ", " : "") + names[i];
    if (names.size() > shown)
        list += more;
    return list;
}

std::string RefusalReason(const ChannelColumnMap& map, const std::string& fileName)
{
    constexpr std::size_t shownNames = 3;
    if (!map.headerProblem.empty())
        return fileName + " " + map.headerProblem;
    if (!map.headerNames.empty())
        return fileName + " has a header line, but none of its columns (" +
            ListOfNames(map.headerNames, shownNames, ", \xE2\x80\xA6") +
            ") is a frequency. Rename the frequency column to Frequency and open it again.";
    return fileName + " has no header line naming a frequency column, and its lines are not in Scanlore's layout (" +
        map.refusal + "). Add a header line that names the Frequency column and open it again.";
}

// A table refused for what its header says, or for having none, can be read
// once the user gives its columns their roles: what to choose from.
void OfferChoice(const vnCellTable& table, const ChannelColumnMap& map, ChannelTableApplied& applied)
{
    applied.columns = ChannelColumnPreviews(table, map.headerRow);
    if (map.headerRow >= 0)
        for (const ChannelColumnPreview& column : applied.columns)
            applied.header.push_back(column.name);
}

ChannelFileResult ApplyReadTable(bool read, const vnDelimitedFile& file, const vnCellTable& table,
                                 const std::string& name, vnChannelList& channels, const ChannelColumnChoice* choice,
                                 std::int32_t channelsPerBank)
{
    ChannelFileResult result;
    result.ok = read;
    if (!result.ok)
        result.reason = file.GetLastError();
    result.cancelled = file.IsCancelled();
    // Nothing read, not even a header: the channels stay as they were.
    if (!result.ok && table.GetRowCount() == 0)
        return result;
    if (table.GetRowCount() == 0 && file.GetRowsPast() == 0) {
        result.ok = false;
        result.reason = name + " holds no channels: it has nothing but blank lines and separators.";
        return result;
    }
    result.applied =
        ApplyChannelTable(table, channels, name, {file.GetRowLines(), file.GetRowsPast(), file.GetFirstLinePast()},
                          choice, channelsPerBank);
    if (!result.applied.refusal.empty()) {
        result.ok = false;
        result.reason = result.applied.refusal;
        return result;
    }
    if (file.GetEncoding() != vnTextEncoding::Utf8)
        result.applied.encoding = std::string(vnTextEncodingName(file.GetEncoding()));
    result.changed = true;
    return result;
}

// The rows a channel file keeps: a header below its title lines, and a
// line for every channel.
std::int64_t RowsKept(const vnChannelList& channels)
{
    return std::int64_t{channels.GetCount()} + ChannelColumnMap::HeaderSearchRows;
}

} // namespace

vnCellTable MakeChannelTable(const vnChannelList& channels)
{
    std::vector<std::int32_t> indexes(static_cast<std::size_t>(channels.GetCount()));
    std::iota(indexes.begin(), indexes.end(), 0);
    return MakeChannelTable(channels, indexes);
}

vnCellTable MakeChannelTable(const vnChannelList& channels, const std::vector<std::int32_t>& indexes)
{
    std::vector<const vnChannel*> rows;
    for (const std::int32_t index : indexes)
        if (const vnChannel* channel = channels.GetAt(index))
            rows.push_back(channel);
    vnCellTable table;
    table.AddColumns(ChannelFieldCount);
    table.AddRows(static_cast<std::int32_t>(rows.size()) + 1);

    for (const ChannelFieldInfo& info : ChannelFields()) {
        const vnCell header(info.header, false);
        table.SetCell(0, ColumnOf(info.field), &header);
    }
    vnCell cell;
    std::int32_t row = 1;
    for (const vnChannel* channel : rows) {
        for (const ChannelFieldInfo& info : ChannelFields()) {
            const std::string text = GetChannelCellText(*channel, info.field);
            // Typing a description would turn 007 into 7 and yes into True,
            // and trim its blanks; as text it survives a save and an open.
            if (info.freeText && !text.empty())
                cell.SetString(text);
            else
                cell.FromText(text);
            table.SetCell(row, ColumnOf(info.field), &cell);
        }
        ++row;
    }
    return table;
}

ChannelTableApplied ApplyChannelTable(const vnCellTable& table, vnChannelList& channels, const std::string& fileName,
                                      const ChannelTableLines& lines, const ChannelColumnChoice* choice,
                                      std::int32_t channelsPerBank)
{
    const LineOf lineOf{lines};
    const ChannelColumnMap map =
        choice ? ChannelColumnMap::FromChoice(table, *choice) : ChannelColumnMap::FromTable(table);
    ChannelTableApplied applied;
    if (map.GetLayout() == ChannelColumnMap::Layout::Refused) {
        applied.refusal = RefusalReason(map, fileName.empty() ? std::string("The file") : fileName);
        OfferChoice(table, choice ? ChannelColumnMap::FromTable(table) : map, applied);
        return applied;
    }
    applied.chosen = choice != nullptr;
    const bool own = map.IsOwn();
    applied.layout = map.GetLayoutName();
    applied.kind = map.GetFileKind();
    const std::int32_t firstRow = map.headerRow >= 0 ? map.headerRow : map.firstDataRow;
    // Blank lines count as title lines only between titles and the header.
    applied.titleLines =
        firstRow > 0 && firstRow < table.GetRowCount() ? static_cast<std::int32_t>(lineOf(firstRow) - 1) : firstRow;
    if (map.IsRaceList()) {
        ApplyRaceList(table, map, channels, channelsPerBank, lineOf, applied);
        return applied;
    }
    std::vector<std::pair<std::int32_t, std::string>> skips;

    // A line of Scanlore's layout wider than its header has most likely
    // had its columns shifted by a comma in a text that is not quoted.
    const std::int32_t headerFields = own && map.headerRow >= 0 ? FieldCount(table, map.headerRow) : 0;

    // The lines with a frequency, and its text in MHz.
    std::vector<std::int32_t> rows;
    std::unordered_map<std::int32_t, std::string> frequencies;
    std::unordered_map<std::int32_t, std::string> unreadFrequencies;
    std::vector<std::pair<std::int32_t, std::string>> notes;
    for (std::int32_t row = map.firstDataRow; row < table.GetRowCount(); ++row) {
        if (table.IsRowEmpty(row))
            continue;
        const std::string source = SourceText(table, row, map.frequency);
        const FrequencyReading frequency = ReadFrequency(source, map.frequencyUnit, own);
        if (!frequency.skip.empty()) {
            skips.emplace_back(row, frequency.skip);
            continue;
        }
        if (frequency.unread)
            unreadFrequencies[row] = source;
        if (const std::int32_t fields = FieldCount(table, row); headerFields > 0 && fields > headerFields) {
            ++applied.widerLines;
            notes.emplace_back(row,
                               "line " + std::to_string(lineOf(row)) + " has " + Decimal(fields) +
                                   " fields where the header has " + Decimal(headerFields) +
                                   ": a comma in an unquoted text?");
        }
        applied.converted += frequency.converted ? 1 : 0;
        frequencies[row] = frequency.text;
        rows.push_back(row);
    }

    const std::int32_t count = channels.GetCount();
    std::unordered_map<std::int32_t, std::int32_t> indexOfNumber;
    for (std::int32_t index = 0; index < count; ++index)
        indexOfNumber.emplace(channels.GetAt(index)->GetNumber(), index);

    // Lines go to the channels they name when every line names a distinct
    // whole number; otherwise one after another.
    std::vector<std::int32_t> numbers;
    bool byNumber = map.channel >= 0 && !rows.empty();
    for (std::size_t i = 0; i < rows.size() && byNumber; ++i) {
        const auto number = vnText::ReadWholeNumber(SourceText(table, rows[i], map.channel));
        byNumber = number.has_value();
        if (byNumber)
            numbers.push_back(*number);
    }
    if (byNumber) {
        // CHIRP numbers its memories from 0, but only some radios.
        if (map.GetLayout() == ChannelColumnMap::Layout::Chirp &&
            std::find(numbers.begin(), numbers.end(), 0) != numbers.end())
            for (std::int32_t& number : numbers)
                ++number;
        std::vector<std::int32_t> sorted = numbers;
        std::sort(sorted.begin(), sorted.end());
        byNumber = std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end();
    }
    applied.byId = byNumber;
    applied.inFileOrder = map.channel >= 0 && !rows.empty() && !byNumber;

    std::vector<std::pair<std::int32_t, std::int32_t>> placed;
    const std::string range = count > 0
        ? Decimal(channels.GetAt(0)->GetNumber()) + " to " + Decimal(channels.GetAt(count - 1)->GetNumber())
        : std::string("none");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (byNumber) {
            const auto it = indexOfNumber.find(numbers[i]);
            if (it == indexOfNumber.end())
                skips.emplace_back(rows[i], "channel " + Decimal(numbers[i]) + " is outside " + range);
            else
                placed.emplace_back(rows[i], it->second);
        } else if (static_cast<std::int32_t>(i) < count) {
            placed.emplace_back(rows[i], static_cast<std::int32_t>(i));
        } else if (own) {
            ++applied.linesNotLoaded;
        } else {
            skips.emplace_back(rows[i], "more lines than channels (" + Decimal(count) + ")");
        }
    }
    applied.rows = static_cast<std::int32_t>(placed.size());
    NameSkips(applied, skips, lineOf, count, own && !byNumber);
    applied.droppedColumns = DroppedColumns(table, map, rows);

    // What is shown, saved and uploaded afterwards is the file and nothing
    // of the table that was open before it.
    ResetChannels(channels);
    for (const auto& [row, index] : placed) {
        vnChannel& channel = *channels.GetAt(index);
        SetChannelCellText(channel, ChannelField::Frequency, frequencies[row]);
        if (const auto unread = unreadFrequencies.find(row); unread != unreadFrequencies.end()) {
            ++applied.unreadFrequencies;
            notes.emplace_back(row,
                               "line " + std::to_string(lineOf(row)) + ": \"" + unread->second +
                                   "\" is not a frequency; channel " + Decimal(channel.GetNumber()) + " has none");
        }
        if (const std::string description = DescriptionOf(table, row, map); !description.empty())
            SetChannelCellText(channel, ChannelField::Description, description);
        // A car number is a name, not a number: "02" stays "02".
        if (map.carNumber >= 0)
            SetChannelCellText(channel, ChannelField::CarNumber, SourceText(table, row, map.carNumber));
        if (own) {
            const std::pair<ChannelField, std::int32_t> flags[] = {{ChannelField::Delay, map.delay},
                                                                   {ChannelField::Lockout, map.lockout},
                                                                   {ChannelField::Priority, map.priority}};
            for (const auto& [field, column] : flags)
                SetChannelCellText(channel, field, CellText(table, row, column));
            continue;
        }
        SetForeignFlags(channel, table, row, map);
    }
    std::stable_sort(notes.begin(), notes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [row, note] : notes)
        applied.readNotes.push_back(std::move(note));
    for (const ChannelOffStep& channel : FindOffStep(channels))
        applied.offStep.push_back(channel.number);
    return applied;
}

ChannelFileResult WriteChannelFile(const std::string& fileName, const vnChannelList& channels)
{
    vnCellTable table = MakeChannelTable(channels);
    vnDelimitedFile file(&table);
    ChannelFileResult result;
    result.ok = file.Write(fileName.c_str());
    if (!result.ok) {
        result.reason = file.GetLastError();
        result.changed = file.TargetChanged();
        result.refusedHere = file.RefusedHere();
    }
    return result;
}

ChannelFileResult ReadChannelFile(const std::string& fileName, vnChannelList& channels,
                                  const ChannelReadProgress& progress, const ChannelColumnChoice* choice,
                                  std::int32_t channelsPerBank)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    file.KeepRows(RowsKept(channels));
    file.SetProgress(progress);
    return ApplyReadTable(file.Read(fileName), file, table, std::filesystem::path(fileName).filename().string(),
                          channels, choice, channelsPerBank);
}

ChannelFileResult ReadChannelDescriptor(int fd, const std::string& name, vnChannelList& channels,
                                        const ChannelColumnChoice* choice, std::int32_t channelsPerBank)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    file.KeepRows(RowsKept(channels));
    return ApplyReadTable(file.ReadDescriptor(fd), file, table, name, channels, choice, channelsPerBank);
}

std::string ReadFailedMessage(const std::string& fileName, const std::string& reason)
{
    return "The channel file \"" + fileName + "\" could not be read" + ReasonSuffix(reason);
}

std::string OpenFailedMessage(const std::string& fileName, const std::string& reason)
{
    return ReadFailedMessage(fileName, reason) + "\n\nThe channels are unchanged.";
}

std::string OpenedInPartMessage(const std::string& fileName, const std::string& reason, std::int32_t linesRead)
{
    const std::string lines = vnWords::Count(vnCounted::ChannelLines, linesRead);
    return "The channel file \"" + fileName + "\" could be read only in part" + ReasonSuffix(reason) +
        "\n\nThe grid shows the " + lines +
        " read before the failure. The file is no longer the current file, "
        "so Save asks for a name instead of replacing it.";
}

std::string SaveFailedMessage(const std::string& fileName, const std::string& reason, bool fileChanged)
{
    return "The channel file \"" + fileName + "\" could not be saved" + ReasonSuffix(reason) +
        (fileChanged ? "\n\nThe channels were not saved."
                     : "\n\nThe channels were not saved. A file that existed under this name is unchanged.");
}

std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount)
{
    const std::string lines = vnWords::Count(vnCounted::LinesWere, linesNotLoaded);
    return "The channel file \"" + fileName + "\" has more channel lines than the channel list has channels (" +
        Decimal(channelCount) + "). The last " + lines + " not loaded, and saving will leave them out of the file.";
}

std::string ReadSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied)
{
    constexpr std::size_t shownReasons = 3;
    std::string message = "Read " + vnWords::Count(vnCounted::Channels, applied.rows) + " from " +
        std::filesystem::path(fileName).filename().string();
    if (!applied.layout.empty())
        message += " (" + applied.layout + ")";
    message += ".";
    if (const std::string roles = RoleRunsMessage(applied.roleRuns); !roles.empty())
        message += " " + roles;
    if (!applied.roleRuns.empty()) {
        // A race list's other columns (tones, mostly) said plainly: a fan
        // may have meant the scanner to have them.
        std::vector<std::pair<std::string, std::int64_t>> notKept;
        for (const std::string& name : applied.droppedColumns) {
            auto it =
                std::find_if(notKept.begin(), notKept.end(), [&](const auto& entry) { return entry.first == name; });
            if (it == notKept.end())
                notKept.emplace_back(name, 1);
            else
                ++it->second;
        }
        for (const auto& [name, count] : notKept)
            message += " " + vnWords::Count(vnCounted::ColumnsNotKept, count, {name});
    }
    for (const std::string& note : applied.carNotes)
        message += " " + note + ".";
    if (applied.titleLines > 0)
        message += " " + vnWords::Count(vnCounted::TitleLinesSkipped, applied.titleLines);
    if (applied.converted > 0)
        message += " " + vnWords::Count(vnCounted::FrequenciesConverted, applied.converted);
    if (applied.inFileOrder)
        message += " Location numbers repeat; channels are placed in file order.";
    if (!applied.encoding.empty())
        message += " The file was read as " + applied.encoding + ".";
    if (!applied.offStep.empty())
        message += " " + OffStepCountText(applied.offStep);
    if (applied.skipped > 0) {
        message += " " + vnWords::Count(vnCounted::LinesSkipped, applied.skipped);
        const std::size_t shown = std::min(applied.skipReasons.size(), shownReasons);
        for (std::size_t i = 0; i < shown; ++i)
            message += (i > 0 ? "; " : "") + applied.skipReasons[i];
        if (applied.skipReasons.size() > shown)
            message += "; and " + Decimal(static_cast<std::int32_t>(applied.skipReasons.size() - shown)) + " more";
        message += ".";
    }
    if (!applied.readNotes.empty()) {
        constexpr std::size_t shownNotes = 5;
        const std::size_t shownNoteCount = std::min(applied.readNotes.size(), shownNotes);
        message += "\n\nRead, but not as written:";
        for (std::size_t i = 0; i < shownNoteCount; ++i)
            message += "\n" + applied.readNotes[i];
        if (applied.readNotes.size() > shownNoteCount)
            message +=
                "\nand " + Decimal(static_cast<std::int32_t>(applied.readNotes.size() - shownNoteCount)) + " more";
    }
    return message;
}

std::string RoleRunsMessage(const std::vector<ChannelRoleRun>& runs)
{
    const std::string dash = "\xE2\x80\x93";
    std::string message;
    bool first = true;
    for (const ChannelRoleRun& run : runs) {
        message += (message.empty() ? "" : "; ") + run.role + ": ";
        if (run.indexes.empty()) {
            message += vnWords::Count(vnCounted::FrequenciesLeftOut, run.leftOut);
            continue;
        }
        const bool one = run.firstNumber == run.lastNumber;
        if (first)
            message += one ? "channel " : "channels ";
        first = false;
        message += Decimal(run.firstNumber) + (one ? std::string() : dash + Decimal(run.lastNumber));
    }
    return message.empty() ? message : message + ".";
}

std::string SaveWouldLoseMessage(const std::string& fileName, const ChannelTableApplied& applied)
{
    constexpr std::size_t shownColumns = 4;
    using vnWords::Count;
    std::vector<std::string> losses;
    if (!applied.droppedColumns.empty()) {
        const auto& names = applied.droppedColumns;
        std::vector<std::string> shown = names;
        if (names.size() > shownColumns) {
            shown.resize(shownColumns);
            shown.push_back(Count(vnCounted::OtherNames, static_cast<std::int64_t>(names.size() - shownColumns)));
        }
        losses.push_back("drop its " +
                         Count(vnCounted::Columns, static_cast<std::int64_t>(names.size()), {vnWords::List(shown)}));
    }
    if (applied.skipped > 0)
        losses.push_back("leave out " + Count(vnCounted::TheLines, applied.skipped) + " it skipped");
    if (applied.linesNotLoaded > 0)
        losses.push_back("leave out " + Count(vnCounted::TheLines, applied.linesNotLoaded) +
                         " beyond the last channel");
    if (applied.titleLines > 0)
        losses.push_back("drop " + Count(vnCounted::TitleLines, applied.titleLines));
    if (applied.unreadFrequencies > 0)
        losses.push_back("drop " + Count(vnCounted::TheFrequencies, applied.unreadFrequencies) + " it could not read");
    if (applied.widerLines > 0)
        losses.push_back("rewrite " + Count(vnCounted::TheLines, applied.widerLines) +
                         " with more fields than the header");
    if (applied.converted > 0)
        losses.push_back("write " + Count(vnCounted::FrequenciesGiven, applied.converted) +
                         " given in kHz or Hz in MHz");
    if (applied.inFileOrder)
        losses.push_back("number its channels anew");
    // A race list's line per car becomes a line per channel.
    if (applied.roleRuns.size() > 1)
        losses.push_back("write each role of a car on a line of its own");
    std::int32_t leftOut = 0;
    for (const ChannelRoleRun& run : applied.roleRuns)
        leftOut += run.leftOut;
    if (leftOut > 0)
        losses.push_back("leave out " + Count(vnCounted::TheFrequencies, leftOut) + " that did not fit");
    if (losses.empty())
        return {};
    const std::string what = vnWords::List(losses);
    const std::string name = std::filesystem::path(fileName).filename().string();
    if (applied.kind.empty())
        return "Saving " + name + " in Scanlore's layout would " + what + ".";
    return name + " is " + applied.kind + "; saving it in Scanlore's layout would " + what + ".";
}

std::string ScanloreCopyName(const std::string& path)
{
    std::filesystem::path copy(path);
    copy.replace_filename(copy.stem().string() + "-scanlore.csv");
    return copy.string();
}

bool HasReadNotes(const ChannelTableApplied& applied)
{
    return !applied.layout.empty() || applied.skipped > 0 || !applied.carNotes.empty() || applied.titleLines > 0 ||
        applied.converted > 0 || applied.inFileOrder || !applied.encoding.empty() || !applied.readNotes.empty() ||
        !applied.offStep.empty();
}
