#pragma once

#include <QUrl>
#include <QWidget>

class QLineEdit;
class QTextBrowser;

// The help window "Scanlore Help": the user guide in a browser whose pages
// link to each other, with a find box (Ctrl+F); Escape closes it. The guide's pages are resources under :/help; its
// keyboard page is made from the main window's accelerator table when it is
// shown. The window keeps its size in the settings store.
class CHelpWindow : public QWidget
{
    Q_OBJECT

public:
    static const QUrl ContentsPage;
    static const QUrl KeyboardPage;
    static const QUrl NoAnswerPage; // when the scanner does not answer
    static const QUrl ColumnsPage;

    explicit CHelpWindow(QWidget* parent = nullptr);
    ~CHelpWindow() override;

    // Shows the page and brings the window to the front.
    void ShowPage(const QUrl& page);

    QTextBrowser* GetBrowser() const { return m_browser; }
    // Selects the next match of text in the page, round its end; false when there is none.
    bool Find(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StoreSize();

    QTextBrowser* m_browser;
    QLineEdit* m_findText = nullptr;
};
