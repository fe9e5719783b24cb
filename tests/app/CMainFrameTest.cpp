// The main window: its grid, commands, key bindings and uploads.
#include "MainWindowFixture.h"

#include "tests/support/CountingFrame.h"
#include "tests/support/Gre1Packets.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScratchFolder.h"

#include "app/CHelpWindow.h"
#include "app/CTransparentDialogBar.h"
#include "grid/hvGridCtrlEdit.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/ui/vnManagerModulesDlg.h"
#include "modules/vnInstalledModules.h"
#include "res/ResourceIds.h"
#include "toolkit/CReBarBand.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>

namespace {

const std::string kMissingPort = "/nonexistent/scanlore-test-port";

QString CellShown(hvGridCtrl* grid, int row, int column)
{
    return grid->model()->data(grid->model()->index(row, column), Qt::DisplayRole).toString();
}

using MainFrameTest = MainWindowFixture;

TEST_F(MainFrameTest, NewFillsOneRowPerChannelOfTheModuleNumberedOneTo200)
{
    ASSERT_EQ(grid->GetItemCount(), 200);
    ASSERT_EQ(frame->GetDocument().GetChannels().GetCount(), 200);
    for (int row = 0; row < 200; ++row)
        ASSERT_EQ(CellShown(grid, row, 0), QString::number(row + 1)) << row;

    const QStringList fresh = {"", "", "", "False", "False", "False"};
    for (int column = 1; column <= 6; ++column)
        EXPECT_EQ(CellShown(grid, 199, column), fresh[column - 1]) << column;
}

TEST_F(MainFrameTest, GridHasTheSevenColumnsWithTheirTitlesWidthsAndAlignments)
{
    struct Column
    {
        const char* title;
        int format;
        int width;
    };
    const Column expected[] = {
        {"#", hvGridCtrl::FormatCenter, 30},          {"Frequency", hvGridCtrl::FormatCenter, 100},
        {"Description", hvGridCtrl::FormatLeft, 300}, {"Car Number", hvGridCtrl::FormatCenter, 75},
        {"Delay", hvGridCtrl::FormatCenter, 75},      {"Lockout", hvGridCtrl::FormatCenter, 75},
        {"Priority", hvGridCtrl::FormatCenter, 75},
    };
    ASSERT_EQ(grid->GetColumnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(grid->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), expected[i].title);
        EXPECT_EQ(grid->GetColumnFormat(i), expected[i].format) << i;
        EXPECT_EQ(grid->GetColumnWidth(i), expected[i].width) << i;
    }
}

TEST_F(MainFrameTest, BankBarSitsInTheSecondBandListingTheBanks)
{
    const CReBar& rebar = frame->GetReBar();
    ASSERT_EQ(rebar.GetBandCount(), 2);
    EXPECT_EQ(rebar.GetBand(0)->GetChild(), frame->GetToolBar());
    EXPECT_EQ(rebar.GetBand(1)->GetChild(), frame->GetBankBar());

    auto* banks = frame->GetBankBar()->GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    ASSERT_NE(banks, nullptr);
    ASSERT_EQ(banks->count(), 11);
    EXPECT_EQ(banks->itemText(0), "(All Banks)");
    EXPECT_EQ(banks->itemText(1), "Bank 1: 1-20");
    EXPECT_EQ(banks->itemText(10), "Bank 10: 181-200");
    // The grid has the focus on its first row, and the list follows it.
    EXPECT_EQ(grid->GetFocusedItem(), 0);
    EXPECT_EQ(banks->currentIndex(), 1);

    // One row: the toolbar band as narrow as its buttons, the bank bar's
    // band taking the rest of it.
    const QRect toolbarBand = rebar.GetBand(0)->geometry();
    const QRect bankBand = rebar.GetBand(1)->geometry();
    EXPECT_EQ(toolbarBand.top(), bankBand.top());
    EXPECT_LT(toolbarBand.right(), bankBand.left());
    EXPECT_GT(bankBand.width(), toolbarBand.width());
    EXPECT_GE(bankBand.right(), frame->width() - 8);
}

