#include "ui/BoldLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QTransform>

BoldLabel::BoldLabel(QWidget* parent) : QLabel(parent) {}

BoldLabel::BoldLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void BoldLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The density of what is painted on: the screen, or a picture the label is rendered into.
    const qreal density = painter.deviceTransform().m11();
    // Up to a quarter above density 1 the hinted strokes still round to whole pixels, as at density 1.
    const QString shown = shownText();
    const bool whole = shown == text();
    const bool thickened = font().bold() && density >= 1.5;
    if (whole && (!thickened || textFormat() == Qt::RichText)) {
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    const int flags =
        QStyle::visualAlignment(layoutDirection(), alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    for (const qreal shift : {0.0, 0.75 * (density - 1) / density}) {
        painter.save();
        painter.translate(shift, 0);
        style()->drawItemText(&painter, area, flags, palette(), isEnabled(), shown, foregroundRole());
        painter.restore();
        if (!thickened)
            break;
    }
}

bool BoldLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && shownText() != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

QString BoldLabel::shownText() const {
    if (wordWrap() || textFormat() == Qt::RichText)
        return text();
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    return fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
}
