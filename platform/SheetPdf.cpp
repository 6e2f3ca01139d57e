#include "platform/SheetPdf.h"

#include "platform/LinePatterns.h"
#include "platform/PdfCatalogUpdate.h"
#include "platform/RasterSurface.h"
#include "platform/StrokeSink.h"

#include <QBuffer>
#include <QColor>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace SheetPdf {
namespace {

constexpr double MmPerInch = 25.4;

// The printer's dashes and dots in surface units; exact, as the unit divides every usual printer dot.
LinePatterns patternsFor(int dpi) {
    const LinePatterns p = LinePatterns::forResolution(dpi);
    const double k = static_cast<double>(UnitsPerInch) / dpi;
    auto units = [k](int dots) { return std::max(1, static_cast<int>(std::lround(dots * k))); };
    return {units(p.dash), units(p.dashGap), units(p.dot), units(p.dotGap)};
}

} // namespace

QByteArray draw(const Sheet& sheet, const Painter& paint) {
    const double unitsPerMm = UnitsPerInch / MmPerInch;
    const QSizeF landscapeMm = sheet.paper.size(QPageSize::Millimeter).transposed();
    // Lines are kept to the sheet; the surface counts from the origin.
    const double lineWidth = LineWidthMm * unitsPerMm;
    StrokeSink strokes(
        static_cast<int>(std::floor((landscapeMm.width() - sheet.originMm.x()) * unitsPerMm)),
        static_cast<int>(std::floor((landscapeMm.height() - sheet.originMm.y()) * unitsPerMm)));
    RasterSurface surface(&strokes, patternsFor(sheet.patternDpi));
    paint(surface, unitsPerMm);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(sheet.title);
        writer.setResolution(UnitsPerInch);
        writer.setPageLayout(QPageLayout(sheet.paper, QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        painter.translate(sheet.originMm * unitsPerMm);
        for (const StrokeSink::Item& item : strokes.items()) {
            const QColor color = QColor::fromRgb(item.color);
            if (item.filled) {
                painter.fillPath(item.path, color);
                continue;
            }
            painter.strokePath(item.path, QPen(color, lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        }
    }
    return withCatalogEntry(bytes, "/ViewerPreferences << /PrintScaling /None >>");
}

} // namespace SheetPdf
