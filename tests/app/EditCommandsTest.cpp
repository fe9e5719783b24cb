// Cut, Copy, Paste and Delete on the main window, its shortcut menu and
// View > Columns.
#include "MainWindowFixture.h"

#include "app/CColumnsDlg.h"
#include "app/CTransparentDialogBar.h"
#include "grid/hvGridCtrlEdit.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "toolkit/CListBox.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace {

class EditCommandsTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    }

    QString Clipboard() { return QGuiApplication::clipboard()->text(); }
    QString Status() { return frame->GetStatusBar()->currentMessage(); }

    // Channels 4 and 5 (rows 3 and 4) filled and selected, the grid focused.
    void SelectTwoFilledRows()
    {
        for (int row : {3, 4}) {
            EditCell(row, 1, "146.52");
            EditCell(row, 2, row == 3 ? "Fire\tNorth" : "Police");
            EditCell(row, 4, "True");
        }
        // The filling is set-up, not a step the tests count.
        frame->GetDocument().GetUndoStack().clear();
        grid->SetItemSelected(3, true);
        grid->SetItemSelected(4, true);
        grid->setFocus();
        ASSERT_TRUE(grid->hasFocus());
    }
};

// The keys of each command, pressed in the grid.
struct KeyCase
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool copies;
    bool clears;
    bool pastes; // into the focused cell, Description of channel 5
};

class EditKeysTest : public EditCommandsTest, public ::testing::WithParamInterface<KeyCase>
{};

