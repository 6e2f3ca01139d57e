// A driverless printer for real: the program prints through an IPP Everywhere queue on the private server
// to CUPS's own IPP Everywhere printer, and the PWG raster the printer received is decoded and measured.
#include "EnvelopeCheck.h"
#include "PrivateCups.h"
#include "PwgRaster.h"
#include "SheetView.h"
#include "platform/DeviceCaps.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "printing/WideLineSink.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QThread>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

QString script() {
    return qEnvironmentVariable("VORNEL_CUPSD")
        .replace(QStringLiteral("cupsd.sh"), QStringLiteral("ippeve.sh"));
}

QString printerDir() {
    return qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-ippeve");
}

// The raster of the one job the printer kept, once it is whole.
QByteArray receivedRaster() {
    const QDir jobs(printerDir() + QStringLiteral("/jobs"));
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        const QStringList files = jobs.entryList({QStringLiteral("*.pwg")}, QDir::Files);
        if (files.size() > 1)
            throw std::runtime_error("the printer received more than one job");
        if (files.size() == 1 && PrivateCups::activeJobs(QString()) == 0) {
            QFile f(jobs.filePath(files.first()));
            if (f.open(QIODevice::ReadOnly)) {
                const QByteArray bytes = f.readAll();
                try {
                    if (PwgRaster::decode(bytes).size() == 1)
                        return bytes;
                } catch (const std::runtime_error&) {
                    // Still being written.
                }
            }
        }
        QThread::msleep(50);
    }
    throw std::runtime_error("the printer received no whole raster");
}

class Driverless : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const QString port = QString::number(qEnvironmentVariableIntValue("VORNEL_CUPSD_SPARE_PORT") + 1);
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(script(), {QStringLiteral("start"), printerDir(), port, QStringLiteral("Vornel Everywhere")});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            throw std::runtime_error("ippeve.sh start: " + p.readAll().toStdString());
        uri_ = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        PrivateCups::deleteAll();
        const QString cupsd = qEnvironmentVariable("VORNEL_CUPSD");
        const QString dir = qEnvironmentVariable("VORNEL_CUPSD_DIR");
        PrivateCups::run(cupsd, {QStringLiteral("add-everywhere"), dir, QStringLiteral("Eve600"), uri_});
        PrivateCups::run(cupsd, {QStringLiteral("add-everywhere"), dir, QStringLiteral("Eve300"), uri_,
                                 QStringLiteral("300dpi")});
    }

    static void TearDownTestSuite() {
        PrivateCups::deleteAll();
        QProcess::execute(script(), {QStringLiteral("stop"), printerDir()});
    }

    void print(const QString& queue) {
        printer = std::make_unique<TPrinter>(std::make_unique<CupsPrintSystem>());
        const auto& list = printer->Printers();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].Name == queue)
                printer->setPrinterIndex(static_cast<int>(i));
        ASSERT_EQ(printer->Printers()[static_cast<std::size_t>(printer->PrinterIndex())].Name, queue);
        for (const QString& f : QDir(printerDir() + QStringLiteral("/jobs")).entryList(QDir::Files))
            QFile::remove(printerDir() + QStringLiteral("/jobs/") + f);
        printEnvelope(*printer, [] { return 0; });
    }

    static inline QString uri_;
    std::unique_ptr<TPrinter> printer;
};

// The queue's resolution, or the user's from lpoptions where the printer has it: Eve600's 300 dpi is only in
// its PPD's print qualities; 1200 dpi it has nowhere.
TEST_F(Driverless, TheEnvelopeArrivesWholeAtTrueScaleFromThePrintersMargins) {
    struct Case {
        const char* queue;
        QByteArray lpoptions;
        int dpi;
    };
    const Case cases[] = {
        {"Eve600", {}, 600},
        {"Eve300", {}, 300},
        {"Eve600", "Dest Eve600 printer-resolution=300dpi\n", 300},
        {"Eve600", "Dest Eve600 printer-resolution=1200dpi\n", 600},
    };
    const QString lpoptions = QDir::homePath() + QStringLiteral("/.cups/lpoptions");
    const auto removeOptions = qScopeGuard([&] { QFile::remove(lpoptions); });
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.queue << " " << c.lpoptions.trimmed().constData());
        QFile::remove(lpoptions);
        if (!c.lpoptions.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(QDir::homePath() + QStringLiteral("/.cups")));
            QFile file(lpoptions);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.lpoptions) == c.lpoptions.size());
        }
        const int dpi = c.dpi;
        print(QString::fromLatin1(c.queue));
        const std::vector<PwgRaster::Page> pages = PwgRaster::decode(receivedRaster());
        ASSERT_EQ(pages.size(), 1u);
        const PwgRaster::Page& sheet = pages.front();
        EXPECT_EQ(sheet.xDpi, dpi);
        EXPECT_EQ(sheet.yDpi, dpi);
        // The whole portrait A4 sheet.
        EXPECT_NEAR(sheet.image.width() * 25.4 / dpi, 210, 0.2);
        EXPECT_NEAR(sheet.image.height() * 25.4 / dpi, 297, 0.2);

        // The printer's own margins on A4: 3.40 mm left and right, 6.35 mm top and bottom.
        const DocumentSettings s = *printer->DevMode();
        EXPECT_EQ(s.xResolution, dpi);
        EXPECT_EQ(s.marginLeft, 340);
        EXPECT_EQ(s.marginBottom, 635);

        EnvelopeExpectation e;
        e.caps = deviceCapsFor(s);
        e.acrossDpi = horizontalDpi(s);
        e.downDpi = verticalDpi(s);
        // The server's rasteriser inks the pixels a mark touches, edges included: measured here, a line one
        // pixel wide comes out as two pixels across the sheet's rows.
        e.spread = 1;
        const SheetView::Page page(sheet.image, s, SheetView::Grid::FromBottom);
        expectSolidEnvelope([&](bool, int) { return page; }, e);
    }
}

} // namespace
