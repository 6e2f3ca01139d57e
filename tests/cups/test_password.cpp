// A print server that wants a password before it creates a job: the program asks in its own dialog, with
// the user's name shown, and never on the terminal. Cancelling prints nothing and says why; the right
// password prints. A server that wants it for every question is asked once at start-up.
#include "CupsPassword.h"
#include "CupsPrintSystem.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "ListBox.h"
#include "Main.h"
#include "PasswordDialog.h"
#include "PrintButton.h"
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "TPrinter.h"

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

#include <memory>

namespace {

const QString User = QStringLiteral("vornel-print");
const QString Password = QStringLiteral("Envelope-7");

using Program = ProgramOnCups;

// What the user saw in the dialog, and what they did.
struct Answer {
    bool typePassword; // else cancel
    QString shownUser;
    bool passwordHidden = false;
    int asked = 0;
};

// Answers the password dialog as soon as it is up.
void answerWhenAsked(Answer& answer) {
    QTimer::singleShot(50, [&answer] {
        auto* dialog = dynamic_cast<TPasswordDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return answerWhenAsked(answer);
        ++answer.asked;
        answer.shownUser = dialog->findChild<QLabel*>(QStringLiteral("LabelUser"))->text();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("EditPassword"));
        answer.passwordHidden = edit->echoMode() == QLineEdit::Password;
        if (answer.typePassword) {
            QTest::keyClicks(edit, Password);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

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

TEST(PasswordForJobs, AskedInADialogCancelPrintsNothingTheRightOnePrints) {
    registerApplicationFonts();
    QStringList reported;
    ErrorReport::setPresenter([&](const QString& text, const QString&) { reported << text; });
    PrivateCups::SpareServer spare;
    spare.addQueue(QStringLiteral("Locked"));
    spare.setDefault(QStringLiteral("Locked"));
    spare.requirePassword(User, Password);
    const QByteArray address = spare.address().toUtf8();
    cupsSetServer(address.constData());
    const QByteArray user = User.toUtf8();
    cupsSetUser(user.constData());
    CupsPassword::setPrompt(askPrintServerPassword);
    const QString output = qEnvironmentVariable("VORNEL_CUPSD_DIR") + QStringLiteral("-spare/out/Locked.out");

    Program program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();

    Answer cancel{false, {}};
    answerWhenAsked(cancel);
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(cancel.asked, 1);
    EXPECT_EQ(cancel.shownUser, User);
    EXPECT_TRUE(cancel.passwordHidden);
    EXPECT_EQ(reported,
              QStringList{QStringLiteral("System Error.  Code: 1026.\r\nThe print server %1 asked for "
                                         "the password of user %2, and none was given. Nothing was "
                                         "printed.")
                              .arg(spare.address(), User)});
    EXPECT_FALSE(program.printer.Printing());
    EXPECT_EQ(jobsEver(), 0);
    EXPECT_FALSE(QFile::exists(output));

    reported.clear();
    Answer type{true, {}};
    answerWhenAsked(type);
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(type.asked, 1);
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(cameOut(output));

    CupsPassword::setPrompt({});
    cupsSetUser(nullptr);
    cupsSetServer(nullptr);
    ErrorReport::setPresenter({});
}

TEST(PasswordForQuestions, StartUpAsksOnceAndShowsThePrinter) {
    registerApplicationFonts();
    QStringList reported;
    ErrorReport::setPresenter([&](const QString& text, const QString&) { reported << text; });
    const QByteArray user = User.toUtf8();
    cupsSetUser(user.constData());
    CupsPassword::setPrompt(askPrintServerPassword);
    // Every question, or only the one for the printer's settings: then the first to meet the password.
    const QStringList policies[] = {{QStringLiteral("CUPS-Get-Printers"), QStringLiteral("CUPS-Get-Default"),
                                     QStringLiteral("Get-Printer-Attributes")},
                                    {QStringLiteral("Get-Printer-Attributes")}};
    for (const QStringList& operations : policies) {
        SCOPED_TRACE(operations.join(QLatin1Char(' ')).toStdString());
        reported.clear();
        PrivateCups::SpareServer spare;
        spare.addQueue(QStringLiteral("Other"));
        spare.addQueue(QStringLiteral("Locked"));
        spare.setDefault(QStringLiteral("Locked"));
        spare.requirePassword(User, Password, operations);
        const QByteArray address = spare.address().toUtf8();
        cupsSetServer(address.constData());

        Answer type{true, {}};
        answerWhenAsked(type);
        Program program;
        EXPECT_EQ(type.asked, 1);
        EXPECT_EQ(type.shownUser, User);
        EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        ASSERT_EQ(program.form.ListBoxPrinters->count(), 2);
        const int current = program.printer.PrinterIndex();
        ASSERT_GE(current, 0);
        EXPECT_EQ(program.form.ListBoxPrinters->item(current)->text(), QStringLiteral("Locked"));
        EXPECT_EQ(program.form.ListBoxPrinters->ItemIndex(), current);
    }

    CupsPassword::setPrompt({});
    cupsSetUser(nullptr);
    cupsSetServer(nullptr);
    ErrorReport::setPresenter({});
}

} // namespace
