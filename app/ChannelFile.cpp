#include "app/ChannelFile.h"

#include "app/ChannelCellText.h"
#include "app/ChannelColumnMap.h"
#include "app/ChannelField.h"
#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

std::string Decimal(std::int32_t value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string ReasonSuffix(const std::string& reason)
{
    return reason.empty() ? std::string(".") : ":\n" + reason;
}

std::string CellText(const vnCellTable& table, std::int32_t row, std::int32_t column)
{
    return column >= 0 && column < table.GetColumnCount() ? table.GetCell(row, column)->ToText() : std::string();
}

bool IsBlankLine(const vnCellTable& table, std::int32_t row)
{
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column)
        if (table.GetCell(row, column)->GetType() != vnCellType::Empty)
            return false;
    return true;
}

// A whole number with nothing else around it but blanks.
std::optional<std::int32_t> WholeNumber(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t") + 1;
    std::int32_t value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last;
    if (*begin == '+')
        ++begin;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
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

// Reads a file of another tool whose columns the map names.
ChannelTableApplied ApplyMappedTable(const vnCellTable& table, const ChannelColumnMap& map, vnChannelList& channels)
{
    ChannelTableApplied applied;
    applied.layout = map.GetLayoutName();
    std::vector<std::pair<std::int32_t, std::string>> skips;

    // Lines with a frequency in megahertz.
    std::vector<std::int32_t> rows;
    for (std::int32_t row = 1; row < table.GetRowCount(); ++row) {
        if (IsBlankLine(table, row))
            continue;
        const std::string text = CellText(table, row, map.frequency);
        const double mhz = ReadLeadingDouble(text);
        if (mhz == 0.0)
            skips.emplace_back(row, "no frequency");
        else if (mhz > 30000.0 && mhz == std::floor(mhz))
            skips.emplace_back(row, "frequency " + text + " is not in MHz (kHz or Hz?)");
        else
            rows.push_back(row);
    }

    const std::int32_t count = channels.GetCount();
    std::unordered_map<std::int32_t, std::int32_t> indexOfNumber;
    for (std::int32_t index = 0; index < count; ++index)
        indexOfNumber.emplace(channels.GetAt(index)->GetNumber(), index);

    // The channel column counts when every line holds a whole number there,
    // no number repeats and at least one names a channel of the list.
    std::vector<std::int32_t> numbers;
    bool byChannel = map.channel >= 0 && !rows.empty();
    for (std::size_t i = 0; i < rows.size() && byChannel; ++i) {
        const auto number = WholeNumber(CellText(table, rows[i], map.channel));
        byChannel = number.has_value();
        if (byChannel)
            numbers.push_back(*number);
    }
    if (byChannel) {
        // CHIRP numbers its memories from 0, but only some radios.
        if (map.GetLayout() == ChannelColumnMap::Layout::Chirp &&
            std::find(numbers.begin(), numbers.end(), 0) != numbers.end())
            for (std::int32_t& number : numbers)
                ++number;
        std::vector<std::int32_t> sorted = numbers;
        std::sort(sorted.begin(), sorted.end());
        byChannel = std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end() &&
            std::any_of(sorted.begin(), sorted.end(), [&](std::int32_t n) { return indexOfNumber.count(n) > 0; });
    }

    std::vector<std::pair<std::int32_t, std::int32_t>> lines;
    const std::string range = count > 0
        ? Decimal(channels.GetAt(0)->GetNumber()) + " to " + Decimal(channels.GetAt(count - 1)->GetNumber())
        : std::string("none");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (byChannel) {
            const auto it = indexOfNumber.find(numbers[i]);
            if (it == indexOfNumber.end())
                skips.emplace_back(rows[i], "channel " + Decimal(numbers[i]) + " is outside " + range);
            else
                lines.emplace_back(rows[i], it->second);
        } else if (static_cast<std::int32_t>(i) < count) {
            lines.emplace_back(rows[i], static_cast<std::int32_t>(i));
        } else {
            skips.emplace_back(rows[i], "more lines than channels (" + Decimal(count) + ")");
        }
    }
    applied.byId = byChannel;
    applied.rows = static_cast<std::int32_t>(lines.size());
    applied.skipped = static_cast<std::int32_t>(skips.size());
    std::sort(skips.begin(), skips.end());
    for (const auto& [row, reason] : skips)
        applied.skipReasons.push_back("line " + Decimal(row + 1) + ": " + reason);

    ResetChannels(channels);
    for (const auto& [row, index] : lines) {
        vnChannel& channel = *channels.GetAt(index);
        SetChannelCellText(channel, ChannelField::Frequency, CellText(table, row, map.frequency));
        for (const std::int32_t column : map.descriptions) {
            const std::string text = CellText(table, row, column);
            if (!text.empty()) {
                SetChannelCellText(channel, ChannelField::Description, text);
                break;
            }
        }
        const std::pair<ChannelField, std::int32_t> columns[] = {{ChannelField::CarNumber, map.carNumber},
                                                                 {ChannelField::Delay, map.delay},
                                                                 {ChannelField::Lockout, map.lockout},
                                                                 {ChannelField::Priority, map.priority}};
        for (const auto& [field, column] : columns)
            if (column >= 0)
                SetChannelCellText(channel, field, CellText(table, row, column));
        if (map.skip >= 0) {
            const std::string skip = ChannelColumnMap::NormalName(CellText(table, row, map.skip));
            if (skip == "s")
                channel.SetLockout(true);
            else if (skip == "p")
                channel.SetPriority(true);
        }
    }
    return applied;
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

ChannelTableApplied ApplyChannelTable(const vnCellTable& table, vnChannelList& channels)
{
    if (const auto map = ChannelColumnMap::FromHeader(table))
        return ApplyMappedTable(table, *map, channels);

    const std::int32_t count = channels.GetCount();
    std::unordered_map<std::int32_t, std::int32_t> indexOfNumber;
    for (std::int32_t index = 0; index < count; ++index)
        indexOfNumber.emplace(channels.GetAt(index)->GetNumber(), index);
    // The list index of the channel that a line's ID names, or -1.
    const auto named = [&](std::int32_t row) {
        const vnCell* id = table.GetColumnCount() > 0 ? table.GetCell(row, 0) : nullptr;
        if (!id || id->GetType() != vnCellType::Int)
            return -1;
        const auto it = indexOfNumber.find(id->GetInt());
        return it == indexOfNumber.end() ? -1 : it->second;
    };

    // A line without any field, as spreadsheets leave at the end, names no
    // channel and does not stand in the way of the IDs of the others.
    const auto blank = [&](std::int32_t row) { return IsBlankLine(table, row); };

    const std::int32_t firstData = (table.GetRowCount() > 0 && named(0) >= 0) ? 0 : 1;
    const std::int32_t dataLines = std::max(table.GetRowCount() - firstData, 0);
    // Pairs of table row and list index.
    std::vector<std::pair<std::int32_t, std::int32_t>> lines;
    std::vector<bool> taken(static_cast<std::size_t>(count), false);
    bool byId = true;
    for (std::int32_t row = firstData; row < table.GetRowCount() && byId; ++row) {
        if (blank(row))
            continue;
        const std::int32_t index = named(row);
        byId = index >= 0 && !taken[static_cast<std::size_t>(index)];
        if (byId) {
            taken[static_cast<std::size_t>(index)] = true;
            lines.emplace_back(row, index);
        }
    }

    ChannelTableApplied applied;
    applied.byId = byId && !lines.empty();
    if (!applied.byId) {
        lines.clear();
        for (std::int32_t index = 0; index < std::min(dataLines, count); ++index)
            lines.emplace_back(firstData + index, index);
    }
    applied.rows = static_cast<std::int32_t>(lines.size());
    applied.linesNotLoaded = applied.byId ? 0 : dataLines - applied.rows;

    // What is shown, saved and uploaded afterwards is the file and nothing
    // of the table that was open before it.
    ResetChannels(channels);
    const std::int32_t columns = std::min(table.GetColumnCount(), ChannelFieldCount);
    for (const auto& [row, index] : lines) {
        vnChannel& channel = *channels.GetAt(index);
        for (std::int32_t column = 0; column < columns; ++column)
            SetChannelCellText(channel, *FieldOfColumn(column), table.GetCell(row, column)->ToText());
    }
    return applied;
}

ChannelFileResult WriteChannelFile(const std::string& fileName, const vnChannelList& channels)
{
    vnCellTable table = MakeChannelTable(channels);
    vnDelimitedFile file(&table);
    ChannelFileResult result;
    result.ok = file.Write(fileName.c_str());
    if (!result.ok)
        result.reason = file.GetLastError();
    return result;
}

ChannelFileResult ReadChannelFile(const std::string& fileName, vnChannelList& channels)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    ChannelFileResult result;
    result.ok = file.Read(fileName.c_str());
    if (!result.ok)
        result.reason = file.GetLastError();
    // Nothing read, not even a header: the channels stay as they were.
    if (!result.ok && table.GetRowCount() == 0)
        return result;
    result.applied = ApplyChannelTable(table, channels);
    result.changed = true;
    return result;
}

