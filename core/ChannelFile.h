#pragma once

#include "core/ChannelColumnChoice.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class vnCellTable;
class vnChannelList;

// Channel files: a header line of the fields' header names ("ID",
// "Frequency", ... see ChannelField), then one line per channel holding the
// texts that the row's cells show; field j of a line is column j. Files of
// other tools are read by the names of their columns (ChannelColumnMap); a
// file is read right or refused with a reason, never guessed at.

// The table that Save writes for every channel. Description and car number
// are text cells when not empty, so they come back exactly as typed; the
// other columns are typed from their text.
vnCellTable MakeChannelTable(const vnChannelList& channels);
// The same table for the channels at these list indexes, in their order
// (the rows that Copy puts on the clipboard).
vnCellTable MakeChannelTable(const vnChannelList& channels, const std::vector<std::int32_t>& indexes);

// Where one role of a race list went: a run of channels from a bank border.
struct ChannelRoleRun
{
    // The role as the header names it: "Primary", "Backup".
    std::string role;
    // The list indexes its frequencies went to, in file order; none when the
    // role was left out.
    std::vector<std::int32_t> indexes;
    // The numbers of its first and last channel.
    std::int32_t firstNumber = 0;
    std::int32_t lastNumber = 0;
    // Its frequencies that did not fit.
    std::int32_t leftOut = 0;
};

struct ChannelTableApplied
{
    // Data lines given to channels.
    std::int32_t rows = 0;
    // Lines of Scanlore's own layout beyond the channel list, left unread.
    std::int32_t linesNotLoaded = 0;
    // Whether the lines went to the channels their numbers name.
    bool byId = false;
    // How the columns were found when the header is another tool's ("CHIRP
    // layout", "RadioReference layout", "columns by name"); empty for
    // Scanlore's own layout, read by position.
    std::string layout;
    // "a CHIRP file" and the like; empty for Scanlore's own layout.
    std::string kind;
    // Lines left unread, and why, in file order ("line 4: no frequency").
    std::int32_t skipped = 0;
    std::vector<std::string> skipReasons;
    // Title lines above the header (or above a file without one).
    std::int32_t titleLines = 0;
    // Frequencies read in kHz or Hz and converted to MHz, and the units
    // they were read in ("kHz").
    std::int32_t converted = 0;
    std::vector<std::string> convertedFrom;
    // The channel column's numbers repeat or are not numbers.
    bool inFileOrder = false;
    // The encoding the file was read in when it is not UTF-8.
    std::string encoding;
    // What separates the file's fields when it is not commas: "semicolons",
    // "tabs".
    std::string separator;
    // Columns holding values that no channel field keeps, by their header
    // names.
    std::vector<std::string> droppedColumns;
    // Lines of Scanlore's layout read, but not as they stand, so that Save
    // would not write them back: a frequency that is no frequency (the
    // channel has none), more fields than the header. In file order
    // ("line 4: "146.52abc" is not a frequency; channel 4 has none").
    std::vector<std::string> readNotes;
    std::int32_t unreadFrequencies = 0;
    std::int32_t widerLines = 0;
    // A race list's roles in the order they were placed.
    std::vector<ChannelRoleRun> roleRuns;
    // Car numbers listed for more than one driver, as sentences ("Car 2 is
    // listed for 2 drivers: …."); nothing is changed for them.
    std::vector<std::string> carNotes;
    // Why the table is not read at all; empty when it is.
    std::string refusal;
    // The numbers of the channels read whose frequency lies on no channel
    // step: most likely typos, read as written.
    std::vector<std::int32_t> offStep;
    // Refused for a reason that choosing the columns can mend (the header
    // names no usable column, or there is none): the columns with their first
    // values, and the header's names as written (the key a choice is kept
    // by; empty without a header).
    std::vector<ChannelColumnPreview> columns;
    std::vector<std::string> header;
    // Read with the columns the user chose.
    bool chosen = false;
};

