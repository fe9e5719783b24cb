#include "grid/hvGridCtrl.h"

#include "grid/hvGridCtrlEdit.h"
#include "grid/hvGridDelegate.h"
#include "grid/hvGridModel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace {

using Action = hvGridKey::Action;

// The keys the grid handles, which the help lists; keyPressEvent acts on
// this table, so the two cannot differ.
constexpr hvGridKey kKeys[] = {
    {Qt::Key_Left, Action::Navigate, "Makes the cell to the left current."},
    {Qt::Key_Right, Action::Navigate, "Makes the cell to the right current."},
    {Qt::Key_Up, Action::Navigate, "Selects the channel above."},
    {Qt::Key_Down, Action::Navigate, "Selects the channel below."},
    {Qt::SHIFT | Qt::Key_Up, Action::Navigate, "Extends the selection up."},
    {Qt::SHIFT | Qt::Key_Down, Action::Navigate, "Extends the selection down."},
    {Qt::Key_Home, Action::Navigate, "Makes the first column's cell current; the selected channels stay selected."},
    {Qt::Key_End, Action::Navigate, "Makes the last column's cell current; the selected channels stay selected."},
    {Qt::CTRL | Qt::Key_Home, Action::Navigate, "Selects the first channel."},
    {Qt::CTRL | Qt::Key_End, Action::Navigate, "Selects the last channel."},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Home, Action::Navigate, "Extends the selection to the first channel."},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_End, Action::Navigate, "Extends the selection to the last channel."},
    {Qt::Key_PageUp, Action::Navigate, "Selects the channel a page up."},
    {Qt::Key_PageDown, Action::Navigate, "Selects the channel a page down."},
    {Qt::Key_F2, Action::Edit, "Opens the editor on the current cell, keeping its text."},
    {Qt::Key_Space, Action::Toggle,
     "Turns the current check box (Delay, Lockout, Priority) on or off, on every selected channel."},
    {QKeyCombination(), Action::Type,
     "Any character opens the editor on the current cell with that character; Enter opens it and moves "
     "right."},
};

// Keys that the grid treats as typed characters: they open the editor on
// the current cell and become its first keystroke.
bool IsCharacterKey(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        return true;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

constexpr int MinimumEditableWidth = 5;
// The editor reaches this far into the row above, so its frame does not
// hide the cell's text.
constexpr int EditorOverlapAbove = 3;

} // namespace

hvGridCtrlOwner::~hvGridCtrlOwner()
{
    if (m_grid)
        m_grid->DetachOwner();
}

hvGridCtrl::hvGridCtrl(hvGridCtrlOwner* owner, QWidget* parent)
    : QTableView(parent), m_owner(owner), m_model(new hvGridModel(owner, this)), m_delegate(new hvGridDelegate(this))
{
    setObjectName(QStringLiteral("grid"));
    if (m_owner) {
        if (m_owner->m_grid)
            m_owner->m_grid->DetachOwner();
        m_owner->m_grid = this;
    }
    setModel(m_model);
    setItemDelegate(m_delegate);

    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    verticalHeader()->hide();
    const int rowHeight = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(0);
    // A width given to the fill column, by the program or by the user's
    // dragging, is its own; any other column's change moves the room left.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (m_filling || !IsColumnShown(column))
            return;
        if (column == m_fillColumn)
            m_fillWidth = width;
        FillWidth();
    });

    // A scroll bar used with the mouse ends an open edit before the list
    // moves, as the wheel does.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        connect(bar, &QAbstractSlider::actionTriggered, this, [this](int) { TakeFocusBeforeScrolling(); });
        connect(bar, &QAbstractSlider::sliderPressed, this, [this] { TakeFocusBeforeScrolling(); });
    }
}

hvGridCtrl::~hvGridCtrl()
{
    DetachOwner();
}