std::string OpenFailedMessage(const std::string& fileName, const std::string& reason)
{
    return "The channel file \"" + fileName + "\" could not be read" + ReasonSuffix(reason) +
        "\n\nThe channels are unchanged.";
}

std::string OpenedInPartMessage(const std::string& fileName, const std::string& reason, std::int32_t linesRead)
{
    const std::string lines = linesRead == 1 ? "1 channel line" : Decimal(linesRead) + " channel lines";
    return "The channel file \"" + fileName + "\" could be read only in part" + ReasonSuffix(reason) +
        "\n\nThe grid shows the " + lines +
        " read before the failure. The file is no longer the current file, "
        "so Save asks for a name instead of replacing it.";
}

std::string SaveFailedMessage(const std::string& fileName, const std::string& reason)
{
    return "The channel file \"" + fileName + "\" could not be saved" + ReasonSuffix(reason) +
        "\n\nThe channels were not saved. A file that existed under this name is unchanged.";
}

std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount)
{
    const std::string lines = linesNotLoaded == 1 ? "1 line was" : Decimal(linesNotLoaded) + " lines were";
    return "The channel file \"" + fileName + "\" has more channel lines than the channel list has channels (" +
        Decimal(channelCount) + "). The last " + lines + " not loaded, and saving will leave them out of the file.";
}

std::string ReadSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied)
{
    constexpr std::size_t shownReasons = 3;
    std::string message = "Read " +
        (applied.rows == 1 ? std::string("1 channel") : Decimal(applied.rows) + " channels") + " from " +
        std::filesystem::path(fileName).filename().string();
    if (!applied.layout.empty())
        message += " (" + applied.layout + ")";
    message += ".";
    if (applied.skipped == 0)
        return message;
    message +=
        applied.skipped == 1 ? " 1 line was skipped: " : " " + Decimal(applied.skipped) + " lines were skipped: ";
    const std::size_t shown = std::min(applied.skipReasons.size(), shownReasons);
    for (std::size_t i = 0; i < shown; ++i)
        message += (i > 0 ? "; " : "") + applied.skipReasons[i];
    if (applied.skipReasons.size() > shown)
        message += "; and " + Decimal(static_cast<std::int32_t>(applied.skipReasons.size() - shown)) + " more";
    return message + ".";
}
