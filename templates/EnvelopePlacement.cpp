#include "templates/EnvelopePlacement.h"

#include "templates/Painters.h"

#include <algorithm>

namespace EnvelopePlacement {

std::optional<Shift> shiftFor(double printableWidthMm, double printableHeightMm, const Reach& reach) {
    if (!(printableWidthMm >= reach.width()) || !(printableHeightMm >= reach.height()))
        return std::nullopt;
    return Shift{std::min(0.0, printableWidthMm - reach.right),
                 std::min(0.0, printableHeightMm - reach.bottom)};
}

namespace {
// Shift along one axis, or nothing when the reach doesn't fit at all.
std::optional<int> pixelShift(int size, double scale, int reachFrom, int reachTo, int line) {
    const long long first = mmToPixel(scale, reachFrom);
    const long long last = static_cast<long long>(mmToPixel(scale, reachTo)) + line - 1;
    const long long shift = std::min(0LL, size - 1 - last);
    if (first + shift < 0)
        return std::nullopt;
    return static_cast<int>(shift);
}
} // namespace

std::optional<PixelShift> pixelShiftFor(int width, int height, double scaleX, double scaleY, int lineWidth,
                                        int lineHeight, const Reach& reach) {
    const std::optional<int> x = pixelShift(width, scaleX, reach.left, reach.right, lineWidth);
    const std::optional<int> y = pixelShift(height, scaleY, reach.top, reach.bottom, lineHeight);
    if (!x || !y)
        return std::nullopt;
    return PixelShift{*x, *y};
}

} // namespace EnvelopePlacement
