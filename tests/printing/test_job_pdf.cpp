// The job's PDF page, rasterised back at the device resolution: every drawn pixel, and only those, comes
// out black, from the printable corner on, the landscape page turned onto the portrait sheet.
#include "platform/DeviceCaps.h"
#include "platform/LinePatterns.h"
#include "platform/PagePdf.h"
#include "platform/RasterSurface.h"
#include "templates/TemplateDispatch.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;

// A landscape A4 page with every margin different; across 300 dpi, down 600 dpi. The sheet's bottom
// margin, the page's left one, ends off the sheet's pixel grid.
DocumentSettings page() {
    DocumentSettings s;
    s.paperWidth = 21000;
    s.paperLength = 29700;
    s.marginLeft = 1270;   // the page's top: 300 device pixels down
    s.marginBottom = 2540; // the page's left: 300 device pixels across
    s.marginRight = 500;
    s.marginTop = 800;
    s.xResolution = 600;
    s.yResolution = 300;
    s.orientation = PageOrientation::Landscape;
    return s;
}

// Black pixels of the PDF rasterised at the sheet's resolution, as printable-area coordinates of the
// landscape page: the sheet turned back a quarter turn, the corner on the first grid line inside the
// printable area.
Pixels inked(const QByteArray& pdf, const DocumentSettings& s, QSize* size = nullptr) {
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-gray"), QStringLiteral("-singlefile"), QStringLiteral("-rx"),
             QString::number(s.xResolution), QStringLiteral("-ry"), QString::number(s.yResolution),
             QStringLiteral("-"), dir.filePath(QStringLiteral("page"))});
    p.write(pdf);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QImageReader::setAllocationLimit(1024);
    const QImage image(dir.filePath(QStringLiteral("page.pgm")));
    EXPECT_FALSE(image.isNull());
    if (size)
        *size = image.size();
    const int cornerX = (s.marginLeft * s.xResolution + 2539) / 2540;
    // The grid runs up from the sheet's bottom; this rasteriser counts rows down from the top and inks the
    // pixels whose centres a mark covers.
    const int fromBottom = (s.marginBottom * s.yResolution + 2539) / 2540;
    const int cornerY =
        static_cast<int>(std::floor(s.paperLength * s.yResolution / 2540.0 - fromBottom - 0.5)) + 1;
    Pixels black;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (line[x] < 128)
                black.insert({cornerY - 1 - y, x - cornerX});
    }
    return black;
}

// What the marks make of a blank page, pixel by pixel, in their order.
Pixels expected(const std::vector<PageMark>& marks) {
    Pixels black;
    for (const PageMark& m : marks)
        for (int row = 0; row < m.rows; ++row)
            for (int i = 0; i < m.run.count; ++i) {
                const std::pair<int, int> px{m.run.x + m.run.dx * i, m.run.y + m.run.dy * i + row};
                if (m.run.color == clBlack)
                    black.insert(px);
                else
                    black.erase(px);
            }
    return black;
}

TEST(JobPdf, EveryMarkComesOutAtItsDevicePixels) {
    const std::vector<PageMark> marks = {
        {{10, 20, 1, 0, 400, clBlack}, 1},    // across
        {{15, 5, 0, 1, 300, clBlack}, 1},     // down
        {{300, 300, 0, -1, 90, clBlack}, 1},  // up
        {{100, 200, 1, -1, 150, clBlack}, 1}, // slanted, four ways
        {{100, 210, 1, 1, 150, clBlack}, 1},
        {{500, 100, -1, 1, 60, clBlack}, 1},
        {{500, 300, -1, -1, 60, clBlack}, 1},
        {{40, 20, 1, 0, 12, clWhite}, 1}, // a gap over a line: white again
        {{15, 50, 0, 1, 7, clWhite}, 1},
        {{120, 180, 1, -1, 9, clWhite}, 1},  // a gap in a slanted line
        {{600, 600, 1, 0, 30, clWhite}, 1},  // white on the blank page
        {{700, 400, 1, 0, 25, clBlack}, 12}, // a filled rectangle
        {{703, 405, 1, 0, 5, clWhite}, 2},
    };
    const DocumentSettings s = page();
    QSize size;
    const QByteArray pdf = pagePdf(pageGeometryFor(s), marks);
    const Pixels got = inked(pdf, s, &size);
    // One portrait A4 sheet at 600 dpi across and 300 down, whichever way the page lies on it, its exact
    // size rather than whole points.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595.275591 841.889764]"));
    EXPECT_NEAR(size.width() * 25.4 / 600, 210, 0.2);
    EXPECT_NEAR(size.height() * 25.4 / 300, 297, 0.2);

    const Pixels want = expected(marks);
    std::vector<std::pair<int, int>> missing, extra;
    std::set_difference(want.begin(), want.end(), got.begin(), got.end(), std::back_inserter(missing));
    std::set_difference(got.begin(), got.end(), want.begin(), want.end(), std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << missing.size() << " pixels missing, first at " << missing[0].first << ","
                                 << missing[0].second;
    EXPECT_TRUE(extra.empty()) << extra.size() << " pixels too many, first at " << extra[0].first << ","
                               << extra[0].second;
}

TEST(JobPdf, TheJobStaysSmallAtAnyResolution) {
    for (int dpi : {300, 600, 1200, 2400}) {
        for (int t = 0; t < TemplateCount; ++t) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, template " << t);
            DocumentSettings s = page();
            s.xResolution = s.yResolution = dpi;
            const DeviceCaps caps = deviceCapsFor(s);
            PageRecorder recorder(caps.horzRes, caps.vertRes);
            RasterSurface surface(&recorder, LinePatterns::forResolution(dpi));
            paintTemplate(t, surface, static_cast<double>(caps.horzRes) / caps.horzSize,
                          static_cast<double>(caps.vertRes) / caps.vertSize);
            EXPECT_LT(pagePdf(pageGeometryFor(s), recorder.marks()).size(), 64 * 1024);
        }
    }
}

} // namespace
