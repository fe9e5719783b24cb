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
#include "res/ResourceIds.h"

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
using vnWords::Say;

// The end of a sentence that tells what failed: the reason after it, if any.
std::string ReasonSuffix(const std::string& reason)
{
    return reason.empty() ? Say(IDS_REASON_NONE) : Say(IDS_REASON_FOLLOWS, {reason});
}

// A file's name as a sentence names it, which a descriptor may lack.
std::string FileName(const std::string& name, bool starting)
{
    return !name.empty() ? name : Say(starting ? IDS_THE_FILE_STARTING : IDS_THE_FILE);
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

using FrequencyUnit = vnFrequency::Unit;

std::string UnitName(FrequencyUnit unit)
{
    return unit == FrequencyUnit::UnitKilohertz ? "kHz"
        : unit == FrequencyUnit::UnitMegahertz  ? "MHz"
        : unit == FrequencyUnit::UnitGigahertz  ? "GHz"
                                                : "Hz";
}

std::optional<FrequencyUnit> HeaderUnit(ChannelColumnMap::Unit unit)
{
    switch (unit) {
    case ChannelColumnMap::Unit::MHz:
        return FrequencyUnit::UnitMegahertz;
    case ChannelColumnMap::Unit::KHz:
        return FrequencyUnit::UnitKilohertz;
    case ChannelColumnMap::Unit::Hz:
        return FrequencyUnit::UnitHertz;
    case ChannelColumnMap::Unit::None:
        break;
    }
    return std::nullopt;
}

// One unit for the whole frequency column. A unit in the header, or after a
// number, is that number's unit. Otherwise a number with a decimal point up
// to the highest band is MHz, as people write frequencies; the other numbers
// (whole ones, and decimals above it) are in the one unit of MHz, kHz and Hz
// that puts every one of them in the bands on a channel step. No guess per
// line: talkgroup numbers (3181, 99) are refused rather than read as a few
// frequencies that happen to fit.
struct ColumnUnit
{
    std::optional<FrequencyUnit> unit; // of the numbers without one of their own
    bool fromHeader = false;           // for all of them; else for those that need one
    std::string refusal;
};

// Whether a number takes the column's unit: not when it is MHz as written or
// out of the question (0, beyond every double, beyond the highest frequency
// in any unit). Scanlore's own layout writes MHz with decimals: there only
// whole numbers above the bands take the column's unit.
bool NeedsColumnUnit(const vnFrequency::Written& written, bool own)
{
    constexpr vnFrequencyRange bands = vnCommonScannerRange;
    const double value = written.value;
    if (written.unit || value == 0.0 || !std::isfinite(value))
        return false;
    const bool inBandsOrBelow = std::fabs(value) <= bands.highMHz;
    if (written.decimalPoint ? inBandsOrBelow || own : inBandsOrBelow && own)
        return false;
    return std::fabs(vnFrequency::InMHz(value, FrequencyUnit::UnitHertz)) <= vnFrequency::MaxMHz;
}

// For the frequency column at index column, whose header names headerUnit.
ColumnUnit FindColumnUnit(const vnCellTable& table, const ChannelColumnMap& map, std::int32_t column,
                          ChannelColumnMap::Unit headerUnit, const std::string& fileName)
{
    if (const auto header = HeaderUnit(headerUnit))
        return {header, true, {}};
    constexpr vnFrequencyRange bands = vnCommonScannerRange;
    constexpr FrequencyUnit units[] = {FrequencyUnit::UnitMegahertz, FrequencyUnit::UnitKilohertz,
                                       FrequencyUnit::UnitHertz};
    const auto fits = [&](double value, FrequencyUnit unit) {
        const double mhz = vnFrequency::InMHz(value, unit);
        return mhz >= bands.lowMHz && mhz <= bands.highMHz && vnFrequency::IsOnChannelStep(mhz);
    };
    // The numbers that need the column's unit, as written, in file order;
    // and the first number that is MHz as written.
    std::vector<std::pair<std::string, double>> numbers;
    std::string writtenInMHz;
    for (std::int32_t row = map.firstDataRow; row < table.GetRowCount() && column < table.GetColumnCount(); ++row) {
        const std::string source = table.GetCell(row, column)->GetSourceText();
        const std::optional<vnFrequency::Written> written = vnFrequency::ReadWritten(source);
        if (!written)
            continue;
        if (NeedsColumnUnit(*written, map.IsOwn()))
            numbers.emplace_back(std::string(vnText::TrimBlanks(source)), written->value);
        else if (writtenInMHz.empty() && !written->unit && written->value != 0.0 && std::isfinite(written->value))
            writtenInMHz = std::string(vnText::TrimBlanks(source));
    }
    if (numbers.empty())
        return {};
    // The unit most of them fit; the first to fit decides between equals.
    std::size_t best = 0;
    std::size_t bestFitting = 0;
    std::size_t bestFirst = numbers.size();
    for (std::size_t u = 0; u < std::size(units); ++u) {
        std::size_t fitting = 0;
        std::size_t first = numbers.size();
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (fits(numbers[i].second, units[u])) {
                ++fitting;
                first = std::min(first, i);
            }
        if (fitting > bestFitting || (fitting == bestFitting && fitting > 0 && first < bestFirst)) {
            best = u;
            bestFitting = fitting;
            bestFirst = first;
        }
    }
    if (bestFitting == numbers.size())
        return {units[best], false, {}};

    // Two numbers that disagree, in file order: the first that does not fit
    // that unit, and the first that does (or one written in MHz).
    std::size_t misfit = 0;
    while (bestFitting > 0 && fits(numbers[misfit].second, units[best]))
        ++misfit;
    std::string other = bestFitting > 0 ? numbers[bestFirst].first : writtenInMHz;
    std::string first = numbers[misfit].first;
    if (bestFitting > 0 && bestFirst < misfit)
        std::swap(first, other);
    std::string name = map.headerRow >= 0 ? table.GetCell(map.headerRow, column)->GetSourceText() : std::string();
    if (name.empty())
        name = Say(IDS_FREQUENCY_COLUMN);
    const std::string low = vnText::ShortestText(bands.lowMHz);
    const std::string high = vnText::ShortestText(bands.highMHz);
    if (other.empty())
        return {{}, false, Say(IDS_UNIT_MISFIT, {name, fileName, first, low, high})};
    return {{}, false, Say(IDS_UNITS_DISAGREE, {name, fileName, first, other, low, high})};
}

// The frequency of a line in MHz as the channel takes it, or why the line is
// skipped. A frequency is read whole (vnFrequency::ReadWritten): a number,
// then optionally its unit; without one, the column's unit.
struct FrequencyReading
{
    std::string text;
    // The unit converted from; MHz when there was nothing to convert.
    FrequencyUnit convertedFrom = FrequencyUnit::UnitMegahertz;
    std::string skip;
    // Scanlore's own line whose frequency is no frequency: the channel is
    // read without one.
    bool unread = false;
};

FrequencyReading ReadFrequency(const std::string& source, const ColumnUnit& column, bool own)
{
    const std::string noFrequency = own ? std::string() : Say(IDS_SKIP_NO_FREQUENCY);
    if (vnText::TrimBlanks(source).empty())
        return {{}, FrequencyUnit::UnitMegahertz, noFrequency};
    const std::optional<vnFrequency::Written> written = vnFrequency::ReadWritten(source);
    const auto notAFrequency = [&]() -> FrequencyReading {
        if (own)
            return {{}, FrequencyUnit::UnitMegahertz, {}, true};
        return {{}, FrequencyUnit::UnitMegahertz, Say(IDS_SKIP_NOT_FREQUENCY, {source})};
    };
    if (!written || !std::isfinite(written->value))
        return notAFrequency();
    FrequencyUnit unit = FrequencyUnit::UnitMegahertz;
    if (written->unit)
        unit = *written->unit;
    else if (column.unit && (column.fromHeader || NeedsColumnUnit(*written, own)))
        unit = *column.unit;
    const double mhz = vnFrequency::InMHz(written->value, unit);
    if (!std::isfinite(mhz) || std::fabs(mhz) > vnFrequency::MaxMHz) {
        if (own)
            return notAFrequency();
        const std::string text(vnText::TrimBlanks(source));
        return {{},
                FrequencyUnit::UnitMegahertz,
                Say(IDS_SKIP_ABOVE_MAX,
                    {text + (written->unit ? "" : " " + UnitName(unit)),
                     Decimal(static_cast<std::int64_t>(vnFrequency::MaxMHz))})};
    }
    if (mhz == 0.0)
        return {{}, FrequencyUnit::UnitMegahertz, noFrequency};
    return {MHzText(mhz), unit, {}};
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
        applied.skipReasons.push_back(
            Say(IDS_LINE_SKIPPED,
                {lineName ? lineName(row) : Say(IDS_LINE_NUMBERED, {std::to_string(lineOf(row))}), reason}));
    const auto past = static_cast<std::int32_t>(std::min<std::int64_t>(lineOf.lines.linesPast, INT32_MAX));
    if (past > 0 && countOnly) {
        applied.linesNotLoaded += past;
    } else if (past > 0) {
        applied.skipped += past;
        applied.skipReasons.push_back(
            vnWords::Count(vnCounted::LinesPast, past, {std::to_string(lineOf.lines.firstLinePast), Decimal(count)}));
    }
}

// The first description column of the line that holds something. A
// description is a name, kept as written: "007" stays "007".
std::string DescriptionOf(const vnCellTable& table, std::int32_t row, const ChannelColumnMap& map)
{
    for (const std::int32_t column : map.descriptions)
        if (std::string text = SourceText(table, row, column); !text.empty())
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
// would look like all of it. Each role's column has its own unit; a column no
// one unit fits refuses the file, as a single frequency column does.
void ApplyRaceList(const vnCellTable& table, const ChannelColumnMap& map, vnChannelList& channels,
                   std::int32_t channelsPerBank, const LineOf& lineOf, const std::string& fileName,
                   ChannelTableApplied& applied)
{
    std::vector<ColumnUnit> units;
    for (const ChannelColumnMap::RaceColumn& column : map.raceColumns) {
        units.push_back(FindColumnUnit(table, map, column.column, column.unit, fileName));
        if (!units.back().refusal.empty()) {
            applied.refusal = units.back().refusal;
            return;
        }
    }
    const auto carOf = [&](std::int32_t row) {
        return std::string(vnText::TrimBlanks(SourceText(table, row, map.carNumber)));
    };
    // A line of a race list is known by its car.
    const auto lineName = [&](std::int32_t row) {
        const std::string car = carOf(row);
        const std::string line = std::to_string(lineOf(row));
        return car.empty() ? Say(IDS_LINE_NUMBERED, {line}) : Say(IDS_LINE_OF_CAR, {line, car});
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
            FrequencyReading frequency = ReadFrequency(source, units[role], false);
            if (frequency.skip.empty()) {
                runs[role].push_back({row, std::move(frequency)});
                any = true;
            } else if (!vnText::TrimBlanks(source).empty()) {
                unread.push_back(Say(IDS_ROLE_UNREAD, {column.word, frequency.skip}));
            }
        }
        if (!any) {
            skips.emplace_back(row, unread.empty() ? Say(IDS_SKIP_NO_FREQUENCY) : unread.front());
            continue;
        }
        rows.push_back(row);
        for (const std::string& reason : unread)
            notes.emplace_back(row, Say(IDS_NOTE_NOT_READ, {lineName(row), reason}));
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
        const bool digit = car.size() == 1 && vnText::IsDigit(car[0]);
        applied.carNotes.push_back(
            Say(digit ? IDS_CAR_DRIVERS_ZERO : IDS_CAR_DRIVERS,
                {car, vnWords::Count(vnCounted::Drivers, static_cast<std::int64_t>(names.size()))}));
    }

    ResetChannels(channels);
    for (const auto& [row, index, role, frequency] : placed) {
        vnChannel& channel = *channels.GetAt(index);
        SetChannelCellText(channel, ChannelField::Frequency, frequency->text);
        if (frequency->convertedFrom != FrequencyUnit::UnitMegahertz) {
            ++applied.converted;
            const std::string from = UnitName(frequency->convertedFrom);
            if (std::find(applied.convertedFrom.begin(), applied.convertedFrom.end(), from) ==
                applied.convertedFrom.end())
                applied.convertedFrom.push_back(from);
        }
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

// Why a table is not read. A header is named as one only when it is a line
// of names (never a channel line); the advice to rename a column only when
// the line was split into columns.
std::string RefusalReason(const ChannelColumnMap& map, const std::string& fileName, std::int64_t headerLine,
                          bool separatorsTried)
{
    constexpr std::size_t shownNames = 3;
    if (!map.headerProblem.empty()) {
        std::vector<std::string> arguments{fileName};
        arguments.insert(arguments.end(), map.headerProblem.arguments.begin(), map.headerProblem.arguments.end());
        return Say(map.headerProblem.id, arguments);
    }
    if (map.headerNames.size() == 1 && separatorsTried)
        return Say(IDS_HEADER_UNSPLIT, {fileName, std::to_string(headerLine), map.headerNames.front()});
    if (!map.headerNames.empty())
        return Say(separatorsTried ? IDS_HEADER_NO_FREQUENCY_SPLIT : IDS_HEADER_NO_FREQUENCY,
                   {fileName, ListOfNames(map.headerNames, shownNames, ", \xE2\x80\xA6")});
    return Say(IDS_NO_HEADER, {fileName, map.refusal});
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

// " 3 lines were skipped: line 4: no frequency; …", with the first three
// reasons; empty when none was.
std::string SkippedText(const ChannelTableApplied& applied)
{
    constexpr std::size_t shownReasons = 3;
    if (applied.skipped == 0)
        return {};
    std::string text = " " + vnWords::Count(vnCounted::LinesSkipped, applied.skipped);
    const std::size_t shown = std::min(applied.skipReasons.size(), shownReasons);
    for (std::size_t i = 0; i < shown; ++i)
        text += (i > 0 ? "; " : "") + applied.skipReasons[i];
    // Each reason shown names one line (the lines past the channels, which
    // one reason names together, come last), so the rest are counted in
    // lines, not in reasons.
    if (applied.skipReasons.size() > shown)
        text += Say(IDS_AND_MORE_SKIPPED,
                    {vnWords::Count(vnCounted::MoreLines, applied.skipped - static_cast<std::int32_t>(shown))});
    return text + ".";
}

// Another format's file that only looks like text to read.
std::string MarkupReason(vnDelimitedFile::Markup markup, const std::string& name)
{
    return Say(markup == vnDelimitedFile::Markup::Json ? IDS_FILE_NAMED_JSON : IDS_FILE_NAMED_XML, {name});
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
    if (file.GetMarkup() != vnDelimitedFile::Markup::None) {
        result.reason = MarkupReason(file.GetMarkup(), name);
        return result;
    }
    // Nothing read, not even a header: the channels stay as they were.
    if (!result.ok && table.GetRowCount() == 0)
        return result;
    if (table.GetRowCount() == 0 && file.GetRowsPast() == 0) {
        result.ok = false;
        result.reason = Say(IDS_FILE_ONLY_BLANK, {name});
        return result;
    }
    result.applied = ApplyChannelTable(
        table, channels, name, {file.GetRowLines(), file.GetRowsPast(), file.GetFirstLinePast(), !file.SeparatorFits()},
        choice, channelsPerBank);
    if (!result.applied.refusal.empty()) {
        result.ok = false;
        result.reason = result.applied.refusal;
        return result;
    }
    if (file.GetEncoding() != vnTextEncoding::Utf8)
        result.applied.encoding = std::string(vnTextEncodingName(file.GetEncoding()));
    if (file.GetSeparator() != ',')
        result.applied.separator = Say(file.GetSeparator() == ';' ? IDS_SEMICOLONS : IDS_TABS);
    result.changed = true;
    return result;
}

// The rows a channel file keeps: a header below its title lines, and a
// line for every channel.
std::int64_t RowsKept(const vnChannelList& channels)
{
    return std::int64_t{channels.GetCount()} + ChannelColumnMap::HeaderSearchRows;
}

// Channel files keep the rows the channels need, come with commas,
// semicolons or tabs between their fields (the one that splits the header
// into columns the column map can read), and are never JSON or XML.
void ReadAsChannelFile(vnDelimitedFile& file, const vnChannelList& channels)
{
    file.KeepRows(RowsKept(channels));
    file.RefuseMarkup(true);
    file.ChooseSeparator(",;\t", ChannelColumnMap::HeaderSearchRows, [](const vnCellTable& rows) {
        // A header whose names need telling apart was split right too.
        const ChannelColumnMap map = ChannelColumnMap::FromTable(rows);
        return map.GetLayout() != ChannelColumnMap::Layout::Refused || !map.headerProblem.empty();
    });
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
        applied.refusal =
            RefusalReason(map, FileName(fileName, true), lineOf(std::max(map.headerRow, 0)), lines.separatorsTried);
        OfferChoice(table, choice ? ChannelColumnMap::FromTable(table) : map, applied);
        return applied;
    }
    const ColumnUnit unit = FindColumnUnit(table, map, map.frequency, map.frequencyUnit, FileName(fileName, false));
    if (!unit.refusal.empty()) {
        applied.refusal = unit.refusal;
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
        ApplyRaceList(table, map, channels, channelsPerBank, lineOf, FileName(fileName, false), applied);
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
        const FrequencyReading frequency = ReadFrequency(source, unit, own);
        if (!frequency.skip.empty()) {
            skips.emplace_back(row, frequency.skip);
            continue;
        }
        if (frequency.unread)
            unreadFrequencies[row] = source;
        if (const std::int32_t fields = FieldCount(table, row); headerFields > 0 && fields > headerFields) {
            ++applied.widerLines;
            notes.emplace_back(
                row, Say(IDS_NOTE_WIDER_LINE, {std::to_string(lineOf(row)), Decimal(fields), Decimal(headerFields)}));
        }
        if (frequency.convertedFrom != FrequencyUnit::UnitMegahertz) {
            ++applied.converted;
            const std::string from = UnitName(frequency.convertedFrom);
            if (std::find(applied.convertedFrom.begin(), applied.convertedFrom.end(), from) ==
                applied.convertedFrom.end())
                applied.convertedFrom.push_back(from);
        }
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
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (byNumber) {
            const auto it = indexOfNumber.find(numbers[i]);
            if (it == indexOfNumber.end())
                skips.emplace_back(rows[i],
                                   count > 0 ? Say(IDS_SKIP_OUTSIDE,
                                                   {Decimal(numbers[i]), Decimal(channels.GetAt(0)->GetNumber()),
                                                    Decimal(channels.GetAt(count - 1)->GetNumber())})
                                             : Say(IDS_SKIP_OUTSIDE_NONE, {Decimal(numbers[i])}));
            else
                placed.emplace_back(rows[i], it->second);
        } else if (static_cast<std::int32_t>(i) < count) {
            placed.emplace_back(rows[i], static_cast<std::int32_t>(i));
        } else if (own) {
            ++applied.linesNotLoaded;
        } else {
            skips.emplace_back(rows[i], Say(IDS_SKIP_MORE_THAN_CHANNELS, {Decimal(count)}));
        }
    }
    applied.rows = static_cast<std::int32_t>(placed.size());
    NameSkips(applied, skips, lineOf, count, own && !byNumber);
    applied.droppedColumns = DroppedColumns(table, map, rows);
    // Nothing to read is no success: the channels stay as they were.
    if (placed.empty()) {
        applied.refusal = Say(IDS_NO_FREQUENCY_LINE, {FileName(fileName, true), SkippedText(applied)});
        return applied;
    }

    // What is shown, saved and uploaded afterwards is the file and nothing
    // of the table that was open before it.
    ResetChannels(channels);
    for (const auto& [row, index] : placed) {
        vnChannel& channel = *channels.GetAt(index);
        SetChannelCellText(channel, ChannelField::Frequency, frequencies[row]);
        if (const auto unread = unreadFrequencies.find(row); unread != unreadFrequencies.end()) {
            ++applied.unreadFrequencies;
            notes.emplace_back(row,
                               Say(IDS_NOTE_UNREAD_FREQUENCY,
                                   {std::to_string(lineOf(row)), unread->second, Decimal(channel.GetNumber())}));
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
    ReadAsChannelFile(file, channels);
    file.SetProgress(progress);
    return ApplyReadTable(file.Read(fileName), file, table, std::filesystem::path(fileName).filename().string(),
                          channels, choice, channelsPerBank);
}

ChannelFileResult ReadChannelDescriptor(int fd, const std::string& name, vnChannelList& channels,
                                        const ChannelColumnChoice* choice, std::int32_t channelsPerBank)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    ReadAsChannelFile(file, channels);
    return ApplyReadTable(file.ReadDescriptor(fd), file, table, name, channels, choice, channelsPerBank);
}

std::string ReadFailedMessage(const std::string& fileName, const std::string& reason)
{
    return Say(IDS_READ_FAILED, {fileName, ReasonSuffix(reason)});
}

std::string OpenFailedMessage(const std::string& fileName, const std::string& reason)
{
    return Say(IDS_OPEN_FAILED, {ReadFailedMessage(fileName, reason)});
}

std::string OpenedInPartMessage(const std::string& fileName, const std::string& reason, std::int32_t linesRead)
{
    return Say(IDS_READ_IN_PART, {fileName, ReasonSuffix(reason), vnWords::Count(vnCounted::ChannelLines, linesRead)});
}

std::string SaveFailedMessage(const std::string& fileName, const std::string& reason, bool fileChanged)
{
    return Say(fileChanged ? IDS_SAVE_FAILED : IDS_SAVE_FAILED_KEPT, {fileName, ReasonSuffix(reason)});
}

std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount)
{
    return vnWords::Count(vnCounted::LinesNotLoaded, linesNotLoaded, {fileName, Decimal(channelCount)});
}

std::string ReadSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied)
{
    const std::string channels = vnWords::Count(vnCounted::Channels, applied.rows);
    const std::string name = std::filesystem::path(fileName).filename().string();
    std::string message = applied.layout.empty() ? Say(IDS_READ_SUMMARY, {channels, name})
                                                 : Say(IDS_READ_SUMMARY_LAYOUT, {channels, name, applied.layout});
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
        message += " " + note;
    if (applied.titleLines > 0)
        message += " " + vnWords::Count(vnCounted::TitleLinesSkipped, applied.titleLines);
    if (applied.converted > 0)
        message += " " +
            vnWords::Count(vnCounted::FrequenciesConverted, applied.converted, {vnWords::List(applied.convertedFrom)});
    if (applied.inFileOrder)
        message += " " + Say(IDS_READ_IN_FILE_ORDER);
    if (!applied.encoding.empty())
        message += " " + Say(IDS_READ_AS_ENCODING, {applied.encoding});
    if (!applied.offStep.empty())
        message += " " + OffStepCountText(applied.offStep);
    if (!applied.separator.empty())
        message += " " + Say(IDS_SEPARATED_BY, {applied.separator});
    message += SkippedText(applied);
    if (!applied.readNotes.empty()) {
        constexpr std::size_t shownNotes = 5;
        const std::size_t shownNoteCount = std::min(applied.readNotes.size(), shownNotes);
        message += "\n\n" + Say(IDS_NOT_AS_WRITTEN);
        for (std::size_t i = 0; i < shownNoteCount; ++i)
            message += "\n" + applied.readNotes[i];
        if (applied.readNotes.size() > shownNoteCount)
            message += "\n" +
                Say(IDS_MORE_NOTES, {Decimal(static_cast<std::int32_t>(applied.readNotes.size() - shownNoteCount))});
    }
    return message;
}

std::string RoleRunsMessage(const std::vector<ChannelRoleRun>& runs)
{
    std::string message;
    bool first = true;
    for (const ChannelRoleRun& run : runs) {
        std::string channels;
        if (run.indexes.empty()) {
            channels = vnWords::Count(vnCounted::FrequenciesLeftOut, run.leftOut);
        } else {
            // Only the first run's numbers are called channels.
            channels = vnWords::Count(first ? vnCounted::RunChannels : vnCounted::RunNumbers,
                                      static_cast<std::int64_t>(run.indexes.size()),
                                      {Decimal(run.firstNumber), Decimal(run.lastNumber)});
            first = false;
        }
        message += (message.empty() ? "" : "; ") + Say(IDS_ROLE_RUN, {run.role, channels});
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
        losses.push_back(
            Say(IDS_LOSS_COLUMNS,
                {Count(vnCounted::Columns, static_cast<std::int64_t>(names.size()), {vnWords::List(shown)})}));
    }
    if (applied.skipped > 0)
        losses.push_back(Say(IDS_LOSS_SKIPPED, {Count(vnCounted::TheLines, applied.skipped)}));
    if (applied.linesNotLoaded > 0)
        losses.push_back(Say(IDS_LOSS_PAST, {Count(vnCounted::TheLines, applied.linesNotLoaded)}));
    if (applied.titleLines > 0)
        losses.push_back(Say(IDS_LOSS_TITLES, {Count(vnCounted::TitleLines, applied.titleLines)}));
    if (applied.unreadFrequencies > 0)
        losses.push_back(Say(IDS_LOSS_UNREAD, {Count(vnCounted::TheFrequencies, applied.unreadFrequencies)}));
    if (applied.widerLines > 0)
        losses.push_back(Say(IDS_LOSS_WIDER, {Count(vnCounted::TheLines, applied.widerLines)}));
    if (applied.converted > 0)
        losses.push_back(Say(IDS_LOSS_CONVERTED, {Count(vnCounted::FrequenciesGiven, applied.converted)}));
    if (applied.inFileOrder)
        losses.push_back(Say(IDS_LOSS_RENUMBER));
    // A race list's line per car becomes a line per channel.
    if (applied.roleRuns.size() > 1)
        losses.push_back(Say(IDS_LOSS_ROLES));
    std::int32_t leftOut = 0;
    for (const ChannelRoleRun& run : applied.roleRuns)
        leftOut += run.leftOut;
    if (leftOut > 0)
        losses.push_back(Say(IDS_LOSS_LEFT_OUT, {Count(vnCounted::TheFrequencies, leftOut)}));
    if (losses.empty())
        return {};
    const std::string what = vnWords::List(losses);
    const std::string name = std::filesystem::path(fileName).filename().string();
    if (applied.kind.empty())
        return Say(IDS_SAVE_WOULD_LOSE, {name, what});
    return Say(IDS_SAVE_WOULD_LOSE_KIND, {name, applied.kind, what});
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
        applied.converted > 0 || applied.inFileOrder || !applied.encoding.empty() || !applied.separator.empty() ||
        !applied.readNotes.empty() || !applied.offStep.empty();
}
