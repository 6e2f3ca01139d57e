#pragma once

#include "platform/PageRecorder.h"
#include "platform/PrintSystem.h"

#include <QByteArray>

#include <vector>

// Where a printer page lies on its sheet: the sheet, the page's orientation on it, the corner of the
// printable area and the device resolution, all in the page's own orientation except the sheet.
struct PageGeometry {
    int paperWidth = 0; // the portrait sheet, in hundredths of a millimetre
    int paperLength = 0;
    bool landscape = false;
    int printableLeft = 0; // from the page's left edge, in hundredths of a millimetre
    int printableTop = 0;
    int xDpi = 0; // across the page
    int yDpi = 0; // down the page
};

PageGeometry pageGeometryFor(const DocumentSettings& settings);

// One page of PDF, the portrait sheet, with the marks filled in drawing order: one PDF unit is one device
// pixel on each axis, counted from the printable corner. A landscape page is turned onto the sheet a quarter
// turn anticlockwise (its left margin is the sheet's bottom one), so no print system needs to turn it. The
// corner is moved inwards onto the sheet's pixel grid, by less than a pixel; the grid runs from the sheet's
// left and bottom edges, the PDF origin. The page is the sheet's exact size, not rounded to whole points, so
// that no print system moves it by a fraction to centre it. A straight run is a
// rectangle of its pixels; a slanted run a band one pixel high through its pixels' centres, which a
// renderer sampling pixel centres fills at exactly those pixels, and which costs the same at any length.
QByteArray pagePdf(const PageGeometry& geometry, const std::vector<PageMark>& marks);
