#include "EnvelopePlacement.h"

#include <algorithm>

namespace EnvelopePlacement {

std::optional<Shift> shiftFor(double printableWidthMm, double printableHeightMm) {
    if (!(printableWidthMm >= NeededWidth) || !(printableHeightMm >= NeededHeight))
        return std::nullopt;
    return Shift{std::min(0.0, printableWidthMm - ReachRight),
                 std::min(0.0, printableHeightMm - ReachBottom)};
}

} // namespace EnvelopePlacement
