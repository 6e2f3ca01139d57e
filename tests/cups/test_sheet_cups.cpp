// The envelope on the sheet, printed through the private CUPS server onto file queues and measured: on
// Letter moved to stay whole, on A5 and A6 refused, in the same place whichever way the driver turns a
// landscape page, and with lines wide enough to see at 1200 and 2400 dpi. A driver's printable area is kept
// to the sheet, and a resolution past any printer's is refused.
#include "ChooseQueue.h"
#include "EnvelopeCheck.h"
#include "ErrorMessage.h"
#include "PrivateCups.h"
#include "SheetView.h"
#include "platform/DeviceCaps.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QFile>

#include <memory>
#include <utility>

namespace {

struct Queue {
    const char* name;
    const char* format;
    const char* dpi;
    const char* paper;
    // The printable area on the A4 sheet in points (left, bottom, right, top), instead of the model's.
    const char* imageableArea = nullptr;
};

// Every margin different: 20 mm left, 12 mm bottom, 5 mm right and 8 mm top of the portrait sheet.
constexpr const char* UnequalMargins = "56.69 34.02 580.83 819.32";
const Queue plus90{"Plus90", "pdf", "300dpi", "A4", UnequalMargins};
const Queue minus90{"Minus90", "pdf-minus90", "300dpi", "A4", UnequalMargins};
const Queue letter{"Letter", "pdf", "600dpi", "Letter"};
const Queue a5{"A5", "pdf", "300dpi", "A5"};
const Queue a6{"A6", "pdf", "600dpi", "A6"};
const Queue q600{"S600", "pdf", "600dpi", "A4"};
const Queue q1200{"S1200", "pdf", "1200dpi", "A4"};
const Queue q2400{"S2400", "pdf", "2400dpi", "A4"};
// A driver's printable area turned inside out, and one reaching past the sheet on every side.
const Queue inverted{"Inverted", "pdf", "300dpi", "A4", "577 806 18 36"};
const Queue oversized{"Oversized", "pdf", "300dpi", "A4", "-100 -100 700 950"};
const Queue absurd{"Absurd", "pdf", "2000000000dpi", "A4"};

void addQueue(const Queue& q) {
    const QString name = QString::fromLatin1(q.name);
    PrivateCups::addQueue(name, QString::fromLatin1(q.format), QString::fromLatin1(q.dpi),
                          QString::fromLatin1(q.paper));
    if (q.imageableArea)
        PrivateCups::setImageableArea(name, QString::fromLatin1(q.imageableArea));
}

class SheetThroughCups : public testing::Test {
protected:
    void SetUp() override {
        static bool queuesReady = false;
        if (!queuesReady) {
            PrivateCups::deleteAll();
            for (const Queue* q : {&plus90, &minus90, &letter, &a5, &a6, &q600, &q1200, &q2400, &inverted,
                                   &oversized, &absurd})
                addQueue(*q);
            queuesReady = true;
        }
        printer = std::make_unique<TPrinter>(std::make_unique<CupsPrintSystem>());
    }

    void choose(const Queue& q) { chooseQueue(*printer, QString::fromLatin1(q.name)); }

    // Prints the solid envelope on the queue; the file it wrote.
    QString print(const Queue& q) {
        choose(q);
        const QString file = PrivateCups::outputFile(QString::fromLatin1(q.name));
        QFile::remove(file);
        printEnvelope(*printer, [] { return 0; });
        PrivateCups::waitForOutput(QString::fromLatin1(q.name), file);
        return file;
    }

    EnvelopeExpectation expectation() const { return expectationFor(*printer->DevMode()); }

