#pragma once

#include "platform/DrawingSurface.h"

#include <cstdint>

// The three envelope painters. Each sets the surface's fill and pen, then draws the envelope with every
// millimetre turned into pixels by the pixel rule, x with scaleX and y with scaleY.
void paintSolid(DrawingSurface& surface, double scaleX, double scaleY);
void paintCenterDash(DrawingSurface& surface, double scaleX, double scaleY);
void paintDotted(DrawingSurface& surface, double scaleX, double scaleY);

// The pixel rule: scale times millimetres, formed exactly, rounded to nearest with ties to even.
std::int32_t mmToPixel(double scale, int mm);
