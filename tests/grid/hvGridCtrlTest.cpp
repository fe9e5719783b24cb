#include "GridTestWindow.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

#include <tuple>

TEST(hvGridCtrl, SelectsWholeRowsSeveralAtATime)
{
    GridTestWindow window;
    EXPECT_TRUE(window.grid->showGrid());
    window.Click(3, 2);
    QTest::mouseClick(window.grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      window.grid->GetSubItemRect(7, 4).center());
    EXPECT_EQ(window.grid->GetSelectedCount(), 2);
    EXPECT_EQ(window.grid->GetNextSelectedItem(-1), 3);
    EXPECT_EQ(window.grid->GetNextSelectedItem(3), 7);
    EXPECT_EQ(window.grid->GetNextSelectedItem(7), -1);
    EXPECT_EQ(window.grid->GetFocusedItem(), 7);
    EXPECT_EQ(window.grid->selectionModel()->selectedIndexes().size(), 14);
}

TEST(hvGridCtrl, PaintingAsksOnlyForTheVisibleCells)
{
    GridTestWindow window(200);
    window.displayRequests = 0;
    window.grid->viewport()->repaint();
    const int visibleRows = window.grid->viewport()->height() / window.grid->verticalHeader()->defaultSectionSize() + 2;
    EXPECT_GT(window.displayRequests, 0);
    EXPECT_LE(window.displayRequests, visibleRows * 7);
}

struct OpenCase
{
    const char* name;
    int row;
    int column;
    int descriptionWidth;
    bool opens;
};

class EditSubItemOpens : public ::testing::TestWithParam<OpenCase>
{};

