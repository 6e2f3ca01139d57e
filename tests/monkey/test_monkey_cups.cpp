// Random user actions on the main window over the private CUPS server: good queues, one refusing jobs, one
// stopped, one deleted after start-up, one that now refuses jobs and now takes them; and a server that asks
// for a password and now and then freezes. Every job really goes through the server, so the runs are short.
#include "BorrowedPrintSystem.h"
#include "ChaosPrintSystem.h"
#include "ModalDismisser.h"
#include "Monkey.h"
#include "MonkeyChecks.h"
#include "PrivateCups.h"
#include "QtPrinters.h"
#include "app/ErrorReport.h"
#include "platform/Shell.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPrintSystem.h"
#include "platform/cups/CupsSession.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PasswordDialog.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <signal.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

namespace {

constexpr unsigned DefaultSeed = 20261210;
constexpr int DefaultActions = 1000;

// What an administrator does to a queue while the program runs.
void setAccepting(const char* queue, bool accept) {
    ipp_t* request = ippNewRequest(accept ? IPP_OP_CUPS_ACCEPT_JOBS : IPP_OP_CUPS_REJECT_JOBS);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw std::runtime_error(std::string("accepting on ") + queue + ": " + cupsLastErrorString());
}

int rowOf(const TListBox& list, const QString& text) {
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->text() == text)
            return i;
    return -1;
}

// Says which run this is, so that a failing one can be run again alone, and readies the application.
void beginRun(const char* over, unsigned seed, int actions) {
    std::printf("monkey %s: seed %u (VORNEL_MONKEY_SEED), %d actions (VORNEL_MONKEY_ACTIONS)\n", over, seed,
                actions);
    std::fflush(stdout);
    registerApplicationFonts();
    ignoreUnacceptedEvents();
}

// The window over the private server as the monkey meets it: the print system's calls counted, and the real
// error box judged as it comes up (an error while a document is under way is one too many) and closed.
struct WatchedWindow {
    explicit WatchedWindow(std::mt19937& random)
        : counted(cups, random), printer(std::make_unique<BorrowedPrintSystem>(counted)),
          dismisser(random()) {
        ErrorReport::setPresenter({});
        dismisser.onBox = [this](const QString& text) {
            const QString why =
                judgeReport(text, printer.Printing() || counted.documentsStarted() > documentsBeforeAction);
            if (!why.isEmpty())
                wrong << why;
        };
    }
    void show() {
        ErrorReport::guard([&] { form.FormCreate(); });
        form.showFirst();
        settle();
    }

    CupsPrintSystem cups;
    ChaosPrintSystem counted;
    TPrinter printer;
    int documentsBeforeAction = 0;
    QStringList wrong;
    ModalDismisser dismisser;
    TMainForm form{printer};
};

