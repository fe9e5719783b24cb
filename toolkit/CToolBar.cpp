#include "toolkit/CToolBar.h"

#include "res/StringResource.h"
#include "res/ToolbarIcons.h"
#include "res/ToolbarResource.h"
#include "toolkit/CFrameWnd.h"

#include <QAction>

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CToolBar::CToolBar(CFrameWnd* owner) : QToolBar(owner), m_owner(owner)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

bool CToolBar::LoadToolBar(int resourceId)
{
    const ToolbarResource* resource = FindToolbarResource(resourceId);
    if (!resource)
        return false;

    setIconSize(QSize(resource->imageSize, resource->imageSize));
    for (const ToolbarButton& button : resource->buttons) {
        if (button.command == 0) {
            addSeparator();
            continue;
        }
        // The tooltip is also the button's text: a screen reader names the
        // button by it.
        const QString tooltip = FromView(LoadCommandTooltip(button.command));
        QAction* action = addAction(LoadToolbarIcon(button), tooltip);
        action->setToolTip(tooltip);
        action->setStatusTip(FromView(LoadCommandPrompt(button.command)));
        if (QWidget* widget = widgetForAction(action))
            widget->setAccessibleName(tooltip);
        m_owner->AddCommandAction(action, button.command);
    }
    return true;
}

QAction* CToolBar::FindButton(int id) const
{
    for (QAction* action : actions())
        if (!action->isSeparator() && action->data().toInt() == id)
            return action;
    return nullptr;
}

void CToolBar::paintEvent(QPaintEvent*)
{
    // Transparent: the band behind shows through.
}
