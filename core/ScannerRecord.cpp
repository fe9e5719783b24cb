#include "core/ScannerRecord.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"
#include "channels/vnWords.h"
#include "core/ChannelFile.h"
#include "res/ResourceIds.h"

#include <array>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

namespace {

// The first line: a mark that says what the file is, then pairs of a name
// and its value.
constexpr const char* kTitleMark = "# Scanlore's record of what this scanner holds";
constexpr const char* kScannerName = "Scanner";
constexpr const char* kLastUploadName = "Last upload";
constexpr const char* kPortName = "Port";
constexpr std::int32_t kTitleRow = 0;
constexpr std::int32_t kHeaderRow = 1;
// After the channel columns of Scanlore's own layout: when each was sent.
constexpr const char* kSentHeader = "Sent";
constexpr std::int32_t kSentColumn = 7;
constexpr std::int32_t kColumns = kSentColumn + 1;
// A memory that an upload meant to reach but may not have.
constexpr std::string_view kUnknownPrefix = "unknown since ";
// A channel number far beyond any scanner's: the file is not a record.
constexpr std::int32_t kLargestNumber = 100000;

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "2026-12-03 14:02:11": the parts as numbers, or false.
bool ParseTime(std::string_view text, std::array<int, 6>& parts)
{
    static constexpr std::string_view shape = "0000-00-00 00:00:00";
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '0' ? !digit : text[i] != shape[i])
            return false;
    }
    static constexpr std::array<std::size_t, 6> starts = {0, 5, 8, 11, 14, 17};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t length = i == 0 ? 4 : 2;
        std::from_chars(text.data() + starts[i], text.data() + starts[i] + length, parts[i]);
    }
    return parts[1] >= 1 && parts[1] <= 12;
}

bool IsTime(std::string_view text)
{
    std::array<int, 6> parts{};
    return ParseTime(text, parts);
}

std::string CellSource(const vnCellTable& table, std::int32_t row, std::int32_t column)
{
    return column < table.GetColumnCount() ? table.GetCell(row, column)->GetSourceText() : std::string();
}

// The value that follows name in the title line; empty when it is missing.
std::string TitleValue(const vnCellTable& table, const char* name)
{
    for (std::int32_t column = 1; column + 1 < table.GetColumnCount(); ++column)
        if (CellSource(table, kTitleRow, column) == name)
            return CellSource(table, kTitleRow, column + 1);
    return {};
}

std::optional<std::int32_t> ChannelNumber(const std::string& text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > kLargestNumber)
        return std::nullopt;
    return value;
}

ScannerRecord::ReadResult Refused(const std::string& scanner, const std::string& problem)
{
    return {ScannerRecord(scanner), problem};
}

} // namespace

ScannerMemory ScannerRecord::Find(std::int32_t number) const
{
    const auto found = m_memories.find(number);
    return found == m_memories.end() ? ScannerMemory() : found->second;
}

void ScannerRecord::ApplyUpload(const std::vector<vnChannel>& meant, std::int32_t finished, const std::string& when,
                                const std::string& port)
{
    for (std::size_t i = 0; i < meant.size(); ++i) {
        ScannerMemory& memory = m_memories[meant[i].GetNumber()];
        memory.when = when;
        if (static_cast<std::int32_t>(i) < finished) {
            memory.state = ScannerMemory::State::Sent;
            memory.channel = meant[i];
        } else {
            memory.state = ScannerMemory::State::Unknown;
            memory.channel = vnChannel();
            memory.channel.SetNumber(meant[i].GetNumber());
        }
    }
    if (!meant.empty()) {
        m_lastUpload = when;
        m_lastPort = port;
    }
}

std::string ScannerRecord::FileName(const std::string& folder, const std::string& scanner)
{
    // Letters, digits and a few marks pass; anything a file system might
    // refuse or read as a path becomes "_".
    std::string name;
    for (const char c : scanner) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '_' || c == ' ' || c == '.' || c == '+';
        name += plain ? c : '_';
    }
    if (name.empty() || name.front() == '.' || name.front() == ' ')
        name.insert(name.begin(), '_');
    return (std::filesystem::path(folder) / (name + ".csv")).string();
}