    std::unique_ptr<TPrinter> printer;
};

TEST_F(SheetThroughCups, EitherTurnOfTheDriverGivesTheSamePlaceOnTheSheet) {
    QImage sheets[2];
    int i = 0;
    for (const Queue* q : {&plus90, &minus90}) {
        SCOPED_TRACE(q->name);
        const QString file = print(*q);
        const SheetView::Page page = SheetView::rasterise(file, *printer->DevMode());
        // A portrait A4 sheet.
        EXPECT_NEAR(page.sheet().width() * 25.4 / 300, 210, 0.2);
        EXPECT_NEAR(page.sheet().height() * 25.4 / 300, 297, 0.2);
        expectSolidEnvelope([&](bool, int) { return page; }, expectation());
        sheets[i++] = page.sheet();
    }
    EXPECT_TRUE(sheets[0] == sheets[1]) << "the two sheets differ";
}

TEST_F(SheetThroughCups, OnLetterTheWholeEnvelopeIsPrintedAtTrueScale) {
    const QString file = print(letter);
    const DocumentSettings& s = *printer->DevMode();
    ASSERT_EQ(s.paperName, QStringLiteral("na_letter_8.5x11in"));
    const SheetView::Page page = SheetView::rasterise(file, s);
    EnvelopeExpectation e = expectation();
    const double sx = static_cast<double>(e.caps.horzRes) / e.caps.horzSize;
    // The right edge's last pixel on the printable area's last column, and no further to the left.
    e.shiftX = e.caps.horzRes - 1 - (mmToPixel(sx, 270) + e.lineWidth - 1);
    EXPECT_NEAR(e.shiftX * 25.4 / e.acrossDpi, -16, 0.1);
    expectSolidEnvelope([&](bool, int) { return page; }, e);
}

// Beyond the sheet, a printable area is cut to it: there the envelope sits at its usual offsets from the
// sheet's corner, whole.
TEST_F(SheetThroughCups, APrintableAreaPastTheSheetIsKeptToIt) {
    const QString file = print(oversized);
    const DocumentSettings& s = *printer->DevMode();
    EXPECT_EQ(printableWidth(s), s.paperLength);
    EXPECT_EQ(printableHeight(s), s.paperWidth);
    expectSolidEnvelope([page = SheetView::rasterise(file, s)](bool, int) { return page; }, expectation());
}

TEST_F(SheetThroughCups, WhereTheEnvelopeCantBeWholeNothingIsPrintedAndTheMessageSaysWhy) {
    const struct {
        const Queue* queue;
        int dpi; // as the queue reports it
        const char* message;
    } cases[] = {
        {&a5, 300, "Бумага A5 (148 x 210 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        {&a6, 600, "Бумага A6 (105 x 148 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        {&inverted, 300,
         "Бумага A4 (210 x 297 мм) слишком мала для конверта: нужна область печати 250 x 146 мм."},
        {&absurd, 2000000000, "Operation not supported on selected printer"},
    };
    for (const auto& [q, dpi, message] : cases) {
        SCOPED_TRACE(q->name);
        choose(*q);
        ASSERT_NE(printer->DevMode(), nullptr);
        EXPECT_EQ(printer->DevMode()->xResolution, dpi);
        const QString file = PrivateCups::outputFile(QString::fromLatin1(q->name));
        QFile::remove(file);
        EXPECT_EQ(messageOf([&] { printEnvelope(*printer, [] { return 0; }); }), message);
        EXPECT_FALSE(printer->Printing());
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, q->name, 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(n, jobs);
        EXPECT_EQ(n, 0) << "a job reached the queue";
        EXPECT_FALSE(QFile::exists(file));
    }
}

// At 600 dpi one pixel, at 1200 two, at 2400 four, on both axes. A whole sheet at 2400 dpi is half a
// gigabyte of picture, so only the rows and columns measured are rasterised.
TEST_F(SheetThroughCups, LinesAreA600thOfAnInchWideAtEveryResolution) {
    for (const Queue* q : {&q600, &q1200, &q2400}) {
        SCOPED_TRACE(q->name);
        const QString file = print(*q);
        const DocumentSettings s = *printer->DevMode();
        const EnvelopeExpectation e = expectation();
        EXPECT_EQ(e.lineWidth, e.acrossDpi / 600);
        const int sheetWidth = s.paperWidth * s.xResolution / 2540;
        const int sheetHeight = s.paperLength * s.yResolution / 2540;
        const int row0 = SheetView::Page::rowOfX0(s);
        expectSolidEnvelope(
            [&](bool column, int at) {
                // A page column is a sheet row, a page row a sheet column.
                return SheetView::rasterise(
                    file, s,
                    column ? QRect(0, row0 - at, sheetWidth, 1)
                           : QRect(SheetView::Page::columnOfY0(s) + at, 0, 1, sheetHeight));
            },
            e);
    }
}

} // namespace
