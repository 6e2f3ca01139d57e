// The command line's printing against the private print server: the same page as the window's print
// button, the printer list as the server has it, and its errors with their status.
#include "Headless.h"
#include "PrivateCups.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

// As a script runs it, with the print server the tests' environment names unless the caller names another.
Outcome vornel(const QStringList& arguments, const QString& server = {}, const QString& user = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!server.isEmpty())
        env.insert(QStringLiteral("CUPS_SERVER"), server);
    if (!user.isEmpty())
        env.insert(QStringLiteral("CUPS_USER"), user);
    return runHeadless(QStringLiteral(VORNEL_EXECUTABLE), arguments, env);
}

// What the queue wrote for its last job, rasterised at the queue's resolution; the file is taken away for
// the next job.
QImage takePrinted(const QString& queue, int dpi) {
    const QString file = PrivateCups::outputFile(queue);
    PrivateCups::waitForOutput(queue, file);
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-singlefile"),
                                         QStringLiteral("-r"), QString::number(dpi), file, prefix});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        throw std::runtime_error("pdftoppm failed");
    QFile::remove(file);
    QImageReader::setAllocationLimit(1024);
    return QImage(prefix + QStringLiteral(".pgm"));
}

int inkedPixels(const QImage& page) {
    int n = 0;
    for (int y = 0; y < page.height(); ++y) {
        const uchar* line = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x)
            n += line[x] < 128;
    }
    return n;
}

class CommandLinePrint : public testing::Test {
protected:
    void SetUp() override {
        PrivateCups::deleteAll();
        PrivateCups::addQueue(QStringLiteral("Desk"), QStringLiteral("pdf"), QStringLiteral("300dpi"));
        PrivateCups::addQueue(QStringLiteral("Fine"), QStringLiteral("pdf"), QStringLiteral("600dpi"));
        PrivateCups::setDefault(QStringLiteral("Desk"));
        for (const char* q : {"Desk", "Fine"})
            QFile::remove(PrivateCups::outputFile(QString::fromLatin1(q)));
    }

    // The window's print button, pressed with the same printer and template chosen.
    QImage printedByTheWindow(const QString& queue, int dpi, int templateIndex) {
        TPrinter printer(std::make_unique<CupsPrintSystem>());
        TMainForm form(printer);
        form.FormCreate();
        form.showFirst();
        const auto& list = printer.Printers();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].Name == queue)
                form.ListBoxPrinters->setItemIndex(static_cast<int>(i));
        form.ListBoxPrintersMouseUp();
        form.ListBoxTemplates->setItemIndex(templateIndex);
        EXPECT_EQ(printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())].Name, queue);
        QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
        return takePrinted(queue, dpi);
    }
};

TEST_F(CommandLinePrint, PrintsTheSamePageAsTheWindow) {
    const struct {
        QStringList arguments;
        const char* queue;
        int dpi;
        int templateIndex;
    } cases[] = {
        {{QStringLiteral("--print")}, "Desk", 300, 0},
        {{QStringLiteral("--print"), QStringLiteral("--template"), QStringLiteral("2")}, "Desk", 300, 2},
        {{QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Fine"),
          QStringLiteral("--template"), QStringLiteral("1")},
         "Fine",
         600,
         1},
        // Queue names are matched as the print system matches them, whatever their case.
        {{QStringLiteral("--printer"), QStringLiteral("fine"), QStringLiteral("--print")}, "Fine", 600, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const QString queue = QString::fromLatin1(c.queue);
        const Outcome o = vornel(c.arguments);
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
        const QImage fromCommandLine = takePrinted(queue, c.dpi);
        const QImage fromWindow = printedByTheWindow(queue, c.dpi, c.templateIndex);
        ASSERT_FALSE(fromCommandLine.isNull());
        EXPECT_GT(inkedPixels(fromCommandLine), 1000);
        EXPECT_TRUE(fromCommandLine == fromWindow);
        EXPECT_EQ(PrivateCups::activeJobs(queue), 0);
    }
}

TEST_F(CommandLinePrint, ListsThePrintersWithTheDefaultMarked) {
    const Outcome o = vornel({QStringLiteral("--list-printers")});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringLiteral("Desk (по умолчанию)\nFine\n"));
    EXPECT_TRUE(o.err.isEmpty());

    PrivateCups::setDefault(QStringLiteral("Fine"));
    EXPECT_EQ(vornel({QStringLiteral("--list-printers")}).out, QStringLiteral("Desk\nFine (по умолчанию)\n"));
}