TEST_F(MainFrameTest, ChoosingABankGoesToItsFirstChannelAndTheBarFollowsTheFocusedRow)
{
    auto* banks = frame->GetBankBar()->GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    ASSERT_NE(banks, nullptr);
    banks->setCurrentIndex(9);
    emit banks->activated(9); // as the user's choice reports it
    EXPECT_EQ(grid->GetFocusedItem(), 160);
    EXPECT_EQ(grid->GetSelectedCount(), 1);
    EXPECT_TRUE(grid->IsItemSelected(160));
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->GetSubItemRect(160, 1).center()));
    EXPECT_EQ(grid->GetItemCount(), 200);

    for (const auto& [row, entry] : {std::pair{0, 1}, std::pair{19, 1}, std::pair{20, 2}, std::pair{199, 10}}) {
        grid->SetFocusedItem(row);
        EXPECT_EQ(banks->currentIndex(), entry) << row;
    }

    // "(All Banks)" moves nothing.
    banks->setCurrentIndex(0);
    emit banks->activated(0);
    EXPECT_EQ(grid->GetFocusedItem(), 199);
}

TEST_F(MainFrameTest, ViewToolbarHidesTheToolbarBandAndViewStatusBarTheStatusBar)
{
    CReBarBand* band = frame->GetReBar().GetBand(0);
    ASSERT_TRUE(band->isVisible());
    EXPECT_TRUE(frame->ExecuteCommand(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(band->isVisible());
    EXPECT_FALSE(frame->FindMenuItem(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(frame->GetReBar().GetBand(1)->isVisible());
    EXPECT_TRUE(frame->ExecuteCommand(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(band->isVisible());

    EXPECT_TRUE(frame->ExecuteCommand(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(frame->GetStatusBar()->isVisible());
    EXPECT_FALSE(frame->FindMenuItem(ID_VIEW_STATUS_BAR)->isChecked());
}

// Commands that nothing in the program handles: greyed in the menu.
class UnhandledCommandTest : public MainWindowFixture, public ::testing::WithParamInterface<int>
{};

TEST_P(UnhandledCommandTest, IsGreyedAndDoesNotRun)
{
    const int id = GetParam();
    frame->UpdateCommandUI();
    if (QAction* item = frame->FindMenuItem(id)) {
        EXPECT_FALSE(item->isEnabled());
    }
    EXPECT_FALSE(frame->ExecuteCommand(id));
}

INSTANTIATE_TEST_SUITE_P(MenuAndHiddenCommands, UnhandledCommandTest,
                         ::testing::Values(ID_TRANSFER_DOWNLOAD_ALL, ID_NEXT_PANE, ID_PREV_PANE));

TEST_F(MainFrameTest, DownloadAllSaysInItsPromptWhyItIsGreyed)
{
    EXPECT_TRUE(frame->FindMenuItem(ID_TRANSFER_DOWNLOAD_ALL)->statusTip().contains("can only send"));
}

TEST_F(MainFrameTest, HandledCommandsAreEnabledInMenuAndToolbar)
{
    QGuiApplication::clipboard()->clear();
    frame->UpdateCommandUI();
    for (int id : {ID_FILE_NEW, ID_FILE_IMPORT, ID_FILE_PAGE_SETUP, ID_APP_EXIT, ID_EDIT_SELECT_ALL, ID_VIEW_COLUMNS,
                   ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_TRANSFER_UPLOAD_SELECTED, ID_TRANSFER_UPLOAD_ALL,
                   ID_TRANSFER_MODULES, ID_FILE_PRINT, ID_HELP_TOPICS, ID_APP_ABOUT})
        EXPECT_TRUE(frame->FindMenuItem(id)->isEnabled()) << id;

    // Nothing selected, nothing on the clipboard.
    const CToolBar* toolbar = frame->GetToolBar();
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(toolbar->FindButton(id)->isEnabled()) << id;
    EXPECT_TRUE(toolbar->FindButton(ID_TOOLBAR_PRINT)->isEnabled());
    EXPECT_TRUE(toolbar->FindButton(ID_HELP_TOPICS)->isEnabled());
    // The everyday commands, each with its menu item's prompt, and a name
    // that a screen reader says.
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_TRANSFER_UPLOAD_SELECTED, ID_TRANSFER_UPLOAD_ALL}) {
        QAction* button = toolbar->FindButton(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_TRUE(button->isEnabled()) << id;
        EXPECT_FALSE(button->statusTip().isEmpty()) << id;
        EXPECT_EQ(button->statusTip(), frame->FindMenuItem(id)->statusTip()) << id;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(toolbar->widgetForAction(button));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), button->toolTip()) << id;
    }
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal, Qt::AccessibleTextRole), "Channel number");
}

TEST_F(MainFrameTest, UploadKeysRunTheCommandsTheirMenuLabelsName)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EditCell(3, 1, "146.52");
    grid->SetItemSelected(3, true);
    ASSERT_TRUE(grid->hasFocus());

    const std::vector<WirePacket> selected = {StartPacket(1), ChannelPacket("C4^F146.5200^DR^LR^PR^"), EndPacket()};
    const std::vector<WirePacket> all = {StartPacket(200), ChannelPacket("C4^F146.5200^DR^LR^PR^"), EndPacket()};
    const struct
    {
        Qt::KeyboardModifiers modifiers;
        const std::vector<WirePacket>& sent;
    } keys[] = {{Qt::NoModifier, selected}, {Qt::ControlModifier, all}, {Qt::ShiftModifier, all}};
    for (const auto& key : keys) {
        QTest::keyClick(grid, Qt::Key_F5, key.modifiers);
        EXPECT_EQ(DecodePackets(line.ReadWritten()), key.sent) << key.modifiers.toInt();
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(MainFrameTest, TransferSettingsOpensTheCurrentModulesProperties)
{
    int shown = 0;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        shown = dialog.GetTemplateId();
        return IDCANCEL;
    });
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_SETTINGS));
    EXPECT_EQ(shown, IDD_GRE1_PROPERTIES);
}

