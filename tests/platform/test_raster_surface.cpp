#include "ImageSink.h"
#include "platform/RasterSurface.h"

#include <gtest/gtest.h>

#include <QImage>

#include <limits>
#include <string>
#include <vector>

namespace {

constexpr TColor grey = 0x808080;

// A small bitmap with a surface on it, read back as text: '#' black, '.' white, ' ' untouched grey.
struct Canvas {
    QImage image;
    ImageSink sink;
    RasterSurface surface;

    Canvas(int w, int h, LinePatterns patterns = LinePatterns::screen())
        : image(w, h, QImage::Format_RGB32), sink(image), surface(&sink, patterns) {
        image.fill(QColor(0x80, 0x80, 0x80));
    }

    TColor at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }

    std::string row(int y) const {
        std::string s;
        for (int x = 0; x < image.width(); ++x)
            s += at(x, y) == clBlack ? '#' : at(x, y) == clWhite ? '.' : ' ';
        return s;
    }

    int count(TColor c) const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += at(x, y) == c;
        return n;
    }
};

class RecordingSink : public RunSink {
public:
    int width() const override { return 100; }
    int height() const override { return 100; }
    void run(const PixelRun& r) override { runs.push_back(r); }
    void fill(int, int, int, int, TColor) override {}
    std::vector<PixelRun> runs;
};

TEST(RasterSurface, LinesDrawTheirStartPixelAndNotTheirEnd) {
    struct Case {
        int x0, y0, x1, y1;
    } cases[] = {
        {2, 5, 9, 5},  {9, 5, 2, 5},  {5, 2, 5, 9},  {5, 9, 5, 2}, // axis-parallel, both ways
        {2, 2, 9, 9},  {9, 9, 2, 2},  {2, 9, 9, 2},  {9, 2, 2, 9}, // 45 degrees, four ways
        {1, 3, 10, 7}, {10, 7, 1, 3}, {3, 1, 7, 10},               // shallow and steep
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ")");
        Canvas cv(12, 12);
        cv.surface.moveTo(c.x0, c.y0);
        cv.surface.lineTo(c.x1, c.y1);
        EXPECT_EQ(cv.at(c.x0, c.y0), clBlack);
        EXPECT_NE(cv.at(c.x1, c.y1), clBlack);
        EXPECT_EQ(cv.count(clBlack), std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0)));
        EXPECT_EQ(cv.surface.penX(), c.x1);
        EXPECT_EQ(cv.surface.penY(), c.y1);
    }
}

TEST(RasterSurface, AClosedPathIsClosedBecauseEachLineDrawsItsStart) {
    Canvas cv(6, 5);
    cv.surface.moveTo(1, 1);
    cv.surface.lineTo(4, 1);
    cv.surface.lineTo(4, 3);
    cv.surface.lineTo(1, 3);
    cv.surface.lineTo(1, 1);
    EXPECT_EQ(cv.row(0), "      ");
    EXPECT_EQ(cv.row(1), " #### ");
    EXPECT_EQ(cv.row(2), " #  # ");
    EXPECT_EQ(cv.row(3), " #### ");
}

