#include "GridTestWindow.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

void ClickRow(GridTestWindow& window, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(window.grid->viewport(), Qt::LeftButton, modifiers, window.CellCentre(row, 2));
}

} // namespace

TEST(hvGridCtrl, ShowsGridLinesAndSelectsWholeRowsSeveralAtATime)
{
    GridTestWindow window;
    EXPECT_TRUE(window.grid->showGrid());
    EXPECT_TRUE(window.grid->verticalHeader()->isHidden());
    EXPECT_FALSE(window.grid->horizontalHeader()->isHidden());

    ClickRow(window, 3);
    ClickRow(window, 7, Qt::ControlModifier);
    EXPECT_EQ(window.grid->GetSelectedCount(), 2);
    EXPECT_EQ(window.grid->GetNextSelectedItem(-1), 3);
    EXPECT_EQ(window.grid->GetNextSelectedItem(3), 7);
    EXPECT_EQ(window.grid->GetNextSelectedItem(7), -1);
    EXPECT_EQ(window.grid->GetFocusedItem(), 7);
    EXPECT_EQ(window.grid->selectionModel()->selectedIndexes().size(), 14); // whole rows

    ClickRow(window, 5);
    EXPECT_EQ(window.grid->GetSelectedCount(), 1);
    EXPECT_EQ(window.grid->GetNextSelectedItem(-1), 5);

    window.grid->DeleteAllItems();
    EXPECT_EQ(window.grid->GetNextSelectedItem(-1), -1);
}

TEST(hvGridCtrl, PaintingAsksOnlyForTheVisibleCells)
{
    GridTestWindow window(200);
    window.displayRequests = 0;
    window.grid->viewport()->repaint();
    const int rowHeight = window.grid->verticalHeader()->defaultSectionSize();
    const int visibleRows = window.grid->viewport()->height() / rowHeight + 2;
    EXPECT_GT(window.displayRequests, 0);
    EXPECT_LE(window.displayRequests, visibleRows * 7);
}

// EditSubItem's refusals leave no editor, whatever the reason.
struct Refusal
{
    const char* name;
    int row;
    int column;
    int descriptionWidth;
};