TEST(MonkeyOverCups, TheProgramOutlivesEveryActionAndStillPrints) {
    const unsigned seed = monkeySeed(DefaultSeed);
    const int actions = monkeyActions(DefaultActions);
    beginRun("over the private CUPS server", seed, actions);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);

    PrivateCups::deleteAll();
    // The stopped queue keeps every job it is given; they go with the queues.
    const auto clean = qScopeGuard([] { PrivateCups::deleteAll(); });
    PrivateCups::addQueue(QStringLiteral("Good"), QStringLiteral("pdf"), QStringLiteral("300dpi"));
    PrivateCups::addQueue(QStringLiteral("Fine"), QStringLiteral("pdf"), QStringLiteral("600x300dpi"));
    PrivateCups::addQueue(QStringLiteral("Refusing"));
    PrivateCups::addQueue(QStringLiteral("Stopped"));
    PrivateCups::addQueue(QStringLiteral("Vanishing"));
    PrivateCups::setDefault(QStringLiteral("Good"));
    PrivateCups::run(QStringLiteral("cupsreject"), {QStringLiteral("Refusing")});
    PrivateCups::run(QStringLiteral("cupsdisable"), {QStringLiteral("Stopped")});

    int links = 0;
    Shell::setOpener([&](const QString&, int) {
        ++links;
        return true;
    });
    const auto restoreOpener = qScopeGuard([] { Shell::setOpener({}); });

    // Passed through untouched, to count the documents started.
    WatchedWindow window(random);
    auto& [cups, counted, printer, documentsBeforeAction, wrong, dismisser, form] = window;
    window.show();
    ASSERT_TRUE(dismisser.boxTexts.isEmpty()) << dismisser.boxTexts.join(QLatin1Char('\n')).toStdString();
    PrivateCups::deleteQueue(QStringLiteral("Vanishing"));

    Monkey monkey(form, random);
    // Now and then, between two actions, the administrator makes one queue refuse jobs or take them again.
    bool fineAccepts = true;
    int turns = 0;
    const QString failure = runActions(monkey, form, printer, actions, [&]() -> QString {
        documentsBeforeAction = counted.documentsStarted();
        if (std::bernoulli_distribution(0.03)(random)) {
            fineAccepts = !fineAccepts;
            setAccepting("Fine", fineAccepts);
            ++turns;
        }
        if (!dismisser.problems.isEmpty())
            return dismisser.problems.join(QLatin1Char('\n'));
        return wrong.join(QLatin1Char('\n'));
    });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    std::printf(
        "monkey done: %d actions, %d documents started, %d turns of a queue, %lld error boxes closed, "
        "%d About dialogs closed, %d links opened\n",
        actions, counted.documentsStarted(), turns, static_cast<long long>(dismisser.boxTexts.size()),
        dismisser.aboutsClosed, links);
    std::map<QString, int> texts;
    for (const QString& text : dismisser.boxTexts)
        ++texts[text.section(QStringLiteral("\r\n"), -1)];
    for (const auto& [text, count] : texts)
        std::printf("  %5d x %s\n", count, qPrintable(text));
    // A run that never printed, failed or opened About would have tested nothing.
    EXPECT_GT(counted.documentsStarted(), 0);
    EXPECT_GT(dismisser.boxTexts.size(), 0);
    EXPECT_GT(dismisser.aboutsClosed, 0);

    // The program still answers: the default queue chosen by mouse prints the envelope.
    form.showNormal();
    form.resize(900, 500);
    settle();
    const int good = rowOf(*form.ListBoxPrinters, QStringLiteral("Good"));
    ASSERT_GE(good, 0);
    QTest::mouseClick(form.ListBoxTemplates->viewport(), Qt::LeftButton, Qt::NoModifier,
                      form.ListBoxTemplates->visualItemRect(form.ListBoxTemplates->item(0)).center());
    QTest::mouseClick(form.ListBoxPrinters->viewport(), Qt::LeftButton, Qt::NoModifier,
                      form.ListBoxPrinters->visualItemRect(form.ListBoxPrinters->item(good)).center());
    EXPECT_EQ(printer.PrinterIndex(), good);

    // Earlier jobs finish first, so that the file read below is the last job's.
    const QDeadlineTimer deadline(60000);
    while (PrivateCups::activeJobs(QStringLiteral("Good")) > 0 && !deadline.hasExpired())
        QThread::msleep(50);
    const QString output = PrivateCups::outputFile(QStringLiteral("Good"));
    QFile::remove(output);
    const qsizetype boxesBefore = dismisser.boxTexts.size();
    QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
    settle();
    EXPECT_EQ(dismisser.boxTexts.size(), boxesBefore)
        << dismisser.boxTexts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(judgeState(form, printer), QString());
    while ((PrivateCups::activeJobs(QStringLiteral("Good")) > 0 || !QFile::exists(output)) &&
           !deadline.hasExpired())
        QThread::msleep(50);
    QFile printed(output);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly)) << "the last job never came out";
    // The PDF printer's driver wraps the PDF in printer job language.
    EXPECT_TRUE(printed.readAll().contains("%PDF-"));

    form.MenuExit->trigger();
    settle();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char('\n')).toStdString();
}

int jobsHeld(const char* queue) {
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(n, jobs);
    return n;
}

