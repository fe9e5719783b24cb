// Command routing, greying, accelerators and bar toggles of the frame window.
#include "toolkit/CFrameWnd.h"
#include "res/ResourceIds.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"
#include "toolkit/CWinApp.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kViewOnly = 40001;
constexpr int kFrameOnly = 40002;
constexpr int kBoth = 40003;

// Records which target ran a command.
std::vector<std::string> g_ran;

class TestView : public QWidget, public CCmdTarget
{
public:
    TestView()
    {
        setFocusPolicy(Qt::StrongFocus);
        OnCommand(kViewOnly, [] { g_ran.push_back("view"); });
        OnCommand(kBoth, [] { g_ran.push_back("view"); });
    }
};

class TestFrame : public CFrameWnd
{
public:
    TestFrame()
    {
        OnCommand(kFrameOnly, [] { g_ran.push_back("frame"); });
        OnCommand(kBoth, [] { g_ran.push_back("frame"); });
        OnCommand(ID_EDIT_SELECT_ALL, [] { g_ran.push_back("select all"); });
        OnCommand(ID_TRANSFER_UPLOAD_ALL, [] { g_ran.push_back("upload all"); });
        OnCommand(ID_FILE_NEW, [this] {
            g_ran.push_back("new");
            m_newEnabled = false; // a handler may disable its own command
        });
        OnUpdateCommandUI(ID_FILE_NEW, [this](CCmdUI& ui) { ui.Enable(m_newEnabled); });
    }

    TestView* view = nullptr;
    CToolBar* toolBar = nullptr;
    CStatusBar* statusBar = nullptr;

protected:
    bool OnCreate() override
    {
        view = new TestView;
        SetActiveView(view);
        toolBar = new CToolBar(this);
        if (!toolBar->LoadToolBar(IDR_MAINFRAME))
            return false;
        addToolBar(toolBar);
        SetControlBar(AFX_IDW_TOOLBAR, toolBar);
        statusBar = new CStatusBar(this);
        const int panes[] = {ID_SEPARATOR};
        statusBar->SetIndicators(panes);
        setStatusBar(statusBar);
        SetControlBar(AFX_IDW_STATUS_BAR, statusBar);
        return true;
    }

private:
    bool m_newEnabled = true;
};

class TestApp : public CWinApp
{
public:
    TestApp()
    {
        OnCommand(ID_APP_ABOUT, [] { g_ran.push_back("app"); });
        OnCommand(ID_HELP_TOPICS, [] { g_ran.push_back("help"); });
        OnCommand(kBoth, [] { g_ran.push_back("app"); });
    }
};

class FrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_ran.clear();
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
    }

    void ShowAndFocus()
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        frame.view->setFocus();
        ASSERT_TRUE(frame.view->hasFocus());
    }

    TestApp app;
    TestFrame frame;
};

TEST_F(FrameWndTest, OffersCommandsToViewThenFrameThenApplication)
{
    EXPECT_TRUE(frame.ExecuteCommand(kBoth));
    EXPECT_TRUE(frame.ExecuteCommand(kFrameOnly));
    EXPECT_TRUE(frame.ExecuteCommand(ID_APP_ABOUT));
    EXPECT_TRUE(frame.ExecuteCommand(kViewOnly));
    EXPECT_EQ(g_ran, (std::vector<std::string>{"view", "frame", "app", "view"}));
}

TEST_F(FrameWndTest, CommandThatNoTargetHandlesIsDisabledAndDoesNotRun)
{
    EXPECT_FALSE(frame.QueryCommand(ID_EDIT_CUT).IsEnabled());
    EXPECT_FALSE(frame.ExecuteCommand(ID_EDIT_CUT));
    EXPECT_TRUE(frame.QueryCommand(ID_APP_ABOUT).IsEnabled());
    EXPECT_TRUE(g_ran.empty());
}

TEST_F(FrameWndTest, MenuItemsAndToolbarButtonsFollowTheRoute)
{
    frame.UpdateCommandUI();
    EXPECT_FALSE(frame.FindMenuItem(ID_EDIT_CUT)->isEnabled());
    EXPECT_FALSE(frame.FindMenuItem(ID_FILE_PAGE_SETUP)->isEnabled());
    EXPECT_TRUE(frame.FindMenuItem(ID_APP_ABOUT)->isEnabled());
    EXPECT_TRUE(frame.FindMenuItem(ID_APP_EXIT)->isEnabled()); // the application's standard handling
    EXPECT_FALSE(frame.toolBar->FindButton(ID_EDIT_CUT)->isEnabled());
    EXPECT_FALSE(frame.toolBar->FindButton(ID_TOOLBAR_PRINT)->isEnabled());
    EXPECT_TRUE(frame.toolBar->FindButton(ID_HELP_TOPICS)->isEnabled());

    // A handler that disables its command greys it after it has run.
    EXPECT_TRUE(frame.FindMenuItem(ID_FILE_NEW)->isEnabled());
    frame.FindMenuItem(ID_FILE_NEW)->trigger();
    EXPECT_FALSE(frame.FindMenuItem(ID_FILE_NEW)->isEnabled());
    frame.FindMenuItem(ID_FILE_NEW)->trigger();
    EXPECT_EQ(g_ran, std::vector<std::string>{"new"});
}

