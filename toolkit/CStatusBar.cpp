#include "toolkit/CStatusBar.h"

#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QLabel>
#include <QTimer>

#include <utility>

namespace {

CStatusBar::KeyStateReader& Reader()
{
    static std::function<CKeyLockState()> reader;
    return reader;
}

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// How often the indicators are read while the bar shows: lock keys change
// also while another window has the keyboard.
constexpr int kIndicatorPollMs = 250;

} // namespace

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(kIndicatorPollMs);
    connect(m_timer, &QTimer::timeout, this, &CStatusBar::UpdateIndicators);
}

CStatusBar::~CStatusBar() = default;

CStatusBar::KeyStateReader CStatusBar::SetKeyStateReader(KeyStateReader reader)
{
    return std::exchange(Reader(), std::move(reader));
}

bool CStatusBar::SetIndicators(std::span<const int> ids)
{
    for (Pane& pane : m_panes) {
        removeWidget(pane.label);
        delete pane.label;
    }
    m_panes.clear();

    for (int id : ids) {
        if (id == ID_SEPARATOR) {
            // A normal widget: a temporary message (a prompt) hides it.
            auto* label = new QLabel(FromView(LoadStringResource(IDS_IDLE_MESSAGE)), this);
            addWidget(label, 1);
            m_panes.push_back({id, label});
            continue;
        }
        const QString text = FromView(LoadStringResource(id));
        if (text.isEmpty())
            return false;
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // As wide as its text, whether or not the text shows.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) +
                               2 * label->fontMetrics().averageCharWidth());
        addPermanentWidget(label);
        m_panes.push_back({id, label});
    }
    UpdateIndicators();
    return true;
}

QString CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetPaneCount())
        return {};
    const Pane& pane = m_panes[static_cast<std::size_t>(index)];
    if (pane.id == ID_SEPARATOR && !currentMessage().isEmpty())
        return currentMessage();
    return pane.label->text();
}

void CStatusBar::UpdateIndicators()
{
    const CKeyLockState state = Reader() ? Reader()() : CKeyLockState::Read();
    for (Pane& pane : m_panes) {
        std::optional<bool> on;
        if (pane.id == ID_INDICATOR_CAPS)
            on = state.capsLock;
        else if (pane.id == ID_INDICATOR_NUM)
            on = state.numLock;
        else if (pane.id == ID_INDICATOR_SCRL)
            on = state.scrollLock;
        else
            continue;
        const QString text = on.value_or(false) ? FromView(LoadStringResource(pane.id)) : QString();
        if (pane.label->text() != text)
            pane.label->setText(text);
    }
}

void CStatusBar::showEvent(QShowEvent* event)
{
    QStatusBar::showEvent(event);
    UpdateIndicators();
    m_timer->start();
}

void CStatusBar::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    QStatusBar::hideEvent(event);
}
