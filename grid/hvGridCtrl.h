#pragma once

#include <QTableView>

#include <map>
#include <optional>
#include <string>
#include <vector>

class hvGridCtrl;
class hvGridCtrlEdit;
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
    // A warning about a cell: shown as its tooltip, with the cell's text in
    // a warning colour. Empty (the default): nothing to warn about.
    virtual std::string GetCellWarning(int row, int column)
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

// The channel grid: a report view with grid lines, full-row and multiple
// selection and in-place editing of single cells. In owner-data mode (the
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
    // The column whose editor a typed character opens on the one selected
    // row; the owner knows which column takes free text. -1, the default:
    // typing opens no editor.
    void SetTypingColumn(int column) { m_typingColumn = column; }
    int GetTypingColumn() const { return m_typingColumn; }

    // Rows. InsertItem returns the new row's index, or -1.
    int GetItemCount() const;
    int InsertItem(int row);
    void DeleteAllItems();
    // Owner data: the owner now has count rows, any of which may differ.
    void SetItemCount(int count);
    void SetRedraw(bool redraw);
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
    // Ends an open edit, makes row the only selected row and the focused
    // one, scrolls it into view and takes the focus.
    void SelectOnly(int row);
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
    bool viewportEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
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
    hvGridModel* m_model; // child of this grid
    int m_typingColumn = -1;
    std::map<int, int> m_hiddenWidths; // widths of hidden columns
    int m_fillColumn = -1;
    int m_fillWidth = 0;    // the fill column's own width
    bool m_filling = false; // the grid itself is resizing the fill column
};
