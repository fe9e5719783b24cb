// Channel files that come from outside the program: named on the command
// line, or dropped on the window from the file manager.
#include "MainWindowFixture.h"

#include "app/CRecentFileList.h"
#include "res/ResourceIds.h"
#include "toolkit/FileNameCodec.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <fstream>

namespace {

class FilesFromOutsideTest : public MainWindowFixture
{
protected:
    QString Write(const QString& name, const std::string& description)
    {
        const QString path = dir.filePath(name);
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
            << "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n1,146.5200," << description
            << ",,0,0,0\r\n2,155.1000,Second,,0,0,0\r\n";
        return path;
    }

    // Drops urls on the grid's place in the window; whether the window took them.
    bool Drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = grid->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

    QTemporaryDir dir;
};

TEST_F(FilesFromOutsideTest, FileFromTheCommandLineOpensAsOpenDoes)
{
    const QString path = Write("scan list.csv", "From the shell");
    EXPECT_TRUE(app->OpenDocumentFile(path));
    EXPECT_EQ(frame->GetDocument().GetPath(), QFile::encodeName(path).toStdString());
    EXPECT_EQ(grid->GetItemCount(), 200); // every channel, the file's and the empty rest
    EXPECT_EQ(Cell(0, 2), "From the shell");
    EXPECT_TRUE(boxes.Shown().empty());

    // One that cannot be read gives Open's message.
    EXPECT_FALSE(app->OpenDocumentFile(dir.filePath("missing.csv")));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(
        boxes.Shown()[0].text.startsWith("The channel file \"" + dir.filePath("missing.csv") + "\" could not be read"))
        << boxes.Shown()[0].text.toStdString();
}

TEST_F(FilesFromOutsideTest, DroppedFileOpensAndOtherDropsAreRefused)
{
    const QString first = Write("first.csv", "Dropped first");
    const QString second = Write("second.csv", "Dropped second");
    EXPECT_FALSE(Drop({QUrl("https://pellmark.example/channels.csv")}));
    EXPECT_FALSE(Drop({}));
    EXPECT_EQ(Cell(0, 2), "");

    EXPECT_TRUE(Drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}));
    EXPECT_EQ(frame->GetDocument().GetPath(), QFile::encodeName(first).toStdString());
    EXPECT_EQ(Cell(0, 2), "Dropped first");
    EXPECT_EQ(grid->GetItemCount(), 200); // every channel, the file's and the empty rest
}

// A name in bytes that are not UTF-8, as an old Latin-1 disk holds it: from
// the command line, a drop and the recent-file list it opens the file named.
// Windows names files in UTF-16 text, which has no such bytes.
#ifndef _WIN32
TEST_F(FilesFromOutsideTest, NamesThatAreNotUtf8OpenFromEveryWayIn)
{
    const std::string bytes = QFile::encodeName(dir.path()).toStdString() + "/caf\xE9 list.csv";
    std::ofstream(bytes, std::ios::binary) << "ID,Frequency,Description\r\n1,146.5200,Latin\r\n";
    const QString name = DecodeFileName(QByteArray::fromStdString(bytes));

    EXPECT_TRUE(app->OpenDocumentFile(name));
    EXPECT_EQ(frame->GetDocument().GetPath(), bytes);
    EXPECT_EQ(Cell(0, 2), "Latin");

    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_NEW));
    EXPECT_TRUE(Drop({QUrl::fromEncoded("file://" + QByteArray::fromStdString(bytes).toPercentEncoding("/"))}));
    EXPECT_EQ(frame->GetDocument().GetPath(), bytes);

    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_NEW));
    ASSERT_TRUE(frame->ExecuteCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(frame->GetDocument().GetPath(), bytes);
    EXPECT_EQ(Cell(0, 2), "Latin");
    EXPECT_TRUE(boxes.Shown().empty());
}
#endif

} // namespace