TEST_F(CommandLinePrint, ErrorsGoToStderrWithTheErrorReportsTextAndStatusOne) {
    const Outcome missing =
        vornel({QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Nowhere")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, QStringLiteral("Принтер «Nowhere» не найден.\n"));
    EXPECT_TRUE(missing.out.isEmpty());

    PrivateCups::deleteAll();
    PrivateCups::addQueue(QStringLiteral("Fine"), QStringLiteral("pdf"), QStringLiteral("600dpi"));
    const Outcome noDefault = vornel({QStringLiteral("--print")});
    EXPECT_EQ(noDefault.status, 1);
    EXPECT_EQ(noDefault.err, QStringLiteral("There is no default printer currently selected.\n"));
    // Without a default the list still comes, with nothing marked.
    EXPECT_EQ(vornel({QStringLiteral("--list-printers")}).out, QStringLiteral("Fine\n"));

    // The server's own words for a queue that takes no jobs.
    QProcess::execute(QStringLiteral("cupsreject"), {QStringLiteral("Fine")});
    const Outcome refused =
        vornel({QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Fine")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              QStringLiteral("System Error.  Code: 1286.\nDestination \"Fine\" is not accepting jobs.\n"));
    EXPECT_EQ(PrivateCups::activeJobs(QStringLiteral("Fine")), 0);
    EXPECT_FALSE(QFile::exists(PrivateCups::outputFile(QStringLiteral("Fine"))));
}

// A server that can't be asked, or wants a password nobody gives (standard input is no terminal here), is
// a failure with the window's words and status 1: never an empty list, a missing printer or a missing
// default. A server without printers is no failure.
TEST_F(CommandLinePrint, AServerThatCantBeAskedIsAFailure) {
    const QString refused = QStringLiteral("127.0.0.1:9");
    PrivateCups::SpareServer locked;
    locked.addQueue(QStringLiteral("Locked"));
    locked.setDefault(QStringLiteral("Locked"));
    const QString user =
        locked
            .requirePassword({QStringLiteral("CUPS-Get-Printers"), QStringLiteral("CUPS-Get-Default"),
                              QStringLiteral("Get-Printer-Attributes")})
            .user;

    const QString unavailable =
        QStringLiteral("System Error.  Code: 1282.\nСервер печати %1 недоступен.\n").arg(refused);
    const QString declined = QStringLiteral("System Error.  Code: 1026.\nСервер печати %1 запросил пароль "
                                            "пользователя %2")
                                 .arg(locked.address(), user);
    const QStringList commands[] = {
        {QStringLiteral("--list-printers")},
        {QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Locked")},
        {QStringLiteral("--print")},
    };
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(QLatin1Char(' ')).toStdString());
        const Outcome notThere = vornel(command, refused);
        EXPECT_EQ(notThere.status, 1);
        EXPECT_EQ(notThere.err, unavailable);
        EXPECT_TRUE(notThere.out.isEmpty());

        const Outcome noPassword = vornel(command, locked.address(), user);
        EXPECT_EQ(noPassword.status, 1);
        EXPECT_TRUE(noPassword.err.startsWith(declined)) << noPassword.err.toStdString();
        EXPECT_TRUE(noPassword.out.isEmpty());
    }

    PrivateCups::deleteAll();
    const Outcome empty = vornel({QStringLiteral("--list-printers")});
    EXPECT_EQ(empty.status, 0);
    EXPECT_TRUE(empty.out.isEmpty());
    EXPECT_TRUE(empty.err.isEmpty()) << empty.err.toStdString();
}

} // namespace
