// A print server that wants a password: the window asks in its own dialog, with the user's name shown and
// the button named for what it does; the command line asks on its terminal. Cancelling prints nothing and
// says why, once; a wrong password is said to be refused; a password given is not asked for again.
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "app/ErrorReport.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/PrinterStart.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PasswordDialog.h"
#include "ui/PasswordOnUiThread.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <QDialogButtonBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Program = ProgramOnCups;

// What the user saw in each dialog, and what they did: the entries typed, in turn; none left is a Cancel.
struct Answers {
    QStringList entries;
    int asked = 0;
    QStringList shownUsers;
    QStringList buttons; // the OK button's text
    QList<bool> saidNotAccepted;
    bool passwordHidden = true;
    QString typedUser; // typed over the name offered, when not empty
    QStringList titles;
    QStringList labels; // every text the dialog shows
};

// Answers the password dialog each time it comes up, until the object goes.
class Answering {
public:
    explicit Answering(Answers& answers) : answers_(answers) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(20);
    }

private:
    void answer() {
        auto* dialog = dynamic_cast<TPasswordDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->property("answered").toBool())
            return;
        dialog->setProperty("answered", true);
        Answers& a = answers_;
        a.shownUsers << dialog->findChild<QLineEdit*>(QStringLiteral("EditUser"))->text();
        a.buttons << dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        a.saidNotAccepted << !dialog->findChild<QLabel*>(QStringLiteral("LabelNotAccepted"))->isHidden();
        a.titles << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            a.labels << label->text();
        if (!a.typedUser.isEmpty())
            dialog->findChild<QLineEdit*>(QStringLiteral("EditUser"))->setText(a.typedUser);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("EditPassword"));
        a.passwordHidden = a.passwordHidden && edit->echoMode() == QLineEdit::Password;
        if (a.asked++ < a.entries.size()) {
            QTest::keyClicks(edit, a.entries[a.asked - 1]);
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            dialog->reject();
        }
    }

    Answers& answers_;
    QTimer poll_;
};

bool cameOut(const QString& file) {
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Locked", 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(n, jobs);
        if (n == 0 && QFile::exists(file)) {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) && f.readAll().contains("%PDF-");
        }
        QThread::msleep(50);
    }
    return false;
}

int jobsEver() {
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Locked", 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(n, jobs);
    return n;
}

QString notGiven(const QString& server) {
    return QStringLiteral(
               "System Error.  Code: 1026.\r\nСервер печати %1 запросил пароль пользователя %2, но "
               "пароль не был введён. Ничего не напечатано.")
        .arg(server, PrivateCups::SpareServer::accountName());
}

// The spare server with the queues, Locked the default, asking for User's password for the operations
// named (job creation when none); the client talks to it as User, and the window's dialog answers.
class PasswordServer : public testing::Test {
protected:
    void SetUp() override {
        registerApplicationFonts();
        ErrorReport::setPresenter([this](const QString& text, const QString&) { reported << text; });
        cupsSetUser(user.constData());
        CupsPassword::setPrompt(askPrintServerPassword);
    }
    void TearDown() override {
        CupsPassword::setPrompt({});
        cupsSetUser(nullptr);
        cupsSetServer(nullptr);
        ErrorReport::setPresenter({});
    }

    void start(const QStringList& operations = {}) {
        spare.emplace();
        spare->addQueue(QStringLiteral("Other"));
        spare->addQueue(QStringLiteral("Locked"));
        spare->setDefault(QStringLiteral("Locked"));
        Password = spare->requirePassword(operations).password;
        address = spare->address().toUtf8();
        cupsSetServer(address.constData());
    }

