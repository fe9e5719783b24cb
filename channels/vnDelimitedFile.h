#pragma once

#include "channels/vnCellTable.h"
#include "channels/vnDelimitedReader.h"
#include "channels/vnInputFile.h"
#include "channels/vnTextDecoder.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Reads a delimited text file into a cell table and writes a table out.
//
// One line per row, fields separated by commas. The writer puts String cells
// in double quotes, doubling every quote inside, and writes the other cells
// bare through vnCell::ToText; every line ends with CR LF. A line feed inside
// a text would split its row, so the writer turns each line feed, with a
// carriage return right before it, into one space.
//
// Reading takes the file's bytes whole (vnInputFile: regular files only, up
// to a limit of 64 MiB), decodes them to UTF-8 (vnTextDecoder: UTF-8 or
// UTF-16 by their byte order mark, otherwise UTF-8 when valid and
// Windows-1252 when not) and reads the rows (vnDelimitedReader over
// vnDelimitedLineParser: quoted fields may span lines, a row may be up to
// 1 MiB). Lines end in CR LF, LF or, as old Mac programs write them, CR
// alone (a text without a line feed). Fields are separated by commas, or by
// the one of several separators whose first rows a caller's test accepts
// (ChooseSeparator). Each cell keeps the text it was typed from: a field can
// be had as the file spells it with vnCell::GetSourceText ("02" where the
// cell holds the Int 2), or typed, as the rest of the program reads it.
//
// Writing never destroys the previous file: the text goes to a temporary file
// in the target's folder, which is flushed to disk and then renamed over the
// target, keeping the target's permissions. A target with more than one name
// (hard links) is instead overwritten in place from that complete copy, so
// that every name keeps showing the same file.
class vnDelimitedFile
{
public:
    // The table is not owned and must outlive this object. The limits stop
    // reading a file of more bytes, or a row of more bytes.
    explicit vnDelimitedFile(vnCellTable* table, std::uint64_t maxBytes = vnInputFile::kDefaultMaxBytes,
                             std::size_t maxLineBytes = vnDelimitedReader::kDefaultMaxLineBytes)
        : m_table(table), m_maxBytes(maxBytes), m_maxLineBytes(maxLineBytes)
    {}
    vnDelimitedFile(const vnDelimitedFile&) = delete;
    vnDelimitedFile& operator=(const vnDelimitedFile&) = delete;
    virtual ~vnDelimitedFile() = default;

    // Fills the table from the file. A file that cannot be opened, is not a
    // regular file or is larger than the limit leaves the table as it was.
    // A failure after reading began (a read error, bytes the encoding does
    // not allow, a quoted field never closed, a row too long) leaves the
    // rows complete before it; GetLastError names the line.
    bool Read(const std::string& fileName);
    // The same from a descriptor already open, read to its end and left
    // open: standard input is ReadDescriptor(0).
    bool ReadDescriptor(int fd);
    // The same from the bytes of a file in memory; UTF-8 is parsed where it
    // lies. The table is cleared first.
    bool ReadText(std::string_view bytes);

    // Reading for channels: at most rows rows are kept, and no blank ones;
    // the rest are counted (see vnDelimitedReader::KeepRows). Negative keeps
    // every row, as before any call.
    void KeepRows(std::int64_t rows) { m_keepRows = rows; }
    // After a read with KeepRows: the line each row of the table begins
    // on, the rows counted past the kept ones and the line of the first.
    const std::vector<std::int64_t>& GetRowLines() const { return m_rowLines; }
    std::int64_t GetRowsPast() const { return m_rowsPast; }
    std::int64_t GetFirstLinePast() const { return m_firstLinePast; }

    // Reading with the one of these separators whose first rows (up to rows
    // of them, as KeepRows keeps them) fits accepts, or of several the one
    // that splits the first row into the most fields; when none fits, with
    // the one that splits it into the most fields. Without a call, fields
    // are separated by commas.
    using SeparatorTest = std::function<bool(const vnCellTable& firstRows)>;
    void ChooseSeparator(std::string separators, std::int64_t rows, SeparatorTest fits);
    // The separator the last read used, and whether the test accepted it.
    char GetSeparator() const { return m_separator; }
    bool SeparatorFits() const { return m_separatorFits; }
    // The character that ended the last read's lines: '\n', or '\r' for a
    // text whose start has carriage returns and no line feed.
    char GetLineEnd() const { return m_lineEnd; }

    // Text that begins (after blanks) with '{' or '[' is JSON, with '<' XML:
    // with this set, reading such text fails at once and leaves the table
    // as it was, rather than reading markup as fields.
    enum class Markup { None, Json, Xml };
    void RefuseMarkup(bool refuse) { m_refuseMarkup = refuse; }
    Markup GetMarkup() const { return m_markup; }

    // Called as reading goes on with the bytes read so far and all of them;
    // returning false cancels the read, which then leaves the table as it
    // was and fails with IsCancelled set.
    using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
    void SetProgress(Progress progress) { m_progress = std::move(progress); }
    bool IsCancelled() const { return m_cancelled; }

    // The encoding the last read found (UTF-8 before any).
    vnTextEncoding GetEncoding() const { return m_encoding; }

    // Writes the table to the file, replacing it only once all is on disk.
    bool Write(const std::string& fileName);
    // The text Write puts in the file.
    std::string WriteText() const;

    // Why the last Read or Write failed, in words; empty after a success.
    std::string GetLastError() const { return m_error; }
    // Whether the last Write that failed had already begun to overwrite the
    // target in place (see GetLastError for where the complete copy is).
    bool TargetChanged() const { return m_targetChanged; }
    // Whether the last Write was refused by the file or its folder
    // (permissions, a read-only disk): another name or folder may take it.
    bool RefusedHere() const { return m_refusedHere; }

private:
    void AppendRow(std::string& out, std::int32_t row) const;
    bool ReadInput(vnInputFile& input, bool read);
    bool ReplaceInPlace(const std::string& temporary, const std::string& target);
    bool ReadBytes(std::string_view bytes, bool complete);
    char PickSeparator(std::string_view start, char lineEnd);
    bool Fail(int error);
    bool Fail(std::string reason);
    // Fails with the catalogue's text id, the system's reason its last argument.
    bool FailHere(int error, int id, std::vector<std::string> arguments = {});

    vnCellTable* m_table;
    std::uint64_t m_maxBytes;
    std::size_t m_maxLineBytes;
    vnTextEncoding m_encoding = vnTextEncoding::Utf8;
    std::string m_error;
    bool m_targetChanged = false;
    bool m_refusedHere = false;
    std::int64_t m_keepRows = -1;
    std::vector<std::int64_t> m_rowLines;
    std::int64_t m_rowsPast = 0;
    std::int64_t m_firstLinePast = 0;
    Progress m_progress;
    bool m_cancelled = false;
    std::string m_separators;
    std::int64_t m_separatorRows = 0;
    SeparatorTest m_fits;
    char m_separator = ',';
    bool m_separatorFits = true;
    char m_lineEnd = '\n';
    bool m_refuseMarkup = false;
    Markup m_markup = Markup::None;
};
