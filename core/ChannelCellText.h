#pragma once

#include "core/ChannelField.h"

#include <cstdint>
#include <string>
#include <string_view>

class vnChannel;

// The text of one grid cell and the way an edited cell text goes back into
// its channel field. The same forms are the columns of a channel file.

// What the cell shows. Numbers always use '.' as decimal point.
std::string GetChannelCellText(const vnChannel& channel, ChannelField field);

// Stores an edited cell text into the field; the channel number never changes.
void SetChannelCellText(vnChannel& channel, ChannelField field, std::string_view text);

// Stores a text typed into the grid's editor, which is read more strictly
// than a file's: a frequency is a number of megahertz, optionally followed by
// "MHz" in any letter case, with a comma taken as the decimal point when there
// is no full stop, and the empty text clears it; a flag takes only true, yes,
// on, false, no, off or the empty text, in any letter case. Other text is not
// a value of the column: the channel stays as it was and the result is false.
bool SetTypedChannelCellText(vnChannel& channel, ChannelField field, std::string_view text);

// Tells the user that a typed text was not taken and what the cell kept.
std::string RejectedCellTextMessage(const vnChannel& channel, ChannelField field, std::string_view text);