TEST_P(EditKeysTest, RunTheirCommandOnTheSelectedRowsAsOneStep)
{
    const KeyCase& c = GetParam();
    SelectTwoFilledRows();
    grid->selectionModel()->setCurrentIndex(grid->model()->index(4, 2), QItemSelectionModel::NoUpdate);
    QTest::keyClick(grid, c.key, c.modifiers);

    if (c.copies) {
        EXPECT_EQ(Clipboard(),
                  "4\t146.5200\t\"Fire\tNorth\"\t\tTrue\tFalse\tFalse\n"
                  "5\t146.5200\tPolice\t\tTrue\tFalse\tFalse\n");
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("text/csv").toStdString(),
                  "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"\r\n"
                  "4,146.520000,\"Fire\tNorth\",,True,False,False\r\n"
                  "5,146.520000,\"Police\",,True,False,False\r\n");
    } else {
        EXPECT_EQ(Clipboard(), "untouched");
    }
    const int rows[] = {3, 4};
    for (int row : rows) {
        EXPECT_EQ(Cell(row, 0), std::to_string(row + 1));
        EXPECT_EQ(Cell(row, 1), c.clears ? "" : "146.5200");
        EXPECT_EQ(Cell(row, 4), c.clears ? "False" : "True");
    }
    EXPECT_EQ(Cell(4, 2), c.clears ? "" : c.pastes ? "untouched" : "Police");
    if (c.clears || c.pastes) {
        EXPECT_EQ(frame->GetDocument().GetUndoStack().count(), 1);
        frame->ExecuteCommand(ID_EDIT_UNDO);
        EXPECT_EQ(Cell(3, 2), "Fire\tNorth");
        EXPECT_EQ(Cell(4, 2), "Police");
        EXPECT_EQ(Cell(4, 1), "146.5200");
    } else {
        EXPECT_EQ(frame->GetDocument().GetUndoStack().count(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, EditKeysTest,
                         ::testing::Values(KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, true, false, false},
                                           KeyCase{"CtrlIns", Qt::Key_Insert, Qt::ControlModifier, true, false, false},
                                           KeyCase{"CtrlX", Qt::Key_X, Qt::ControlModifier, true, true, false},
                                           KeyCase{"ShiftDel", Qt::Key_Delete, Qt::ShiftModifier, true, true, false},
                                           KeyCase{"Del", Qt::Key_Delete, Qt::NoModifier, false, true, false},
                                           KeyCase{"CtrlV", Qt::Key_V, Qt::ControlModifier, false, false, true},
                                           KeyCase{"ShiftIns", Qt::Key_Insert, Qt::ShiftModifier, false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The same keys inside the cell editor edit its text and leave the grid alone.
struct EditorKeyCase
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* editorText; // after the key, with all of "Fire" selected before it
    const char* clipboard;
};

class EditorKeysTest : public EditCommandsTest, public ::testing::WithParamInterface<EditorKeyCase>
{};

TEST_P(EditorKeysTest, ActOnTheEditorsText)
{
    const EditorKeyCase& c = GetParam();
    EditCell(3, 2, "Fire");
    grid->SetItemSelected(3, true);
    hvGridCtrlEdit* editor = nullptr;
    ASSERT_TRUE(grid->EditSubItem(3, 2, &editor));
    ASSERT_EQ(QApplication::focusWidget(), editor);
    QTest::keyClick(editor, c.key, c.modifiers);

    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->text(), c.editorText);
    EXPECT_EQ(Clipboard(), c.clipboard);
    EXPECT_EQ(Cell(3, 2), "Fire");
    EXPECT_EQ(frame->GetDocument().GetUndoStack().count(), 1) << "only the set-up's edit";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditorKeysTest,
    ::testing::Values(EditorKeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, "Fire", "Fire"},
                      EditorKeyCase{"CtrlIns", Qt::Key_Insert, Qt::ControlModifier, "Fire", "Fire"},
                      EditorKeyCase{"CtrlX", Qt::Key_X, Qt::ControlModifier, "", "Fire"},
                      EditorKeyCase{"ShiftDel", Qt::Key_Delete, Qt::ShiftModifier, "", "Fire"},
                      EditorKeyCase{"CtrlV", Qt::Key_V, Qt::ControlModifier, "untouched", "untouched"},
                      EditorKeyCase{"ShiftIns", Qt::Key_Insert, Qt::ShiftModifier, "untouched", "untouched"},
                      EditorKeyCase{"Del", Qt::Key_Delete, Qt::NoModifier, "", "untouched"}),
    [](const auto& info) { return std::string(info.param.name); });

// Paste from the focused cell: what lands where, and what the status bar says.
struct PasteCase
{
    const char* name;
    const char* clipboard;
    int row;
    int column;                                           // the focused cell
    std::vector<std::tuple<int, int, std::string>> cells; // row, column, text after the paste
    const char* status;
};

class PasteTest : public EditCommandsTest, public ::testing::WithParamInterface<PasteCase>
{};

TEST_P(PasteTest, WritesCellsFromTheFocusedCellAsOneStep)
{
    const PasteCase& c = GetParam();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
    grid->setCurrentIndex(grid->model()->index(c.row, c.column));
    grid->setFocus();
    ASSERT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);

    for (const auto& [row, column, text] : c.cells)
        EXPECT_EQ(Cell(row, column), text) << row << "," << column;
    EXPECT_EQ(Status().toStdString(), c.status);
    ASSERT_EQ(frame->GetDocument().GetUndoStack().count(), 1);
    frame->ExecuteCommand(ID_EDIT_UNDO);
    // Back to New's empty channel, as the last one is after the undo.
    for (const auto& [row, column, text] : c.cells)
        if (column != 0) {
            EXPECT_EQ(Cell(row, column), Cell(199, column)) << "undone " << row << "," << column;
        }
}

