// Editing without losing channels in the window: the question before
// unsaved edits go, the title, typed text that is not a value in the status
// bar, and undo and redo from the menu and the keys.
#include "MainWindowFixture.h"

#include "res/ResourceIds.h"
#include "toolkit/CFileDialog.h"
#include "toolkit/CStatusBar.h"

#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Slurp(const QString& path)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const QString& path, const std::string& bytes)
{
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
}

class SafeEditingTest : public MainWindowFixture
{
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    std::string Name(const QString& name) const { return QFile::encodeName(Path(name)).toStdString(); }
    // An edit as the grid's editor hands it over, on channel 12.
    void Edit(int column, const std::string& text) { frame->OnEndLabelEdit(11, column, text); }
    std::string CellShownText(int row, int column) const
    {
        return grid->model()->data(grid->model()->index(row, column), Qt::DisplayRole).toString().toStdString();
    }

    QTemporaryDir dir;
    CFileDialog::Script dialogs;
};

enum class Leave { New, Open, Exit, Close };
enum class Answer { Save, Discard, Cancel };

class UnsavedChangesTest : public SafeEditingTest, public ::testing::WithParamInterface<std::tuple<Leave, Answer>>
{
protected:
    void Leaving(Leave how)
    {
        switch (how) {
        case Leave::New:
            frame->ExecuteCommand(ID_FILE_NEW);
            break;
        case Leave::Open:
            frame->ExecuteCommand(ID_FILE_OPEN);
            break;
        case Leave::Exit:
            frame->ExecuteCommand(ID_APP_EXIT);
            break;
        case Leave::Close:
            frame->close();
            break;
        }
    }
};

TEST_P(UnsavedChangesTest, AsksAndSavesDiscardsOrStays)
{
    const auto [how, answer] = GetParam();
    Put(Path("other.csv"), "ID,Frequency\r\n12,460.5\r\n");
    Edit(1, "146.52");
    ASSERT_EQ(Cell(11, 1), "146.5200");

    boxes.SetNextAnswers({answer == Answer::Save ? IDYES : answer == Answer::Discard ? IDNO : IDCANCEL});
    if (answer == Answer::Save)
        dialogs.SetNextFileName(Path("saved.csv"));
    dialogs.SetNextFileName(Path("other.csv")); // for Open, once it goes on
    Leaving(how);

    ASSERT_GE(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Save changes to Untitled?");
    EXPECT_EQ(boxes.Shown()[0].buttons, CMessageBox::SaveDiscardCancel);
    if (answer == Answer::Save) {
        EXPECT_NE(Slurp(Path("saved.csv")).find("\r\n12,146.520000,"), std::string::npos);
    }

    const bool goesOn = answer != Answer::Cancel;
    const bool closes = how == Leave::Exit || how == Leave::Close;
    EXPECT_EQ(frame->isVisible(), !(goesOn && closes));
    const char* expected = !goesOn || closes ? "146.5200" : how == Leave::Open ? "460.5000" : "";
    EXPECT_EQ(Cell(11, 1), expected);
    // Open's own dialog comes only after the question let it go on.
    const std::size_t fileDialogs = (answer == Answer::Save ? 1 : 0) + (how == Leave::Open && goesOn ? 1 : 0);
    EXPECT_EQ(dialogs.Shown().size(), fileDialogs);
}

INSTANTIATE_TEST_SUITE_P(Everywhere, UnsavedChangesTest,
                         ::testing::Combine(::testing::Values(Leave::New, Leave::Open, Leave::Exit, Leave::Close),
                                            ::testing::Values(Answer::Save, Answer::Discard, Answer::Cancel)));

TEST_F(SafeEditingTest, NothingAsksWhenNothingChanged)
{
    EXPECT_TRUE(frame->ExecuteCommand(ID_FILE_NEW));
    Edit(2, "Tower");
    dialogs.SetNextFileName(Path("kept.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(SafeEditingTest, ASaveThatFailsOrIsCancelledKeepsTheWindowAndTheEdits)
{
    Edit(2, "Tower");
    boxes.SetNextAnswers({IDYES}); // Save, then the Save As dialog is cancelled
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());

    boxes.SetNextAnswers({IDYES, IDOK});
    dialogs.SetNextFileName(Path("no/such/folder/x.csv"));
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(boxes.Shown().size(), 3u);
    EXPECT_TRUE(boxes.Shown()[2].text.contains("could not be saved"));
    EXPECT_EQ(Cell(11, 2), "Tower");
    EXPECT_TRUE(frame->isWindowModified());
}

TEST_F(SafeEditingTest, TitleNamesTheFileAndMarksUnsavedEdits)
{
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Scanlore");
    EXPECT_FALSE(frame->isWindowModified());
    Edit(1, "146.52");
    EXPECT_TRUE(frame->isWindowModified());

    dialogs.SetNextFileName(Path("channels.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(frame->windowTitle(), "channels.csv[*] - Scanlore");
    EXPECT_FALSE(frame->isWindowModified());

    Edit(1, "155.1");
    boxes.SetNextAnswers({IDCANCEL});
    frame->ExecuteCommand(ID_FILE_NEW);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Save changes to channels.csv?");
}

TEST_F(SafeEditingTest, TypedTextThatIsNotAValueIsRefusedInTheStatusBar)
{
    Edit(1, "146,52");
    Edit(1, "l46.52");
    EXPECT_EQ(CellShownText(11, 1), "146.5200");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "\"l46.52\" is not a frequency in MHz; channel 12 keeps 146.5200");
    Edit(1, "146.53");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "Ready") << "a value taken clears the warning";
}

TEST_F(SafeEditingTest, UndoAndRedoAnEditByMenuAndKeys)
{
    Put(Path("exact.csv"), "ID,Frequency\r\n12,146.520031\r\n"); // as a file may give it
    ASSERT_TRUE(frame->OpenChannelFile(Path("exact.csv")));
    const vnFrequency exact = frame->GetDocument().GetChannels().GetAt(11)->GetFrequency();
    Edit(1, "155.1");
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->FindMenuItem(ID_EDIT_UNDO)->text(), "&Undo Frequency of Channel 12\tCtrl+Z");
    EXPECT_FALSE(frame->FindMenuItem(ID_EDIT_REDO)->isEnabled());

    ASSERT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(frame->GetDocument().GetChannels().GetAt(11)->GetFrequency() == exact);
    EXPECT_FALSE(frame->isWindowModified());
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->FindMenuItem(ID_EDIT_REDO)->text(), "&Redo Frequency of Channel 12\tCtrl+Y");
    EXPECT_FALSE(frame->FindMenuItem(ID_EDIT_UNDO)->isEnabled());

    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Cell(11, 1), "155.1000");
    EXPECT_TRUE(frame->isWindowModified());
    QTest::keyClick(grid, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_TRUE(frame->GetDocument().GetChannels().GetAt(11)->GetFrequency() == exact);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Cell(11, 1), "155.1000");

    boxes.SetNextAnswers({IDNO});
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_NEW));
    EXPECT_FALSE(frame->GetDocument().GetUndoStack().canUndo());
    EXPECT_FALSE(frame->ExecuteCommand(ID_EDIT_UNDO));
}

} // namespace