void hvGridCtrl::DetachOwner()
{
    // An editor still open reports nothing once the owner is gone.
    for (hvGridCtrlEdit* editor : viewport()->findChildren<hvGridCtrlEdit*>(Qt::FindDirectChildrenOnly))
        editor->CloseWithoutReport(false);
    if (m_owner && m_owner->m_grid == this)
        m_owner->m_grid = nullptr;
    m_owner = nullptr;
    m_model->SetOwner(nullptr);
}

void hvGridCtrl::SetOwnerData(bool ownerData)
{
    m_model->SetOwnerData(ownerData);
}

bool hvGridCtrl::IsOwnerData() const
{
    return m_model->IsOwnerData();
}

int hvGridCtrl::InsertColumn(int index, const QString& title, int format, int width)
{
    const int column = m_model->InsertColumn(index, title, format);
    if (column >= 0)
        setColumnWidth(column, width);
    return column;
}

void hvGridCtrl::SetColumnFormat(int column, int format)
{
    m_model->SetColumnFormat(column, format);
}

int hvGridCtrl::GetColumnFormat(int column) const
{
    return m_model->GetColumnFormat(column);
}

int hvGridCtrl::GetColumnWidth(int column) const
{
    if (const auto hidden = m_hiddenWidths.find(column); hidden != m_hiddenWidths.end())
        return hidden->second;
    if (column == m_fillColumn)
        return m_fillWidth;
    return columnWidth(column);
}

void hvGridCtrl::SetColumnWidth(int column, int width)
{
    if (const auto hidden = m_hiddenWidths.find(column); hidden != m_hiddenWidths.end()) {
        hidden->second = width;
        return;
    }
    if (column == m_fillColumn)
        m_fillWidth = width;
    setColumnWidth(column, width);
    FillWidth();
}

void hvGridCtrl::SetColumnShown(int column, bool shown)
{
    if (column < 0 || column >= GetColumnCount() || shown == IsColumnShown(column))
        return;
    if (shown) {
        const int width = m_hiddenWidths[column];
        m_hiddenWidths.erase(column);
        setColumnHidden(column, false);
        setColumnWidth(column, width);
    } else {
        m_hiddenWidths[column] = GetColumnWidth(column);
        setColumnHidden(column, true);
    }
    FillWidth();
}

bool hvGridCtrl::IsColumnShown(int column) const
{
    return !isColumnHidden(column);
}

std::vector<int> hvGridCtrl::GetColumnOrder() const
{
    std::vector<int> order;
    const QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        order.push_back(header->logicalIndex(visual));
    return order;
}

void hvGridCtrl::SetColumnOrder(const std::vector<int>& order)
{
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int column = 0; column < static_cast<int>(sorted.size()); ++column)
        if (sorted[static_cast<std::size_t>(column)] != column)
            return;
    if (static_cast<int>(order.size()) != GetColumnCount())
        return;
    QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < static_cast<int>(order.size()); ++visual)
        header->moveSection(header->visualIndex(order[static_cast<std::size_t>(visual)]), visual);
}

int hvGridCtrl::GetAdjacentColumn(int column, int step) const
{
    const QHeaderView* header = horizontalHeader();
    for (int visual = header->visualIndex(column) + step; visual >= 0 && visual < header->count(); visual += step) {
        const int next = header->logicalIndex(visual);
        if (next != 0 && IsColumnShown(next))
            return next;
    }
    return -1;
}

void hvGridCtrl::SetFillColumn(int column)
{
    m_fillColumn = column;
    m_fillWidth = column >= 0 ? columnWidth(column) : 0;
    FillWidth();
}

void hvGridCtrl::FillWidth()
{
    if (m_fillColumn < 0 || m_fillColumn >= GetColumnCount() || !IsColumnShown(m_fillColumn))
        return;
    int others = 0;
    for (int column = 0; column < GetColumnCount(); ++column)
        if (column != m_fillColumn && IsColumnShown(column))
            others += columnWidth(column);
    const int width = std::max(m_fillWidth, viewport()->width() - others);
    if (width == columnWidth(m_fillColumn))
        return;
    m_filling = true;
    setColumnWidth(m_fillColumn, width);
    m_filling = false;
}

