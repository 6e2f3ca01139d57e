#include "printing/LineWidth.h"

#include <algorithm>
#include <cmath>

int linePixels(int dpi) {
    return std::max(1, static_cast<int>(std::lround(dpi / 600.0)));
}