// What lands where is the document's; the window picks the row and the
// columns from the focused cell.
INSTANTIATE_TEST_SUITE_P(
    Cases, PasteTest,
    ::testing::Values(PasteCase{"SpreadsheetRange",
                                "146.52\tFire\r\n151.1 MHz\tPolice\r\n",
                                5,
                                1,
                                {{5, 1, "146.5200"}, {5, 2, "Fire"}, {6, 1, "151.1000"}, {6, 2, "Police"}, {5, 0, "6"}},
                                "Pasted 2 channels into 6\u20137."},
                      // The number is never the current cell: the current column stays.
                      PasteCase{"NumberClickedKeepsTheCurrentColumn",
                                "162.55\n",
                                0,
                                0,
                                {{0, 0, "1"}, {0, 2, "162.55"}},
                                "Pasted 1 channel into 1."},
                      PasteCase{"CellsBeyondTheLastColumn",
                                "yes\tx\ty\n",
                                9,
                                6,
                                {{9, 6, "True"}},
                                "Pasted 1 channel into 10. 2 cells beyond the last column were not pasted."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditCommandsTest, CommandsAreGreyedWithNothingToActOn)
{
    const auto enabled = [&](int id) {
        frame->UpdateCommandUI();
        return frame->FindMenuItem(id)->isEnabled() && frame->ExecuteCommand(id) == true;
    };
    QGuiApplication::clipboard()->clear();
    frame->UpdateCommandUI();
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, ID_EDIT_UNDO, ID_EDIT_REDO})
        EXPECT_FALSE(frame->FindMenuItem(id)->isEnabled()) << id;
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(frame->GetToolBar()->FindButton(id)->isEnabled()) << id;

    // A selection wakes the toolbar's buttons once the event loop runs.
    EditCell(0, 1, "146.52");
    grid->SetItemSelected(0, true);
    QTRY_VERIFY(frame->GetToolBar()->FindButton(ID_EDIT_COPY)->isEnabled());
    EXPECT_TRUE(enabled(ID_EDIT_COPY)); // puts text on the clipboard
    QTRY_VERIFY(frame->GetToolBar()->FindButton(ID_EDIT_PASTE)->isEnabled());
    EXPECT_TRUE(enabled(ID_EDIT_DELETE));
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(enabled(ID_EDIT_REDO));
}

TEST_F(EditCommandsTest, LockOutAndUnlockKeysActOnEverySelectedRowAsOneStep)
{
    grid->SelectRows({3, 4, 5});
    const int steps = frame->GetDocument().GetUndoStack().count();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    for (int row : {3, 4, 5})
        EXPECT_EQ(Cell(row, 5), "True") << row;
    EXPECT_EQ(Cell(6, 5), "False");
    EXPECT_EQ(frame->GetDocument().GetUndoStack().count(), steps + 1);
    EXPECT_EQ(Status(), "Locked out 3 channels");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Cell(4, 5), "False");
    EXPECT_EQ(Status(), "Unlocked 3 channels");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Cell(4, 5), "True");
    EXPECT_EQ(Status(), "Undone: Lockout of 3 Channels");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Redone: Lockout of 3 Channels");
}

TEST_F(EditCommandsTest, SortOpensOnTheSelectionWhenChannelsAreSelectedAndSaysWhatItSorted)
{
    for (int row : {60, 61, 62})
        EditCell(row, 3, std::to_string(90 - row));
    EditCell(10, 3, "99");
    const auto sortByCar = [this](bool& offeredSelection) {
        CDialog::ModalHookScope hook([&](CDialog& dialog) {
            offeredSelection = dialog.GetDlgItemAs<QAbstractButton>(IDC_SORT_SELECTION)->isChecked();
            dialog.GetDlgItemAs<QAbstractButton>(IDC_SORT_CAR_NUMBER)->setChecked(true);
            dialog.OnOK();
            return IDOK;
        });
        ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_SORT));
    };
    grid->SelectRows({60, 61, 62});
    bool offeredSelection = false;
    sortByCar(offeredSelection);
    EXPECT_TRUE(offeredSelection);
    EXPECT_EQ(Cell(60, 3), "28");
    EXPECT_EQ(Cell(62, 3), "30");
    EXPECT_EQ(Cell(10, 3), "99");
    EXPECT_EQ(Status(), QString::fromUtf8("Sorted channels 61\u201363 by car number"));

    // One channel selected: the whole list, as chosen before.
    grid->SelectOnly(0);
    CDialog::ModalHookScope wholeList([&](CDialog& dialog) {
        offeredSelection = dialog.GetDlgItemAs<QAbstractButton>(IDC_SORT_SELECTION)->isChecked();
        return IDCANCEL;
    });
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_SORT));
    EXPECT_FALSE(offeredSelection);
}