TEST(RasterSurface, StyledLineGapsTakeTheFillColourOnlyWhileTheFillIsSolid) {
    const LinePatterns small{4, 2, 1, 1};
    struct Case {
        PenStyle pen;
        BrushStyle brush;
        const char* expected;
    } cases[] = {
        {PenStyle::Solid, BrushStyle::Solid, "############"},
        {PenStyle::Dash, BrushStyle::Solid, "####..####.."},
        {PenStyle::Dash, BrushStyle::Clear, "####  ####  "},
        {PenStyle::Dot, BrushStyle::Solid, "#.#.#.#.#.#."},
        {PenStyle::Dot, BrushStyle::Clear, "# # # # # # "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Canvas cv(12, 1, small);
        cv.surface.setBrushStyle(c.brush);
        cv.surface.setPenStyle(c.pen);
        cv.surface.moveTo(0, 0);
        cv.surface.lineTo(12, 0);
        EXPECT_EQ(cv.row(0), c.expected);
    }
}

TEST(RasterSurface, AGapTurnsAnEarlierBlackPixelWhite) {
    Canvas cv(8, 3, LinePatterns{2, 2, 1, 1});
    cv.surface.moveTo(3, 0);
    cv.surface.lineTo(3, 3); // solid vertical line through (3, 1)
    cv.surface.setPenStyle(PenStyle::Dash);
    cv.surface.moveTo(0, 1);
    cv.surface.lineTo(8, 1); // "##..##..": its gap covers x 2, 3, 6, 7
    EXPECT_EQ(cv.row(1), "##..##..");
    EXPECT_EQ(cv.at(3, 0), clBlack);
    cv.surface.moveTo(2, 2);
    cv.surface.lineTo(8, 2); // the pattern restarts at a move
    EXPECT_EQ(cv.row(2), "  ##..##");
}

TEST(RasterSurface, PatternRunsOnAlongAPath) {
    Canvas cv(8, 2, LinePatterns{3, 1, 1, 1});
    cv.surface.setPenStyle(PenStyle::Dash);
    cv.surface.moveTo(0, 0);
    cv.surface.lineTo(2, 0);
    cv.surface.lineTo(2, 1);
    cv.surface.lineTo(8, 1);
    // Steps 0, 1 on row 0, step 2 at (2, 0) going down, then steps 3.. on row 1.
    EXPECT_EQ(cv.row(0), "###     ");
    EXPECT_EQ(cv.row(1), "  .###.#");
}

TEST(RasterSurface, BrushStyleAndColourAreCoupled) {
    RasterSurface s;
    EXPECT_EQ(s.brushStyle(), BrushStyle::Solid);
    EXPECT_EQ(s.brushColor(), clWhite);
    s.setBrushColor(clBlack);
    s.setBrushStyle(BrushStyle::Clear);
    EXPECT_EQ(s.brushColor(), clWhite); // clear makes the colour white
    s.setBrushColor(0x123456);
    EXPECT_EQ(s.brushStyle(), BrushStyle::Solid); // a colour makes the style solid
}

TEST(RasterSurface, FillRectLeavesOutRightAndBottomAndClips) {
    Canvas cv(5, 4);
    cv.surface.setBrushColor(clBlack);
    cv.surface.fillRect(-3, 1, 2, 3);
    cv.surface.fillRect(4, 3, 9, 9);
    EXPECT_EQ(cv.row(0), "     ");
    EXPECT_EQ(cv.row(1), "##   ");
    EXPECT_EQ(cv.row(2), "##   ");
    EXPECT_EQ(cv.row(3), "    #");
    cv.surface.setBrushStyle(BrushStyle::Clear);
    cv.surface.fillRect(0, 0, 5, 4);
    EXPECT_EQ(cv.count(clWhite), 0); // a clear brush fills nothing
}

TEST(RasterSurface, FarAwayEndpointsAreClippedWithoutOverflow) {
    constexpr int big = std::numeric_limits<int>::max();
    constexpr int small = std::numeric_limits<int>::min();
    Canvas cv(10, 10);
    cv.surface.moveTo(small, 5);
    cv.surface.lineTo(big, 5);
    EXPECT_EQ(cv.row(5), "##########");
    cv.surface.moveTo(small, small);
    cv.surface.lineTo(big, big); // the diagonal through the middle
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cv.at(i, i), clBlack) << i;
    cv.surface.moveTo(big, small);
    cv.surface.lineTo(big, big); // wholly outside
    cv.surface.moveTo(-5, -5);
    cv.surface.lineTo(-1, 3);
    EXPECT_EQ(cv.count(clBlack), 10 + 9);
}

TEST(RasterSurface, StraightLinesReachTheSinkAsSingleRuns) {
    RecordingSink sink;
    RasterSurface s(&sink);
    s.moveTo(10, 10);
    s.lineTo(60, 10);
    s.lineTo(60, 40);
    s.lineTo(30, 70);
    ASSERT_EQ(sink.runs.size(), 3u);
    EXPECT_EQ(sink.runs[0], (PixelRun{10, 10, 1, 0, 50, clBlack}));
    EXPECT_EQ(sink.runs[1], (PixelRun{60, 40 - 30, 0, 1, 30, clBlack}));
    EXPECT_EQ(sink.runs[2], (PixelRun{60, 40, -1, 1, 30, clBlack}));
}

TEST(RasterSurface, WithoutASinkDrawingOnlyMoves) {
    RasterSurface s;
    s.moveTo(1, 2);
    s.lineTo(30, 40);
    s.fillRect(0, 0, 10, 10);
    EXPECT_EQ(s.penX(), 30);
    EXPECT_EQ(s.penY(), 40);
}

TEST(LinePatterns, PrinterPatternsAreAsLongOnPaperAsOnA96DpiScreen) {
    EXPECT_EQ(LinePatterns::forResolution(96).dash, 18);
    const LinePatterns p600 = LinePatterns::forResolution(600);
    EXPECT_EQ(p600.dash, 113);
    EXPECT_EQ(p600.dashGap, 38);
    EXPECT_EQ(p600.dot, 19);
    EXPECT_EQ(p600.dotGap, 19);
    EXPECT_EQ(LinePatterns::forResolution(1).dot, 1); // never a zero-length pattern
}

} // namespace
