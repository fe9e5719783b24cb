#pragma once

#include "channels/vnChannel.h"

#include <QUndoCommand>

#include <cstdint>
#include <functional>
#include <vector>

class vnChannelList;

// One undoable step: new values for some channels of the list, kept whole on
// both sides so that undo restores exactly what was there (the frequency in
// hertz, not the text the cell showed).
class ChannelEditCommand : public QUndoCommand
{
public:
    struct Change
    {
        std::int32_t index;
        vnChannel before;
        vnChannel after;
    };
    // Told the first and last list index that a step changed.
    using RowsChanged = std::function<void(std::int32_t first, std::int32_t last)>;

    // The list must outlive the command. Changes that leave their channel as
    // it was are dropped; IsEmpty tells whether any remain.
    ChannelEditCommand(vnChannelList& channels, std::vector<Change> changes, const QString& text,
                       RowsChanged rowsChanged);

    bool IsEmpty() const { return m_changes.empty(); }

    void undo() override;
    void redo() override;

private:
    void Apply(bool after);

    vnChannelList& m_channels;
    std::vector<Change> m_changes;
    RowsChanged m_rowsChanged;
};
