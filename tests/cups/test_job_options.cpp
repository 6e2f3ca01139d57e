// The job asks the server for what its page was drawn for: the paper and resolution in effect for the
// user (lpoptions over the queue's defaults) go with the job, so the sheet that comes out is that paper. A
// paper or resolution the printer does not list gives way to one it does.
#include "EnvelopeCheck.h"
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "SheetView.h"
#include "app/ErrorReport.h"
#include "platform/DeviceCaps.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

struct Program : ProgramOnCups {
    void print() {
        QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
};

// The attributes of the queue's one job as the server keeps them.
struct JobAttributes {
    QString media;
    QString resolution;
};

JobAttributes onlyJob(const char* queue) {
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ACTIVE);
    const auto freeJobs = qScopeGuard([&] { cupsFreeJobs(n, jobs); });
    if (n != 1)
        throw std::runtime_error("expected one job, found " + std::to_string(n));
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", jobs[0].id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const auto freeResponse = qScopeGuard([&] { ippDelete(response); });
    JobAttributes found;
    char text[256];
    if (ipp_attribute_t* media = ippFindAttribute(response, "media", IPP_TAG_ZERO)) {
        ippAttributeString(media, text, sizeof(text));
        found.media = QString::fromUtf8(text);
    }
    if (ipp_attribute_t* resolution = ippFindAttribute(response, "printer-resolution", IPP_TAG_RESOLUTION)) {
        ippAttributeString(resolution, text, sizeof(text));
        found.resolution = QString::fromUtf8(text);
    }
    return found;
}

// The size of the sheet the queue printed, in points, once its job is done.
QSizeF printedSheet(const QString& queue) {
    const QString file = PrivateCups::outputFile(queue);
    const QDeadlineTimer deadline(60000);
    const QByteArray name = queue.toUtf8();
    cups_job_t* jobs = nullptr;
    for (;;) {
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(n, jobs);
        if (n == 0 && QFile::exists(file))
            break;
        if (deadline.hasExpired())
            throw std::runtime_error("the queue never finished its job");
        QThread::msleep(50);
    }
    const QString info = PrivateCups::run(QStringLiteral("pdfinfo"), {file});
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    if (!size.hasMatch())
        throw std::runtime_error("no page size in " + info.toStdString());
    return {size.captured(1).toDouble(), size.captured(2).toDouble()};
}

class JobOptions : public testing::Test {
protected:
    void SetUp() override {
        registerApplicationFonts();
        ErrorReport::setPresenter([this](const QString& text, const QString&) { reported << text; });
        PrivateCups::deleteAll();
    }
    void TearDown() override {
        ErrorReport::setPresenter({});
        QFile::remove(lpoptions());
        PrivateCups::deleteAll();
    }

    static QString lpoptions() { return QDir::homePath() + QStringLiteral("/.cups/lpoptions"); }

    static void writeLpoptions(const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(QDir::homePath() + QStringLiteral("/.cups")));
        QFile file(lpoptions());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // A default queue whose paper is Letter, held: its job waits to be looked at.
    static void heldQueue(const QString& name, const QString& dpi, const QString& media) {
        PrivateCups::addQueue(name, QStringLiteral("pdf"), dpi);
        PrivateCups::run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-o"),
                                                     QStringLiteral("media-default=") + media});
        PrivateCups::setDefault(name);
        PrivateCups::run(QStringLiteral("cupsdisable"), {name});
        QFile::remove(PrivateCups::outputFile(name));
    }

    QStringList reported;
};

