#pragma once

#include <QRect>
#include <QSize>

#include <vector>

// Where a control sits in its parent: stacked from the top or the bottom edge, against the right edge, or
// filling what the others leave.
enum class Dock { Top, Bottom, Right, Fill };

struct DockRule {
    Dock dock = Dock::Fill;
    int extent = 0; // height for Top and Bottom, width for Right; unused for Fill
    int margin = 0; // the same on every side
};

// The rectangles of the controls, in the order of the rules. Tops are stacked first, then bottoms, then right
// edges, each in rule order; the fill controls take what remains. A rectangle never gets a negative size.
std::vector<QRect> dockRects(QSize area, const std::vector<DockRule>& rules);
