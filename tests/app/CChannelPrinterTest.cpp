// Printing the channel list to a PDF file and reading the PDF's text back.
#include "app/CChannelPrinter.h"
#include "MainWindowFixture.h"
#include "modules/vnChannelLayout.h"
#include "tests/support/ScratchFolder.h"

#include <QApplication>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class PrintTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        settings->SetSettingString("Transfer Options", "Scanner Model", "RadioShack Pro-2016");
    }

    void FillAll()
    {
        for (int row = 0; row < grid->GetItemCount(); ++row) {
            EditCell(row, 1, std::to_string(150 + row) + ".5");
            EditCell(row, 2, "Channel " + std::to_string(row + 1));
        }
    }

    // Prints to a PDF and returns its text; pages is the page count the
    // PDF itself reports.
    QString PrintAndRead(int& pages, bool layout = false, bool selection = false, QMarginsF margins = {})
    {
        const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (!margins.isNull())
            printer.setPageMargins(margins, QPageLayout::Millimeter);
        if (selection)
            printer.setPrintRange(QPrinter::Selection);
        printed = frame->PrintChannels(printer);

        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.waitForFinished());
        const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info.readAllStandardOutput());
        pages = match.hasMatch() ? match.captured(1).toInt() : -1;

        QProcess text;
        QStringList arguments{pdf, QStringLiteral("-")};
        if (layout)
            arguments.prepend(QStringLiteral("-layout"));
        text.start(QStringLiteral("pdftotext"), arguments);
        EXPECT_TRUE(text.waitForFinished());
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    QTemporaryDir dir;
    int printed = 0;
};

TEST_F(PrintTest, TwoHundredChannelsPrintOnNumberedPagesWithHeaderAndBanks)
{
    FillAll();
    EditCell(4, 1, "0");
    EditCell(4, 2, "Unused channel");
    EditCell(41, 2, "Café Zürich – Ørsted Straße");
    int pages = 0;
    const QString text = PrintAndRead(pages);

    EXPECT_EQ(pages, printed);
    EXPECT_GE(pages, 4);
    EXPECT_LE(pages, 6);
    EXPECT_EQ(text.count(QStringLiteral("Car Number")), pages) << "the header stands on every page";
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
    for (int bank = 1; bank <= 10; ++bank)
        EXPECT_TRUE(
            text.contains(QStringLiteral("Bank %1: channels %2-%3").arg(bank).arg(bank * 20 - 19).arg(bank * 20)))
            << bank;

    EXPECT_TRUE(text.contains(QStringLiteral("Untitled")));
    EXPECT_TRUE(text.contains(QStringLiteral("RadioShack GRE Type 1 Scanners")));
    EXPECT_TRUE(text.contains(QStringLiteral("RadioShack Pro-2016")));
    EXPECT_TRUE(text.contains(QStringLiteral("Café Zürich – Ørsted Straße")));
    EXPECT_TRUE(text.contains(QStringLiteral("Channel 200")));
    EXPECT_TRUE(text.contains(QStringLiteral("153.5000")));
    EXPECT_FALSE(text.contains(QStringLiteral("Unused channel"))) << "a channel without a frequency is left out";
}

TEST_F(PrintTest, MarginsThatLeaveNoRoomGiveWay)
{
    FillAll();
    int pages = 0;
    // As the print dialog's printer properties may set them.
    const QString text = PrintAndRead(pages, false, false, QMarginsF(10, 140, 10, 140));
    EXPECT_EQ(pages, printed);
    EXPECT_LE(pages, 6);
    EXPECT_TRUE(text.contains(QStringLiteral("Channel 200")));
}

TEST_F(PrintTest, PrintsTheGridsShownColumnsInTheirOrderAndOnlyTheSelection)
{
    ScratchFolder folder;
    ASSERT_TRUE(frame->GetDocument().SaveAs(folder.Path("Weekend scanning.csv")).ok);
    FillAll();
    QHeaderView* header = grid->horizontalHeader();
    header->hideSection(3);                         // Car Number
    header->moveSection(header->visualIndex(2), 1); // Description before Frequency
    for (int row : {41, 43})
        grid->SetItemSelected(row, true);

    int pages = 0;
    const QString text = PrintAndRead(pages, true, true);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Weekend scanning.csv")));
    EXPECT_FALSE(text.contains(QStringLiteral("Car Number")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("#\\s+Description\\s+Frequency\\s+Delay"))));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("42\\s+Channel 42\\s+191.5000"))));
    EXPECT_TRUE(text.contains(QStringLiteral("Channel 44")));
    EXPECT_FALSE(text.contains(QStringLiteral("Channel 43")));
    EXPECT_EQ(text.count(QStringLiteral("Bank ")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Bank 3: channels 41-60")));
}

TEST_F(PrintTest, DescriptionTakesTheRoomFlagsDoNotNeed)
{
    const QString description = QStringLiteral("Metro Fire Dispatch North Division Tactical Two");
    EditCell(0, 1, "150.5");
    EditCell(0, 2, description.toStdString());
    EditCell(0, 5, "True"); // Lockout
    int pages = 0;
    const QString text = PrintAndRead(pages);
    EXPECT_TRUE(text.contains(description)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\u2713")));
    EXPECT_FALSE(text.contains(QStringLiteral("False")));
}

TEST_F(PrintTest, PreviewShowsThePrintedPages)
{
    FillAll();
    int pages = -1;
    bool shown = false;
    // The preview runs modally: look at it from inside its own event loop.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = dialog->isVisible() && dialog->parentWidget() == frame;
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>())
            pages = preview->pageCount();
        dialog->reject();
    });
    EXPECT_TRUE(frame->ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(shown);
    EXPECT_GE(pages, 4);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(BankHeading, NamesTheBankOfAChannelNumber)
{
    vnChannelLayout layout;
    layout.SetFirstChannel(1);
    layout.SetFirstBank(1);
    layout.SetBankCount(10);
    layout.SetChannelsPerBank(20);
    EXPECT_EQ(CChannelPrinter::BankHeading(layout, 1), "Bank 1: channels 1-20");
    EXPECT_EQ(CChannelPrinter::BankHeading(layout, 60), "Bank 3: channels 41-60");
    EXPECT_EQ(CChannelPrinter::BankHeading(layout, 61), "Bank 4: channels 61-80");
    EXPECT_EQ(CChannelPrinter::BankHeading(layout, 0), "Bank 0: channels -19-0");
}

} // namespace
