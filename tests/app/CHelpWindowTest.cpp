// The help window: the guide's pages, the keyboard page and the window's size.
#include "app/CHelpWindow.h"
#include "MainWindowFixture.h"
#include "app/HelpKeyboardPage.h"
#include "grid/hvGridCtrl.h"
#include "res/AcceleratorResource.h"
#include "res/ResourceIds.h"
#include "toolkit/CToolBar.h"

#include <QDir>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextTable>

#include <deque>
#include <set>

namespace {

class HelpTest : public MainWindowFixture
{
protected:
    CHelpWindow* OpenHelpWith(int key)
    {
        QTest::keyClick(grid, static_cast<Qt::Key>(key));
        CHelpWindow* help = frame->GetHelpWindow();
        return help && help->isVisible() ? help : nullptr;
    }
};

TEST_F(HelpTest, F1AndTheToolbarButtonOpenTheContentsPage)
{
    CHelpWindow* help = OpenHelpWith(Qt::Key_F1);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "Scanlore Help");
    EXPECT_EQ(help->GetBrowser()->source(), CHelpWindow::ContentsPage);
    EXPECT_TRUE(help->GetBrowser()->toPlainText().contains("When the scanner does not answer"));

    help->GetBrowser()->setSource(CHelpWindow::KeyboardPage);
    help->close();
    frame->GetToolBar()->FindButton(ID_HELP_TOPICS)->trigger();
    EXPECT_EQ(frame->GetHelpWindow(), help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->GetBrowser()->source(), CHelpWindow::ContentsPage);
}

TEST_F(HelpTest, EveryPageIsReachableFromTheContentsAndEveryLinkLeadsToAPage)
{
    CHelpWindow help;
    QTextBrowser* browser = help.GetBrowser();
    std::set<QString> reached;
    std::deque<QUrl> queue{CHelpWindow::ContentsPage};
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
    while (!queue.empty()) {
        const QUrl page = queue.front();
        queue.pop_front();
        if (!reached.insert(page.fileName()).second)
            continue;
        const QString html = browser->loadResource(QTextDocument::HtmlResource, page).toString();
        ASSERT_FALSE(html.isEmpty()) << page.toString().toStdString() << " is linked but missing";
        for (const QRegularExpressionMatch& match : link.globalMatch(html))
            queue.push_back(page.resolved(QUrl(match.captured(1))));
    }

    std::set<QString> pages{CHelpWindow::KeyboardPage.fileName()};
    for (const QString& name : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}))
        pages.insert(name);
    EXPECT_GE(pages.size(), 7u);
    EXPECT_EQ(reached, pages);
}

TEST_F(HelpTest, KeyboardPageListsExactlyTheAcceleratorTable)
{
    CHelpWindow help;
    help.GetBrowser()->setSource(CHelpWindow::KeyboardPage);
    QTextTable* table = nullptr;
    for (QTextFrame* child : help.GetBrowser()->document()->rootFrame()->childFrames())
        if ((table = qobject_cast<QTextTable*>(child)))
            break;
    ASSERT_NE(table, nullptr);

    const auto bindings = FindAcceleratorResource(IDR_MAINFRAME);
    ASSERT_EQ(table->rows(), static_cast<int>(bindings.size()) + 1);
    std::map<QString, QString> shown;
    for (int row = 1; row < table->rows(); ++row) {
        const auto text = [&](int column) {
            QTextTableCell cell = table->cellAt(row, column);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return cursor.selectedText();
        };
        const AcceleratorResource& binding = bindings[static_cast<std::size_t>(row - 1)];
        EXPECT_EQ(QKeySequence(text(0)), QKeySequence(binding.keys)) << row;
        shown[text(0)] = text(1);
    }
    // A few the user reads in the menus.
    EXPECT_EQ(shown["Ctrl+P"], "Print");
    EXPECT_EQ(shown["Shift+F5"], "Upload All To Scanner");
    EXPECT_EQ(shown["F1"], "Help Topics");
    EXPECT_EQ(shown["Ctrl+Ins"], "Copy");

    // The grid's own keys follow, from its key handling and its accelerators.
    const QString page = help.GetBrowser()->toPlainText();
    const QString grid = page.mid(page.indexOf("In the grid"));
    ASSERT_FALSE(grid.isEmpty());
    for (const hvGridKey& key : hvGridCtrl::GetKeys())
        EXPECT_TRUE(grid.contains(QString::fromUtf8(key.what))) << key.what;
    EXPECT_TRUE(grid.contains(QRegularExpression("F2\\s+Opens the editor")));
    EXPECT_TRUE(grid.contains(QRegularExpression("Alt\\+Down\\s+Move Down")));
    EXPECT_EQ(shown["Shift+F3"], "Find Previous");
}

