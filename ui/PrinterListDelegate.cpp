#include "ui/PrinterListDelegate.h"

#include "ui/DottedFocusRect.h"

#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionViewItem>

void PrinterListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem row = option;
    row.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, row, index);
    if (!option.state.testFlag(QStyle::State_HasFocus))
        return;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    drawDottedFocusRect(painter, option.rect,
                        option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
}
