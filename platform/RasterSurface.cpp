#include "RasterSurface.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Gathers consecutive pixels of one colour on one straight step into runs.
class RunBuilder {
public:
    explicit RunBuilder(RunSink& sink) : sink_(sink) {}
    ~RunBuilder() { flush(); }

    void pixel(int x, int y, TColor color) {
        if (run_.count > 0 && color == run_.color) {
            const int dx = x - lastX_;
            const int dy = y - lastY_;
            const bool adjacent = std::abs(dx) <= 1 && std::abs(dy) <= 1 && (dx != 0 || dy != 0);
            if (adjacent && (run_.count == 1 || (dx == run_.dx && dy == run_.dy))) {
                run_.dx = dx;
                run_.dy = dy;
                ++run_.count;
                lastX_ = x;
                lastY_ = y;
                return;
            }
        }
        flush();
        run_ = PixelRun{x, y, 1, 0, 1, color};
        lastX_ = x;
        lastY_ = y;
    }

    void flush() {
        if (run_.count > 0)
            sink_.run(run_);
        run_.count = 0;
    }

private:
    RunSink& sink_;
    PixelRun run_;
    int lastX_ = 0;
    int lastY_ = 0;
};

} // namespace

RasterSurface::RasterSurface(RunSink* sink, LinePatterns patterns) : sink_(sink), patterns_(patterns) {}

void RasterSurface::setBrushStyle(BrushStyle style) {
    brushStyle_ = style;
    if (style == BrushStyle::Clear)
        brushColor_ = clWhite;
}

void RasterSurface::setBrushColor(TColor color) {
    brushColor_ = color;
    if (brushStyle_ == BrushStyle::Clear)
        brushStyle_ = BrushStyle::Solid;
}

void RasterSurface::setPenMode(PenMode mode) { penMode_ = mode; }
void RasterSurface::setPenColor(TColor color) { penColor_ = color; }

void RasterSurface::setPenStyle(PenStyle style) {
    penStyle_ = style;
    patternPhase_ = 0;
}

void RasterSurface::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
    patternPhase_ = 0;
}

void RasterSurface::lineTo(int x, int y) {
    rasterize(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

bool RasterSurface::penOnAt(std::int64_t step) const {
    switch (penStyle_) {
    case PenStyle::Solid:
        return true;
    case PenStyle::Dash:
        return step % (patterns_.dash + patterns_.dashGap) < patterns_.dash;
    case PenStyle::Dot:
        return step % (patterns_.dot + patterns_.dotGap) < patterns_.dot;
    }
    return true;
}

void RasterSurface::rasterize(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const std::int64_t ddx = x1 - x0;
    const std::int64_t ddy = y1 - y0;
    const bool xMajor = std::llabs(ddx) >= std::llabs(ddy);
    const std::int64_t length = xMajor ? std::llabs(ddx) : std::llabs(ddy); // pixels drawn: end excluded
    if (length == 0)
        return;
    const std::int64_t phase = patternPhase_;
    patternPhase_ += length;
    if (!sink_)
        return;

    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t majorStep = (xMajor ? ddx : ddy) > 0 ? 1 : -1;
    const std::int64_t minorDelta = xMajor ? ddy : ddx;
    const std::int64_t minorStep = minorDelta >= 0 ? 1 : -1;
    const std::int64_t minorAbs = std::llabs(minorDelta);
    const std::int64_t majorSize = xMajor ? sink_->width() : sink_->height();
    const std::int64_t minorSize = xMajor ? sink_->height() : sink_->width();

    // Only the steps whose major coordinate falls on the sink are visited, so a line far outside costs
    // nothing and its length never overflows a loop counter.
    std::int64_t first = 0;
    std::int64_t last = length - 1;
    if (majorStep > 0) {
        first = std::max(first, -major0);
        last = std::min(last, majorSize - 1 - major0);
    } else {
        first = std::max(first, major0 - (majorSize - 1));
        last = std::min(last, major0);
    }
    if (first > last)
        return;

    RunBuilder runs(*sink_);
    for (std::int64_t i = first; i <= last; ++i) {
        // Minor offset rounded to nearest: floor((2 i m + L) / 2L), in 128 bits since i m can pass 2^63.
        const __int128 num = static_cast<__int128>(2) * i * minorAbs + length;
        const std::int64_t offset = static_cast<std::int64_t>(num / (static_cast<__int128>(2) * length));
        const std::int64_t minor = minor0 + minorStep * offset;
        if (minor < 0 || minor >= minorSize)
            continue;
        const std::int64_t major = major0 + majorStep * i;
        TColor color;
        if (penOnAt(phase + i))
            color = penColor_;
        else if (brushStyle_ == BrushStyle::Solid)
            color = brushColor_;
        else
            continue;
        const int px = static_cast<int>(xMajor ? major : minor);
        const int py = static_cast<int>(xMajor ? minor : major);
        runs.pixel(px, py, color);
    }
}

void RasterSurface::fillRect(int left, int top, int right, int bottom) {
    if (!sink_ || brushStyle_ == BrushStyle::Clear)
        return;
    const int l = std::max(left, 0);
    const int t = std::max(top, 0);
    const int r = std::min(right, sink_->width());
    const int b = std::min(bottom, sink_->height());
    if (l >= r || t >= b)
        return;
    sink_->fill(l, t, r, b, brushColor_);
}
