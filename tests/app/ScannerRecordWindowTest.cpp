// What the window shows of the scanner's record: the marks on channels that
// differ and their count, Upload Changed, the question about channels
// emptied here, Compare with Scanner, and the port that is never guessed.
#include "MainWindowFixture.h"
#include "app/CCompareScannerDlg.h"
#include "core/ScannerRecord.h"
#include "core/ScannerRecordFolder.h"
#include "modules/gre1/vnSerialDevice.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "tests/support/Gre1Packets.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScannerOnPty.h"
#include "toolkit/CStatusBar.h"

#include <QLabel>
#include <QProgressDialog>
#include <QTimer>
#include <QTreeWidget>

namespace {

class ScannerRecordWindowTest : public MainWindowFixture
{
protected:
    QVariant NumberCell(int row, int role) const { return grid->model()->data(grid->model()->index(row, 0), role); }
    QString Count() const { return frame->GetScannerDifferenceLabel()->text(); }
    QString Status() const { return frame->GetStatusBar()->GetPaneText(0); }
};

TEST_F(ScannerRecordWindowTest, MarksCountAndUploadChanged)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EditCell(3, 1, "146.52");
    EditCell(8, 1, "155.475");
    EditCell(8, 3, "78");
    EXPECT_EQ(Count(), "2 channels differ from the Pro-89");
    EXPECT_EQ(NumberCell(3, Qt::ToolTipRole).toString(), "Nothing sent to the Pro-89 from this computer yet.");
    EXPECT_FALSE(NumberCell(3, Qt::BackgroundRole).isNull());
    EXPECT_TRUE(NumberCell(4, Qt::BackgroundRole).isNull());

    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    line.ReadWritten();
    EXPECT_TRUE(Status().contains("Check on the scanner's display: 4 (146.5200) and 9 (155.4750, car 78)."))
        << Status().toStdString();
    EXPECT_TRUE(Status().endsWith("the scanner keeps what it held in them.")) << Status().toStdString();
    EXPECT_EQ(Count(), "");
    EXPECT_TRUE(NumberCell(3, Qt::BackgroundRole).isNull());

    EditCell(3, 1, "146.55");
    EXPECT_TRUE(NumberCell(3, Qt::ToolTipRole).toString().startsWith("The Pro-89 has 146.5200, sent "));
    EXPECT_EQ(Count(), "1 channel differs from the Pro-89");
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_CHANGED));
    EXPECT_EQ(DecodePackets(line.ReadWritten()),
              (std::vector<WirePacket>{StartPacket(1), ChannelPacket("C4^F146.5500^DR^LR^PR^"), EndPacket()}));
    EXPECT_TRUE(Status().startsWith("Sent 1 changed channel to the Pro-89 on ")) << Status().toStdString();
    EXPECT_EQ(Count(), "");

    // Nothing differs: nothing is sent.
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_CHANGED));
    EXPECT_TRUE(line.ReadWritten().empty());
    EXPECT_TRUE(Status().startsWith("Nothing changed since the upload of ")) << Status().toStdString();
    EXPECT_TRUE(boxes.Shown().empty());
}

