#pragma once

#include "ImageSink.h"
#include "RunSink.h"

#include <QImage>

#include <cstdint>
#include <vector>

// Writes the preview bitmap through an ImageSink and keeps beside it the bitmap as the screen gets it: every
// pixel of the transparent colour (the bottom-left pixel's) see-through. Since every preview starts with a
// fill of the whole bitmap, it remembers what was drawn after the last such fill; the next one of the same
// colour then only has to undo that, and neither picture is rewritten whole on every repaint.
class PreviewSink : public RunSink {
public:
    explicit PreviewSink(QImage& bitmap);

    int width() const override { return width_; }
    int height() const override { return height_; }
    void run(const PixelRun& run) override;
    void fill(int left, int top, int right, int bottom, TColor color) override;

    // The bitmap with its transparent colour taken afresh from the bottom-left pixel.
    const QImage& shown();

private:
    QRgb shownPixel(TColor color) const;
    void shownRun(const PixelRun& run);
    void shownFill(int left, int top, int right, int bottom, TColor color);
    void remember(const PixelRun& run);
    void rebuildShown();

    QImage& bitmap_;
    ImageSink sink_;
    int width_;
    int height_;
    QImage shown_;
    QRgb transparent_;
    // Set while the bitmap is known to be one colour apart from the runs in drawn_.
    bool tracked_ = true;
    TColor base_;
    std::vector<PixelRun> drawn_;
    std::int64_t drawnPixels_ = 0;
};
