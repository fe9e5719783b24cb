#pragma once

#include <QStyledItemDelegate>

class hvGridCtrl;

// Paints the grid's cells: text in the palette's colours, a check box
// centred in a check-box column, the current cell's focus frame and a line
// above the first row of each group (a bank of channels).
class hvGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit hvGridDelegate(hvGridCtrl* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where a check-box cell's box is drawn, in viewport coordinates.
    QRect CheckBoxRect(const QRect& cell) const;

private:
    hvGridCtrl* m_grid; // the parent, which outlives the delegate
};