// Upload All cancelled part way into the virtual scanner: the record says
// the memories that took the new channels and leaves the rest unknown, and
// the scanner holds the new channels in the first and the old in the rest.
TEST_F(ScannerRecordWindowTest, ACancelledUploadIsRecordedAsTheScannerHoldsIt)
{
    ScannerOnPty scanner;
    ASSERT_TRUE(scanner.Ok());
    SetPort(scanner.Path());
    settings->SetSettingInt("Transfer Options", "Baud", 230400);
    for (int row = 0; row < 200; ++row)
        EditCell(row, 1, "146.52");
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    ASSERT_TRUE(scanner.WaitForSummaries(1));

    // At 4800 baud the 200 channels need some 14 seconds: time to cancel.
    settings->SetSettingInt("Transfer Options", "Baud", 4800);
    for (int row = 0; row < 200; ++row)
        EditCell(row, 1, "151.1");
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(window); progress && progress->isVisible())
                QTest::keyClick(progress, Qt::Key_Escape);
    });
    cancel.start(100);
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    cancel.stop();
    ASSERT_TRUE(scanner.WaitForSummaries(2));

    const ScannerRecord record =
        ScannerRecord::Read(ScannerRecord::FileName(ScannerRecordFolder::Get(), "Pro-89"), "Pro-89").record;
    int updated = 0;
    for (int number = 1; number <= 200; ++number) {
        const ScannerMemory memory = record.Find(number);
        const std::optional<ScannerChannel> held = scanner.Memory(number);
        ASSERT_TRUE(held) << number;
        if (memory.state == ScannerMemory::State::Sent) {
            ++updated;
            EXPECT_EQ(memory.channel.GetFrequency().GetMHz(), 151.1) << number;
            EXPECT_EQ(held->frequency, "151.1000") << number;
        } else {
            EXPECT_EQ(memory.state, ScannerMemory::State::Unknown) << number;
            EXPECT_EQ(held->frequency, "146.5200") << number;
        }
    }
    EXPECT_GT(updated, 0);
    EXPECT_LT(updated, 200);
    EXPECT_TRUE(Status().contains(QStringLiteral("Channels 1\u2013%1 were updated; %2\u2013200 still hold what they "
                                                 "held before.")
                                      .arg(updated)
                                      .arg(updated + 1)))
        << Status().toStdString();
}

TEST_F(ScannerRecordWindowTest, EmptiedChannelsAreAskedAboutAndCompared)
{
    PseudoTerminal line;
    ASSERT_TRUE(line.Ok());
    SetPort(line.Path());
    EditCell(58, 1, "155.475");
    EditCell(58, 3, "78");
    EditCell(59, 1, "151.625");
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    line.ReadWritten();

    EditCell(58, 1, "");
    EditCell(59, 1, "151.63");
    // Compare lists both side by side.
    std::vector<QStringList> rows;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        auto* table = static_cast<CCompareScannerDlg&>(dialog).GetTable();
        for (int i = 0; table && i < table->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = table->topLevelItem(i);
            rows.push_back({item->text(0), item->text(1), item->text(2)});
        }
        return IDOK;
    });
    EXPECT_TRUE(frame->ExecuteCommand(ID_VIEW_COMPARE_SCANNER));
    EXPECT_EQ(rows, (std::vector<QStringList>{{"59", "empty", "155.4750, car 78"}, {"60", "151.6300", "151.6250"}}));

    // Cancel sends nothing; Lock Them Out sends the recorded channel locked out.
    boxes.SetNextAnswers({IDCANCEL});
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_CHANGED));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(
        boxes.Shown()[0].text.startsWith("1 channel is empty here, but the Pro-89 still holds what was sent on "))
        << boxes.Shown()[0].text.toStdString();
    EXPECT_EQ(boxes.Shown()[0].buttons, CMessageBox::LockLeaveCancel);
    EXPECT_TRUE(line.ReadWritten().empty());

    boxes.SetNextAnswers({IDYES});
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_CHANGED));
    EXPECT_EQ(DecodePackets(line.ReadWritten()),
              (std::vector<WirePacket>{StartPacket(1), ChannelPacket("C59^V78^F155.4750^DR^LS^PR^"), EndPacket(),
                                       StartPacket(1), ChannelPacket("C60^F151.6300^DR^LR^PR^"), EndPacket()}));
    EXPECT_EQ(Count(), "");
    // The scanner skips it now: no more questions.
    boxes.Clear();
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    EXPECT_TRUE(boxes.Shown().empty());
}

// No port stored and no adapter: the properties open with the reason, and
// without a port chosen nothing is sent.
TEST_F(ScannerRecordWindowTest, NoPortOpensThePropertiesInsteadOfGuessing)
{
    vnSerialDevice::UsbPortSourceScope noAdapter([] { return std::string(); });
    EditCell(3, 1, "146.52");
    std::string notice;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        notice = dialog.GetDlgItemText(IDC_GRE1_NOTICE);
        return IDCANCEL;
    });
    EXPECT_TRUE(frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL));
    EXPECT_EQ(notice.rfind("No USB serial adapter was found. Plug in the scanner's cable, or choose its port.", 0), 0u)
        << notice;
    EXPECT_TRUE(Status().startsWith("Nothing was sent. No USB serial adapter was found.")) << Status().toStdString();
    EXPECT_TRUE(boxes.Shown().empty());
}

} // namespace
