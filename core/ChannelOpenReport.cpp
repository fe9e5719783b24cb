#include "core/ChannelOpenReport.h"

#include "channels/vnChannelList.h"

#include <algorithm>
#include <utility>

namespace {

ChannelOpenReport Report(ChannelFileResult result, const std::string& name, const vnChannelList& channels)
{
    ChannelOpenReport report;
    report.name = name;
    const ChannelTableApplied& applied = result.applied;
    if (!result.ok)
        report.failure = ReadFailedMessage(name, result.reason);
    if (!result.ok && result.changed)
        report.readInPart = OpenedInPartMessage(name, result.reason, applied.rows);
    if (result.changed) {
        report.summary = ReadSummaryMessage(name, applied);
        report.hasNotes = HasReadNotes(applied);
        if (applied.linesNotLoaded > 0)
            report.notLoaded = LinesNotLoadedMessage(name, applied.linesNotLoaded, channels.GetCount());
    }
    report.result = std::move(result);
    return report;
}

} // namespace

std::string ChannelOpenReport::Notes() const
{
    std::string text = hasNotes ? summary : std::string();
    if (!notLoaded.empty())
        text += (text.empty() ? "" : "\n\n") + notLoaded;
    return text;
}

bool ChannelOpenReport::HasShortfall() const
{
    const auto& runs = result.applied.roleRuns;
    return result.applied.skipped > 0 || result.applied.linesNotLoaded > 0 || !result.applied.readNotes.empty() ||
        !result.applied.carNotes.empty() || !result.applied.offStep.empty() ||
        std::any_of(runs.begin(), runs.end(), [](const ChannelRoleRun& run) { return run.leftOut > 0; });
}

ChannelOpenReport OpenChannelFile(const std::string& path, vnChannelList& channels, const ChannelReadProgress& progress,
                                  const ChannelColumnChoice* choice, std::int32_t channelsPerBank)
{
    return Report(ReadChannelFile(path, channels, progress, choice, channelsPerBank), path, channels);
}

ChannelOpenReport OpenChannelDescriptor(int fd, const std::string& name, vnChannelList& channels,
                                        const ChannelColumnChoice* choice, std::int32_t channelsPerBank)
{
    return Report(ReadChannelDescriptor(fd, name, channels, choice, channelsPerBank), name, channels);
}
