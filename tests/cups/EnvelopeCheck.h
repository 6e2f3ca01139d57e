#pragma once

// The solid envelope measured on what a queue printed: its lines where the pixel rule puts them, each as wide
// as drawn, the flaps on the right panel, the body 250 x 126 mm.
#include "SheetView.h"
#include "platform/DeviceCaps.h"
#include "platform/PrintSystem.h"
#include "printing/LineWidth.h"
#include "templates/Painters.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

struct EnvelopeExpectation {
    DeviceCaps caps;   // of the landscape page it was drawn on
    int acrossDpi = 0; // of the landscape page
    int downDpi = 0;
    int shiftX = 0; // device pixels the drawing was moved by
    int shiftY = 0;
    int lineWidth = 1;     // of a line running down the page
    int lineThickness = 1; // of a line running across it
    // Pixels a renderer may ink beyond a line's own on its far side: one for a rasteriser that inks every
    // pixel a mark touches, edges included.
    int spread = 0;
};

// The envelope as a printer's settings lay it out: their page, resolutions and line widths, not moved.
inline EnvelopeExpectation expectationFor(const DocumentSettings& s) {
    EnvelopeExpectation e;
    e.caps = deviceCapsFor(s);
    e.acrossDpi = horizontalDpi(s);
    e.downDpi = verticalDpi(s);
    e.lineWidth = linePixels(e.acrossDpi);
    e.lineThickness = linePixels(e.downDpi);
    return e;
}

// scan(column, at) gives a picture that holds page column `at` (or row) whole.
inline void expectSolidEnvelope(const std::function<SheetView::Page(bool column, int at)>& scan,
                                const EnvelopeExpectation& e) {
    const double sx = static_cast<double>(e.caps.horzRes) / e.caps.horzSize;
    const double sy = static_cast<double>(e.caps.vertRes) / e.caps.vertSize;
    const auto x = [&](int mm) { return mmToPixel(sx, mm) + e.shiftX; };
    const auto y = [&](int mm) { return mmToPixel(sy, mm) + e.shiftY; };
    const auto near = [&e](const std::vector<std::pair<int, int>>& got, const std::vector<int>& at, int width,
                           const char* where) {
        SCOPED_TRACE(where);
        ASSERT_EQ(got.size(), at.size());
        for (std::size_t i = 0; i < at.size(); ++i) {
            EXPECT_NEAR(got[i].first, at[i], 1) << "line " << i;
            EXPECT_GE(got[i].second, width) << "line " << i;
            EXPECT_LE(got[i].second, width + e.spread) << "line " << i;
        }
    };
    // A band of 40 pixels beyond the printable area on either side: ink there is ink out of place.
    const int middle = y(105);
    const auto across = scan(false, middle).inkAlong(false, middle, -40, e.caps.horzRes + 40);
    near(across, {x(20), x(145), x(270)}, e.lineWidth, "across the body's middle");
    const auto right = scan(true, x(200)).inkAlong(true, x(200), -40, e.caps.vertRes + 40);
    near(right, {y(32), y(42), y(168), y(178)}, e.lineThickness, "down the right panel and its flaps");
    const auto left = scan(true, x(80)).inkAlong(true, x(80), -40, e.caps.vertRes + 40);
    near(left, {y(42), y(168)}, e.lineThickness, "down the left panel: no flaps");
    if (across.size() != 3 || right.size() != 4)
        return;
    // The body at true scale, within what sizes in whole millimetres allow and a pixel either side.
    const double width = (across[2].first - across[0].first) * 25.4 / e.acrossDpi;
    const double height = (right[2].first - right[1].first) * 25.4 / e.downDpi;
    EXPECT_NEAR(width, 250, 250 * 0.5 / e.caps.horzSize + 25.4 / e.acrossDpi);
    EXPECT_NEAR(height, 126, 126 * 0.5 / e.caps.vertSize + 25.4 / e.downDpi);
    EXPECT_NEAR(across[2].first - across[0].first, x(270) - x(20), 1);
    EXPECT_NEAR(right[2].first - right[1].first, y(168) - y(42), 1);
}
