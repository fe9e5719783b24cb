#include "toolkit/CToolBar.h"

#include "res/StringResource.h"
#include "res/ToolbarBitmap.h"
#include "res/ToolbarResource.h"
#include "toolkit/CFrameWnd.h"

#include <QAction>
#include <QPixmap>

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One button's image with the button face made transparent.
QPixmap ButtonImage(const QImage& bitmap, int index, int width, int height)
{
    QImage image = bitmap.copy(index * width, 0, width, height);
    QList<QRgb> colors = image.colorTable();
    if (kToolbarFaceColor < colors.size())
        colors[kToolbarFaceColor] = qRgba(0, 0, 0, 0);
    image.setColorTable(colors);
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
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
    const QImage bitmap = LoadToolbarBitmap(resourceId);
    if (!resource || bitmap.isNull())
        return false;

    setIconSize(QSize(resource->imageWidth, resource->imageHeight));
    int image = 0;
    for (int id : resource->buttons) {
        if (id == 0) {
            addSeparator();
            continue;
        }
        QAction* action =
            addAction(ButtonImage(bitmap, image++, resource->imageWidth, resource->imageHeight), QString());
        action->setToolTip(FromView(LoadCommandTooltip(id)));
        action->setStatusTip(FromView(LoadCommandPrompt(id)));
        m_owner->AddCommandAction(action, id);
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
