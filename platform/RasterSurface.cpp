#include "platform/RasterSurface.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

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

void RasterSurface::setPenMode(PenMode mode) {
    penMode_ = mode;
}
void RasterSurface::setPenColor(TColor color) {
    penColor_ = color;
}

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

    // A solid line is one pattern segment as long as any line can be.
    std::int64_t period = std::numeric_limits<std::int64_t>::max();
    std::int64_t onLength = period;
    if (penStyle_ == PenStyle::Dash) {
        period = patterns_.dash + patterns_.dashGap;
        onLength = patterns_.dash;
    } else if (penStyle_ == PenStyle::Dot) {
        period = patterns_.dot + patterns_.dotGap;
        onLength = patterns_.dot;
    }

    // Straight and 45-degree lines go out a pattern segment at a time, without visiting their pixels.
    if (minorAbs == 0 || minorAbs == length) {
        const std::int64_t slope = minorAbs == 0 ? 0 : minorStep;
        if (slope == 0) {
            if (minor0 < 0 || minor0 >= minorSize)
                return;
        } else {
            // minor0 + slope * i must stay within [0, minorSize).
            const std::int64_t lo = slope > 0 ? -minor0 : minor0 - (minorSize - 1);
            const std::int64_t hi = slope > 0 ? minorSize - 1 - minor0 : minor0;
            first = std::max(first, lo);
            last = std::min(last, hi);
            if (first > last)
                return;
        }
        const int dx = static_cast<int>(xMajor ? majorStep : slope);
        const int dy = static_cast<int>(xMajor ? slope : majorStep);
        std::int64_t pos = (phase + first) % period;
        for (std::int64_t i = first; i <= last;) {
            const bool on = pos < onLength;
            const std::int64_t n = std::min(on ? onLength - pos : period - pos, last - i + 1);
            if (on || brushStyle_ == BrushStyle::Solid) {
                const std::int64_t major = major0 + majorStep * i;
                const std::int64_t minor = minor0 + slope * i;
                sink_->run(PixelRun{static_cast<int>(xMajor ? major : minor),
                                    static_cast<int>(xMajor ? minor : major), dx, dy, static_cast<int>(n),
                                    on ? penColor_ : brushColor_});
            }
            i += n;
            pos += n;
            if (pos == period)
                pos = 0;
        }
        return;
    }

    // Minor offset of step i, rounded to nearest: floor((2 i m + L) / 2L). Formed once in 128 bits, since
    // i m can pass 2^63, then stepped: the remainder stays below 2L.
    const std::int64_t twoL = 2 * length;
    const __int128 start = static_cast<__int128>(2) * first * minorAbs + length;
    std::int64_t offset = static_cast<std::int64_t>(start / twoL);
    std::int64_t remainder = static_cast<std::int64_t>(start % twoL);

    std::int64_t patternPos = (phase + first) % period;

    // Consecutive pixels of one colour on one kind of step (straight or diagonal) leave as one run.
    const int straightDx = xMajor ? static_cast<int>(majorStep) : 0;
    const int straightDy = xMajor ? 0 : static_cast<int>(majorStep);
    const int diagonalDx = xMajor ? static_cast<int>(majorStep) : static_cast<int>(minorStep);
    const int diagonalDy = xMajor ? static_cast<int>(minorStep) : static_cast<int>(majorStep);
    PixelRun run;
    run.count = 0;
    bool extendsRun = false;   // the previous step's pixel went into run
    bool diagonalStep = false; // the step from the previous pixel to this one changed the minor coordinate

    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t minor = minor0 + minorStep * offset;
        bool nextDiagonal = false;
        remainder += 2 * minorAbs;
        if (remainder >= twoL) {
            remainder -= twoL;
            ++offset;
            nextDiagonal = true;
        }
        const bool penOn = patternPos < onLength;
        if (++patternPos == period)
            patternPos = 0;

        const bool visible = minor >= 0 && minor < minorSize && (penOn || brushStyle_ == BrushStyle::Solid);
        if (visible) {
            const TColor color = penOn ? penColor_ : brushColor_;
            const int dx = diagonalStep ? diagonalDx : straightDx;
            const int dy = diagonalStep ? diagonalDy : straightDy;
            if (extendsRun && color == run.color && (run.count == 1 || (run.dx == dx && run.dy == dy))) {
                run.dx = dx;
                run.dy = dy;
                ++run.count;
            } else {
                if (run.count > 0)
                    sink_->run(run);
                const std::int64_t major = major0 + majorStep * i;
                run = PixelRun{static_cast<int>(xMajor ? major : minor),
                               static_cast<int>(xMajor ? minor : major),
                               1,
                               0,
                               1,
                               color};
            }
        }
        extendsRun = visible;
        diagonalStep = nextDiagonal;
    }
    if (run.count > 0)
        sink_->run(run);
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
