// The print job end to end: printed through the private CUPS server onto file queues, read back and
// rasterised at the queue's resolution, and measured.
#include "ChooseQueue.h"
#include "PrivateCups.h"
#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/Painters.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTransform>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// A queue of the tests: its name, its default resolution and, when set, its printable area on the A4
// sheet in points (left, bottom, right, top) instead of the model's.
struct Queue {
    const char* name;
    const char* dpi;
    const char* imageableArea = nullptr;
};

const Queue q300{"Q300", "300dpi"};
const Queue q600{"Q600", "600dpi"};
const Queue q600x300{"Q600x300", "600x300dpi"};
// Every margin different: 20 mm left, 12 mm bottom, 5 mm right and 8 mm top of the portrait sheet.
const Queue qMargins{"Margins", "300dpi", "56.69 34.02 580.83 819.32"};

void addQueue(const Queue& q) {
    PrivateCups::addQueue(QString::fromLatin1(q.name), QStringLiteral("pdf"), QString::fromLatin1(q.dpi));
    if (q.imageableArea)
        PrivateCups::setImageableArea(QString::fromLatin1(q.name), QString::fromLatin1(q.imageableArea));
}

// What a queue printed: the PDF it wrote, rasterised at the queue's resolution and turned back so that it
// shows the landscape page as the program drew it.
struct Printed {
    QImage page; // 8-bit grey, landscape
    int acrossDpi = 0;
    int downDpi = 0;
    int portraitWidth = 0; // of the sheet image before it was turned back
    int portraitHeight = 0;

    bool black(int x, int y) const {
        return x >= 0 && y >= 0 && x < page.width() && y < page.height() &&
               page.pixelColor(x, y).value() < 128;
    }
};

Printed readBack(const Queue& q, const DocumentSettings& sheet) {
    const QString file = PrivateCups::outputFile(QString::fromLatin1(q.name));
    PrivateCups::waitForOutput(QString::fromLatin1(q.name), file);
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    PrivateCups::run(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-gray"), QStringLiteral("-singlefile"), QStringLiteral("-rx"),
                      QString::number(sheet.xResolution), QStringLiteral("-ry"),
                      QString::number(sheet.yResolution), file, prefix});
    // A sheet at 600 dpi is past Qt's default limit for reading pictures.
    QImageReader::setAllocationLimit(1024);
    QImage sheetImage(prefix + QStringLiteral(".pgm"));
    if (sheetImage.isNull())
        throw std::runtime_error("pdftoppm gave no picture");
    Printed p;
    p.portraitWidth = sheetImage.width();
    p.portraitHeight = sheetImage.height();
    // The server put the landscape page onto the sheet a quarter turn anticlockwise; turn it back.
    p.page = sheetImage.transformed(QTransform().rotate(90));
    p.acrossDpi = sheet.yResolution;
    p.downDpi = sheet.xResolution;
    return p;
}

class JobThroughCups : public testing::Test {
protected:
    void SetUp() override {
        // Once per program; a failure here fails the test instead of skipping it.
        static bool queuesReady = false;
        if (!queuesReady) {
            PrivateCups::deleteAll();
            for (const Queue* q : {&q300, &q600, &q600x300, &qMargins})
                addQueue(*q);
            PrivateCups::setDefault(QString::fromLatin1(q300.name));
            queuesReady = true;
        }
        printer = std::make_unique<TPrinter>(std::make_unique<CupsPrintSystem>());
    }

    void choose(const Queue& q) { chooseQueue(*printer, QString::fromLatin1(q.name)); }

    // Prints the template on the queue and reads back what came out.
    Printed print(const Queue& q, int templateIndex) {
        choose(q);
        QFile::remove(PrivateCups::outputFile(QString::fromLatin1(q.name)));
        printEnvelope(*printer, [templateIndex] { return templateIndex; });
        return readBack(q, *printer->DevMode());
    }

    std::unique_ptr<TPrinter> printer;
};

// One straight line of the envelope in millimetres, and how much of it the pen inks.
struct Line {
    const char* name;
    bool vertical;
    int at;       // the line's x (vertical) or y (horizontal), mm
    int from, to; // along it, mm
    char style;   // 's' solid, 'd' dashed, '.' dotted
};

struct Found {
    int offset = 99;  // of the best-covered row or column from where the pixel rule puts it
    double inked = 0; // its share of black pixels
    int gaps = 0;     // white stretches inside it
};

