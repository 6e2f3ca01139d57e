#pragma once

#include "platform/RunSink.h"

#include <vector>

// One thing drawn on a printer page: a run of pixels, or a filled rectangle as a horizontal run repeated
// down its rows.
struct PageMark {
    PixelRun run;
    int rows = 1;

    bool operator==(const PageMark&) const = default;
};

// A printer page held as what was drawn on it, in drawing order, so that its size does not grow with the
// resolution as a bitmap's would. Its size is the printable area in device pixels.
class PageRecorder : public RunSink {
public:
    PageRecorder(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void run(const PixelRun& run) override { marks_.push_back({run, 1}); }
    void fill(int left, int top, int right, int bottom, TColor color) override {
        marks_.push_back({{left, top, 1, 0, right - left, color}, bottom - top});
    }

    const std::vector<PageMark>& marks() const { return marks_; }
    void clear() { marks_.clear(); }

private:
    int width_;
    int height_;
    std::vector<PageMark> marks_;
};
