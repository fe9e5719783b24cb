#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class vnCellTable;

// Which column of a channel file written by another tool holds which channel
// field, found from the names in its header line. Names are compared without
// regard to letter case, blanks and punctuation, so "Alpha Tag", "alpha_tag"
// and "ALPHATAG" are one name.
class ChannelColumnMap
{
public:
    enum class Layout : std::int32_t {
        // Columns found by their names, from no particular tool.
        ByName,
        // CHIRP's CSV export: memories numbered from 0 in "Location".
        Chirp,
        // RadioReference's frequency list: "Alpha Tag" before "Description".
        RadioReference,
    };

    // The map for the table's first line, or nothing when that line is not a
    // header to go by: Scanlore's own header (the file reads by position, as
    // Save writes it) or a header that names no frequency column.
    static std::optional<ChannelColumnMap> FromHeader(const vnCellTable& table);

    Layout GetLayout() const { return m_layout; }
    // "CHIRP layout", "RadioReference layout" or "columns by name".
    std::string GetLayoutName() const;

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

    // Letter case, blanks and punctuation dropped; a name of punctuation only
    // ("#") stays as it is.
    static std::string NormalName(const std::string& name);

private:
    Layout m_layout = Layout::ByName;
};
