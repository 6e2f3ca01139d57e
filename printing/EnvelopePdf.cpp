#include "printing/EnvelopePdf.h"

#include "platform/Errors.h"
#include "platform/SaveFile.h"
#include "platform/SheetPdf.h"
#include "templates/EnvelopePlacement.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPointF>
#include <QSizeF>

namespace EnvelopePdf {
namespace {

QPageSize pageSize(PdfPaper paper) {
    return QPageSize(paper == PdfPaper::Letter ? QPageSize::Letter : QPageSize::A4);
}

} // namespace

PdfPaper paperFor(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? PdfPaper::Letter : PdfPaper::A4;
}

std::optional<PdfPaper> paperNamed(const QString& name) {
    if (name.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0)
        return PdfPaper::A4;
    if (name.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0)
        return PdfPaper::Letter;
    return std::nullopt;
}

QPointF originMm(PdfPaper paper) {
    const QSizeF landscapeMm = pageSize(paper).size(QPageSize::Millimeter).transposed();
    const auto shift = EnvelopePlacement::shiftFor(landscapeMm.width() - 2 * PrintableInsetMm,
                                                   landscapeMm.height() - 2 * PrintableInsetMm);
    // Both papers hold the drawing; a smaller one would have to be refused, not cut.
    if (!shift)
        throw Exception(
            QCoreApplication::translate("EnvelopePdf", "Конверт не помещается на бумаге").toStdString());
    return {PrintableInsetMm + shift->x, PrintableInsetMm + shift->y};
}

QByteArray make(EnvelopeTemplate index, PdfPaper paper) {
    const SheetPdf::Sheet sheet{pageSize(paper), originMm(paper), PatternDpi,
                                templateCaptions().value(index)};
    return SheetPdf::draw(sheet, [index](DrawingSurface& surface, double unitsPerMm) {
        paintTemplate(index, surface, unitsPerMm, unitsPerMm);
    });
}

void save(const QString& path, EnvelopeTemplate index, PdfPaper paper) {
    saveFileWhole(path, make(index, paper));
}

} // namespace EnvelopePdf