TEST_F(FrameWndTest, ToolbarButtonRunsItsCommand)
{
    frame.toolBar->FindButton(ID_HELP_TOPICS)->trigger();
    EXPECT_EQ(g_ran, std::vector<std::string>{"help"});
}

TEST_F(FrameWndTest, AcceleratorsRunOnlyHandledCommands)
{
    ShowAndFocus();
    QTest::keyClick(frame.view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(frame.view, Qt::Key_F5);                     // Upload Selected: unhandled here
    QTest::keyClick(frame.view, Qt::Key_X, Qt::ControlModifier); // Cut: unhandled
    QTest::keyClick(frame.view, Qt::Key_F5, Qt::ShiftModifier);
    QTest::keyClick(frame.view, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(g_ran, (std::vector<std::string>{"select all", "upload all", "upload all"}));
}

TEST_F(FrameWndTest, OnlyTheAcceleratorTableBindsKeys)
{
    std::vector<QString> bound;
    for (const QShortcut* shortcut : frame.findChildren<QShortcut*>())
        bound.push_back(shortcut->key().toString(QKeySequence::PortableText));
    std::sort(bound.begin(), bound.end());
    std::vector<QString> expected = {
        "Ctrl+C",   "Ctrl+Ins", "Shift+Del", "Ctrl+X", "Ctrl+V",       "Shift+Ins", "Alt+Backspace",
        "Ctrl+Z",   "Ctrl+N",   "Ctrl+O",    "Ctrl+P", "Ctrl+S",       "Ctrl+A",    "F6",
        "Shift+F6", "F5",       "Shift+F5",  "Ctrl+Y", "Ctrl+Shift+Z", "F1",        "Ctrl+F5",
        "Ctrl+F",   "F3",       "Shift+F3",  "Ctrl+G", "Del",          "Alt+F5",
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(bound, expected);

    // The key names in menu labels are text only.
    for (QAction* popup : frame.menuBar()->actions())
        for (QAction* item : popup->menu()->actions())
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
}

TEST_F(FrameWndTest, ViewCommandsToggleTheBarsWithCheckMarks)
{
    ShowAndFocus();
    QAction* toolbarItem = frame.FindMenuItem(ID_VIEW_TOOLBAR);
    QAction* statusItem = frame.FindMenuItem(ID_VIEW_STATUS_BAR);
    frame.UpdateCommandUI();
    EXPECT_TRUE(toolbarItem->isChecked());
    EXPECT_TRUE(statusItem->isChecked());

    toolbarItem->trigger();
    EXPECT_TRUE(frame.toolBar->isHidden());
    EXPECT_FALSE(toolbarItem->isChecked());
    EXPECT_TRUE(statusItem->isChecked());

    statusItem->trigger();
    EXPECT_TRUE(frame.statusBar->isHidden());
    EXPECT_FALSE(statusItem->isChecked());

    toolbarItem->trigger();
    statusItem->trigger();
    EXPECT_TRUE(frame.toolBar->isVisible());
    EXPECT_TRUE(frame.statusBar->isVisible());
    EXPECT_TRUE(toolbarItem->isChecked());
    EXPECT_TRUE(statusItem->isChecked());
}

TEST_F(FrameWndTest, FocusOnTheFramePassesToTheView)
{
    ShowAndFocus();
    frame.view->clearFocus();
    frame.setFocus();
    EXPECT_TRUE(frame.view->hasFocus());
}

TEST_F(FrameWndTest, MenuBarHoldsTheFiveMenusWithTheirLabels)
{
    std::vector<QString> titles;
    for (QAction* popup : frame.menuBar()->actions())
        titles.push_back(popup->text());
    EXPECT_EQ(titles, (std::vector<QString>{"&File", "&Edit", "&View", "&Transfer", "&Help"}));

    // Items and separators of the Transfer menu, in order.
    const QList<QAction*> transfer = frame.menuBar()->actions().at(3)->menu()->actions();
    std::vector<QString> labels;
    for (QAction* item : transfer)
        labels.push_back(item->isSeparator() ? QString("-") : item->text());
    EXPECT_EQ(labels,
              (std::vector<QString>{"Upload &Selected To Scanner\tF5", "&Upload All To Scanner\tCtrl+F5",
                                    "Upload &Changed To Scanner\tAlt+F5", "&Download All From Scanner", "-",
                                    "Se&ttings...", "Vantis &Modules..."}));
    EXPECT_EQ(frame.FindMenuItem(ID_APP_EXIT)->statusTip(), "Quit the application; prompts to save documents");
}

TEST(FrameWndCreation, FailsWithoutTheMenuResource)
{
    TestFrame frame;
    EXPECT_FALSE(frame.LoadFrame(4711));
}

} // namespace
