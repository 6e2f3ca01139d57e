#pragma once

// The pages of a PWG raster file (what a driverless printer receives), decoded into grey pictures.
#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace PwgRaster {

struct Page {
    int xDpi = 0;
    int yDpi = 0;
    QImage image; // 8-bit grey, the whole sheet
};

namespace detail {
inline std::uint32_t word(const QByteArray& bytes, qsizetype at) {
    if (at + 4 > bytes.size())
        throw std::runtime_error("PWG raster: the header is cut short");
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
} // namespace detail

// Grey (sgray, 8 bits) and colour (srgb, 24 bits, turned grey) pages; anything else throws, as does a file
// cut short.
inline std::vector<Page> decode(const QByteArray& bytes) {
    using detail::word;
    constexpr qsizetype HeaderBytes = 1796;
    if (!bytes.startsWith("RaS2"))
        throw std::runtime_error("PWG raster: no RaS2 mark");
    std::vector<Page> pages;
    qsizetype at = 4;
    const auto next = [&]() -> unsigned char {
        if (at >= bytes.size())
            throw std::runtime_error("PWG raster: the page data is cut short");
        return static_cast<unsigned char>(bytes[at++]);
    };
    while (at < bytes.size()) {
        Page page;
        page.xDpi = static_cast<int>(word(bytes, at + 276));
        page.yDpi = static_cast<int>(word(bytes, at + 280));
        const int width = static_cast<int>(word(bytes, at + 372));
        const int height = static_cast<int>(word(bytes, at + 376));
        const int bitsPerPixel = static_cast<int>(word(bytes, at + 388));
        if (bitsPerPixel != 8 && bitsPerPixel != 24)
            throw std::runtime_error("PWG raster: " + std::to_string(bitsPerPixel) + " bits per pixel");
        if (width <= 0 || height <= 0 || width > 100000 || height > 100000)
            throw std::runtime_error("PWG raster: a page of no sensible size");
        const int pixelBytes = bitsPerPixel / 8;
        at += HeaderBytes;
        page.image = QImage(width, height, QImage::Format_Grayscale8);
        std::vector<unsigned char> line(static_cast<std::size_t>(width) * pixelBytes);
        for (int y = 0; y < height;) {
            // A line is sent once with how many times more it repeats, then as runs of pixels: 0-127 is one
            // pixel n + 1 times, 129-255 is 257 - n pixels as they are, 128 fills the rest with white.
            const int repeats = next() + 1;
            std::size_t x = 0;
            while (x < line.size()) {
                const int n = next();
                if (n == 128) {
                    std::fill(line.begin() + static_cast<std::ptrdiff_t>(x), line.end(), 0xff);
                    x = line.size();
                } else if (n < 128) {
                    unsigned char pixel[3];
                    for (int b = 0; b < pixelBytes; ++b)
                        pixel[b] = next();
                    for (int i = 0; i <= n && x < line.size(); ++i)
                        for (int b = 0; b < pixelBytes; ++b)
                            line[x++] = pixel[b];
                } else {
                    for (int i = 0; i < (257 - n) * pixelBytes; ++i) {
                        if (x >= line.size())
                            throw std::runtime_error("PWG raster: a run passes the line's end");
                        line[x++] = next();
                    }
                }
            }
            for (int r = 0; r < repeats && y < height; ++r, ++y) {
                uchar* out = page.image.scanLine(y);
                for (int px = 0; px < width; ++px) {
                    const unsigned char* p = &line[static_cast<std::size_t>(px) * pixelBytes];
                    out[px] = pixelBytes == 1 ? p[0] : static_cast<uchar>((p[0] + p[1] + p[2]) / 3);
                }
            }
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace PwgRaster
