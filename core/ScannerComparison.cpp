#include "core/ScannerComparison.h"

#include "channels/vnChannelList.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace {

// The frequency as the upload writes it: megahertz with four decimals.
std::string SentMHz(const vnChannel& channel)
{
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, channel.GetFrequency().GetMHz(), std::chars_format::fixed, 4).ptr;
    return std::string(text, end);
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

std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
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
            row.scanner = "nothing sent";
            break;
        case ScannerMemory::State::Unknown:
            row.scanner = "unknown: an upload stopped";
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
        return "empty";
    std::string text = SentMHz(channel);
    if (!channel.GetCarNumber().empty())
        text += ", car " + channel.GetCarNumber();
    if (channel.GetDelay())
        text += ", delay";
    if (channel.GetLockout())
        text += ", locked out";
    if (channel.GetPriority())
        text += ", priority";
    return text;
}

std::string DifferenceTooltip(const vnChannel& here, const ScannerRecord& record)
{
    const ScannerMemory there = record.Find(here.GetNumber());
    const std::string& scanner = record.GetScanner();
    switch (CompareWithScanner(here, there)) {
    case ScannerDifference::Same:
        return {};
    case ScannerDifference::NotSent:
        return record.IsEmpty() ? "Nothing sent to the " + scanner + " from this computer yet."
                                : "Nothing sent to channel " + std::to_string(here.GetNumber()) + " of the " + scanner +
                " from this computer yet.";
    case ScannerDifference::Unknown:
        return "The upload of " + ScannerRecord::ShortTime(there.when) + " stopped before channel " +
            std::to_string(here.GetNumber()) + " surely reached the " + scanner +
            ": it holds the old channel or the new one.";
    case ScannerDifference::Emptied:
        return "The " + scanner + " still has " + ChannelSummary(there.channel) + ", sent " +
            ScannerRecord::ShortTime(there.when) +
            ". An upload cannot clear it; Lock Them Out makes the scanner skip it.";
    case ScannerDifference::Changed:
        break;
    }
    return "The " + scanner + " has " + ChannelSummary(there.channel) + ", sent " +
        ScannerRecord::ShortTime(there.when) + ".";
}

std::string DifferenceCountText(std::int32_t count, const std::string& scanner)
{
    if (count <= 0)
        return {};
    return std::to_string(count) + (count == 1 ? " channel differs" : " channels differ") + " from the " + scanner;
}

std::string EmptiedQuestion(const vnChannelList& channels, const std::vector<std::int32_t>& emptied,
                            const ScannerRecord& record)
{
    const char* them = emptied.size() == 1 ? "it" : "them";
    return EmptiedText(channels, emptied, record) + "\n\nLock Them Out sends " + them +
        " again with Lockout set, so the scanner skips " + them + ".";
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
    const bool one = emptied.size() == 1;
    return (one ? std::string("1 channel is") : std::to_string(emptied.size()) + " channels are") +
        " empty here, but the " + record.GetScanner() + " still holds what was sent on " + Joined(dates) + ": " +
        Joined(held) + ". A one-way upload cannot clear " + (one ? "it" : "them") + ".";
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
    return Joined(runs);
}

std::string UpdatedText(const std::vector<vnChannel>& meant, std::int32_t finished)
{
    std::vector<std::int32_t> updated;
    std::vector<std::int32_t> rest;
    for (std::size_t i = 0; i < meant.size(); ++i)
        (static_cast<std::int32_t>(i) < finished ? updated : rest).push_back(meant[i].GetNumber());
    std::string text = updated.empty() ? std::string("No channel was updated")
                                       : (updated.size() == 1 ? "Channel " : "Channels ") + NumberRanges(updated) +
            (updated.size() == 1 ? " was updated" : " were updated");
    if (rest.empty())
        return text + ".";
    text += !updated.empty() ? "; " : rest.size() == 1 ? "; channel " : "; channels ";
    return text + NumberRanges(rest) +
        (rest.size() == 1 ? " still holds what it held before." : " still hold what they held before.");
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
    return "Check on the scanner's display: " + Joined(named) + ".";
}

std::string EmptyNotSentNote()
{
    return "Channels empty here are not sent: the scanner keeps what it held in them.";
}
