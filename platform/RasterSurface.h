#pragma once

#include "platform/DrawingSurface.h"
#include "platform/LinePatterns.h"
#include "platform/RunSink.h"

#include <cstdint>

// The one rasteriser of the program: pen, brush and current position, drawing into whatever sink is
// attached. Without a sink, drawing calls only move the current position.
class RasterSurface : public DrawingSurface {
public:
    explicit RasterSurface(RunSink* sink = nullptr, LinePatterns patterns = LinePatterns::screen());

    void attach(RunSink* sink) { sink_ = sink; }
    RunSink* sink() const { return sink_; }
    void setPatterns(LinePatterns patterns) { patterns_ = patterns; }

    void setBrushStyle(BrushStyle style) override;
    void setBrushColor(TColor color) override;
    void setPenMode(PenMode mode) override;
    void setPenColor(TColor color) override;
    void setPenStyle(PenStyle style) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void fillRect(int left, int top, int right, int bottom) override;

    BrushStyle brushStyle() const { return brushStyle_; }
    TColor brushColor() const { return brushColor_; }
    PenMode penMode() const { return penMode_; }
    TColor penColor() const { return penColor_; }
    PenStyle penStyle() const { return penStyle_; }
    int penX() const { return x_; }
    int penY() const { return y_; }

private:
    void rasterize(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

    RunSink* sink_;
    LinePatterns patterns_;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    TColor brushColor_ = clWhite;
    PenMode penMode_ = PenMode::Copy;
    TColor penColor_ = clBlack;
    PenStyle penStyle_ = PenStyle::Solid;
    int x_ = 0;
    int y_ = 0;
    // Pattern position carried from one line to the next along a path; restarted by a move or a new style.
    std::int64_t patternPhase_ = 0;
};
