#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "QtPrinters.h"
#include "platform/Errors.h"
#include "printing/TPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Answer = DefaultPrinterAnswer;

const std::string NoDefault = PrinterMessages::NoDefaultPrinter;
const std::string OutOfRange = PrinterMessages::IndexOutOfRange;
const std::string InProgress = PrinterMessages::PrintingInProgress;

// What a call threw: the kind of error and its message; both empty when it returned.
struct Outcome {
    std::string kind;
    std::string message;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << (o.kind.empty() ? "returned" : o.kind + ": " + o.message);
}

template <class F> Outcome outcomeOf(F&& call) {
    try {
        call();
    } catch (const EOSError& e) {
        return {"EOSError", e.what()};
    } catch (const EPrinter& e) {
        return {"EPrinter", e.what()};
    }
    return {};
}

const Outcome Returned{};
Outcome printerError(const std::string& message) {
    return {"EPrinter", message};
}

class PrinterSelection : public testing::Test {
protected:
    // Each printer gets its own resolution, so its settings tell which printer they came from.
    void install(const QStringList& names) {
        int dpi = 100;
        for (const QString& name : names) {
            FakePrintSystem::Printer p;
            p.name = name;
            p.settings = FakePrintSystem::a4(dpi, dpi);
            system.printerList.push_back(p);
            dpi += 100;
        }
    }

    FakePrintSystem::Printer& fakePrinter(const QString& name) {
        return *std::find_if(system.printerList.begin(), system.printerList.end(),
                             [&](const auto& p) { return p.name == name; });
    }

    TPrinter& printer() {
        if (!printer_)
            printer_ = std::make_unique<TPrinter>(std::make_unique<BorrowedPrintSystem>(system));
        return *printer_;
    }

    void destroyPrinter() { printer_.reset(); }

    int asked(const std::string& entry) const {
        return static_cast<int>(std::count(system.log.begin(), system.log.end(), entry));
    }

    FakePrintSystem system;

private:
    std::unique_ptr<TPrinter> printer_;
};

TEST_F(PrinterSelection, ListKeepsThePrintSystemsOrderAndIsReadOnce) {
    install({"Zulu", "alpha", "Mike", "Office,Floor 2"});
    const std::vector<TPrinterEntry>& entries = printer().Printers();

    ASSERT_EQ(entries.size(), 4u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].Text, system.printerList[i].name);
        EXPECT_EQ(entries[i].Name, system.printerList[i].name);
    }

    // Printers added later are not seen.
    install({"Late"});
    EXPECT_EQ(printer().Printers().size(), 4u);
    EXPECT_EQ(asked("printers"), 1);
}

TEST_F(PrinterSelection, EmptyListStaysEmpty) {
    EXPECT_TRUE(printer().Printers().empty());
    install({"Late"});
    EXPECT_TRUE(printer().Printers().empty());
    EXPECT_EQ(asked("printers"), 1);
}

