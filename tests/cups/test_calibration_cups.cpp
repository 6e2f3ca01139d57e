// Calibration on the private print server: the sheet as it comes out, a calibrated queue's envelope
// measured on the output, every other output unchanged, the stored file across runs, and the dialog.
#include "Headless.h"
#include "PrivateCups.h"
#include "SheetView.h"
#include "platform/DeviceCaps.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/CalibrationStore.h"
#include "printing/TPrinter.h"
#include "templates/CalibrationSheet.h"
#include "ui/CalibrationDialog.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/MillimetreBox.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace {

const QString Near = QStringLiteral("Near");
const QString Far = QStringLiteral("Far");

// A PDF's bytes but for the moment it was made.
QByteArray withoutDate(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    const qsizetype at = bytes.indexOf("/CreationDate (");
    if (at >= 0)
        bytes.remove(at, bytes.indexOf(')', at) - at);
    return bytes;
}

Outcome vornel(const QStringList& arguments) {
    return runHeadless(QStringLiteral(VORNEL_EXECUTABLE), arguments);
}

struct Printed {
    DocumentSettings settings; // landscape
    SheetView::Page page;

    double across() const { return horizontalDpi(settings) / 25.4; }
    double down() const { return verticalDpi(settings) / 25.4; }
    DeviceCaps caps() const { return deviceCapsFor(settings); }
    // Stretches of ink along page row (or column) `mm` millimetres in, over the whole page and beyond.
    std::vector<std::pair<int, int>> row(double mm) const {
        return page.inkAlong(false, static_cast<int>(std::lround(mm * down())), -40, caps().horzRes + 40);
    }
    std::vector<std::pair<int, int>> column(double mm) const {
        return page.inkAlong(true, static_cast<int>(std::lround(mm * across())), -40, caps().vertRes + 40);
    }
};

class CalibrationOnCups : public testing::Test {
protected:
    void SetUp() override {
        // The program's configuration goes to a folder of the test's own, for it and for what it starts.
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
        // The sheet's text takes the toolkit's fonts, whose start wants one, as on any desktop.
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        PrivateCups::deleteAll();
        for (const QString& q : {Near, Far}) {
            PrivateCups::addQueue(q, QStringLiteral("pdf"), QStringLiteral("600dpi"));
            QFile::remove(PrivateCups::outputFile(q));
        }
        PrivateCups::setDefault(Near);
    }
    void TearDown() override {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("HOME", oldHome);
    }

    QString file() const { return home.path() + QStringLiteral("/config/vornel/calibration.json"); }
    QByteArray stored() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static DocumentSettings landscapeSettingsOf(const QString& queue) {
        TPrinter printer(std::make_unique<CupsPrintSystem>());
        printer.setPrinterIndex(printer.indexOfPrinter(queue));
        DocumentSettings s = *printer.DevMode();
        s.orientation = PageOrientation::Landscape;
        return s;
    }

    // What the queue wrote for its last job, seen as the landscape page; the file is taken away.
    static Printed takePrinted(const QString& queue) {
        const QString output = PrivateCups::outputFile(queue);
        PrivateCups::waitForOutput(queue, output);
        DocumentSettings s = landscapeSettingsOf(queue);
        DocumentSettings portrait = s;
        portrait.orientation = PageOrientation::Portrait;
        Printed printed{s, SheetView::rasterise(output, portrait)};
        QFile::remove(output);
        return printed;
    }

    static Printed printedByCommandLine(const QString& queue) {
        const Outcome o = vornel({QStringLiteral("--print"), QStringLiteral("--printer"), queue});
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
        return takePrinted(queue);
    }

