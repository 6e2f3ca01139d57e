// The main window's printer list over real queues of the private CUPS server, with real widgets.
#include "CupsPrintSystem.h"
#include "ErrorReport.h"
#include "ListBox.h"
#include "Main.h"
#include "PrivateCups.h"
#include "QtPrinters.h"
#include "TPrinter.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTest>

#include <memory>

namespace {

const QString NoDefault = QStringLiteral("There is no default printer currently selected.");

// The program as it starts: the printer over CUPS, the main window, its creation handler with failures
// reported, and the first showing.
struct Program {
    Program() {
        ErrorReport::guard([this] { form.FormCreate(); });
        form.showFirst();
    }

    QStringList rows() const {
        QStringList texts;
        for (int i = 0; i < form.ListBoxPrinters->count(); ++i)
            texts << form.ListBoxPrinters->item(i)->text();
        return texts;
    }

    QPoint rowCentre(int row) const {
        return form.ListBoxPrinters->visualItemRect(form.ListBoxPrinters->item(row)).center();
    }

    QPoint belowTheLastRow() const {
        const QWidget* viewport = form.ListBoxPrinters->viewport();
        return {viewport->width() / 2, viewport->height() - 3};
    }

    void releaseMouse(Qt::MouseButton button, QPoint where) {
        QTest::mouseRelease(form.ListBoxPrinters->viewport(), button, Qt::NoModifier, where);
        // An error from the release reaches the error report from the event loop, straight after.
        QCoreApplication::processEvents();
    }

    TPrinter printer{std::make_unique<CupsPrintSystem>()};
    TMainForm form{printer};
};

class PrinterListWindow : public testing::Test {
protected:
    void SetUp() override {
        PrivateCups::deleteAll();
        ErrorReport::setPresenter([this](const QString& text, const QString&) { reported << text; });
    }
    void TearDown() override { ErrorReport::setPresenter({}); }

    // Alpha, Bravo and Charlie, created out of order; Bravo is the default.
    void threeQueues() {
        PrivateCups::addQueue(QStringLiteral("Charlie"), QStringLiteral("pdf"), QStringLiteral("600x300dpi"));
        PrivateCups::addQueue(QStringLiteral("Alpha"));
        PrivateCups::addQueue(QStringLiteral("Bravo"), QStringLiteral("ps"), QStringLiteral("300dpi"));
        PrivateCups::setDefault(QStringLiteral("Bravo"));
    }

