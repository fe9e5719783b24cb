// The main window comes back as the user left it: size, place, bars and
// column widths, from the store's own section.
#include "app/CWindowState.h"
#include "app/CMainFrame.h"
#include "app/CScannerApp.h"
#include "app/CTransparentDialogBar.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"
#include "settings/CSettingsStore.h"
#include "toolkit/CMessageBox.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Starts Scanlore on a settings file that outlives each run, as the user's
// does, after the first run.
class WindowStateTest : public ::testing::Test
{
protected:
    void SetUp() override { settings.SetSettingInt("", "First Run", 0); }
    void TearDown() override { app.reset(); }

    CMainFrame* Start()
    {
        app = std::make_unique<CScannerApp>(std::make_unique<CSettingsStore>(file));
        if (!app->InitInstance())
            return nullptr;
        return static_cast<CMainFrame*>(app->GetMainWnd());
    }

    QTemporaryDir dir;
    QString file = dir.filePath("Scanlore.conf");
    CSettingsStore settings{file};
    std::unique_ptr<CScannerApp> app;
    CMessageBox::Script boxes;
};

struct GeometryCase
{
    const char* name;
    QRect stored; // null: nothing stored
    QSize size;
    bool placed; // whether the stored position is used
};

void PrintTo(const GeometryCase& c, std::ostream* os)
{
    *os << c.name;
}

class RestoredGeometry : public WindowStateTest, public ::testing::WithParamInterface<GeometryCase>
{};

TEST_P(RestoredGeometry, SizeAndPlaceComeBackWhenOnAScreen)
{
    const GeometryCase& c = GetParam();
    if (!c.stored.isNull()) {
        CWindowState state;
        state.geometry = c.stored;
        state.Write(settings);
    }
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->size(), c.size);
    if (c.placed) {
        EXPECT_EQ(frame->pos(), c.stored.topLeft());
    } else if (!c.stored.isNull()) {
        EXPECT_NE(frame->pos(), c.stored.topLeft());
    }
    EXPECT_TRUE(CWindowState::IsOnScreen(frame->frameGeometry()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoredGeometry,
    ::testing::Values(GeometryCase{"first start", {}, {780, 560}, false},
                      GeometryCase{"on the screen", {40, 30, 600, 420}, {600, 420}, true},
                      GeometryCase{"right of every screen", {20000, 30, 600, 420}, {600, 420}, false},
                      GeometryCase{"above every screen", {40, -5000, 600, 420}, {600, 420}, false},
                      GeometryCase{"only the right edge on the screen", {-590, 30, 600, 420}, {600, 420}, false}));

TEST(WindowPlace, FitsTheScreenThatHoldsMostOfIt)
{
    const QRect primary(0, 0, 1920, 1080);
    const QRect right(1920, 0, 1280, 1024);
    EXPECT_EQ(CWindowState::FitToScreens({40, 30, 600, 420}, {primary, right}), QRect(40, 30, 600, 420));
    EXPECT_EQ(CWindowState::FitToScreens({-100, -50, 5000, 4000}, {primary, right}), primary);
    EXPECT_EQ(CWindowState::FitToScreens({2900, 100, 800, 1200}, {primary, right}), QRect(2400, 0, 800, 1024));
    EXPECT_EQ(CWindowState::FitToScreens({20000, 30, 600, 420}, {primary, right}), QRect(660, 330, 600, 420));
    EXPECT_TRUE(CWindowState::FitToScreens({40, 30, 600, 420}, {}).isNull());
}

TEST_F(WindowStateTest, DamagedPlaceFallsBackAndTooLargeOneFitsTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    struct Case
    {
        const char* value;
        QSize size;
    };
    for (const Case& c : {Case{"2147483647", {780, 560}}, Case{"-3", {780, 560}}, Case{"50000", screen}}) {
        for (const char* name : {"Left", "Top", "Width", "Height"})
            settings.SetSettingString("Window", name, c.value);
        settings.SetSettingString("Window", "Column Widths", "30,100,2147483647,75,75,75,75");
        CMainFrame* frame = Start();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->size(), c.size) << c.value;
        EXPECT_EQ(frame->isMaximized(), c.size == screen) << c.value;
        EXPECT_TRUE(CWindowState::IsOnScreen(frame->frameGeometry())) << c.value;
        EXPECT_EQ(frame->GetGrid()->GetColumnWidth(2), 300) << c.value;
        app.reset();
    }
}

TEST_F(WindowStateTest, BarsColumnsAndMaximisedStateComeBackAtTheNextStart)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    frame->ExecuteCommand(ID_VIEW_TOOLBAR);
    frame->ShowControlBar(frame->GetBankBar(), false);
    frame->GetGrid()->SetColumnWidth(2, 123);
    frame->GetGrid()->SetColumnWidth(4, 60);
    frame->GetGrid()->SetColumnShown(4, false);
    frame->GetGrid()->SetColumnOrder({0, 6, 1, 2, 3, 4, 5});
    frame->resize(640, 480);
    frame->move(50, 60);
    frame->close();
    EXPECT_EQ(settings.GetSettingInt("Window", "Width", 0), 640);
    EXPECT_EQ(settings.GetSettingString("Window", "Hidden Columns", ""), "4");
    EXPECT_EQ(settings.GetSettingString("Window", "Column Order", ""), "0,6,1,2,3,4,5");
    EXPECT_EQ(settings.GetSettingString("Transfer Options", "Width", "none"), "none");
    app.reset();

    frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->GetToolBar()->isHidden());
    EXPECT_FALSE(frame->GetStatusBar()->isHidden());
    EXPECT_TRUE(frame->GetBankBar()->isHidden());
    EXPECT_EQ(frame->GetGrid()->GetColumnWidth(2), 123);
    EXPECT_EQ(frame->GetGrid()->GetColumnWidth(1), 100);
    EXPECT_FALSE(frame->GetGrid()->IsColumnShown(4));
    frame->GetGrid()->SetColumnShown(4, true);
    EXPECT_EQ(frame->GetGrid()->GetColumnWidth(4), 60);
    EXPECT_EQ(frame->GetGrid()->GetColumnOrder(), (std::vector<int>{0, 6, 1, 2, 3, 4, 5}));
    EXPECT_EQ(frame->size(), QSize(640, 480));
    EXPECT_EQ(frame->pos(), QPoint(50, 60));
    frame->showMaximized();
    frame->close();
    app.reset();

    frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isMaximized());
}

TEST_F(WindowStateTest, ColumnWidthsForOtherColumnsAreLeftAlone)
{
    // Neither can an order that repeats a column, nor can the channel
    // number's column be hidden.
    settings.SetSettingString("Window", "Column Order", "0,1,1,2,3,4,5");
    settings.SetSettingString("Window", "Hidden Columns", "0");
    for (const char* widths : {"10,20,30", "30,100,0,75,75,75,75", "30,100,x,75,75,75,75"}) {
        settings.SetSettingString("Window", "Column Widths", widths);
        CMainFrame* frame = Start();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->GetGrid()->GetColumnWidth(0), 30) << widths;
        EXPECT_EQ(frame->GetGrid()->GetColumnWidth(2), 300) << widths;
        EXPECT_TRUE(frame->GetGrid()->IsColumnShown(0));
        EXPECT_EQ(frame->GetGrid()->GetColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
        app.reset();
    }
}

} // namespace
