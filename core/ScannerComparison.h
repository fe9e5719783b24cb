#pragma once

#include "core/ScannerRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class vnChannelList;

// How a channel of the table stands against what the record says its
// scanner memory holds. Only what an upload sends counts: the frequency as
// sent, the car number and the three flags; the description never leaves
// the computer.
enum class ScannerDifference {
    Same,    // holds the same, or both empty, or locked out on the scanner and empty here
    Changed, // holds something else
    NotSent, // nothing sent to this memory from here yet
    Unknown, // an upload stopped before it: the old channel or the new one
    Emptied, // empty here, but the scanner still holds what was sent
};

ScannerDifference CompareWithScanner(const vnChannel& here, const ScannerMemory& there);

struct ChannelDifference
{
    std::int32_t index = 0; // list index
    ScannerDifference kind = ScannerDifference::Same;
};

// The channels that differ from the record, in list order.
std::vector<ChannelDifference> FindDifferences(const vnChannelList& channels, const ScannerRecord& record);
// What Upload Changed sends: the differing channels that have a frequency.
std::vector<std::int32_t> ChangedIndexes(const std::vector<ChannelDifference>& differences);
// The channels empty here whose memory still holds what was sent.
std::vector<std::int32_t> EmptiedIndexes(const std::vector<ChannelDifference>& differences);

// One line of Compare with Scanner: the channel, what it is here, what the
// scanner holds, and when that was sent.
struct ComparisonRow
{
    std::int32_t number = 0;
    std::string here;
    std::string scanner;
    std::string when;
};
std::vector<ComparisonRow> ComparisonRows(const vnChannelList& channels, const ScannerRecord& record);

// "155.4750, car 78, locked out": what a channel sends, in short.
std::string ChannelSummary(const vnChannel& channel);
// The grid's tooltip for a channel that differs: "The Pro-89 has 155.4750,
// car 78, sent 3 Dec 14:02."; empty when it does not differ.
std::string DifferenceTooltip(const vnChannel& here, const ScannerRecord& record);
// The status bar's count: "6 channels differ from the Pro-89"; empty for none.
std::string DifferenceCountText(std::int32_t count, const std::string& scanner);

// Said before Upload All or Upload Changed when channels are empty here but
// the scanner still holds what was sent to them: "2 channels are empty here,
// but the Pro-89 still holds ...". The question adds what Lock Them Out does.
std::string EmptiedText(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                        const ScannerRecord& record);
std::string EmptiedQuestion(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                            const ScannerRecord& record);
// The recorded channels of the emptied ones with Lockout set: sent again,
// the scanner skips them.
std::vector<vnChannel> LockOutChannels(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                                       const ScannerRecord& record);

// Channel numbers with runs written as ranges: "1–39, 45 and 50–52".
std::string NumberRanges(std::vector<std::int32_t> numbers);
// After a cancel or a failure: "Channels 1–39 were updated; 40–87 still hold
// what they held before." meant: the channels the upload meant to send in
// its order, of which the first finished reached the scanner.
std::string UpdatedText(const std::vector<vnChannel>& meant, std::int32_t finished);
// After a success: the first, a middle and the last channel sent, to check
// on the scanner's display.
std::string ChannelsToCheckText(const std::vector<vnChannel>& sent);
// Said once, after the first upload to a scanner without a record.
std::string EmptyNotSentNote();
