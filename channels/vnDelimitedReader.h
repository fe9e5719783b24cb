#pragma once

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnDelimitedLineParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Turns delimited text that arrives in pieces into the rows of a table.
//
// A line feed ends a line, and a carriage return right before it is dropped;
// a line may span pieces. Text after the last line feed is one more row when
// it is not empty. NUL bytes are dropped wherever they stand. Each line is one
// row; the table is as wide as its widest line, shorter rows end in Empty
// cells. Lines are parsed straight from the pieces; only a line that spans
// pieces is copied.
class vnDelimitedReader
{
public:
    // Padding may add this many cells beyond the fields read, or as many as
    // were read, before reading stops: a file a few kilobytes long could
    // otherwise demand a table of many gigabytes.
    static constexpr std::uint64_t kDefaultPaddingAllowance = std::uint64_t{1} << 24;

    explicit vnDelimitedReader(std::uint64_t paddingAllowance = kDefaultPaddingAllowance)
        : m_paddingAllowance(paddingAllowance)
    {}

    // Why reading stopped, as an errno value: 0, ENOMEM, or EFBIG when the
    // table would pass the 32-bit counts or its padding the allowance.
    int GetError() const { return m_error; }

    // Reads the next piece; atEnd also takes the text after the last line
    // feed as the last row. False once reading has stopped on an error, and
    // every later piece is then ignored.
    bool Feed(std::string_view text, bool atEnd = false);

    // Replaces the table's content with the rows read so far; the reader is
    // left empty. False (ENOMEM) when the padded table cannot be had; the
    // table is then cleared.
    bool MoveTo(vnCellTable& table);

    std::int64_t GetRowCount() const { return static_cast<std::int64_t>(m_widths.size()); }

private:
    bool TakeLine(std::string_view line, bool endedByLineFeed);

    vnDelimitedLineParser m_parser;
    std::string m_pending;              // the beginning of a line that spans pieces
    std::string m_scratch;              // a line with its NUL bytes dropped
    std::vector<vnCell> m_cells;        // the fields of every row, one after another
    std::vector<std::int32_t> m_widths; // the field count of every row
    std::size_t m_maxWidth = 0;
    std::uint64_t m_paddingAllowance;
    int m_error = 0;
};
