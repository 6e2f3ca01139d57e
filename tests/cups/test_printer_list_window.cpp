// The main window's printer list over real queues of the private CUPS server, with real widgets.
#include "PrivateCups.h"
#include "QtPrinters.h"
#include "app/ErrorReport.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PreviewView.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

const QString NoDefault = QStringLiteral("There is no default printer currently selected.");

// Every dark pixel's place in an image.
QList<QPoint> darkPixels(const QImage& image) {
    QList<QPoint> dark;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                dark << QPoint(x, y);
    return dark;
}

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
                                        "System Error.  Code: 1282.\r\nСервер печати %1 недоступен.")
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

TEST_F(PrinterListWindow, AnyMouseReleaseMakesTheSelectedRowCurrent) {
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
        // Selected behind the list's back, as a program's own selection is: no event, nothing current.
        program.form.ListBoxPrinters->setItemIndex(2);
        EXPECT_EQ(program.printer.PrinterIndex(), 1);

        program.releaseMouse(c.button, c.onTheRow ? program.rowCentre(2) : program.belowTheLastRow());
        EXPECT_EQ(program.form.ListBoxPrinters->ItemIndex(), 2);
        EXPECT_EQ(program.printer.PrinterIndex(), 2);
        ASSERT_NE(program.printer.DevMode(), nullptr);
        EXPECT_EQ(program.printer.DevMode()->xResolution, 600);
        EXPECT_EQ(program.printer.DevMode()->yResolution, 300);
    }
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
}

// Waits until the server has no job left to run, then tells which queues wrote a page since the last call.
QStringList queuesThatPrinted(const QStringList& queues) {
    const QDeadlineTimer deadline(60000);
    for (;;) {
        cups_job_t* jobs = nullptr;
        const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active, jobs);
        if (active <= 0)
            break;
        if (deadline.hasExpired())
            throw std::runtime_error("the server never finished its jobs");
        QThread::msleep(50);
    }
    QStringList printed;
    for (const QString& queue : queues)
        if (QFile::remove(PrivateCups::outputFile(queue)))
            printed << queue;
    return printed;
}

// The user's way through the window from its start: keys to the focused control, clicks on the lists.
class Session {
public:
    explicit Session(Program& program) : form_(program.form) {
        QApplication::setActiveWindow(&form_);
        if (!QTest::qWaitForWindowActive(&form_))
            throw std::runtime_error("the window never became active");
    }
    void keys(const QList<QKeyCombination>& sequence) {
        for (const QKeyCombination key : sequence) {
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            // A handler's error comes back through the event loop.
            QCoreApplication::processEvents();
        }
    }
    void typeText(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void click(TListBox* list, QPoint where, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->viewport(), button, Qt::NoModifier, where);
        QCoreApplication::processEvents();
    }

private:
    TMainForm& form_;
};