TEST_F(MainFrameTest, CtrlASelectsEveryRowAndLeavesTheFocusedRow)
{
    grid->SetFocusedItem(5);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->GetSelectedCount(), 200);
    EXPECT_EQ(grid->GetFocusedItem(), 5);
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(MainFrameTest, UploadSelectedSendsOneUploadPerSelectedRowFromTheTop)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EditCell(3, 1, "146.52");
    EditCell(3, 4, "yes");
    EditCell(7, 1, "851.0125");
    EditCell(7, 3, "12");
    grid->SetItemSelected(7, true);
    grid->SetItemSelected(3, true);

    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_SELECTED));
    EXPECT_TRUE(boxes.Shown().empty());

    // Two complete uploads of one channel each: rows 3 and 7, in that order.
    EXPECT_EQ(DecodePackets(line.ReadWritten()),
              (std::vector<WirePacket>{StartPacket(1), ChannelPacket("C4^F146.5200^DS^LR^PR^"), EndPacket(),
                                       StartPacket(1), ChannelPacket("C8^V12^F851.0125^DR^LR^PR^"), EndPacket()}));
    // The scanner never answers: the program says what it sent, and where.
    const QString status = frame->GetStatusBar()->GetPaneText(0);
    EXPECT_TRUE(status.startsWith(QString::fromStdString("Sent 2 channels to the scanner on " + line.Path() + " in ")))
        << status.toStdString();
    EXPECT_TRUE(status.contains(" s. The scanner does not confirm: check its display.")) << status.toStdString();
    // Channels to look for on the display: here both, in the order sent.
    EXPECT_TRUE(status.endsWith(" Check on the scanner's display: 4 (146.5200, delay) and 8 (851.0125, car 12)."))
        << status.toStdString();
}

TEST_F(MainFrameTest, UploadsSendTheEditStillOpenOverACell)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    grid->setFocus();
    ASSERT_TRUE(grid->EditSubItem(4, 1));
    grid->GetOpenEditor()->selectAll();
    QTest::keyClicks(grid->GetOpenEditor(), "155.79");

    // Shift+F5 while the editor holds the focus, as a user would press it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(DecodePackets(line.ReadWritten()),
              (std::vector<WirePacket>{StartPacket(200), ChannelPacket("C5^F155.7900^DR^LR^PR^"), EndPacket()}));

    // Upload Selected takes an open edit too.
    grid->SelectOnly(2);
    ASSERT_TRUE(grid->EditSubItem(2, 1));
    grid->GetOpenEditor()->selectAll();
    QTest::keyClicks(grid->GetOpenEditor(), "460.1");
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_SELECTED));
    EXPECT_EQ(DecodePackets(line.ReadWritten()),
              (std::vector<WirePacket>{StartPacket(1), ChannelPacket("C3^F460.1000^DR^LR^PR^"), EndPacket()}));
}