    // The envelope's body across and down, in millimetres on the output: its outer lines across the middle,
    // the right panel's top and bottom edges down it.
    static std::pair<double, double> body(const Printed& p) {
        const auto across = p.row(105);
        const auto down = p.column(200);
        EXPECT_EQ(across.size(), 3u);
        EXPECT_EQ(down.size(), 4u);
        if (across.size() != 3 || down.size() != 4)
            return {};
        return {(across[2].first - across[0].first) / p.across(), (down[2].first - down[1].first) / p.down()};
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    QByteArray oldHome = qgetenv("HOME");
};

TEST_F(CalibrationOnCups, OnlyTheCalibratedQueueIsCorrectedFromEitherRoadUntilReset) {
    const Printed plainNear = printedByCommandLine(Near);
    const Printed plainFar = printedByCommandLine(Far);
    const QString pdf = home.filePath(QStringLiteral("plain.pdf"));
    ASSERT_EQ(vornel({QStringLiteral("--pdf"), pdf}).status, 0);

    // The default printer, as --print takes it.
    const Outcome saved = vornel({QStringLiteral("--calibrate"), QStringLiteral("202x148.5")});
    EXPECT_EQ(saved.status, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.out.isEmpty());
    EXPECT_TRUE(saved.err.isEmpty()) << saved.err.toStdString();
    ASSERT_TRUE(QFile::exists(file()));

    const auto [width, height] = body(printedByCommandLine(Near));
    EXPECT_NEAR(width, 250 * 200 / 202.0, 0.15);
    EXPECT_NEAR(height, 126 * 150 / 148.5, 0.15);
    EXPECT_TRUE(printedByCommandLine(Far).page.sheet() == plainFar.page.sheet());
    const QString again = home.filePath(QStringLiteral("again.pdf"));
    ASSERT_EQ(vornel({QStringLiteral("--pdf"), again}).status, 0);
    EXPECT_EQ(withoutDate(pdf), withoutDate(again));

    {
        // A run of the window reads what the command line stored: the same correction, and the printer's
        // row says it.
        TPrinter printer(std::make_unique<CupsPrintSystem>());
        TMainForm form(printer);
        form.FormCreate();
        form.showFirst();
        const int row = printer.indexOfPrinter(Near);
        EXPECT_EQ(form.ListBoxPrinters->item(row)->toolTip(),
                  Near + QStringLiteral("\nКалибровка: 99,0 % × 101,0 %"));
        EXPECT_EQ(form.ListBoxPrinters->item(printer.indexOfPrinter(Far))->toolTip(), Far);
        QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
        const auto [windowWidth, windowHeight] = body(takePrinted(Near));
        EXPECT_NEAR(windowWidth, 250 * 200 / 202.0, 0.15);
        EXPECT_NEAR(windowHeight, 126 * 150 / 148.5, 0.15);
    }

    // Out of range: refused, and the stored correction stays.
    const QByteArray before = stored();
    const Outcome refused =
        vornel({QStringLiteral("--calibrate"), QStringLiteral("210x150"), QStringLiteral("--printer"), Near});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral("vornel: Измерение 210,0 мм не может быть верным")))
        << refused.err.toStdString();
    EXPECT_EQ(stored(), before);
    EXPECT_NEAR(body(printedByCommandLine(Near)).first, 250 * 200 / 202.0, 0.15);

    const Outcome reset = vornel({QStringLiteral("--calibrate"), QStringLiteral("reset")});
    EXPECT_EQ(reset.status, 0) << reset.err.toStdString();
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_TRUE(printedByCommandLine(Near).page.sheet() == plainNear.page.sheet());
}

TEST_F(CalibrationOnCups, AFileThatCantBeUsedIsSaidOnceAndPrintsUncorrected) {
    const Printed plain = printedByCommandLine(Near);
    QDir().mkpath(QFileInfo(file()).path());
    for (const QByteArray& bytes :
         {QByteArray("{\"version\": 1, \"printers\": [{\"printer\": \"Near\""), // cut short
          QByteArray(R"({"version": 1, "printers": [{"printer": "Near", "identity": "Generic PDF Printer",
                                                     "long": 2020, "short": 148.5}]})")}) {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        const Outcome o = vornel({QStringLiteral("--print")});
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.err.count(QStringLiteral("Калибровка принтеров не применяется: файл ") + file()), 1)
            << o.err.toStdString();
        EXPECT_TRUE(o.err.endsWith(QStringLiteral("Печать идёт без поправки.\n"))) << o.err.toStdString();
        EXPECT_TRUE(takePrinted(Near).page.sheet() == plain.page.sheet());
    }
    // A calibration saved afterwards replaces the file that could not be used.
    EXPECT_EQ(vornel({QStringLiteral("--calibrate"), QStringLiteral("201x150")}).status, 0);
    const Outcome o = vornel({QStringLiteral("--print")});
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    EXPECT_NEAR(body(takePrinted(Near)).first, 250 * 200 / 201.0, 0.15);
}

