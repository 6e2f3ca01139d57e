// The printer page as a drawing surface: when it accepts drawing, what it keeps, and its line patterns.
#include "BorrowedPrintSystem.h"
#include "ErrorMessage.h"
#include "FakePrintSystem.h"
#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/Painters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

FakePrintSystem::Printer printer(const char* name, int xDpi, int yDpi) {
    FakePrintSystem::Printer p;
    p.name = name;
    p.settings = FakePrintSystem::a4(xDpi, yDpi);
    return p;
}

struct Canvas : testing::Test {
    FakePrintSystem fake;
    std::unique_ptr<TPrinter> tp;

    Canvas() {
        fake.printerList = {printer("Laser", 300, 300), printer("Inkjet", 600, 600)};
        fake.defaultAnswer = DefaultPrinterAnswer::named("Laser");
        tp = std::make_unique<TPrinter>(std::make_unique<BorrowedPrintSystem>(fake));
    }
};

TEST_F(Canvas, DrawsOnlyWhileADocumentIsOpen) {
    TPrinterCanvas& canvas = tp->Canvas();
    const struct {
        const char* name;
        std::function<void()> call;
    } drawing[] = {
        {"moveTo", [&] { canvas.moveTo(1, 1); }},
        {"lineTo", [&] { canvas.lineTo(5, 1); }},
        {"fillRect", [&] { canvas.fillRect(0, 0, 4, 4); }},
    };
    auto outside = [&](const char* when) {
        SCOPED_TRACE(when);
        for (const auto& d : drawing) {
            SCOPED_TRACE(d.name);
            EXPECT_EQ(messageOf(d.call), "Printer is not currently printing");
        }
        // Settings are only remembered, so they are taken at any time.
        EXPECT_EQ(messageOf([&] { canvas.setPenStyle(PenStyle::Dot); }), "");
    };
    outside("before any document");
    tp->BeginDoc();
    for (const auto& d : drawing) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(messageOf(d.call), "");
    }
    tp->EndDoc();
    EXPECT_FALSE(fake.documents.back().runs.empty());
    outside("after the document");
}

TEST_F(Canvas, KeepsPenBrushAndPositionAcrossDocumentsAndPrinters) {
    TPrinterCanvas& canvas = tp->Canvas();
    canvas.setPenStyle(PenStyle::Dash);
    canvas.setPenColor(0x123456);
    canvas.setBrushStyle(BrushStyle::Clear);
    tp->BeginDoc();
    canvas.moveTo(7, 9);
    tp->EndDoc();
    tp->setPrinterIndex(1);
    tp->setOrientation(poLandscape);
    tp->BeginDoc();
    tp->EndDoc();
    tp->BeginDoc();

    EXPECT_EQ(&tp->Canvas(), &canvas);
    const RasterSurface& r = canvas.raster();
    EXPECT_EQ(r.penStyle(), PenStyle::Dash);
    EXPECT_EQ(r.penColor(), 0x123456u);
    EXPECT_EQ(r.brushStyle(), BrushStyle::Clear);
    EXPECT_EQ(r.penX(), 7);
    EXPECT_EQ(r.penY(), 9);
    // And it draws on the new printer's page.
    canvas.lineTo(20, 9);
    tp->EndDoc();
    EXPECT_EQ(fake.documents.back().device, "Inkjet");
    EXPECT_EQ(fake.documents.back().runs, (std::vector<PixelRun>{{7, 9, 1, 0, 13, 0x123456}}));
}

// Lengths of the black runs and the runs of the other colour along one straight line of the page, in order.
struct Pattern {
    std::vector<int> on;
    std::vector<int> off;
};

Pattern patternAlong(const std::vector<PixelRun>& runs, bool vertical, int at, int from, int to) {
    Pattern p;
    for (const PixelRun& r : runs) {
        const bool along = vertical ? (r.dx == 0 && r.x == at) : (r.dy == 0 && r.y == at);
        const int start = vertical ? r.y : r.x;
        if (along && r.count > 0 && start >= from && start < to)
            (r.color == clBlack ? p.on : p.off).push_back(r.count);
    }
    return p;
}

// Every whole dash and gap (the first and last may be cut by the line's ends) has the wanted length.
void expectLengths(const std::vector<int>& runs, double want, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_GE(runs.size(), 3u);
    for (std::size_t i = 1; i + 1 < runs.size(); ++i)
        EXPECT_LE(std::abs(runs[i] - want), 0.5) << "run " << i << " is " << runs[i];
}

TEST(CanvasPatterns, DashesAndDotsAreAsLongOnPaperAsOnAScreenAlongEitherAxis) {
    // Printer resolutions across and down the portrait sheet; the landscape page swaps them.
    const struct { int xDpi, yDpi; } printers[] = {{300, 300}, {600, 600}, {600, 300}, {1200, 2400}};
    for (const auto& pr : printers) {
        SCOPED_TRACE(testing::Message() << pr.xDpi << "x" << pr.yDpi << " dpi");
        FakePrintSystem fake;
        fake.printerList = {printer("P", pr.xDpi, pr.yDpi)};
        fake.defaultAnswer = DefaultPrinterAnswer::named("P");
        TPrinter tp(std::make_unique<BorrowedPrintSystem>(fake));
        const double across = pr.yDpi / 96.0; // device pixels per screen pixel across the landscape page
        const double down = pr.xDpi / 96.0;

        DocumentSettings landscape = *fake.printerList[0].settings;
        landscape.orientation = PageOrientation::Landscape;
        const DeviceCaps caps = deviceCapsFor(landscape);
        const double sx = static_cast<double>(caps.horzRes) / caps.horzSize;
        const double sy = static_cast<double>(caps.vertRes) / caps.vertSize;

        // Dashed folds: the centre line runs down, the right panel's top edge across.
        printEnvelope(tp, [] { return 1; });
        const auto& dashed = fake.documents.back().runs;
        const Pattern centre =
            patternAlong(dashed, true, mmToPixel(sx, 145), mmToPixel(sy, 42), mmToPixel(sy, 168));
        expectLengths(centre.on, 18 * down, "centre line dashes");
        expectLengths(centre.off, 6 * down, "centre line gaps");
        const Pattern fold =
            patternAlong(dashed, false, mmToPixel(sy, 42), mmToPixel(sx, 145), mmToPixel(sx, 270));
        expectLengths(fold.on, 18 * across, "top fold dashes");
        expectLengths(fold.off, 6 * across, "top fold gaps");

        // Dotted, right after the dashed one: the style template 2 sets, not the one template 1 left.
        printEnvelope(tp, [] { return 2; });
        const auto& dotted = fake.documents.back().runs;
        const Pattern left =
            patternAlong(dotted, true, mmToPixel(sx, 20), mmToPixel(sy, 42), mmToPixel(sy, 168));
        expectLengths(left.on, 3 * down, "left edge dots");
        expectLengths(left.off, 3 * down, "left edge gaps");
        const Pattern top =
            patternAlong(dotted, false, mmToPixel(sy, 32), mmToPixel(sx, 155), mmToPixel(sx, 260));
        expectLengths(top.on, 3 * across, "flap edge dots");
        expectLengths(top.off, 3 * across, "flap edge gaps");
    }
}

} // namespace
