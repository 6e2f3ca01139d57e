#include "ui/PreviewView.h"

#include "ui/PreviewGeometry.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
QSize devicePixels(QSize size, double ratio) {
    return QSize(static_cast<int>(std::ceil(size.width() * ratio)),
                 static_cast<int>(std::ceil(size.height() * ratio)));
}
} // namespace

PreviewView::Picture::Picture(QSize size, double ratio)
    : size(size), sink(devicePixels(size, ratio), ratio, clWhite), surface(&sink) {}

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {}

PreviewView::~PreviewView() = default;

DrawingSurface& PreviewView::canvas() {
    const double ratio = devicePixelRatioF();
    if (!picture_)
        picture_ = std::make_unique<Picture>(size(), ratio);
    else if (picture_->sink.shown().devicePixelRatio() != ratio)
        picture_ = std::make_unique<Picture>(picture_->size, ratio);
    return picture_->surface;
}

double PreviewView::pictureRatio() const {
    return picture_ ? picture_->sink.shown().devicePixelRatio() : devicePixelRatioF();
}

QSize PreviewView::pictureSize() const {
    return picture_ ? picture_->sink.shown().size() : QSize();
}

const QImage* PreviewView::picture() const {
    return picture_ ? &picture_->sink.shown() : nullptr;
}

QRect PreviewView::pictureRect() const {
    return picture_ ? previewRect(picture_->size, size()) : QRect();
}

void PreviewView::paintEvent(QPaintEvent* event) {
    if (!picture_)
        return;
    QPainter painter(this);
    const QImage& bitmap = picture_->sink.shown();
    const QRect target = pictureRect();
    if (bitmap.devicePixelRatio() != 1.0 || target.size() != bitmap.size()) {
        // Device pixel for device pixel at its own size; reduced, dropping rows and columns, never smoothing:
        // a reduced preview may lose a one-pixel line.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(target, bitmap);
        return;
    }
    // One to one: only the rows asked for, a strip at a time, so no copy of the whole bitmap is made.
    constexpr int StripRows = 32;
    const QRect rows = event->rect().intersected(target).translated(-target.topLeft());
    for (int top = rows.top(); top <= rows.bottom(); top += StripRows) {
        const int count = std::min(StripRows, rows.bottom() + 1 - top);
        painter.drawImage(target.topLeft() + QPoint(0, top), picture_->sink.shownRows(top, count));
    }
}
