// Page Setup: the layout chosen in the dialog reaches the printout and the
// next run through the settings store; unusable stored values keep defaults.
#include "app/CPageSetup.h"

#include "app/CMainFrame.h"
#include "app/CScannerApp.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"
#include "settings/CSettingsStore.h"
#include "toolkit/CMessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QString Output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished()) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PageSetupTest : public ::testing::Test
{
protected:
    void SetUp() override { settings.SetSettingInt("", "First Run", 0); }
    void TearDown() override { app.reset(); }

    // Starts Scanlore on a settings file that outlives each run.
    CMainFrame* Start()
    {
        app = std::make_unique<CScannerApp>(std::make_unique<CSettingsStore>(file));
        return app->InitInstance() ? static_cast<CMainFrame*>(app->GetMainWnd()) : nullptr;
    }

    // Runs the command and answers its modal dialog from inside the
    // dialog's own event loop; whether the dialog came up.
    template <typename Dialog> bool Answer(CMainFrame* frame, int command, const std::function<void(Dialog&)>& answer)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                shown = true;
                answer(*dialog);
            }
        });
        EXPECT_TRUE(frame->ExecuteCommand(command));
        return shown;
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("Scanlore.conf"));
    CSettingsStore settings{file};
    std::unique_ptr<CScannerApp> app;
};

TEST_F(PageSetupTest, ChosenLayoutReachesThePrintoutAndTheNextRun)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    // Landscape A4 with margins of 20, 15, 10 and 25 mm.
    ASSERT_TRUE(Answer<QPageSetupDialog>(frame, ID_FILE_PAGE_SETUP, [](QPageSetupDialog& dialog) {
        auto* units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
        auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        auto* landscape = dialog.findChild<QRadioButton*>(QStringLiteral("landscape"));
        if (!units || !sizes || !landscape)
            return dialog.reject();
        units->setCurrentIndex(units->findText(QStringLiteral("mm"), Qt::MatchContains));
        sizes->setCurrentIndex(sizes->findText(QStringLiteral("A4"), Qt::MatchStartsWith));
        landscape->click();
        for (const auto& [name, millimetres] : {std::pair{"leftMargin", 20.0}, std::pair{"topMargin", 15.0},
                                                std::pair{"rightMargin", 10.0}, std::pair{"bottomMargin", 25.0}})
            if (auto* box = dialog.findChild<QDoubleSpinBox*>(QString::fromLatin1(name)))
                box->setValue(millimetres);
        dialog.accept();
    }));
    EXPECT_EQ(settings.GetSettingString("Page Setup", "Orientation", ""), "Landscape");
    EXPECT_EQ(settings.GetSettingString("Page Setup", "Left Margin", ""), "20.00");

    app.reset();
    frame = Start();
    ASSERT_NE(frame, nullptr);
    frame->GetDocument().EditCell(0, ChannelField::Frequency, "146.52");
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        CPageSetup::Read(vnSettings()).Apply(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        ASSERT_EQ(frame->PrintChannels(printer), 1);
    }
    const QString info = Output(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))))
        << info.toStdString();
    // The text begins at the left margin, 20 mm = 56.7 pt.
    double left = 1e9;
    const QString words = Output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (const auto& match : QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\"")).globalMatch(words))
        left = std::min(left, match.captured(1).toDouble());
    EXPECT_NEAR(left, 20.0 * 72 / 25.4, 1.0);

    QPageLayout previewed;
    EXPECT_TRUE(Answer<QPrintPreviewDialog>(frame, ID_FILE_PRINT_PREVIEW, [&](QPrintPreviewDialog& dialog) {
        previewed = dialog.printer()->pageLayout();
        dialog.reject();
    }));
    EXPECT_EQ(previewed.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(previewed.margins(QPageLayout::Millimeter), QMarginsF(20, 15, 10, 25));
}

TEST(MarginRule, MarginsMustLeaveAQuarterOfThePage)
{
    const QSizeF a4(210, 297);
    EXPECT_TRUE(CPageSetup::MarginsProblem(a4, QMarginsF(10, 10, 10, 10)).isEmpty());
    EXPECT_TRUE(CPageSetup::MarginsProblem(a4, QMarginsF(50, 70, 50, 70)).isEmpty()); // 27 %
    EXPECT_TRUE(CPageSetup::MarginsProblem(a4, QMarginsF(60, 80, 60, 80)).contains("19 %"));
    EXPECT_TRUE(CPageSetup::MarginsProblem(a4, QMarginsF(10, 280, 10, 280)).contains("quarter"));
    EXPECT_FALSE(CPageSetup::MarginsProblem(QSizeF(297, 210), QMarginsF(0, 0, 250, 0)).isEmpty());
}

