#include "toolkit/CFileDialog.h"

#include <QFileDialog>

#include <gtest/gtest.h>

namespace {

const QString ChannelFilter = "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|All Files (*.*)|*.*||";

} // namespace

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
