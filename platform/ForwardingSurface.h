#pragma once

#include "platform/DrawingSurface.h"

// A surface that hands every call on to another; a subclass overrides only the calls it changes.
class ForwardingSurface : public DrawingSurface {
public:
    // The target is only bound here, not used, so a subclass may pass one of its own members.
    explicit ForwardingSurface(DrawingSurface& target) : target_(target) {}

    void setBrushStyle(BrushStyle style) override { target_.setBrushStyle(style); }
    void setBrushColor(TColor color) override { target_.setBrushColor(color); }
    void setPenMode(PenMode mode) override { target_.setPenMode(mode); }
    void setPenColor(TColor color) override { target_.setPenColor(color); }
    void setPenStyle(PenStyle style) override { target_.setPenStyle(style); }
    void moveTo(int x, int y) override { target_.moveTo(x, y); }
    void lineTo(int x, int y) override { target_.lineTo(x, y); }
    void fillRect(int left, int top, int right, int bottom) override {
        target_.fillRect(left, top, right, bottom);
    }

private:
    DrawingSurface& target_;
};
