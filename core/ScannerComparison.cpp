#include "core/ScannerComparison.h"

#include "channels/vnChannelList.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <set>

namespace {

// The frequency as the upload writes it: megahertz with four decimals.
std::string SentMHz(const vnChannel& channel)
{
    return vnText::FixedText(channel.GetFrequency().GetMHz(), 4);
}

bool HasFrequency(const vnChannel& channel)
{
    return channel.GetFrequency().GetMHz() != 0.0;
}

bool SendsTheSame(const vnChannel& a, const vnChannel& b)
{
    return SentMHz(a) == SentMHz(b) && a.GetCarNumber() == b.GetCarNumber() && a.GetDelay() == b.GetDelay() &&
        a.GetLockout() == b.GetLockout() && a.GetPriority() == b.GetPriority();
}

std::string Numbered(const vnChannel& channel)
{
    return std::to_string(channel.GetNumber()) + " (" + ChannelSummary(channel) + ")";
}

} // namespace

ScannerDifference CompareWithScanner(const vnChannel& here, const ScannerMemory& there)
{
    switch (there.state) {
    case ScannerMemory::State::NothingSent:
        return HasFrequency(here) ? ScannerDifference::NotSent : ScannerDifference::Same;
    case ScannerMemory::State::Unknown:
        return HasFrequency(here) ? ScannerDifference::Unknown : ScannerDifference::Same;
    case ScannerMemory::State::Sent:
        break;
    }
    if (!HasFrequency(here))
        // A memory locked out on the scanner is skipped: nothing left to do.
        return there.channel.GetLockout() ? ScannerDifference::Same : ScannerDifference::Emptied;
    return SendsTheSame(here, there.channel) ? ScannerDifference::Same : ScannerDifference::Changed;
}

std::vector<ChannelDifference> FindDifferences(const vnChannelList& channels, const ScannerRecord& record)
{
    std::vector<ChannelDifference> differences;
    for (std::int32_t index = 0; index < channels.GetCount(); ++index) {
        const vnChannel& channel = *channels.GetAt(index);
        const ScannerDifference kind = CompareWithScanner(channel, record.Find(channel.GetNumber()));
        if (kind != ScannerDifference::Same)
            differences.push_back({index, kind});
    }
    return differences;
}

std::vector<std::int32_t> ChangedIndexes(const std::vector<ChannelDifference>& differences)
{
    std::vector<std::int32_t> indexes;
    for (const ChannelDifference& difference : differences)
        if (difference.kind != ScannerDifference::Emptied)
            indexes.push_back(difference.index);
    return indexes;
}

std::vector<std::int32_t> EmptiedIndexes(const std::vector<ChannelDifference>& differences)
{
    std::vector<std::int32_t> indexes;
    for (const ChannelDifference& difference : differences)
        if (difference.kind == ScannerDifference::Emptied)
            indexes.push_back(difference.index);
    return indexes;
}

