#pragma once

#include <QAbstractItemDelegate>

// Rows of the template list: fixed height, highlight colours when selected, the text 1 px in from each side,
// and a dotted focus rectangle on the row with the keyboard caret.
class TemplateListDelegate : public QAbstractItemDelegate {
public:
    static constexpr int RowHeight = 24;

    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