// A server that asks for a password before it takes a job and that now and then stops answering: its
// process frozen between two actions and thawed between two others, the password dialog answered at
// random with the right password, a wrong one or Cancel, and forgotten now and then as if the program had
// started again. The queues are stopped, so every job the server took stays to be counted: an action
// in which the user cancelled the dialog and never gave the right password adds none.
TEST(MonkeyOverAPasswordServer, FrozenAndThawedWithThePasswordAnsweredAtRandom) {
    const unsigned seed = monkeySeed(DefaultSeed + 1);
    const int actions = monkeyActions(200);
    beginRun("over a frozen and thawed password server", seed, actions);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);

    PrivateCups::SpareServer spare;
    spare.addQueue(QStringLiteral("Alpha"));
    spare.addQueue(QStringLiteral("Bravo"));
    spare.setDefault(QStringLiteral("Alpha"));
    const PrivateCups::Account account = spare.requirePassword();
    const QString& user = account.user;
    const QString& password = account.password;
    for (const char* queue : {"Alpha", "Bravo"})
        PrivateCups::run(QStringLiteral("cupsdisable"),
                         {QStringLiteral("-h"), spare.address(), QString::fromLatin1(queue)});
    const QByteArray address = spare.address().toUtf8();
    const QByteArray userName = user.toUtf8();
    cupsSetServer(address.constData());
    cupsSetUser(userName.constData());
    CupsPassword::setPrompt(askPrintServerPassword);
    const auto restoreClient = qScopeGuard([] {
        CupsPassword::setPrompt({});
        cupsSetUser(nullptr);
        cupsSetServer(nullptr);
    });

    QFile pidFile(qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/cupsd.pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const pid_t cupsd = pidFile.readAll().trimmed().toInt();
    ASSERT_GT(cupsd, 0);
    bool frozen = false;
    const auto thaw = [&] {
        if (frozen)
            ::kill(cupsd, SIGCONT);
        frozen = false;
    };
    const auto thawAtEnd = qScopeGuard(thaw);
    // The server comes back while the program waits for it, or between two actions.
    QTimer thawing;
    thawing.setSingleShot(true);
    QObject::connect(&thawing, &QTimer::timeout, thaw);
    const auto jobs = [] { return jobsHeld("Alpha") + jobsHeld("Bravo"); };
    Shell::setOpener([](const QString&, int) { return true; });
    const auto restoreOpener = qScopeGuard([] { Shell::setOpener({}); });

    WatchedWindow window(random);
    auto& [cups, counted, printer, documentsBeforeAction, wrong, dismisser, form] = window;
    dismisser.rightPassword = password;
    window.show();

    Monkey monkey(form, random);
    int jobsBefore = jobs();
    int cancelledBefore = 0;
    int rightBefore = 0;
    int freezes = 0;
    int cancelsChecked = 0;
    const QString failure = runActions(monkey, form, printer, actions, [&]() -> QString {
        documentsBeforeAction = counted.documentsStarted();
        if (!dismisser.problems.isEmpty())
            return dismisser.problems.join(QLatin1Char('\n'));
        // No job is taken while the server is frozen, so the count since the last look holds until it
        // thaws.
        if (!frozen) {
            const int jobsAfter = jobs();
            const bool cancelledOnly =
                dismisser.passwordsCancelled > cancelledBefore && dismisser.passwordsRight == rightBefore;
            cancelsChecked += cancelledOnly;
            if (cancelledOnly && jobsAfter != jobsBefore)
                wrong << QStringLiteral("%1 job(s) taken after the password was cancelled")
                             .arg(jobsAfter - jobsBefore);
            jobsBefore = jobsAfter;
            cancelledBefore = dismisser.passwordsCancelled;
            rightBefore = dismisser.passwordsRight;
        }
        // As if the program had started again: the password is asked for once more.
        if (std::bernoulli_distribution(0.1)(random))
            CupsPassword::setPrompt(askPrintServerPassword);
        if (!frozen && std::bernoulli_distribution(0.08)(random)) {
            ::kill(cupsd, SIGSTOP);
            frozen = true;
            ++freezes;
            thawing.start(std::uniform_int_distribution(100, 3000)(random));
        }
        return wrong.join(QLatin1Char('\n'));
    });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    std::printf("monkey done: %d actions, %d documents started, %d freezes, passwords: %d right, %d wrong, "
                "%d cancelled (%d cancelling actions checked), %lld error boxes closed\n",
                actions, counted.documentsStarted(), freezes, dismisser.passwordsRight,
                dismisser.passwordsWrong, dismisser.passwordsCancelled, cancelsChecked,
                static_cast<long long>(dismisser.boxTexts.size()));
    std::map<QString, int> texts;
    for (const QString& text : dismisser.boxTexts)
        ++texts[text.section(QStringLiteral("\r\n"), -1)];
    for (const auto& [text, count] : texts)
        std::printf("  %5d x %s\n", count, qPrintable(text));
    // A run that never met the dialog every way, nor a frozen server, would have tested nothing.
    EXPECT_GT(freezes, 0);
    EXPECT_GT(dismisser.passwordsRight, 0);
    EXPECT_GT(dismisser.passwordsWrong, 0);
    EXPECT_GT(cancelsChecked, 0);

    // Thawed, the program still prints, and the server has the job.
    thawing.stop();
    thaw();
    QTest::qWait(static_cast<int>(CupsSession::QuietLimit.count()) + 200);
    form.showNormal();
    form.resize(900, 500);
    settle();
    QTest::mouseClick(form.ListBoxTemplates->viewport(), Qt::LeftButton, Qt::NoModifier,
                      form.ListBoxTemplates->visualItemRect(form.ListBoxTemplates->item(0)).center());
    const int before = jobs();
    dismisser.passwordsCancelled = 0;
    const qsizetype boxesBefore = dismisser.boxTexts.size();
    // Asked until the right password comes: Cancel ends a print with nothing taken.
    for (int tries = 0; tries < 20 && jobs() == before; ++tries) {
        QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
        settle();
    }
    EXPECT_EQ(jobs(), before + 1);
    EXPECT_EQ(judgeState(form, printer), QString());
    EXPECT_LE(dismisser.boxTexts.size() - boxesBefore, dismisser.passwordsCancelled)
        << dismisser.boxTexts.join(QLatin1Char('\n')).toStdString();

    form.MenuExit->trigger();
    settle();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char('\n')).toStdString();
}

} // namespace
