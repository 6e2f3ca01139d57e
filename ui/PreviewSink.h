#pragma once

#include "platform/RunSink.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

// The preview bitmap, kept ready for the screen: every pixel of the transparent colour (the bottom-left
// pixel's) see-through. It holds a byte a pixel, an index into the colours drawn so far, whose table also
// says which of them is see-through, so a new transparent colour rewrites no pixel; drawn in more than 256
// colours it turns into 32-bit pixels with the see-through ones' alpha cleared. Since every preview starts
// with a fill of the whole bitmap, it remembers what was drawn after the last such fill; the next one of the
// same colour then only has to undo that.
class PreviewSink : public RunSink {
public:
    // A bitmap of that many pixels, all of the background colour, for a screen of that device pixel ratio.
    PreviewSink(QSize size, double ratio, TColor background);

    int width() const override { return width_; }
    int height() const override { return height_; }
    void run(const PixelRun& run) override;
    void fill(int left, int top, int right, int bottom, TColor color) override;

    // The bitmap as the screen gets it.
    const QImage& shown() const { return bitmap_; }
    // Rows of it, from top on, in the screen's own premultiplied 32-bit pixels: drawn strip by strip, they
    // need no conversion of the whole bitmap on every repaint.
    QImage shownRows(int top, int count) const;
    // The colour drawn at a pixel.
    TColor colorAt(int x, int y) const;

private:
    static constexpr std::size_t IndexedColours = 256;

    bool indexed() const { return bitmap_.format() == QImage::Format_Indexed8; }
    // The pixel value for a colour, as the bitmap stores it now; may add the colour to the table.
    std::uint32_t valueOf(TColor color);
    void write(const PixelRun& run, std::uint32_t value);
    void writeRect(int left, int top, int right, int bottom, std::uint32_t value);
    void plainRun(const PixelRun& run);
    void plainFill(int left, int top, int right, int bottom, TColor color);
    void remember(const PixelRun& run);
    // The whole bitmap one colour, with a table of that colour alone.
    void restart(TColor color);
    // Follows a change of the bottom-left pixel's colour.
    void followTransparent();
    void updateTable();

    QImage bitmap_;
    int width_;
    int height_;
    std::vector<TColor> colours_; // the table's colours, while the bitmap is indexed
    // The table as the screen gets it (premultiplied), and the index of the see-through colour: kept with
    // the table, so a repaint only looks them up.
    QRgb shownTable_[IndexedColours] = {};
    uchar clear_ = 0;
    TColor transparent_;
    // Set while the bitmap is known to be one colour apart from the runs in drawn_.
    bool tracked_ = true;
    TColor base_;
    std::vector<PixelRun> drawn_;
    std::int64_t drawnPixels_ = 0;
};