    // Passwords the server's PAM check has refused so far, as its log counts them.
    static int refusedByTheServer() {
        QFile log(qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/log/error_log"));
        if (!log.open(QIODevice::ReadOnly))
            return 0;
        return static_cast<int>(log.readAll().count("pam_authenticate() returned"));
    }

    QString output() const {
        return qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/out/Locked.out");
    }

    const QString User = PrivateCups::SpareServer::accountName();
    QString Password; // made anew for each server
    const QByteArray user = User.toUtf8();
    std::optional<PrivateCups::SpareServer> spare;
    QByteArray address;
    QStringList reported;
};

const QStringList EveryQuestion = {QStringLiteral("CUPS-Get-Printers"), QStringLiteral("CUPS-Get-Default"),
                                   QStringLiteral("Get-Printer-Attributes")};
const QStringList SettingsOnly = {QStringLiteral("Get-Printer-Attributes")};

TEST_F(PasswordServer, AJobAsksInADialogCancelPrintsNothingTheRightOnePrints) {
    start();
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    Answers cancel;
    {
        const Answering answering(cancel);
        QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(cancel.asked, 1);
    EXPECT_EQ(cancel.shownUsers, QStringList{User});
    EXPECT_EQ(cancel.buttons, QStringList{QStringLiteral("Печатать")});
    EXPECT_TRUE(cancel.passwordHidden);
    EXPECT_EQ(reported, QStringList{notGiven(spare->address())});
    EXPECT_FALSE(program.printer.Printing());
    EXPECT_EQ(jobsEver(), 0);
    EXPECT_FALSE(QFile::exists(output()));

    // A wrong password is sent once and said to be refused, and the right one typed next prints at once.
    reported.clear();
    const int refusedBefore = refusedByTheServer();
    Answers wrongThenRight{{QStringLiteral("wrong-1"), Password}};
    {
        const Answering answering(wrongThenRight);
        QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(wrongThenRight.asked, 2);
    EXPECT_EQ(wrongThenRight.saidNotAccepted, (QList<bool>{false, true}));
    EXPECT_EQ(refusedByTheServer() - refusedBefore, 1);
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(cameOut(output()));

    // Given once in this run, it is not asked for again.
    QFile::remove(output());
    Answers none;
    {
        const Answering answering(none);
        QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(none.asked, 0);
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(cameOut(output()));
}

// A print account other than the login: the dialog, titled with the program's name and naming the server,
// offers the login; the account's name typed over it is the one the server is given, and owns the job.
TEST_F(PasswordServer, TheAccountTypedInTheDialogIsTheOneThatPrints) {
    start();
    const QByteArray login = "vornel-login";
    cupsSetUser(login.constData());
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    Answers account{{Password}};
    account.typedUser = User;
    {
        const Answering answering(account);
        QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(account.asked, 1);
    EXPECT_EQ(account.shownUsers, QStringList{QString::fromLatin1(login)});
    EXPECT_EQ(account.titles, QStringList{QStringLiteral("Ворнель [light]: пароль для печати")});
    EXPECT_TRUE(account.labels.join(QLatin1Char('\n')).contains(spare->address()))
        << account.labels.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(cameOut(output()));
    // The server's own record of who made the job.
    QFile log(qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/log/access_log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    QStringList printed;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (line.contains("HTTP/1.1\" 200 ") && line.contains("Print-Job successful-ok"))
            printed << QString::fromUtf8(line);
    ASSERT_EQ(printed.size(), 1) << printed.join(QLatin1Char('\n')).toStdString();
    // host - user [date] "request" status ...
    EXPECT_EQ(printed[0].section(QLatin1Char(' '), 2, 2), User) << printed[0].toStdString();
}

TEST_F(PasswordServer, StartUpAsksOnceAndShowsThePrinterAndPrintingAsksNoMore) {
    // Every question, or only the one for the printer's settings: then the first to meet the password.
    for (const QStringList& operations : {EveryQuestion, SettingsOnly}) {
        SCOPED_TRACE(operations.join(QLatin1Char(' ')).toStdString());
        reported.clear();
        start(operations + QStringList{QStringLiteral("Print-Job")});

        Answers right{{Password}};
        {
            const Answering answering(right);
            Program program;
            EXPECT_EQ(right.asked, 1);
            EXPECT_EQ(right.shownUsers, QStringList{User});
            EXPECT_EQ(right.buttons, QStringList{QStringLiteral("Подключиться")});
            EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
            ASSERT_EQ(program.form.ListBoxPrinters->count(), 2);
            const int current = program.printer.PrinterIndex();
            ASSERT_GE(current, 0);
            EXPECT_EQ(program.form.ListBoxPrinters->item(current)->text(), QStringLiteral("Locked"));
            EXPECT_EQ(program.form.ListBoxPrinters->ItemIndex(), current);

            QFile::remove(output());
            QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
            QCoreApplication::processEvents();
            EXPECT_EQ(right.asked, 1);
            EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(cameOut(output()));
        }
        spare.reset();
        // Another run is another user to ask.
        CupsPassword::setPrompt(askPrintServerPassword);
    }
}

// The program's start: the print system made and asked on a thread of its own, whose libcups settings are
// its own (the server and user set there, as the environment sets them for the program); the password it
// needs is asked in the window's dialog, on the user-interface thread, once.
TEST_F(PasswordServer, AStartOnItsOwnThreadAsksInTheWindowsDialogOnce) {
    start(EveryQuestion + QStringList{QStringLiteral("Print-Job")});
    Answers right{{Password}};
    const Answering answering(right);
    std::thread::id askedFrom;
    CupsPassword::setPrompt([&](const PasswordQuestion& question) {
        askedFrom = std::this_thread::get_id();
        return askPrintServerPasswordOnUiThread(question);
    });
    const PrinterStartThread start([&] {
        cupsSetServer(address.constData());
        cupsSetUser(user.constData());
        return std::make_unique<CupsPrintSystem>();
    });
    TMainForm form(start.future());
    ErrorReport::guard([&] { form.FormCreate(); });
    form.showFirst();
    TPrinter& printer = form.printer();

    // Asked from the start's thread, answered in the dialog the user-interface thread showed.
    EXPECT_NE(askedFrom, std::this_thread::get_id());
    EXPECT_EQ(right.asked, 1);
    EXPECT_EQ(right.buttons, QStringList{QStringLiteral("Подключиться")});
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(form.ListBoxPrinters->count(), 2);
    ASSERT_GE(printer.PrinterIndex(), 0);
    EXPECT_EQ(form.ListBoxPrinters->item(printer.PrinterIndex())->text(), QStringLiteral("Locked"));

    QFile::remove(output());
    QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(right.asked, 1);
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(cameOut(output()));
}

// libcups keeps its password callback per thread, and its own reads the terminal. Whatever thread asks the
// server, the program's prompt answers: here the list asked from one thread, then the default from another
// over a connection of its own, which the password given on the first answers without asking again.
TEST_F(PasswordServer, EveryThreadThatAsksTheServerHasTheProgramsPrompt) {
    start(EveryQuestion);
    std::vector<std::thread::id> askedFrom;
    CupsPassword::setPrompt([&](const PasswordQuestion&) -> std::optional<PasswordAnswer> {
        askedFrom.push_back(std::this_thread::get_id());
        return PasswordAnswer(Secret::fromText(Password));
    });
    // libcups' server and user are per thread too.
    const auto onAThreadOfItsOwn = [&](const std::function<void()>& ask) {
        std::thread::id id;
        std::thread([&] {
            id = std::this_thread::get_id();
            cupsSetServer(address.constData());
            cupsSetUser(user.constData());
            ask();
        }).join();
        return id;
    };

    QStringList listed;
    CupsPrintSystem lister;
    const std::thread::id listedFrom = onAThreadOfItsOwn([&] { listed = lister.printers(); });
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Locked"), QStringLiteral("Other")}));
    EXPECT_EQ(askedFrom, std::vector<std::thread::id>{listedFrom});

    DefaultPrinterAnswer answer = DefaultPrinterAnswer::none();
    CupsPrintSystem another;
    onAThreadOfItsOwn([&] { answer = another.defaultPrinter(); });
    EXPECT_EQ(answer.kind, DefaultPrinterAnswer::Kind::Name);
    EXPECT_EQ(answer.name, QStringLiteral("Locked"));
    EXPECT_EQ(askedFrom.size(), 1u);
}

// Cancel at start-up is asked once and said as in a job; choosing a printer afterwards asks again, under
// its own name.
TEST_F(PasswordServer, CancelAtStartUpAsksOnceAndAChoiceAsksAgain) {
    const struct {
        const char* name;
        QStringList operations;
        bool listed;
    } cases[] = {{"every question", EveryQuestion, false}, {"the settings only", SettingsOnly, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        start(c.operations);
        Answers cancel;
        std::optional<Program> program;
        {
            const Answering answering(cancel);
            program.emplace();
        }
        EXPECT_EQ(cancel.asked, 1);
        EXPECT_EQ(cancel.buttons, QStringList{QStringLiteral("Подключиться")});
        EXPECT_EQ(reported, QStringList{notGiven(spare->address())});
        if (c.listed) {
            reported.clear();
            TListBox& list = *program->form.ListBoxPrinters;
            ASSERT_EQ(list.count(), 2);
            Answers right{{Password}};
            {
                const Answering answering(right);
                QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                                  list.visualItemRect(list.item(1)).center());
                QCoreApplication::processEvents();
            }
            EXPECT_EQ(right.buttons, QStringList{QStringLiteral("Выбрать принтер")});
            EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
            EXPECT_NE(program->printer.DevMode(), nullptr);
        }
        program.reset();
        spare.reset();
        CupsPassword::setPrompt(askPrintServerPassword);
    }
}

// The command line asks on its terminal, without echo, and declines at once without one.
TEST_F(PasswordServer, TheCommandLineAsksOnItsTerminalAndDeclinesWithoutOne) {
    start();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), spare->address());
    env.insert(QStringLiteral("CUPS_USER"), User);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    const QString vornel = QStringLiteral(VORNEL_EXECUTABLE);

    // The input is typed once the program has asked for it, as a user types it.
    const auto run = [&](const QString& program, const QStringList& arguments, const QByteArray& typed) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, arguments);
        EXPECT_TRUE(p.waitForStarted());
        QByteArray screen;
        const QDeadlineTimer deadline(60000);
        while (!screen.contains("Пароль") && p.state() == QProcess::Running && !deadline.hasExpired()) {
            p.waitForReadyRead(100);
            screen += p.readAll();
        }
        p.write(typed);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        EXPECT_EQ(p.state(), QProcess::NotRunning);
        screen += p.readAll();
        return std::pair{p.exitCode(), QString::fromUtf8(screen)};
    };

    // No terminal: declined at once, with the sentence a job gives.
    const auto [status, said] = run(vornel, {QStringLiteral("--print")}, Password.toUtf8() + '\n');
    EXPECT_EQ(status, 1);
    // On the terminal lines end in a line feed alone.
    EXPECT_EQ(said.trimmed(),
              notGiven(spare->address()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(jobsEver(), 0);

    // A terminal: asked there, the password not shown, and the job printed.
    QFile::remove(output());
    const auto [ttyStatus, screen] =
        run(QStringLiteral("script"),
            {QStringLiteral("-qec"), vornel + QStringLiteral(" --print"), QStringLiteral("/dev/null")},
            Password.toUtf8() + '\n');
    EXPECT_EQ(ttyStatus, 0) << screen.toStdString();
    // The job's own thread asked through the program's prompt, never libcups' on the same terminal.
    EXPECT_TRUE(screen.contains(QStringLiteral("Пароль пользователя %1").arg(User))) << screen.toStdString();
    EXPECT_FALSE(screen.contains(QStringLiteral("Password for"))) << screen.toStdString();
    EXPECT_FALSE(screen.contains(Password)) << screen.toStdString();
    EXPECT_TRUE(cameOut(output()));
}

} // namespace
