#pragma once

#include <QLineEdit>

#include <functional>
#include <string>

class QMenu;

class hvGridCtrl;

// The single-line editor that the grid opens over one cell. Tab, Enter and
// the arrow keys carry the edit to a neighbouring cell, Escape abandons it
// and losing the keyboard focus ends it. Each end is reported to the grid as
// an end-label-edit report, with the text only when the user changed it.
// The editor owns itself: once closed it deletes itself.
class hvGridCtrlEdit : public QLineEdit
{
    Q_OBJECT

public:
    hvGridCtrlEdit(hvGridCtrl* grid, int row, int column, const std::string& text);

    // Places the editor over rect (in the grid's client coordinates) with the
    // grid's font, the cell's text all selected, and the keyboard focus.
    void Create(Qt::Alignment alignment, const QRect& rect);

    // Reports the current state of the edit to the grid.
    void SendEndLabelEdit();

    int GetRow() const { return m_nItem; }
    int GetColumn() const { return m_nSubItem; }
    bool IsModified() const { return m_bModified; }
    // True once the editor has closed and only waits to be deleted.
    bool IsClosed() const { return m_closed; }
    // Closes without a report, for a grid whose rows are going away.
    // Reports the edit as losing the focus would, then closes.
    void Commit();
    // Closes without a report, for a grid whose rows are going away; a grid
    // being destroyed only marks its editors closed.
    void CloseWithoutReport(bool moveFocusToGrid = true);

    // Test seam: while set, the context menu is handed to the hook instead
    // of running modally; the hook may show it, trigger its actions, close it.
    // Returns the hook it replaces.
    using ContextMenuHook = std::function<void(QMenu&)>;
    static ContextMenuHook SetContextMenuHook(ContextMenuHook hook);

    // Sets the hook for its lifetime and then puts back the one it replaced.
    class ContextMenuHookScope
    {
    public:
        explicit ContextMenuHookScope(ContextMenuHook hook) : m_previous(SetContextMenuHook(std::move(hook))) {}
        ~ContextMenuHookScope() { SetContextMenuHook(std::move(m_previous)); }
        ContextMenuHookScope(const ContextMenuHookScope&) = delete;
        ContextMenuHookScope& operator=(const ContextMenuHookScope&) = delete;

    private:
        ContextMenuHook m_previous;
    };

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnCharacter(QKeyEvent* event);
    // Returns true when the key was one of the navigation keys it handles.
    bool OnKeyDown(QKeyEvent* event);
    void WidenToText();

    hvGridCtrl* m_pGrid; // not owned: the grid is the editor's parent's parent
    int m_nItem;
    int m_nSubItem;
    std::string m_strInitialText;
    bool m_bModified = false;
    bool m_closed = false;
};
