#include "app/CHelpWindow.h"

#include "app/CWindowState.h"
#include "app/HelpKeyboardPage.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace {

const std::string kSection = "Help Window";
const std::string kWidth = "Width";
const std::string kHeight = "Height";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 520;
constexpr int kSmallest = 200;
constexpr int kFindWidthChars = 24;

// A browser that answers the keyboard page itself and reads every other
// page from the resources, with its generated parts filled in.
class HelpBrowser : public QTextBrowser
{
public:
    HelpBrowser(QWidget* parent, CHelpWindow::ModelBandsSource modelBands)
        : QTextBrowser(parent), m_modelBands(std::move(modelBands))
    {}

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type != QTextDocument::HtmlResource)
            return QTextBrowser::loadResource(type, name);
        if (name.matches(CHelpWindow::KeyboardPage, QUrl::None))
            return KeyboardPageHtml(IDR_MAINFRAME);
        const QVariant page = QTextBrowser::loadResource(type, name);
        if (!page.isValid())
            return page;
        return ExpandHelpPage(QString::fromUtf8(page.toByteArray()),
                              m_modelBands ? m_modelBands() : std::vector<vnModelBands>());
    }

private:
    CHelpWindow::ModelBandsSource m_modelBands;
};

} // namespace

const QUrl CHelpWindow::ContentsPage(QStringLiteral("qrc:/help/index.html"));
const QUrl CHelpWindow::KeyboardPage(QStringLiteral("qrc:/help/keyboard.html"));
const QUrl CHelpWindow::NoAnswerPage(QStringLiteral("qrc:/help/no-answer.html"));
const QUrl CHelpWindow::ColumnsPage(QStringLiteral("qrc:/help/columns.html"));

CHelpWindow::CHelpWindow(QWidget* parent, ModelBandsSource modelBands)
    : QWidget(parent, Qt::Window), m_browser(new HelpBrowser(this, std::move(modelBands)))
{
    setWindowTitle(QStringLiteral("Scanlore Help"));

    auto* bar = new QToolBar(this);
    bar->addAction(QStringLiteral("Contents"), this, [this] { ShowPage(ContentsPage); });
    QAction* back = bar->addAction(QStringLiteral("Back"), m_browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("Forward"), m_browser, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    // Ctrl+F finds text in the page shown, Enter the next match, round the end.
    m_findText = new QLineEdit(this);
    m_findText->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
    m_findText->setClearButtonEnabled(true);
    m_findText->setMaximumWidth(m_findText->fontMetrics().averageCharWidth() * kFindWidthChars);
    bar->addSeparator();
    bar->addWidget(m_findText);
    connect(m_findText, &QLineEdit::returnPressed, this, [this] { Find(m_findText->text()); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_findText->setFocus();
        m_findText->selectAll();
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);

    const vnSettingsStore& settings = vnSettings();
    const QSize stored(std::max(settings.GetSettingInt(kSection, kWidth, kDefaultWidth), kSmallest),
                       std::max(settings.GetSettingInt(kSection, kHeight, kDefaultHeight), kSmallest));
    resize(CWindowState::FitSize(stored, QSize(kDefaultWidth, kDefaultHeight)));
}

CHelpWindow::~CHelpWindow()
{
    // The window usually ends with the program, without a close of its own.
    StoreSize();
}

void CHelpWindow::ShowPage(const QUrl& page)
{
    m_browser->setSource(page);
    show();
    raise();
    activateWindow();
}

bool CHelpWindow::Find(const QString& text)
{
    if (text.isEmpty())
        return false;
    if (m_browser->find(text))
        return true;
    // Not found below the cursor: once more from the top.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    return m_browser->find(text);
}

void CHelpWindow::closeEvent(QCloseEvent* event)
{
    StoreSize();
    QWidget::closeEvent(event);
}

void CHelpWindow::StoreSize()
{
    vnSettingsStore& settings = vnSettings();
    settings.SetSettingInt(kSection, kWidth, width());
    settings.SetSettingInt(kSection, kHeight, height());
}
