// The envelope's PDF as a copy shop's raster sees it at 600 dpi: the dashes and dots a 600-dpi printer
// prints, lines 0.1 mm wide, and nothing but vector lines (no picture, no font).
#include "platform/LinePatterns.h"
#include "printing/EnvelopePdf.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

constexpr int Dpi = 600;

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed");
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

struct Sheet {
    QTemporaryDir dir;
    QString pdf;
    QImage raster; // 8-bit grey at 600 dpi
};

void render(Sheet& s, EnvelopeTemplate index) {
    s.pdf = s.dir.filePath(QStringLiteral("e.pdf"));
    QFile out(s.pdf);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(EnvelopePdf::make(index, PdfPaper::A4));
    out.close();
    const QString prefix = s.dir.filePath(QStringLiteral("e"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-singlefile"),
                                     QStringLiteral("-r"), QString::number(Dpi), s.pdf, prefix});
    QImageReader::setAllocationLimit(1024);
    s.raster = QImage(prefix + QStringLiteral(".pgm"));
    ASSERT_FALSE(s.raster.isNull());
}

int px(double mm) {
    return static_cast<int>(std::lround(mm / 25.4 * Dpi));
}

// Along the centre fold, top to bottom: the lengths of its inked and blank stretches, in pixels, without
// the first and the last (cut by the fold's ends). A row counts as inked when the line's band has ink.
struct Stretches {
    std::vector<int> inked;
    std::vector<int> blank;
    int widest = 0; // the most inked pixels across the line in one row
};

Stretches alongCentreFold(const QImage& raster) {
    const double originMm = EnvelopePdf::PrintableInsetMm;
    const int x = px(originMm + 145);
    Stretches s;
    std::vector<std::pair<bool, int>> runs;
    for (int y = px(originMm + 42) + 5; y < px(originMm + 168) - 5; ++y) {
        int across = 0;
        for (int dx = -6; dx <= 6; ++dx)
            across += raster.constScanLine(y)[x + dx] < 128;
        s.widest = std::max(s.widest, across);
        const bool inked = across > 0;
        if (runs.empty() || runs.back().first != inked)
            runs.emplace_back(inked, 0);
        ++runs.back().second;
    }
    for (std::size_t i = 1; i + 1 < runs.size(); ++i)
        (runs[i].first ? s.inked : s.blank).push_back(runs[i].second);
    return s;
}

TEST(EnvelopePdf, DashesAndDotsAreAsLongAsA600DpiPrinterPrintsThem) {
    const LinePatterns printer = LinePatterns::forResolution(Dpi);
    const struct {
        EnvelopeTemplate index;
        int on;
        int off;
        std::size_t atLeast; // whole stretches of each along the 126 mm fold
    } cases[] = {
        {1, printer.dash, printer.dashGap, 18},
        {2, printer.dot, printer.dotGap, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "template " << c.index);
        Sheet sheet;
        render(sheet, c.index);
        const Stretches s = alongCentreFold(sheet.raster);
        EXPECT_GE(s.inked.size(), c.atLeast);
        EXPECT_GE(s.blank.size(), c.atLeast);
        for (int length : s.inked)
            ASSERT_NEAR(length, c.on, 1);
        for (int length : s.blank)
            ASSERT_NEAR(length, c.off, 1);
        // 0.1 mm is 2.4 pixels at 600 dpi.
        EXPECT_GE(s.widest, 2);
        EXPECT_LE(s.widest, 4);
    }
}

TEST(EnvelopePdf, ASolidFoldIsOneUnbrokenLine) {
    Sheet sheet;
    render(sheet, 0);
    const Stretches s = alongCentreFold(sheet.raster);
    EXPECT_TRUE(s.inked.empty());
    EXPECT_TRUE(s.blank.empty());
    EXPECT_GE(s.widest, 2);
}

// The whole page is vector lines: no picture to scale, no font to carry along.
TEST(EnvelopePdf, NoPicturesAndNoFonts) {
    for (EnvelopeTemplate index : {0, 1, 2}) {
        SCOPED_TRACE(index);
        Sheet sheet;
        render(sheet, index);
        const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), sheet.pdf})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(images.size(), 2) << images.join(QLatin1Char('\n')).toStdString(); // the heading only
        const QStringList fonts =
            run(QStringLiteral("pdffonts"), {sheet.pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(fonts.size(), 2) << fonts.join(QLatin1Char('\n')).toStdString();
    }
}

// The copy shop's viewer is told to print at actual size, and names the document after its template; the
// file, added to after it was written, is one a strict reader takes without a word.
TEST(EnvelopePdf, AsksForActualSizeAndIsTitledWithItsTemplate) {
    for (const EnvelopeTemplate index : {0, 2}) {
        SCOPED_TRACE(index);
        Sheet s;
        render(s, index);
        QString title;
        for (const QString& line : run(QStringLiteral("pdfinfo"), {s.pdf}).split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("Title:")))
                title = line.mid(6).trimmed();
        EXPECT_EQ(title, templateCaptions()[index]);

        EXPECT_EQ(QProcess::execute(QStringLiteral("qpdf"), {QStringLiteral("--check"), s.pdf}), 0);
        const QString trailer = run(QStringLiteral("qpdf"), {QStringLiteral("--show-object=trailer"), s.pdf});
        const QString root =
            QRegularExpression(QStringLiteral("/Root (\\d+) 0 R")).match(trailer).captured(1);
        ASSERT_FALSE(root.isEmpty()) << trailer.toStdString();
        const QString catalog = run(QStringLiteral("qpdf"), {QStringLiteral("--show-object=") + root, s.pdf});
        EXPECT_TRUE(catalog.contains(QStringLiteral("/Type /Catalog"))) << catalog.toStdString();
        EXPECT_TRUE(catalog.contains(QStringLiteral("/ViewerPreferences << /PrintScaling /None >>")))
            << catalog.toStdString();
    }
}

} // namespace
