// The program over a network with a printer that only DNS-SD knows (Eve, IPP Everywhere, taking PWG raster)
// beside a server with two queues: the window lists Eve as it is found and prints on it, and so does the
// command line. Run inside tests/cups/dnssd.sh, which says where Eve keeps what it receives.
#include "EnvelopeCheck.h"
#include "Headless.h"
#include "ProgramOnCups.h"
#include "PwgRaster.h"
#include "SheetView.h"
#include "ui/ListBox.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidgetItem>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

QDir jobs() {
    return QDir(qEnvironmentVariable("VORNEL_EVE_JOBS"));
}

void forgetJobs() {
    for (const QString& f : jobs().entryList(QDir::Files))
        jobs().remove(f);
}

// The one page Eve received, once it is whole.
PwgRaster::Page receivedPage() {
    const QDeadlineTimer deadline(90000);
    while (!deadline.hasExpired()) {
        const QStringList files = jobs().entryList({QStringLiteral("*.pwg")}, QDir::Files);
        if (files.size() > 1)
            throw std::runtime_error("Eve received more than one job");
        if (files.size() == 1) {
            QFile f(jobs().filePath(files.first()));
            if (f.open(QIODevice::ReadOnly)) {
                try {
                    std::vector<PwgRaster::Page> pages = PwgRaster::decode(f.readAll());
                    if (pages.size() == 1)
                        return std::move(pages.front());
                } catch (const std::runtime_error&) {
                    // Still being written.
                }
            }
        }
        QThread::msleep(50);
    }
    throw std::runtime_error("Eve received no whole raster");
}

// The envelope on the sheet at true scale, laid out by the settings it was printed with.
void expectEnvelopeAtTrueScale(const PwgRaster::Page& sheet, const DocumentSettings& s) {
    EXPECT_EQ(sheet.xDpi, s.xResolution);
    EXPECT_EQ(sheet.yDpi, s.yResolution);
    EXPECT_NEAR(sheet.image.width() * 25.4 / sheet.xDpi, s.paperWidth / 100.0, 0.2);
    EXPECT_NEAR(sheet.image.height() * 25.4 / sheet.yDpi, s.paperLength / 100.0, 0.2);
    EnvelopeExpectation e = expectationFor(s);
    // Eve's Letter sheet is shorter than the envelope's reach: the drawing moves left to fit, whole.
    const double sx = static_cast<double>(e.caps.horzRes) / e.caps.horzSize;
    e.shiftX = std::min(0, e.caps.horzRes - 1 - (mmToPixel(sx, 270) + e.lineWidth - 1));
    // The server's rasteriser inks the pixels a mark touches, edges included.
    e.spread = 1;
    const SheetView::Page page(sheet.image, s, SheetView::Grid::FromBottom);
    expectSolidEnvelope([&](bool, int) { return page; }, e);
}

QStringList rows(const TListBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

class NetworkPrinters : public ReportedErrors {};

TEST_F(NetworkPrinters, TheWindowListsEveBelowTheQueuesAsFoundAndPrintsOnItAtTrueScale) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    ProgramOnCups program;
    TListBox& list = *program.form.ListBoxPrinters;
    ASSERT_EQ(rows(list), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    ASSERT_EQ(list.ItemIndex(), 0);

    QTRY_COMPARE_WITH_TIMEOUT(list.count(), 3, 30000);
    std::fprintf(stderr, "Eve listed %lld ms after the start\n", static_cast<long long>(sinceStart.elapsed()));
    EXPECT_EQ(rows(list), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Eve")}));
    EXPECT_TRUE(list.item(2)->toolTip().contains(QStringLiteral("найден в сети")));
    EXPECT_FALSE(list.item(0)->toolTip().contains(QStringLiteral("найден в сети")));
    // The selection and the current printer are where the start put them.
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(program.printer.PrinterIndex(), 0);

    forgetJobs();
    list.setItemIndex(2);
    program.form.ListBoxPrintersMouseUp();
    ASSERT_TRUE(reported.isEmpty()) << reported.join(u'\n').toStdString();
    ASSERT_NE(program.printer.DevMode(), nullptr);
    program.form.BtnPrintClick();
    ASSERT_TRUE(reported.isEmpty()) << reported.join(u'\n').toStdString();
    // As printed: the landscape page on the printer's paper at its resolution.
    expectEnvelopeAtTrueScale(receivedPage(), *program.printer.DevMode());
}

TEST_F(NetworkPrinters, TheCommandLineListsEveAndPrintsOnItByName) {
    const Outcome listed = runHeadless(QStringLiteral(VORNEL_EXECUTABLE), {QStringLiteral("--list-printers")});
    EXPECT_EQ(listed.status, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, QStringLiteral("Alpha (по умолчанию)\nBeta\nEve\n"));

    forgetJobs();
    const Outcome printed = runHeadless(QStringLiteral(VORNEL_EXECUTABLE),
                                        {QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Eve")});
    ASSERT_EQ(printed.status, 0) << printed.err.toStdString();
    // The settings the command printed with are the printer's, as the window reads them.
    TPrinter printer(std::make_unique<CupsPrintSystem>());
    printer.Printers();
    printer.networkSearch()([&](const QString& name) { printer.addNetworkPrinter(name); },
                            std::chrono::milliseconds(5000), {});
    const int eve = printer.indexOfPrinter(QStringLiteral("Eve"));
    ASSERT_GE(eve, 0);
    printer.setPrinterIndex(eve);
    ASSERT_NE(printer.DevMode(), nullptr);
    DocumentSettings settings = *printer.DevMode();
    settings.orientation = PageOrientation::Landscape;
    expectEnvelopeAtTrueScale(receivedPage(), settings);
}

TEST_F(NetworkPrinters, ANameNeitherQueueNorFoundIsNotFound) {
    const Outcome printed = runHeadless(QStringLiteral(VORNEL_EXECUTABLE),
                                        {QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Nobody")});
    EXPECT_EQ(printed.status, 1);
    EXPECT_EQ(printed.err, QStringLiteral("Принтер «Nobody» не найден.\n"));
}

} // namespace
