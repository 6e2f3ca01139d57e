#include "ImageSink.h"

namespace {
QRgb toRgb(TColor color) { return 0xFF000000u | color; }
} // namespace

void ImageSink::run(const PixelRun& run) {
    const QRgb rgb = toRgb(run.color);
    int x = run.x;
    int y = run.y;
    for (int i = 0; i < run.count; ++i, x += run.dx, y += run.dy)
        reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb;
}

void ImageSink::fill(int left, int top, int right, int bottom, TColor color) {
    const QRgb rgb = toRgb(color);
    for (int y = top; y < bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + left, line + right, rgb);
    }
}