// Looks for the line within two device pixels of its place and measures the best-covered row or column.
Found find(const Printed& p, const Line& l, double sx, double sy, int left, int top) {
    const int expected = l.vertical ? left + mmToPixel(sx, l.at) : top + mmToPixel(sy, l.at);
    // Two pixels clear of the corners, where the crossing lines would count as ink.
    const int a = (l.vertical ? top + mmToPixel(sy, l.from) : left + mmToPixel(sx, l.from)) + 2;
    const int b = (l.vertical ? top + mmToPixel(sy, l.to) : left + mmToPixel(sx, l.to)) - 2;
    Found best;
    for (int d = -2; d <= 2; ++d) {
        Found f{d, 0, 0};
        int ink = 0;
        bool wasBlack = true;
        for (int t = a; t < b; ++t) {
            const bool k = l.vertical ? p.black(expected + d, t) : p.black(t, expected + d);
            ink += k;
            if (!k && wasBlack)
                ++f.gaps;
            wasBlack = k;
        }
        f.inked = static_cast<double>(ink) / (b - a);
        if (f.inked > best.inked)
            best = f;
    }
    return best;
}

TEST_F(JobThroughCups, EachTemplateComesOutAtTrueSizeFromThePrintableCorner) {
    const Line contour[] = {
        {"body top, left panel", false, 42, 20, 145, 's'},
        {"body bottom, left panel", false, 168, 20, 145, 's'},
        {"left edge", true, 20, 42, 168, 's'},
        {"right edge", true, 270, 42, 168, 's'},
        {"top flap edge", false, 32, 155, 260, 's'},
        {"bottom flap edge", false, 178, 155, 260, 's'},
    };
    const Line folds[] = {
        {"centre line", true, 145, 42, 168, 's'},
        {"top fold", false, 42, 145, 270, 's'},
        {"bottom fold", false, 168, 145, 270, 's'},
    };
    for (const Queue* q : {&q300, &q600, &q600x300, &qMargins}) {
        for (int t = 0; t < 3; ++t) {
            SCOPED_TRACE(testing::Message() << q->name << ", template " << t);
            const Printed p = print(*q, t);
            DocumentSettings s = *printer->DevMode();
            ASSERT_EQ(s.orientation, PageOrientation::Landscape);
            const DeviceCaps caps = deviceCapsFor(s);
            const double sx = static_cast<double>(caps.horzRes) / caps.horzSize;
            const double sy = static_cast<double>(caps.vertRes) / caps.vertSize;
            // The printable corner of the landscape page: the sheet's bottom margin is its left one.
            const int left = static_cast<int>(std::lround(printableLeft(s) * p.acrossDpi / 2540.0));
            const int top = static_cast<int>(std::lround(printableTop(s) * p.downDpi / 2540.0));

            // One landscape A4 page.
            EXPECT_NEAR(p.page.width() * 25.4 / p.acrossDpi, 297, 1);
            EXPECT_NEAR(p.page.height() * 25.4 / p.downDpi, 210, 1);

            const char contourStyle = t == 2 ? '.' : 's';
            const char foldStyle = t == 0 ? 's' : t == 1 ? 'd' : '.';
            auto check = [&](Line l, char style) {
                SCOPED_TRACE(l.name);
                const Found f = find(p, l, sx, sy, left, top);
                EXPECT_LE(std::abs(f.offset), 1);
                switch (style) {
                case 's': // a solid line: all ink, no gap
                    EXPECT_GT(f.inked, 0.97);
                    EXPECT_EQ(f.gaps, 0);
                    break;
                case 'd': // 18 on, 6 off
                    EXPECT_NEAR(f.inked, 0.75, 0.06);
                    EXPECT_GE(f.gaps, 15);
                    break;
                case '.': // 3 on, 3 off
                    EXPECT_NEAR(f.inked, 0.5, 0.08);
                    EXPECT_GE(f.gaps, 60);
                    break;
                }
            };
            for (const Line& l : contour)
                check(l, contourStyle);
            for (const Line& l : folds)
                check(l, foldStyle);

            // The body, 250 x 126 mm, measured between its edges' pixels, within what whole-millimetre
            // sizes and a pixel either side allow.
            const Found l20 = find(p, contour[2], sx, sy, left, top);
            const Found l270 = find(p, contour[3], sx, sy, left, top);
            const Found l42 = find(p, contour[0], sx, sy, left, top);
            const Found l168 = find(p, contour[1], sx, sy, left, top);
            const double width =
                (mmToPixel(sx, 270) + l270.offset - mmToPixel(sx, 20) - l20.offset) * 25.4 / p.acrossDpi;
            const double height =
                (mmToPixel(sy, 168) + l168.offset - mmToPixel(sy, 42) - l42.offset) * 25.4 / p.downDpi;
            EXPECT_NEAR(width, 250, 250 * 0.5 / caps.horzSize + 2 * 25.4 / p.acrossDpi);
            EXPECT_NEAR(height, 126, 126 * 0.5 / caps.vertSize + 2 * 25.4 / p.downDpi);

            // Nothing at all left of the body or above the top flap.
            for (int y = 0; y < p.page.height(); y += 7)
                for (int x = 0; x < left + mmToPixel(sx, 20) - 3; x += 3)
                    ASSERT_FALSE(p.black(x, y)) << "ink at " << x << "," << y;
        }
    }
}

