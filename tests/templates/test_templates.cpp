#include "ImageSink.h"
#include "RecordingSurface.h"
#include "platform/Errors.h"
#include "platform/RasterSurface.h"
#include "templates/EnvelopePlacement.h"
#include "templates/Painters.h"
#include "templates/TemplateDispatch.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr QRgb untouched = 0xFF808080;

// The preview's case: a template painted at 2 pixels per millimetre on a grey bitmap.
QImage painted(int index, int w = 541, int h = 357) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(untouched);
    ImageSink sink(image);
    RasterSurface surface(&sink);
    paintTemplate(index, surface, 2.0, 2.0);
    return image;
}

bool touched(const QImage& image, int x, int y) {
    return image.pixel(x, y) != untouched;
}
bool black(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

TEST(PixelRule, MillimetresAtThePreviewScale) {
    const std::pair<int, int> table[] = {{20, 40},   {32, 64},   {42, 84},   {145, 290}, {155, 310},
                                         {168, 336}, {178, 356}, {260, 520}, {270, 540}};
    for (auto [mm, px] : table)
        EXPECT_EQ(mmToPixel(2.0, mm), px) << mm << " mm";
}

TEST(Painters, SetUpFillAndPenBeforeDrawingAndApplyEachScaleToItsAxis) {
    struct Case {
        int index;
        const char* penStyle;
        const char* lastStyle;
    } cases[] = {{0, "pen solid", "pen solid"}, {1, "pen solid", "pen dash"}, {2, "pen dot", "pen dot"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        RecordingSurface s;
        paintTemplate(c.index, s, 10.0, 5.0);
        const std::vector<std::string> setUp(s.calls.begin(), s.calls.begin() + 5);
        EXPECT_EQ(setUp, (std::vector<std::string>{"brush clear", "brush color FFFFFF", "pen copy",
                                                   "pen color 000000", c.penStyle}));
        // x with the X scale, y with the Y scale: (20, 42) mm or (145, 42) mm first.
        EXPECT_EQ(s.calls[5], c.index == 1 ? "move 1450,210" : "move 200,210");
        const auto styles = std::count_if(s.calls.begin(), s.calls.end(),
                                          [](const std::string& call) { return call.rfind("pen ", 0) == 0; });
        EXPECT_EQ(styles, c.index == 1 ? 4 : 3);
        const auto lastStyle = std::find_if(s.calls.rbegin(), s.calls.rend(), [](const std::string& call) {
            return call == "pen solid" || call == "pen dash" || call == "pen dot";
        });
        EXPECT_EQ(*lastStyle, c.lastStyle);
    }
}

TEST(Painters, SolidAndDottedFollowTheSamePath) {
    RecordingSurface solid, dotted;
    paintSolid(solid, 2.0, 2.0);
    paintDotted(dotted, 2.0, 2.0);
    const std::vector<std::string> path(solid.calls.begin() + 5, solid.calls.end());
    EXPECT_EQ(path, std::vector<std::string>(dotted.calls.begin() + 5, dotted.calls.end()));
    EXPECT_EQ(path, (std::vector<std::string>{"move 40,84", "line 540,84", "line 540,336", "line 40,336",
                                              "line 40,84", "move 290,84", "line 310,64", "line 520,64",
                                              "line 540,84", "move 290,336", "line 310,356", "line 520,356",
                                              "line 540,336", "move 290,84", "line 290,336"}));
}

TEST(Painters, CenterDashDrawsTheContourThenTheFoldsAsOnePath) {
    RecordingSurface s;
    paintCenterDash(s, 2.0, 2.0);
    EXPECT_EQ(std::vector<std::string>(s.calls.begin() + 5, s.calls.end()),
              (std::vector<std::string>{
                  "move 290,84", "line 40,84", "line 40,336", "line 290,336", "move 290,84", "line 310,64",
                  "line 520,64", "line 540,84", "line 540,336", "line 520,356", "line 310,356",
                  "line 290,336", "pen dash", "move 540,84", "line 290,84", "line 290,336", "line 540,336"}));
}

TEST(Painters, IndexesOutsideTheListTouchNothing) {
    for (int index : {-1, 3, 42, -7}) {
        RecordingSurface s;
        paintTemplate(index, s, 2.0, 2.0);
        EXPECT_TRUE(s.calls.empty()) << index;
    }
}

TEST(Painters, TheDrawingFitsIn541By357AtThePreviewScale) {
    for (int index = 0; index < TemplateCount; ++index) {
        SCOPED_TRACE(index);
        const QImage image = painted(index);
        int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (touched(image, x, y)) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
        EXPECT_EQ(minX, 40);
        EXPECT_EQ(maxX, 540);
        EXPECT_EQ(minY, 64);
        EXPECT_EQ(maxY, 356);
    }
}

TEST(Painters, SolidAndDottedTouchExactlyTheSamePixels) {
    const QImage solid = painted(0);
    const QImage dotted = painted(2);
    int differing = 0, dottedBlack = 0, solidBlack = 0;
    for (int y = 0; y < solid.height(); ++y)
        for (int x = 0; x < solid.width(); ++x) {
            differing += touched(solid, x, y) != touched(dotted, x, y);
            dottedBlack += black(dotted, x, y);
            solidBlack += black(solid, x, y);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(dottedBlack, solidBlack / 3); // visibly dotted, not solid and not empty
    EXPECT_LT(dottedBlack, solidBlack * 2 / 3);
}

TEST(Painters, CenterDashHasSolidContourAndDashedFolds) {
    const QImage image = painted(1);
    auto whiteOnRow = [&](int y, int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            n += touched(image, x, y) && !black(image, x, y);
        return n;
    };
    auto whiteOnColumn = [&](int x, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            n += touched(image, x, y) && !black(image, x, y);
        return n;
    };
    EXPECT_EQ(whiteOnRow(84, 41, 290), 0);     // left panel top: contour
    EXPECT_EQ(whiteOnRow(336, 41, 290), 0);    // left panel bottom: contour
    EXPECT_EQ(whiteOnColumn(540, 84, 337), 0); // right edge: contour
    EXPECT_GT(whiteOnRow(84, 291, 540), 0);    // right panel top: fold
    EXPECT_GT(whiteOnRow(336, 291, 540), 0);   // right panel bottom: fold
    EXPECT_GT(whiteOnColumn(290, 85, 336), 0); // centre line: fold
    // The corner where the solid right slant starts and the dashed fold ends is drawn by the slant.
    EXPECT_TRUE(black(image, 540, 336));
}

TEST(Painters, ThePreviewScaleLeavesTheCornerPixelsAlone) {
    const QImage image = painted(0, 551, 393);
    EXPECT_FALSE(touched(image, 0, 392));
    EXPECT_FALSE(touched(image, 39, 84));
    EXPECT_TRUE(black(image, 40, 84));
}

TEST(Painters, ScalesThatCannotBeRoundedRaiseInvalidOperation) {
    RasterSurface s;
    EXPECT_THROW(paintSolid(s, std::numeric_limits<double>::infinity(), 2.0), EInvalidOp);
    EXPECT_THROW(paintDotted(s, 2.0, std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(paintCenterDash(s, 1e8, 2.0), EInvalidOp); // finite, but past the 32-bit range
}

} // namespace

TEST(EnvelopePlacement, ShiftsOnlyAsFarAsThePaperNeeds) {
    using EnvelopePlacement::Shift;
    struct Case {
        const char* paper;
        double width, height;
        std::optional<Shift> shift;
    } const table[] = {
        {"A4 landscape, 6.35 mm margins", 284.3, 197.3, Shift{0, 0}},
        {"exactly the usual reach", 270, 178, Shift{0, 0}},
        {"Letter landscape, 6.35/12.7 mm margins", 254.0, 203.2, Shift{-16.0, 0}},
        {"short and narrow, still whole", 250, 146, Shift{-20, -32}},
        {"A5 landscape", 197.3, 135.8, std::nullopt},
        {"a hair too narrow", 249.99, 200, std::nullopt},
        {"a hair too short", 280, 145.99, std::nullopt},
        {"no printable area", 0, 0, std::nullopt},
    };
    for (const Case& c : table)
        EXPECT_EQ(EnvelopePlacement::shiftFor(c.width, c.height), c.shift) << c.paper;
}
