#pragma once

#include <cstdint>
#include <string>
#include <vector>

class vnCellTable;
class vnChannelList;

// CHIRP's CSV layout, as its generic CSV driver reads and writes it: one
// line per channel with a frequency, Location its channel number (never 0,
// so that Open reads the file back to the same channels), Name its
// description, Mode AM in the airband (108 to 137 MHz) and FM elsewhere,
// Skip S for lockout or P for priority (lockout wins), and CHIRP's defaults
// in the columns Scanlore has no field for.
vnCellTable MakeChirpTable(const vnChannelList& channels);

// The fields of the channels that CHIRP has no column for and that hold
// something ("Car Number", "Delay"), for the export's warning.
std::vector<std::string> FieldsChirpDrops(const vnChannelList& channels);

// The numbers of the channels with a negative frequency, which the export
// leaves out: CHIRP would read "-146.520000" as -145.48 MHz.
std::vector<std::int32_t> ChannelsChirpDrops(const vnChannelList& channels);

// What an export to the file named fileName leaves out of the channels, for
// the warning after it ("radio.csv is written in CHIRP's layout, which has
// no column for Car Number: the file leaves them out. Channel 4 has a
// negative frequency, ..."); empty when it leaves out nothing.
std::string ChirpExportWarning(const vnChannelList& channels, const std::string& fileName);
