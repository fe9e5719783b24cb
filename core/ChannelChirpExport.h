#pragma once

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
