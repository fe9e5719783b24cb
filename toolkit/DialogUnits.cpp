#include "toolkit/DialogUnits.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <cstdint>
#include <cstring>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c)
{
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<int>(rounded);
}

} // namespace

DialogUnits::DialogUnits(int baseX, int baseY) : m_baseX(baseX > 0 ? baseX : 1), m_baseY(baseY > 0 ? baseY : 1) {}

DialogUnits::DialogUnits(const QFont& font) : DialogUnits(1, 1)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (letters / 26 + 1) / 2;
    m_baseY = metrics.height();
    if (m_baseX < 1)
        m_baseX = 1;
    if (m_baseY < 1)
        m_baseY = 1;
}

int DialogUnits::ToPixelsX(int dialogUnits) const
{
    return MulDiv(dialogUnits, m_baseX, 4);
}

int DialogUnits::ToPixelsY(int dialogUnits) const
{
    return MulDiv(dialogUnits, m_baseY, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const
{
    return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy));
}

QFont DialogUnits::TemplateFont(const char* face, int pointSize)
{
    QFont font;
    if (!face || std::strcmp(face, "MS Shell Dlg") == 0 || std::strcmp(face, "MS Shell Dlg 2") == 0)
        font = QGuiApplication::font();
    else
        font = QFont(QString::fromUtf8(face));
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}
