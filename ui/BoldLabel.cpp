#include "ui/BoldLabel.h"

#include <QTransform>
#include <QPainter>
#include <QStyle>

BoldLabel::BoldLabel(QWidget* parent) : QLabel(parent) {}

BoldLabel::BoldLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void BoldLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The density of what is painted on: the screen, or a picture the label is rendered into.
    const qreal density = painter.deviceTransform().m11();
    // Up to a quarter above density 1 the hinted strokes still round to whole pixels, as at density 1.
    if (!font().bold() || density < 1.5 || textFormat() == Qt::RichText) {
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    const int flags = QStyle::visualAlignment(layoutDirection(), alignment()) |
                      (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    for (const qreal shift : {0.0, 0.75 * (density - 1) / density}) {
        painter.save();
        painter.translate(shift, 0);
        style()->drawItemText(&painter, area, flags, palette(), isEnabled(), text(), foregroundRole());
        painter.restore();
    }
}
