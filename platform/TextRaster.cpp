#include "platform/TextRaster.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <map>
#include <utility>

namespace TextRaster {
namespace {

// A face with Cyrillic that the program's package brings along.
QFont pageFont(int pixelHeight) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, pixelHeight));
    // Whole pixels, black or white: a printer has no grey for an edge.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Rows of dark pixels, spans that repeat from one row to the next joined into one rectangle.
void fillInk(DrawingSurface& surface, const QImage& image, int x0, int y0) {
    std::map<std::pair<int, int>, int> open; // span -> first row
    const auto close = [&](auto it, int row) {
        surface.fillRect(x0 + it->first.first, y0 + it->second, x0 + it->first.second, y0 + row);
        return open.erase(it);
    };
    for (int row = 0; row <= image.height(); ++row) {
        std::map<std::pair<int, int>, int> next;
        if (row < image.height()) {
            const uchar* line = image.constScanLine(row);
            for (int x = 0; x < image.width();) {
                if (line[x] >= 128) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < image.width() && line[x] < 128)
                    ++x;
                const std::pair span{start, x};
                const auto continued = open.find(span);
                next[span] = continued != open.end() ? continued->second : row;
                if (continued != open.end())
                    open.erase(continued);
            }
        }
        for (auto it = open.begin(); it != open.end();)
            it = close(it, row);
        open = std::move(next);
    }
}

} // namespace

int drawLine(DrawingSurface& surface, int x, int y, const QString& text, double heightMm, double pixelsPerMmX,
             double pixelsPerMmY) {
    const QFont font = pageFont(static_cast<int>(std::lround(heightMm * pixelsPerMmY)));
    const QFontMetricsF metrics(font);
    // Letters as wide on paper as they are high, on a page whose pixels are not square.
    const double stretch = pixelsPerMmX / pixelsPerMmY;
    const int width = static_cast<int>(std::ceil(metrics.horizontalAdvance(text) * stretch)) + 1;
    const int height = static_cast<int>(std::ceil(metrics.height()));
    if (width <= 1 || height <= 0)
        return 0;
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.scale(stretch, 1);
        painter.drawText(QPointF(0, metrics.ascent()), text);
    }
    surface.setBrushStyle(BrushStyle::Solid);
    surface.setBrushColor(clBlack);
    fillInk(surface, image, x, y);
    return width;
}

} // namespace TextRaster