// Keys and bands in the pages come from the program's own tables: the menu's
// key first, and every model the installed module names.
TEST_F(HelpTest, PagesGiveTheMenusKeysAndTheBandTable)
{
    ASSERT_NE(OpenHelpWith(Qt::Key_F1), nullptr);
    CHelpWindow& help = *frame->GetHelpWindow();
    for (const QString& name : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")})) {
        const QString html = help.GetBrowser()
                                 ->loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("qrc:/help/") + name))
                                 .toString();
        EXPECT_FALSE(html.contains(QStringLiteral("{{"))) << name.toStdString();
    }
    help.ShowPage(QUrl(QStringLiteral("qrc:/help/uploading.html")));
    EXPECT_TRUE(
        help.GetBrowser()->toPlainText().contains(QStringLiteral("Upload All To Scanner (Ctrl+F5 or Shift+F5)")));
    help.ShowPage(CHelpWindow::ColumnsPage);
    const QString columns = help.GetBrowser()->toPlainText();
    for (const char* model : {"Pro-76", "Pro-79", "Pro-82", "Pro-89", "Pro-2016", "Pro-2017"})
        EXPECT_TRUE(columns.contains(QString::fromUtf8(model) + QStringLiteral("\n25\u20131,300 MHz"))) << model;
    EXPECT_TRUE(columns.contains(QStringLiteral("Descriptions stay on the computer")));
    help.ShowPage(QUrl(QStringLiteral("qrc:/help/race-weekend.html")));
    const QString weekend = help.GetBrowser()->toPlainText();
    EXPECT_TRUE(weekend.contains(QStringLiteral("Edit > Follow Cars lists")));
    EXPECT_TRUE(weekend.contains(QStringLiteral("Edit > Lock Out (Ctrl+L)")));
    EXPECT_TRUE(weekend.contains(QStringLiteral("File > Print Race Card prints")));
    // The table of column names is the column map's own.
    help.ShowPage(QUrl(QStringLiteral("qrc:/help/files-scanlore-reads.html")));
    const QString reads = help.GetBrowser()->toPlainText();
    EXPECT_TRUE(reads.contains(QStringLiteral("qrg"))) << reads.toStdString();
    EXPECT_TRUE(reads.contains(QStringLiteral("Alpha Tag")));
}

// Ctrl+F finds text in the page, round its end; Escape closes the window.
TEST_F(HelpTest, CtrlFFindsInThePageAndEscapeCloses)
{
    CHelpWindow* help = OpenHelpWith(Qt::Key_F1);
    ASSERT_NE(help, nullptr);
    QApplication::setActiveWindow(help); // the offscreen platform does not activate it by itself
    QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
    QWidget* box = QApplication::focusWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, "keyboard");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(help->GetBrowser()->textCursor().selectedText().toLower(), "keyboard");
    EXPECT_TRUE(help->Find(QStringLiteral("Scanlore Help"))); // above the cursor: found round the end
    EXPECT_FALSE(help->Find(QStringLiteral("no such words")));
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

TEST_F(HelpTest, WindowKeepsItsSize)
{
    {
        CHelpWindow help;
        help.ShowPage(CHelpWindow::ContentsPage);
        help.resize(512, 384);
        help.close();
    }
    EXPECT_EQ(settings->GetSettingInt("Help Window", "Width", 0), 512);
    EXPECT_EQ(settings->GetSettingInt("Help Window", "Height", 0), 384);
    CHelpWindow again;
    EXPECT_EQ(again.size(), QSize(512, 384));

    // A damaged size is not used.
    settings->SetSettingInt("Help Window", "Width", 2147483647);
    CHelpWindow damaged;
    EXPECT_EQ(damaged.size(), QSize(640, 520));
}

} // namespace
