// A print server that takes the connection and never answers (a frozen server, a dead tunnel): start-up,
// printer selection and the print command each give up and say the server is not available, and the
// window goes on answering while a job waits.
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "app/ErrorReport.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPrintSystem.h"
#include "platform/cups/CupsSession.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

QString notAvailable(const QString& address) {
    return QStringLiteral("System Error.  Code: 1282.\r\nСервер печати %1 недоступен.").arg(address);
}

// A socket that listens on the loopback and is never read: the kernel completes every connection to it all
// the same, so a client sees a server that takes the connection and never answers.
class SilentListener {
public:
    SilentListener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(fd_, 16) != 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("can't listen on the loopback");
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(fd_); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

private:
    int fd_;
    int port_ = 0;
};

using Program = ProgramOnCups;

class SilentServer : public ReportedErrors {
protected:
    void useServer(const QString& address) {
        server = address.toUtf8();
        cupsSetServer(server.constData());
    }

    QByteArray server;
};

TEST_F(SilentServer, StartUpGivesUpAndSaysSo) {
    const SilentListener listener;
    const QString address = listener.address();
    useServer(address);

    QElapsedTimer clock;
    clock.start();
    Program program;
    const qint64 took = clock.elapsed();
    std::printf("start-up against a silent server: %lld ms\n", static_cast<long long>(took));

    EXPECT_EQ(reported, QStringList{notAvailable(address)});
    EXPECT_LT(took, 10000);
    EXPECT_TRUE(program.form.isVisible());
    EXPECT_EQ(program.form.ListBoxPrinters->count(), 0);
}

// A real server that stops answering after start-up: its process is frozen, its socket still takes
// connections.
class FrozenServer : public SilentServer {
protected:
    void SetUp() override {
        SilentServer::SetUp();
        spare.emplace();
        spare->addQueue(QStringLiteral("Alpha"));
        spare->addQueue(QStringLiteral("Bravo"));
        spare->setDefault(QStringLiteral("Alpha"));
        useServer(spare->address());
        readPid();
    }
    // The server's process: another one once it is restarted.
    void readPid() {
        QFile pidFile(qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/cupsd.pid"));
        ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
        pid = pidFile.readAll().trimmed().toInt();
        ASSERT_GT(pid, 0);
    }
    void TearDown() override {
        thaw();
        spare.reset();
        SilentServer::TearDown();
    }

    void freeze() {
        ASSERT_EQ(::kill(pid, SIGSTOP), 0);
        frozen = true;
    }
    void thaw() {
        if (frozen)
            ::kill(pid, SIGCONT);
        frozen = false;
    }

    std::optional<PrivateCups::SpareServer> spare;
    pid_t pid = 0;
    bool frozen = false;
};

TEST_F(FrozenServer, SelectionGivesUpAndSaysSo) {
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(program.printer.PrinterIndex(), 0);

    freeze();
    const QPoint bravo =
        program.form.ListBoxPrinters->visualItemRect(program.form.ListBoxPrinters->item(1)).center();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(program.form.ListBoxPrinters->viewport(), Qt::LeftButton, Qt::NoModifier, bravo);
    QCoreApplication::processEvents();
    const qint64 took = clock.elapsed();
    std::printf("selection on a silent server: %lld ms\n", static_cast<long long>(took));

    EXPECT_EQ(reported, QStringList{notAvailable(spare->address())});
    EXPECT_LT(took, 10000);
}

TEST_F(FrozenServer, PrintGivesUpWhileTheWindowAnswers) {
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    const QString output = qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/out/Alpha.out");
    QFile::remove(output);

    freeze();
    // The user opens the File menu while the job waits, and closes it again.
    bool menuOpened = false;
    QTimer::singleShot(1000, &program.form,
                       [&] { program.form.MenuHelp->popup(program.form.mapToGlobal(QPoint(0, 0))); });
    QTimer::singleShot(2000, &program.form, [&] {
        menuOpened = program.form.MenuHelp->isVisible();
        program.form.MenuHelp->close();
    });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    const qint64 took = clock.elapsed();
    std::printf("print on a silent server: %lld ms\n", static_cast<long long>(took));

    EXPECT_EQ(reported, QStringList{notAvailable(spare->address())});
    EXPECT_LT(took, 40000);
    EXPECT_TRUE(menuOpened);
    EXPECT_FALSE(program.printer.Printing());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Once the server answers again, the next command prints.
    thaw();
    reported.clear();
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
}

// Closing the window while a job waits on the frozen server ends the print command at once, so the program
// can end with its window; the server, once it answers again, holds no job made halfway.
TEST_F(FrozenServer, ClosingTheWindowMidPrintEndsThePrintAtOnce) {
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    freeze();
    QElapsedTimer clock;
    qint64 closedAt = -1;
    QTimer::singleShot(1000, &program.form, [&] {
        closedAt = clock.elapsed();
        program.form.close();
    });
    clock.start();
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    const qint64 ended = clock.elapsed();
    std::printf("print command after the window closed: %lld ms\n", static_cast<long long>(ended - closedAt));

    ASSERT_GE(closedAt, 0) << "the window never closed during the print";
    // A job that waited for the server would take 30 s.
    EXPECT_LT(ended - closedAt, 5000);
    EXPECT_FALSE(program.form.isVisible());
    EXPECT_FALSE(program.printer.Printing());
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    thaw();
    // Whatever reached the server is a whole job or none; none waits for the rest of its document.
    const auto activeJobs = [] {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(count, jobs);
        return count;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return activeJobs() == 0; }, 20000)) << activeJobs() << " job(s) left";
}

