#pragma once

#include "platform/DrawingSurface.h"
#include "templates/EnvelopePlacement.h"

#include <QStringList>

// The calibration sheet: a line 200 mm long along the envelope's long side and one 150 mm long along its
// short side, each with a tick every 10 mm, and a few lines of text beside them. Millimetres from the
// surface's origin, as the envelope's.
namespace CalibrationSheet {

inline constexpr int LongLineLeft = 50;
inline constexpr int LongLineRight = 250;
inline constexpr int LongLineY = 45;
inline constexpr int ShortLineX = 25;
inline constexpr int ShortLineTop = 35;
inline constexpr int ShortLineBottom = 185;
inline constexpr int TickLength = 3;

// What the sheet covers, the text included, for the placement rule the envelope goes by.
inline constexpr EnvelopePlacement::Reach Reach{ShortLineX, ShortLineTop, EnvelopePlacement::ReachRight,
                                                ShortLineBottom};

// Draws the sheet in black, text lines in order below the long line.
void paint(DrawingSurface& surface, double scaleX, double scaleY, const QStringList& text);

} // namespace CalibrationSheet