TEST_F(JobThroughCups, NoTemplateSendsNoJobAndSaysWhatIsMissing) {
    choose(q300);
    // Every job the queue has had, finished ones too.
    const auto jobsEver = [] {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, q300.name, 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(n, jobs);
        return n;
    };
    const int before = jobsEver();
    QFile::remove(PrivateCups::outputFile(QString::fromLatin1(q300.name)));
    try {
        printEnvelope(*printer, [] { return -1; });
        ADD_FAILURE() << "printed without a template";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Не выбран шаблон печати.");
    }
    EXPECT_EQ(jobsEver(), before);
    EXPECT_FALSE(QFile::exists(PrivateCups::outputFile(QString::fromLatin1(q300.name))));
    EXPECT_FALSE(printer->Printing());
}

// Read while the job waits on a stopped queue, which takes it and holds it.
TEST_F(JobThroughCups, TheJobHasAnEmptyNameAndAsksForNoScalingAndNoTurn) {
    choose(q300);
    PrivateCups::run(QStringLiteral("cupsdisable"), {QString::fromLatin1(q300.name)});
    const auto enable =
        qScopeGuard([] { PrivateCups::run(QStringLiteral("cupsenable"), {QString::fromLatin1(q300.name)}); });
    printEnvelope(*printer, [] { return 0; });
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, q300.name, 0, CUPS_WHICHJOBS_ACTIVE);
    const auto freeJobs = qScopeGuard([&] { cupsFreeJobs(n, jobs); });
    ASSERT_EQ(n, 1);
    EXPECT_STREQ(jobs[0].title, "");
    EXPECT_STREQ(jobs[0].format, "application/pdf");

    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QStringLiteral("ipp://localhost/jobs/%1").arg(jobs[0].id).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ipp_t* answer = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const auto freeAnswer = qScopeGuard([&] { ippDelete(answer); });
    ASSERT_NE(answer, nullptr) << cupsLastErrorString();
    ipp_attribute_t* scaling = ippFindAttribute(answer, "print-scaling", IPP_TAG_KEYWORD);
    ASSERT_NE(scaling, nullptr);
    EXPECT_STREQ(ippGetString(scaling, 0, nullptr), "none");
    EXPECT_EQ(ippFindAttribute(answer, "orientation-requested", IPP_TAG_ZERO), nullptr);
}

// The server's own words, and a printer object ready for the next command.
TEST_F(JobThroughCups, ARefusedJobIsReportedAndTheNextOneGoesThrough) {
    choose(q600);
    PrivateCups::run(QStringLiteral("cupsreject"), {QString::fromLatin1(q600.name)});
    auto accept =
        qScopeGuard([] { PrivateCups::run(QStringLiteral("cupsaccept"), {QString::fromLatin1(q600.name)}); });
    try {
        printEnvelope(*printer, [] { return 1; });
        ADD_FAILURE() << "a rejecting queue took the job";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.code(), IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS);
        EXPECT_STREQ(e.what(), "System Error.  Code: 1286.\r\nDestination \"Q600\" is not accepting jobs.");
    }
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(printer->State(), psNoHandle);
    EXPECT_EQ(PrivateCups::activeJobs(QString::fromLatin1(q600.name)), 0);

    accept.dismiss();
    PrivateCups::run(QStringLiteral("cupsaccept"), {QString::fromLatin1(q600.name)});
    QFile::remove(PrivateCups::outputFile(QString::fromLatin1(q600.name)));
    printEnvelope(*printer, [] { return 1; });
    const Printed p = readBack(q600, *printer->DevMode());
    EXPECT_EQ(p.acrossDpi, 600);
}

// While the job is handed over the program's events are handled; a print command among them is refused,
// and a server that goes away meanwhile is reported.
TEST_F(JobThroughCups, EventsDuringTheHandOverAndAServerThatGoesAway) {
    PrivateCups::SpareServer spare;
    spare.addQueue(QStringLiteral("Far"));
    spare.setDefault(QStringLiteral("Far"));
    const QByteArray address = spare.address().toUtf8();
    cupsSetServer(address.constData());
    const auto back = qScopeGuard([] { cupsSetServer(nullptr); });
    TPrinter far(std::make_unique<CupsPrintSystem>());

    int handled = 0;
    std::string refusal;
    far.setPendingEventsHandler([&] {
        if (handled++ > 0)
            return;
        try {
            printEnvelope(far, [] { return 2; });
        } catch (const EPrinter& e) {
            refusal = e.what();
        }
    });
    printEnvelope(far, [] { return 2; });
    EXPECT_GE(handled, 1);
    EXPECT_EQ(refusal, "Printing in progress");

    far.setPendingEventsHandler([&] { spare.stop(); });
    try {
        printEnvelope(far, [] { return 2; });
        ADD_FAILURE() << "a job to a server that went away counted as printed";
    } catch (const EOSError& e) {
        EXPECT_GE(e.code(), 0x0400) << e.what();
        EXPECT_NE(std::string(e.what()).find("\r\n"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(far.Printing());
    EXPECT_EQ(far.State(), psNoHandle);
}

} // namespace
