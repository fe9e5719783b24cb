#pragma once

#include "channels/vnChannel.h"
#include "core/ChannelFile.h"

#include <cstdint>
#include <string>
#include <vector>

class vnChannelList;

// File > Import: the channels of another file merged into a table that
// already holds channels of its own. Only the empty channels of the table
// (those without a frequency) take imported ones, in table order from a
// given row on; every other channel stays as it is. The imported channels
// come in the order the file put them in the list read from it, and each
// takes the number of the empty channel it fills: their own numbers would
// land on channels that are in use.
struct ChannelImport
{
    struct Placement
    {
        std::int32_t index; // of the empty channel in the table
        vnChannel channel;  // what it becomes, under its own number
    };
    std::vector<Placement> placements;
    // Channels read with a frequency, and those of them without an empty
    // channel left to take them.
    std::int32_t read = 0;
    std::int32_t notFitted = 0;
    // A race list's roles where the import put them.
    std::vector<ChannelRoleRun> runs;
};

// Places the channels of imported that have a frequency into the empty
// channels of the table from index firstRow on. A race list's roles (runs,
// as the read placed them in imported) each start at the first bank border
// at or after firstRow and after the role before, in the empty channels from
// there; a role without enough of them left is left out and counted, as a
// role the read left out is.
ChannelImport PlaceImportedChannels(const vnChannelList& channels, std::int32_t firstRow, const vnChannelList& imported,
                                    const std::vector<ChannelRoleRun>& runs = {}, std::int32_t channelsPerBank = 0);

// The message after an Import: what was read, as after an Open, then what
// was added and what did not fit. "Read 5 channels from county.csv
// (CHIRP layout). Added 3 of them to the empty channels from channel 190 on;
// 2 did not fit: no empty channel was left."
std::string ImportSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied,
                                 const ChannelImport& import, std::int32_t firstChannel);
