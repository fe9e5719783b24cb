#include "app/CHelpWindow.h"

#include "app/HelpKeyboardPage.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"

#include <QCloseEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const std::string kSection = "Help Window";
const std::string kWidth = "Width";
const std::string kHeight = "Height";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 520;
constexpr int kSmallest = 200;

// A browser that answers the keyboard page itself and reads every other
// page from the resources.
class HelpBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::HtmlResource && name.matches(CHelpWindow::KeyboardPage, QUrl::None))
            return KeyboardPageHtml(IDR_MAINFRAME);
        return QTextBrowser::loadResource(type, name);
    }
};

} // namespace

const QUrl CHelpWindow::ContentsPage(QStringLiteral("qrc:/help/index.html"));
const QUrl CHelpWindow::KeyboardPage(QStringLiteral("qrc:/help/keyboard.html"));
const QUrl CHelpWindow::NoAnswerPage(QStringLiteral("qrc:/help/no-answer.html"));

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new HelpBrowser(this))
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);

    const vnSettingsStore& settings = vnSettings();
    resize(std::max(settings.GetSettingInt(kSection, kWidth, kDefaultWidth), kSmallest),
           std::max(settings.GetSettingInt(kSection, kHeight, kDefaultHeight), kSmallest));
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
