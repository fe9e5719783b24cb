#pragma once

#include "modules/vnScannerBands.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <vector>

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

    // The scanner models and their bands for the pages that show them,
    // asked each time such a page is shown (the module may change).
    using ModelBandsSource = std::function<std::vector<vnModelBands>()>;

    explicit CHelpWindow(QWidget* parent = nullptr, ModelBandsSource modelBands = {});
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