TEST_F(PageSetupTest, DialogRefusesMarginsThatLeaveNoRoomAndSaysWhy)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    CMessageBox::Script boxes;
    bool shownAgain = false;
    ASSERT_TRUE(Answer<QPageSetupDialog>(frame, ID_FILE_PAGE_SETUP, [&](QPageSetupDialog& dialog) {
        auto* units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
        auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        if (!units || !sizes)
            return dialog.reject();
        units->setCurrentIndex(units->findText(QStringLiteral("mm"), Qt::MatchContains));
        sizes->setCurrentIndex(sizes->findText(QStringLiteral("A4"), Qt::MatchStartsWith));
        for (const char* name : {"topMargin", "bottomMargin"})
            if (auto* box = dialog.findChild<QDoubleSpinBox*>(QString::fromLatin1(name)))
                box->setValue(140);
        // The dialog comes back after the refusal: leave it then.
        QTimer::singleShot(0, [&] {
            if (auto* again = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget())) {
                shownAgain = true;
                again->reject();
            }
        });
        dialog.accept();
    }));
    EXPECT_TRUE(shownAgain);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains("quarter")) << boxes.Shown()[0].text.toStdString();
    EXPECT_EQ(settings.GetSettingString("Page Setup", "Top Margin", "none"), "none");
}

// Hand-edited or broken values: each unusable one keeps its default alone.
constexpr int kNone = -1;

struct StoredCase
{
    const char* name;
    const char* values; // "Name=value;Name=value"
    int paper;          // a QPageSize::PageSizeId; kNone when nothing usable is stored
    QPageLayout::Orientation orientation;
    bool margins;
};

class StoredPageSetup : public ::testing::TestWithParam<StoredCase>
{};

TEST_P(StoredPageSetup, ReadsWhatIsUsableAndDefaultsTheRest)
{
    vnMemorySettingsStore store;
    for (const QString& value : QString::fromLatin1(GetParam().values).split(u';', Qt::SkipEmptyParts))
        store.SetSettingString("Page Setup", value.section(u'=', 0, 0).toStdString(),
                               value.section(u'=', 1).toStdString());
    const CPageSetup setup = CPageSetup::Read(store);
    EXPECT_EQ(setup.pageSize ? static_cast<int>(setup.pageSize->id()) : kNone, GetParam().paper);
    EXPECT_EQ(setup.orientation, GetParam().orientation);
    EXPECT_EQ(setup.margins.has_value(), GetParam().margins);
}

INSTANTIATE_TEST_SUITE_P(
    CPageSetup, StoredPageSetup,
    ::testing::Values(StoredCase{"Nothing", "", kNone, QPageLayout::Portrait, false},
                      StoredCase{
                          "Named",
                          "Paper Size=Letter;Orientation=Landscape;Left Margin=12.5;Top Margin=10;Right Margin=0;"
                          "Bottom Margin=8.25",
                          QPageSize::Letter, QPageLayout::Landscape, true},
                      // A paper of its own size.
                      StoredCase{"Sized", "Paper Size=Custom;Paper Width=100.00;Paper Height=150.00", QPageSize::Custom,
                                 QPageLayout::Portrait, false},
                      StoredCase{"UnusablePaperAndOrientation",
                                 "Paper Size=Huge;Paper Width=1e9;Paper Height=-3;Orientation=sideways", kNone,
                                 QPageLayout::Portrait, false},
                      StoredCase{"DecimalComma", "Left Margin=12,5;Top Margin=10;Right Margin=0;Bottom Margin=8", kNone,
                                 QPageLayout::Portrait, false},
                      StoredCase{"MarginsLeavingNoRoom",
                                 "Paper Size=A4;Left Margin=10;Top Margin=280;Right Margin=10;Bottom Margin=280",
                                 QPageSize::A4, QPageLayout::Portrait, false},
                      StoredCase{"NegativeMargin", "Left Margin=12;Top Margin=-1;Right Margin=0;Bottom Margin=8", kNone,
                                 QPageLayout::Portrait, false}),
    [](const ::testing::TestParamInfo<StoredCase>& info) { return std::string(info.param.name); });

} // namespace