TEST_P(EditSubItemOpens, OnlyOnAnExistingCellOfAnEditableColumn)
{
    GridTestWindow window;
    window.grid->SetColumnWidth(2, GetParam().descriptionWidth);
    hvGridCtrlEdit* editor = nullptr;
    EXPECT_EQ(window.grid->EditSubItem(GetParam().row, GetParam().column, &editor), GetParam().opens);
    EXPECT_EQ(editor != nullptr, GetParam().opens);
    EXPECT_EQ(window.EditorCount(), GetParam().opens ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(hvGridCtrl, EditSubItemOpens,
                         ::testing::Values(OpenCase{"FirstColumn", 1, 0, 300, false},
                                           OpenCase{"NegativeRow", -1, 2, 300, false},
                                           OpenCase{"RowPastTheEnd", 20, 2, 300, false},
                                           OpenCase{"ColumnPastTheEnd", 1, 7, 300, false},
                                           OpenCase{"ColumnFourPixelsWide", 1, 2, 4, false},
                                           OpenCase{"ColumnFivePixelsWide", 1, 2, 5, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(hvGridCtrl, EditorCoversTheCellThreePixelsTallerWithTheColumnsAlignment)
{
    GridTestWindow window(200);
    window.Text(120, 1) = "146.5200";
    window.grid->SetColumnFormat(3, 1);

    // A row below the view is first scrolled fully into view.
    hvGridCtrlEdit* editor = window.Open(120, 1);
    ASSERT_NE(editor, nullptr);
    QRect expected = window.grid->GetSubItemRect(120, 1);
    EXPECT_TRUE(window.grid->GetClientRect().contains(expected));
    expected.setTop(expected.top() - 3);
    EXPECT_EQ(editor->geometry(), expected);
    EXPECT_EQ(editor->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(editor->selectedText(), "146.5200");
    EXPECT_TRUE(editor->hasFocus());
    // The edited cell is the current one, and its row the selected one.
    EXPECT_EQ(window.grid->GetSelectedRows(), std::vector<int>{120});
    EXPECT_EQ(window.grid->currentIndex(), window.grid->model()->index(120, 1));

    ASSERT_NE(editor = window.Open(120, 2), nullptr);
    EXPECT_EQ(editor->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    ASSERT_NE(editor = window.Open(120, 3), nullptr);
    EXPECT_EQ(editor->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(window.EditorCount(), 1);
}

TEST(hvGridCtrl, OpeningACellOutsideTheViewScrollsItsEdgeToTheClientsEdge)
{
    GridTestWindow window;
    window.resize(320, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.grid->width() == 320; }));
    const QRect client = window.grid->GetClientRect();

    ASSERT_NE(window.Open(1, 6), nullptr);
    EXPECT_EQ(window.grid->GetSubItemRect(1, 6).right(), client.right());
    ASSERT_NE(window.Open(1, 1), nullptr);
    EXPECT_EQ(window.grid->GetSubItemRect(1, 1).left(), client.left());

    // Wider than the view: the right edges meet and the editor is clipped.
    window.grid->SetColumnWidth(2, 1000);
    hvGridCtrlEdit* editor = window.Open(1, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(window.grid->GetSubItemRect(1, 2).right(), client.right());
    EXPECT_EQ(editor->geometry().right(), client.right());
}

// A key typed on the grid opens the editor on the current cell (at first in
// "Description") of the current row and becomes its first keystroke.
struct GridKey
{
    const char* name;
    int selectedRows;
    int descriptionWidth;
    Qt::Key key;
    int editorColumn; // -1: no editor afterwards
    const char* editorText;
};

class KeyOnTheGrid : public ::testing::TestWithParam<GridKey>
{};

TEST_P(KeyOnTheGrid, OpensTheCurrentCellOfTheCurrentRow)
{
    GridTestWindow window;
    window.Text(4, 3) = "K9";
    window.grid->SetColumnWidth(2, GetParam().descriptionWidth);
    if (GetParam().selectedRows > 0)
        window.grid->SetFocusedItem(4);
    for (int row = 4; row < 4 + GetParam().selectedRows; ++row)
        window.grid->SetItemSelected(row, true);
    GridTestWindow::Key(GetParam().key);

    hvGridCtrlEdit* editor = window.Editor();
    if (GetParam().editorColumn < 0) {
        EXPECT_EQ(editor, nullptr);
        EXPECT_TRUE(window.grid->hasFocus());
    } else {
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->GetRow(), 4);
        EXPECT_EQ(editor->GetColumn(), GetParam().editorColumn);
        EXPECT_EQ(editor->text(), GetParam().editorText);
    }
    EXPECT_TRUE(window.edits.empty());
    EXPECT_EQ(window.grid->GetSelectedCount(), GetParam().selectedRows);
}

INSTANTIATE_TEST_SUITE_P(hvGridCtrl, KeyOnTheGrid,
                         ::testing::Values(GridKey{"Letter", 1, 300, Qt::Key_X, 2, "x"},
                                           GridKey{"LetterNoRow", 0, 300, Qt::Key_X, -1, ""},
                                           GridKey{"LetterTwoRows", 2, 300, Qt::Key_X, 2, "x"},
                                           GridKey{"LetterNarrowDescription", 1, 4, Qt::Key_X, -1, ""},
                                           GridKey{"EnterMovesOnToCarNumber", 1, 300, Qt::Key_Return, 3, "K9"},
                                           GridKey{"TabMovesOnToCarNumber", 1, 300, Qt::Key_Tab, 3, "K9"},
                                           GridKey{"EscapeClosesAtOnce", 1, 300, Qt::Key_Escape, -1, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(hvGridCtrl, DoubleClickOpensTheFocusedRowsCellButNeverTheNumber)
{
    GridTestWindow window(3);
    const auto doubleClick = [&](QPoint at) { QTest::mouseDClick(window.grid->viewport(), Qt::LeftButton, {}, at); };
    doubleClick(window.grid->GetSubItemRect(2, 0).center());
    EXPECT_EQ(window.EditorCount(), 0);
    doubleClick(window.grid->GetSubItemRect(2, 2).center() + QPoint(0, 60)); // below the last row
    EXPECT_EQ(window.EditorCount(), 0);

    doubleClick(window.grid->GetSubItemRect(2, 1).center());
    hvGridCtrlEdit* editor = window.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetRow(), 2);
    EXPECT_EQ(editor->GetColumn(), 1);
}

TEST(hvGridCtrl, WheelCommitsAndClosesAnOpenEditBeforeScrolling)
{
    GridTestWindow window(200);
    ASSERT_NE(window.Open(1, 2), nullptr);
    GridTestWindow::Type("Tower");
    const QPoint at = window.grid->GetSubItemRect(3, 2).center();
    QWheelEvent wheel(at, window.grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.grid->viewport(), &wheel);

    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_EQ(window.edits, (std::vector<GridTestWindow::Edit>{{1, 2, "Tower"}}));
    EXPECT_GT(window.grid->verticalScrollBar()->value(), 0);
}

TEST(hvGridCtrl, GridWithoutOwnerDataStoresEditsItselfAndTellsNoOwner)
{
    GridTestWindow window(0);
    window.grid->SetOwnerData(false);
    window.grid->InsertItem(0);
    window.grid->InsertItem(1);
    ASSERT_NE(window.Open(1, 3), nullptr);
    GridTestWindow::Type("K9");
    GridTestWindow::Key(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetItemText(1, 3), "K9");
    EXPECT_EQ(window.grid->GetItemText(0, 3), "");
    EXPECT_TRUE(window.edits.empty());
    EXPECT_EQ(window.displayRequests, 0);
}

TEST(hvGridCtrl, DeletingAllRowsDropsAnOpenEditWithoutReport)
{
    GridTestWindow window;
    ASSERT_NE(window.Open(1, 2), nullptr);
    GridTestWindow::Type("stale");
    window.grid->DeleteAllItems();
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_TRUE(window.edits.empty());
    EXPECT_TRUE(window.grid->hasFocus());
}

TEST(hvGridCtrl, TheClickedCellTakesTheTypingAndKeysMoveTheCurrentCell)
{
    GridTestWindow window;
    window.Text(3, 1) = "151.0000";
    const auto current = [&] { return window.grid->currentIndex().column(); };
    window.Click(3, 1);
    GridTestWindow::Type("162.4");
    ASSERT_NE(window.Editor(), nullptr);
    EXPECT_EQ(window.Editor()->GetColumn(), 1);
    EXPECT_EQ(window.Editor()->text(), "162.4");
    GridTestWindow::Key(Qt::Key_Escape);
    GridTestWindow::Key(Qt::Key_F2);
    ASSERT_NE(window.Editor(), nullptr);
    EXPECT_EQ(window.Editor()->text(), "151.0000");
    GridTestWindow::Key(Qt::Key_Escape);
    ASSERT_TRUE(window.grid->hasFocus());

    GridTestWindow::Key(Qt::Key_Right);
    EXPECT_EQ(current(), 2);
    GridTestWindow::Key(Qt::Key_End);
    EXPECT_EQ(current(), 6);
    GridTestWindow::Key(Qt::Key_Home);
    EXPECT_EQ(current(), 1);
    GridTestWindow::Key(Qt::Key_Left); // never the number
    EXPECT_EQ(current(), 1);
    window.Click(5, 0);
    EXPECT_EQ(window.grid->GetSelectedRows(), std::vector<int>{5});
    EXPECT_EQ(current(), 1);
    EXPECT_TRUE(window.edits.empty());
}

TEST(hvGridCtrl, TheSelectionFollowsTheEditorAndSelectOnlySetsTheAnchor)
{
    GridTestWindow window;
    window.Click(2, 2);
    GridTestWindow::Type("a");
    GridTestWindow::Key(Qt::Key_Down);
    EXPECT_EQ(window.grid->GetSelectedRows(), std::vector<int>{3});
    GridTestWindow::Key(Qt::Key_Escape);
    EXPECT_EQ(window.grid->GetSelectedRows(), std::vector<int>{3});
    GridTestWindow::Type("b");
    ASSERT_NE(window.Editor(), nullptr);
    EXPECT_EQ(window.Editor()->GetRow(), 3);
    GridTestWindow::Key(Qt::Key_Escape);

    window.grid->SelectOnly(10);
    GridTestWindow::Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(window.grid->GetSelectedRows(), (std::vector<int>{10, 11}));
}

TEST(hvGridCtrl, AClickTurnsTheBoxOverAndSpaceTurnsItOverOnEverySelectedRow)
{
    GridTestWindow window;
    window.Click(2, 5);
    EXPECT_EQ(window.Text(2, 5), "True");
    // Two quick clicks are two turns, not an editor.
    QTest::mouseDClick(window.grid->viewport(), Qt::LeftButton, {}, window.grid->GetSubItemRect(2, 5).center());
    EXPECT_EQ(window.Editor(), nullptr);
    window.Text(5, 5) = "True";
    window.grid->SelectRows({4, 5, 6});
    GridTestWindow::Key(Qt::Key_Space); // row 4 is off: all on
    for (int row : {4, 5, 6})
        EXPECT_EQ(window.Text(row, 5), "True") << row;
    GridTestWindow::Key(Qt::Key_Space);
    EXPECT_EQ(window.Text(5, 5), "False");
    EXPECT_EQ(window.Editor(), nullptr);
    GridTestWindow::Key(Qt::Key_Left);
    GridTestWindow::Key(Qt::Key_Left);
    GridTestWindow::Key(Qt::Key_Space); // elsewhere a typed blank
    ASSERT_NE(window.Editor(), nullptr);
    EXPECT_EQ(window.Editor()->GetColumn(), 3);
}

// Keys that move the current cell along its row keep the selected rows, so
// that Space after End turns over the last column on all of them; Ctrl+End
// still selects the last channel alone.
TEST(hvGridCtrl, KeysAlongTheRowKeepTheSelectedRows)
{
    GridTestWindow window;
    window.Click(5, 2);
    GridTestWindow::Key(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(window.grid->hasFocus());
    const std::vector<int> rows{5, 6};
    for (const auto& [key, modifiers, column] :
         std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, int>>{{Qt::Key_Home, Qt::NoModifier, 1},
                                                                      {Qt::Key_Right, Qt::NoModifier, 2},
                                                                      {Qt::Key_End, Qt::ShiftModifier, 6},
                                                                      {Qt::Key_Home, Qt::ShiftModifier, 1},
                                                                      {Qt::Key_End, Qt::NoModifier, 6}}) {
        GridTestWindow::Key(key, modifiers);
        EXPECT_EQ(window.grid->currentIndex().column(), column) << key;
        EXPECT_EQ(window.grid->GetSelectedRows(), rows) << key;
    }
    GridTestWindow::Key(Qt::Key_Space);
    EXPECT_EQ(window.Text(5, 6), "True");
    EXPECT_EQ(window.Text(6, 6), "True");
    GridTestWindow::Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(window.grid->GetSelectedRows(), std::vector<int>{window.grid->GetItemCount() - 1});
    GridTestWindow::Key(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.grid->GetSelectedCount(), window.grid->GetItemCount());
    EXPECT_EQ(window.grid->currentIndex().row(), 0);
}

TEST(hvGridCtrl, AClickOnABoxTurnsOverThatRowAloneAndSelectsIt)
{
    GridTestWindow window;
    window.grid->SelectRows({4, 5, 6});
    window.Click(5, 5);
    EXPECT_EQ(window.Text(5, 5), "True");
    EXPECT_EQ(window.Text(4, 5), "False");
    EXPECT_EQ(window.Text(6, 5), "False");
    EXPECT_EQ(window.grid->GetSelectedRows(), (std::vector<int>{5}));
    EXPECT_EQ(window.grid->GetFocusedItem(), 5);
}

TEST(hvGridCtrl, ScrollRowToTopPutsTheRowAtTheTopOrAsNearAsTheEndAllows)
{
    GridTestWindow window(200);
    window.grid->ScrollRowToTop(97);
    EXPECT_EQ(window.grid->rowAt(0), 97);
    window.grid->ScrollRowToTop(2);
    EXPECT_EQ(window.grid->rowAt(0), 2);
    window.grid->ScrollRowToTop(199);
    const int last = window.grid->rowAt(window.grid->viewport()->height() - 1);
    EXPECT_EQ(last, 199);
    EXPECT_GT(window.grid->rowAt(0), 150);
}

TEST(hvGridCtrl, RowsDraggedByTheirNumberGoWhereTheyAreDropped)
{
    GridTestWindow window;
    QWidget* viewport = window.grid->viewport();
    const QRect target = window.grid->GetSubItemRect(6, 0);
    QTest::mousePress(viewport, Qt::LeftButton, {}, window.grid->GetSubItemRect(2, 0).center());
    QTest::mouseMove(viewport, target.center() + QPoint(0, target.height() / 4));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, target.center() + QPoint(0, target.height() / 4));
    ASSERT_EQ(window.drops.size(), 1U);
    EXPECT_EQ(window.drops.front(), (std::pair<std::vector<int>, int>{{2}, 7}));
    // A drag from another cell selects, as before.
    QTest::mousePress(viewport, Qt::LeftButton, {}, window.grid->GetSubItemRect(2, 2).center());
    QTest::mouseMove(viewport, window.grid->GetSubItemRect(4, 2).center());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, window.grid->GetSubItemRect(4, 2).center());
    EXPECT_EQ(window.drops.size(), 1U);

    // A press within the double-click time of a Ctrl+click on the number
    // comes as a double click alone: it picks the selected rows up all the same.
    const QPoint from = window.grid->GetSubItemRect(8, 0).center();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, from);
    const std::vector<int> picked = window.grid->GetSelectedRows();
    ASSERT_GT(picked.size(), 1U);
    const QPoint to = target.center() - QPoint(0, target.height() / 4);
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonDblClick, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    ASSERT_EQ(window.drops.size(), 2U);
    EXPECT_EQ(window.drops.back(), (std::pair<std::vector<int>, int>{picked, 6}));
}
