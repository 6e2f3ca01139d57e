// Faults of the real print server met by the program's print command: each is reported in words the user
// can act on, no document stays open, and once the fault is mended the next command prints.
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "QtPrinters.h"
#include "app/ErrorReport.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/DlgAbout.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>

namespace {

void restartJobs(const char* queue) {
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ACTIVE);
    const auto freeJobs = qScopeGuard([&] { cupsFreeJobs(n, jobs); });
    for (int i = 0; i < n; ++i)
        PrivateCups::run(QStringLiteral("lp"),
                         {QStringLiteral("-i"),
                          QStringLiteral("%1-%2").arg(QString::fromUtf8(queue)).arg(jobs[i].id),
                          QStringLiteral("-H"), QStringLiteral("restart")});
}

// Waits until the queue has no job left and the file holds a PDF; false when that never happens.
bool cameOut(const char* queue, const QString& file) {
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        if (PrivateCups::activeJobs(QString::fromUtf8(queue)) == 0 && QFile::exists(file)) {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) && f.readAll().contains("%PDF-");
        }
        QThread::msleep(50);
    }
    return false;
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The program as it starts: the printer over CUPS, the main window, its creation handler with failures
// reported, and the first showing.
struct Program : ProgramOnCups {
    Program() { settle(); }

    // The print button, as the user presses it; what the error report said.
    QStringList print(QStringList& reported) {
        reported.clear();
        QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
        settle();
        return reported;
    }

    // Nothing the command started is left behind.
    void expectSettled() const {
        EXPECT_FALSE(printer.Printing());
        EXPECT_EQ(FormAbout, nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(form.isVisible());
    }
};

using ServerFaults = ReportedErrors;

// One queue fault: how it is made and mended, what the user is told when printing meets it, and whether the
// server takes the job all the same (to print it once the fault is gone).
struct QueueFault {
    const char* name;
    std::function<void()> make;
    std::function<void()> mend;
    QStringList told;
    bool jobTaken;
};

const QString Main = QStringLiteral("Main");

std::vector<QueueFault> queueFaults() {
    const QString goodDevice = QStringLiteral("file://") + PrivateCups::outputFile(Main);
    return {
        {"queue deleted",
         [] { PrivateCups::deleteQueue(Main); },
         [] {
             PrivateCups::addQueue(Main, QStringLiteral("pdf"), QStringLiteral("300dpi"));
             PrivateCups::setDefault(Main);
         },
         {QStringLiteral("Printer selected is not valid.")},
         false},
        {"queue rejecting jobs",
         [] { PrivateCups::run(QStringLiteral("cupsreject"), {Main}); },
         [] { PrivateCups::run(QStringLiteral("cupsaccept"), {Main}); },
         {QStringLiteral("System Error.  Code: 1286.\r\nDestination \"Main\" is not accepting jobs.")},
         false},
        // A stopped queue is no refusal: it keeps the job until it is started again.
        {"queue disabled",
         [] { PrivateCups::run(QStringLiteral("cupsdisable"), {Main}); },
         [] { PrivateCups::run(QStringLiteral("cupsenable"), {Main}); },
         {},
         true},
        // The device fails only when the server gets to the job, after the program has handed it over; the
        // server stops the job and keeps it, to be started again once the device is mended.
        {"device that fails",
         [] {
             PrivateCups::run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), Main, QStringLiteral("-v"),
                                                          QStringLiteral("file:///nonexistent/Main.out")});
         },
         [goodDevice] {
             PrivateCups::run(QStringLiteral("lpadmin"),
                              {QStringLiteral("-p"), Main, QStringLiteral("-v"), goodDevice});
             restartJobs("Main");
         },
         {},
         true},
    };
}

TEST_F(ServerFaults, QueueFaultsAreToldAndTheNextCommandPrintsOnceMended) {
    for (const QueueFault& fault : queueFaults()) {
        SCOPED_TRACE(fault.name);
        PrivateCups::deleteAll();
        PrivateCups::addQueue(Main, QStringLiteral("pdf"), QStringLiteral("300dpi"));
        PrivateCups::addQueue(QStringLiteral("Other"));
        PrivateCups::setDefault(Main);
        Program program;
        ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        const QString output = PrivateCups::outputFile(Main);
        QFile::remove(output);

        fault.make();
        EXPECT_EQ(program.print(reported), fault.told);
        program.expectSettled();
        // The fault was the queue's alone: the rest of the window goes on working.
        QTest::keyClick(program.form.ListBoxTemplates, Qt::Key_Down);
        EXPECT_EQ(program.form.ListBoxTemplates->ItemIndex(), 1);
        if (fault.jobTaken) {
            EXPECT_EQ(PrivateCups::activeJobs(QStringLiteral("Main")), 1);
            EXPECT_FALSE(QFile::exists(output));
        }

        fault.mend();
        EXPECT_EQ(program.print(reported), QStringList());
        program.expectSettled();
        EXPECT_TRUE(cameOut("Main", output));
    }
    PrivateCups::deleteAll();
}

// A server of the test's own, stopped and started again on the same address with the same queue.
class SpareServerFaults : public ServerFaults {
protected:
    void start() {
        spare.emplace();
        spare->addQueue(QStringLiteral("Far"));
        spare->setDefault(QStringLiteral("Far"));
        address = spare->address().toUtf8();
        cupsSetServer(address.constData());
    }
    QString output() const {
        return qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/out/Far.out");
    }
    // The same window prints once the server is back.
    void printsAgainOnARestartedServer(Program& program) {
        spare.reset();
        start();
        EXPECT_EQ(program.print(reported), QStringList());
        program.expectSettled();
        EXPECT_TRUE(cameOut("Far", output()));
    }
    QString notAvailable() const {
        return QStringLiteral("System Error.  Code: 1282.\r\nСервер печати %1 недоступен.")
            .arg(spare->address());
    }

    std::optional<PrivateCups::SpareServer> spare;
    QByteArray address;
};

TEST_F(SpareServerFaults, ServerStoppedBeforeAJob) {
    start();
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    spare->stop();
    EXPECT_EQ(program.print(reported), QStringList{notAvailable()});
    program.expectSettled();

    printsAgainOnARestartedServer(program);
}

TEST_F(SpareServerFaults, ServerStoppedDuringAJob) {
    start();
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    // Handled while the job is being handed over.
    QMetaObject::invokeMethod(
        &program.form, [this] { spare->stop(); }, Qt::QueuedConnection);
    const QStringList told = program.print(reported);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0], notAvailable());
    program.expectSettled();

    printsAgainOnARestartedServer(program);
}

} // namespace