class EditSubItemRefusal : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(EditSubItemRefusal, OpensNoEditor)
{
    GridTestWindow window;
    window.grid->SetColumnWidth(2, GetParam().descriptionWidth);
    hvGridCtrlEdit* editor = nullptr;
    EXPECT_EQ(window.grid->EditSubItem(GetParam().row, GetParam().column, &editor), 0);
    EXPECT_EQ(editor, nullptr);
    EXPECT_EQ(window.EditorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(hvGridCtrl, EditSubItemRefusal,
                         ::testing::Values(Refusal{"FirstColumn", 1, 0, 300}, Refusal{"NegativeRow", -1, 2, 300},
                                           Refusal{"RowPastTheEnd", 20, 2, 300},
                                           Refusal{"ColumnPastTheEnd", 1, 7, 300},
                                           Refusal{"NegativeColumn", 1, -1, 300},
                                           Refusal{"ColumnFourPixelsWide", 1, 2, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(hvGridCtrl, ColumnFivePixelsWideCanBeEdited)
{
    GridTestWindow window;
    window.grid->SetColumnWidth(2, 5);
    EXPECT_NE(window.Open(1, 2), nullptr);
}

TEST(hvGridCtrl, RefusedColumnStillScrollsItsRowIntoView)
{
    GridTestWindow window(200);
    EXPECT_EQ(window.Open(150, 9), nullptr);
    const QRect row = window.grid->GetSubItemRect(150, 1);
    EXPECT_TRUE(window.grid->GetClientRect().contains(row));
}

TEST(hvGridCtrl, EditorCoversTheCellThreePixelsTallerWithTheColumnsAlignment)
{
    GridTestWindow window;
    window.Text(2, 1) = "146.5200";
    window.grid->SetColumnFormat(3, 1);

    hvGridCtrlEdit* editor = window.Open(2, 1);
    ASSERT_NE(editor, nullptr);
    QRect expected = window.grid->GetSubItemRect(2, 1);
    expected.setTop(expected.top() - 3);
    EXPECT_EQ(editor->geometry(), expected);
    EXPECT_EQ(editor->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(editor->text(), "146.5200");
    EXPECT_EQ(editor->selectedText(), "146.5200");
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->font(), window.grid->font());

    editor = window.Open(2, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    editor = window.Open(2, 3);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(window.EditorCount(), 1);
}

TEST(hvGridCtrl, OpeningARowBelowTheViewScrollsItFullyIntoView)
{
    GridTestWindow window(200);
    hvGridCtrlEdit* editor = window.Open(120, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(window.grid->GetClientRect().contains(window.grid->GetSubItemRect(120, 2)));
    // The selection and the focused row stay where they were.
    EXPECT_EQ(window.grid->GetSelectedCount(), 0);
}

TEST(hvGridCtrl, OpeningACellOutsideTheViewScrollsItsEdgeToTheClientsEdge)
{
    GridTestWindow window;
    window.resize(320, 300);
    QTest::qWait(0);
    const QRect client = window.grid->GetClientRect();

    ASSERT_NE(window.Open(1, 6), nullptr);
    EXPECT_EQ(window.grid->GetSubItemRect(1, 6).right(), client.right());

    ASSERT_NE(window.Open(1, 1), nullptr);
    EXPECT_EQ(window.grid->GetSubItemRect(1, 1).left(), client.left());

    // A cell wider than the view: right edges meet and the editor is clipped.
    window.grid->SetColumnWidth(2, 1000);
    hvGridCtrlEdit* editor = window.Open(1, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(window.grid->GetSubItemRect(1, 2).right(), client.right());
    EXPECT_EQ(editor->geometry().right(), client.right());
    EXPECT_LT(editor->geometry().left(), client.left());
}

TEST(hvGridCtrl, TypingOnOneSelectedRowOpensItsDescription)
{
    GridTestWindow window;
    window.Text(4, 2) = "old";
    window.SelectOnly(4);
    window.grid->setFocus();
    GridTestWindow::Key(Qt::Key_X);

    hvGridCtrlEdit* editor = window.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetRow(), 4);
    EXPECT_EQ(editor->GetColumn(), 2);
    EXPECT_EQ(editor->text(), "x");
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_FALSE(editor->hasSelectedText());
    EXPECT_TRUE(editor->IsModified());
    // The grid's selection does not move to a row beginning with "x".
    EXPECT_EQ(window.grid->GetNextSelectedItem(-1), 4);
    EXPECT_EQ(window.grid->GetSelectedCount(), 1);
}

TEST(hvGridCtrl, TypingOnTwoSelectedRowsOrNoneOpensNothing)
{
    GridTestWindow window;
    window.grid->setFocus();
    GridTestWindow::Key(Qt::Key_X);
    EXPECT_EQ(window.EditorCount(), 0);

    window.SelectOnly(4);
    window.grid->SetItemSelected(6, true);
    GridTestWindow::Key(Qt::Key_X);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_TRUE(window.edits.empty());
    EXPECT_EQ(window.grid->GetSelectedCount(), 2);
}

TEST(hvGridCtrl, TypingWithANarrowDescriptionColumnOpensNothing)
{
    GridTestWindow window;
    window.grid->SetColumnWidth(2, 4);
    window.SelectOnly(1);
    window.grid->setFocus();
    GridTestWindow::Key(Qt::Key_X);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_TRUE(window.grid->hasFocus());
}

TEST(hvGridCtrl, EnterOnTheGridOpensTheDescriptionAndMovesOnToCarNumber)
{
    GridTestWindow window;
    window.Text(3, 3) = "K9";
    window.SelectOnly(3);
    window.grid->setFocus();
    GridTestWindow::Key(Qt::Key_Return);

    hvGridCtrlEdit* editor = window.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetColumn(), 3);
    EXPECT_EQ(editor->selectedText(), "K9");
    EXPECT_TRUE(window.edits.empty()); // nothing was typed
}

TEST(hvGridCtrl, EscapeOnTheGridOpensAndClosesAnEditorAtOnce)
{
    GridTestWindow window;
    window.SelectOnly(3);
    window.grid->setFocus();
    GridTestWindow::Key(Qt::Key_Escape);
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_TRUE(window.edits.empty());
    EXPECT_TRUE(window.grid->hasFocus());
}

TEST(hvGridCtrl, TabOnTheGridOpensTheDescriptionAndMovesOnToCarNumber)
{
    GridTestWindow window;
    window.SelectOnly(2);
    window.grid->setFocus();
    GridTestWindow::Key(Qt::Key_Tab);
    hvGridCtrlEdit* editor = window.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetColumn(), 3);
}

TEST(hvGridCtrl, DoubleClickOpensTheFocusedRowsCellButNeverTheNumber)
{
    GridTestWindow window;
    window.Text(5, 1) = "851.0125";
    QTest::mouseDClick(window.grid->viewport(), Qt::LeftButton, {}, window.CellCentre(5, 0));
    EXPECT_EQ(window.EditorCount(), 0);
    EXPECT_EQ(window.grid->GetFocusedItem(), 5);

    QTest::mouseDClick(window.grid->viewport(), Qt::LeftButton, {}, window.CellCentre(5, 1));
    hvGridCtrlEdit* editor = window.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetRow(), 5);
    EXPECT_EQ(editor->GetColumn(), 1);
    EXPECT_EQ(editor->selectedText(), "851.0125");
}

TEST(hvGridCtrl, DoubleClickBelowTheLastRowOpensNothing)
{
    GridTestWindow window(3);
    const QPoint below = window.CellCentre(2, 2) + QPoint(0, 60);
    QTest::mouseDClick(window.grid->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(window.EditorCount(), 0);
}

TEST(hvGridCtrl, WheelCommitsAndClosesAnOpenEditBeforeScrolling)
{
    GridTestWindow window(200);
    hvGridCtrlEdit* editor = window.Open(1, 2);
    ASSERT_NE(editor, nullptr);
    GridTestWindow::Type("Tower");

    const QPoint at = window.CellCentre(3, 2);
    QWheelEvent wheel(at, window.grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.grid->viewport(), &wheel);

    EXPECT_EQ(window.EditorCount(), 0);
    ASSERT_EQ(window.edits.size(), 1u);
    EXPECT_EQ(window.edits[0], (GridTestWindow::Edit{1, 2, "Tower"}));
    EXPECT_GT(window.grid->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(window.grid->hasFocus());
}

TEST(hvGridCtrl, ClickOnAScrollBarCommitsAnOpenEdit)
{
    GridTestWindow window(200);
    ASSERT_NE(window.Open(1, 2), nullptr);
    GridTestWindow::Type("Dispatch");
    QScrollBar* bar = window.grid->verticalScrollBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 30));

    EXPECT_EQ(window.EditorCount(), 0);
    ASSERT_EQ(window.edits.size(), 1u);
    EXPECT_EQ(window.edits[0].text, "Dispatch");
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
    EXPECT_TRUE(window.edits.empty());
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

TEST(hvGridCtrl, CommitEditReportsAChangedEditAndClosesIt)
{
    GridTestWindow window;
    window.grid->CommitEdit(); // nothing open: nothing happens
    ASSERT_NE(window.Open(2, 3), nullptr);
    GridTestWindow::Type("42");
    window.grid->CommitEdit();
    EXPECT_EQ(window.EditorCount(), 0);
    ASSERT_EQ(window.edits.size(), 1u);
    EXPECT_EQ(window.edits[0], (GridTestWindow::Edit{2, 3, "42"}));
}
