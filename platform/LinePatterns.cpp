#include "platform/LinePatterns.h"

#include <algorithm>
#include <cmath>

namespace {
int scaled(int screenPixels, int dpi) {
    return std::max(1, static_cast<int>(std::lround(screenPixels * static_cast<double>(dpi) / 96.0)));
}
} // namespace

LinePatterns LinePatterns::forResolution(int dpi) {
    const LinePatterns s = screen();
    return {scaled(s.dash, dpi), scaled(s.dashGap, dpi), scaled(s.dot, dpi), scaled(s.dotGap, dpi)};
}
