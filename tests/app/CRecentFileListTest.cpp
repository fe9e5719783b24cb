// The recent files: the list in the store, and the File menu that shows it.
#include "MainWindowFixture.h"

#include "app/CRecentFileList.h"
#include "res/ResourceIds.h"
#include "toolkit/CFileDialog.h"

#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <fstream>

namespace {

TEST(CRecentFileList, KeepsTheMostRecentFirstWithoutDuplicatesUpToItsSize)
{
    vnMemorySettingsStore store;
    CRecentFileList list(store, 4);
    EXPECT_TRUE(list.GetPaths().isEmpty());
    for (const char* path : {"/a.csv", "/b.csv", "/c.csv", "/d.csv", "/e.csv"})
        list.Add(path);
    EXPECT_EQ(list.GetPaths(), (QStringList{"/e.csv", "/d.csv", "/c.csv", "/b.csv"}));
    list.Add("/c.csv");
    EXPECT_EQ(list.GetPaths(), (QStringList{"/c.csv", "/e.csv", "/d.csv", "/b.csv"}));
    list.Remove("/e.csv");
    EXPECT_EQ(list.GetPaths(), (QStringList{"/c.csv", "/d.csv", "/b.csv"}));
    // Another list on the same store, as at the next start.
    EXPECT_EQ(CRecentFileList(store, 4).GetPaths(), (QStringList{"/c.csv", "/d.csv", "/b.csv"}));
    EXPECT_EQ(store.GetSettingString("Recent File List", "File1", ""), "/c.csv");
    EXPECT_EQ(store.GetSettingString("Recent File List", "File4", "x"), "");
}

TEST(CRecentFileList, MenuLabelNumbersTheFileNameAndShowsItsAmpersands)
{
    EXPECT_EQ(CRecentFileList::MenuLabel(0, "/home/ann/channels.csv"), "&1 channels.csv");
    EXPECT_EQ(CRecentFileList::MenuLabel(3, "/tmp/fire & rescue.csv"), "&4 fire && rescue.csv");
}

class RecentFilesMenuTest : public MainWindowFixture
{
protected:
    QString Write(const QString& name)
    {
        const QString path = dir.filePath(name);
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
            << "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n1,146.5200," << name.toStdString()
            << ",,0,0,0\r\n";
        return path;
    }

    // The File menu's labels, separators as "-".
    QStringList FileMenu() const
    {
        QStringList labels;
        for (QAction* item : frame->menuBar()->actions().at(0)->menu()->actions())
            if (item->isVisible())
                labels << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return labels;
    }

    QTemporaryDir dir;
};

TEST_F(RecentFilesMenuTest, OpenedFilesStandBetweenPrintAndExitAndOpenAgain)
{
    const QStringList plain{
        "&New\tCtrl+N",   "&Open...\tCtrl+O",  "&Import...",        "&Save\tCtrl+S",       "Save &As...", "-",
        "Page Set&up...", "&Print...\tCtrl+P", "Print Pre&view...", "Print &Race Card...", "-",           "E&xit"};
    EXPECT_EQ(FileMenu(), plain);

    const QString first = Write("first.csv");
    const QString second = Write("second.csv");
    ASSERT_TRUE(frame->OpenChannelFile(first));
    ASSERT_TRUE(frame->OpenChannelFile(second));
    QStringList expected = plain;
    for (const char* item : {"-", "&2 first.csv", "&1 second.csv"})
        expected.insert(11, item);
    EXPECT_EQ(FileMenu(), expected);
    EXPECT_EQ(frame->FindMenuItem(ID_FILE_MRU_FILE1 + 1)->statusTip(), first);

    // Choosing an entry opens it and puts it first.
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(Cell(0, 2), "first.csv");
    EXPECT_EQ(frame->FindMenuItem(ID_FILE_MRU_FILE1)->text(), "&1 first.csv");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(RecentFilesMenuTest, AFileThatHasGoneLeavesTheListWithAMessage)
{
    const QString kept = Write("kept.csv");
    const QString gone = Write("gone.csv");
    ASSERT_TRUE(frame->OpenChannelFile(kept));
    ASSERT_TRUE(frame->OpenChannelFile(gone));
    ASSERT_TRUE(QFile::remove(gone));

    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_MRU_FILE1));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains(gone)) << boxes.Shown()[0].text.toStdString();
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);
    EXPECT_EQ(CRecentFileList(*settings, ID_FILE_MRU_COUNT).GetPaths(), QStringList{kept});
    EXPECT_EQ(frame->FindMenuItem(ID_FILE_MRU_FILE1)->text(), "&1 kept.csv");
    EXPECT_EQ(frame->FindMenuItem(ID_FILE_MRU_FILE1 + 1), nullptr);
    // The channels shown are still those of the last file read.
    EXPECT_EQ(Cell(0, 2), "gone.csv");
}

TEST_F(RecentFilesMenuTest, SavedFilesJoinTheListAndFailedOpensDoNot)
{
    CFileDialog::Script dialogs;
    dialogs.SetNextFileName(dir.filePath("saved.csv"));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_FALSE(frame->OpenChannelFile(dir.filePath("missing.csv")));
    EXPECT_EQ(CRecentFileList(*settings, ID_FILE_MRU_COUNT).GetPaths(), QStringList{dir.filePath("saved.csv")});
}

} // namespace
