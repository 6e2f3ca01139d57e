#include "PageRecorder.h"

#include <algorithm>

void PageRecorder::run(const PixelRun& r) {
    if (r.count <= 0)
        return;
    if (r.dx == 0 || r.dy == 0) {
        const int lastX = r.x + r.dx * (r.count - 1);
        const int lastY = r.y + r.dy * (r.count - 1);
        rects_.push_back({std::min(r.x, lastX), std::min(r.y, lastY), std::max(r.x, lastX) + 1,
                          std::max(r.y, lastY) + 1, r.color});
        return;
    }
    for (int i = 0; i < r.count; ++i) {
        const int x = r.x + r.dx * i;
        const int y = r.y + r.dy * i;
        rects_.push_back({x, y, x + 1, y + 1, r.color});
    }
}

void PageRecorder::fill(int left, int top, int right, int bottom, TColor color) {
    rects_.push_back({left, top, right, bottom, color});
}