bool hvGridCtrl::viewportEvent(QEvent* event)
{
    // The menu key opens a shortcut menu over the focused cell rather than
    // over whatever row lies in the middle of the grid.
    if (event->type() == QEvent::ContextMenu && contextMenuPolicy() == Qt::CustomContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard && currentIndex().isValid()) {
            emit customContextMenuRequested(visualRect(currentIndex()).center());
            return true;
        }
    }
    // The viewport also changes width when a scroll bar comes or goes.
    const bool result = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        FillWidth();
    return result;
}

int hvGridCtrl::GetColumnCount() const
{
    return m_model->columnCount();
}

int hvGridCtrl::GetItemCount() const
{
    return m_model->rowCount();
}

int hvGridCtrl::InsertItem(int row)
{
    return m_model->InsertRow(row);
}

void hvGridCtrl::DeleteAllItems()
{
    // An open editor's row is about to vanish; its edit has nowhere to go,
    // and reporting it later would write into whatever row takes the index.
    DiscardOpenEditor();
    m_model->RemoveAllRows();
}

std::vector<int> hvGridCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    for (int row = GetNextSelectedItem(-1); row != -1; row = GetNextSelectedItem(row))
        rows.push_back(row);
    return rows;
}

void hvGridCtrl::SelectOnly(int row)
{
    SelectRows({row});
}

void hvGridCtrl::SelectRows(const std::vector<int>& rows)
{
    // An open edit ends where it is before the grid moves away from it.
    CommitEdit();
    if (rows.empty() || rows.front() < 0 || rows.front() >= GetItemCount())
        return;
    SelectAlone(m_model->index(rows.front(), GetCurrentColumn()));
    for (const int row : rows)
        SetItemSelected(row, true);
    EnsureRowVisible(rows.front());
    setFocus(Qt::OtherFocusReason);
}

int hvGridCtrl::GetCurrentColumn() const
{
    const auto usable = [this](int column) { return column > 0 && column < GetColumnCount() && IsColumnShown(column); };
    if (const int current = currentIndex().column(); usable(current))
        return current;
    if (usable(m_typingColumn))
        return m_typingColumn;
    return std::max(GetAdjacentColumn(0, 1), 0);
}

void hvGridCtrl::MakeCurrent(int row, int column)
{
    const QModelIndex cell = m_model->index(row, column);
    // The caller places the cell in view as it needs to.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    if (IsItemSelected(row))
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    else
        SelectAlone(cell);
    setAutoScroll(scrolls);
}

void hvGridCtrl::SelectAlone(const QModelIndex& cell)
{
    // The view's own setCurrentIndex makes a cell the anchor of Shift+arrows
    // when its selection command is neither Shift's nor Ctrl's; the command
    // would otherwise follow whatever modifier keys happen to be down.
    m_selectingAlone = true;
    QAbstractItemView::setCurrentIndex(cell);
    m_selectingAlone = false;
}

QItemSelectionModel::SelectionFlags hvGridCtrl::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    if (m_selectingAlone)
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    if (event && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool control = key->modifiers() & Qt::ControlModifier;
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            // Along the row the current cell moves and the selected rows
            // stay, so that Space or typing then acts on all of them.
            if (!control && IsItemSelected(currentIndex().row()))
                return QItemSelectionModel::NoUpdate;
            // Ctrl+Home and Ctrl+End select the first or last channel, with
            // Shift from the anchor, as a list does.
            if (control && (key->key() == Qt::Key_Home || key->key() == Qt::Key_End))
                return (shift ? QItemSelectionModel::SelectCurrent : QItemSelectionModel::ClearAndSelect) |
                    QItemSelectionModel::Rows;
            break;
        default:
            break;
        }
    }
    return QTableView::selectionCommand(index, event);
}

int hvGridCtrl::GetCurrentRow() const
{
    if (const int row = GetFocusedItem(); row >= 0)
        return row;
    return GetSelectedCount() == 1 ? GetNextSelectedItem(-1) : -1;
}