TEST_F(EditCommandsTest, FollowCarsListsTheCarsAndTicksTheNumbersTyped)
{
    frame->UpdateCommandUI();
    EXPECT_FALSE(frame->FindMenuItem(ID_EDIT_FOLLOW_CARS)->isEnabled()) << "no car numbers yet";
    const char* channels[][3] = {{"461.1", "Jeff Gordon", "24"},
                                 {"461.2", "Jeff Gordon (Backup)", "24"},
                                 {"462.5", "Bill Elliott", "9"},
                                 {"463.5", "Ryan Newman", "02"}};
    for (int i = 0; i < 4; ++i)
        for (int column = 1; column <= 3; ++column)
            EditCell(20 + i, column, channels[i][column - 1]);
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->FindMenuItem(ID_EDIT_FOLLOW_CARS)->isEnabled());

    QStringList items;
    std::string ticked;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        auto* list = dialog.GetDlgItemAs<CListBox>(IDC_FOLLOW_LIST);
        for (int row = 0; row < list->count(); ++row)
            items << list->item(row)->text();
        QTest::keyClicks(dialog.GetDlgItemAs<QLineEdit>(IDC_FOLLOW_NUMBERS), "24, 02");
        EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
        EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
        EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
        list->item(1)->setCheckState(Qt::Checked);
        ticked = dialog.GetDlgItemText(IDC_FOLLOW_NUMBERS);
        list->item(1)->setCheckState(Qt::Unchecked);
        dialog.OnOK();
        return IDOK;
    });
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_FOLLOW_CARS));
    EXPECT_EQ(items, QStringList({"02  Ryan Newman", "9  Bill Elliott", "24  Jeff Gordon"}));
    EXPECT_EQ(ticked, "02, 9, 24");
    EXPECT_EQ(Cell(22, 5), "True");
    EXPECT_EQ(Cell(21, 5), "False");
    EXPECT_EQ(Status(), "Following 2 of 3 cars: 1 channel locked out, 0 unlocked.");
}

TEST_F(EditCommandsTest, CutAndDeleteSayWhatTheyEmptied)
{
    SelectTwoFilledRows();
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_CUT));
    EXPECT_EQ(Status(), "Cut 2 channels");
    grid->SelectOnly(7);
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_DELETE));
    EXPECT_EQ(Status(), "Deleted channel 8");
}

TEST_F(EditCommandsTest, RightClickSelectsTheRowAndOffersTheRowCommands)
{
    EditCell(6, 1, "146.52");
    grid->SetItemSelected(2, true);
    QStringList labels;
    CFrameWnd::PopupMenuHookScope hook([&](QMenu& menu) {
        for (QAction* action : menu.actions())
            labels << (action->isSeparator() ? QStringLiteral("-") : action->text());
        for (QAction* action : menu.actions())
            if (action->data().toInt() == ID_EDIT_DELETE && action->isEnabled())
                action->trigger();
    });
    const QPoint onRow6 = grid->GetSubItemRect(6, 1).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, onRow6, grid->viewport()->mapToGlobal(onRow6));
    QCoreApplication::sendEvent(grid->viewport(), &click);

    EXPECT_EQ(labels,
              QStringList({"Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "De&lete\tDel", "-",
                           "&Insert Empty Channel\tCtrl++", "Remo&ve Channel\tCtrl+-", "&Move Up\tAlt+Up",
                           "Move Do&wn\tAlt+Down", "S&ort Channels...", "-", "Loc&k Out\tCtrl+L",
                           "U&nlock\tCtrl+Shift+L", "-", "Upload &Selected To Scanner\tF5"}));
    EXPECT_EQ(grid->GetSelectedCount(), 1);
    EXPECT_TRUE(grid->IsItemSelected(6));
    EXPECT_EQ(Cell(6, 1), "");

    // The menu key opens the menu over the focused cell, whatever row lies
    // under the middle of the grid.
    labels.clear();
    grid->selectionModel()->setCurrentIndex(grid->model()->index(2, 1), QItemSelectionModel::NoUpdate);
    const QPoint middle = grid->viewport()->rect().center();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, middle, grid->viewport()->mapToGlobal(middle));
    QCoreApplication::sendEvent(grid->viewport(), &key);
    EXPECT_FALSE(labels.isEmpty());
    EXPECT_TRUE(grid->IsItemSelected(2));
    EXPECT_EQ(grid->GetSelectedCount(), 1);

    // Below the last row there is nothing to act on.
    labels.clear();
    grid->scrollToBottom();
    const QPoint below(5, grid->viewport()->height() - 1);
    if (!grid->indexAt(below).isValid()) {
        QContextMenuEvent empty(QContextMenuEvent::Mouse, below, grid->viewport()->mapToGlobal(below));
        QCoreApplication::sendEvent(grid->viewport(), &empty);
        EXPECT_TRUE(labels.isEmpty());
    }
}

