#include "platform/StrokeSink.h"

#include <algorithm>

namespace {
// The pixels a run covers, or for a slanted run the box around them.
QRect pixelsOf(const PixelRun& r) {
    const int lastX = r.x + r.dx * (r.count - 1);
    const int lastY = r.y + r.dy * (r.count - 1);
    return QRect(QPoint(std::min(r.x, lastX), std::min(r.y, lastY)),
                 QPoint(std::max(r.x, lastX), std::max(r.y, lastY)));
}
} // namespace

bool StrokeSink::coversInk(const QRect& pixels) const {
    return std::any_of(inked_.begin(), inked_.end(), [&](const QRect& r) { return r.intersects(pixels); });
}

void StrokeSink::run(const PixelRun& r) {
    if (r.count <= 0)
        return;
    const QPointF start(r.x, r.y);
    const QPointF end(r.x + static_cast<double>(r.dx) * r.count, r.y + static_cast<double>(r.dy) * r.count);
    // White on the blank sheet shows only where it falls on pixels inked before, such as a dotted line's gap
    // at a corner; left out elsewhere, it does not cut a dotted line into a change of colour at every dot.
    const QRect pixels = pixelsOf(r);
    if (r.color == clWhite && !coversInk(pixels))
        return;
    if (r.color != clWhite)
        inked_.push_back(pixels);

    if (items_.empty() || items_.back().filled || items_.back().color != r.color)
        items_.push_back({r.color, false, {}});
    QPainterPath& path = items_.back().path;
    if (path.elementCount() == 0 || path.currentPosition() != start) {
        path.moveTo(start);
        figureStart_ = start;
    }
    // A line back to where its figure began closes it, so the last corner is joined like the others.
    if (end == figureStart_) {
        path.closeSubpath();
        return;
    }
    path.lineTo(end);
}

void StrokeSink::fill(int left, int top, int right, int bottom, TColor color) {
    const QRect area(left, top, right - left, bottom - top);
    if (color == clWhite && !coversInk(area))
        return;
    if (color != clWhite)
        inked_.push_back(area);
    Item item{color, true, {}};
    item.path.addRect(QRectF(area));
    items_.push_back(std::move(item));
}
