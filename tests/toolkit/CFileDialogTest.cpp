#include "toolkit/CFileDialog.h"

#include "toolkit/CMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString ChannelFilter = "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|All Files (*.*)|*.*||";

struct RealDialogCase
{
    const char* name;
    bool open;
    bool typed; // typed into the name field, else picked in the list
    const char* chosen;
    const char* expected;
    const char* question; // the overwrite question's file, or nothing
};

class RealFileDialog : public ::testing::TestWithParam<RealDialogCase>
{};

} // namespace

// The dialog that DoModal shows (Qt's own, not the desktop's), driven as a
// user would: "All Files", then a name typed or a file picked, then accept;
// the overwrite question is answered Yes.
TEST_P(RealFileDialog, AddsTheDefaultExtensionOnlyToATypedNameBeforeAsking)
{
    const RealDialogCase& c = GetParam();
    QTemporaryDir dir;
    for (const char* existing : {"name", "name.csv", "chan.csv", "fresh.csv"}) {
        QFile file(dir.filePath(existing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QStringList questions;
    bool acted = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions << box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->reject();
            return;
        }
        auto* files = qobject_cast<QFileDialog*>(modal);
        if (!files || acted)
            return;
        if (files->directory().absolutePath() != QDir(dir.path()).absolutePath()) {
            files->setDirectory(dir.path());
            files->selectNameFilter(files->nameFilters().constLast());
            return;
        }
        auto* list = files->findChild<QListView*>("listView");
        if (!list || list->model()->rowCount(list->rootIndex()) < 4)
            return; // the folder is still loading
        acted = true;
        if (c.typed)
            files->findChild<QLineEdit*>("fileNameEdit")->setText(c.chosen);
        else
            for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
                if (const QModelIndex file = list->model()->index(row, 0, list->rootIndex());
                    file.data().toString() == c.chosen)
                    list->setCurrentIndex(file); // as a click on it
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        // A dialog that refuses the name stays open; give up on it.
        QTimer::singleShot(3000, files, [files] { files->reject(); });
    });
    driver.start(10);

    CFileDialog dialog(c.open, "csv", "",
                       c.open ? CFileDialog::FileMustExist | CFileDialog::HideReadOnly
                              : CFileDialog::OverwritePrompt | CFileDialog::HideReadOnly,
                       ChannelFilter, nullptr);
    const int result = dialog.DoModal();
    driver.stop();

    ASSERT_TRUE(acted);
    ASSERT_EQ(result, IDOK) << questions.join(" | ").toStdString();
    EXPECT_EQ(dialog.GetPathName().toStdString(), dir.filePath(c.expected).toStdString());
    if (*c.question) {
        ASSERT_EQ(questions.size(), 1);
        EXPECT_TRUE(questions[0].startsWith(QString(c.question) + " already exists")) << questions[0].toStdString();
    } else {
        EXPECT_TRUE(questions.isEmpty()) << questions.join(" | ").toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RealFileDialog,
    ::testing::Values(RealDialogCase{"OpenTypedExistingNameWithoutExtension", true, true, "name", "name", ""},
                      RealDialogCase{"OpenTypedNameOfACsvFile", true, true, "chan", "chan.csv", ""},
                      RealDialogCase{"OpenPickedFileWithoutExtension", true, false, "name", "name", ""},
                      RealDialogCase{"SavePickedFileWithoutExtension", false, false, "name", "name", "name"},
                      RealDialogCase{"SaveTypedNameGetsCsvBeforeTheQuestion", false, true, "fresh", "fresh.csv",
                                     "fresh.csv"},
                      RealDialogCase{"SaveTypedNewName", false, true, "new", "new.csv", ""}),
    [](const ::testing::TestParamInfo<RealDialogCase>& info) { return std::string(info.param.name); });

TEST(CFileDialog, FilterShowsTheSameTextsAndDefaultExtensionGoesOnlyOnNamesWithoutOne)
{
    // The dialog hides the last parentheses, so the texts show as given.
    EXPECT_EQ(CFileDialog::ToNameFilters(ChannelFilter),
              (QStringList{"Delimited Text File (*.csv, *.txt) (*.csv *.txt)", "All Files (*.*) (*)"}));
    EXPECT_TRUE(CFileDialog::ToNameFilters("").isEmpty());

    EXPECT_EQ(CFileDialog::WithDefaultExtension("/home/u/scanner", "csv"), "/home/u/scanner.csv");
    EXPECT_EQ(CFileDialog::WithDefaultExtension("/home/u/scanner.txt", "csv"), "/home/u/scanner.txt");
    EXPECT_EQ(CFileDialog::WithDefaultExtension("/home/u.d/scanner", "csv"), "/home/u.d/scanner.csv");
    EXPECT_EQ(CFileDialog::WithDefaultExtension("/home/u/scanner", ""), "/home/u/scanner");
    EXPECT_EQ(CFileDialog::WithDefaultExtension("", "csv"), "");
}

TEST(CFileDialog, OpenDialogWantsAnExistingFileAndSaveDialogAsksBeforeReplacing)
{
    QFileDialog openDialog;
    CFileDialog(true, "csv", "", CFileDialog::FileMustExist | CFileDialog::HideReadOnly, ChannelFilter, nullptr)
        .Configure(openDialog);
    EXPECT_EQ(openDialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(openDialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(openDialog.defaultSuffix(), "csv");
    EXPECT_EQ(openDialog.nameFilters().size(), 2);
    EXPECT_TRUE(openDialog.testOption(QFileDialog::HideNameFilterDetails));

    QFileDialog saveDialog;
    CFileDialog(false, "csv", "", CFileDialog::OverwritePrompt | CFileDialog::HideReadOnly, ChannelFilter, nullptr)
        .Configure(saveDialog);
    EXPECT_EQ(saveDialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(saveDialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(saveDialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(saveDialog.defaultSuffix(), "csv");
}
