// Status bar: idle text, prompts while a button is under the pointer, and
// the lock-key indicators.
#include "toolkit/CStatusBar.h"
#include "res/ResourceIds.h"
#include "toolkit/CFrameWnd.h"
#include "toolkit/CToolBar.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr int kPanes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class BarsFrame : public CFrameWnd
{
public:
    CToolBar* toolBar = nullptr;
    CStatusBar* statusBar = nullptr;

protected:
    bool OnCreate() override
    {
        SetActiveView(new QWidget);
        toolBar = new CToolBar(this);
        toolBar->LoadToolBar(IDR_MAINFRAME);
        addToolBar(toolBar);
        statusBar = new CStatusBar(this);
        statusBar->SetIndicators(kPanes);
        setStatusBar(statusBar);
        return true;
    }
};

TEST(StatusBarTest, ShowsReadyThenAButtonsPromptWhileThePointerRestsOnIt)
{
    BarsFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.statusBar->GetPaneText(0), "Ready");

    auto* help = qobject_cast<QToolButton*>(frame.toolBar->widgetForAction(frame.toolBar->FindButton(ID_HELP_TOPICS)));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->toolTip(), "Help Topics");
    QTest::mouseMove(help);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.statusBar->GetPaneText(0) == "Show the Scanlore user guide"; }));

    QTest::mouseMove(frame.centralWidget());
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.statusBar->GetPaneText(0) == "Ready"; }));
}

TEST(StatusBarTest, IndicatorsShowTheirTextOnlyWhileTheirKeyIsOn)
{
    CKeyLockState state;
    state.capsLock = true;
    state.numLock = false; // scroll lock unknown
    CStatusBar::KeyStateReaderScope reader([&] { return state; });

    QWidget parent;
    CStatusBar bar(&parent);
    ASSERT_TRUE(bar.SetIndicators(kPanes));
    ASSERT_EQ(bar.GetPaneCount(), 4);
    EXPECT_EQ(bar.GetPaneText(1), "CAP");
    EXPECT_EQ(bar.GetPaneText(2), "");
    EXPECT_EQ(bar.GetPaneText(3), "");

    state.capsLock = false;
    state.numLock = true;
    state.scrollLock = true;
    bar.UpdateIndicators();
    EXPECT_EQ(bar.GetPaneText(1), "");
    EXPECT_EQ(bar.GetPaneText(2), "NUM");
    EXPECT_EQ(bar.GetPaneText(3), "SCRL");
}

#ifdef _WIN32
// Windows answers GetKeyState on every platform plugin, offscreen too.
TEST(StatusBarTest, IndicatorsAreReadOnWindowsEvenOffscreen)
{
    const CKeyLockState state = CKeyLockState::Read();
    EXPECT_TRUE(state.capsLock.has_value() && state.numLock.has_value() && state.scrollLock.has_value());
}
#else
TEST(StatusBarTest, IndicatorsStayEmptyWhereTheStatesCannotBeRead)
{
    // The offscreen platform has no keyboard indicators to read.
    const CKeyLockState state = CKeyLockState::Read();
    EXPECT_FALSE(state.capsLock.has_value());

    QWidget parent;
    CStatusBar bar(&parent);
    ASSERT_TRUE(bar.SetIndicators(kPanes));
    for (int pane = 1; pane < 4; ++pane)
        EXPECT_EQ(bar.GetPaneText(pane), "");
}
#endif

TEST(StatusBarTest, RefusesAnIndicatorWithoutAString)
{
    QWidget parent;
    CStatusBar bar(&parent);
    const int panes[] = {ID_SEPARATOR, 4711};
    EXPECT_FALSE(bar.SetIndicators(panes));
}

} // namespace