TEST_F(MainFrameTest, FailingPortShowsTheMessageOnceForUploadAll)
{
    SetPort(kMissingPort);
    EditCell(0, 1, "146.52");
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const CMessageBox::Record& box = boxes.Shown()[0];
    EXPECT_EQ(box.caption, "Scanlore");
    EXPECT_EQ(box.icon, CMessageBox::Exclamation);
    EXPECT_EQ(box.buttons, CMessageBox::OkHelp);
    EXPECT_TRUE(box.text.startsWith("A transfer error has occurred.\n\n"));
    EXPECT_TRUE(box.text.contains(QString::fromStdString(kMissingPort)));

    // Help leads to the page on a scanner that does not answer.
    boxes.SetNextAnswers({IDHELP});
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    ASSERT_NE(frame->GetHelpWindow(), nullptr);
    EXPECT_TRUE(frame->GetHelpWindow()->isVisible());
    EXPECT_EQ(frame->GetHelpWindow()->GetBrowser()->source(), CHelpWindow::NoAnswerPage);
}

TEST_F(MainFrameTest, AFailedUploadSelectedSaysHowManyOfTheSelectedChannelsWereSent)
{
    SetPort(kMissingPort);
    for (int row : {2, 9, 150}) {
        EditCell(row, 1, "146.52");
        grid->SetItemSelected(row, true);
    }
    grid->SetItemSelected(11, true); // no frequency: named, not sent
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_SELECTED));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains("\n\nNone of the 3 channels was sent.\n\n"))
        << boxes.Shown()[0].text.toStdString();
    // Which memories are new and which old.
    EXPECT_TRUE(boxes.Shown()[0].text.endsWith("No channel was updated; channels 3, 10 and 151 still hold what they "
                                               "held before."))
        << boxes.Shown()[0].text.toStdString();
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "Channel 12 has no frequency and was not sent.");

    // The message was about the table Open and New let go.
    ScratchFolder folder;
    ScratchFolder::Put(folder.Path("spring.csv"), "ID,Frequency\r\n1,151.1\r\n");
    boxes.SetNextAnswers({IDNO});
    ASSERT_TRUE(frame->OpenChannelFile(QString::fromStdString(folder.Path("spring.csv"))));
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "Opened spring.csv: 1 channel.");
    EXPECT_TRUE(frame->ExecuteCommand(ID_FILE_NEW));
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "Ready");
}

// The grid takes a car number that cannot be sent, and says so at once.
TEST_F(MainFrameTest, TypingACarNumberTheScannerCannotTakeWarnsInTheStatusBar)
{
    grid->setFocus();
    ASSERT_TRUE(grid->EditSubItem(6, 3));
    QTest::keyClicks(grid->GetOpenEditor(), "A^B");
    QTest::keyClick(grid->GetOpenEditor(), Qt::Key_Return); // stored; the next cell opens
    QTest::keyClick(grid->GetOpenEditor(), Qt::Key_Escape);
    EXPECT_EQ(Cell(6, 3), "A^B");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0),
              "Channel 7: the car number holds '^', which the scanner reads as the end of a field.");

    // Put right, the warning goes.
    ASSERT_TRUE(grid->EditSubItem(6, 3));
    grid->GetOpenEditor()->selectAll();
    QTest::keyClicks(grid->GetOpenEditor(), "AB");
    QTest::keyClick(grid->GetOpenEditor(), Qt::Key_Return);
    QTest::keyClick(grid->GetOpenEditor(), Qt::Key_Escape);
    EXPECT_EQ(Cell(6, 3), "AB");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), "Ready");
}

// Cancel in the progress window ends Upload All after the packet being
// written, with the end packet, and without an error box.
TEST_F(MainFrameTest, CancelEndsUploadAllAndSaysHowFarItGot)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    for (int row = 0; row < 200; ++row)
        EditCell(row, 1, "146.52");
    // At 4800 baud the 200 channels need some 14 seconds of line time.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (progress && progress->isVisible())
                QTest::keyClick(progress, Qt::Key_Escape);
        }
    });
    cancel.start(100);

    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    cancel.stop();
    EXPECT_TRUE(boxes.Shown().empty());
    const QString status = frame->GetStatusBar()->GetPaneText(0);
    const QRegularExpressionMatch match =
        QRegularExpression("^Upload cancelled after channel (\\d+) of 200\\. Channels 1\u2013(\\d+) were updated; "
                           "(\\d+)\u2013200 still hold what they held before\\.$")
            .match(status);
    ASSERT_TRUE(match.hasMatch()) << status.toStdString();
    EXPECT_EQ(match.captured(2), match.captured(1));
    EXPECT_EQ(match.captured(3).toUInt(), match.captured(1).toUInt() + 1);

    const std::vector<WirePacket> packets = DecodePackets(line.ReadWritten());
    ASSERT_GE(packets.size(), 2u);
    EXPECT_EQ(packets.size(), match.captured(1).toUInt() + 2);
    EXPECT_LT(packets.size(), 202u);
    EXPECT_EQ(packets.front(), StartPacket(200));
    EXPECT_EQ(packets.back(), EndPacket());
}

