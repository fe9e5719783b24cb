#pragma once

#include "core/ChannelColumnChoice.h"
#include "core/ChannelFile.h"
#include "core/ChannelOpenReport.h"

#include <string>

// --column ROLE=NAME of scanlore-convert and scanlore-upload: the column
// named NAME in the file's header has the role ROLE (frequency, description,
// car, channel, lockout, delay, priority, primary, secondary, other, unused;
// any letter case). A frequency role may name its unit: frequency:khz=QRG.
// Each option adds one column to the choice; false with the reason for bad
// usage.
bool ParseColumnOption(const std::string& text, ChannelColumnChoice& choice, std::string& error);

// For a file refused for a reason that naming its columns can mend: "\nIts
// columns are \"Frequenz\" and \"Name\"; --column ROLE=NAME names what
// each holds, for example --column frequency=\"Frequenz\"." (the first
// column whose first value reads as a frequency). Empty for any
// other refusal.
std::string ColumnOptionHint(const ChannelTableApplied& applied);

// The FILE argument of both programs read as Open reads it, with the
// columns --column named (none: the usual rules): "-" is the descriptor
// inputFd, read to its end and named "standard input". A refusal that
// naming the columns can mend ends in ColumnOptionHint.
ChannelOpenReport OpenChannelArgument(const std::string& file, int inputFd, vnChannelList& channels,
                                      const ChannelColumnChoice& columns, std::int32_t channelsPerBank);

// The lines the two programs' --help give the option.
const char* ColumnOptionUsage();
