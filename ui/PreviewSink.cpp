#include "ui/PreviewSink.h"

#include <algorithm>
#include <cstring>

namespace {
QRgb opaque(TColor color) {
    return 0xFF000000u | color;
}
} // namespace

PreviewSink::PreviewSink(QSize size, double ratio, TColor background)
    : bitmap_(size, QImage::Format_Indexed8), width_(size.width()), height_(size.height()),
      transparent_(background), base_(background) {
    bitmap_.setDevicePixelRatio(ratio);
    restart(background);
}

void PreviewSink::restart(TColor color) {
    // One colour again: the colours of earlier pictures need no place in the table.
    if (!indexed()) {
        const double ratio = bitmap_.devicePixelRatio();
        bitmap_ = QImage(width_, height_, QImage::Format_Indexed8);
        bitmap_.setDevicePixelRatio(ratio);
    }
    colours_.assign(1, color);
    transparent_ = color;
    updateTable();
    bitmap_.fill(0u);
}

QImage PreviewSink::shownRows(int top, int count) const {
    QImage rows(width_, count, QImage::Format_ARGB32_Premultiplied);
    // See-through is zero: the strip starts see-through and only the drawn pixels are written.
    rows.fill(0u);
    if (indexed()) {
        const std::uint64_t allClear = 0x0101010101010101u * clear_;
        for (int y = 0; y < count; ++y) {
            const uchar* from = bitmap_.constScanLine(top + y);
            QRgb* to = reinterpret_cast<QRgb*>(rows.scanLine(y));
            auto copyDrawn = [&](int first, int end) {
                for (int x = first; x < end; ++x)
                    if (from[x] != clear_)
                        to[x] = shownTable_[from[x]];
            };
            // Eight see-through pixels at a time are passed over.
            int x = 0;
            for (; x + 8 <= width_; x += 8) {
                std::uint64_t eight = 0;
                std::memcpy(&eight, from + x, 8);
                if (eight != allClear)
                    copyDrawn(x, x + 8);
            }
            copyDrawn(x, width_);
        }
    } else {
        for (int y = 0; y < count; ++y) {
            const QRgb* from = reinterpret_cast<const QRgb*>(bitmap_.constScanLine(top + y));
            QRgb* to = reinterpret_cast<QRgb*>(rows.scanLine(y));
            for (int x = 0; x < width_; ++x)
                to[x] = qPremultiply(from[x]);
        }
    }
    return rows;
}

TColor PreviewSink::colorAt(int x, int y) const {
    if (indexed())
        return colours_[bitmap_.constScanLine(y)[x]];
    return reinterpret_cast<const QRgb*>(bitmap_.constScanLine(y))[x] & 0xFFFFFFu;
}

void PreviewSink::updateTable() {
    QList<QRgb> table;
    table.reserve(static_cast<qsizetype>(colours_.size()));
    for (TColor colour : colours_)
        table.append(colour == transparent_ ? colour : opaque(colour));
    bitmap_.setColorTable(table);
    for (qsizetype i = 0; i < table.size(); ++i)
        shownTable_[i] = qPremultiply(table[i]);
    clear_ = static_cast<uchar>(std::find(colours_.begin(), colours_.end(), transparent_) - colours_.begin());
}

std::uint32_t PreviewSink::valueOf(TColor color) {
    if (indexed()) {
        const auto found = std::find(colours_.begin(), colours_.end(), color);
        if (found != colours_.end())
            return static_cast<std::uint32_t>(found - colours_.begin());
        if (colours_.size() < IndexedColours) {
            colours_.push_back(color);
            updateTable();
            return static_cast<std::uint32_t>(colours_.size() - 1);
        }
        // The table keeps the see-through colour's alpha cleared, so the 32-bit pixels do too.
        bitmap_ = bitmap_.convertToFormat(QImage::Format_ARGB32);
        colours_.clear();
    }
    return color == transparent_ ? color : opaque(color);
}

void PreviewSink::write(const PixelRun& run, std::uint32_t value) {
    uchar* bits = bitmap_.bits();
    const qsizetype stride = bitmap_.bytesPerLine();
    int x = run.x;
    int y = run.y;
    if (indexed()) {
        for (int i = 0; i < run.count; ++i, x += run.dx, y += run.dy)
            bits[y * stride + x] = static_cast<uchar>(value);
    } else {
        for (int i = 0; i < run.count; ++i, x += run.dx, y += run.dy)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = value;
    }
}

void PreviewSink::writeRect(int left, int top, int right, int bottom, std::uint32_t value) {
    uchar* bits = bitmap_.bits();
    const qsizetype stride = bitmap_.bytesPerLine();
    for (int y = top; y < bottom; ++y) {
        if (indexed()) {
            std::fill(bits + y * stride + left, bits + y * stride + right, static_cast<uchar>(value));
        } else {
            QRgb* line = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(line + left, line + right, value);
        }
    }
}

void PreviewSink::plainRun(const PixelRun& run) {
    write(run, valueOf(run.color));
    followTransparent();
}

void PreviewSink::plainFill(int left, int top, int right, int bottom, TColor color) {
    writeRect(left, top, right, bottom, valueOf(color));
    followTransparent();
}

void PreviewSink::followTransparent() {
    const TColor corner = colorAt(0, height_ - 1);
    if (corner == transparent_)
        return;
    transparent_ = corner;
    if (indexed()) {
        updateTable();
        return;
    }
    for (int y = 0; y < height_; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(bitmap_.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const TColor colour = line[x] & 0xFFFFFFu;
            line[x] = colour == transparent_ ? colour : opaque(colour);
        }
    }
}

void PreviewSink::remember(const PixelRun& run) {
    if (!tracked_)
        return;
    drawnPixels_ += run.count;
    // Past a quarter of the bitmap, undoing costs about as much as filling.
    if (drawnPixels_ > std::int64_t(width_) * height_ / 4) {
        tracked_ = false;
        drawn_.clear();
        drawnPixels_ = 0;
        return;
    }
    drawn_.push_back(run);
}

void PreviewSink::run(const PixelRun& run) {
    plainRun(run);
    remember(run);
}

void PreviewSink::fill(int left, int top, int right, int bottom, TColor color) {
    const bool whole = left == 0 && top == 0 && right == width_ && bottom == height_;
    if (!whole) {
        plainFill(left, top, right, bottom, color);
        for (int y = top; y < bottom; ++y)
            remember(PixelRun{left, y, 1, 0, right - left, color});
        return;
    }
    if (tracked_ && base_ == color) {
        for (PixelRun undo : drawn_) {
            undo.color = color;
            plainRun(undo);
        }
    } else {
        restart(color);
    }
    tracked_ = true;
    base_ = color;
    drawn_.clear();
    drawnPixels_ = 0;
}
