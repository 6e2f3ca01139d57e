#include "PagePdf.h"

#include "DeviceCaps.h"

#include <QBuffer>
#include <QColor>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRect>
#include <QVector>

namespace {
// The writer's own unit; our transform makes every drawn unit one device pixel whatever this is.
constexpr int WriterDpi = 72;

double writerUnits(int hundredthsMm) {
    return hundredthsMm / 2540.0 * WriterDpi;
}
} // namespace

PageGeometry pageGeometryFor(const DocumentSettings& s) {
    return {s.paperWidth,     s.paperLength,   s.orientation == PageOrientation::Landscape,
            printableLeft(s), printableTop(s), horizontalDpi(s),
            verticalDpi(s)};
}

QByteArray pagePdf(const PageGeometry& g, const std::vector<PageRect>& rects) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(WriterDpi);
        // The sheet as it is named, turned by the layout: a page sized 297 x 210 and then turned would end
        // up portrait again and cut the drawing off.
        const QPageSize sheet(QSizeF(g.paperWidth / 100.0, g.paperLength / 100.0), QPageSize::Millimeter,
                              QString(), QPageSize::FuzzyMatch);
        writer.setPageLayout(QPageLayout(sheet, g.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));

        QPainter painter(&writer);
        painter.setPen(Qt::NoPen);
        painter.translate(writerUnits(g.printableLeft), writerUnits(g.printableTop));
        painter.scale(static_cast<double>(WriterDpi) / g.xDpi, static_cast<double>(WriterDpi) / g.yDpi);

        // Rectangles of one colour in a row go out as one fill; the order of colours is kept, since a gap
        // may whiten a pixel an earlier line made black.
        QVector<QRect> batch;
        TColor batchColor = clBlack;
        auto flush = [&] {
            if (batch.isEmpty())
                return;
            painter.setBrush(QColor::fromRgb(batchColor));
            painter.drawRects(batch);
            batch.clear();
        };
        for (const PageRect& r : rects) {
            if (r.color != batchColor)
                flush();
            batchColor = r.color;
            batch.append(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
        }
        flush();
    }
    return bytes;
}