TEST_F(PrinterSelection, DefaultPrinterSelection) {
    struct Case {
        const char* name;
        QStringList printers;
        Answer answer;
        std::optional<QString> userDefault;
        int index; // after the read; -1 when it fails
        Outcome outcome;
    } cases[] = {
        {"named default in the middle",
         {"Alpha", "Bravo", "Charlie"},
         Answer::named("Bravo"),
         {},
         1,
         Returned},
        {"letter case ignored", {"Alpha", "Bravo"}, Answer::named("BRAVO"), {}, 1, Returned},
        {"first of two names differing in case",
         {"Office", "OFFICE", "office"},
         Answer::named("office"),
         {},
         0,
         Returned},
        {"a comma belongs to the name",
         {"Office", "Office,Floor 2"},
         Answer::named("Office,Floor 2"),
         {},
         1,
         Returned},
        {"leading blanks belong to the name",
         {"Office", " Office"},
         Answer::named(" Office"),
         {},
         1,
         Returned},
        {"the enumeration's default comes first",
         {"Alpha", "Bravo"},
         Answer::named("Alpha"),
         "Bravo",
         0,
         Returned},
        {"the user's default when the enumeration has none",
         {"Alpha", "Bravo"},
         Answer::none(),
         "bravo",
         1,
         Returned},
        {"no default anywhere", {"Alpha", "Bravo"}, Answer::none(), {}, -1, printerError(NoDefault)},
        {"user's default not installed",
         {"Alpha", "Bravo"},
         Answer::none(),
         "Gone",
         -1,
         printerError(NoDefault)},
        {"default not installed", {"Alpha"}, Answer::named("Gone"), {}, -1, printerError(NoDefault)},
        {"a prefix is no match", {"Alpha"}, Answer::named("Alph"), {}, -1, printerError(NoDefault)},
        {"no printer installed", {}, Answer::named("Alpha"), {}, -1, printerError(NoDefault)},
        {"no printer and no default", {}, Answer::none(), {}, -1, printerError(NoDefault)},
        {"server unreachable",
         {},
         Answer::failure(0x0502, "The print server 127.0.0.1:631 is not available."),
         "Alpha",
         -1,
         {"EOSError", "System Error.  Code: 1282.\r\nThe print server 127.0.0.1:631 is not available."}},
        {"failure without a code",
         {"Alpha"},
         Answer::failure(0, "ignored"),
         {},
         -1,
         {"EOSError", "A call to an OS function failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        destroyPrinter();
        system = FakePrintSystem();
        install(c.printers);
        system.defaultAnswer = c.answer;
        system.userDefault = c.userDefault;

        EXPECT_EQ(outcomeOf([&] { printer().PrinterIndex(); }), c.outcome);
        if (c.index < 0) {
            EXPECT_EQ(printer().DevMode(), nullptr);
            EXPECT_EQ(system.openHandles, 0);
            // A failed selection changes nothing, so the next read tries again.
            EXPECT_EQ(outcomeOf([&] { printer().PrinterIndex(); }), c.outcome);
            EXPECT_EQ(asked("default"), 2);
        } else {
            EXPECT_EQ(printer().PrinterIndex(), c.index);
            ASSERT_NE(printer().DevMode(), nullptr);
            EXPECT_EQ(*printer().DevMode(), system.printerList[static_cast<std::size_t>(c.index)].settings);
            EXPECT_EQ(system.openHandles, 1);
            EXPECT_EQ(asked("default"), 1);
        }
    }
}

TEST_F(PrinterSelection, PrinterThatCantGiveEverythingIsStillCurrent) {
    struct Case {
        const char* name;
        bool opens;
        std::optional<DocumentSettings> settings;
        bool hasSettings;
        int openHandles;
    } cases[] = {
        {"opening fails", false, FakePrintSystem::a4(300, 300), false, 0},
        {"no document settings", true, std::nullopt, false, 1},
        {"both", true, FakePrintSystem::a4(600, 300), true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        destroyPrinter();
        system = FakePrintSystem();
        install({"Alpha", "Bravo"});
        fakePrinter("Bravo").opens = c.opens;
        fakePrinter("Bravo").settings = c.settings;
        system.defaultAnswer = Answer::named("Bravo");

        EXPECT_EQ(printer().PrinterIndex(), 1);
        EXPECT_EQ(printer().DevMode() != nullptr, c.hasSettings);
        EXPECT_EQ(system.openHandles, c.openHandles);
    }
}

TEST_F(PrinterSelection, CurrentIndexKeepsItsSettingsAnotherIndexReadsThemAfresh) {
    install({"Alpha", "Bravo", "Charlie"});
    system.defaultAnswer = Answer::named("Bravo");
    ASSERT_EQ(printer().PrinterIndex(), 1);
    const DocumentSettings atStart = *printer().DevMode();
    fakePrinter("Bravo").settings = FakePrintSystem::a4(1200, 600);

    printer().setPrinterIndex(1);
    EXPECT_EQ(*printer().DevMode(), atStart);
    EXPECT_EQ(asked("open Bravo"), 1);

    printer().setPrinterIndex(2);
    EXPECT_EQ(printer().PrinterIndex(), 2);
    EXPECT_EQ(*printer().DevMode(), fakePrinter("Charlie").settings);

    printer().setPrinterIndex(1);
    EXPECT_EQ(*printer().DevMode(), FakePrintSystem::a4(1200, 600));
    EXPECT_EQ(system.openHandles, 1);
}

TEST_F(PrinterSelection, ChangingPrinterReleasesTheOldOneFirst) {
    install({"Alpha", "Bravo"});
    system.defaultAnswer = Answer::named("Alpha");
    printer().Handle();
    const std::size_t mark = system.log.size();

    printer().setPrinterIndex(1);
    EXPECT_EQ(system.logSince(mark),
              (std::vector<std::string>{"close Alpha", "delete IC", "open Bravo", "settings Bravo"}));
    EXPECT_EQ(printer().State(), psNoHandle);
    EXPECT_EQ(system.openContexts, 0);
}

TEST_F(PrinterSelection, MinusOneMakesTheDefaultCurrentWithFreshSettings) {
    install({"Alpha", "Bravo", "Charlie"});
    system.defaultAnswer = Answer::named("Bravo");
    printer().setPrinterIndex(2);
    fakePrinter("Bravo").settings = FakePrintSystem::a4(1200, 1200);

    printer().setPrinterIndex(-1);
    EXPECT_EQ(printer().PrinterIndex(), 1);
    EXPECT_EQ(*printer().DevMode(), FakePrintSystem::a4(1200, 1200));

    // Also when the default is current already.
    fakePrinter("Bravo").settings = FakePrintSystem::a4(150, 150);
    printer().setPrinterIndex(-1);
    EXPECT_EQ(*printer().DevMode(), FakePrintSystem::a4(150, 150));
    EXPECT_EQ(system.openHandles, 1);
}

TEST_F(PrinterSelection, IndexOutOfRange) {
    struct Case {
        const char* name;
        QStringList printers;
        int value;
        Outcome outcome;
    } cases[] = {
        {"below -1", {"Alpha", "Bravo", "Charlie"}, -2, printerError(OutOfRange)},
        {"the count", {"Alpha", "Bravo", "Charlie"}, 3, printerError(OutOfRange)},
        {"far above", {"Alpha", "Bravo", "Charlie"}, INT_MAX, printerError(OutOfRange)},
        {"far below", {"Alpha", "Bravo", "Charlie"}, INT_MIN, printerError(OutOfRange)},
        {"0 of an empty list", {}, 0, printerError(OutOfRange)},
        {"-1 of an empty list runs the selection", {}, -1, printerError(NoDefault)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        destroyPrinter();
        system = FakePrintSystem();
        install(c.printers);
        system.defaultAnswer = Answer::named("Charlie");

        EXPECT_EQ(outcomeOf([&] { printer().setPrinterIndex(c.value); }), c.outcome);
        EXPECT_EQ(asked("open Charlie") + asked("open Alpha"), 0);
    }
}

TEST_F(PrinterSelection, NoChoiceWhileADocumentIsOpen) {
    install({"Alpha", "Bravo"});
    system.defaultAnswer = Answer::named("Alpha");
    printer().BeginDoc();

    for (int value : {1, 0, -1, 7, -5}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(outcomeOf([&] { printer().setPrinterIndex(value); }), printerError(InProgress));
        EXPECT_EQ(printer().PrinterIndex(), 0);
        EXPECT_TRUE(printer().Printing());
    }
    printer().EndDoc();
    EXPECT_EQ(asked("open Bravo"), 0);

    printer().setPrinterIndex(1);
    EXPECT_EQ(printer().PrinterIndex(), 1);
}

TEST_F(PrinterSelection, RowCanBeChosenWithoutADefault) {
    install({"Alpha", "Bravo", "Charlie"});
    EXPECT_EQ(outcomeOf([&] { printer().PrinterIndex(); }), printerError(NoDefault));

    printer().setPrinterIndex(2);
    EXPECT_EQ(printer().PrinterIndex(), 2);
    EXPECT_EQ(*printer().DevMode(), fakePrinter("Charlie").settings);
    EXPECT_EQ(asked("default"), 1);

    // -1 still asks for the default, and a failure leaves the chosen printer current.
    EXPECT_EQ(outcomeOf([&] { printer().setPrinterIndex(-1); }), printerError(NoDefault));
    EXPECT_EQ(printer().PrinterIndex(), 2);
    ASSERT_NE(printer().DevMode(), nullptr);
    EXPECT_EQ(system.openHandles, 1);
}

TEST_F(PrinterSelection, DefaultGainedAfterAFailedStartIsTakenAtTheNextRead) {
    install({"Alpha", "Bravo"});
    EXPECT_EQ(outcomeOf([&] { printer().PrinterIndex(); }), printerError(NoDefault));
    system.defaultAnswer = Answer::named("Bravo");

    EXPECT_EQ(printer().PrinterIndex(), 1);
    EXPECT_EQ(*printer().DevMode(), fakePrinter("Bravo").settings);
}

TEST_F(PrinterSelection, RowChosenAfterTheSystemGainsADefault) {
    install({"Alpha", "Bravo", "Charlie"});
    EXPECT_EQ(outcomeOf([&] { printer().PrinterIndex(); }), printerError(NoDefault));
    system.defaultAnswer = Answer::named("Bravo");

    printer().setPrinterIndex(0);
    EXPECT_EQ(printer().PrinterIndex(), 0);
    EXPECT_EQ(asked("open Bravo"), 0);
}

TEST_F(PrinterSelection, EndReleasesContextHandleAndSettings) {
    install({"Alpha"});
    system.defaultAnswer = Answer::named("Alpha");
    printer().BeginDoc();
    printer().EndDoc();
    ASSERT_EQ(system.openContexts, 1);
    ASSERT_EQ(system.openHandles, 1);
    const std::size_t mark = system.log.size();

    destroyPrinter();
    EXPECT_EQ(system.openContexts, 0);
    EXPECT_EQ(system.openHandles, 0);
    EXPECT_EQ(system.logSince(mark), (std::vector<std::string>{"delete DC", "close Alpha"}));
}

} // namespace
