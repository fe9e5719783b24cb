// Open, Import, Save and Save As on the main window, through the file dialog
// and message box seams: the dialogs asked, the grid and the boxes shown. What
// the commands do to the table is the document's, tested on its own.
#include "MainWindowFixture.h"

#include "res/ResourceIds.h"
#include "toolkit/CFileDialog.h"

#include "grid/hvGridCtrlEdit.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <iterator>
#include <string>

namespace {

QString CellShown(hvGridCtrl* grid, int row, int column)
{
    return grid->model()->data(grid->model()->index(row, column), Qt::DisplayRole).toString();
}

std::string Slurp(const QString& path)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const QString& path, const std::string& bytes)
{
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

class FileCommandsTest : public MainWindowFixture
{
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    std::string Name(const QString& name) const { return QFile::encodeName(Path(name)).toStdString(); }

    QTemporaryDir dir;
    CFileDialog::Script dialogs;
};

} // namespace

TEST_F(FileCommandsTest, SaveWithoutANameAsksForOneThenSavesWithoutAsking)
{
    EditCell(0, 1, "146.52");
    EditCell(0, 2, "Police");
    dialogs.SetNextFileName(Path("first"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));

    ASSERT_EQ(dialogs.Shown().size(), 1u);
    const CFileDialog::Record& asked = dialogs.Shown()[0];
    EXPECT_FALSE(asked.openFileDialog);
    EXPECT_EQ(asked.defaultExtension, "csv");
    EXPECT_EQ(asked.fileName, "");
    EXPECT_TRUE(asked.flags & CFileDialog::OverwritePrompt);
    EXPECT_TRUE(asked.flags & CFileDialog::HideReadOnly);
    EXPECT_EQ(asked.nameFilters,
              (QStringList{"Delimited Text File (*.csv, *.txt) (*.csv *.txt)", "CHIRP CSV, export (*.csv) (*.csv)",
                           "All Files (*.*) (*)"}));
    EXPECT_EQ(frame->GetDocument().GetPath(), Name("first.csv"));
    const std::string saved = Slurp(Path("first.csv"));
    EXPECT_NE(saved.find("\r\n1,146.520000,\"Police\",,False,False,False\r\n"), std::string::npos);

    EditCell(0, 2, "Fire");
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_NE(Slurp(Path("first.csv")).find("\"Fire\""), std::string::npos);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(FileCommandsTest, SaveAsChirpExportsAndKeepsTheCurrentFileAndTitle)
{
    EditCell(0, 1, "146.52");
    dialogs.SetNextFileName(Path("own.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EditCell(0, 2, "Simplex");

    dialogs.SetNextFileName(Path("radio.csv"), 2);
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_EQ(Slurp(Path("radio.csv")).rfind("\"Location\",\"Name\",\"Frequency\",", 0), 0u);
    EXPECT_NE(Slurp(Path("radio.csv")).find("\r\n1,\"Simplex\",146.520000,"), std::string::npos);
    EXPECT_EQ(frame->GetDocument().GetPath(), Name("own.csv"));
    EXPECT_EQ(frame->windowTitle(), "own.csv[*] - Scanlore");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing)
{
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE_AS)); // nothing queued: cancelled
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_TRUE(dialogs.Shown()[1].openFileDialog);
    EXPECT_TRUE(dialogs.Shown()[1].flags & CFileDialog::FileMustExist);
    EXPECT_EQ(frame->GetDocument().GetPath(), "");
    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileCommandsTest, OpenShowsTheFileInTheGridAndTheDocumentsMessageInABox)
{
    Put(Path("county.csv"),
        "\"Frequency Output\",\"Description\",\"Alpha Tag\"\r\n"
        "\"154.13000\",\"Fire Dispatch\",\"CoFire Disp\"\r\n"
        "\"\",\"Spare\",\"\"\r\n");
    dialogs.SetNextFileName(Path("county.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    EXPECT_EQ(CellShown(grid, 0, 2), "CoFire Disp");
    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(frame->GetDocument().GetPath(), Name("county.csv"));
    EXPECT_EQ(frame->windowTitle(), "county.csv[*] - Scanlore");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Read 1 channel from county.csv (RadioReference layout). 1 line was skipped: "
              "line 3: no frequency.");
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);

    // Save does not replace another tool's file: it says why and offers a
    // name beside it, which becomes the current file.
    dialogs.SetNextFileName(Path("county-scanlore.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text,
              "county.csv is a RadioReference list; saving it in Scanlore's layout would drop its Description column "
              "and leave out the line it skipped.");
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[1].fileName, Path("county-scanlore.csv"));
    EXPECT_EQ(frame->GetDocument().GetPath(), Name("county-scanlore.csv"));

    // Scanlore's own file opens without a word; one that cannot be read
    // leaves the grid as it was.
    dialogs.SetNextFileName(Path("county-scanlore.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(CellShown(grid, 0, 2), "CoFire Disp");
    EXPECT_EQ(boxes.Shown().size(), 2u);
    dialogs.SetNextFileName(Path("gone.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));
    ASSERT_EQ(boxes.Shown().size(), 3u);
    EXPECT_TRUE(boxes.Shown()[2].text.contains("could not be read"));
    EXPECT_EQ(boxes.Shown()[2].icon, CMessageBox::Exclamation);
    EXPECT_EQ(CellShown(grid, 0, 2), "CoFire Disp");
}

// An Open that takes more than half a second shows how far it is, and
// Cancel there leaves the channels as they were.
TEST_F(FileCommandsTest, ALongOpenShowsProgressAndCancelLeavesTheChannels)
{
    EditCell(0, 1, "146.52");
    // Line feeds after one channel: read for well over half a second.
    Put(Path("long.csv"), "ID,Frequency\r\n1,151.1\r\n" + std::string(std::size_t{60} << 20, '\n'));
    QString shown;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(window); progress && progress->isVisible()) {
                shown = progress->labelText();
                progress->cancel();
            }
    });
    cancel.start(20);
    EXPECT_FALSE(frame->OpenChannelFile(Path("long.csv")));
    cancel.stop();
    EXPECT_EQ(shown, "Opening long.csv...");
    EXPECT_EQ(Cell(0, 1), "146.5200");
    EXPECT_EQ(frame->GetDocument().GetPath(), "");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Open of long.csv was cancelled. The channels are unchanged.");
}

TEST_F(FileCommandsTest, AFileChangedByAnotherProgramIsAskedAboutOnSaveAndOfferedOnActivation)
{
    const std::string own = "ID,Frequency,Description\r\n1,146.52,Mine\r\n";
    Put(Path("spring.csv"), own);
    ASSERT_TRUE(frame->OpenChannelFile(Path("spring.csv")));
    Put(Path("spring.csv"), own + "2,155.1,Theirs\r\n");

    // Nothing edited: the window offers Reload.
    boxes.SetNextAnswers({IDYES});
    frame->CheckOutsideChange();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].buttons, CMessageBox::ReloadKeep);
    EXPECT_EQ(CellShown(grid, 1, 2), "Theirs");

    Put(Path("spring.csv"), own);
    EditCell(0, 2, "Edited");
    frame->CheckOutsideChange();
    EXPECT_EQ(boxes.Shown().size(), 1u) << "an edited table is not offered a reload";
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE)); // unanswered: Cancel
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text, "spring.csv was changed by another program since you opened it.");
    EXPECT_EQ(boxes.Shown()[1].buttons, CMessageBox::SaveAnywaySaveAsCancel);
    EXPECT_EQ(Slurp(Path("spring.csv")), own);

    boxes.SetNextAnswers({IDYES});
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_NE(Slurp(Path("spring.csv")).find("Edited"), std::string::npos);
}

