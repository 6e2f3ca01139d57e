#pragma once

#include "platform/Color.h"

enum class BrushStyle { Solid, Clear };
enum class PenStyle { Solid, Dash, Dot };
enum class PenMode { Copy };

// What the envelope painters and the preview need of a pixel canvas. Coordinates are device pixels from the
// top-left pixel, x to the right, y downward.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Clear also makes the fill colour white; a colour set while the style is clear makes it solid.
    virtual void setBrushStyle(BrushStyle style) = 0;
    virtual void setBrushColor(TColor color) = 0;
    virtual void setPenMode(PenMode mode) = 0;
    virtual void setPenColor(TColor color) = 0;
    virtual void setPenStyle(PenStyle style) = 0;

    virtual void moveTo(int x, int y) = 0;
    // Draws the start pixel, not the end pixel, then moves to (x, y).
    virtual void lineTo(int x, int y) = 0;
    // Fills with the brush; the right and bottom edges are left out.
    virtual void fillRect(int left, int top, int right, int bottom) = 0;
};