ScannerRecord::ReadResult ScannerRecord::Read(const std::string& fileName, const std::string& scanner)
{
    std::error_code error;
    if (!std::filesystem::exists(fileName, error))
        return Refused(scanner, std::string());

    vnCellTable table;
    vnDelimitedFile file(&table);
    if (!file.Read(fileName))
        return Refused(scanner, file.GetLastError());
    if (table.GetRowCount() <= kHeaderRow || CellSource(table, kTitleRow, 0) != kTitleMark ||
        CellSource(table, kHeaderRow, kSentColumn) != kSentHeader)
        return Refused(scanner, vnWords::Say(IDS_RECORD_FOREIGN));

    // The channels the lines name, each once, read as Open reads a file.
    vnChannelList channels;
    std::set<std::int32_t> numbers;
    for (std::int32_t row = kHeaderRow + 1; row < table.GetRowCount(); ++row) {
        const std::optional<std::int32_t> number = ChannelNumber(CellSource(table, row, 0));
        if (!number || !numbers.insert(*number).second)
            return Refused(scanner, vnWords::Say(IDS_RECORD_LINE_NO_CHANNEL, {std::to_string(row + 1)}));
    }
    for (const std::int32_t number : numbers) {
        vnChannel* channel = nullptr;
        channels.AddNew(&channel);
        channel->SetNumber(number);
    }
    const ChannelTableApplied applied = ApplyChannelTable(table, channels);
    if (!applied.refusal.empty() || !applied.layout.empty() || applied.skipped > 0)
        return Refused(scanner, applied.refusal.empty() ? vnWords::Say(IDS_RECORD_UNREADABLE) : applied.refusal);

    ReadResult result{ScannerRecord(scanner), std::string()};
    ScannerRecord& record = result.record;
    record.m_lastUpload = TitleValue(table, kLastUploadName);
    record.m_lastPort = TitleValue(table, kPortName);
    // The list holds the numbers in order; the lines may not.
    std::map<std::int32_t, const vnChannel*> byNumber;
    for (std::int32_t index = 0; index < channels.GetCount(); ++index)
        byNumber[channels.GetAt(index)->GetNumber()] = channels.GetAt(index);
    for (std::int32_t row = kHeaderRow + 1; row < table.GetRowCount(); ++row) {
        const std::string sent = CellSource(table, row, kSentColumn);
        ScannerMemory memory;
        memory.channel = *byNumber.at(*ChannelNumber(CellSource(table, row, 0)));
        if (IsTime(sent) && memory.channel.GetFrequency().GetMHz() != 0.0) {
            memory.state = ScannerMemory::State::Sent;
            memory.when = sent;
        } else if (sent.starts_with(kUnknownPrefix) && IsTime(std::string_view(sent).substr(kUnknownPrefix.size()))) {
            memory.state = ScannerMemory::State::Unknown;
            memory.when = sent.substr(kUnknownPrefix.size());
        } else {
            return Refused(scanner, vnWords::Say(IDS_RECORD_LINE_NO_TIME, {std::to_string(row + 1)}));
        }
        record.m_memories[memory.channel.GetNumber()] = memory;
    }
    return result;
}

namespace {

// Scanlore's own channel table of the memories, below a title line and with
// the column of times beside it.
vnCellTable MakeRecordTable(const ScannerRecord& record)
{
    vnChannelList channels;
    for (const auto& [number, memory] : record.Memories()) {
        vnChannel* channel = nullptr;
        channels.AddNew(&channel);
        *channel = memory.channel;
        channel->SetNumber(number);
    }
    const vnCellTable own = MakeChannelTable(channels);
    vnCellTable table;
    table.AddColumns(kColumns);
    table.AddRows(own.GetRowCount() + 1);

    const std::array<std::string, 7> title = {kTitleMark,          kScannerName,           record.GetScanner(),
                                              kLastUploadName,     record.GetLastUpload(), kPortName,
                                              record.GetLastPort()};
    vnCell cell;
    for (std::size_t column = 0; column < title.size(); ++column) {
        cell.SetString(title[column]);
        table.SetCell(kTitleRow, static_cast<std::int32_t>(column), &cell);
    }
    for (std::int32_t row = 0; row < own.GetRowCount(); ++row)
        for (std::int32_t column = 0; column < own.GetColumnCount(); ++column)
            table.SetCell(row + 1, column, own.GetCell(row, column));
    cell.SetString(kSentHeader);
    table.SetCell(kHeaderRow, kSentColumn, &cell);
    std::int32_t row = kHeaderRow + 1;
    for (const auto& [number, memory] : record.Memories()) {
        cell.SetString(memory.state == ScannerMemory::State::Unknown ? std::string(kUnknownPrefix) + memory.when
                                                                     : memory.when);
        table.SetCell(row++, kSentColumn, &cell);
    }
    return table;
}

std::string TwoDigits(int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

} // namespace

std::string ScannerRecord::WriteText() const
{
    vnCellTable table = MakeRecordTable(*this);
    return vnDelimitedFile(&table).WriteText();
}

std::string ScannerRecord::Write(const std::string& fileName) const
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    if (error)
        return error.message();
    vnCellTable table = MakeRecordTable(*this);
    vnDelimitedFile file(&table);
    return file.Write(fileName) ? std::string() : file.GetLastError();
}

std::string ScannerRecord::TimeText(std::chrono::system_clock::time_point moment)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    const std::tm* local = std::localtime(&seconds);
    if (!local)
        return "1970-01-01 00:00:00";
    return std::to_string(local->tm_year + 1900) + "-" + TwoDigits(local->tm_mon + 1) + "-" +
        TwoDigits(local->tm_mday) + " " + TwoDigits(local->tm_hour) + ":" + TwoDigits(local->tm_min) + ":" +
        TwoDigits(local->tm_sec);
}

std::string ScannerRecord::ShortTime(const std::string& when, bool dateOnly)
{
    std::array<int, 6> parts{};
    if (!ParseTime(when, parts))
        return when;
    std::string text = std::to_string(parts[2]) + " " + kMonths[static_cast<std::size_t>(parts[1] - 1)];
    if (!dateOnly)
        text += " " + when.substr(11, 5);
    return text;
}
