#pragma once

// What came out of a queue, seen as the landscape page the program drew: device pixels from the corner of
// the printable area, the sheet turned back from the portrait picture the server produced.
#include "PrivateCups.h"
#include "platform/DeviceCaps.h"
#include "platform/PrintSystem.h"

#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

namespace SheetView {

// How a renderer lays its pixel grid on the sheet: rows counted down from the top edge, a pixel inked where a
// mark covers its centre (pdftoppm), or up from the bottom edge, the PDF origin, a pixel inked where a mark
// touches it (a printer's raster, whose height is the whole rows the sheet holds).
enum class Grid { FromTop, FromBottom };

// A picture of the sheet, or of a part of it, seen as the landscape page: the page lies on the portrait
// sheet a quarter turn anticlockwise, its left margin along the sheet's bottom, its printable corner on the
// first grid line inside the printable area, the grid counted from the sheet's left and bottom edges.
class Page {
public:
    Page(QImage sheet, const DocumentSettings& s, Grid grid, int sheetLeft = 0, int sheetTop = 0)
        : sheet_(std::move(sheet)), sheetLeft_(sheetLeft), sheetTop_(sheetTop), cornerX_(columnOfY0(s)),
          rowOfX0_(grid == Grid::FromTop ? rowOfX0(s) : sheet_.height() - fromBottom(s) - 1) {}

    // Page pixel (x, y) is sheet pixel (columnOfY0 + y, rowOfX0 - x), for a rasteriser counting from the top.
    static int rowOfX0(const DocumentSettings& s) {
        return static_cast<int>(std::floor(s.paperLength * s.yResolution / 2540.0 - fromBottom(s) - 0.5));
    }
    // The page's top margin is the sheet's left one, its left margin the sheet's bottom one, as kept on the
    // sheet.
    static int columnOfY0(const DocumentSettings& s) {
        return (printableTop(landscape(s)) * s.xResolution + 2539) / 2540;
    }
    static int fromBottom(const DocumentSettings& s) {
        return (printableLeft(landscape(s)) * s.yResolution + 2539) / 2540;
    }

    bool black(int x, int y) const {
        const int c = cornerX_ + y - sheetLeft_;
        const int r = rowOfX0_ - x - sheetTop_;
        return c >= 0 && r >= 0 && c < sheet_.width() && r < sheet_.height() &&
               sheet_.constScanLine(r)[c] < 128;
    }

    // Stretches of black (first pixel, length) along page row y (or column x) from `from` to `to`.
    std::vector<std::pair<int, int>> inkAlong(bool column, int at, int from, int to) const {
        std::vector<std::pair<int, int>> out;
        for (int p = from; p < to; ++p) {
            if (!(column ? black(at, p) : black(p, at)))
                continue;
            if (!out.empty() && out.back().first + out.back().second == p)
                ++out.back().second;
            else
                out.push_back({p, 1});
        }
        return out;
    }

    const QImage& sheet() const { return sheet_; }

private:
    static DocumentSettings landscape(DocumentSettings s) {
        s.orientation = PageOrientation::Landscape;
        return s;
    }

    QImage sheet_;
    int sheetLeft_;
    int sheetTop_;
    int cornerX_;
    int rowOfX0_;
};

// The PDF a file queue wrote, rasterised at the sheet's resolution: all of it, or the window of sheet pixels
// (left, top, width, height).
inline Page rasterise(const QString& pdf, const DocumentSettings& s, QRect window = {}) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QStringList arguments{QStringLiteral("-gray"), QStringLiteral("-singlefile"),
                          QStringLiteral("-rx"),   QString::number(s.xResolution),
                          QStringLiteral("-ry"),   QString::number(s.yResolution)};
    if (!window.isNull())
        arguments << QStringLiteral("-x") << QString::number(window.x()) << QStringLiteral("-y")
                  << QString::number(window.y()) << QStringLiteral("-W") << QString::number(window.width())
                  << QStringLiteral("-H") << QString::number(window.height());
    PrivateCups::run(QStringLiteral("pdftoppm"), arguments << pdf << prefix);
    QImageReader::setAllocationLimit(1024);
    QImage image(prefix + QStringLiteral(".pgm"));
    if (image.isNull())
        throw std::runtime_error("pdftoppm gave no picture");
    return Page(image.convertToFormat(QImage::Format_Grayscale8), s, Grid::FromTop,
                window.isNull() ? 0 : window.x(), window.isNull() ? 0 : window.y());
}

} // namespace SheetView
