#pragma once

#include "platform/DrawingSurface.h"

#include <QString>

// Text for a page the rasteriser draws, which knows only lines and fills: the toolkit's font engine turns the
// text into pixels at the surface's own resolution, and their rows reach the surface as fills with its brush,
// so text takes the one drawing path everything else takes. Needs the toolkit's fonts (a GUI application).
namespace TextRaster {

// One line of text with its top-left corner at (x, y): letters heightMm high (the font's ascent and descent),
// at pixelsPerMmX across and pixelsPerMmY down. Returns the width drawn, in pixels.
int drawLine(DrawingSurface& surface, int x, int y, const QString& text, double heightMm, double pixelsPerMmX,
             double pixelsPerMmY);

} // namespace TextRaster
