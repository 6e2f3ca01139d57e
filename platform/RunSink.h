#pragma once

#include "platform/Color.h"

// A straight run of pixels of one colour: count pixels from (x, y), each step moving by (dx, dy), each of
// dx and dy in {-1, 0, 1}. Runs reaching a sink lie wholly inside it.
struct PixelRun {
    int x = 0;
    int y = 0;
    int dx = 1;
    int dy = 0;
    int count = 0;
    TColor color = clBlack;

    bool operator==(const PixelRun&) const = default;
};

// Where a raster surface puts its pixels: the preview bitmap, or the runs of a printer page.
class RunSink {
public:
    virtual ~RunSink() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void run(const PixelRun& run) = 0;
    // A rectangle already clipped to the sink, right and bottom excluded, never empty.
    virtual void fill(int left, int top, int right, int bottom, TColor color) = 0;
};
