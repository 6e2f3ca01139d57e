#include "printing/WideLineSink.h"

#include <algorithm>
#include <utility>

namespace {
// The steps i of c0 + d * i, 0 <= i < count, that stay within [0, size): first and one past the last.
std::pair<int, int> within(int c0, int d, int count, int size) {
    if (d == 0)
        return c0 >= 0 && c0 < size ? std::pair{0, count} : std::pair{0, 0};
    const int first = d > 0 ? std::max(0, -c0) : std::max(0, c0 - (size - 1));
    const int end = d > 0 ? std::min(count, size - c0) : std::min(count, c0 + 1);
    return {first, std::max(first, end)};
}
} // namespace

void WideLineSink::setWidths(int across, int down) {
    across_ = std::max(1, across);
    down_ = std::max(1, down);
}

void WideLineSink::fill(int left, int top, int right, int bottom, TColor color) {
    page_->fill(left, top, right, bottom, color);
}

void WideLineSink::run(const PixelRun& r) {
    page_->run(r);
    // Copies of the run moved down or right, each cut to the page.
    const int wide = runningAcross_ ? down_ : across_;
    for (int k = 1; k < wide; ++k) {
        const auto [first, end] = runningAcross_ ? within(r.y + k, r.dy, r.count, height())
                                                 : within(r.x + k, r.dx, r.count, width());
        if (first >= end)
            continue;
        PixelRun copy = r;
        copy.x = r.x + r.dx * first + (runningAcross_ ? 0 : k);
        copy.y = r.y + r.dy * first + (runningAcross_ ? k : 0);
        copy.count = end - first;
        page_->run(copy);
    }
}
