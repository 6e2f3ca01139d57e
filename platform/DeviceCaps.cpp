#include "platform/DeviceCaps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
bool landscape(const DocumentSettings& s) {
    return s.orientation == PageOrientation::Landscape;
}

// Whole device pixels that fit in a length of hundredths of a millimetre, as many as an int holds at most.
int pixels(int hundredthsMm, int dpi) {
    if (hundredthsMm <= 0 || dpi <= 0)
        return 0;
    return static_cast<int>(std::min<long long>(static_cast<long long>(hundredthsMm) * dpi / 2540,
                                                std::numeric_limits<int>::max()));
}

int wholeMm(int hundredthsMm) {
    return hundredthsMm <= 0 ? 0 : static_cast<int>(std::lround(hundredthsMm / 100.0));
}

// A driver's margin kept on the sheet: none below nothing, none beyond the side it lies along.
int onSheet(int margin, int side) {
    return std::clamp(margin, 0, std::max(side, 0));
}

// What the two margins of a side leave printable; nothing where they cross.
int between(int side, int before, int after) {
    return std::max(0, side - onSheet(before, side) - onSheet(after, side));
}
} // namespace

int printableWidth(const DocumentSettings& s) {
    return landscape(s) ? between(s.paperLength, s.marginTop, s.marginBottom)
                        : between(s.paperWidth, s.marginLeft, s.marginRight);
}

int printableHeight(const DocumentSettings& s) {
    return landscape(s) ? between(s.paperWidth, s.marginLeft, s.marginRight)
                        : between(s.paperLength, s.marginTop, s.marginBottom);
}

int horizontalDpi(const DocumentSettings& s) {
    return landscape(s) ? s.yResolution : s.xResolution;
}
int verticalDpi(const DocumentSettings& s) {
    return landscape(s) ? s.xResolution : s.yResolution;
}

int printableLeft(const DocumentSettings& s) {
    return landscape(s) ? onSheet(s.marginBottom, s.paperLength) : onSheet(s.marginLeft, s.paperWidth);
}
int printableTop(const DocumentSettings& s) {
    return landscape(s) ? onSheet(s.marginLeft, s.paperWidth) : onSheet(s.marginTop, s.paperLength);
}

bool pageWithinLimits(const DocumentSettings& s) {
    const auto fits = [](int side, int dpi) {
        return dpi >= 1 && dpi <= MaxResolution &&
               static_cast<long long>(std::max(side, 0)) * dpi / 2540 <= std::numeric_limits<int>::max();
    };
    return fits(s.paperWidth, s.xResolution) && fits(s.paperLength, s.yResolution);
}

DeviceCaps deviceCapsFor(const DocumentSettings& s) {
    const int w = printableWidth(s);
    const int h = printableHeight(s);
    return {pixels(w, horizontalDpi(s)), pixels(h, verticalDpi(s)), wholeMm(w), wholeMm(h)};
}
