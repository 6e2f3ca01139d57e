#pragma once

#include <QStyledItemDelegate>

// Rows of the printer list: the style's plain rows, with the desktop's dotted focus rectangle on the row with
// the keyboard caret whenever the list has the focus, not only after the keyboard moved it there.
class PrinterListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
