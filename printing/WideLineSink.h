#pragma once

#include "platform/RunSink.h"

// Lines of a printer page that can be seen on paper: each run of a line reaches the page that many pixels
// thick, the added pixels below a line that runs mostly across and to the right of one that runs mostly
// down. Filled rectangles pass as they are.
class WideLineSink : public RunSink {
public:
    void attach(RunSink* page) { page_ = page; }
    RunSink* page() const { return page_; }
    // across: the width of a line running down; down: the thickness of a line running across; in pixels.
    void setWidths(int across, int down);
    // Which way the line now being drawn runs mostly.
    void setRunningAcross(bool across) { runningAcross_ = across; }

    int width() const override { return page_->width(); }
    int height() const override { return page_->height(); }
    void run(const PixelRun& run) override;
    void fill(int left, int top, int right, int bottom, TColor color) override;

private:
    RunSink* page_ = nullptr;
    int across_ = 1;
    int down_ = 1;
    bool runningAcross_ = true;
};
