#pragma once

#include "app/ChannelDocument.h"
#include "core/ChannelArrange.h"
#include "toolkit/CCmdTarget.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <vector>

class CFrameWnd;
class hvGridCtrl;

// The Edit commands that act on the grid's selected channels: the
// clipboard, Delete, inserting, removing, moving and sorting channels,
// locking them out, the
// grid's shortcut menu, the flags' check boxes and rows dragged by their
// number. Each first stores an open edit, asks the document and selects
// what the document says the channels now are. The frame offers it every
// command before its own.
class CGridEditCommands : public CCmdTarget
{
public:
    using ShowStatus = std::function<void(const ChannelDocument::Message&)>;

    CGridEditCommands(CFrameWnd& frame, hvGridCtrl& grid, ChannelDocument& document, ShowStatus showStatus);

    // The grid's shortcut menu at a point of its viewport.
    void ShowContextMenu(const QPoint& position);
    // A check-box cell turned over on the rows.
    void SetFlag(const std::vector<int>& rows, int column, bool checked);
    // Rows dragged by their number to stand before the row before.
    void MoveRowsTo(const std::vector<int>& rows, int before);

private:
    std::vector<std::int32_t> SelectedRows() const;
    void Copy();
    void Cut();
    void Paste();
    void Sort();
    // Lock Out and Unlock of the selected channels.
    void RegisterLockout();
    // Shows what an arranging command said, or selects its channels.
    void Show(const ChannelDocument::Arranged& arranged);

    CFrameWnd& m_frame;
    hvGridCtrl& m_grid;
    ChannelDocument& m_document;
    ShowStatus m_showStatus;
    ChannelArrange::SortOrder m_sortOrder; // the last one chosen
};