void hvGridCtrl::SetColumnCheckBox(int column, bool checkBox)
{
    m_model->SetColumnCheckBox(column, checkBox);
}

bool hvGridCtrl::IsColumnCheckBox(int column) const
{
    return m_model->IsColumnCheckBox(column);
}

void hvGridCtrl::SetGroupStarts(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    m_groupStarts = std::move(rows);
    viewport()->update();
}

bool hvGridCtrl::IsGroupStart(int row) const
{
    return std::binary_search(m_groupStarts.begin(), m_groupStarts.end(), row);
}

std::span<const hvGridKey> hvGridCtrl::GetKeys()
{
    return kKeys;
}

void hvGridCtrl::SelectAll()
{
    setFocus(Qt::ShortcutFocusReason);
    for (int row = 0; row < GetItemCount(); ++row)
        SetItemSelected(row, true);
}

bool hvGridCtrl::SelectForContextMenu(const QPoint& position)
{
    const QModelIndex hit = indexAt(position);
    if (!hit.isValid())
        return false;
    CommitEdit();
    // The menu acts on what the click points at; a paste starts at the cell.
    if (!IsItemSelected(hit.row())) {
        clearSelection();
        SetItemSelected(hit.row(), true);
    }
    if (hit.column() > 0)
        selectionModel()->setCurrentIndex(hit, QItemSelectionModel::NoUpdate);
    return true;
}

std::vector<int> hvGridCtrl::GetEditableColumnsFrom(int column) const
{
    if (column <= 0 || column >= GetColumnCount() || !IsColumnShown(column))
        column = GetAdjacentColumn(std::max(column, 0), 1);
    std::vector<int> columns;
    for (; column >= 0; column = GetAdjacentColumn(column, 1))
        columns.push_back(column);
    return columns;
}

std::vector<int> hvGridCtrl::GetShownColumns() const
{
    std::vector<int> shown;
    for (const int column : GetColumnOrder())
        if (IsColumnShown(column))
            shown.push_back(column);
    return shown;
}

void hvGridCtrl::SetItemCount(int count)
{
    // As with DeleteAllItems: the open editor's row may not be there any more.
    DiscardOpenEditor();
    m_model->ResetRows(count);
}

void hvGridCtrl::RedrawItems(int first, int last)
{
    m_model->RowsChanged(first, last);
}

std::string hvGridCtrl::GetItemText(int row, int column) const
{
    return m_model->GetText(row, column);
}

void hvGridCtrl::SetItemText(int row, int column, const std::string& text)
{
    m_model->SetText(row, column, text);
}

int hvGridCtrl::GetNextSelectedItem(int after) const
{
    const int count = GetItemCount();
    for (int row = after < -1 ? 0 : after + 1; row < count; ++row)
        if (IsItemSelected(row))
            return row;
    return -1;
}

int hvGridCtrl::GetSelectedCount() const
{
    int count = 0;
    for (int row = GetNextSelectedItem(-1); row >= 0; row = GetNextSelectedItem(row))
        ++count;
    return count;
}

