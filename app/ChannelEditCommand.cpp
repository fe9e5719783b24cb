#include "app/ChannelEditCommand.h"

#include "channels/vnChannelList.h"

#include <algorithm>

ChannelEditCommand::ChannelEditCommand(vnChannelList& channels, std::vector<Change> changes, const QString& text,
                                       RowsChanged rowsChanged)
    : QUndoCommand(text), m_channels(channels), m_changes(std::move(changes)), m_rowsChanged(std::move(rowsChanged))
{
    std::erase_if(m_changes, [&](const Change& change) {
        return change.before == change.after || !m_channels.GetAt(change.index);
    });
}

void ChannelEditCommand::undo()
{
    Apply(false);
}

void ChannelEditCommand::redo()
{
    Apply(true);
}

void ChannelEditCommand::Apply(bool after)
{
    if (m_changes.empty())
        return;
    std::int32_t first = m_changes.front().index;
    std::int32_t last = first;
    for (const Change& change : m_changes) {
        if (vnChannel* channel = m_channels.GetAt(change.index))
            *channel = after ? change.after : change.before;
        first = std::min(first, change.index);
        last = std::max(last, change.index);
    }
    if (m_rowsChanged)
        m_rowsChanged(first, last);
}
