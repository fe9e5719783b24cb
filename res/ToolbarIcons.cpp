#include "res/ToolbarIcons.h"

#include "res/ResourceIds.h"
#include "res/ToolbarResource.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {

// Drawn on a 16 × 16 grid. One-unit lines lie on half units, so they cover
// whole pixels at 16, 32 and 48 pixels.
constexpr double kGrid = 16.0;

const QColor kOutline(0x4a, 0x50, 0x5a);
const QColor kPaper(0xfc, 0xfc, 0xfc);
const QColor kText(0x8c, 0x93, 0x9c);
const QColor kBlue(0x35, 0x6a, 0xb8);
const QColor kDarkBlue(0x21, 0x47, 0x80);
const QColor kGreen(0x2a, 0x94, 0x45);
const QColor kGrey(0xa4, 0xaa, 0xb2);

void Page(QPainter& p, const QRectF& r, double fold)
{
    QPolygonF outline;
    outline << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold)
            << r.bottomRight() << r.bottomLeft();
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kPaper);
    p.drawPolygon(outline);
    if (fold > 0)
        p.drawPolyline(QPolygonF{QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                                 QPointF(r.right(), r.top() + fold)});
}

void TextLines(QPainter& p, double left, double right, double top, int count)
{
    p.setPen(QPen(kText, 1.0, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

void DrawNew(QPainter& p)
{
    Page(p, QRectF(2.5, 1.5, 10, 13), 3);
    // A spark: something new.
    QPolygonF star;
    for (int i = 0; i < 8; ++i) {
        const double radius = i % 2 ? 1.4 : 3.6;
        const double angle = i * 3.14159265 / 4;
        star << QPointF(12 + radius * std::sin(angle), 11.5 - radius * std::cos(angle));
    }
    p.setPen(QPen(QColor(0xa0, 0x6c, 0x00), 0.8));
    p.setBrush(QColor(0xf6, 0xc3, 0x1c));
    p.drawPolygon(star);
}

void DrawOpen(QPainter& p)
{
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x08), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xd8, 0x9a, 0x2a));
    p.drawPolygon(QPolygonF{QPointF(1.5, 2.5), QPointF(6.5, 2.5), QPointF(7.5, 4.5), QPointF(13.5, 4.5),
                            QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
    p.setBrush(QColor(0xf6, 0xc8, 0x5e));
    p.drawPolygon(QPolygonF{QPointF(1.5, 13.5), QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5)});
}

void DrawSave(QPainter& p)
{
    p.setPen(QPen(kDarkBlue, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kBlue);
    p.drawPolygon(
        QPolygonF{QPointF(1.5, 1.5), QPointF(12.5, 1.5), QPointF(14.5, 3.5), QPointF(14.5, 14.5), QPointF(1.5, 14.5)});
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(0xd0, 0xd4, 0xda));
    p.drawRect(QRectF(4, 10, 8, 4));
    p.setBrush(kDarkBlue);
    p.drawRect(QRectF(9, 11, 2, 2));
}

void DrawCut(QPainter& p)
{
    p.setPen(QPen(kOutline, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.8, 10.0), QPointF(11.5, 1.5));
    p.drawLine(QPointF(10.2, 10.0), QPointF(4.5, 1.5));
    p.setPen(QPen(QColor(0xc0, 0x1c, 0x28), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.0), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12.0), 2.3, 2.3);
}

void DrawCopy(QPainter& p)
{
    Page(p, QRectF(1.5, 1.5, 8, 10), 0);
    TextLines(p, 3, 8, 4, 3);
    Page(p, QRectF(6.5, 4.5, 8, 10), 0);
    TextLines(p, 8, 13, 7, 3);
}

void DrawPaste(QPainter& p)
{
    p.setPen(QPen(QColor(0x6e, 0x48, 0x1c), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xb8, 0x80, 0x40));
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(kGrey);
    p.drawRect(QRectF(4.5, 1.5, 4, 2));
    Page(p, QRectF(6.5, 5.5, 8, 9), 0);
    TextLines(p, 8, 13, 8, 3);
}

// Rows of the channel table and an arrow up: the rows go to the scanner.
void DrawUpload(QPainter& p, bool all)
{
    for (int row = 0; row < 3; ++row) {
        p.setPen(QPen(all || row == 1 ? kBlue : kGrey, 2.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(1, 8 + 3 * row), QPointF(9, 8 + 3 * row));
    }
    p.setPen(QPen(kGreen, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12.5, 15), QPointF(12.5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF{QPointF(9, 6.5), QPointF(12.5, 1), QPointF(16, 6.5)});
    if (!all)
        return;
    p.setPen(QPen(kBlue, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(1, 5), QPointF(7, 5));
}

void DrawPrint(QPainter& p)
{
    Page(p, QRectF(4.5, 1.5, 7, 5), 0);
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0x8a, 0x92, 0x9c));
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1, 1);
    Page(p, QRectF(4.5, 9.5, 7, 5), 0);
    TextLines(p, 6, 10, 11.5, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(QRectF(11.5, 7, 1.5, 1.5));
}

void DrawHelp(QPainter& p)
{
    p.setPen(QPen(kDarkBlue, 1.0));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    QPainterPath mark;
    mark.moveTo(5.6, 6.0);
    mark.cubicTo(5.6, 3.2, 10.4, 3.2, 10.4, 6.0);
    mark.cubicTo(10.4, 7.8, 8.0, 7.8, 8.0, 10.0);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12.5), 1.1, 1.1);
}

} // namespace

QImage DrawToolbarIcon(int command, int size)
{
    void (*draw)(QPainter&) = nullptr;
    switch (command) {
    case ID_FILE_NEW:
        draw = DrawNew;
        break;
    case ID_FILE_OPEN:
        draw = DrawOpen;
        break;
    case ID_FILE_SAVE:
        draw = DrawSave;
        break;
    case ID_EDIT_CUT:
        draw = DrawCut;
        break;
    case ID_EDIT_COPY:
        draw = DrawCopy;
        break;
    case ID_EDIT_PASTE:
        draw = DrawPaste;
        break;
    case ID_TRANSFER_UPLOAD_SELECTED:
        draw = [](QPainter& p) { DrawUpload(p, false); };
        break;
    case ID_TRANSFER_UPLOAD_ALL:
        draw = [](QPainter& p) { DrawUpload(p, true); };
        break;
    case ID_FILE_PRINT:
    case ID_TOOLBAR_PRINT:
        draw = DrawPrint;
        break;
    case ID_HELP_TOPICS:
        draw = DrawHelp;
        break;
    default:
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    draw(painter);
    return image;
}

QIcon LoadToolbarIcon(const ToolbarButton& button)
{
    QIcon drawn;
    for (int size : kToolbarIconSizes)
        if (const QImage image = DrawToolbarIcon(button.command, size); !image.isNull())
            drawn.addPixmap(QPixmap::fromImage(image));
    if (!button.iconName)
        return drawn;
    return QIcon::fromTheme(QString::fromLatin1(button.iconName), drawn);
}