void hvGridCtrl::SetItemSelected(int row, bool selected)
{
    if (row < 0 || row >= GetItemCount() || GetColumnCount() == 0)
        return;
    const QItemSelection rowSelection(m_model->index(row, 0), m_model->index(row, GetColumnCount() - 1));
    selectionModel()->select(rowSelection, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

bool hvGridCtrl::IsItemSelected(int row) const
{
    return GetColumnCount() > 0 && selectionModel()->isSelected(m_model->index(row, 0));
}

int hvGridCtrl::GetFocusedItem() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void hvGridCtrl::SetFocusedItem(int row)
{
    if (row < 0 || row >= GetItemCount() || GetColumnCount() == 0)
        return;
    const int column = std::max(0, currentIndex().column());
    selectionModel()->setCurrentIndex(m_model->index(row, column), QItemSelectionModel::NoUpdate);
}

QRect hvGridCtrl::GetSubItemRect(int row, int column) const
{
    return visualRect(m_model->index(row, column));
}

QRect hvGridCtrl::GetClientRect() const
{
    return viewport()->rect();
}

bool hvGridCtrl::EnsureRowVisible(int row)
{
    if (row < 0 || row >= GetItemCount() || GetColumnCount() == 0)
        return false;
    // Scroll only vertically: horizontal placement is the caller's business.
    const int keepX = horizontalScrollBar()->value();
    scrollTo(m_model->index(row, columnAt(0) >= 0 ? columnAt(0) : 0), QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(keepX);
    return true;
}

void hvGridCtrl::ScrollRowToTop(int row)
{
    if (row < 0 || row >= GetItemCount() || GetColumnCount() == 0)
        return;
    const int keepX = horizontalScrollBar()->value();
    scrollTo(m_model->index(row, columnAt(0) >= 0 ? columnAt(0) : 0), QAbstractItemView::PositionAtTop);
    horizontalScrollBar()->setValue(keepX);
}

void hvGridCtrl::ScrollHorizontally(int dx)
{
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() + dx);
}

bool hvGridCtrl::EditSubItem(int row, int column, hvGridCtrlEdit** editor)
{
    if (column == 0)
        return false;
    // Scroll ranges and cell rectangles must reflect the latest resize of
    // the view or of a column, which Qt otherwise applies later.
    executeDelayedItemsLayout();
    updateGeometries();
    if (row < 0 || row >= GetItemCount())
        return false;
    if (column < 0 || column >= GetColumnCount() || !IsColumnShown(column) ||
        GetColumnWidth(column) < MinimumEditableWidth) {
        EnsureRowVisible(row);
        return false;
    }
    // The edited cell is the current one, and its row is selected: keys
    // typed after the edit act where the edit was.
    MakeCurrent(row, column);
    EnsureRowVisible(row);

    QRect cell = GetSubItemRect(row, column);
    const QRect client = GetClientRect();
    if (cell.left() < client.left()) {
        ScrollHorizontally(cell.left() - client.left());
        cell = GetSubItemRect(row, column);
    } else if (cell.right() > client.right()) {
        ScrollHorizontally(cell.right() - client.right());
        cell = GetSubItemRect(row, column);
    }

    Qt::Alignment alignment = Qt::AlignHCenter;
    switch (GetColumnFormat(column) & 3) {
    case FormatLeft:
        alignment = Qt::AlignLeft;
        break;
    case FormatRight:
        alignment = Qt::AlignRight;
        break;
    default:
        break;
    }

    cell.setTop(cell.top() - EditorOverlapAbove);
    if (cell.right() > client.right())
        cell.setRight(client.right());

    // At most one editor: the one open reports and closes before the next
    // opens. Its losing the focus would do the same, but a window that
    // receives keys while inactive gets no focus changes.
    if (hvGridCtrlEdit* previous = GetOpenEditor())
        previous->Commit();

    const std::string text = GetItemText(row, column);
    // The editor deletes itself once it has closed (see hvGridCtrlEdit).
    auto* opened = new hvGridCtrlEdit(this, row, column, text);
    opened->Create(alignment, cell);
    if (editor)
        *editor = opened;
    return true;
}

hvGridCtrlEdit* hvGridCtrl::GetOpenEditor() const
{
    for (hvGridCtrlEdit* editor : viewport()->findChildren<hvGridCtrlEdit*>(Qt::FindDirectChildrenOnly))
        if (!editor->IsClosed())
            return editor;
    return nullptr;
}

void hvGridCtrl::CommitEdit()
{
    if (hvGridCtrlEdit* editor = GetOpenEditor())
        editor->Commit();
}

void hvGridCtrl::DiscardOpenEditor()
{
    for (hvGridCtrlEdit* editor : viewport()->findChildren<hvGridCtrlEdit*>(Qt::FindDirectChildrenOnly))
        editor->CloseWithoutReport();
}

void hvGridCtrl::NotifyEndLabelEdit(const hvEndLabelEdit& report)
{
    if (OnEndLabelEditReflect(report))
        return;
    // An edit of a row that no longer exists has nowhere to go.
    if (report.row < 0 || report.row >= GetItemCount() || !m_owner)
        return;
    m_owner->OnEndLabelEdit(report.row, report.column, *report.text);
    RedrawItems(report.row, report.row);
}

bool hvGridCtrl::OnEndLabelEditReflect(const hvEndLabelEdit& report)
{
    if (!report.text)
        return true;
    if (IsOwnerData())
        return false;
    SetItemText(report.row, report.column, *report.text);
    return true;
}

void hvGridCtrl::TakeFocusBeforeScrolling()
{
    if (QApplication::focusWidget() != this)
        setFocus(Qt::OtherFocusReason);
}

bool hvGridCtrl::event(QEvent* event)
{
    // Tab is a character for the grid, not a move to the next widget.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

void hvGridCtrl::keyPressEvent(QKeyEvent* event)
{
    const QKeyCombination pressed(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    const auto key =
        std::find_if(std::begin(kKeys), std::end(kKeys), [&](const hvGridKey& entry) { return entry.keys == pressed; });
    const Action action = key != std::end(kKeys) ? key->action : Action::Type;
    if (action == Action::Edit) {
        CommitEdit();
        if (const int row = GetCurrentRow(); row >= 0)
            EditSubItem(row, GetCurrentColumn());
        event->accept();
        return;
    }
    if (action == Action::Toggle && IsColumnCheckBox(GetCurrentColumn())) {
        ToggleCurrentCheck();
        event->accept();
        return;
    }
    if (action == Action::Navigate || !IsCharacterKey(event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    TypeIntoCurrentCell(event);
    // The list's own handling of characters would search rows by their
    // first letter and move the selection; an owner-data list finds none.
    event->accept();
}

void hvGridCtrl::TypeIntoCurrentCell(QKeyEvent* event)
{
    // With several rows selected the current one takes the typing.
    const int row = GetCurrentRow();
    if (row < 0 || GetSelectedCount() == 0)
        return;
    hvGridCtrlEdit* editor = nullptr;
    EditSubItem(row, GetCurrentColumn(), &editor);
    if (editor) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                       static_cast<ushort>(event->count()));
        QCoreApplication::sendEvent(editor, &copy);
    }
}

void hvGridCtrl::ToggleCurrentCheck()
{
    CommitEdit();
    const int row = GetCurrentRow();
    const int column = GetCurrentColumn();
    if (row < 0 || !m_owner || !IsColumnCheckBox(column))
        return;
    const bool checked = !m_owner->GetDispInfoCheck(row, column);
    const std::vector<int> rows = IsItemSelected(row) ? GetSelectedRows() : std::vector<int>{row};
    m_owner->OnCheckChanged(rows, column, checked);
    for (const int changed : rows)
        RedrawItems(changed, changed);
}

void hvGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click on a box turns it over again, as the first did; a
    // second press on the number picks the rows up for a drag, as the first.
    if (OnCheckBox(event) || OnNumber(event)) {
        mousePressEvent(event);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid() && hit.row() == GetFocusedItem())
        EditSubItem(hit.row(), hit.column());
}

void hvGridCtrl::wheelEvent(QWheelEvent* event)
{
    TakeFocusBeforeScrolling();
    QTableView::wheelEvent(event);
}

QModelIndex hvGridCtrl::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Left, Right, Home and End move the current cell along its row, over
    // the shown columns that can be edited.
    const QModelIndex current = currentIndex();
    const bool alongRow = cursorAction == MoveLeft || cursorAction == MoveRight ||
        ((cursorAction == MoveHome || cursorAction == MoveEnd) && !(modifiers & Qt::ControlModifier));
    if (alongRow && current.isValid()) {
        const int from = GetCurrentColumn();
        int column = from;
        if (cursorAction == MoveLeft || cursorAction == MoveRight) {
            column = GetAdjacentColumn(from, cursorAction == MoveLeft ? -1 : 1);
        } else {
            const std::vector<int> columns = GetEditableColumnsFrom(0);
            if (!columns.empty())
                column = cursorAction == MoveHome ? columns.front() : columns.back();
        }
        return m_model->index(current.row(), column >= 0 ? column : from);
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void hvGridCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Column 0 is never current: a click there keeps the column.
    if (current.isValid() && current.column() == 0 && !m_fixingCurrent) {
        const int column = previous.isValid() && previous.column() > 0 && IsColumnShown(previous.column())
            ? previous.column()
            : GetCurrentColumn();
        if (column > 0) {
            m_fixingCurrent = true;
            selectionModel()->setCurrentIndex(m_model->index(current.row(), column), QItemSelectionModel::NoUpdate);
            m_fixingCurrent = false;
            return;
        }
    }
    QTableView::currentChanged(current, previous);
}

void hvGridCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QModelIndex hit = indexAt(at);
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier || !hit.isValid()) {
        QTableView::mousePressEvent(event);
        return;
    }
    if (OnCheckBox(event)) {
        // A click on a box turns over that row's box alone and selects the
        // row, so that one click cannot undo a selection's worth of work;
        // Space turns the box over on every selected row.
        CommitEdit();
        setFocus(Qt::MouseFocusReason);
        const bool scrolls = hasAutoScroll();
        setAutoScroll(false);
        SelectAlone(hit);
        setAutoScroll(scrolls);
        ToggleCurrentCheck();
        event->accept();
        return;
    }
    if (hit.column() == 0) {
        // The first cell picks rows up: a press selects (keeping a
        // selection it belongs to, which a drag then moves).
        CommitEdit();
        setFocus(Qt::MouseFocusReason);
        MakeCurrent(hit.row(), GetCurrentColumn());
        m_dragRow = hit.row();
        m_dragStart = at;
        m_dropRow = -1;
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void hvGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragRow < 0) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (m_dropRow < 0 && (at - m_dragStart).manhattanLength() < QApplication::startDragDistance())
        return;
    // Near the top or the bottom the rows scroll under the pointer.
    if (at.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (at.y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    m_dropRow = DropRowAt(at.y());
    viewport()->update();
    event->accept();
}

void hvGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragRow < 0) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const int pressed = std::exchange(m_dragRow, -1);
    const int drop = std::exchange(m_dropRow, -1);
    viewport()->update();
    event->accept();
    if (drop < 0) {
        // A click without a drag selects that row alone.
        SelectOnly(pressed);
        return;
    }
    if (m_owner)
        m_owner->OnRowsDropped(GetSelectedRows(), drop);
}

bool hvGridCtrl::OnCheckBox(const QMouseEvent* event) const
{
    const QPoint at = event->position().toPoint();
    const QModelIndex hit = indexAt(at);
    return event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && hit.isValid() &&
        IsColumnCheckBox(hit.column()) && m_delegate->CheckBoxRect(visualRect(hit)).contains(at);
}

bool hvGridCtrl::OnNumber(const QMouseEvent* event) const
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    return event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && hit.isValid() &&
        hit.column() == 0;
}

int hvGridCtrl::DropRowAt(int y) const
{
    const int row = rowAt(y);
    if (row < 0)
        return y < 0 ? std::max(rowAt(0), 0) : GetItemCount();
    return y >= rowViewportPosition(row) + rowHeight(row) / 2 ? row + 1 : row;
}

void hvGridCtrl::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (m_dropRow < 0 || GetItemCount() == 0)
        return;
    // The drop line: where dragged rows would go.
    const int last = GetItemCount() - 1;
    const int y = m_dropRow <= last ? rowViewportPosition(m_dropRow) : rowViewportPosition(last) + rowHeight(last);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.drawLine(0, y, viewport()->width(), y);
}
