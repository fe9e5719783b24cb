#pragma once

#include "core/ChannelColumnMap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class vnCellTable;

// What a column holds when the user says so instead of its name: a file whose
// header names no column Scanlore can use is read with the roles the user
// gives its columns, by the same rules and with the same summary.
enum class ChannelColumnRole : std::int32_t {
    NotUsed,
    Frequency,
    Description,
    CarNumber,
    Channel,
    Lockout,
    Delay,
    Priority,
    // A race list's frequencies, each role a run of channels.
    Primary,
    Secondary,
    Other,
};

// The role's word on the command line and in the settings store:
// "frequency", "description", "car", "channel", "lockout", "delay",
// "priority", "primary", "secondary", "other", "unused".
std::string_view ChannelColumnRoleWord(ChannelColumnRole role);
// The role a word names, letter case ignored; nothing for another word.
std::optional<ChannelColumnRole> ReadChannelColumnRole(std::string_view word);
// Every role, in the order of the enumeration (for a list to choose from).
std::vector<ChannelColumnRole> ChannelColumnRoles();
// Whether the role is a frequency (a race role's too): only these take a unit.
bool IsFrequencyRole(ChannelColumnRole role);

struct ChannelColumnChoice
{
    // Column names as the header writes them, each with its role; matched to
    // the header as the column map matches names (ChannelColumnMap::
    // NormalName). The header line is the first of the rows searched for a
    // header that holds every named column. Columns not named are not used.
    // A file without a header names its columns "Column 1", "Column 2", …;
    // then every line is data.
    std::vector<std::pair<std::string, ChannelColumnRole>> columns;
    // The unit of the frequency columns; None: the usual rule.
    ChannelColumnMap::Unit unit = ChannelColumnMap::Unit::None;
    // When the choice was made ("3 Dec"): the summary then says "columns as
    // chosen on 3 Dec".
    std::string chosenOn;
};

// For choosing: a column's name (or "Column 1" … without a header) and its
// first values.
struct ChannelColumnPreview
{
    std::string name;
    std::vector<std::string> values;
};

// The table's columns as a choice shows them: named by the header row (or
// "Column 1" … for -1, a file without a header), each with its first values
// from the lines below it, blank lines aside.
std::vector<ChannelColumnPreview> ChannelColumnPreviews(const vnCellTable& table, std::int32_t headerRow,
                                                        std::size_t values = 5);

// The name a choice gives the column at this index of a file without a
// header: "Column 1" for index 0.
std::string ChannelColumnNumberName(std::int32_t index);
