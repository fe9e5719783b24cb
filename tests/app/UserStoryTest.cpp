// One user's session from the keyboard: fill in channels, save them, start
// afresh, open the file again and upload everything to a (virtual) scanner.
#include "MainWindowFixture.h"

#include "grid/hvGridCtrlEdit.h"
#include "tests/support/VirtualScannerProcess.h"
#include "toolkit/CFileDialog.h"

#include <QApplication>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Types text one key at a time into whatever has the focus, as a user does:
// the first key on the grid opens an editor, the rest go into it.
void Type(const std::string& text)
{
    for (char c : text)
        QTest::keyClick(QApplication::focusWidget(), c);
}

std::vector<std::vector<std::string>> Shown(CMainFrame* frame, int rows)
{
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < rows; ++row) {
        cells.emplace_back();
        for (int column = 0; column < 7; ++column)
            cells.back().push_back(frame->GetDispInfoText(row, column));
    }
    return cells;
}

using UserStory = MainWindowFixture;

} // namespace

TEST_F(UserStory, TypeSaveReopenAndUploadWhatWasTyped)
{
    QTemporaryDir dir;
    CFileDialog::Script dialogs;
    VirtualScannerProcess scanner(SCANLORE_VSCANNER, {"--json"});
    const auto device = scanner.NextLine();
    ASSERT_TRUE(device);
    SetPort(*device);

    grid->setFocus();
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(grid->GetItemCount(), 200);

    // A new table selects channel 1. Its description first, then back to
    // the frequency, across to the car number and the flags.
    ASSERT_EQ(grid->GetSelectedRows(), std::vector<int>{0});
    Type("Police");
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Type("146.52");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Type("K9");
    Key(Qt::Key_Tab);
    Type("yes");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Type("On");
    Key(Qt::Key_Return); // last column: stored, the editor stays
    Key(Qt::Key_Escape);
    ASSERT_TRUE(grid->hasFocus());

    // Row 2, from the description: Enter moves right, the arrow keys move
    // between cells.
    Key(Qt::Key_Down);
    ASSERT_EQ(grid->GetNextSelectedItem(-1), 1);
    Key(Qt::Key_Home);
    Key(Qt::Key_Right);
    Type("Fire, \"Station 3\"");
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Type("154.28 MHz");
    Key(Qt::Key_Return);
    Key(Qt::Key_Right); // all of the description selected: stays in the text
    Key(Qt::Key_Right); // caret at the end: on to the car number
    Type("007");
    Key(Qt::Key_Right); // caret after the text: on to the delay, all selected
    Key(Qt::Key_Right);
    Key(Qt::Key_Right); // on to the lockout
    Type("TRUE");
    Key(Qt::Key_Down); // row 3, lockout
    Type("nonsense");
    Key(Qt::Key_Escape); // abandoned: row 3 keeps its lockout off

    // Save As through Ctrl+S, since the channels have no file yet.
    const QString path = dir.filePath("story.csv");
    dialogs.SetNextFileName(path);
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    const auto typed = Shown(frame, 200);
    EXPECT_EQ(typed[0], (std::vector<std::string>{"1", "146.5200", "Police", "K9", "True", "False", "True"}));
    EXPECT_EQ(typed[1],
              (std::vector<std::string>{"2", "154.2800", "Fire, \"Station 3\"", "007", "False", "True", "False"}));
    EXPECT_EQ(typed[2], (std::vector<std::string>{"3", "", "", "", "False", "False", "False"}));

    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frame->GetDispInfoText(0, 2), "");

    dialogs.SetNextFileName(path);
    Key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(grid->GetItemCount(), 200);
    EXPECT_EQ(Shown(frame, 200), typed);

    Key(Qt::Key_F5, Qt::ShiftModifier);
    for (const auto& box : boxes.Shown())
        ADD_FAILURE() << "message box: " << box.text.toStdString();

    const auto lines = scanner.LinesUntil("\"event\":\"summary\"");
    std::vector<std::string> channels;
    for (const auto& line : lines)
        if (line.find("\"event\":\"channel\"") != std::string::npos)
            channels.push_back(line);
    ASSERT_EQ(channels.size(), 2u);
    EXPECT_NE(channels[0].find("\"number\":1,\"frequency\":\"146.5200\",\"car\":\"K9\",\"delay\":true,"
                               "\"lockout\":false,\"priority\":true"),
              std::string::npos)
        << channels[0];
    EXPECT_NE(channels[1].find("\"number\":2,\"frequency\":\"154.2800\",\"car\":\"007\",\"delay\":false,"
                               "\"lockout\":true,\"priority\":false"),
              std::string::npos)
        << channels[1];
    EXPECT_NE(lines.back().find("\"complete\":true"), std::string::npos) << lines.back();
}
