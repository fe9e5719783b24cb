#include "grid/hvGridDelegate.h"

#include "grid/hvGridCtrl.h"
#include "grid/hvGridModel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

hvGridDelegate::hvGridDelegate(hvGridCtrl* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QRect hvGridDelegate::CheckBoxRect(const QRect& cell) const
{
    QStyleOptionButton box;
    box.rect = cell;
    const QStyle* style = m_grid->style();
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, m_grid);
    QRect centred(QPoint(0, 0), indicator.size());
    centred.moveCenter(cell.center());
    return centred;
}

void hvGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // The focus frame is drawn below around the current cell alone.
    cell.state &= ~QStyle::State_HasFocus;
    const QVariant check = index.data(Qt::CheckStateRole);
    if (check.isValid()) {
        // The box alone, centred; no text and no box at the side.
        cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        cell.text.clear();
    }
    const QStyle* style = m_grid->style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, m_grid);

    if (check.isValid()) {
        // Drawn in the colour of the cell's text rather than by the style,
        // whose boxes vanish into a dark palette's background.
        const bool selected = option.state & QStyle::State_Selected;
        QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QRectF box = QRectF(CheckBoxRect(option.rect)).adjusted(1.5, 1.5, -1.5, -1.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setBrush(Qt::NoBrush);
        if (check.value<Qt::CheckState>() == Qt::Checked) {
            painter->setPen(QPen(ink, std::max(1.5, box.width() / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const QPointF mark[] = {{box.left() + box.width() * 0.22, box.top() + box.height() * 0.52},
                                    {box.left() + box.width() * 0.42, box.top() + box.height() * 0.74},
                                    {box.left() + box.width() * 0.80, box.top() + box.height() * 0.28}};
            painter->drawPolyline(mark, 3);
        }
        ink.setAlphaF(0.6);
        painter->setPen(QPen(ink, 1));
        painter->drawRoundedRect(box, 2, 2);
        painter->restore();
    }

    painter->save();
    if (m_grid->IsGroupStart(index.row())) {
        painter->setPen(QPen(option.palette.color(QPalette::WindowText), 1));
        painter->drawLine(option.rect.topLeft(), option.rect.topRight());
    }
    if (index == m_grid->currentIndex()) {
        // Drawn in the colour of the text over the cell, so it shows on a
        // selected row and under a dark palette alike; thin while the grid
        // does not have the keyboard.
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text),
                             m_grid->hasFocus() ? 2 : 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}
