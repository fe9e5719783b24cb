#pragma once

#include <cstdint>
#include <string>

class vnCellTable;
class vnChannelList;

// Channel files: a header line "ID", "Frequency", "Description",
// "Car Number", "Delay", "Lockout", "Priority", then one line per grid row
// holding the texts that the row's cells show. Lines map onto the channel
// list by position: data line k is the channel at index k, field j its
// column j. The "ID" field is read but never changes a channel number.

inline constexpr std::int32_t ChannelFileColumns = 7;

// The table that Save writes for the first rowCount channels (the grid's
// rows). Description and car number are text cells when not empty, so they
// come back exactly as typed; the other columns are typed from their text.
vnCellTable MakeChannelTable(const vnChannelList& channels, std::int32_t rowCount);

struct ChannelTableApplied
{
    // Data lines given to channels: the rows the grid shows afterwards.
    std::int32_t rows = 0;
    // Data lines beyond the channel list, left unread.
    std::int32_t linesNotLoaded = 0;
};

// Hands each data line's fields to the channels' cell texts. The first line
// is skipped whatever it holds; fields from column 7 on are ignored; data
// lines beyond the list touch nothing.
ChannelTableApplied ApplyChannelTable(const vnCellTable& table, vnChannelList& channels);

struct ChannelFileResult
{
    bool ok = false;
    // Why it failed, in the system's words ("No such file or directory").
    std::string reason;
    ChannelTableApplied applied;
};

// Writes the first rowCount channels to the file, replacing it only once the
// new content is complete.
ChannelFileResult WriteChannelFile(const std::string& fileName, const vnChannelList& channels, std::int32_t rowCount);

// Reads the file into the channels. A read that fails part way still applies
// the lines that were complete before the failure.
ChannelFileResult ReadChannelFile(const std::string& fileName, vnChannelList& channels);

// The texts of the message boxes that tell the user about a file.
std::string OpenFailedMessage(const std::string& fileName, const std::string& reason);
std::string SaveFailedMessage(const std::string& fileName, const std::string& reason);
std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount);
