#pragma once

#include "platform/RunSink.h"

#include <QImage>

// Writes runs into a 32-bit image: the bitmap the tests and benchmarks draw into and read back.
class ImageSink : public RunSink {
public:
    explicit ImageSink(QImage& image) : image_(image) {}

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void run(const PixelRun& run) override;
    void fill(int left, int top, int right, int bottom, TColor color) override;

private:
    QImage& image_;
};
