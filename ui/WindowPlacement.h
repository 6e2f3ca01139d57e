#pragma once

class QSize;
class QWidget;

// Sets a top-level window's client size and its place on its screen's free area: centred where it fits;
// otherwise no larger than the free area, its top-left corner, with the title bar and the menu, at the free
// area's edge, and still centred in the direction it fits.
void placeOnScreen(QWidget& window, const QSize& clientSize);
