// Thousands of random user actions on the main window over a print system that fails at random points.
#include "BorrowedPrintSystem.h"
#include "ChaosPrintSystem.h"
#include "FakePrintSystem.h"
#include "ModalDismisser.h"
#include "Monkey.h"
#include "MonkeyChecks.h"
#include "QtPrinters.h"
#include "app/ErrorReport.h"
#include "platform/Shell.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/ProductConstants.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <cstdio>
#include <map>

namespace {

constexpr unsigned DefaultSeed = 20261210;
constexpr int DefaultActions = 8000;
constexpr int Rounds = 4;
constexpr double FailureRate = 0.08;

// Printers that work and printers that fail in each way a printer can, the first the default.
FakePrintSystem printersOfEveryKind() {
    auto named = [](const char* name, auto&& change) {
        FakePrintSystem::Printer p;
        p.name = QString::fromLatin1(name);
        change(p);
        return p;
    };
    using P = FakePrintSystem::Printer;
    FakePrintSystem fake;
    fake.printerList = {
        named("Office", [](P&) {}),
        named("Label", [](P& p) { p.settings = FakePrintSystem::a4(600, 600); }),
        named("Draft", [](P& p) { p.settings = FakePrintSystem::a4(150, 75); }),
        named("Shut", [](P& p) { p.opens = false; }),
        named("Bare", [](P& p) { p.settings.reset(); }),
        named("NoIC", [](P& p) { p.icFails = true; }),
        named("NoDC", [](P& p) { p.dcFails = true; }),
        named("Flat",
              [](P& p) {
                  p.caps = DeviceCaps{3000, 2000, 0, 0};
              }),
    };
    fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Office"));
    fake.userDefault = QStringLiteral("Office");
    fake.abortProcCalls = 2;
    return fake;
}

struct Tally {
    int actions = 0;
    int strikes = 0;
    int reports = 0;
    int documents = 0;
    int abouts = 0;
    int links = 0;
    std::map<QString, int> texts; // by first line
};

class MonkeyOverFailingPrintSystem : public testing::Test {
protected:
    void SetUp() override {
        registerApplicationFonts();
        ignoreUnacceptedEvents();
        Shell::setOpener([this](const QString& text, int) {
            const QString url = Shell::urlFromShellText(text);
            if (url != ProductConstants::SiteURL && url != ProductConstants::SupportURL)
                wrong << QStringLiteral("a link to ") + url;
            ++tally.links;
            return true;
        });
    }
    void TearDown() override {
        Shell::setOpener({});
        ErrorReport::setPresenter({});
    }

