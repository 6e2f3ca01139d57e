#include "DeviceCaps.h"

#include <cmath>

namespace {
bool landscape(const DocumentSettings& s) {
    return s.orientation == PageOrientation::Landscape;
}

// Whole device pixels that fit in a length of hundredths of a millimetre.
int pixels(int hundredthsMm, int dpi) {
    if (hundredthsMm <= 0 || dpi <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(hundredthsMm) * dpi / 2540);
}

int wholeMm(int hundredthsMm) {
    return hundredthsMm <= 0 ? 0 : static_cast<int>(std::lround(hundredthsMm / 100.0));
}
} // namespace

int printableWidth(const DocumentSettings& s) {
    return landscape(s) ? s.paperLength - s.marginTop - s.marginBottom
                        : s.paperWidth - s.marginLeft - s.marginRight;
}

int printableHeight(const DocumentSettings& s) {
    return landscape(s) ? s.paperWidth - s.marginLeft - s.marginRight
                        : s.paperLength - s.marginTop - s.marginBottom;
}

int horizontalDpi(const DocumentSettings& s) {
    return landscape(s) ? s.yResolution : s.xResolution;
}
int verticalDpi(const DocumentSettings& s) {
    return landscape(s) ? s.xResolution : s.yResolution;
}

int printableLeft(const DocumentSettings& s) {
    return landscape(s) ? s.marginBottom : s.marginLeft;
}
int printableTop(const DocumentSettings& s) {
    return landscape(s) ? s.marginLeft : s.marginTop;
}

DeviceCaps deviceCapsFor(const DocumentSettings& s) {
    const int w = printableWidth(s);
    const int h = printableHeight(s);
    return {pixels(w, horizontalDpi(s)), pixels(h, verticalDpi(s)), wholeMm(w), wholeMm(h)};
}
