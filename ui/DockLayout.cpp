#include "ui/DockLayout.h"

#include <algorithm>

namespace {

QRect withMargin(int left, int top, int width, int height, int margin) {
    return QRect(left + margin, top + margin, std::max(0, width - 2 * margin),
                 std::max(0, height - 2 * margin));
}

} // namespace

std::vector<QRect> dockRects(QSize area, const std::vector<DockRule>& rules) {
    std::vector<QRect> rects(rules.size());
    int left = 0;
    int top = 0;
    int right = area.width();
    int bottom = area.height();

    for (std::size_t i = 0; i < rules.size(); ++i) {
        const DockRule& r = rules[i];
        if (r.dock != Dock::Top)
            continue;
        const int outer = r.extent + 2 * r.margin;
        rects[i] = withMargin(left, top, right - left, outer, r.margin);
        top += outer;
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const DockRule& r = rules[i];
        if (r.dock != Dock::Bottom)
            continue;
        const int outer = r.extent + 2 * r.margin;
        bottom -= outer;
        rects[i] = withMargin(left, bottom, right - left, outer, r.margin);
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const DockRule& r = rules[i];
        if (r.dock != Dock::Right)
            continue;
        const int outer = r.extent + 2 * r.margin;
        right -= outer;
        rects[i] = withMargin(right, top, outer, bottom - top, r.margin);
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const DockRule& r = rules[i];
        if (r.dock == Dock::Fill)
            rects[i] = withMargin(left, top, right - left, bottom - top, r.margin);
    }
    return rects;
}