    // One run of the program: start-up, the actions, then a print on a good printer, and File > Exit.
    void round(std::mt19937& random, int actions, double failureRate) {
        FakePrintSystem fake = printersOfEveryKind();
        ChaosPrintSystem chaos(fake, random);
        chaos.setFailureRate(failureRate);
        TPrinter printer(std::make_unique<BorrowedPrintSystem>(chaos));
        int documentsBeforeAction = 0;
        ErrorReport::setPresenter([&](const QString& text, const QString&) {
            ++tally.reports;
            lastReport = text;
            ++tally.texts[text.section(QStringLiteral("\r\n"), 0, 0)];
            const QString why =
                judgeReport(text, printer.Printing() || chaos.documentsStarted() > documentsBeforeAction);
            if (!why.isEmpty())
                wrong << why;
        });
        ModalDismisser dismisser(random());

        TMainForm form(printer);
        ErrorReport::guard([&] { form.FormCreate(); });
        form.showFirst();
        settle();

        Monkey monkey(form, random);
        const QString failure = runActions(monkey, form, printer, actions, [&]() -> QString {
            for (const FakePrintSystem::Document& d : fake.documents)
                tally.documents += d.ended;
            // Between actions no document is open, so what was printed can go.
            fake.documents.clear();
            fake.log.clear();
            documentsBeforeAction = chaos.documentsStarted();
            if (fake.openHandles > 1 || fake.openContexts > 1)
                return QStringLiteral("%1 printer handles and %2 contexts open")
                    .arg(fake.openHandles)
                    .arg(fake.openContexts);
            if (!dismisser.problems.isEmpty())
                return dismisser.problems.join(QLatin1Char('\n'));
            if (!wrong.isEmpty())
                return wrong.join(QLatin1Char('\n'));
            return {};
        });
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
        tally.actions += actions;
        tally.strikes += chaos.strikes();
        tally.abouts += dismisser.aboutsClosed;

        // The program still answers: with the print system sound again, a template and a good printer
        // chosen by mouse, the print command prints it.
        chaos.setFailureRate(0);
        form.showNormal();
        form.resize(900, 500);
        settle();
        QTest::mouseClick(form.ListBoxTemplates->viewport(), Qt::LeftButton, Qt::NoModifier,
                          form.ListBoxTemplates->visualItemRect(form.ListBoxTemplates->item(1)).center());
        EXPECT_EQ(form.ListBoxTemplates->ItemIndex(), 1);
        const int reportsBefore = tally.reports;
        fake.documents.clear();
        if (form.ListBoxPrinters->count() == 0) {
            // The print system offered no printers at start-up, and the list is not read again.
            QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
            settle();
            EXPECT_EQ(tally.reports, reportsBefore + 1);
            EXPECT_EQ(lastReport, QStringLiteral("There is no default printer currently selected."));
            EXPECT_TRUE(fake.documents.empty());
        } else {
            // By way of another row: a click on the current printer's row keeps the settings that a failure
            // may have taken from it.
            for (int row : {2, 1})
                QTest::mouseClick(
                    form.ListBoxPrinters->viewport(), Qt::LeftButton, Qt::NoModifier,
                    form.ListBoxPrinters->visualItemRect(form.ListBoxPrinters->item(row)).center());
            QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
            settle();
            EXPECT_EQ(tally.reports, reportsBefore) << lastReport.toStdString();
            EXPECT_EQ(printer.PrinterIndex(), 1);
            ASSERT_EQ(fake.documents.size(), 1u);
            EXPECT_TRUE(fake.documents[0].ended);
            EXPECT_EQ(fake.documents[0].device, "Label");
            EXPECT_FALSE(fake.documents[0].runs.empty());
            EXPECT_EQ(fake.openHandles, 1);
        }
        EXPECT_EQ(judgeState(form, printer), QString());

        bool answered = false;
        QMetaObject::invokeMethod(
            &form, [&] { answered = true; }, Qt::QueuedConnection);
        settle();
        EXPECT_TRUE(answered);

        form.MenuExit->trigger();
        settle();
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char('\n')).toStdString();
    }

    Tally tally;
    QStringList wrong;
    QString lastReport;
};

TEST_F(MonkeyOverFailingPrintSystem, TheProgramOutlivesEveryActionAndStillPrints) {
    const unsigned seed = monkeySeed(DefaultSeed);
    const int actions = monkeyActions(DefaultActions);
    std::printf("monkey over a failing print system: seed %u (VORNEL_MONKEY_SEED), %d actions "
                "(VORNEL_MONKEY_ACTIONS) in %d rounds\n",
                seed, actions, Rounds);
    std::fflush(stdout);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    for (int r = 0; r < Rounds; ++r) {
        SCOPED_TRACE(testing::Message() << "round " << r);
        // The first round fails less, so that its start-up most likely finds the default printer.
        round(random, actions / Rounds, r == 0 ? FailureRate / 4 : FailureRate);
        if (HasFatalFailure())
            return;
    }
    std::printf(
        "monkey done: %d actions, %d print system failures, %d errors reported, %d documents printed, "
        "%d About dialogs closed, %d links opened\n",
        tally.actions, tally.strikes, tally.reports, tally.documents, tally.abouts, tally.links);
    for (const auto& [text, count] : tally.texts)
        std::printf("  %5d x %s\n", count, qPrintable(text));
    // A run that never printed, failed or opened About would have tested nothing.
    EXPECT_GT(tally.documents, 0);
    EXPECT_GT(tally.strikes, 0);
    EXPECT_GT(tally.reports, 0);
    EXPECT_GT(tally.abouts, 0);
}

} // namespace
