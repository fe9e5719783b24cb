#include "res/AppIcon.h"

#include "res/ResourceIds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage DrawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32 × 32 grid and scaled, so every size shows the same picture.
    painter.scale(size / 32.0, size / 32.0);

    // Radio waves leaving the antenna tip.
    QPen wave(QColor(0xf0, 0x8a, 0x1c), 1.6, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    const QPointF tip(10.5, 3.0);
    for (double radius : {4.5, 8.0})
        painter.drawArc(QRectF(tip.x() - radius, tip.y() - radius, 2 * radius, 2 * radius), -50 * 16, 100 * 16);

    // Antenna.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2b, 0x2e, 0x33));
    painter.drawRoundedRect(QRectF(9.0, 3.0, 3.0, 9.0), 1.2, 1.2);
    painter.drawEllipse(QRectF(9.0, 1.5, 3.0, 3.0));

    // Body.
    QLinearGradient body(0, 10, 0, 31);
    body.setColorAt(0, QColor(0x4a, 0x52, 0x5e));
    body.setColorAt(1, QColor(0x1d, 0x21, 0x27));
    painter.setBrush(body);
    painter.setPen(QPen(QColor(0x12, 0x14, 0x18), 0.8));
    painter.drawRoundedRect(QRectF(6.5, 10.5, 19.0, 20.5), 3.0, 3.0);

    // Display with a frequency readout.
    painter.setPen(QPen(QColor(0x0e, 0x10, 0x12), 0.6));
    painter.setBrush(QColor(0xa8, 0xe0, 0x8c));
    painter.drawRoundedRect(QRectF(9.0, 13.0, 14.0, 7.0), 1.0, 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x4a, 0x1a));
    for (int digit = 0; digit < 5; ++digit)
        painter.drawRect(QRectF(10.3 + digit * 2.5, 15.0, 1.8, 3.2));

    // Keypad.
    painter.setBrush(QColor(0xd8, 0xdc, 0xe2));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            painter.drawRoundedRect(QRectF(10.0 + column * 4.3, 22.0 + row * 2.9, 3.2, 2.0), 0.6, 0.6);

    return image;
}

QIcon LoadAppIcon(int id)
{
    if (id != IDR_MAINFRAME)
        return {};
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return icon;
}
