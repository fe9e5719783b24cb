// The race card printed to a PDF and read back: a line per followed car with
// its frequencies, on one page for 45 cars.
#include "MainWindowFixture.h"
#include "tests/support/ScratchFolder.h"

#include <QDate>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <string>

namespace {

class RaceCardTest : public MainWindowFixture
{
protected:
    // 50 cars with a primary and a backup each, cars 46 to 50 locked out,
    // and three channels of the officials without a car.
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        std::string text = "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n";
        int id = 1;
        const char* officials[][2] = {
            {"Race Control", "454.0000"}, {"Track Operations", "454.0250"}, {"Safety", "454.0500"}};
        for (const auto& [name, frequency] : officials)
            text += std::to_string(id++) + "," + frequency + "," + name + ",,False,False,False\r\n";
        for (int car = 1; car <= 50; ++car)
            for (const char* role : {"", " (Backup)"}) {
                const std::string locked = car > 45 ? "True" : "False";
                text += std::to_string(id++) + "," + (*role ? "461." : "460.") + Padded(car) + ",Driver " +
                    std::to_string(car) + role + "," + std::to_string(car) + ",False," + locked + ",False\r\n";
            }
        ScratchFolder::Put(folder.Path("race.csv"), text);
        ASSERT_TRUE(frame->OpenChannelFile(QString::fromStdString(folder.Path("race.csv"))));
    }

    static std::string Padded(int car)
    {
        const std::string digits = std::to_string(car * 10);
        return std::string(4 - digits.size(), '0') + digits;
    }

    QString PrintAndRead(bool withLockedOut, QPageSize::PageSizeId paper, int& pages)
    {
        const QString pdf = QString::fromStdString(folder.Path("card.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(paper));
        const int printed = frame->PrintRaceCard(printer, withLockedOut);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.waitForFinished());
        const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info.readAllStandardOutput());
        pages = match.hasMatch() ? match.captured(1).toInt() : -1;
        EXPECT_EQ(pages, printed);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.waitForFinished());
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    ScratchFolder folder;
};

TEST_F(RaceCardTest, FortyFiveFollowedCarsFitOnePageWithTheirFrequenciesAndTheOfficialsAfter)
{
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        int pages = 0;
        const QString text = PrintAndRead(false, paper, pages);
        EXPECT_EQ(pages, 1);
        EXPECT_TRUE(text.contains(QStringLiteral("race.csv, ") + QDate::currentDate().toString(Qt::ISODate)));
        for (int car = 1; car <= 50; ++car) {
            const QRegularExpression line(QStringLiteral("(^|\\s)%1\\s+Driver %1\\s+460\\.%2\\s+461\\.%2(\\s|$)")
                                              .arg(car)
                                              .arg(QString::fromStdString(Padded(car))),
                                          QRegularExpression::MultilineOption);
            EXPECT_EQ(text.contains(line), car <= 45) << car;
        }
        EXPECT_FALSE(text.contains(QStringLiteral("(Backup)")));
        // "Officials" may come back with the font's ffi ligature.
        EXPECT_TRUE(text.contains(QStringLiteral("cials and other channels")));
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Race Control\\s+454\\.0000"))));
    }
}

} // namespace
