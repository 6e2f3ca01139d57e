#include "ui/DottedFocusRect.h"

#include <QColor>
#include <QPainter>
#include <QRect>

void drawDottedFocusRect(QPainter* painter, const QRect& rect, const QColor& color) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::NoBrush);
    // Every other pixel, counted from the top-left corner and on round the edge, as the desktop draws it.
    const int right = rect.right();
    const int bottom = rect.bottom();
    for (int x = rect.left(); x <= right; x += 2) {
        painter->fillRect(x, rect.top(), 1, 1, color);
        painter->fillRect(x, bottom, 1, 1, color);
    }
    for (int y = rect.top(); y <= bottom; y += 2) {
        painter->fillRect(rect.left(), y, 1, 1, color);
        painter->fillRect(right, y, 1, 1, color);
    }
    painter->restore();
}
