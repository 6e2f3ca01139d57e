#pragma once

#include <QAbstractItemDelegate>

// Rows of the template list: fixed height, highlight colours when selected, the text 1 px in from each side,
// and a dotted focus rectangle on the row with the keyboard caret. A caption wider than its row, as a longer
// translation may be, ends in an ellipsis.
class TemplateListDelegate : public QAbstractItemDelegate {
public:
    static constexpr int RowHeight = 24;

    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // A caption cut short in its row is shown whole in a tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};
