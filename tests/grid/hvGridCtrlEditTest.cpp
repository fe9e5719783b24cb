#include "GridTestWindow.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>

namespace {

// One row of the editor's key table: open a cell, optionally type and press
// a key to place the caret, then press the key under test.
struct Navigation
{
    const char* name;
    int row;
    int column;
    const char* cellText;
    const char* typed;  // typed after opening
    Qt::Key placeCaret; // pressed before the key under test; Key_unknown for none
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int editorRow; // where the open editor stands afterwards
    int editorColumn;
    int reports; // edits that reached the owner
};

class EditorNavigation : public ::testing::TestWithParam<Navigation>
{};

} // namespace

TEST_P(EditorNavigation, MovesAndReportsAsTheKeyTableSays)
{
    const Navigation& step = GetParam();
    GridTestWindow window;
    window.Text(step.row, step.column) = step.cellText;
    ASSERT_NE(window.Open(step.row, step.column), nullptr);
    GridTestWindow::Type(step.typed);
    if (step.placeCaret != Qt::Key_unknown)
        GridTestWindow::Key(step.placeCaret);
    GridTestWindow::Key(step.key, step.modifiers);

    hvGridCtrlEdit* editor = window.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(window.EditorCount(), 1);
    EXPECT_EQ(editor->GetRow(), step.editorRow);
    EXPECT_EQ(editor->GetColumn(), step.editorColumn);
    EXPECT_TRUE(editor->hasFocus());

    const std::string expected = *step.typed ? step.typed : step.cellText;
    ASSERT_EQ(static_cast<int>(window.edits.size()), step.reports);
    for (const auto& edit : window.edits)
        EXPECT_EQ(edit, (GridTestWindow::Edit{step.row, step.column, expected}));

    if (editor->GetRow() != step.row || editor->GetColumn() != step.column) {
        // A freshly opened neighbour starts with its whole text selected.
        EXPECT_EQ(editor->selectedText(), editor->text());
        EXPECT_FALSE(editor->IsModified());
    } else if (step.reports > 0) {
        // Refused move: the edit stays open with its text, still modified.
        EXPECT_EQ(editor->text().toStdString(), expected);
        EXPECT_TRUE(editor->IsModified());
    }
}

