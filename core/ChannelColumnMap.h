#pragma once

#include <cstdint>
#include <string>
#include <vector>

class vnCellTable;

// Which column of a channel file holds which channel field, found from the
// header line. Names are compared without regard to letter case, blanks and
// punctuation, so "Alpha Tag", "alpha_tag" and "ALPHATAG" are one name; a
// unit in brackets after a name ("Frequency (MHz)", "Freq [kHz]") tells the
// unit of the column's numbers. The names each field goes by are one table in
// ChannelColumnMap.cpp.
class ChannelColumnMap
{
public:
    enum class Layout : std::int32_t {
        // Scanlore's own header: the file reads by position, as Save writes it.
        Own,
        // No header line, but lines that look like Scanlore's own: read by
        // position.
        OwnWithoutHeader,
        // Columns found by their names, from no particular tool.
        ByName,
        // CHIRP's CSV export: memories numbered from 0 in "Location".
        Chirp,
        // RadioReference's frequency list: "Alpha Tag" before "Description".
        RadioReference,
        // Race lists: Car, Driver and Primary/Secondary/Backup frequencies.
        RaceList,
        // No header line to go by and lines not in Scanlore's layout, or a
        // header that names no frequency column: nothing is read.
        Refused,
    };

    // Up to ten title lines may stand above the header: the rows searched.
    static constexpr std::int32_t MaxTitleLines = 10;
    static constexpr std::int32_t HeaderSearchRows = MaxTitleLines + 1;

    // The unit a header names for the frequency column.
    enum class Unit : std::int32_t { None, MHz, KHz, Hz };

    // Finds the header below up to ten title lines: the first line that
    // names a frequency column. Without one the table is read by position
    // when it looks like Scanlore's own layout, and refused otherwise.
    static ChannelColumnMap FromTable(const vnCellTable& table);

    Layout GetLayout() const { return m_layout; }
    bool IsOwn() const { return m_layout == Layout::Own || m_layout == Layout::OwnWithoutHeader; }
    // "CHIRP layout", "RadioReference layout", "race list", "columns by name";
    // empty for Scanlore's own.
    std::string GetLayoutName() const;
    // What the file is, for saying what Save would lose: "a CHIRP file",
    // "a RadioReference list", "a race list", "a file of other columns";
    // empty for Scanlore's own.
    std::string GetFileKind() const;

    // The header's row; -1 without one. Rows above it are title lines.
    std::int32_t headerRow = -1;
    // The first row of channel lines.
    std::int32_t firstDataRow = 0;

    // Column indexes, or -1 when the header has no such column.
    std::int32_t frequency = -1;
    std::int32_t carNumber = -1;
    std::int32_t channel = -1;
    std::int32_t delay = -1;
    std::int32_t lockout = -1;
    std::int32_t priority = -1;
    // CHIRP's "Skip": S for lockout, P for priority.
    std::int32_t skip = -1;
    // Description columns in the order they are tried on each line.
    std::vector<std::int32_t> descriptions;
    Unit frequencyUnit = Unit::None;

    // The header's columns that no field reads.
    std::vector<std::int32_t> unreadColumns;
    // Refused: the header's names as written (a header without a frequency
    // column), or the reason the lines are not Scanlore's layout.
    std::vector<std::string> headerNames;
    std::string refusal;

    // Letter case, blanks and punctuation dropped; a name of punctuation only
    // ("#") stays as it is.
    static std::string NormalName(const std::string& name);

private:
    static ChannelColumnMap FromHeaderRow(const vnCellTable& table, std::int32_t row);
    static ChannelColumnMap WithoutHeader(const vnCellTable& table);

    Layout m_layout = Layout::Refused;
};
