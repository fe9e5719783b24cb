// Two properties of the delimited file:
// - the input as a file: reading never fails on small input, the pieces it
//   arrives in do not matter, and writing what was read and reading it back
//   settles after one round;
// - the input as a recipe for a table the syntax can hold: writing it and
//   reading it back gives the same table.
// The first is checked in full on inputs up to 64 KiB; larger ones, up to
// 4 MB, are only read, under the run's time limit per input (.ci/run), which
// catches reading that grows faster than the text.
#include "channels/vnDelimitedFile.h"
#include "channels/vnDelimitedReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

vnCellTable ReadInPieces(std::string_view text, std::size_t piece)
{
    vnDelimitedReader reader;
    for (std::size_t offset = 0; offset < text.size(); offset += piece)
        Check(reader.Feed(text.substr(offset, piece)), "piece refused");
    Check(reader.Feed({}, true), "end refused");
    vnCellTable table;
    Check(reader.MoveTo(table), "table refused");
    return table;
}

vnCellTable WriteAndRead(vnCellTable& table)
{
    const std::string text = vnDelimitedFile(&table).WriteText();
    Check(static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n')) == table.GetRowCount(),
          "a written row is not one line");
    vnCellTable back;
    Check(vnDelimitedFile(&back).ReadText(text), "written text unreadable");
    return back;
}

// Larger inputs are only read: checking them as well would take most of
// the time limit that is meant for reading them.
constexpr std::size_t kCheckedBytes = 1 << 16;

void ReadBytes(std::string_view text)
{
    vnCellTable whole;
    vnDelimitedFile file(&whole);
    if (!file.ReadText(text)) {
        // Only a table padded far beyond its text is refused.
        Check(file.GetLastError() == "File too large", "read failed");
        return;
    }
    if (text.size() > kCheckedBytes)
        return;

    Check(ReadInPieces(text, 1) == whole, "pieces of 1 differ");
    Check(ReadInPieces(text, 1 + text.size() % 300) == whole, "pieces differ");

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
                const std::string text = input.ConsumeRandomLengthString(48);
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
