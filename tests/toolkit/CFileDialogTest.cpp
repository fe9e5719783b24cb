#include "toolkit/CFileDialog.h"

#include "toolkit/CMessageBox.h"

#include <QDir>
#include <QFileDialog>

#include <gtest/gtest.h>

namespace {

const QString ChannelFilter = "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|All Files (*.*)|*.*||";

} // namespace

TEST(CFileDialog, FilterBecomesQtNameFiltersShowingTheSameTexts)
{
    EXPECT_EQ(CFileDialog::ToNameFilters(ChannelFilter),
              (QStringList{"Delimited Text File (*.csv, *.txt) (*.csv *.txt)", "All Files (*.*) (*)"}));
    EXPECT_TRUE(CFileDialog::ToNameFilters("").isEmpty());
    EXPECT_EQ(CFileDialog::ToNameFilters("Odd|*.a"), QStringList{"Odd (*.a)"});
}

TEST(CFileDialog, DefaultExtensionGoesOnlyOnNamesWithoutOne)
{
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

TEST(CFileDialog, ScriptRecordsEachDialogAndAnswersWithQueuedNames)
{
    CFileDialog::Script script;
    script.SetNextFileName("relative/name");
    script.SetNextFileName("");

    CFileDialog chosen(false, "csv", "", CFileDialog::OverwritePrompt, ChannelFilter, nullptr);
    ASSERT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetPathName(), QDir::current().absoluteFilePath("relative/name.csv"));

    CFileDialog cancelled(true, "csv", "", CFileDialog::FileMustExist, ChannelFilter, nullptr);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL); // nothing queued any more

    ASSERT_EQ(script.Shown().size(), 3u);
    EXPECT_FALSE(script.Shown()[0].openFileDialog);
    EXPECT_EQ(script.Shown()[0].flags, CFileDialog::OverwritePrompt);
    EXPECT_TRUE(script.Shown()[1].openFileDialog);
    EXPECT_EQ(script.Shown()[1].defaultExtension, "csv");
    EXPECT_EQ(script.Shown()[1].nameFilters, CFileDialog::ToNameFilters(ChannelFilter));
}
