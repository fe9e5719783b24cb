#pragma once

#include "channels/vnCellTable.h"

#include <string>
#include <string_view>

// Reads a delimited text file into a cell table and writes a table out.
//
// One line per row, fields separated by commas. The writer puts String cells
// in double quotes, doubling every quote inside, and writes the other cells
// bare through vnCell::ToText; every line ends with CR LF. A line feed inside
// a text would split its row, so the writer turns each line feed, with a
// carriage return right before it, into one space. The reader is
// vnDelimitedReader over vnDelimitedLineParser.
//
// Writing never destroys the previous file: the text goes to a temporary file
// in the target's folder, which is flushed to disk and then renamed over the
// target, keeping the target's permissions.
class vnDelimitedFile
{
public:
    // The table is not owned and must outlive this object.
    explicit vnDelimitedFile(vnCellTable* table) : m_table(table) {}
    vnDelimitedFile(const vnDelimitedFile&) = delete;
    vnDelimitedFile& operator=(const vnDelimitedFile&) = delete;
    virtual ~vnDelimitedFile() = default;

    // Fills the table from the file. A file that cannot be opened or yields
    // no data before failing leaves the table as it was; a failure after data
    // came leaves the rows read before it.
    bool Read(const std::string& fileName);
    // The same from text in memory, parsed where it lies.
    bool ReadText(std::string_view text);

    // Writes the table to the file, replacing it only once all is on disk.
    bool Write(const std::string& fileName);
    // The text Write puts in the file.
    std::string WriteText() const;

    // Why the last Read or Write failed, in words; empty after a success.
    std::string GetLastError() const { return m_error; }

private:
    void AppendRow(std::string& out, std::int32_t row) const;
    bool Fail(int error);
    bool Fail(const char* reason);

    vnCellTable* m_table;
    std::string m_error;
};
