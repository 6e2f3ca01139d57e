// Lines a person can cut along: above 600 dpi every line is 1/600 inch wide on its axis, the added pixels
// right of and below the ones the pixel rule gives, cut at the page's edges.
#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "platform/DeviceCaps.h"
#include "printing/LineWidth.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "printing/WideLineSink.h"
#include "templates/Painters.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;

class PixelPage : public RunSink {
public:
    int width() const override { return 40; }
    int height() const override { return 30; }
    void run(const PixelRun& r) override {
        for (int i = 0; i < r.count; ++i) {
            const int x = r.x + r.dx * i;
            const int y = r.y + r.dy * i;
            EXPECT_TRUE(x >= 0 && y >= 0 && x < width() && y < height())
                << "off the page at " << x << "," << y;
            black.insert({x, y});
        }
    }
    void fill(int, int, int, int, TColor) override { ADD_FAILURE() << "a run became a fill"; }
    Pixels black;
};

TEST(WideLineSink, EachPixelGrowsRightOrDownToTheWidthAndStopsAtTheEdge) {
    const PixelRun runs[] = {
        {5, 5, 1, 0, 10, clBlack},   // across
        {20, 3, 0, 1, 12, clBlack},  // down
        {30, 2, -1, 1, 9, clBlack},  // slanted, down to the left
        {2, 20, 1, -1, 8, clBlack},  // slanted, up to the right
        {7, 7, 1, 0, 1, clBlack},    // one pixel
        {10, 28, 1, 1, 2, clBlack},  // slanted onto the bottom edge
        {37, 10, 1, -1, 3, clBlack}, // slanted onto the right edge
        {0, 29, 1, 0, 40, clBlack},  // the bottom row
    };
    for (const bool across : {true, false}) {
        for (const int wide : {1, 2, 4}) {
            for (const PixelRun& r : runs) {
                SCOPED_TRACE(testing::Message()
                             << (across ? "across" : "down") << ", " << wide << " wide, run at " << r.x << ","
                             << r.y << " step " << r.dx << "," << r.dy);
                PixelPage page;
                WideLineSink sink;
                sink.attach(&page);
                sink.setWidths(wide, wide);
                sink.setRunningAcross(across);
                sink.run(r);
                Pixels want;
                for (int i = 0; i < r.count; ++i)
                    for (int k = 0; k < wide; ++k) {
                        const int x = r.x + r.dx * i + (across ? 0 : k);
                        const int y = r.y + r.dy * i + (across ? k : 0);
                        if (x < page.width() && y < page.height())
                            want.insert({x, y});
                    }
                EXPECT_EQ(page.black, want);
            }
        }
    }
}

TEST(WideLineSink, OnePixelIn600thOfAnInch) {
    const std::pair<int, int> widths[] = {{72, 1},   {300, 1},  {600, 1}, {720, 1},
                                          {1200, 2}, {2400, 4}, {4800, 8}};
    for (const auto& [dpi, pixels] : widths)
        EXPECT_EQ(linePixels(dpi), pixels) << dpi << " dpi";
}

// Black pixels along one row or column of the printed page, as consecutive stretches: start and length.
std::vector<std::pair<int, int>> stretches(const std::vector<PixelRun>& runs, bool column, int at, int from,
                                           int to) {
    std::set<int> black;
    for (const PixelRun& r : runs)
        for (int i = 0; i < r.count; ++i) {
            const int x = r.x + r.dx * i;
            const int y = r.y + r.dy * i;
            const int along = column ? y : x;
            if ((column ? x : y) == at && along >= from && along < to) {
                if (r.color == clBlack)
                    black.insert(along);
                else
                    black.erase(along);
            }
        }
    std::vector<std::pair<int, int>> out;
    for (int p : black) {
        if (!out.empty() && out.back().first + out.back().second == p)
            ++out.back().second;
        else
            out.push_back({p, 1});
    }
    return out;
}

TEST(WideLines, EveryEnvelopeLineIsA600thOfAnInchWideOnItsAxis) {
    // Resolutions across and down the portrait sheet; the landscape page swaps them.
    const std::pair<int, int> sheets[] = {{300, 300}, {600, 600}, {1200, 1200}, {2400, 2400}, {1200, 2400}};
    for (const auto& [xDpi, yDpi] : sheets) {
        SCOPED_TRACE(testing::Message() << xDpi << "x" << yDpi << " dpi");
        FakePrintSystem fake;
        FakePrintSystem::Printer p;
        p.name = "P";
        p.settings = FakePrintSystem::a4(xDpi, yDpi);
        fake.printerList = {p};
        fake.defaultAnswer = DefaultPrinterAnswer::named("P");
        TPrinter tp(std::make_unique<BorrowedPrintSystem>(fake));
        printEnvelope(tp, [] { return 0; });
        const FakePrintSystem::Document& doc = fake.documents.back();
        const double sx = static_cast<double>(doc.caps.horzRes) / doc.caps.horzSize;
        const double sy = static_cast<double>(doc.caps.vertRes) / doc.caps.vertSize;
        const int wide = linePixels(yDpi);  // of a line running down the landscape page
        const int thick = linePixels(xDpi); // of one running across it

        using S = std::vector<std::pair<int, int>>;
        const int middle = mmToPixel(sy, 105);
        EXPECT_EQ(stretches(doc.runs, false, middle, 0, doc.caps.horzRes),
                  (S{{mmToPixel(sx, 20), wide}, {mmToPixel(sx, 145), wide}, {mmToPixel(sx, 270), wide}}))
            << "across the body's middle";
        EXPECT_EQ(stretches(doc.runs, true, mmToPixel(sx, 200), 0, doc.caps.vertRes),
                  (S{{mmToPixel(sy, 32), thick},
                     {mmToPixel(sy, 42), thick},
                     {mmToPixel(sy, 168), thick},
                     {mmToPixel(sy, 178), thick}}))
            << "down the right panel and its flaps";
        EXPECT_EQ(stretches(doc.runs, true, mmToPixel(sx, 80), 0, doc.caps.vertRes),
                  (S{{mmToPixel(sy, 42), thick}, {mmToPixel(sy, 168), thick}}))
            << "down the left panel";
    }
}

} // namespace
