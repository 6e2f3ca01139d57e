#pragma once

#include "platform/DrawingSurface.h"

#include <QByteArray>
#include <QPageSize>
#include <QPointF>
#include <QString>

#include <functional>

// One landscape sheet of PDF drawn in vector lines: the painter draws on a surface of UnitsPerInch units per
// inch whose origin lies originMm from the sheet's top-left corner, and every line it draws becomes a stroke
// 0.1 mm wide, with dashes and dots as long as a printer of patternDpi dots per inch prints them. Nothing
// is rasterised and no font is embedded. The file asks viewers to print it at its actual size: it is made
// to be printed elsewhere, and any fitting would make the envelope the wrong size.
namespace SheetPdf {

inline constexpr int UnitsPerInch = 2400;
inline constexpr double LineWidthMm = 0.1;

struct Sheet {
    QPageSize paper;  // named portrait, laid out landscape
    QPointF originMm; // from the landscape sheet's top-left corner
    int patternDpi = 600;
    QString title; // what a viewer shows as the document's name
};

using Painter = std::function<void(DrawingSurface& surface, double unitsPerMm)>;

QByteArray draw(const Sheet& sheet, const Painter& paint);

} // namespace SheetPdf
