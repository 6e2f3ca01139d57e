#pragma once

#include "platform/DrawingSurface.h"

// Another surface seen with its origin moved: every coordinate gets the shift added, so each line keeps its
// shape pixel for pixel.
class ShiftedSurface : public DrawingSurface {
public:
    ShiftedSurface(DrawingSurface& target, int dx, int dy) : target_(target), dx_(dx), dy_(dy) {}

    void setBrushStyle(BrushStyle style) override { target_.setBrushStyle(style); }
    void setBrushColor(TColor color) override { target_.setBrushColor(color); }
    void setPenMode(PenMode mode) override { target_.setPenMode(mode); }
    void setPenColor(TColor color) override { target_.setPenColor(color); }
    void setPenStyle(PenStyle style) override { target_.setPenStyle(style); }
    void moveTo(int x, int y) override { target_.moveTo(x + dx_, y + dy_); }
    void lineTo(int x, int y) override { target_.lineTo(x + dx_, y + dy_); }
    void fillRect(int left, int top, int right, int bottom) override {
        target_.fillRect(left + dx_, top + dy_, right + dx_, bottom + dy_);
    }

private:
    DrawingSurface& target_;
    int dx_;
    int dy_;
};