// Status 1 with the reason when nothing could be stored.
TEST_F(CalibrationOnCups, StoringThatFailsSaysWhy) {
    const Outcome missing = vornel({QStringLiteral("--calibrate"), QStringLiteral("202x148.5"),
                                    QStringLiteral("--printer"), QStringLiteral("Nowhere")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, QStringLiteral("Принтер «Nowhere» не найден.\n"));
    EXPECT_FALSE(QFile::exists(file()));

    // A file where the configuration folder should be.
    QFile blocker(home.path() + QStringLiteral("/config"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Outcome unwritable = vornel({QStringLiteral("--calibrate"), QStringLiteral("202x148.5")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.startsWith(
        QStringLiteral("Не удалось создать файл «%1/config/vornel».").arg(home.path())))
        << unwritable.err.toStdString();
}

TEST_F(CalibrationOnCups, TheSheetsLinesMeasureTheirLengthsWhateverIsStored) {
    ASSERT_EQ(
        vornel({QStringLiteral("--calibrate"), QStringLiteral("202x148.5"), QStringLiteral("--printer"), Far})
            .status,
        0);
    const Outcome o = vornel({QStringLiteral("--calibration-sheet"), QStringLiteral("--printer"), Far});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    const Printed sheet = takePrinted(Far);

    using namespace CalibrationSheet;
    // Ticks every 10 mm: the first and the last are the line's ends.
    // Right of the short line, which crosses that row.
    auto ticksAcross = sheet.row(LongLineY + TickLength / 2.0);
    std::erase_if(ticksAcross,
                  [&](const auto& run) { return run.first < (ShortLineX + 5) * sheet.across(); });
    ASSERT_EQ(ticksAcross.size(), 21u);
    EXPECT_NEAR((ticksAcross.back().first - ticksAcross.front().first) / sheet.across(), 200.0, 0.15);
    const auto ticksDown = sheet.column(ShortLineX + TickLength / 2.0);
    ASSERT_EQ(ticksDown.size(), 16u);
    EXPECT_NEAR((ticksDown.back().first - ticksDown.front().first) / sheet.down(), 150.0, 0.15);
    // The lines themselves, unbroken from end to end (the short line's tick at 45 mm shares the long one's
    // row).
    const auto longest = [](const std::vector<std::pair<int, int>>& runs) {
        int most = 0;
        for (const auto& run : runs)
            most = std::max(most, run.second);
        return most;
    };
    EXPECT_NEAR(longest(sheet.row(LongLineY)) / sheet.across(), 200.0, 0.15);
    EXPECT_NEAR(longest(sheet.column(ShortLineX)) / sheet.down(), 150.0, 0.15);
    // And text below the long line.
    int inked = 0;
    for (double mm = 60; mm < 95; mm += 0.5)
        for (const auto& run : sheet.row(mm))
            inked += run.second;
    EXPECT_GT(inked, 1000);
}

TEST_F(CalibrationOnCups, TheDialogTakesKeysAndTheMouse) {
    TPrinter printer(std::make_unique<CupsPrintSystem>());
    printer.setPrinterIndex(printer.indexOfPrinter(Near));
    CalibrationStore store;
    {
        TCalibrationDialog dialog(printer, store);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_TRUE(dialog.windowTitle().contains(Near));
        EXPECT_EQ(dialog.EditLong->value(), 200.0);
        EXPECT_EQ(dialog.EditShort->value(), 150.0);
        EXPECT_FALSE(dialog.BtnReset->isEnabled());

        // Screen readers read the fields by their labels and the buttons by their words.
        const struct {
            QWidget* widget;
            QString name;
        } named[] = {
            {dialog.EditLong, QStringLiteral("Линия 200 мм, намерено (мм):")},
            {dialog.EditShort, QStringLiteral("Линия 150 мм, намерено (мм):")},
            {dialog.BtnPrintSheet, QStringLiteral("Напечатать лист калибровки")},
            {dialog.BtnSave, QStringLiteral("Сохранить")},
            {dialog.BtnReset, QStringLiteral("Сбросить")},
        };
        for (const auto& n : named) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(n.widget);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(QAccessible::Name), n.name);
        }

        // The sheet from its button.
        QTest::mouseClick(dialog.BtnPrintSheet, Qt::LeftButton);
        const Printed sheet = takePrinted(Near);
        EXPECT_EQ(sheet.row(CalibrationSheet::LongLineY + 1.5).size(), 22u) << "21 ticks and the short line";

        // Typed with a point in one field and a comma in the other; an impossible value is refused in words.
        dialog.EditLong->setFocus();
        dialog.EditLong->selectAll();
        QTest::keyClicks(dialog.EditLong, QStringLiteral("230.5"));
        QTest::keyClick(dialog.EditLong, Qt::Key_Tab);
        EXPECT_TRUE(dialog.EditShort->hasFocus());
        dialog.EditShort->selectAll();
        QTest::keyClicks(dialog.EditShort, QStringLiteral("148,5"));
        QTest::mouseClick(dialog.BtnSave, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.LabelRefusal->isVisible());
        EXPECT_TRUE(dialog.LabelRefusal->text().startsWith(
            QStringLiteral("Измерение 230,5 мм не может быть верным")));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog.LabelRefusal)->text(QAccessible::Name),
                  dialog.LabelRefusal->text());
        EXPECT_FALSE(QFile::exists(file()));

        dialog.EditLong->setFocus();
        dialog.EditLong->selectAll();
        QTest::keyClicks(dialog.EditLong, QStringLiteral("202,3"));
        // The arrow keys step by a tenth.
        QTest::keyClick(dialog.EditLong, Qt::Key_Down);
        QTest::keyClick(dialog.EditLong, Qt::Key_Enter);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    const std::optional<::Calibration> saved = CalibrationStore().find(Near, printer.Identity());
    ASSERT_TRUE(saved);
    EXPECT_NEAR(saved->longLine, 202.2, 1e-9);
    EXPECT_NEAR(saved->shortLine, 148.5, 1e-9);
    EXPECT_FALSE(printer.Identity().isEmpty());

    TCalibrationDialog dialog(printer, store);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // Opened again, it shows what is stored; reset takes it away.
    EXPECT_NEAR(dialog.EditLong->value(), 202.2, 1e-9);
    EXPECT_TRUE(dialog.LabelPrinter->text().contains(QStringLiteral("Калибровка: 98,9 % × 101,0 %")));
    QTest::mouseClick(dialog.BtnReset, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(QFile::exists(file()));
}

} // namespace