TEST_F(FileCommandsTest, ImportStartsAtTheFocusedRowAndShowsItsSummary)
{
    Put(Path("two.csv"), "Name,Frequency\r\nNOAA 1,162.55\r\nMarine,156.8\r\n");
    grid->SetFocusedItem(196);
    dialogs.SetNextFileName(Path("two.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_IMPORT));

    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_TRUE(dialogs.Shown()[0].openFileDialog);
    EXPECT_EQ(dialogs.Shown()[0].nameFilters,
              (QStringList{"Delimited Text File (*.csv, *.txt) (*.csv *.txt)", "All Files (*.*) (*)"}));
    EXPECT_EQ(CellShown(grid, 196, 2), "NOAA 1");
    EXPECT_EQ(CellShown(grid, 197, 1), "156.8000");
    EXPECT_EQ(CellShown(grid, 195, 1), "");
    EXPECT_TRUE(frame->isWindowModified());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Read 2 channels from two.csv (columns by name). Added 2 channels to the empty "
              "channels from channel 197 on.");
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Information);
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->FindMenuItem(ID_EDIT_UNDO)->text(), "&Undo Import of 2 Channels\tCtrl+Z");
}

// Ctrl+S typed in an open cell stores the cell and saves, as on the grid.
TEST_F(FileCommandsTest, CtrlSInsideTheEditorStoresTheCellAndSaves)
{
    grid->setFocus();
    grid->SetItemSelected(3, true);
    Key(Qt::Key_F);
    // QTest types the letter in lower case.
    ASSERT_NE(grid->GetOpenEditor(), nullptr);
    dialogs.SetNextFileName(Path("keys.csv"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(grid->GetOpenEditor(), nullptr);
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    std::ifstream saved(Name("keys.csv"));
    const std::string text{std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find(",\"f\","), std::string::npos) << text;
    EXPECT_FALSE(frame->isWindowModified());
}

TEST_F(FileCommandsTest, SaveTakesTheEditStillOpenOverACell)
{
    dialogs.SetNextFileName(Path("open-edit.csv"));
    grid->setFocus();
    grid->SetItemSelected(0, true);
    for (char c : std::string("Tower"))
        QTest::keyClick(QApplication::focusWidget(), c);
    ASSERT_NE(grid->GetOpenEditor(), nullptr);

    // As from the menu: the editor keeps the focus while the command runs.
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_NE(Slurp(Path("open-edit.csv")).find("1,,\"Tower\","), std::string::npos);
    EXPECT_EQ(Cell(0, 2), "Tower");
}
