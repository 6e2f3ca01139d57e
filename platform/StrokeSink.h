#pragma once

#include "platform/RunSink.h"

#include <QPainterPath>
#include <QRect>

#include <vector>

// Keeps what a raster surface draws as lines instead of pixels. A run becomes the line from its first
// position to the one after its last, which for the straight and 45-degree lines of a path is exactly the
// line asked for, or a dash of it; runs that meet join into one figure, so corners are mitred. Drawn at a
// fine scale, that is the drawing as vector lines with the rasteriser's own dashes and dots.
class StrokeSink : public RunSink {
public:
    // What was drawn, in drawing order: lines of one colour to be stroked, or a filled area.
    struct Item {
        TColor color = clBlack;
        bool filled = false;
        QPainterPath path;
    };

    StrokeSink(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void run(const PixelRun& run) override;
    void fill(int left, int top, int right, int bottom, TColor color) override;

    const std::vector<Item>& items() const { return items_; }

private:
    bool coversInk(const QRect& pixels) const;

    int width_;
    int height_;
    std::vector<Item> items_;
    QPointF figureStart_;
    std::vector<QRect> inked_;
};
