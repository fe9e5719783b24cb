#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The program's words for the user, in vnWords.cpp's two tables: the
// window's texts by resource id (res/ResourceIds.h), which res/StringResource
// serves to Qt code, and the phrases that change with a count, each once in
// its singular and plural forms, which every layer asks. Texts hold %1, %2 …
// for their arguments (the count is %1); a translation replaces the tables'
// texts (and, for a language with more forms, Count's choice).
enum class vnCounted : std::int32_t {
    Channels,              // "1 channel"
    ChannelsUpper,         // "1 Channel", in the name of an undo step
    EmptyChannels,         // "1 empty channel"
    Cars,                  // "1 car"
    CarsLockedOut,         // "1 car is locked out on every channel. Print it on the race card too?"
    Pages,                 // "1 page"
    ChannelLines,          // "1 channel line"
    Lines,                 // "1 line"
    LinesWere,             // "1 line was"
    TheLines,              // "the line"
    OtherNames,            // "1 other"
    Columns,               // "%2 column": the names, without the count
    TitleLines,            // "its title line"
    FrequenciesGiven,      // "a frequency"
    TheFrequencies,        // "the frequency"
    LinesPast,             // "line %2: more lines than channels (%3)", the first line past
    LinesNotLoaded,        // "The channel file "%2" … (%3). The last line was not loaded …", %3 the channels
    RunChannels,           // "channel %2", "channels %2–%3": a run's first and last channel
    RunNumbers,            // "%2", "%2–%3": the same, after the first run
    TitleLinesSkipped,     // "1 title line above the channels was skipped."
    FrequenciesConverted,  // "1 frequency in %2 was converted to MHz.", %2 the units
    LinesSkipped,          // "1 line was skipped: "
    ChannelsOutside,       // "1 channel is outside "
    LeftOut,               // "It is left out."
    WithoutFrequency,      // "Channel %2 has no frequency and was not sent."
    Sent,                  // "Sent 1 channel"
    SentKind,              // "Sent 1 changed channel", %2 the kind
    SentBeforeFailure,     // "%2 of 1 channel was sent before the scanner stopped taking data."
    NoneSent,              // "The channel was not sent."
    Bytes,                 // "1 byte"
    StopBits,              // "1 stop bit"
    EmptiedSentLockedOut,  // "It is sent again with Lockout set."
    LockOutEmptiedHint,    // "--lock-out-emptied sends it again with Lockout set, …"
    ChannelsSentOf,        // "%2 of 1 channel sent"
    PasteNotSendable,      // "%1 pasted channels need a look before an upload; the first: %2"
    PasteCellsRefused,     // "1 pasted cell was not a value of its column and kept what it had."
    PasteRowsLeftOut,      // "1 row beyond the last channel was not pasted."
    PasteCellsLeftOut,     // "1 cell beyond the last column was not pasted."
    ChannelsDiffer,        // "1 channel differs from the %2", the scanner
    ChannelsEmptiedHere,   // "1 channel is empty here, but the %2 still holds …"
    LockThemOut,           // "Lock Them Out sends it again …"
    ChannelsUpdated,       // "Channel %2 was updated", the numbers
    ChannelsStillHold,     // "channel %2 still holds what it held before."
    NumbersStillHold,      // "%2 still holds what it held before."
    ChannelsOffStep,       // "1 channel is not on a channel step: %2. Check it for a typo."
    FrequenciesOffStep,    // "1 frequency is not on a channel step (channel %2): check it for a typo."
    SentAsTheyAre,         // "It is sent as it is."
    NegativeLeftOut,       // "Channel %2 has a negative frequency, which CHIRP cannot hold: ..."
    NothingToSend,         // "Channel %2 has no frequency: there is nothing to send."
    Drivers,               // "1 driver"
    FrequenciesLeftOut,    // "1 frequency left out: it did not fit"
    ColumnsNotKept,        // "The %2 column is not kept."
    MoreLines,             // "1 more line", after the lines named
    LinesNotRead,          // "1 line beyond the channel list was not read."
    ChannelsNumbered,      // "channel %2", the numbers
    SelectedChannels,      // "the 3 selected channels"
    PastedOverFrequencies, // "Pasted %2 into %3 (1 had a frequency before: Undo restores it)."
    AlreadyLockedOut,      // "Nothing to change: the channel was already locked out."
    AlreadyUnlocked,       // "Nothing to change: the channel was already unlocked."
    CarsNotInTable,        // "No car %2 in the table.", the numbers
    BytesNotSent,          // "%2 did not send 1 byte in time", the port
};

namespace vnWords {

// The window's text with this resource id; empty when there is none.
std::string_view Text(int id);

// The text with this resource id, its arguments put in its places:
// Say(IDS_CHANNEL_NUMBERED, {"12"}) is "Channel 12".
std::string Say(int id, const std::vector<std::string>& arguments = {});

// The phrase for count, the count and the arguments put in its places:
// Count(vnCounted::Channels, 3) is "3 channels".
std::string Count(vnCounted phrase, std::int64_t count, const std::vector<std::string>& arguments = {});

// The items joined as a sentence lists them: "12", "12 and 40",
// "12, 40 and 41".
std::string List(const std::vector<std::string>& items);

// The pattern with %1 … %9 replaced by the arguments in their order.
std::string Format(std::string_view pattern, const std::vector<std::string>& arguments);

} // namespace vnWords
