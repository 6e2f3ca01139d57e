#pragma once

class QColor;
class QPainter;
class QRect;

// The desktop's focus rectangle: alternate pixels along the inside of the rectangle.
void drawDottedFocusRect(QPainter* painter, const QRect& rect, const QColor& color);