TEST_F(EditCommandsTest, ColumnsDialogHidesAndOrdersColumns)
{
    CDialog::ModalHookScope hook([](CDialog& dialog) {
        auto* list = dialog.GetDlgItemAs<CListBox>(IDC_COLUMNS_LIST);
        EXPECT_EQ(list->count(), 7);
        EXPECT_FALSE(list->item(0)->flags() & Qt::ItemIsUserCheckable); // "#"
        list->item(3)->setCheckState(Qt::Unchecked);                    // Car Number
        list->SetCurSel(6);                                             // Priority, up twice
        dialog.GetDlgItemAs<QAbstractButton>(IDC_COLUMNS_UP)->click();
        dialog.GetDlgItemAs<QAbstractButton>(IDC_COLUMNS_UP)->click();
        dialog.OnOK();
        return dialog.result();
    });
    ASSERT_TRUE(frame->ExecuteCommand(ID_VIEW_COLUMNS));

    EXPECT_FALSE(grid->IsColumnShown(3));
    EXPECT_EQ(grid->GetColumnOrder(), (std::vector<int>{0, 1, 2, 3, 6, 4, 5}));
    // Tab in the editor passes over the hidden column.
    hvGridCtrlEdit* editor = nullptr;
    ASSERT_TRUE(grid->EditSubItem(0, 2, &editor));
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_NE(grid->GetOpenEditor(), nullptr);
    EXPECT_EQ(grid->GetOpenEditor()->GetColumn(), 6);
    grid->GetOpenEditor()->CloseWithoutReport();
}

TEST_F(EditCommandsTest, DescriptionTakesTheRoomOfAWiderWindow)
{
    const auto shownWidth = [&] {
        int sum = 0;
        for (int column = 0; column < grid->GetColumnCount(); ++column)
            sum += grid->columnWidth(column);
        return sum;
    };
    frame->resize(1200, 600);
    QTRY_COMPARE(shownWidth(), grid->viewport()->width());
    EXPECT_GT(grid->columnWidth(2), 300);
    EXPECT_EQ(grid->GetColumnWidth(2), 300); // its own width, which is what is kept

    frame->resize(500, 600);
    QTRY_COMPARE(grid->columnWidth(2), 300);
}

} // namespace

TEST_F(EditCommandsTest, NewShowsChannelOneAndTheGridsKeysMoveChannelsOnlyInTheGrid)
{
    grid->scrollToBottom();
    QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(grid->rowAt(0), 0);
    EXPECT_EQ(grid->GetSelectedRows(), std::vector<int>{0});
    auto* bank = frame->GetBankBar()->GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    ASSERT_NE(bank, nullptr);
    EXPECT_TRUE(bank->currentText().startsWith("Bank 1"));

    EditCell(0, 2, "Fire");
    EditCell(1, 2, "Police");
    grid->SelectOnly(0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Cell(1, 2), "Fire");
    EXPECT_EQ(grid->GetSelectedRows(), std::vector<int>{1});
    EXPECT_EQ(frame->GetDocument().GetUndoStack().undoText(), "Move of Channel 1");

    // In the bank box the same keys leave the channels alone.
    bank->setFocus();
    ASSERT_TRUE(bank->hasFocus());
    QTest::keyClick(bank, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Cell(1, 2), "Fire");

    // Sort by description through the dialog: Fire, Police, then the empty.
    CDialog::ModalHookScope hook([](CDialog& dialog) {
        dialog.GetDlgItemAs<QAbstractButton>(IDC_SORT_DESCRIPTION)->setChecked(true);
        dialog.GetDlgItemAs<QAbstractButton>(IDC_SORT_WHOLE_LIST)->setChecked(true);
        dialog.OnOK();
        return IDOK;
    });
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_SORT));
    EXPECT_EQ(Cell(0, 2), "Fire");
    EXPECT_EQ(Cell(1, 2), "Police");
    EXPECT_EQ(frame->GetDocument().GetUndoStack().undoText(), "Sort of 200 Channels");
}
