#include "ImageSink.h"

#include <algorithm>

namespace {
QRgb toRgb(TColor color) {
    return 0xFF000000u | color;
}
} // namespace

void ImageSink::run(const PixelRun& run) {
    const QRgb rgb = toRgb(run.color);
    // One detach per run, then plain pointer steps.
    const qsizetype stride = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    QRgb* p = reinterpret_cast<QRgb*>(image_.bits()) + run.y * stride + run.x;
    const qsizetype step = run.dy * stride + run.dx;
    for (int i = 0; i < run.count; ++i, p += step)
        *p = rgb;
}

void ImageSink::fill(int left, int top, int right, int bottom, TColor color) {
    const QRgb rgb = toRgb(color);
    for (int y = top; y < bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + left, line + right, rgb);
    }
}
