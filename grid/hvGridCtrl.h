#pragma once

#include <QKeyCombination>
#include <QTableView>

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

class hvGridCtrl;
class hvGridCtrlEdit;
class hvGridDelegate;
class hvGridModel;

// The window that shows a grid and stores its edits. The grid asks it for
// every cell's text and hands it every finished edit; it keeps no text.
class hvGridCtrlOwner
{
public:
    hvGridCtrlOwner() = default;
    hvGridCtrlOwner(const hvGridCtrlOwner&) = delete;
    hvGridCtrlOwner& operator=(const hvGridCtrlOwner&) = delete;
    // Detaches the grid: an owner's members die before the widgets it holds,
    // and an open editor that loses the focus while the window goes away
    // must not report into them.
    virtual ~hvGridCtrlOwner();

    // The text a cell shows (the display-info request).
    virtual std::string GetDispInfoText(int row, int column) = 0;
    // An edit that ended with text (the end-label-edit notification).
    virtual void OnEndLabelEdit(int row, int column, const std::string& text) = 0;
    // Whether a cell of a check-box column is checked.
    virtual bool GetDispInfoCheck(int /*row*/, int /*column*/) { return false; }
    // The user set a check-box cell of each of the rows to checked (Space,
    // or a click on the box).
    virtual void OnCheckChanged(const std::vector<int>& /*rows*/, int /*column*/, bool /*checked*/) {}
    // The user dragged the rows by their first cell to stand before the row
    // before (the row count: after the last).
    virtual void OnRowsDropped(const std::vector<int>& /*rows*/, int /*before*/) {}
    // A warning about a cell: shown as its tooltip, with the cell's text in
    // a warning colour. Empty (the default): nothing to warn about.
    virtual std::string GetCellWarning(int row, int column)
    {
        (void)row;
        (void)column;
        return {};
    }
    // A note about a cell: shown as a tint behind its text, and as its
    // tooltip when there is no warning. Empty (the default): no mark.
    virtual std::string GetCellMark(int row, int column)
    {
        (void)row;
        (void)column;
        return {};
    }

private:
    friend class hvGridCtrl;
    hvGridCtrl* m_grid = nullptr; // the grid that serves this owner, not owned
};

// How an editor reports the end of an edit. text is absent when the edit was
// cancelled or left unchanged.
struct hvEndLabelEdit
{
    int row = 0;
    int column = 0;
    std::optional<std::string> text;
};

// A key the grid itself handles, as the help lists it.
struct hvGridKey
{
    enum class Action {
        Navigate, // moves the current cell or row (Qt's cursor movement)
        Edit,     // opens the editor on the current cell, keeping its text
        Toggle,   // turns a check box over; elsewhere a typed character
        Type,     // any character: opens the editor on the current cell
    };
    QKeyCombination keys; // none for Type
    Action action;
    const char* what; // for the help
};

// The channel grid: a report view with grid lines, full-row and multiple
// selection, a current cell and in-place editing of single cells. In owner-data mode (the
// default) it holds only a row count and asks its owner for each cell's
// text; otherwise it stores the texts itself.
class hvGridCtrl : public QTableView
{
    Q_OBJECT

public:
    // Column formats: the alignment of a column's text.
    enum Format {
        FormatLeft = 0,
        FormatRight = 1,
        FormatCenter = 2,
    };

    hvGridCtrl(hvGridCtrlOwner* owner, QWidget* parent = nullptr);
    ~hvGridCtrl() override;

    // Owner-data mode is set before any row is added.
    void SetOwnerData(bool ownerData);
    bool IsOwnerData() const;

    // Columns. InsertColumn returns the new column's index, or -1.
    int InsertColumn(int index, const QString& title, int format, int width);
    void SetColumnFormat(int column, int format);
    int GetColumnFormat(int column) const;
    // The width a column was given, by SetColumnWidth or by the user's
    // dragging; a hidden column keeps its width for when it is shown again,
    // and the fill column may be drawn wider.
    int GetColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int GetColumnCount() const;
    // Hiding and ordering columns. The order lists every column's index,
    // left to right; an order that is not a permutation of the columns is
    // ignored.
    void SetColumnShown(int column, bool shown);
    bool IsColumnShown(int column) const;
    std::vector<int> GetColumnOrder() const;
    // The shown columns in the order the user sees them.
    std::vector<int> GetShownColumns() const;
    // The shown columns an edit can reach from column rightwards on screen,
    // column itself first when it can be edited (never column 0).
    std::vector<int> GetEditableColumnsFrom(int column) const;
    void SetColumnOrder(const std::vector<int>& order);
    // The shown column next to column on screen, step 1 to the right and -1
    // to the left, passing over hidden ones and column 0 (never edited); -1
    // when there is none.
    int GetAdjacentColumn(int column, int step) const;
    // The column that takes the room the other shown columns leave when the
    // grid is wider than they are; never narrower than its own width. -1,
    // the default: none.
    void SetFillColumn(int column);
    // The column the current cell starts in (and returns to when its own
    // column goes); the owner knows which column takes free text. -1, the
    // default: the first column that can be edited.
    void SetTypingColumn(int column) { m_typingColumn = column; }
    // The current cell's column: never column 0, never a hidden one.
    int GetCurrentColumn() const;
    // A check-box column shows the owner's check state as a centred box
    // that Space and a click turn over.
    void SetColumnCheckBox(int column, bool checkBox);
    bool IsColumnCheckBox(int column) const;
    // Rows above which a line is drawn: the first rows of groups.
    void SetGroupStarts(std::vector<int> rows);
    bool IsGroupStart(int row) const;
    // The keys the grid handles itself, in the order the help lists them.
    static std::span<const hvGridKey> GetKeys();

