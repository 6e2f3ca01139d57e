#pragma once

#include "RunSink.h"

#include <vector>

// A filled rectangle of device pixels, right and bottom excluded.
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    TColor color = clBlack;

    bool operator==(const PageRect&) const = default;
};

// A printer page held as what was drawn on it, in drawing order: each straight run of pixels becomes one
// rectangle, a slanted run one square per pixel. Its size is the printable area in device pixels.
class PageRecorder : public RunSink {
public:
    PageRecorder(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void run(const PixelRun& run) override;
    void fill(int left, int top, int right, int bottom, TColor color) override;

    const std::vector<PageRect>& rects() const { return rects_; }
    void clear() { rects_.clear(); }

private:
    int width_;
    int height_;
    std::vector<PageRect> rects_;
};
