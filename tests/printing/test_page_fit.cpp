// The envelope on the paper it is printed on: where it fits it stays at its usual offsets pixel for pixel,
// on a smaller printable area it moves just enough to stay whole, and paper too small is refused before
// anything reaches the print system.
#include "BorrowedPrintSystem.h"
#include "ErrorMessage.h"
#include "FakePrintSystem.h"
#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "platform/LinePatterns.h"
#include "platform/RasterSurface.h"
#include "printing/LineWidth.h"
#include "printing/PaperFit.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/TemplateDispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels pixelsOf(const std::vector<PixelRun>& runs, int dx = 0, int dy = 0) {
    Pixels p;
    for (const PixelRun& r : runs)
        for (int i = 0; i < r.count; ++i) {
            const std::pair<int, int> at{r.x + r.dx * i + dx, r.y + r.dy * i + dy};
            if (r.color == clBlack)
                p.insert(at);
            else
                p.erase(at);
        }
    return p;
}

// The template painted straight onto the landscape page, at its usual offsets, with one-pixel lines.
class Runs : public RunSink {
public:
    explicit Runs(DeviceCaps caps) : caps_(caps) {}
    int width() const override { return caps_.horzRes; }
    int height() const override { return caps_.vertRes; }
    void run(const PixelRun& r) override { runs.push_back(r); }
    void fill(int, int, int, int, TColor) override {}
    std::vector<PixelRun> runs;

private:
    DeviceCaps caps_;
};

std::vector<PixelRun> usualDrawing(DocumentSettings s, int templateIndex, bool unclipped = false) {
    s.orientation = PageOrientation::Landscape;
    DeviceCaps caps = deviceCapsFor(s);
    const double sx = static_cast<double>(caps.horzRes) / caps.horzSize;
    const double sy = static_cast<double>(caps.vertRes) / caps.vertSize;
    if (unclipped)
        caps.horzRes = caps.vertRes = 100000;
    Runs page(caps);
    RasterSurface surface(&page, LinePatterns::forResolution(s.yResolution));
    paintTemplate(templateIndex, surface, sx, sy);
    return page.runs;
}

DocumentSettings paper(const char* media, int width, int length, int side, int topBottom, int dpi) {
    DocumentSettings s;
    s.paperName = QString::fromLatin1(media);
    s.paperWidth = width;
    s.paperLength = length;
    s.marginLeft = s.marginRight = side;
    s.marginTop = s.marginBottom = topBottom;
    s.xResolution = s.yResolution = dpi;
    return s;
}

struct Fit : testing::Test {
    FakePrintSystem fake;
    std::unique_ptr<TPrinter> tp;

    void use(const DocumentSettings& s) {
        FakePrintSystem::Printer p;
        p.name = "P";
        p.settings = s;
        fake.printerList = {p};
        fake.defaultAnswer = DefaultPrinterAnswer::named("P");
        tp = std::make_unique<TPrinter>(std::make_unique<BorrowedPrintSystem>(fake));
    }
};

TEST_F(Fit, OnPaperThatHoldsTheEnvelopeEveryPixelStaysWhereItWas) {
    // A4 with the usual small margins, and with a wide one on the sheet's bottom, the page's left.
    DocumentSettings wideLeft = paper("iso_a4_210x297mm", 21000, 29700, 423, 423, 300);
    wideLeft.marginBottom = 2000;
    for (const DocumentSettings& s : {paper("iso_a4_210x297mm", 21000, 29700, 423, 423, 300),
                                      paper("iso_a4_210x297mm", 21000, 29700, 340, 635, 600), wideLeft}) {
        for (int t = 0; t < TemplateCount; ++t) {
            SCOPED_TRACE(testing::Message()
                         << s.xResolution << " dpi, margin " << s.marginBottom << ", template " << t);
            use(s);
            printEnvelope(*tp, [t] { return t; });
            EXPECT_EQ(pixelsOf(fake.documents.back().runs), pixelsOf(usualDrawing(s, t)));
        }
    }
}

