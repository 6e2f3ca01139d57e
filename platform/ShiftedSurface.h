#pragma once

#include "platform/ForwardingSurface.h"

// Another surface seen with its origin moved: every coordinate gets the shift added, so each line keeps its
// shape pixel for pixel.
class ShiftedSurface : public ForwardingSurface {
public:
    ShiftedSurface(DrawingSurface& target, int dx, int dy) : ForwardingSurface(target), dx_(dx), dy_(dy) {}

    void moveTo(int x, int y) override { ForwardingSurface::moveTo(x + dx_, y + dy_); }
    void lineTo(int x, int y) override { ForwardingSurface::lineTo(x + dx_, y + dy_); }
    void fillRect(int left, int top, int right, int bottom) override {
        ForwardingSurface::fillRect(left + dx_, top + dy_, right + dx_, bottom + dy_);
    }

private:
    int dx_;
    int dy_;
};