// A printer chosen while the server was frozen has no settings; once it answers again, choosing the same
// row again, or printing, reads them and prints there.
TEST_F(FrozenServer, AFailedSelectionIsTriedAgainOnTheSameRowOrAtPrint) {
    const QString bravoOut =
        qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/out/Bravo.out");
    for (const bool sameRowAgain : {true, false}) {
        SCOPED_TRACE(sameRowAgain ? "the same row again" : "print at once");
        reported.clear();
        QFile::remove(bravoOut);
        Program program;
        ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        TListBox& list = *program.form.ListBoxPrinters;
        const QPoint bravo = list.visualItemRect(list.item(1)).center();

        freeze();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, bravo);
        QCoreApplication::processEvents();
        EXPECT_EQ(reported, QStringList{notAvailable(spare->address())});
        thaw();
        // A server found silent is left alone for a while before it is asked again.
        QTest::qWait(static_cast<int>(CupsSession::QuietLimit.count()) + 200);

        reported.clear();
        if (sameRowAgain) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, bravo);
            QCoreApplication::processEvents();
            EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
            EXPECT_NE(program.printer.DevMode(), nullptr);
        }
        QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(program.printer.PrinterIndex(), 1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(bravoOut); }, 60000));
    }
}

// The user's time in the password dialog is not the server's silence: a password typed after longer than a
// job waits on a silent server, followed by a slow answer from the server, prints the job.
TEST_F(FrozenServer, TimeInThePasswordDialogIsNotSilence) {
    const PrivateCups::Account account = spare->requirePassword();
    const QString& user = account.user;
    const QString& password = account.password;
    readPid();
    const QByteArray userName = user.toUtf8();
    cupsSetUser(userName.constData());
    int asked = 0;
    CupsPassword::setPrompt([&](const CupsPassword::Question&) -> std::optional<PasswordAnswer> {
        ++asked;
        // Longer than a job waits on a silent server.
        QEventLoop typing;
        QTimer::singleShot(31000, &typing, &QEventLoop::quit);
        typing.exec();
        // The answer to the request sent again with the password comes after several of the job's waits.
        freeze();
        QTimer::singleShot(1000, [this] { thaw(); });
        return PasswordAnswer(Secret::fromText(password));
    });
    const auto restore = qScopeGuard([] {
        CupsPassword::setPrompt({});
        cupsSetUser(nullptr);
    });
    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    const QString output = qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/out/Alpha.out");
    QFile::remove(output);

    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(frozen);
    PrivateCups::waitForOutput(QStringLiteral("Alpha"), output);
    QFile printed(output);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().contains("%PDF-"));
}

} // namespace
