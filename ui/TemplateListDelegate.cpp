#include "ui/TemplateListDelegate.h"

#include "ui/DottedFocusRect.h"

#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionViewItem>

void TemplateListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    if (!index.isValid())
        return;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect,
                      selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    painter->setFont(option.font);

    const QRect textRect = option.rect.adjusted(1, 0, -1, 0);
    // Right to left, the painter turns the leading edge to the right and reads the text that way.
    painter->setLayoutDirection(option.direction);
    // One line, tabs expanded, "&" shown as it is, and not clipped to the row.
    const int flags =
        Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip | Qt::AlignVCenter | Qt::AlignLeft;
    painter->drawText(textRect, flags, index.data(Qt::DisplayRole).toString());

    if (option.state.testFlag(QStyle::State_HasFocus))
        drawDottedFocusRect(painter, option.rect, painter->pen().color());
    painter->restore();
}

QSize TemplateListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), RowHeight);
}
