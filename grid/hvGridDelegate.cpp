#include "grid/hvGridDelegate.h"

#include "grid/hvGridCtrl.h"
#include "grid/hvGridModel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

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
        QStyleOptionButton box;
        box.rect = CheckBoxRect(option.rect);
        box.palette = option.palette;
        box.state = QStyle::State_Enabled |
            (check.value<Qt::CheckState>() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, m_grid);
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
