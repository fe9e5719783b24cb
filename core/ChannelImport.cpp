#include "core/ChannelImport.h"

#include "channels/vnChannelList.h"
#include "channels/vnWords.h"

#include <algorithm>

namespace {

bool IsEmptyChannel(const vnChannel& channel)
{
    return channel.GetFrequency().GetMHz() == 0.0;
}

std::string Channels(std::int32_t count)
{
    return vnWords::Count(vnCounted::Channels, count);
}

} // namespace

ChannelImport PlaceImportedChannels(const vnChannelList& channels, std::int32_t firstRow, const vnChannelList& imported)
{
    ChannelImport import;
    const std::int32_t rows = channels.GetCount();
    std::int32_t slot = std::max(firstRow, 0);
    for (std::int32_t i = 0; i < imported.GetCount(); ++i) {
        const vnChannel& channel = *imported.GetAt(i);
        if (IsEmptyChannel(channel))
            continue;
        ++import.read;
        while (slot < rows && !IsEmptyChannel(*channels.GetAt(slot)))
            ++slot;
        if (slot >= rows) {
            ++import.notFitted;
            continue;
        }
        vnChannel placed = channel;
        placed.SetNumber(channels.GetAt(slot)->GetNumber());
        import.placements.push_back({slot, placed});
        ++slot;
    }
    return import;
}

std::string ImportSummaryMessage(const std::string& fileName, const ChannelTableApplied& applied,
                                 const ChannelImport& import, std::int32_t firstChannel)
{
    // Lines of Scanlore's own layout without a frequency are empty channels,
    // not channels read: the count is of those that can be added.
    ChannelTableApplied read = applied;
    read.rows = import.read;
    std::string message = ReadSummaryMessage(fileName, read);
    if (applied.linesNotLoaded > 0)
        message +=
            " " + vnWords::Count(vnCounted::Lines, applied.linesNotLoaded) + " beyond the channel list were not read.";
    const std::int32_t added = static_cast<std::int32_t>(import.placements.size());
    const std::string from = "from channel " + std::to_string(firstChannel) + " on";
    if (import.read == 0)
        return message + " Nothing was added.";
    if (added > 0)
        message += " Added " + Channels(added) + " to the empty channels " + from + ".";
    if (import.notFitted > 0)
        message += " " + Channels(import.notFitted) + " did not fit: " +
            (added > 0 ? std::string("no empty channel was left.") : "there is no empty channel " + from + ".");
    return message;
}
