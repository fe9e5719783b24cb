#include "res/AppIcon.h"

#include "res/ResourceIds.h"

#include <QBuffer>
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

namespace {

void AppendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// One size as an icon bitmap: a header, the colours bottom-up in BGRA, then
// the mask (a set bit where the icon is fully transparent), rows padded to
// four bytes.
QByteArray IconBitmap(const QImage& image)
{
    const int size = image.width();
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray out;
    AppendLittleEndian(out, 40, 4); // header size
    AppendLittleEndian(out, static_cast<quint32>(size), 4);
    AppendLittleEndian(out, static_cast<quint32>(2 * size), 4); // colours and mask
    AppendLittleEndian(out, 1, 2);                              // planes
    AppendLittleEndian(out, 32, 2);                             // bits per pixel
    AppendLittleEndian(out, 0, 4);                              // uncompressed
    AppendLittleEndian(out, static_cast<quint32>(size * size * 4 + size * maskStride), 4);
    out.append(16, '\0'); // resolution and palette: unused
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.append(static_cast<char>(qBlue(pixel)));
            out.append(static_cast<char>(qGreen(pixel)));
            out.append(static_cast<char>(qRed(pixel)));
            out.append(static_cast<char>(qAlpha(pixel)));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

} // namespace

QByteArray AppIconIco()
{
    QList<QByteArray> images;
    for (int size : kAppIconSizes) {
        const QImage image = DrawAppIcon(size).convertToFormat(QImage::Format_ARGB32);
        if (size < 256) {
            images.append(IconBitmap(image));
        } else {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            images.append(png);
        }
    }

    QByteArray out;
    AppendLittleEndian(out, 0, 2); // reserved
    AppendLittleEndian(out, 1, 2); // an icon, not a cursor
    AppendLittleEndian(out, static_cast<quint32>(images.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = kAppIconSizes[static_cast<std::size_t>(i)];
        AppendLittleEndian(out, static_cast<quint32>(size % 256), 1); // 256 is written as 0
        AppendLittleEndian(out, static_cast<quint32>(size % 256), 1);
        AppendLittleEndian(out, 0, 2); // no palette, reserved
        AppendLittleEndian(out, 1, 2); // planes
        AppendLittleEndian(out, 32, 2);
        AppendLittleEndian(out, static_cast<quint32>(images[i].size()), 4);
        AppendLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}
