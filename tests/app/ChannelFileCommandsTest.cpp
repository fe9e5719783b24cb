// Open, Import, Save and Save As on the main window, through the file dialog
// and message box seams.
#include "MainWindowFixture.h"

#include "app/ChannelFile.h"
#include "channels/vnChannelList.h"
#include "res/ResourceIds.h"
#include "toolkit/CFileDialog.h"

#include "grid/hvGridCtrlEdit.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

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
    frame->SetCellText(0, 1, "146.52");
    frame->SetCellText(0, 2, "Police");
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
              (QStringList{"Delimited Text File (*.csv, *.txt) (*.csv *.txt)", "All Files (*.*) (*)"}));
    EXPECT_EQ(frame->GetFileName(), Name("first.csv"));
    const std::string saved = Slurp(Path("first.csv"));
    EXPECT_NE(saved.find("\r\n1,146.520000,\"Police\",,False,False,False\r\n"), std::string::npos);

    frame->SetCellText(0, 2, "Fire");
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_NE(Slurp(Path("first.csv")).find("\"Fire\""), std::string::npos);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing)
{
    frame->SetFileName("");
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE_AS)); // nothing queued: cancelled
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_TRUE(dialogs.Shown()[1].openFileDialog);
    EXPECT_TRUE(dialogs.Shown()[1].flags & CFileDialog::FileMustExist);
    EXPECT_EQ(frame->GetFileName(), "");
    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileCommandsTest, OpenShowsTheFilesChannelsAndSaveAfterOpenWritesEveryChannel)
{
    Put(Path("ten.csv"),
        "ID,Frequency,Description\r\n"
        "1,151.1,One\r\n2,151.2,Two\r\n3,151.3,Three\r\n4,151.4,Four\r\n5,151.5,Five\r\n"
        "6,151.6,Six\r\n7,151.7,Seven\r\n8,151.8,Eight\r\n9,151.9,Nine\r\n10,152,Ten\r\n");
    frame->SetCellText(150, 2, "unseen");
    dialogs.SetNextFileName(Path("ten.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    EXPECT_EQ(frame->GetFileName(), Name("ten.csv"));
    ASSERT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(CellShown(grid, 9, 1), "152.0000");
    EXPECT_EQ(CellShown(grid, 9, 2), "Ten");
    EXPECT_EQ(frame->GetChannelList().GetCount(), 200);
    EXPECT_TRUE(boxes.Shown().empty());

    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    const std::string saved = Slurp(Path("ten.csv"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 201);
    EXPECT_EQ(saved.find("unseen"), std::string::npos);
}

TEST_F(FileCommandsTest, OpenOfALongerFileTellsHowManyLinesWereNotLoaded)
{
    std::string text = "ID,Frequency\r\n";
    for (int i = 1; i <= 250; ++i)
        text += std::to_string(i) + ",15" + std::to_string(i % 10) + ".5\r\n";
    Put(Path("long.csv"), text);
    dialogs.SetNextFileName(Path("long.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    EXPECT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(frame->GetChannelList().GetCount(), 200);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains(Path("long.csv")));
    EXPECT_TRUE(boxes.Shown()[0].text.contains("50 lines"));
}

TEST_F(FileCommandsTest, OpenOfAnotherToolsFileSumsUpInOneMessage)
{
    Put(Path("county.csv"),
        "\"Frequency Output\",\"Description\",\"Alpha Tag\"\r\n"
        "\"154.13000\",\"Fire Dispatch\",\"CoFire Disp\"\r\n"
        "\"\",\"Spare\",\"\"\r\n");
    dialogs.SetNextFileName(Path("county.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    EXPECT_EQ(CellShown(grid, 0, 2), "CoFire Disp");
    EXPECT_EQ(frame->GetFileName(), Name("county.csv"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Read 1 channel from county.csv (RadioReference layout). 1 line was skipped: "
              "line 3: no frequency.");
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);

    // Scanlore's own file opens without a word.
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    dialogs.SetNextFileName(Path("county.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(CellShown(grid, 0, 2), "CoFire Disp");
    EXPECT_EQ(boxes.Shown().size(), 1u);
}

namespace {

// Every channel of the table, whole, to compare before and after.
std::vector<vnChannel> AllChannels(CMainFrame* frame)
{
    std::vector<vnChannel> channels;
    for (int index = 0; index < frame->GetChannelList().GetCount(); ++index)
        channels.push_back(*frame->GetChannelList().GetAt(index));
    return channels;
}

} // namespace

TEST_F(FileCommandsTest, ImportFillsEmptyChannelsFromTheFocusedRowAsOneUndoStep)
{
    frame->SetCellText(0, 1, "146.52");
    frame->SetCellText(196, 2, "No frequency");
    frame->SetCellText(197, 1, "155.1");
    frame->SetCellText(197, 2, "In use");
    const std::vector<vnChannel> before = AllChannels(frame);
    // CHIRP's export: its own locations do not matter, the empty channels do.
    Put(Path("chirp.csv"),
        "Location,Name,Frequency,Duplex,Offset,Tone,Skip\r\n"
        "0,NOAA 1,162.550000,,0.000000,,\r\n"
        "1,RPT,146.940000,-,0.600000,Tone,S\r\n"
        "2,Simplex,146.520000,,0.000000,,P\r\n"
        "3,Marine,156.800000,,0.000000,,\r\n");
    grid->SetFocusedItem(196);
    dialogs.SetNextFileName(Path("chirp.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_IMPORT));

    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_TRUE(dialogs.Shown()[0].openFileDialog);
    EXPECT_EQ(dialogs.Shown()[0].nameFilters,
              (QStringList{"Delimited Text File (*.csv, *.txt) (*.csv *.txt)", "All Files (*.*) (*)"}));
    // Channel 197 has a description but no frequency: it counts as empty.
    EXPECT_EQ(CellShown(grid, 196, 2), "NOAA 1");
    EXPECT_EQ(CellShown(grid, 197, 2), "In use");
    EXPECT_EQ(CellShown(grid, 198, 2), "RPT");
    EXPECT_EQ(CellShown(grid, 198, 5), "True");
    EXPECT_EQ(CellShown(grid, 199, 1), "146.5200");
    EXPECT_EQ(CellShown(grid, 199, 6), "True");
    EXPECT_EQ(CellShown(grid, 0, 1), "146.5200");
    EXPECT_EQ(CellShown(grid, 195, 1), "") << "rows above the focused one stay empty";
    EXPECT_EQ(frame->GetFileName(), "");
    EXPECT_TRUE(frame->isWindowModified());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Read 4 channels from chirp.csv (CHIRP layout). Added 3 channels to the empty channels from channel "
              "197 on. 1 channel did not fit: no empty channel was left.");
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);

    EXPECT_EQ(frame->FindMenuItem(ID_EDIT_UNDO)->text(), "&Undo Import of 3 Channels\tCtrl+Z");
    ASSERT_TRUE(frame->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(AllChannels(frame) == before);
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_FALSE(frame->GetUndoStack().canUndo()) << "one step";
}

TEST_F(FileCommandsTest, ImportOfAFileThatCannotBeReadLeavesTheTable)
{
    frame->SetCellText(0, 1, "146.52");
    const std::vector<vnChannel> before = AllChannels(frame);
    dialogs.SetNextFileName(Path("gone.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_IMPORT));

    EXPECT_TRUE(AllChannels(frame) == before);
    EXPECT_FALSE(frame->GetUndoStack().canUndo());
    EXPECT_FALSE(frame->isWindowModified());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              QString::fromStdString(OpenFailedMessage(Name("gone.csv"), std::generic_category().message(ENOENT))));
}

TEST_F(FileCommandsTest, FailedOpenNamesTheFileAndTheReason)
{
    dialogs.SetNextFileName(Path("gone.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_OPEN));

    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains("\"" + Path("gone.csv") + "\""));
    // The system's words, in the user's language.
    EXPECT_TRUE(boxes.Shown()[0].text.contains(QString::fromStdString(std::generic_category().message(ENOENT))));
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);
}

// A full disk is made with a POSIX file size limit, which Windows lacks.
#ifndef _WIN32
TEST_F(FileCommandsTest, FailedSaveSaysSoAndTheOldFileStays)
{
    Put(Path("kept.csv"), "previous content\r\n");
    dialogs.SetNextFileName(Path("kept.csv"));

    // A file size limit stands in for a full disk.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool handled = frame->ExecuteCommand(ID_FILE_SAVE_AS);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(handled);
    EXPECT_EQ(Slurp(Path("kept.csv")), "previous content\r\n");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains("\"" + Path("kept.csv") + "\""));
    EXPECT_TRUE(boxes.Shown()[0].text.contains("not"));
    EXPECT_EQ(frame->GetFileName(), Name("kept.csv"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    const QString missing = Path("no/such/folder/x.csv");
    frame->SetFileName(QFile::encodeName(missing).toStdString());
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_TRUE(boxes.Shown()[1].text.contains(missing));
}

#endif

TEST_F(FileCommandsTest, CtrlSInsideTheEditorDoesNotSaveButOnTheGridItDoes)
{
    grid->setFocus();
    grid->SetItemSelected(3, true);
    Key(Qt::Key_F);
    // QTest types the letter in lower case.
    ASSERT_NE(grid->GetOpenEditor(), nullptr);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.Shown().empty());
    ASSERT_NE(grid->GetOpenEditor(), nullptr);
    EXPECT_EQ(grid->GetOpenEditor()->text(), "f");

    Key(Qt::Key_Escape);
    ASSERT_TRUE(grid->hasFocus());
    dialogs.SetNextFileName(Path("keys.csv"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_TRUE(QFile::exists(Path("keys.csv")));
}

TEST_F(FileCommandsTest, SaveTakesTheEditStillOpenOverACell)
{
    frame->SetFileName(Name("open-edit.csv"));
    grid->setFocus();
    grid->SetItemSelected(0, true);
    for (char c : std::string("Tower"))
        QTest::keyClick(QApplication::focusWidget(), c);
    ASSERT_NE(grid->GetOpenEditor(), nullptr);

    // As from the menu: the editor keeps the focus while the command runs.
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_NE(Slurp(Path("open-edit.csv")).find("1,,\"Tower\","), std::string::npos);
    EXPECT_EQ(frame->GetCellText(0, 2), "Tower");
}