const QStringList AllQueues = {QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie")};

TEST_F(PrinterListWindow, KeyboardOnlyTheJobGoesToTheHighlightedPrinter) {
    threeQueues();
    queuesThatPrinted(AllQueues);
    const QList<QKeyCombination> tabToButtonAndSpace = {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space};
    struct Case {
        const char* name;
        QList<QKeyCombination> keys; // in the printer list, which has the focus at start
        QString typed;
        QList<QKeyCombination> press; // from the printer list to the print button and pressing it
        QString queue;
    } cases[] = {
        {"down arrow", {Qt::Key_Down}, {}, tabToButtonAndSpace, "Charlie"},
        {"up arrow", {Qt::Key_Up}, {}, tabToButtonAndSpace, "Alpha"},
        {"home", {Qt::Key_Home}, {}, tabToButtonAndSpace, "Alpha"},
        {"end", {Qt::Key_End}, {}, tabToButtonAndSpace, "Charlie"},
        {"down then up", {Qt::Key_Down, Qt::Key_Up}, {}, tabToButtonAndSpace, "Bravo"},
        {"a name's first letter", {}, "c", tabToButtonAndSpace, "Charlie"},
        {"Enter on the button", {Qt::Key_Up}, {}, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, "Alpha"},
        {"keypad Enter on the button",
         {Qt::Key_End},
         {},
         {Qt::Key_Tab, Qt::Key_Tab, QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter)},
         "Charlie"},
        {"back from the button with Shift+Tab",
         {},
         {},
         {Qt::Key_Tab, Qt::Key_Tab, QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab),
          QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab), Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab,
          Qt::Key_Space},
         "Charlie"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        Session user(program);
        ASSERT_EQ(QApplication::focusWidget(), program.form.ListBoxPrinters);
        user.keys(c.keys);
        user.typeText(c.typed);
        user.keys(c.press);
        const int shown = program.form.ListBoxPrinters->ItemIndex();
        ASSERT_GE(shown, 0);
        EXPECT_EQ(program.rows()[shown], c.queue) << "the list shows another printer than the job went to";
        EXPECT_EQ(queuesThatPrinted(AllQueues), QStringList{c.queue});
    }
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PrinterListWindow, ClicksOnRowsChooseAndClicksBelowTheRowsChangeNothing) {
    threeQueues();
    queuesThatPrinted(AllQueues);
    struct Case {
        const char* name;
        std::function<void(Program&, Session&)> act;
        QString queue;
        int templateRow;
    } cases[] = {
        {"left click on a row",
         [](Program& p, Session& u) { u.click(p.form.ListBoxPrinters, p.rowCentre(0)); }, "Alpha", 0},
        {"left click below the printers",
         [](Program& p, Session& u) { u.click(p.form.ListBoxPrinters, p.belowTheLastRow()); }, "Bravo", 0},
        {"right click on a row",
         [](Program& p, Session& u) { u.click(p.form.ListBoxPrinters, p.rowCentre(2), Qt::RightButton); },
         "Bravo", 0},
        {"a row, then below the rows",
         [](Program& p, Session& u) {
             u.click(p.form.ListBoxPrinters, p.rowCentre(2));
             u.click(p.form.ListBoxPrinters, p.belowTheLastRow());
         },
         "Charlie", 0},
        {"pressed on a row, released below the rows",
         [](Program& p, Session&) {
             QWidget* rows = p.form.ListBoxPrinters->viewport();
             QTest::mousePress(rows, Qt::LeftButton, Qt::NoModifier, p.rowCentre(0));
             QTest::mouseRelease(rows, Qt::LeftButton, Qt::NoModifier, p.belowTheLastRow());
             QCoreApplication::processEvents();
         },
         "Alpha", 0},
        {"dragged across the blank area below the printers",
         [](Program& p, Session&) {
             QWidget* rows = p.form.ListBoxPrinters->viewport();
             const QPoint from = p.belowTheLastRow();
             QTest::mousePress(rows, Qt::LeftButton, Qt::NoModifier, from);
             QTest::mouseMove(rows, from + QPoint(-30, -1));
             QTest::mouseMove(rows, from + QPoint(-60, -2));
             QTest::mouseRelease(rows, Qt::LeftButton, Qt::NoModifier, from + QPoint(-60, -2));
             QCoreApplication::processEvents();
         },
         "Bravo", 0},
        {"a template, then below the templates",
         [](Program& p, Session& u) {
             TListBox* list = p.form.ListBoxTemplates;
             u.click(list, list->visualItemRect(list->item(2)).center());
             u.click(list, QPoint(list->viewport()->width() / 2, list->viewport()->height() - 2));
         },
         "Bravo", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        Session user(program);
        c.act(program, user);
        const int shown = program.form.ListBoxPrinters->ItemIndex();
        ASSERT_GE(shown, 0) << "the printer list lost its selection";
        EXPECT_EQ(program.rows()[shown], c.queue);
        EXPECT_EQ(program.form.ListBoxTemplates->ItemIndex(), c.templateRow);
        const QImage preview = program.form.Preview->grab().toImage();
        EXPECT_FALSE(darkPixels(preview).isEmpty()) << "the preview was blanked";

        QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(queuesThatPrinted(AllQueues), QStringList{c.queue});
    }
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PrinterListWindow, NoTemplateSelectedPrintsNothingAndSaysWhatIsMissing) {
    // Without a default printer the start-up stops before it selects a template.
    PrivateCups::addQueue(QStringLiteral("Alpha"));
    PrivateCups::addQueue(QStringLiteral("Bravo"));
    const QStringList queues = {QStringLiteral("Alpha"), QStringLiteral("Bravo")};
    queuesThatPrinted(queues);
    Program program;
    Session user(program);
    ASSERT_EQ(reported, QStringList{NoDefault});
    reported.clear();

    user.keys({Qt::Key_Home});
    EXPECT_EQ(program.printer.PrinterIndex(), 0);
    for (QKeyCombination press : {QKeyCombination(Qt::Key_Space), QKeyCombination(Qt::Key_Return)})
        user.keys({Qt::Key_Tab, Qt::Key_Tab, press, Qt::Key_Tab});
    program.form.MenuPrint->trigger();
    QCoreApplication::processEvents();
    const QString missing = QStringLiteral("Не выбран шаблон печати.");
    EXPECT_EQ(reported, (QStringList{missing, missing, missing}));
    EXPECT_TRUE(queuesThatPrinted(queues).isEmpty());

    // Once a template is chosen the same keys print it.
    reported.clear();
    user.keys({Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Return});
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(queuesThatPrinted(queues), QStringList{QStringLiteral("Alpha")});
}

// «Печать» resolves the printer before it asks for the template: with neither, the printer is what the user
// hears of; a default that appeared since start-up is made current, and only then is the template missing.
TEST_F(PrinterListWindow, PrintResolvesThePrinterBeforeTheTemplate) {
    PrivateCups::addQueue(QStringLiteral("Alpha"));
    PrivateCups::addQueue(QStringLiteral("Bravo"));
    const QStringList queues = {QStringLiteral("Alpha"), QStringLiteral("Bravo")};
    queuesThatPrinted(queues);
    Program program;
    ASSERT_EQ(reported, QStringList{NoDefault});
    ASSERT_EQ(program.form.ListBoxTemplates->ItemIndex(), -1);

    reported.clear();
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, QStringList{NoDefault});

    PrivateCups::setDefault(QStringLiteral("Bravo"));
    reported.clear();
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, QStringList{QStringLiteral("Не выбран шаблон печати.")});
    ASSERT_NE(program.printer.DevMode(), nullptr);
    EXPECT_EQ(program.printer.PrinterIndex(), 1);
    EXPECT_TRUE(queuesThatPrinted(queues).isEmpty());
}

} // namespace