// A frequency outside the scanner's bands is marked and said at once, and
// the upload asks about it before any byte.
TEST_F(MainFrameTest, OutOfBandFrequenciesAreMarkedAndAskedAboutBeforeTheUpload)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EditCell(3, 1, "146.52");
    EditCell(11, 1, "2000");
    const QString warning =
        QString::fromUtf8("Channel 12: 2000.0000 MHz is outside the Pro-89's bands (25\u20131,300 MHz).");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), warning);
    const QModelIndex cell = grid->model()->index(11, 1);
    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), warning);
    EXPECT_TRUE(cell.data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(grid->model()->index(3, 1).data(Qt::ForegroundRole).isValid());

    boxes.SetNextAnswers({IDCANCEL, IDYES});
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].buttons, CMessageBox::SendOthersAllCancel);
    EXPECT_EQ(boxes.Shown()[0].text,
              QString::fromUtf8("1 channel is outside the Pro-89's bands (25\u20131,300 MHz): 12 (2000.0000)."));
    EXPECT_TRUE(line.ReadWritten().empty());
    // Send the Others: the upload without channel 12.
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    EXPECT_EQ(DecodePackets(line.ReadWritten()),
              (std::vector<WirePacket>{StartPacket(200), ChannelPacket("C4^F146.5200^DR^LR^PR^"), EndPacket()}));
}

TEST_F(MainFrameTest, UploadSelectedWithoutSelectionSendsAndShowsNothing)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_SELECTED));
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(line.ReadWritten().empty());
}

// Nothing to send opens no port and says so, for every upload command.
TEST_F(MainFrameTest, UploadsOfChannelsWithoutFrequencySayThereIsNothingToSend)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    grid->SetItemSelected(4, true);
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_SELECTED));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Information);
    EXPECT_EQ(boxes.Shown()[0].text, "None of the 200 channels has a frequency: there is nothing to send.");
    EXPECT_EQ(boxes.Shown()[1].text, "Channel 5 has no frequency: there is nothing to send.");
    EXPECT_EQ(frame->GetStatusBar()->GetPaneText(0), boxes.Shown()[1].text);
    EXPECT_TRUE(line.ReadWritten().empty());
}

TEST_F(MainFrameTest, ModulesCommandShowsTheModulesDialogOverTheWindowAndKeepsTheGrid)
{
    EditCell(0, 2, "Kept");
    int shown = 0;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        EXPECT_NE(dynamic_cast<vnManagerModulesDlg*>(&dialog), nullptr);
        EXPECT_EQ(dialog.parentWidget(), frame);
        ++shown;
        return IDOK;
    });
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_MODULES));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(CellShown(grid, 0, 2), "Kept");
    EXPECT_EQ(grid->GetItemCount(), 200);
}

TEST_F(MainFrameTest, StatusBarShowsReadyAndEmptyIndicatorsOffscreen)
{
    const CStatusBar* bar = frame->GetStatusBar();
    ASSERT_EQ(bar->GetPaneCount(), 4);
    EXPECT_EQ(bar->GetPaneText(0), "Ready");
    EXPECT_EQ(bar->GetPaneText(1), "");
}

TEST(MainFramePainting, AsksOnlyForTheCellsOnScreen)
{
    vnMemorySettingsStore store;
    store.SetSettingInt("", "First Run", 0);
    vnSettingsScope storeInUse(store);
    vnInstalledModules modules({vnGre1Module::Factory()});
    CountingFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QWidget* viewport = frame.GetGrid()->viewport();
    frame.asked = 0;
    viewport->repaint();
    const int visibleRows = frame.GetGrid()->rowAt(viewport->height() - 1) - frame.GetGrid()->rowAt(0) + 1;
    EXPECT_GT(frame.asked, 0);
    EXPECT_LE(frame.asked, (visibleRows + 1) * 7);
    EXPECT_LT(visibleRows, 100);
}

} // namespace
