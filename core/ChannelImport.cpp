#include "core/ChannelImport.h"

#include "channels/vnChannelList.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

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

// A race list's roles, each whole from a bank border or left out.
ChannelImport PlaceRoles(const vnChannelList& channels, std::int32_t firstRow, const vnChannelList& imported,
                         const std::vector<ChannelRoleRun>& runs, std::int32_t channelsPerBank)
{
    ChannelImport import;
    const std::int32_t rows = channels.GetCount();
    const std::int32_t bank = std::max(channelsPerBank, 1);
    std::int32_t next = std::max(firstRow, 0);
    for (const ChannelRoleRun& run : runs) {
        ChannelRoleRun placed;
        placed.role = run.role;
        const auto size = static_cast<std::int32_t>(run.indexes.size());
        import.read += size;
        std::vector<std::int32_t> slots;
        for (std::int32_t slot = (next + bank - 1) / bank * bank;
             slot < rows && static_cast<std::int32_t>(slots.size()) < size; ++slot)
            if (IsEmptyChannel(*channels.GetAt(slot)))
                slots.push_back(slot);
        if (size == 0 || static_cast<std::int32_t>(slots.size()) < size) {
            placed.leftOut = size + run.leftOut;
            import.notFitted += placed.leftOut;
            import.runs.push_back(std::move(placed));
            continue;
        }
        for (std::int32_t i = 0; i < size; ++i) {
            vnChannel channel = *imported.GetAt(run.indexes[static_cast<std::size_t>(i)]);
            channel.SetNumber(channels.GetAt(slots[static_cast<std::size_t>(i)])->GetNumber());
            import.placements.push_back({slots[static_cast<std::size_t>(i)], channel});
        }
        placed.indexes = slots;
        placed.firstNumber = channels.GetAt(slots.front())->GetNumber();
        placed.lastNumber = channels.GetAt(slots.back())->GetNumber();
        next = slots.back() + 1;
        import.runs.push_back(std::move(placed));
    }
    return import;
}

} // namespace

ChannelImport PlaceImportedChannels(const vnChannelList& channels, std::int32_t firstRow, const vnChannelList& imported,
                                    const std::vector<ChannelRoleRun>& runs, std::int32_t channelsPerBank)
{
    if (!runs.empty())
        return PlaceRoles(channels, firstRow, imported, runs, channelsPerBank);
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
    // A race list's roles went where the import put them, not where the
    // read did; the roles left out say what did not fit.
    const bool roles = !applied.roleRuns.empty();
    if (roles)
        read.roleRuns = import.runs;
    std::string message = ReadSummaryMessage(fileName, read);
    if (applied.linesNotLoaded > 0)
        message += " " + vnWords::Count(vnCounted::LinesNotRead, applied.linesNotLoaded);
    const std::int32_t added = static_cast<std::int32_t>(import.placements.size());
    const std::string first = std::to_string(firstChannel);
    if (import.read == 0)
        return message + " " + vnWords::Say(IDS_IMPORT_NOTHING_ADDED);
    if (added > 0)
        message += " " + vnWords::Say(IDS_IMPORT_ADDED, {Channels(added), first});
    if (import.notFitted > 0 && !roles)
        message += " " +
            vnWords::Say(added > 0 ? IDS_IMPORT_NO_EMPTY_LEFT : IDS_IMPORT_NO_EMPTY,
                         {Channels(import.notFitted), first});
    return message;
}