TEST_F(Fit, OnLetterTheEnvelopeMovesJustEnoughToStayWholeAtTrueScale) {
    // Letter, 6.35 mm left and right, 12.7 mm top and bottom: the landscape page's printable area is
    // 254 mm across, 16 mm short of the right edge's usual place.
    for (int dpi : {300, 600, 1200}) {
        for (int t = 0; t < TemplateCount; ++t) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, template " << t);
            const DocumentSettings s = paper("na_letter_8.5x11in", 21590, 27940, 635, 1270, dpi);
            use(s);
            printEnvelope(*tp, [t] { return t; });
            const FakePrintSystem::Document& doc = fake.documents.back();
            const Pixels got = pixelsOf(doc.runs);
            const Pixels usual = pixelsOf(usualDrawing(s, t, true));
            ASSERT_FALSE(got.empty());
            // The right edge's last pixel, the line's width included, on the area's last column.
            const int lastX = std::max_element(got.begin(), got.end())->first;
            EXPECT_EQ(lastX, doc.caps.horzRes - 1);
            const int shift =
                lastX - (linePixels(dpi) - 1) - std::max_element(usual.begin(), usual.end())->first;
            // Sixteen millimetres at the page's scale; the last pixel lies inside the area's edge, and the
            // pixel rule rounds.
            EXPECT_NEAR(shift * 25.4 / dpi, -16, 3 * 25.4 / dpi);
            // Every line keeps its shape, only moved.
            if (dpi <= 600) {
                EXPECT_EQ(got, pixelsOf(usualDrawing(s, t, true), shift, 0));
            }
        }
    }
}

