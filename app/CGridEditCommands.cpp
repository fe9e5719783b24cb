#include "app/CGridEditCommands.h"

#include "app/CSortDlg.h"
#include "grid/hvGridCtrl.h"
#include "res/ResourceIds.h"
#include "toolkit/CCmdUI.h"
#include "toolkit/CFrameWnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>

namespace {

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

} // namespace

CGridEditCommands::CGridEditCommands(CFrameWnd& frame, hvGridCtrl& grid, ChannelDocument& document,
                                     ShowStatus showStatus)
    : m_frame(frame), m_grid(grid), m_document(document), m_showStatus(std::move(showStatus))
{
    OnCommand(ID_EDIT_CUT, [this] { Cut(); });
    OnCommand(ID_EDIT_COPY, [this] { Copy(); });
    OnCommand(ID_EDIT_PASTE, [this] { Paste(); });
    OnCommand(ID_EDIT_DELETE,
              [this] { m_showStatus(m_document.Clear(SelectedRows(), ChannelDocument::ClearCommand::Delete)); });
    OnCommand(ID_EDIT_INSERT_CHANNEL, [this] { Show(m_document.InsertEmpty(SelectedRows())); });
    OnCommand(ID_EDIT_REMOVE_CHANNEL, [this] { Show(m_document.Remove(SelectedRows())); });
    OnCommand(ID_EDIT_MOVE_UP, [this] { Show(m_document.Move(SelectedRows(), -1)); });
    OnCommand(ID_EDIT_MOVE_DOWN, [this] { Show(m_document.Move(SelectedRows(), 1)); });
    OnCommand(ID_EDIT_SORT, [this] { Sort(); });
    RegisterLockout();

    // Greyed while there is nothing to act on.
    const auto needSelection = [this](CCmdUI& ui) { ui.Enable(m_grid.selectionModel()->hasSelection()); };
    for (const int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DELETE, ID_EDIT_INSERT_CHANNEL, ID_EDIT_REMOVE_CHANNEL,
                         ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN})
        OnUpdateCommandUI(id, needSelection);
    OnUpdateCommandUI(ID_EDIT_PASTE,
                      [this](CCmdUI& ui) { ui.Enable(m_document.GetCount() > 0 && ClipboardHasText()); });
    OnUpdateCommandUI(ID_EDIT_SORT, [this](CCmdUI& ui) { ui.Enable(m_document.GetCount() > 1); });
}

std::vector<std::int32_t> CGridEditCommands::SelectedRows() const
{
    const std::vector<int> rows = m_grid.GetSelectedRows();
    return {rows.begin(), rows.end()};
}

void CGridEditCommands::Show(const ChannelDocument::Arranged& arranged)
{
    m_showStatus(arranged.message);
    if (!arranged.selected.empty())
        m_grid.SelectRows({arranged.selected.begin(), arranged.selected.end()});
}

void CGridEditCommands::Copy()
{
    if (const std::vector<std::int32_t> rows = SelectedRows(); !rows.empty())
        QGuiApplication::clipboard()->setMimeData(m_document.Copy(rows).release());
}

void CGridEditCommands::Cut()
{
    Copy();
    m_showStatus(m_document.Clear(SelectedRows(), ChannelDocument::ClearCommand::Cut));
}

void CGridEditCommands::Paste()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    int firstRow = m_grid.GetFocusedItem();
    if (firstRow < 0)
        firstRow = std::max(m_grid.GetNextSelectedItem(-1), 0);
    // Cells from elsewhere go into the shown columns from the current one
    // rightwards, as the user sees them.
    std::vector<ChannelField> fields;
    for (const int column : m_grid.GetEditableColumnsFrom(m_grid.GetCurrentColumn()))
        fields.push_back(*FieldOfColumn(column));
    m_showStatus(m_document.Paste(data->text().toStdString(), firstRow, fields));
}

void CGridEditCommands::Sort()
{
    const std::vector<std::int32_t> rows = SelectedRows();
    // With channels selected, one slip must not sort the whole list: the
    // dialog opens on the selection.
    ChannelArrange::SortOrder offered = m_sortOrder;
    if (rows.size() > 1)
        offered.scope = ChannelArrange::SortScope::Selection;
    CSortDlg dialog(offered, rows.size() > 1, &m_frame);
    if (dialog.DoModal() != IDOK)
        return;
    m_sortOrder = dialog.GetOrder();
    const ChannelDocument::Arranged sorted = m_document.Sort(rows, m_sortOrder);
    m_showStatus(sorted.message);
}

void CGridEditCommands::SetFlag(const std::vector<int>& rows, int column, bool checked)
{
    if (const auto field = FieldOfColumn(column); field && GetFieldInfo(*field).flag)
        m_showStatus(m_document.SetFlag({rows.begin(), rows.end()}, *field, checked));
}

void CGridEditCommands::MoveRowsTo(const std::vector<int>& rows, int before)
{
    Show(m_document.MoveTo({rows.begin(), rows.end()}, before));
}

void CGridEditCommands::ShowContextMenu(const QPoint& position)
{
    if (!m_grid.SelectForContextMenu(position))
        return;
    const std::unique_ptr<QMenu> menu =
        m_frame.CreateCommandMenu({ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, 0, ID_EDIT_INSERT_CHANNEL,
                                   ID_EDIT_REMOVE_CHANNEL, ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN, ID_EDIT_SORT, 0,
                                   ID_EDIT_LOCK_OUT, ID_EDIT_UNLOCK, 0, ID_TRANSFER_UPLOAD_SELECTED});
    m_frame.TrackPopupMenu(*menu, m_grid.viewport()->mapToGlobal(position));
}

void CGridEditCommands::RegisterLockout()
{
    OnCommand(ID_EDIT_LOCK_OUT, [this] { m_showStatus(m_document.SetLockout(SelectedRows(), true)); });
    OnCommand(ID_EDIT_UNLOCK, [this] { m_showStatus(m_document.SetLockout(SelectedRows(), false)); });
    for (const int id : {ID_EDIT_LOCK_OUT, ID_EDIT_UNLOCK})
        OnUpdateCommandUI(id, [this](CCmdUI& ui) { ui.Enable(m_grid.selectionModel()->hasSelection()); });
}
