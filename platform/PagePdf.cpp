#include "platform/PagePdf.h"

#include "platform/DeviceCaps.h"

#include <QBuffer>
#include <QColor>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPoint>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QSize>
#include <QTransform>
#include <QVector>

#include <algorithm>

namespace {
// The writer's own unit; the painter's transform makes every drawn unit one device pixel whatever this is.
constexpr int WriterDpi = 72;

bool straight(const PageMark& m) {
    return m.run.dx == 0 || m.run.dy == 0 || m.run.count == 1;
}

// The pixels a mark covers, or for a slanted run the box around them.
QRect rectOf(const PageMark& m) {
    const PixelRun& r = m.run;
    const int lastX = r.x + r.dx * (r.count - 1);
    const int lastY = r.y + r.dy * (r.count - 1);
    const int left = std::min(r.x, lastX);
    const int top = std::min(r.y, lastY);
    return QRect(left, top, std::max(r.x, lastX) - left + 1, std::max(r.y, lastY) - top + m.rows);
}

// From half a step before the first pixel's centre to half a step after the last one's, half a pixel above
// and below.
QPolygonF bandOf(const PixelRun& r) {
    const double x0 = r.x + 0.5 - 0.5 * r.dx;
    const double y0 = r.y + 0.5 - 0.5 * r.dy;
    const double x1 = r.x + 0.5 + r.dx * (r.count - 0.5);
    const double y1 = r.y + 0.5 + r.dy * (r.count - 0.5);
    return QPolygonF(
        {QPointF(x0, y0 - 0.5), QPointF(x1, y1 - 0.5), QPointF(x1, y1 + 0.5), QPointF(x0, y0 + 0.5)});
}

// Marks of one colour in a row go out as one fill; the order of colours is kept, since a gap may whiten a
// pixel an earlier line made black.
class Batch {
public:
    explicit Batch(QPainter& painter) : painter_(painter) { bands_.setFillRule(Qt::WindingFill); }

    void add(const PageMark& m) {
        if (m.run.count <= 0 || m.rows <= 0)
            return;
        if (m.run.color != color_)
            flush();
        color_ = m.run.color;
        if (straight(m))
            rects_.append(rectOf(m));
        else
            bands_.addPolygon(bandOf(m.run));
    }

    void flush() {
        if (rects_.isEmpty() && bands_.isEmpty())
            return;
        painter_.setBrush(QColor::fromRgb(color_));
        if (!rects_.isEmpty())
            painter_.drawRects(rects_);
        if (!bands_.isEmpty())
            painter_.drawPath(bands_);
        rects_.clear();
        bands_ = QPainterPath();
        bands_.setFillRule(Qt::WindingFill);
    }

private:
    QPainter& painter_;
    TColor color_ = clBlack;
    QVector<QRect> rects_;
    QPainterPath bands_;
};
// White on the blank page shows only where it covers something drawn before it, such as the gap of a
// dotted line crossing a corner. Leaving the rest out keeps a dotted line from turning into a change of
// colour at every dot.
std::vector<bool> visibleMarks(const std::vector<PageMark>& marks) {
    std::vector<QRect> inked;
    std::vector<bool> shown(marks.size(), true);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const QRect box = rectOf(marks[i]);
        if (marks[i].run.color != clWhite) {
            inked.push_back(box);
            continue;
        }
        shown[i] = std::any_of(inked.begin(), inked.end(), [&](const QRect& r) { return r.intersects(box); });
    }
    return shown;
}
QByteArray mediaBox(double width, double height) {
    return QByteArray("/MediaBox [0 0 ") + QByteArray::number(width, 'f', 6) + ' ' +
           QByteArray::number(height, 'f', 6) + ']';
}

// The writer gives the sheet in whole points, which the print system's filters then centre on the real
// sheet, a fraction of a pixel off its grid. The exact size can take its place when it is written in as
// many characters, so that nothing else in the file moves.
bool exactSheetFits(QSize written, const PageGeometry& g) {
    return mediaBox(written.width(), written.height()).size() ==
           mediaBox(g.paperWidth * 72 / 2540.0, g.paperLength * 72 / 2540.0).size();
}

void writeExactSheet(QByteArray& pdf, QSize written, const PageGeometry& g) {
    const QByteArray rounded = mediaBox(written.width(), written.height());
    if (exactSheetFits(written, g) && pdf.count(rounded) == 1)
        pdf.replace(rounded, mediaBox(g.paperWidth * 72 / 2540.0, g.paperLength * 72 / 2540.0));
}

// The printable corner in sheet pixels, across from the sheet's left edge and up from its bottom edge: on
// the sheet's pixel grid, which renderers lay from the PDF origin there, so that every mark covers whole
// device pixels; the first grid line inside the printable area.
QPoint sheetCorner(const PageGeometry& g) {
    const auto inward = [](int hundredthsMm, int dpi) {
        return static_cast<int>((static_cast<long long>(hundredthsMm) * dpi + 2539) / 2540);
    };
    const auto outward = [](int hundredthsMm, int dpi) {
        return static_cast<int>(static_cast<long long>(hundredthsMm) * dpi / 2540);
    };
    if (!g.landscape)
        return {inward(g.printableLeft, g.xDpi), outward(g.paperLength - g.printableTop, g.yDpi)};
    // The page's left edge lies along the sheet's bottom, its top along the sheet's left: the page's
    // across resolution runs up the sheet.
    return {inward(g.printableTop, g.yDpi), inward(g.printableLeft, g.xDpi)};
}

} // namespace

PageGeometry pageGeometryFor(const DocumentSettings& s) {
    return {s.paperWidth,     s.paperLength,   s.orientation == PageOrientation::Landscape,
            printableLeft(s), printableTop(s), horizontalDpi(s),
            verticalDpi(s)};
}

QByteArray pagePdf(const PageGeometry& g, const std::vector<PageMark>& marks) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSize points;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(WriterDpi);
        // Always the portrait sheet: how a print system or driver would turn a landscape page varies, so the
        // program turns it itself.
        const QPageSize sheet(QSizeF(g.paperWidth / 100.0, g.paperLength / 100.0), QPageSize::Millimeter,
                              QString(), QPageSize::FuzzyMatch);
        writer.setPageLayout(QPageLayout(sheet, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));

        QPainter painter(&writer);
        painter.setPen(Qt::NoPen);
        // Sheet pixels: x across the sheet at its across resolution, y down it at its down resolution.
        const int sheetXDpi = std::max(g.landscape ? g.yDpi : g.xDpi, 1);
        const int sheetYDpi = std::max(g.landscape ? g.xDpi : g.yDpi, 1);
        points = writer.pageLayout().fullRectPoints().size();
        // The painter counts down from the top of the sheet as written, whatever height it then gets.
        const QPoint corner = sheetCorner(g);
        painter.scale(static_cast<double>(WriterDpi) / sheetXDpi, static_cast<double>(WriterDpi) / sheetYDpi);
        painter.translate(
            QPointF(corner.x(), static_cast<double>(points.height()) * sheetYDpi / 72.0 - corner.y()));
        // A quarter turn anticlockwise: page pixel (x, y) becomes sheet pixel (y, -1 - x) from the corner.
        if (g.landscape)
            painter.setTransform(QTransform(0, -1, 1, 0, 0, 0) * painter.transform());
        Batch batch(painter);
        const std::vector<bool> shown = visibleMarks(marks);
        for (std::size_t i = 0; i < marks.size(); ++i)
            if (shown[i])
                batch.add(marks[i]);
        batch.flush();
    }
    buffer.close();
    writeExactSheet(bytes, points, g);
    return bytes;
}