    QStringList reported;
};

TEST_F(PrinterListWindow, QueuesInTheServersOrderWithTheDefaultSelectedAndCurrent) {
    threeQueues();
    Program program;

    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(program.form.isVisible());
    EXPECT_EQ(program.rows(), (QStringList{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(program.form.ListBoxPrinters->ItemIndex(), 1);
    EXPECT_EQ(program.printer.PrinterIndex(), 1);
    ASSERT_NE(program.printer.DevMode(), nullptr);
    EXPECT_EQ(program.printer.DevMode()->paperName, QStringLiteral("iso_a4_210x297mm"));
    EXPECT_EQ(program.printer.DevMode()->xResolution, 300);
    EXPECT_EQ(program.form.ListBoxTemplates->ItemIndex(), 0);
}

TEST_F(PrinterListWindow, StartUpWithoutADefaultIsReportedAndTheWindowOpens) {
    struct Case {
        const char* name;
        QStringList queues;
    } cases[] = {
        {"no queues", {}},
        {"queues without a default", {"Alpha", "Bravo"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateCups::deleteAll();
        reported.clear();
        for (const QString& queue : c.queues)
            PrivateCups::addQueue(queue);
        Program program;

        EXPECT_EQ(reported, QStringList{NoDefault});
        EXPECT_TRUE(program.form.isVisible());
        EXPECT_EQ(program.rows(), c.queues);
        EXPECT_EQ(program.form.ListBoxPrinters->ItemIndex(), -1);
        // The rest of the creation handler was skipped.
        EXPECT_EQ(program.form.ListBoxTemplates->ItemIndex(), -1);
    }
}

TEST_F(PrinterListWindow, EveryReleaseOverAnEmptyListReportsTheMissingDefault) {
    Program program;
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
        program.releaseMouse(button, program.belowTheLastRow());
    EXPECT_EQ(reported, (QStringList{NoDefault, NoDefault, NoDefault}));
}

TEST_F(PrinterListWindow, RowCanBeChosenWithoutADefault) {
    PrivateCups::addQueue(QStringLiteral("Alpha"));
    PrivateCups::addQueue(QStringLiteral("Bravo"), QStringLiteral("pdf"), QStringLiteral("1200dpi"));
    Program program;
    ASSERT_EQ(reported, QStringList{NoDefault});

    QTest::mouseClick(program.form.ListBoxPrinters->viewport(), Qt::LeftButton, Qt::NoModifier,
                      program.rowCentre(1));
    EXPECT_EQ(reported, QStringList{NoDefault});
    EXPECT_EQ(program.printer.PrinterIndex(), 1);
    ASSERT_NE(program.printer.DevMode(), nullptr);
    EXPECT_EQ(program.printer.DevMode()->xResolution, 1200);
}

TEST_F(PrinterListWindow, StoppedServerGivesTheSystemError) {
    PrivateCups::SpareServer spare;
    spare.addQueue(QStringLiteral("Alpha"));
    spare.setDefault(QStringLiteral("Alpha"));
    spare.stop();
    const QByteArray address = spare.address().toUtf8();
    cupsSetServer(address.constData());
    const auto back = qScopeGuard([] { cupsSetServer(nullptr); });

    Program program;
    EXPECT_EQ(reported, QStringList{QStringLiteral(
                                        "System Error.  Code: 1282.\r\nThe print server %1 is not available.")
                                        .arg(spare.address())});
    EXPECT_TRUE(program.form.isVisible());
    EXPECT_TRUE(program.rows().isEmpty());
}

TEST_F(PrinterListWindow, QueueDeletedAfterStartUpCanStillBeChosen) {
    threeQueues();
    Program program;
    PrivateCups::deleteQueue(QStringLiteral("Charlie"));

    QTest::mouseClick(program.form.ListBoxPrinters->viewport(), Qt::LeftButton, Qt::NoModifier,
                      program.rowCentre(2));
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(program.rows(), (QStringList{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(program.printer.PrinterIndex(), 2);
    EXPECT_EQ(program.printer.DevMode(), nullptr);

    // Current, but it can't print.
    ErrorReport::guard([&] { program.form.BtnPrintClick(); });
    EXPECT_EQ(reported, QStringList{QStringLiteral("Operation not supported on selected printer.")});
}

TEST_F(PrinterListWindow, MouseReleaseMakesTheSelectedRowCurrentArrowKeysDoNot) {
    threeQueues();
    struct Case {
        const char* name;
        Qt::MouseButton button;
        bool onTheRow;
    } cases[] = {
        {"left button on the row", Qt::LeftButton, true},
        {"right button on the row", Qt::RightButton, true},
        {"middle button on the row", Qt::MiddleButton, true},
        {"left button below the last row", Qt::LeftButton, false},
        {"right button below the last row", Qt::RightButton, false},
        {"middle button below the last row", Qt::MiddleButton, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        ASSERT_EQ(program.printer.PrinterIndex(), 1);

        QTest::keyClick(program.form.ListBoxPrinters, Qt::Key_Down);
        EXPECT_EQ(program.form.ListBoxPrinters->ItemIndex(), 2);
        EXPECT_EQ(program.printer.PrinterIndex(), 1);
        EXPECT_EQ(program.printer.DevMode()->xResolution, 300);

        program.releaseMouse(c.button, c.onTheRow ? program.rowCentre(2) : program.belowTheLastRow());
        EXPECT_EQ(program.printer.PrinterIndex(), 2);
        ASSERT_NE(program.printer.DevMode(), nullptr);
        EXPECT_EQ(program.printer.DevMode()->xResolution, 600);
        EXPECT_EQ(program.printer.DevMode()->yResolution, 300);
    }
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
}

} // namespace