// Makes the channels what the table says: every channel starts empty, as New
// makes it, keeping its number; then each channel line's fields go to its
// channel's cell texts. The header is found as ChannelColumnMap finds it; a
// table it refuses changes nothing and gives the reason, naming fileName.
// Lines go to the channels their channel column names when it holds whole,
// distinct numbers (a CHIRP file holding Location 0 counts from 0; a number
// outside the list skips its line), otherwise one after another from the
// first channel. The frequency column has one unit: the header's, else MHz
// for numbers written with a decimal point in the bands, and for the others
// the one of MHz, kHz and Hz that puts them all on a channel step in the
// bands; a column no one unit fits is refused naming two numbers. Lines of
// another tool without a frequency, or with one that is no number or above
// the highest frequency, are skipped with the reason. A table from which no
// line is given to a channel is refused too, naming the first reasons.
// Where the rows of a table read from a file stand in it, for a table that
// keeps only some of its lines (vnDelimitedFile::KeepRows).
struct ChannelTableLines
{
    // The line each row begins on; empty when row i is line i + 1.
    std::vector<std::int64_t> rowLines;
    // Lines after the rows kept, blank ones aside, and the first of them.
    std::int64_t linesPast = 0;
    std::int64_t firstLinePast = 0;
    // Commas, semicolons and tabs were tried as separators, and none split
    // the header into columns the column map can read.
    bool separatorsTried = false;
};
//
// With a choice the columns are read with the roles it gives them
// (ChannelColumnMap::FromChoice) instead of by their names. A race list's
// roles each start at a bank border: channelsPerBank is the scanner's (0:
// the roles follow one another).
ChannelTableApplied ApplyChannelTable(const vnCellTable& table, vnChannelList& channels,
                                      const std::string& fileName = std::string(),
                                      const ChannelTableLines& lines = ChannelTableLines(),
                                      const ChannelColumnChoice* choice = nullptr, std::int32_t channelsPerBank = 0);

struct ChannelFileResult
{
    bool ok = false;
    // Why it failed, in the system's words ("No such file or directory").
    std::string reason;
    // Whether the channels were changed: a read that got nothing leaves them.
    // For a failed write: whether the file was already partly overwritten.
    bool changed = false;
    // The read was cancelled through its progress; nothing changed.
    bool cancelled = false;
    // A failed write: the file or its folder refused it (permissions, a
    // read-only disk), so another name or folder may take the channels.
    bool refusedHere = false;
    ChannelTableApplied applied;
};

// Told the bytes read so far and all of them while a file is read; false
// cancels the read.
using ChannelReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Writes every channel to the file, replacing it only once the new content
// is complete.
ChannelFileResult WriteChannelFile(const std::string& fileName, const vnChannelList& channels);

// Reads the file into the channels. A file that cannot be read leaves them
// as they were; a read that fails part way applies the lines that were
// complete before the failure. Lines past the channels and the title lines
// a header may have are counted, not kept, so that any file takes memory
// for the channels only. A file of nothing but blank lines and separators
// is refused as empty, a JSON or XML file as another format. Fields are
// separated by commas, semicolons or tabs: the first of them that splits
// the header into columns the column map reads.
ChannelFileResult ReadChannelFile(const std::string& fileName, vnChannelList& channels,
                                  const ChannelReadProgress& progress = ChannelReadProgress(),
                                  const ChannelColumnChoice* choice = nullptr, std::int32_t channelsPerBank = 0);
// The same from a descriptor already open (standard input is 0), read to its
// end and left open; name stands for the file in messages.
ChannelFileResult ReadChannelDescriptor(int fd, const std::string& name, vnChannelList& channels,
                                        const ChannelColumnChoice* choice = nullptr, std::int32_t channelsPerBank = 0);

// The texts of the message boxes that tell the user about a file.
// "The channel file "x" could not be read:\n<reason>"
std::string ReadFailedMessage(const std::string& fileName, const std::string& reason);
// The same, then that the open channels did not change.
std::string OpenFailedMessage(const std::string& fileName, const std::string& reason);
std::string OpenedInPartMessage(const std::string& fileName, const std::string& reason, std::int32_t linesRead);
// fileChanged: the write had begun to overwrite the file in place.
std::string SaveFailedMessage(const std::string& fileName, const std::string& reason, bool fileChanged = false);
// What was read from another tool's file: "Read 57 channels from
// county.csv (RadioReference layout). 3 lines were skipped: line 4: no
// frequency; …", with the first three reasons. A race list says where each
// role went: "Primary: channels 1–40; Secondary: 41–78; Other: 81–92."
std::string ReadSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied);
// That part alone; empty without roles.
std::string RoleRunsMessage(const std::vector<ChannelRoleRun>& runs);
// Why Save must not replace the file read: "county.csv is a CHIRP file;
// saving it in Scanlore's layout would drop its Duplex, Offset, Tone and Mode
// columns." Empty when the read took all of it in Scanlore's layout (an
// encoding other than UTF-8 aside: Save writes UTF-8).
std::string SaveWouldLoseMessage(const std::string& fileName, const ChannelTableApplied& applied);
// The name Save As proposes instead: "county-scanlore.csv" beside "county.csv".
std::string ScanloreCopyName(const std::string& path);
// Whether the summary says more than the number of channels read.
bool HasReadNotes(const ChannelTableApplied& applied);
std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount);
