#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class vnCellTable;
class vnChannelList;

// Channel files: a header line of the fields' header names ("ID",
// "Frequency", ... see ChannelField), then one line per channel holding the
// texts that the row's cells show; field j of a line is column j. A line goes to the channel its ID names when every
// data line's ID is the number of a channel of the list and no ID repeats (lines without any field aside); otherwise
// data line k goes to the channel at index k. The ID never changes a channel number.

// The table that Save writes for every channel. Description and car number
// are text cells when not empty, so they come back exactly as typed; the
// other columns are typed from their text.
vnCellTable MakeChannelTable(const vnChannelList& channels);
// The same table for the channels at these list indexes, in their order
// (the rows that Copy puts on the clipboard).
vnCellTable MakeChannelTable(const vnChannelList& channels, const std::vector<std::int32_t>& indexes);

struct ChannelTableApplied
{
    // Data lines given to channels.
    std::int32_t rows = 0;
    // Data lines beyond the channel list, left unread.
    std::int32_t linesNotLoaded = 0;
    // Whether the lines went to the channels their IDs name.
    bool byId = false;
    // How the columns were found when the header is another tool's ("CHIRP
    // layout", "RadioReference layout", "columns by name"); empty for
    // Scanlore's own layout, read by position.
    std::string layout;
    // Data lines of another tool's file left unread, and why, in file order
    // ("line 4: no frequency").
    std::int32_t skipped = 0;
    std::vector<std::string> skipReasons;
};

// Makes the channels what the table says: every channel starts empty, as New
// makes it, keeping its number; then each data line's fields go to its
// channel's cell texts. The first line is a header unless its ID names a
// channel; fields from column 7 on are ignored; data lines beyond the list
// touch nothing.
// A header of another tool (not Scanlore's own names, and naming a frequency
// column) maps its columns by name instead, see ChannelColumnMap. Lines go to
// the channels their channel column names when it holds whole, distinct
// numbers (a CHIRP file holding Location 0 counts from 0), otherwise one
// after another from the first channel. Lines without a frequency, with a
// whole number above 30,000 as frequency (kHz or Hz), naming a channel
// outside the list, or beyond the list's end are skipped and counted.
ChannelTableApplied ApplyChannelTable(const vnCellTable& table, vnChannelList& channels);

struct ChannelFileResult
{
    bool ok = false;
    // Why it failed, in the system's words ("No such file or directory").
    std::string reason;
    // Whether the channels were changed: a read that got nothing leaves them.
    bool changed = false;
    ChannelTableApplied applied;
};

// Writes every channel to the file, replacing it only once the new content
// is complete.
ChannelFileResult WriteChannelFile(const std::string& fileName, const vnChannelList& channels);

// Reads the file into the channels. A file that cannot be read leaves them
// as they were; a read that fails part way applies the lines that were
// complete before the failure.
ChannelFileResult ReadChannelFile(const std::string& fileName, vnChannelList& channels);

// The texts of the message boxes that tell the user about a file.
std::string OpenFailedMessage(const std::string& fileName, const std::string& reason);
std::string OpenedInPartMessage(const std::string& fileName, const std::string& reason, std::int32_t linesRead);
std::string SaveFailedMessage(const std::string& fileName, const std::string& reason);
// What was read from another tool's file: "Read 57 channels from
// county.csv (RadioReference layout). 3 lines were skipped: line 4: no
// frequency; …", with the first three reasons.
std::string ReadSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied);
std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount);
