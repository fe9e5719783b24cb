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
// or, for files of old Mac programs, a carriage return alone ends each line
// (SetLineEnd). A line may span pieces. Text after the last line feed is one more row when
// it is not empty. NUL bytes are dropped wherever they stand. Each line is one
// row; the table is as wide as its widest line, shorter rows end in Empty
// cells. Lines are parsed straight from the pieces; only a line that spans
// pieces is copied.
//
// A quoted field whose open quote begins the field and whose close quote is
// on a later line spans the lines between (spreadsheets write a header such
// as "Channel Name" broken over two lines): its row goes on after the close
// quote, and each line end inside it reads as one blank, as the writer
// writes line ends inside a text.
// The close quote must be followed by a separator or the line end. A field
// that is never closed stops reading with the number of the line it opens
// on, rather than taking the rest of the text into one field. The text the
// writer writes holds no such field and reads line by line as it always has.
class vnDelimitedReader
{
public:
    // Padding may add this many cells beyond the fields read, or as many as
    // were read, before reading stops: a file a few kilobytes long could
    // otherwise demand a table of many gigabytes.
    static constexpr std::uint64_t kDefaultPaddingAllowance = std::uint64_t{1} << 24;
    // A row may be this many bytes long, counting every byte before the line
    // feed that ends it; a longer one stops reading.
    static constexpr std::size_t kDefaultMaxLineBytes = std::size_t{1} << 20;

    explicit vnDelimitedReader(std::uint64_t paddingAllowance = kDefaultPaddingAllowance,
                               std::size_t maxLineBytes = kDefaultMaxLineBytes)
        : m_paddingAllowance(paddingAllowance), m_maxLineBytes(maxLineBytes)
    {}

    // The character between fields (a comma unless set), and the one that
    // ends a line: '\n' (with an optional '\r' before it) or '\r'. Set
    // before the first Feed.
    void SetSeparator(char separator) { m_parser.SetSeparator(separator); }
    void SetLineEnd(char lineEnd) { m_lineEnd = lineEnd; }

    // Why reading stopped, as an errno value: 0; ENOMEM; EFBIG when the table
    // would pass the 32-bit counts or its padding the allowance, or a row
    // passes the line limit; EILSEQ for a quoted field that is never closed
    // or is followed by text after its close quote.
    int GetError() const { return m_error; }
    // The same for the user, with the line it concerns where there is one
    // ("line 12: a quoted field is never closed"); empty while reading goes on.
    const std::string& GetReason() const { return m_reason; }
    // The number of the line that reading has reached, from 1.
    std::int64_t GetLineNumber() const { return m_line; }

    // Reads the next piece; atEnd also takes the text after the last line
    // feed as the last row. False once reading has stopped on an error, and
    // every later piece is then ignored.
    bool Feed(std::string_view text, bool atEnd = false);

    // Keeps at most rows rows, and none whose fields are all empty: later
    // rows are counted, not kept, so that the memory a file takes is bounded
    // by what its reader needs, not by the file. Set before the first Feed.
    void KeepRows(std::int64_t rows) { m_keepRows = rows; }
    // With KeepRows: the rows counted but not kept (blank ones aside), and
    // the line the first of them begins on (0 when none).
    std::int64_t GetRowsPast() const { return m_rowsPast; }
    std::int64_t GetFirstLinePast() const { return m_firstLinePast; }

    // Replaces the table's content with the rows read so far; the reader is
    // left empty but for a row not yet complete. False (ENOMEM) when the
    // padded table cannot be had; the table is then cleared. With KeepRows,
    // lines receives the line each row begins on.
    bool MoveTo(vnCellTable& table, std::vector<std::int64_t>* lines = nullptr);

    std::int64_t GetRowCount() const { return static_cast<std::int64_t>(m_widths.size()); }

private:
    bool TakeLine(std::string_view line, bool endedByLineFeed);
    bool EndRow();
    // Whether a row with this many more bytes stays within the line limit.
    bool Fits(std::size_t bytes) const;
    bool Stop(int error, std::string reason);

    vnDelimitedLineParser m_parser;
    std::string m_pending;              // the beginning of a line that spans pieces
    std::string m_scratch;              // a line with its NUL bytes dropped
    std::vector<vnCell> m_cells;        // the fields of every row, one after another
    std::vector<std::int32_t> m_widths; // the field count of every complete row
    std::size_t m_maxWidth = 0;
    std::size_t m_rowStart = 0;   // where the row being read begins in m_cells
    std::string m_field;          // the text so far of a quoted field left open
    std::int64_t m_fieldLine = 0; // the line it opens on; 0 when none is open
    std::int64_t m_rowLine = 0;   // the line the row being read begins on
    std::size_t m_rowBytes = 0;   // the bytes of that row on the lines before
    std::int64_t m_line = 1;
    char m_lineEnd = '\n';
    std::int64_t m_keepRows = -1; // -1: every row is kept
    std::vector<std::int64_t> m_rowLines;
    std::int64_t m_rowsPast = 0;
    std::int64_t m_firstLinePast = 0;
    std::int64_t m_widestLine = 0; // the line of the widest row kept
    std::uint64_t m_paddingAllowance;
    std::size_t m_maxLineBytes;
    int m_error = 0;
    std::string m_reason;
};