TEST_F(JobOptions, UsersPaperAndResolutionGoWithTheJob) {
    struct Case {
        const char* name;
        const char* queueMedia;
        QByteArray lpoptions;
        QString paper;
        QString media;
        QString resolution;
        QSizeF sheet; // points
    } cases[] = {
        {"Letter queue, A4 chosen by the user",
         "na_letter_8.5x11in",
         "Dest Letter media=iso_a4_210x297mm\n",
         "iso_a4_210x297mm",
         "iso_a4_210x297mm",
         "600dpi",
         {595.3, 841.9}},
        {"Letter queue, A4 and 300 dpi chosen by the user",
         "na_letter_8.5x11in",
         "Dest Letter media=iso_a4_210x297mm printer-resolution=300dpi\n",
         "iso_a4_210x297mm",
         "iso_a4_210x297mm",
         "300dpi",
         {595.3, 841.9}},
        {"Letter queue as it is",
         "na_letter_8.5x11in",
         "",
         "na_letter_8.5x11in",
         "na_letter_8.5x11in",
         "600dpi",
         {612, 792}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        const QString queue = QStringLiteral("Letter");
        heldQueue(queue, QStringLiteral("600dpi"), QString::fromLatin1(c.queueMedia));
        QFile::remove(lpoptions());
        if (!c.lpoptions.isEmpty())
            writeLpoptions(c.lpoptions);

        Program program;
        ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        ASSERT_NE(program.printer.DevMode(), nullptr);
        EXPECT_EQ(program.printer.DevMode()->paperName, c.paper);
        program.print();
        EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

        const JobAttributes job = onlyJob("Letter");
        EXPECT_EQ(job.media, c.media);
        EXPECT_EQ(job.resolution, c.resolution);

        PrivateCups::run(QStringLiteral("cupsenable"), {queue});
        const QSizeF sheet = printedSheet(queue);
        EXPECT_NEAR(sheet.width(), c.sheet.width(), 1.0);
        EXPECT_NEAR(sheet.height(), c.sheet.height(), 1.0);
        PrivateCups::deleteQueue(queue);
    }
}

// A default paper the printer does not list (a photo size on an office printer's driver) gives way to one
// it lists, as it does for lp, and the job prints.
TEST_F(JobOptions, DefaultPaperThePrinterLacksFallsBackToOneItHas) {
    const QString queue = QStringLiteral("Photo");
    heldQueue(queue, QStringLiteral("300dpi"), QStringLiteral("na_index-4x6_4x6in"));

    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    ASSERT_NE(program.printer.DevMode(), nullptr);
    const QString paper = program.printer.DevMode()->paperName;
    EXPECT_NE(paper, QStringLiteral("na_index-4x6_4x6in"));
    program.print();
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(onlyJob("Photo").media, paper);
    PrivateCups::run(QStringLiteral("cupsenable"), {queue});
    const QSizeF sheet = printedSheet(queue);
    EXPECT_NEAR(sheet.width(), program.printer.DevMode()->paperWidth * 72 / 2540.0, 1.0);
    EXPECT_NEAR(sheet.height(), program.printer.DevMode()->paperLength * 72 / 2540.0, 1.0);
}

// Bravo lists 300, 600 and 1200 dpi and defaults to 600. A resolution of the user's that it does not list,
// however absurd, gives way to the default: the job asks for 600 dpi and the envelope comes out whole at
// true scale, by the short settings answer and, with a paper of the user's, by the full capabilities.
TEST_F(JobOptions, ResolutionsThePrinterDoesNotListGiveWayToItsDefault) {
    const struct {
        QByteArray lpoptions;
        const char* media;
    } cases[] = {
        {"printer-resolution=10000000dpi", "iso_a4_210x297mm"},
        {"printer-resolution=1000000dpi", "iso_a4_210x297mm"},
        {"printer-resolution=1dpi", "iso_a4_210x297mm"},
        {"printer-resolution=99999x1dpi", "iso_a4_210x297mm"},
        {"printer-resolution=2000000000dpi", "iso_a4_210x297mm"},
        {"printer-resolution=4000000dpcm", "iso_a4_210x297mm"},
        {"printer-resolution=600x300dpi", "iso_a4_210x297mm"},
        {"media=na_letter_8.5x11in printer-resolution=10000000dpi", "na_letter_8.5x11in"},
        {"media=na_letter_8.5x11in printer-resolution=1dpi", "na_letter_8.5x11in"},
    };
    const QString queue = QStringLiteral("Bravo");
    // One case: a failed check ends the case, not the table.
    const auto check = [&](const QByteArray& lpoptions, const QString& media) {
        reported.clear();
        heldQueue(queue, QStringLiteral("600dpi"), QStringLiteral("iso_a4_210x297mm"));
        const auto remove = qScopeGuard([&] { PrivateCups::deleteQueue(queue); });
        writeLpoptions("Dest Bravo " + lpoptions + "\n");

        Program program;
        ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        ASSERT_NE(program.printer.DevMode(), nullptr);
        EXPECT_EQ(program.printer.DevMode()->xResolution, 600);
        EXPECT_EQ(program.printer.DevMode()->yResolution, 600);
        program.print();
        ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

        const JobAttributes job = onlyJob("Bravo");
        EXPECT_EQ(job.resolution, QStringLiteral("600dpi"));
        EXPECT_EQ(job.media, media);

        PrivateCups::run(QStringLiteral("cupsenable"), {queue});
        const QString file = PrivateCups::outputFile(queue);
        PrivateCups::waitForOutput(queue, file);
        const DocumentSettings& s = *program.printer.DevMode();
        const SheetView::Page page = SheetView::rasterise(file, s);
        EnvelopeExpectation e = expectationFor(s);
        // On Letter the right edge's last pixel lies on the printable area's last column.
        const double sx = static_cast<double>(e.caps.horzRes) / e.caps.horzSize;
        e.shiftX = std::min(0, e.caps.horzRes - 1 - (mmToPixel(sx, 270) + e.lineWidth - 1));
        expectSolidEnvelope([&](bool, int) { return page; }, e);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lpoptions.toStdString());
        check(c.lpoptions, QString::fromLatin1(c.media));
    }
}

} // namespace
