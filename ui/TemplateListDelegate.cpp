#include "ui/TemplateListDelegate.h"

#include "ui/DottedFocusRect.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>

namespace {

QRect textRectOf(const QStyleOptionViewItem& option) {
    return option.rect.adjusted(1, 0, -1, 0);
}

QString shownCaption(const QStyleOptionViewItem& option, const QString& caption) {
    return QFontMetrics(option.font).elidedText(caption, Qt::ElideRight, textRectOf(option).width());
}

} // namespace

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

    const QRect textRect = textRectOf(option);
    // Right to left, the painter turns the leading edge to the right and reads the text that way.
    painter->setLayoutDirection(option.direction);
    // One line, tabs expanded, "&" shown as it is, and not clipped to the row.
    const int flags =
        Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip | Qt::AlignVCenter | Qt::AlignLeft;
    painter->drawText(textRect, flags, shownCaption(option, index.data(Qt::DisplayRole).toString()));

    if (option.state.testFlag(QStyle::State_HasFocus))
        drawDottedFocusRect(painter, option.rect, painter->pen().color());
    painter->restore();
}

bool TemplateListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                     const QStyleOptionViewItem& option, const QModelIndex& index) {
    const QString caption = index.data(Qt::DisplayRole).toString();
    if (event->type() != QEvent::ToolTip || !index.isValid() || shownCaption(option, caption) == caption)
        return QAbstractItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), caption, view);
    return true;
}

QSize TemplateListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), RowHeight);
}
