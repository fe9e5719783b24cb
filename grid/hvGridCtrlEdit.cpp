#include "grid/hvGridCtrlEdit.h"

#include "grid/hvGridCtrl.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>

#include <memory>
#include <utility>

namespace {

// A key that the platform turns into a character: printable text,
// Backspace, and Ctrl with a letter (the control characters, such as Ctrl+V
// that pastes).
bool ProducesCharacter(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace)
        return true;
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return true;
    return !event->text().isEmpty();
}

// QLineEdit keeps this many pixels between its contents rectangle and the
// text on each side.
constexpr int LineEditTextMargin = 2;
// Room left after the last character when the editor widens.
constexpr int WidenSlack = 5;

hvGridCtrlEdit::ContextMenuHook& ContextMenuHookSlot()
{
    static hvGridCtrlEdit::ContextMenuHook hook;
    return hook;
}

} // namespace

hvGridCtrlEdit::ContextMenuHook hvGridCtrlEdit::SetContextMenuHook(ContextMenuHook hook)
{
    return std::exchange(ContextMenuHookSlot(), std::move(hook));
}

hvGridCtrlEdit::hvGridCtrlEdit(hvGridCtrl* grid, int row, int column, const std::string& text)
    : QLineEdit(grid->viewport()), m_pGrid(grid), m_nItem(row), m_nSubItem(column), m_strInitialText(text)
{
    setObjectName(QStringLiteral("gridEdit"));
    hide();
    // Every change the user makes counts, also through the context menu,
    // drag and drop or a middle-click paste; programmatic setText does not.
    connect(this, &QLineEdit::textEdited, this, [this] { m_bModified = true; });
}

void hvGridCtrlEdit::Create(Qt::Alignment alignment, const QRect& rect)
{
    setFrame(true);
    setAlignment(alignment | Qt::AlignVCenter);
    setFont(m_pGrid->font());
    setGeometry(rect);
    setText(QString::fromStdString(m_strInitialText));
    show();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void hvGridCtrlEdit::SendEndLabelEdit()
{
    hvEndLabelEdit report;
    report.row = m_nItem;
    report.column = m_nSubItem;
    if (m_bModified)
        report.text = text().toStdString();
    m_pGrid->NotifyEndLabelEdit(report);
}

void hvGridCtrlEdit::Commit()
{
    if (m_closed)
        return;
    SendEndLabelEdit();
    CloseWithoutReport();
}

void hvGridCtrlEdit::CloseWithoutReport(bool moveFocusToGrid)
{
    if (m_closed)
        return;
    m_closed = true;
    if (!moveFocusToGrid)
        return;
    // The focus, or the place where the window keeps it while another
    // window is active, passes to the grid rather than stay on a closed
    // editor.
    if (hasFocus() || window()->focusWidget() == this)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    hide();
    deleteLater();
}

bool hvGridCtrlEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Enter, Delete and Escape belong to the editor rather than to the
        // window's shortcuts, and so do the Ctrl keys a line edit uses
        // (Ctrl+A selects the text, Ctrl+Z undoes typing, Ctrl+Left moves
        // by words): QLineEdit claims those itself. Other Ctrl keys, such as
        // Ctrl+S, reach the window, which stores the edit before any command.
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Delete:
        case Qt::Key_Escape:
            key->accept();
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Tab moves between cells, not between widgets.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void hvGridCtrlEdit::keyPressEvent(QKeyEvent* event)
{
    // Every key stops here: a key left to the parents would move the grid's
    // selection under the open editor.
    event->accept();
    if (m_closed)
        return;
    if (!OnKeyDown(event))
        OnCharacter(event);
}

bool hvGridCtrlEdit::OnKeyDown(QKeyEvent* event)
{
    const int length = static_cast<int>(text().size());
    int start = cursorPosition();
    int end = start;
    if (hasSelectedText()) {
        start = selectionStart();
        end = selectionEnd();
    }

    // The last step of each branch that moves on is EditSubItem: the next
    // editor takes the focus, and this one closes.
    switch (event->key()) {
    case Qt::Key_Left:
        if (start == 0 && (start == end || end != length)) {
            SendEndLabelEdit();
            m_pGrid->EditSubItem(m_nItem, m_pGrid->GetAdjacentColumn(m_nSubItem, -1));
            return true;
        }
        break;
    case Qt::Key_Right:
        if (end == length && (start == end || start != 0)) {
            SendEndLabelEdit();
            m_pGrid->EditSubItem(m_nItem, m_pGrid->GetAdjacentColumn(m_nSubItem, 1));
            return true;
        }
        break;
    case Qt::Key_Up:
        if (m_nItem > 0) {
            SendEndLabelEdit();
            m_pGrid->EditSubItem(m_nItem - 1, m_nSubItem);
            return true;
        }
        break;
    case Qt::Key_Down:
        SendEndLabelEdit();
        m_pGrid->EditSubItem(m_nItem + 1, m_nSubItem);
        return true;
    case Qt::Key_Delete:
        m_bModified = true;
        break;
    default:
        return false;
    }
    QLineEdit::keyPressEvent(event);
    event->accept();
    return true;
}

void hvGridCtrlEdit::OnCharacter(QKeyEvent* event)
{
    const bool shift = (event->modifiers() & Qt::ShiftModifier) || event->key() == Qt::Key_Backtab;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!shift)
            m_pGrid->EditSubItem(m_nItem, m_pGrid->GetAdjacentColumn(m_nSubItem, 1));
        else if (m_nSubItem > 0)
            m_pGrid->EditSubItem(m_nItem, m_pGrid->GetAdjacentColumn(m_nSubItem, -1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter stores the cell and moves right, not down.
        SendEndLabelEdit();
        m_pGrid->EditSubItem(m_nItem, m_pGrid->GetAdjacentColumn(m_nSubItem, 1));
        return;
    case Qt::Key_Escape:
        // The report without text is consumed by the grid; the grid takes
        // the focus.
        m_bModified = false;
        Commit();
        return;
    default:
        break;
    }
    const bool character = ProducesCharacter(event);
    if (character)
        m_bModified = true;
    QLineEdit::keyPressEvent(event);
    event->accept();
    if (character)
        WidenToText();
}

void hvGridCtrlEdit::WidenToText()
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int chrome = width() - contents.width() + 2 * LineEditTextMargin + margins.left() + margins.right();

    // Beyond this many characters a text is wider than any grid: measuring
    // all of a pasted megabyte would freeze the window for seconds.
    constexpr qsizetype kMeasured = 4096;
    const int needed = QFontMetrics(m_pGrid->font()).horizontalAdvance(text().left(kMeasured)) + WidenSlack + chrome;
    if (needed <= width())
        return;
    const int clientRight = m_pGrid->GetClientRect().right();
    const int right = std::min(x() + needed - 1, clientRight);
    const int newWidth = right - x() + 1;
    if (newWidth > width()) {
        resize(newWidth, height());
        update();
    }
}

void hvGridCtrlEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (ContextMenuHookSlot())
        ContextMenuHookSlot()(*menu);
    else
        menu->exec(event->globalPos());
    event->accept();
}

void hvGridCtrlEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu or the window's menu bar borrows the focus and gives it
    // back; the edit goes on.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::MenuBarFocusReason || m_closed)
        return;
    SendEndLabelEdit();
    CloseWithoutReport();
}
