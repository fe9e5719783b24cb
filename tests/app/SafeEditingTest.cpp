// Editing without losing channels: the question before unsaved edits go,
// Open and Save that keep what they cannot read, typed text that is not a
// value, and undo and redo.
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
    ASSERT_EQ(frame->GetCellText(11, 1), "146.5200");

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
    EXPECT_EQ(frame->GetCellText(11, 1), expected);
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
    frame->SetFileName(Name("kept.csv"));
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

    frame->SetFileName(Name("no/such/folder/x.csv"));
    boxes.SetNextAnswers({IDYES, IDOK});
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(boxes.Shown().size(), 3u);
    EXPECT_TRUE(boxes.Shown()[2].text.contains("could not be saved"));
    EXPECT_EQ(frame->GetCellText(11, 2), "Tower");
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

TEST_F(SafeEditingTest, AFileThatCannotBeOpenedChangesNothing)
{
    Put(Path("kept.csv"), "ID,Frequency\r\n1,151.1\r\n");
    frame->SetFileName(Name("kept.csv"));
    Edit(1, "146.52");
    boxes.SetNextAnswers({IDNO});
    dialogs.SetNextFileName(Path("gone.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_TRUE(boxes.Shown()[1].text.contains("\"" + Path("gone.csv") + "\""));
    EXPECT_TRUE(boxes.Shown()[1].text.contains("unchanged"));
    EXPECT_EQ(frame->GetFileName(), Name("kept.csv"));
    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(frame->GetCellText(11, 1), "146.5200");
    EXPECT_TRUE(frame->isWindowModified());

    // Ctrl+S still goes to the file that was open, not to the one that failed.
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_NE(Slurp(Path("kept.csv")).find("12,146.520000"), std::string::npos);
    EXPECT_FALSE(QFile::exists(Path("gone.csv")));
}

TEST_F(SafeEditingTest, AFileReadOnlyInPartShowsWhatWasReadAndForgetsItsName)
{
    // Three channels, then a line so wide that the reader gives up on it.
    std::string text = "ID,Frequency,Description\r\n1,151.1,One\r\n2,151.2,Two\r\n3,151.3,Three\r\n";
    for (int i = 0; i < 95; ++i)
        text += "\r\n";
    text += std::string(200000, ',') + "\r\n";
    Put(Path("cut.csv"), text);
    frame->SetFileName(Name("before.csv"));
    dialogs.SetNextFileName(Path("cut.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains("\"" + Path("cut.csv") + "\""));
    EXPECT_EQ(frame->GetCellText(2, 2), "Three");
    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(frame->GetFileName(), "");
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Scanlore");

    // Save asks for a name instead of overwriting the file read in part.
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(Slurp(Path("cut.csv")), text);
}

TEST_F(SafeEditingTest, OpenShowsEveryChannelAndEmptiesThoseTheFileDoesNotGive)
{
    Put(Path("ten.csv"),
        "ID,Frequency,Description\r\n"
        "1,151.1,One\r\n2,151.2,Two\r\n3,151.3,Three\r\n4,151.4,Four\r\n5,151.5,Five\r\n"
        "6,151.6,Six\r\n7,151.7,Seven\r\n8,151.8,Eight\r\n9,151.9,Nine\r\n10,152,Ten\r\n");
    frame->SetCellText(150, 1, "462.5625");
    dialogs.SetNextFileName(Path("ten.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(frame->GetCellText(9, 2), "Ten");
    // What Upload All sends is what the grid shows.
    EXPECT_EQ(frame->GetCellText(150, 1), "");
    EXPECT_EQ(frame->GetCellText(150, 0), "151");
}

TEST_F(SafeEditingTest, TypedFrequencyTakesACommaAndRefusesWhatIsNotANumber)
{
    Edit(1, "146,52");
    EXPECT_EQ(frame->GetCellText(11, 1), "146.5200");
    Edit(1, "l46.52");
    EXPECT_EQ(frame->GetCellText(11, 1), "146.5200");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "\"l46.52\" is not a frequency in MHz; channel 12 keeps 146.5200");
    Edit(5, "True");
    Edit(5, "Ture");
    EXPECT_EQ(frame->GetCellText(11, 5), "True");
    EXPECT_TRUE(frame->GetStatusBar()->GetPaneText(0).startsWith("\"Ture\" is not"));
    Edit(1, "");
    EXPECT_EQ(frame->GetCellText(11, 1), "");
}

TEST_F(SafeEditingTest, UndoAndRedoAnEditByMenuAndKeys)
{
    frame->SetCellText(11, 1, "146.520031"); // as a file may give it
    const vnFrequency exact = frame->GetChannelList().GetAt(11)->GetFrequency();
    Edit(1, "155.1");
    Edit(1, "155.1"); // the same again: no second step
    EXPECT_EQ(frame->GetUndoStack().count(), 1);
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->FindMenuItem(ID_EDIT_UNDO)->text(), "&Undo Frequency of Channel 12\tCtrl+Z");
    EXPECT_FALSE(frame->FindMenuItem(ID_EDIT_REDO)->isEnabled());

    ASSERT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(frame->GetChannelList().GetAt(11)->GetFrequency() == exact);
    EXPECT_FALSE(frame->isWindowModified());
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->FindMenuItem(ID_EDIT_REDO)->text(), "&Redo Frequency of Channel 12\tCtrl+Y");
    EXPECT_FALSE(frame->FindMenuItem(ID_EDIT_UNDO)->isEnabled());

    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(frame->GetCellText(11, 1), "155.1000");
    EXPECT_TRUE(frame->isWindowModified());
    QTest::keyClick(grid, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_TRUE(frame->GetChannelList().GetAt(11)->GetFrequency() == exact);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->GetCellText(11, 1), "155.1000");

    boxes.SetNextAnswers({IDNO});
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_NEW));
    EXPECT_FALSE(frame->GetUndoStack().canUndo());
    EXPECT_FALSE(frame->ExecuteCommand(ID_EDIT_UNDO));
}

TEST_F(SafeEditingTest, AManyChannelStepUndoesAndRedoesAsOne)
{
    std::vector<ChannelEditCommand::Change> changes;
    for (int row : {0, 5, 199}) {
        const vnChannel& before = *frame->GetChannelList().GetAt(row);
        vnChannel after = before;
        after.SetDescription("Row " + std::to_string(row));
        changes.push_back({row, before, after});
    }
    changes.push_back({7, *frame->GetChannelList().GetAt(7), *frame->GetChannelList().GetAt(7)}); // no change
    frame->ChangeChannels(changes, "Paste of 3 Channels");
    EXPECT_EQ(frame->GetCellText(199, 2), "Row 199");
    EXPECT_EQ(frame->GetUndoStack().count(), 1);
    EXPECT_EQ(frame->GetUndoStack().undoText(), "Paste of 3 Channels");

    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_UNDO));
    for (int row : {0, 5, 199})
        EXPECT_EQ(frame->GetCellText(row, 2), "") << row;
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_REDO));
    for (int row : {0, 5, 199})
        EXPECT_EQ(CellShownText(row, 2), "Row " + std::to_string(row)) << row;

    frame->ChangeChannels({{3, *frame->GetChannelList().GetAt(3), *frame->GetChannelList().GetAt(3)}}, "Nothing");
    EXPECT_EQ(frame->GetUndoStack().count(), 1);
}

} // namespace