TEST_F(Fit, PaperTooSmallIsRefusedBeforeAnyDocumentNamingThePaperAndTheAreaNeeded) {
    const struct {
        DocumentSettings settings;
        const char* message;
    } cases[] = {
        {paper("iso_a5_148x210mm", 14800, 21000, 635, 1270, 600),
         "Бумага A5 (148 x 210 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        // The size as the name gives it, not as whole points make it.
        {paper("iso_a6_105x148mm", 10480, 14820, 0, 0, 300),
         "Бумага A6 (105 x 148 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        // Long enough, one millimetre too narrow once turned: 145 mm printable down the landscape page.
        {paper("om_wide_155x300mm", 15500, 30000, 500, 0, 300),
         "Бумага Wide (155 x 300 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        {paper("", 20000, 25040, 0, 100, 300),
         "Бумага (200 x 250.4 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        // A driver's printable area turned inside out ("577 806 18 36" on A4) has no room at all.
        {paper("iso_a4_210x297mm", 21000, 29700, 20355, 28434, 300),
         "Бумага A4 (210 x 297 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings.paperName.toStdString());
        use(c.settings);
        const std::size_t before = fake.log.size();
        EXPECT_EQ(messageOf([&] { printEnvelope(*tp, [] { return 0; }); }), c.message);
        for (const std::string& step : fake.logSince(before))
            EXPECT_TRUE(step.rfind("createPrintContext", 0) != 0 && step != "startDoc") << step;
        EXPECT_TRUE(fake.documents.empty());
        EXPECT_FALSE(tp->Printing());
    }
}

// Exactly 250 mm across: enough in millimetres, one pixel short once the edges' pixels are counted. The page
// is dropped before it is handed over.
TEST_F(Fit, AnAreaOnePixelShortIsRefusedAndNothingIsHandedOver) {
    use(paper("iso_a4_210x297mm", 21000, 29700, 0, 2350, 300));
    EXPECT_EQ(messageOf([&] { printEnvelope(*tp, [] { return 0; }); }),
              "Бумага A4 (210 x 297 мм) слишком мала для конверта: нужна область печати 250 x 146 мм.");
    for (const FakePrintSystem::Document& d : fake.documents)
        EXPECT_FALSE(d.ended);
    EXPECT_FALSE(tp->Printing());
    EXPECT_EQ(tp->State(), psNoHandle);
    // The next paper that holds the envelope prints.
    use(paper("iso_a4_210x297mm", 21000, 29700, 0, 2300, 300));
    printEnvelope(*tp, [] { return 0; });
    EXPECT_TRUE(fake.documents.back().ended);
}

// A printer whose resolution no printer has, or whose sheet has more pixels than a coordinate counts, gets
// no page laid out: the message says so, and nothing reaches the print system.
TEST_F(Fit, ResolutionsPastAnyPrintersAreRefusedBeforeAnyDocument) {
    const struct {
        const char* name;
        int across, down;
        int length = 29700;
    } cases[] = {
        {"2000000000 dpi", 2000000000, 2000000000},
        {"10000000 dpi", 10000000, 10000000},
        {"just past the finest", MaxResolution + 1, MaxResolution + 1},
        {"99999 x 1 dpi", 99999, 1},
        {"600 x 0 dpi", 600, 0},
        {"a sheet of 6 km at the finest", MaxResolution, MaxResolution, 600000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentSettings s = paper("iso_a4_210x297mm", 21000, c.length, 423, 423, 0);
        s.xResolution = c.across;
        s.yResolution = c.down;
        use(s);
        const std::size_t before = fake.log.size();
        EXPECT_EQ(messageOf([&] { printEnvelope(*tp, [] { return 0; }); }), PrinterMessages::NotSupported);
        for (const std::string& step : fake.logSince(before))
            EXPECT_TRUE(step.rfind("create", 0) != 0 && step != "startDoc") << step;
        EXPECT_TRUE(fake.documents.empty());
        EXPECT_FALSE(tp->Printing());
    }
}

// The printable area as a driver's margins give it, kept to the sheet: a margin past the sheet's edge is
// none, one past the far edge ends there, and margins that cross leave nothing. On the landscape page the
// sheet's bottom margin is the left one.
TEST(PrintableArea, KeptToTheSheet) {
    const struct {
        const char* name;
        int left, right, top, bottom; // the driver's, on the portrait A4 sheet
        int x, y, width, height;      // the printable area on it
        int keptBottom;
    } cases[] = {
        {"usual", 423, 423, 423, 1270, 423, 423, 20154, 28007, 1270},
        {"past every edge (-100 -100 700 950)", -3528, -3704, -3810, -3528, 0, 0, 21000, 29700, 0},
        {"left margin past the right edge", 25000, 423, 423, 423, 21000, 423, 0, 28854, 423},
        {"inside out (577 806 18 36)", 20355, 20355, 28434, 28434, 20355, 28434, 0, 0, 28434},
        {"the whole sheet a margin", 21000, 0, 0, 29700, 21000, 0, 0, 0, 29700},
        {"extremes", std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
         std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 0, 29700, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentSettings s = paper("iso_a4_210x297mm", 21000, 29700, 0, 0, 300);
        s.marginLeft = c.left;
        s.marginRight = c.right;
        s.marginTop = c.top;
        s.marginBottom = c.bottom;
        EXPECT_EQ(printableLeft(s), c.x);
        EXPECT_EQ(printableTop(s), c.y);
        EXPECT_EQ(printableWidth(s), c.width);
        EXPECT_EQ(printableHeight(s), c.height);
        s.orientation = PageOrientation::Landscape;
        EXPECT_EQ(printableLeft(s), c.keptBottom);
        EXPECT_EQ(printableTop(s), c.x);
        EXPECT_EQ(printableWidth(s), c.height);
        EXPECT_EQ(printableHeight(s), c.width);
        const DeviceCaps caps = deviceCapsFor(s);
        EXPECT_EQ(caps.horzRes, c.height * 300 / 2540);
        EXPECT_EQ(caps.vertRes, c.width * 300 / 2540);
    }
}

TEST(PaperLabel, NamesAsPeopleSayThem) {
    const std::pair<const char*, const char*> names[] = {
        {"iso_a5_148x210mm", "A5"},
        {"na_letter_8.5x11in", "Letter"},
        {"iso_c5_162x229mm", "C5"},
        {"na_index-4x6_4x6in", "Index-4x6"},
        {"jis_b5_182x257mm", "B5"},
        {"custom_100x150mm_100x150mm", ""},
        {"A5", "A5"},
        {"", ""},
    };
    for (const auto& [media, label] : names)
        EXPECT_EQ(paperLabel(QString::fromLatin1(media)), QString::fromLatin1(label)) << media;
}

} // namespace