    // Rows. InsertItem returns the new row's index, or -1.
    int GetItemCount() const;
    int InsertItem(int row);
    void DeleteAllItems();
    // Owner data: the owner now has count rows, any of which may differ.
    void SetItemCount(int count);
    void RedrawItems(int first, int last);

    // A cell's text: the owner's answer in owner-data mode, else the stored
    // text. SetItemText stores only when the grid is not in owner-data mode.
    std::string GetItemText(int row, int column) const;
    void SetItemText(int row, int column, const std::string& text);

    // Selection and focus. GetNextSelectedItem gives the first selected row
    // after the given one (-1 searches from the top), or -1 when none.
    int GetNextSelectedItem(int after) const;
    int GetSelectedCount() const;
    void SetItemSelected(int row, bool selected);
    bool IsItemSelected(int row) const;
    int GetFocusedItem() const;
    void SetFocusedItem(int row);
    // The selected rows, top to bottom.
    std::vector<int> GetSelectedRows() const;
    // Ends an open edit, makes row the only selected row and the current
    // one (from where Shift+arrows extend the selection), scrolls it into
    // view and takes the focus.
    void SelectOnly(int row);
    // As SelectOnly for the first row, and selects the others too.
    void SelectRows(const std::vector<int>& rows);
    // Selects every row and takes the focus.
    void SelectAll();
    // Before a shortcut menu at a point of the viewport: ends an open edit;
    // the row there becomes the selection unless it is selected already,
    // and the cell there the current one. False when no cell is there.
    bool SelectForContextMenu(const QPoint& position);

    // Geometry in the grid's client (viewport) coordinates.
    QRect GetSubItemRect(int row, int column) const;
    QRect GetClientRect() const;
    // Scrolls the row fully into view; false when there is no such row.
    bool EnsureRowVisible(int row);
    // Scrolls the row to the top of the view, or as near as the end of the
    // list allows, so that the rows below it show.
    void ScrollRowToTop(int row);
    // Scrolls horizontally by the given number of pixels.
    void ScrollHorizontally(int dx);

    // Opens the in-place editor on a cell. Returns whether an editor opened,
    // and the editor through the editor place, when given.
    bool EditSubItem(int row, int column, hvGridCtrlEdit** editor = nullptr);

    // The editor that is open over a cell, or null.
    hvGridCtrlEdit* GetOpenEditor() const;
    // Ends an open edit as losing the focus would (the text is reported when
    // it was changed); the grid takes the focus if the editor had it.
    void CommitEdit();

    // Delivers an editor's end-of-edit report: the grid looks at it first and
    // consumes it when it carries no text or when the grid stores texts
    // itself; otherwise the owner receives it.
    void NotifyEndLabelEdit(const hvEndLabelEdit& report);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    bool viewportEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    // The current row; the one selected row when none is current.
    int GetCurrentRow() const;
    // Makes the cell current; selects its row alone unless it is selected.
    void MakeCurrent(int row, int column);
    // Makes the cell current, its row the only selected one and the anchor.
    void SelectAlone(const QModelIndex& cell);
    // Turns the current check-box cell over on the selected rows.
    void ToggleCurrentCheck();
    // Opens the editor on the current cell with a typed character.
    void TypeIntoCurrentCell(QKeyEvent* event);
    // Whether a plain left click lands on a check box.
    bool OnCheckBox(const QMouseEvent* event) const;
    // Whether a left press without modifiers is on a row's number, which drags rows.
    bool OnNumber(const QMouseEvent* event) const;
    // Where rows dragged to y would go: before the row returned.
    int DropRowAt(int y) const;
    // Returns true when the grid consumed the report.
    bool OnEndLabelEditReflect(const hvEndLabelEdit& report);
    void TakeFocusBeforeScrolling();
    void DiscardOpenEditor();
    // Widens the fill column over the room left at the right, or narrows it
    // back towards its own width.
    void FillWidth();
    friend class hvGridCtrlOwner;
    void DetachOwner();

    hvGridCtrlOwner* m_owner;
    hvGridModel* m_model;       // child of this grid
    hvGridDelegate* m_delegate; // child of this grid
    int m_typingColumn = -1;
    std::vector<int> m_groupStarts; // sorted
    bool m_fixingCurrent = false;   // moving the current cell off column 0
    bool m_selectingAlone = false;  // SelectAlone is at work
    // A drag of rows by their first cell: the row pressed, and where the
    // rows would go (-1 before the pointer has moved far enough).
    int m_dragRow = -1;
    QPoint m_dragStart;
    int m_dropRow = -1;
    std::map<int, int> m_hiddenWidths; // widths of hidden columns
    int m_fillColumn = -1;
    int m_fillWidth = 0;    // the fill column's own width
    bool m_filling = false; // the grid itself is resizing the fill column
};
