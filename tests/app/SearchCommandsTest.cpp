// Go To and Find on the main window.
#include "MainWindowFixture.h"

#include "app/CFindDlg.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "toolkit/CStatusBar.h"

#include <QTest>

namespace {

using SearchCommandsTest = MainWindowFixture;

bool RowShown(hvGridCtrl* grid, int row)
{
    return grid->viewport()->rect().contains(grid->GetSubItemRect(row, 1).center());
}

TEST_F(SearchCommandsTest, GoToRefusesAnythingButAChannelNumberThenSelectsThatChannel)
{
    grid->SetItemSelected(3, true);
    std::vector<std::string> refusals;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Go To");
        EXPECT_EQ(dialog.GetDlgItemText(IDC_GOTO_PROMPT), "&Channel number (1-200):");
        for (const char* typed : {"abc", "0", "201", "157"}) {
            dialog.SetDlgItemText(IDC_GOTO_NUMBER, typed);
            dialog.OnOK();
            if (dialog.result() != IDOK)
                refusals.push_back(dialog.GetDlgItemText(IDC_GOTO_MESSAGE));
        }
        return dialog.result();
    });
    QTest::keyClick(grid, Qt::Key_G, Qt::ControlModifier);

    EXPECT_EQ(refusals, std::vector<std::string>(3, "Type a whole number from 1 to 200."));
    EXPECT_EQ(grid->GetFocusedItem(), 156);
    EXPECT_EQ(grid->GetSelectedCount(), 1);
    EXPECT_TRUE(grid->IsItemSelected(156));
    EXPECT_TRUE(RowShown(grid, 156));
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(SearchCommandsTest, GoToAndFindPutTheChannelAtTheTopFromAboveOrBelow)
{
    const auto goTo = [this](const char* number) {
        CDialog::ModalHookScope hook([&](CDialog& dialog) {
            dialog.SetDlgItemText(IDC_GOTO_NUMBER, number);
            dialog.OnOK();
            return dialog.result();
        });
        ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_GOTO));
    };
    goTo("98");
    EXPECT_EQ(grid->rowAt(0), 97);
    goTo("3");
    EXPECT_EQ(grid->rowAt(0), 2);
    // The last channels cannot reach the top; the list's end stays at the foot.
    goTo("200");
    EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 1), 199);

    EditCell(120, 2, "Pit road");
    grid->SelectOnly(0);
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_FIND));
    frame->GetFindDialog()->SetDlgItemText(IDC_FIND_WHAT, "pit");
    frame->GetFindDialog()->OnOK();
    EXPECT_EQ(grid->GetFocusedItem(), 120);
    EXPECT_EQ(grid->rowAt(0), 120);
    frame->GetFindDialog()->OnCancel();
}

struct MatchCase
{
    const char* cell;
    const char* what;
    bool matchCase;
    bool wholeCell;
    bool matches;
};

class FindRequestTest : public ::testing::TestWithParam<MatchCase>
{};

TEST_P(FindRequestTest, MatchesByTheDialogsOptions)
{
    const MatchCase& c = GetParam();
    FindRequest request;
    request.what = QString::fromUtf8(c.what);
    request.matchCase = c.matchCase;
    request.wholeCell = c.wholeCell;
    EXPECT_EQ(request.Matches(QString::fromUtf8(c.cell)), c.matches) << c.cell << " / " << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, FindRequestTest,
                         ::testing::Values(MatchCase{"Tower North", "tower", false, false, true},
                                           MatchCase{"Tower North", "tower", true, false, false},
                                           MatchCase{"Tower North", "Tower", false, true, false},
                                           MatchCase{"tower north", "TOWER NORTH", false, true, true},
                                           MatchCase{"Zürich Süd", "ZÜRICH", false, false, true},
                                           MatchCase{"Tower", "", false, false, false}));

TEST_F(SearchCommandsTest, FindWalksTheMatchesFromTheFocusedRowAndWraps)
{
    EditCell(10, 2, "Tower North");
    EditCell(150, 2, "tower south");
    EditCell(60, 3, "4711");
    EditCell(120, 1, "146.52");
    grid->SetFocusedItem(0);
    frame->UpdateCommandUI();
    EXPECT_FALSE(frame->FindMenuItem(ID_EDIT_FIND_NEXT)->isEnabled());

    QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
    CFindDlg* find = frame->GetFindDialog();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->isVisible());
    const auto status = [this] { return frame->GetStatusBar()->currentMessage(); };

    // Each step: what to look for (null: keep it), the key (none: the Find
    // Next button), the row found and the note in the status bar.
    const struct
    {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        const char* note;
    } steps[] = {
        {"tower", Qt::Key_unknown, {}, 10, ""},
        {nullptr, Qt::Key_F3, {}, 150, ""},
        {nullptr, Qt::Key_F3, {}, 10, "Passed the last channel; continued from the first."},
        {nullptr, Qt::Key_F3, Qt::ShiftModifier, 150, "Passed the first channel; continued from the last."},
        {"4711", Qt::Key_unknown, {}, 60, "Passed the last channel; continued from the first."},
        {"146.5200", Qt::Key_F3, {}, 120, ""},
        {"no such channel", Qt::Key_unknown, {}, 120, "Cannot find \"no such channel\""},
    };
    for (const auto& step : steps) {
        if (step.what)
            find->SetDlgItemText(IDC_FIND_WHAT, step.what);
        if (step.key == Qt::Key_unknown)
            find->OnOK();
        else
            QTest::keyClick(find, step.key, step.modifiers);
        EXPECT_EQ(grid->GetFocusedItem(), step.row) << step.what;
        EXPECT_EQ(grid->GetSelectedCount(), 1);
        EXPECT_TRUE(grid->IsItemSelected(step.row));
        EXPECT_TRUE(RowShown(grid, step.row));
        EXPECT_EQ(status(), step.note);
    }

    // Cancel hides the dialog; F3 in the window repeats the search.
    find->OnCancel();
    EXPECT_FALSE(find->isVisible());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    find->SetDlgItemText(IDC_FIND_WHAT, "TOWER");
    QTest::keyClick(grid, Qt::Key_F3);
    EXPECT_EQ(grid->GetFocusedItem(), 150);
}

} // namespace
