#pragma once

#include "PageRecorder.h"
#include "PrintSystem.h"

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

// One page of PDF the size of the sheet in the page's orientation, with each rectangle filled at its device
// pixels: one PDF unit is one device pixel on each axis, counted from the printable corner.
QByteArray pagePdf(const PageGeometry& geometry, const std::vector<PageRect>& rects);