std::vector<ComparisonRow> ComparisonRows(const vnChannelList& channels, const ScannerRecord& record)
{
    std::vector<ComparisonRow> rows;
    for (const ChannelDifference& difference : FindDifferences(channels, record)) {
        const vnChannel& here = *channels.GetAt(difference.index);
        const ScannerMemory there = record.Find(here.GetNumber());
        ComparisonRow row;
        row.number = here.GetNumber();
        row.here = ChannelSummary(here);
        switch (there.state) {
        case ScannerMemory::State::NothingSent:
            row.scanner = vnWords::Say(IDS_MEMORY_NOTHING_SENT);
            break;
        case ScannerMemory::State::Unknown:
            row.scanner = vnWords::Say(IDS_MEMORY_UNKNOWN);
            row.when = ScannerRecord::ShortTime(there.when);
            break;
        case ScannerMemory::State::Sent:
            row.scanner = ChannelSummary(there.channel);
            row.when = ScannerRecord::ShortTime(there.when);
            break;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string ChannelSummary(const vnChannel& channel)
{
    if (!HasFrequency(channel))
        return vnWords::Say(IDS_MEMORY_EMPTY);
    std::string text = SentMHz(channel);
    if (!channel.GetCarNumber().empty())
        text += vnWords::Say(IDS_MEMORY_CAR, {channel.GetCarNumber()});
    if (channel.GetDelay())
        text += vnWords::Say(IDS_MEMORY_DELAY);
    if (channel.GetLockout())
        text += vnWords::Say(IDS_MEMORY_LOCKED_OUT);
    if (channel.GetPriority())
        text += vnWords::Say(IDS_MEMORY_PRIORITY);
    return text;
}

std::string DifferenceTooltip(const vnChannel& here, const ScannerRecord& record)
{
    const ScannerMemory there = record.Find(here.GetNumber());
    const std::string& scanner = record.GetScanner();
    const std::string number = std::to_string(here.GetNumber());
    switch (CompareWithScanner(here, there)) {
    case ScannerDifference::Same:
        return {};
    case ScannerDifference::NotSent:
        return record.IsEmpty() ? vnWords::Say(IDS_NOTHING_SENT_TO_SCANNER, {scanner})
                                : vnWords::Say(IDS_NOTHING_SENT_TO_CHANNEL, {number, scanner});
    case ScannerDifference::Unknown:
        return vnWords::Say(IDS_CHANNEL_UNKNOWN, {ScannerRecord::ShortTime(there.when), number, scanner});
    case ScannerDifference::Emptied:
        return vnWords::Say(IDS_CHANNEL_EMPTIED,
                            {scanner, ChannelSummary(there.channel), ScannerRecord::ShortTime(there.when)});
    case ScannerDifference::Changed:
        break;
    }
    return vnWords::Say(IDS_CHANNEL_CHANGED,
                        {scanner, ChannelSummary(there.channel), ScannerRecord::ShortTime(there.when)});
}

std::string DifferenceCountText(std::int32_t count, const std::string& scanner)
{
    if (count <= 0)
        return {};
    return vnWords::Count(vnCounted::ChannelsDiffer, count, {scanner});
}

std::string EmptiedQuestion(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                            const ScannerRecord& record)
{
    return EmptiedText(channels, emptied, record) + "\n\n" +
        vnWords::Count(vnCounted::LockThemOut, static_cast<std::int64_t>(emptied.size()));
}

std::string EmptiedText(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                        const ScannerRecord& record)
{
    std::vector<std::string> held;
    std::vector<std::string> dates;
    for (const std::int32_t index : emptied) {
        const ScannerMemory memory = record.Find(channels.GetAt(index)->GetNumber());
        held.push_back(Numbered(memory.channel));
        const std::string date = ScannerRecord::ShortTime(memory.when, true);
        if (std::find(dates.begin(), dates.end(), date) == dates.end())
            dates.push_back(date);
    }
    return vnWords::Count(vnCounted::ChannelsEmptiedHere, static_cast<std::int64_t>(emptied.size()),
                          {record.GetScanner(), vnWords::List(dates), vnWords::List(held)});
}

std::vector<vnChannel> LockOutChannels(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                                       const ScannerRecord& record)
{
    std::vector<vnChannel> locked;
    for (const std::int32_t index : emptied) {
        vnChannel channel = record.Find(channels.GetAt(index)->GetNumber()).channel;
        channel.SetLockout(true);
        locked.push_back(channel);
    }
    return locked;
}

std::string NumberRanges(std::vector<std::int32_t> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            ++last;
        runs.push_back(last == i ? std::to_string(numbers[i])
                                 : std::to_string(numbers[i]) + "\u2013" + std::to_string(numbers[last]));
        i = last + 1;
    }
    return vnWords::List(runs);
}

std::string UpdatedText(const std::vector<vnChannel>& meant, std::int32_t finished)
{
    std::vector<std::int32_t> updated;
    std::vector<std::int32_t> rest;
    for (std::size_t i = 0; i < meant.size(); ++i)
        (static_cast<std::int32_t>(i) < finished ? updated : rest).push_back(meant[i].GetNumber());
    std::string text = updated.empty()
        ? vnWords::Say(IDS_NO_CHANNEL_UPDATED)
        : vnWords::Count(vnCounted::ChannelsUpdated, static_cast<std::int64_t>(updated.size()),
                         {NumberRanges(updated)});
    if (rest.empty())
        return text + ".";
    // After the updated channels the rest go by their numbers alone.
    const vnCounted still = updated.empty() ? vnCounted::ChannelsStillHold : vnCounted::NumbersStillHold;
    return text + "; " + vnWords::Count(still, static_cast<std::int64_t>(rest.size()), {NumberRanges(rest)});
}

std::string ChannelsToCheckText(const std::vector<vnChannel>& sent)
{
    std::vector<std::size_t> picks;
    for (const std::size_t pick : {std::size_t{0}, sent.size() / 2, sent.size() - 1})
        if (pick < sent.size() && std::find(picks.begin(), picks.end(), pick) == picks.end())
            picks.push_back(pick);
    std::vector<std::string> named;
    for (const std::size_t pick : picks)
        named.push_back(Numbered(sent[pick]));
    if (named.empty())
        return {};
    return vnWords::Say(IDS_CHECK_ON_DISPLAY, {vnWords::List(named)});
}

std::string EmptyNotSentNote()
{
    return vnWords::Say(IDS_EMPTY_NOT_SENT);
}
