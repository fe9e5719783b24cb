#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class vnCellTable;
struct ChannelColumnChoice;
enum class ChannelColumnRole : std::int32_t;

// Which column of a channel file holds which channel field, found from the
// header line. Names are compared without regard to letter case, blanks and
// punctuation, so "Alpha Tag", "alpha_tag" and "ALPHATAG" are one name; a
// unit in brackets after a name ("Frequency (MHz)", "Freq [kHz]") tells the
// unit of the column's numbers. The names each field goes by, and the words
// that make a name a receive frequency or a race list's role, are tables in
// ChannelColumnMap.cpp; NameTable hands them out for the help.
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
        // Race lists: a car or driver column and frequencies by role
        // (Primary, Secondary/Backup, Other), every role read.
        RaceList,
        // Columns given their roles by the user (ChannelColumnChoice).
        Chosen,
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
    // names a frequency column, unless a wider line of names below it does
    // too (a title may hold a frequency word). Without one the table is read
    // by position when it looks like Scanlore's own layout, and refused
    // otherwise.
    static ChannelColumnMap FromTable(const vnCellTable& table);
    // The columns the choice names, with its roles; refused when the file
    // has no header holding every named column (a file without a header is
    // named "Column 1" …), or when the choice names no frequency.
    static ChannelColumnMap FromChoice(const vnCellTable& table, const ChannelColumnChoice& choice);

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

    // A race list's frequency columns, one run of channels each, in the order
    // the runs are placed: primaries first, the others in file order.
    // "frequency" is the first of them.
    struct RaceColumn
    {
        ChannelColumnRole role;
        std::int32_t column = -1;
        // The role as the header names it ("Backup"), added to the driver in
        // the descriptions of all but the primary role.
        std::string word;
        Unit unit = Unit::None;
    };
    std::vector<RaceColumn> raceColumns;
    bool IsRaceList() const { return !raceColumns.empty(); }
    // Chosen: when the choice was made, for the layout's name.
    std::string chosenOn;

    // The header's columns that no field reads.
    std::vector<std::int32_t> unreadColumns;
    // Refused: the header's names as written (a header without a frequency
    // column), or the reason the lines are not Scanlore's layout.
    std::vector<std::string> headerNames;
    std::string refusal;
    // Refused for what the header's names say: the words' id (%1 the file's
    // name) and its other arguments ("%1 has two columns that may be the
    // receive frequency …"); id 0 when the names say nothing against it.
    struct Problem
    {
        int id = 0;
        std::vector<std::string> arguments;
        bool empty() const { return id == 0; }
    };
    Problem headerProblem;

    // Letter case, blanks and punctuation dropped; a name of punctuation only
    // ("#") stays as it is.
    static std::string NormalName(const std::string& name);
    // The words of a column name: split at blanks and punctuation, between
    // letters and digits and where a lower-case letter meets an upper-case
    // one ("RxFrequency", "OUTPUT_FREQ", "Frequency_1"), in lower case.
    static std::vector<std::string> NameWords(std::string_view name);
    // Whether a name reads as a receive frequency: a frequency word and no
    // word of another quantity ("TX Freq", "Tone Freq" are not).
    static bool IsReceiveFrequencyName(std::string_view name);
    // The race-list role a word names ("backup" is Secondary); NotUsed for
    // none. Descriptions carry these words back ("Driver (Backup)").
    static ChannelColumnRole RaceRoleOfWord(std::string_view word);
    // The unit a word names, letter case ignored ("kHz"): the words a header
    // writes, --column takes and the settings store keeps. None for another
    // word; UnitWord gives the word in lower case ("" for None).
    static Unit ReadUnitWord(std::string_view word);
    static std::string_view UnitWord(Unit unit);

    // The rules above as data, for the help's table of names: which field,
    // how the words are used, the words.
    struct NameRow
    {
        std::string field;
        std::string rule;
        std::vector<std::string> words;
    };
    static std::vector<NameRow> NameTable();

private:
    static ChannelColumnMap FromHeaderRow(const vnCellTable& table, std::int32_t row);
    static ChannelColumnMap WithoutHeader(const vnCellTable& table);

    Layout m_layout = Layout::Refused;
};
