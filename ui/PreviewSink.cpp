#include "PreviewSink.h"

#include <algorithm>

namespace {
QRgb opaque(TColor color) {
    return 0xFF000000u | color;
}
} // namespace

PreviewSink::PreviewSink(QImage& bitmap)
    : bitmap_(bitmap), sink_(bitmap), width_(bitmap.width()), height_(bitmap.height()),
      shown_(bitmap.size(), QImage::Format_ARGB32_Premultiplied),
      transparent_(bitmap.pixel(0, bitmap.height() - 1)), base_(bitmap.pixel(0, 0) & 0xFFFFFFu) {
    // A new bitmap is one colour, and that colour is the transparent one.
    shown_.fill(Qt::transparent);
}

QRgb PreviewSink::shownPixel(TColor color) const {
    const QRgb rgb = opaque(color);
    return rgb == transparent_ ? 0u : rgb;
}

void PreviewSink::shownRun(const PixelRun& run) {
    const QRgb value = shownPixel(run.color);
    uchar* bits = shown_.bits();
    const qsizetype stride = shown_.bytesPerLine();
    int x = run.x;
    int y = run.y;
    for (int i = 0; i < run.count; ++i, x += run.dx, y += run.dy)
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = value;
}

void PreviewSink::shownFill(int left, int top, int right, int bottom, TColor color) {
    const QRgb value = shownPixel(color);
    uchar* bits = shown_.bits();
    const qsizetype stride = shown_.bytesPerLine();
    for (int y = top; y < bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(line + left, line + right, value);
    }
}

void PreviewSink::remember(const PixelRun& run) {
    if (!tracked_)
        return;
    drawnPixels_ += run.count;
    // Past a quarter of the bitmap, undoing costs about as much as filling.
    if (drawnPixels_ > std::int64_t(width_) * height_ / 4) {
        tracked_ = false;
        drawn_.clear();
        drawnPixels_ = 0;
        return;
    }
    drawn_.push_back(run);
}

void PreviewSink::run(const PixelRun& run) {
    sink_.run(run);
    shownRun(run);
    remember(run);
}

void PreviewSink::fill(int left, int top, int right, int bottom, TColor color) {
    const bool whole = left == 0 && top == 0 && right == width_ && bottom == height_;
    if (!whole) {
        sink_.fill(left, top, right, bottom, color);
        shownFill(left, top, right, bottom, color);
        for (int y = top; y < bottom; ++y)
            remember(PixelRun{left, y, 1, 0, right - left, color});
        return;
    }
    if (tracked_ && base_ == color) {
        for (PixelRun undo : drawn_) {
            undo.color = color;
            sink_.run(undo);
            shownRun(undo);
        }
    } else {
        sink_.fill(left, top, right, bottom, color);
        shownFill(left, top, right, bottom, color);
    }
    tracked_ = true;
    base_ = color;
    drawn_.clear();
    drawnPixels_ = 0;
}

void PreviewSink::rebuildShown() {
    for (int y = 0; y < height_; ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(std::as_const(bitmap_).scanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(shown_.scanLine(y));
        for (int x = 0; x < width_; ++x)
            to[x] = from[x] == transparent_ ? 0u : from[x];
    }
}

const QImage& PreviewSink::shown() {
    const QRgb transparent = bitmap_.pixel(0, height_ - 1);
    if (transparent != transparent_) {
        transparent_ = transparent;
        rebuildShown();
    }
    return shown_;
}
