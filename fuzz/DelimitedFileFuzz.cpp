// Two properties of the delimited file:
// - the input as a file: reading fails only with a reason that names its
//   line (or on a table padded far beyond its text), the pieces the decoded
//   text arrives in do not matter, a typed cell's source text types to the
//   same cell, and writing what was read and reading it back settles after
//   one round;
// - the input as a recipe for a table of UTF-8 texts, as the program holds
//   them: writing it and reading it back gives the same table.
// The first is checked in full on inputs up to 64 KiB; larger ones, up to
// 4 MB, are only read, under the run's time limit per input (.ci/run), which
// catches reading that grows faster than the text.
#include "channels/vnDelimitedFile.h"
#include "channels/vnDelimitedReader.h"
#include "channels/vnTextDecoder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

// Rows as long as the longest input: the 4 MB lines of the CI run are
// parsed, not refused, so that parsing them is what the time limit measures.
constexpr std::size_t kMaxLineBytes = std::size_t{8} << 20;

// The decoded text read in pieces, its lines ended as the whole read ended
// them: the table and the reason reading stopped.
std::pair<vnCellTable, std::string> ReadInPieces(std::string_view text, std::size_t piece, char lineEnd)
{
    vnDelimitedReader reader(vnDelimitedReader::kDefaultPaddingAllowance, kMaxLineBytes);
    reader.SetLineEnd(lineEnd);
    bool reading = true;
    for (std::size_t offset = 0; offset < text.size() && reading; offset += piece)
        reading = reader.Feed(text.substr(offset, piece));
    if (reading)
        reader.Feed({}, true);
    vnCellTable table;
    Check(reader.MoveTo(table), "table refused");
    return {std::move(table), reader.GetReason()};
}

std::string Decoded(std::string_view bytes)
{
    vnTextDecoder decoder(bytes);
    std::string text;
    for (std::string_view piece = decoder.Next(); !piece.empty(); piece = decoder.Next())
        text += piece;
    return decoder.GetError().empty() ? text : std::string();
}

vnCellTable WriteAndRead(vnCellTable& table)
{
    const std::string text = vnDelimitedFile(&table).WriteText();
    Check(static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n')) == table.GetRowCount(),
          "a written row is not one line");
    vnCellTable back;
    Check(vnDelimitedFile(&back, vnInputFile::kDefaultMaxBytes, kMaxLineBytes).ReadText(text),
          "written text unreadable");
    return back;
}

// Larger inputs are only read: checking them as well would take most of
// the time limit that is meant for reading them.
constexpr std::size_t kCheckedBytes = 1 << 16;

void ReadBytes(std::string_view text)
{
    vnCellTable whole;
    vnDelimitedFile file(&whole, vnInputFile::kDefaultMaxBytes, kMaxLineBytes);
    const bool read = file.ReadText(text);
    // A quote never closed, text after one that spans lines, bytes the
    // encoding forbids: each names its line. Otherwise only a table padded far
    // beyond its text is refused.
    const std::string reason = file.GetLastError();
    Check(read || reason.starts_with("line ") || reason == "File too large", "read failed without a line");
    if (text.size() > kCheckedBytes)
        return;

    for (std::int32_t row = 0; row < whole.GetRowCount(); ++row) {
        for (std::int32_t column = 0; column < whole.GetColumnCount(); ++column) {
            const vnCell& cell = *whole.GetCell(row, column);
            if (cell.GetType() != vnCellType::String)
                Check(vnCell(cell.GetSourceText(), true) == cell, "source text types differently");
        }
    }

    const std::string decoded = Decoded(text);
    if (!decoded.empty()) {
        const char lineEnd = file.GetLineEnd();
        Check(ReadInPieces(decoded, 1, lineEnd) == std::pair(whole, reason), "pieces of 1 differ");
        Check(ReadInPieces(decoded, 1 + text.size() % 300, lineEnd) == std::pair(whole, reason), "pieces differ");
    }

    vnCellTable once = WriteAndRead(whole);
    Check(once.GetRowCount() == whole.GetRowCount() && once.GetColumnCount() == whole.GetColumnCount(),
          "size changed by writing");
    for (std::int32_t row = 0; row < whole.GetRowCount(); ++row)
        for (std::int32_t column = 0; column < whole.GetColumnCount(); ++column)
            Check(once.GetCell(row, column)->GetType() == whole.GetCell(row, column)->GetType(),
                  "type changed by writing");
    // Doubles keep six decimals after the first round; nothing else changes.
    Check(WriteAndRead(once) == once, "second round changed the table");
}

// What the reader gives back for a text the writer wrote: each line feed,
// with a carriage return right before it, as one space; NUL bytes dropped.
std::string Expected(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            if (i > 0 && text[i - 1] == '\r')
                out.pop_back();
            out += ' ';
        } else {
            out += text[i];
        }
    }
    out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
    return out;
}

// The bytes as UTF-8 text: each one beyond ASCII taken as a Latin-1 letter.
std::string Utf8(const std::string& bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return text;
}

void RoundTrip(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int rows = input.ConsumeIntegralInRange(1, 12);
    const int columns = input.ConsumeIntegralInRange(1, 8);
    vnCellTable table;
    table.AddColumns(columns);
    table.AddRows(rows);
    vnCellTable expected = table;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            vnCell cell;
            vnCell result;
            switch (input.ConsumeIntegralInRange(0, 4)) {
            case 0:
                break;
            case 1:
                cell.SetBool(input.ConsumeBool());
                break;
            case 2:
                cell.SetInt(input.ConsumeIntegral<std::int32_t>());
                break;
            case 3: {
                // Exact to six decimals: a whole number of millionths.
                const auto millionths = input.ConsumeIntegralInRange<std::int64_t>(-1000000000000000, 1000000000000000);
                cell.SetDouble(static_cast<double>(millionths) / 1e6);
                break;
            }
            default: {
                const std::string text = Utf8(input.ConsumeRandomLengthString(48));
                cell.SetString(text);
                result.SetString(Expected(text));
                break;
            }
            }
            table.SetCell(row, column, &cell);
            expected.SetCell(row, column, cell.GetType() == vnCellType::String ? &result : &cell);
        }
    }
    Check(WriteAndRead(table) == expected, "written table read back different");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    RoundTrip(data, size);
    return 0;
}
