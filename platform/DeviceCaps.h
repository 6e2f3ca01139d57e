#pragma once

#include "platform/PrintSystem.h"

// The printable area of a sheet in the settings' orientation: the driver's margins kept on the sheet, and
// none at all where they cross. A landscape page is the portrait sheet turned a quarter turn anticlockwise:
// its left margin is the sheet's bottom margin, its top margin the sheet's left margin, and its across
// resolution the sheet's down resolution.
DeviceCaps deviceCapsFor(const DocumentSettings& settings);

// Size of the printable area in the settings' orientation, in hundredths of a millimetre.
int printableWidth(const DocumentSettings& settings);
int printableHeight(const DocumentSettings& settings);

// Resolution across and down the page in the settings' orientation, in dots per inch.
int horizontalDpi(const DocumentSettings& settings);
int verticalDpi(const DocumentSettings& settings);

// Offset of the printable area's corner from the corner of the page in the settings' orientation, in
// hundredths of a millimetre.
int printableLeft(const DocumentSettings& settings);
int printableTop(const DocumentSettings& settings);

// The finest resolution a page is laid out at, on either axis. The finest printers list 9600 dpi; beyond,
// a page's lines, each a 600th of an inch wide, grow into more pixel runs than a job should carry.
inline constexpr int MaxResolution = 10000;

// Whether a page can be laid out for the settings: from 1 to MaxResolution dots per inch on each axis, and
// a sheet whose pixels an int counts.
bool pageWithinLimits(const DocumentSettings& settings);