constexpr Qt::Key None = Qt::Key_unknown;
constexpr Qt::KeyboardModifiers NoMods = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    hvGridCtrlEdit, EditorNavigation,
    ::testing::Values(
        // Tab moves without a report of its own; the old editor reports on
        // losing the focus, and only when changed.
        Navigation{"TabUnchanged", 1, 2, "abc", "", None, Qt::Key_Tab, NoMods, 1, 3, 0},
        Navigation{"TabChanged", 1, 2, "abc", "Fire", None, Qt::Key_Tab, NoMods, 1, 3, 1},
        Navigation{"ShiftTab", 1, 2, "abc", "", None, Qt::Key_Backtab, Qt::ShiftModifier, 1, 1, 0},
        Navigation{"TabInLastColumnStays", 1, 6, "False", "yes", None, Qt::Key_Tab, NoMods, 1, 6, 0},
        Navigation{"ShiftTabInFrequencyStays", 1, 1, "", "146.52", None, Qt::Key_Backtab, Qt::ShiftModifier, 1, 1, 0},
        // Enter reports, then moves right: the owner hears the cell twice.
        Navigation{"EnterMovesRight", 1, 2, "", "Fire", None, Qt::Key_Return, NoMods, 1, 3, 2},
        Navigation{"KeypadEnterMovesRight", 1, 2, "", "Fire", None, Qt::Key_Enter, Qt::KeypadModifier, 1, 3, 2},
        Navigation{"EnterInLastColumnStays", 1, 6, "False", "yes", None, Qt::Key_Return, NoMods, 1, 6, 1},
        Navigation{"DownMovesDown", 1, 2, "", "EMS", None, Qt::Key_Down, NoMods, 2, 2, 2},
        Navigation{"DownOnLastRowStays", 19, 2, "", "EMS", None, Qt::Key_Down, NoMods, 19, 2, 1},
        Navigation{"UpMovesUp", 3, 2, "", "EMS", None, Qt::Key_Up, NoMods, 2, 2, 2},
        Navigation{"UpOnRowZeroStays", 0, 2, "", "EMS", None, Qt::Key_Up, NoMods, 0, 2, 0},
        // With the whole text selected (just opened) Left and Right belong
        // to the text; at the text's edge with nothing selected they move.
        Navigation{"LeftWithAllSelectedStays", 1, 2, "abc", "", None, Qt::Key_Left, NoMods, 1, 2, 0},
        Navigation{"RightWithAllSelectedStays", 1, 2, "abc", "", None, Qt::Key_Right, NoMods, 1, 2, 0},
        Navigation{"LeftAtStartMoves", 1, 2, "abc", "", Qt::Key_Home, Qt::Key_Left, NoMods, 1, 1, 0},
        Navigation{"RightAtEndMoves", 1, 2, "abc", "", Qt::Key_End, Qt::Key_Right, NoMods, 1, 3, 0},
        Navigation{"RightAfterTypingMoves", 1, 2, "", "Fire", None, Qt::Key_Right, NoMods, 1, 3, 2},
        Navigation{"LeftInMiddleStays", 1, 2, "", "Fire", Qt::Key_Left, Qt::Key_Left, NoMods, 1, 2, 0},
        Navigation{"LeftInFrequencyStays", 1, 1, "", "5", Qt::Key_Home, Qt::Key_Left, NoMods, 1, 1, 1},
        Navigation{"RightInLastColumnStays", 1, 6, "", "on", None, Qt::Key_Right, NoMods, 1, 6, 1},
        Navigation{"LeftOnEmptyTextMoves", 1, 3, "", "", None, Qt::Key_Left, NoMods, 1, 2, 0},
        Navigation{"RightOnEmptyTextMoves", 1, 3, "", "", None, Qt::Key_Right, NoMods, 1, 4, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(hvGridCtrlEdit, EscapeDiscardsTheEditAndTellsTheOwnerNothing)
{
    GridTestWindow window;
    window.Text(1, 2) = "Police";
    ASSERT_NE(window.Open(1, 2), nullptr);
    GridTestWindow::Type("Fire");
    GridTestWindow::Key(Qt::Key_Escape);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_TRUE(window.edits.empty());
    EXPECT_EQ(window.Text(1, 2), "Police");
    EXPECT_TRUE(window.grid->hasFocus());
}

TEST(hvGridCtrlEdit, ClickingAnotherRowStoresOnlyAChangedText)
{
    GridTestWindow window;
    ASSERT_NE(window.Open(1, 2), nullptr);
    window.Click(6, 4);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_TRUE(window.edits.empty());

    ASSERT_NE(window.Open(1, 3), nullptr);
    GridTestWindow::Key(Qt::Key_Delete); // deleting is a change too
    ASSERT_NE(window.Open(1, 2), nullptr);
    GridTestWindow::Type("Fire Dept");
    window.Click(6, 4);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_EQ(window.edits, (std::vector<GridTestWindow::Edit>{{1, 3, ""}, {1, 2, "Fire Dept"}}));
    EXPECT_EQ(window.grid->GetNextSelectedItem(-1), 6);
}

// The Ctrl keys a line edit uses stay with the editor; the window's own
// (Ctrl+S) reach the window, as F5 does.
TEST(hvGridCtrlEdit, EditingCtrlKeysBelongToTheEditorOtherShortcutsToTheWindow)
{
    GridTestWindow window;
    int saves = 0, selectAlls = 0, uploads = 0;
    QAction save(&window), selectAll(&window), upload(&window);
    save.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    selectAll.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    upload.setShortcut(QKeySequence(Qt::Key_F5));
    QObject::connect(&save, &QAction::triggered, [&] { ++saves; });
    QObject::connect(&selectAll, &QAction::triggered, [&] { ++selectAlls; });
    QObject::connect(&upload, &QAction::triggered, [&] { ++uploads; });
    window.addActions({&save, &selectAll, &upload});
    GridTestWindow::Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(saves, 1); // the shortcuts work without an editor

    window.Text(1, 2) = "Police";
    hvGridCtrlEdit* editor = window.Open(1, 2);
    ASSERT_NE(editor, nullptr);
    GridTestWindow::Key(Qt::Key_End);
    GridTestWindow::Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(editor->text(), "Police");
    GridTestWindow::Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selectAlls, 0);
    EXPECT_EQ(editor->selectedText(), "Police");
    GridTestWindow::Key(Qt::Key_F5);
    EXPECT_EQ(uploads, 1);
    EXPECT_EQ(window.Editor(), editor);
}

TEST(hvGridCtrlEdit, AContextMenuPasteIsKeptAndTheMenuDoesNotEndTheEdit)
{
    GridTestWindow window;
    window.Text(1, 2) = "Police";
    hvGridCtrlEdit* editor = window.Open(1, 2);
    ASSERT_NE(editor, nullptr);
    QApplication::clipboard()->setText("County Fire");

    bool openDuringMenu = false;
    hvGridCtrlEdit::ContextMenuHookScope hook([&](QMenu& menu) {
        menu.popup(editor->mapToGlobal(QPoint(5, 5))); // takes the focus for a while
        openDuringMenu = window.grid->GetOpenEditor() == editor && window.edits.empty();
        for (QAction* action : menu.actions())
            if (action->text().startsWith("&Paste"))
                action->trigger();
        menu.close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(editor, &event);
    EXPECT_TRUE(openDuringMenu);
    ASSERT_EQ(window.Editor(), editor);
    EXPECT_EQ(editor->text(), "County Fire");

    window.Click(5, 2);
    EXPECT_EQ(window.edits, (std::vector<GridTestWindow::Edit>{{1, 2, "County Fire"}}));
}

TEST(hvGridCtrlEdit, MenuBarTakingTheFocusDoesNotEndTheEditAndCommitEditStillReportsIt)
{
    GridTestWindow window;
    auto* menuBarStandIn = new QLineEdit(&window);
    menuBarStandIn->show();
    ASSERT_NE(window.Open(2, 3), nullptr);
    GridTestWindow::Type("abc");
    menuBarStandIn->setFocus(Qt::MenuBarFocusReason); // what pressing Alt does
    EXPECT_NE(window.Editor(), nullptr);
    EXPECT_TRUE(window.edits.empty());

    // A command chosen from the menu commits what the editor holds.
    window.grid->CommitEdit();
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_EQ(window.edits, (std::vector<GridTestWindow::Edit>{{2, 3, "abc"}}));
    EXPECT_TRUE(menuBarStandIn->hasFocus());
}

TEST(hvGridCtrlEdit, WidensToTheRightAsTextGrowsButNeverPastTheGridOrNarrower)
{
    GridTestWindow window;
    hvGridCtrlEdit* editor = window.Open(1, 1);
    ASSERT_NE(editor, nullptr);
    const QRect start = editor->geometry();
    GridTestWindow::Type("12345678901234567890");
    const QRect wider = editor->geometry();
    EXPECT_GT(wider.width(), start.width());
    EXPECT_EQ(wider.adjusted(0, 0, start.width() - wider.width(), 0), start);
    EXPECT_GE(wider.width(), editor->fontMetrics().horizontalAdvance(editor->text()));
    for (int i = 0; i < 10; ++i)
        GridTestWindow::Key(Qt::Key_Backspace);
    EXPECT_EQ(editor->geometry(), wider);
    GridTestWindow::Type(std::string(200, 'W'));
    EXPECT_EQ(editor->geometry().right(), window.grid->GetClientRect().right());
}

TEST(hvGridCtrlEdit, KeysReachingAnInactiveWindowStillLeaveOneEditorAtMost)
{
    // Without a window manager X can deliver keys to a window that Qt does
    // not count as active; no focus changes then tell an editor to close.
    GridTestWindow window;
    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_NE(window.Open(1, 2), nullptr);
    for (char c : std::string("Fire"))
        QTest::keyClick(window.focusWidget(), c);
    QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window.EditorCount(), 1);
    EXPECT_EQ(window.edits, (std::vector<GridTestWindow::Edit>{{1, 2, "Fire"}, {1, 2, "Fire"}}));

    QTest::keyClick(window.focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_EQ(window.focusWidget(), window.grid);
}

namespace {

// An owner whose members die before the widgets it holds, as a main window's
// do; a report arriving after that would write into freed memory.
class DyingOwner : public QWidget, public hvGridCtrlOwner
{
public:
    explicit DyingOwner(int* lateReports) : m_lateReports(lateReports)
    {
        grid = new hvGridCtrl(this, this);
        grid->InsertColumn(0, "#", 2, 30);
        grid->InsertColumn(1, "Description", 0, 200);
        grid->InsertItem(0);
        grid->resize(300, 200);
    }
    ~DyingOwner() override { m_alive = false; }
    std::string GetDispInfoText(int, int) override { return {}; }
    void OnEndLabelEdit(int, int, const std::string&) override { *m_lateReports += m_alive ? 0 : 1; }
    hvGridCtrl* grid;

private:
    int* m_lateReports;
    bool m_alive = true;
};

} // namespace

TEST(hvGridCtrlEdit, DestroyingTheWindowDuringAnEditReportsNothingIntoItsOwner)
{
    int lateReports = 0;
    {
        DyingOwner owner(&lateReports);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
        ASSERT_TRUE(owner.grid->EditSubItem(0, 1));
        GridTestWindow::Type("typed");
    }
    EXPECT_EQ(lateReports, 0);
}
