#include "app/ColorScheme.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

QPalette DarkPalette()
{
    const QColor window(0x2d, 0x2f, 0x33);
    const QColor base(0x1e, 0x20, 0x23);
    const QColor text(0xe6, 0xe8, 0xeb);
    const QColor disabled(0x80, 0x84, 0x8a);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, QColor(0x26, 0x28, 0x2c));
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(0xff, 0x6b, 0x6b));
    palette.setColor(QPalette::Light, QColor(0x45, 0x48, 0x4e));
    palette.setColor(QPalette::Midlight, QColor(0x3a, 0x3d, 0x42));
    palette.setColor(QPalette::Mid, QColor(0x24, 0x26, 0x29));
    palette.setColor(QPalette::Dark, QColor(0x18, 0x19, 0x1b));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x78, 0xae, 0xed));
    palette.setColor(QPalette::LinkVisited, QColor(0xb0, 0x8c, 0xe8));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}

} // namespace

void ApplyColorSchemeFromEnvironment(QApplication& application)
{
    const QByteArray scheme = qgetenv("SCANLORE_COLOR_SCHEME").trimmed().toLower();
    if (scheme != "light" && scheme != "dark")
        return;
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    application.setPalette(scheme == "dark" ? DarkPalette() : QApplication::style()->standardPalette());
}
