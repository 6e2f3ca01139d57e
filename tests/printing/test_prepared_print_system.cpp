#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "platform/Errors.h"
#include "printing/PreparedPrintSystem.h"
#include "printing/TPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// What the printer ends with after its start: rows, current row and its settings, or what was thrown.
struct Ending {
    QStringList rows;
    int index = -2;
    std::optional<DocumentSettings> settings;
    std::string error;
    bool operator==(const Ending&) const = default;
};

Ending startOn(std::unique_ptr<PrintSystem> system) {
    TPrinter printer(std::move(system));
    Ending end;
    try {
        for (const TPrinterEntry& e : printer.Printers())
            end.rows << e.Name;
        end.index = printer.PrinterIndex();
        if (printer.DevMode())
            end.settings = *printer.DevMode();
    } catch (const std::exception& e) {
        end.error = e.what();
    }
    return end;
}

struct StartUp {
    const char* name;
    std::function<void(FakePrintSystem&)> setUp;
};

void twoPrinters(FakePrintSystem& s) {
    for (const QString name : {"Alpha", "Bravo"}) {
        FakePrintSystem::Printer p;
        p.name = name;
        p.settings = FakePrintSystem::a4(name == "Alpha" ? 100 : 200, 100);
        s.printerList.push_back(p);
    }
}

TEST(PreparedPrintSystem, AnswersTheStartFromMemoryExactlyAsTheSystemWould) {
    const std::vector<StartUp> table = {
        {"default found", [](auto& s) { twoPrinters(s); s.defaultAnswer = DefaultPrinterAnswer::named("Bravo"); }},
        {"no default", [](auto& s) { twoPrinters(s); }},
        {"user default only", [](auto& s) { twoPrinters(s); s.userDefault = "Bravo"; }},
        {"default not listed", [](auto& s) { twoPrinters(s); s.defaultAnswer = DefaultPrinterAnswer::named("Gone"); }},
        {"default does not open",
         [](auto& s) { twoPrinters(s); s.printerList[1].opens = false; s.defaultAnswer = DefaultPrinterAnswer::named("Bravo"); }},
        {"settings missing",
         [](auto& s) { twoPrinters(s); s.printerList[1].settings.reset(); s.defaultAnswer = DefaultPrinterAnswer::named("Bravo"); }},
        {"default lookup fails",
         [](auto& s) { twoPrinters(s); s.defaultAnswer = DefaultPrinterAnswer::failure(5, "denied"); }},
        {"list throws", [](auto& s) { twoPrinters(s); s.printersError = "server gone"; }},
    };
    for (const StartUp& row : table) {
        SCOPED_TRACE(row.name);
        FakePrintSystem direct;
        row.setUp(direct);
        const Ending expected = startOn(std::make_unique<BorrowedPrintSystem>(direct));

        FakePrintSystem behind;
        row.setUp(behind);
        auto prepared = std::make_unique<PreparedPrintSystem>(std::make_unique<BorrowedPrintSystem>(behind));
        const std::vector<std::string> askedAhead = behind.log;
        const Ending got = startOn(std::move(prepared));

        EXPECT_EQ(got.rows, expected.rows);
        EXPECT_EQ(got.index, expected.index);
        EXPECT_EQ(got.settings, expected.settings);
        EXPECT_EQ(got.error, expected.error);
        // Asked once, ahead: the printer's start added no question of its own.
        EXPECT_EQ(behind.log, direct.log);
        EXPECT_FALSE(askedAhead.empty());
    }
}

TEST(PreparedPrintSystem, AQuestionAskedOtherwiseGoesToTheSystem) {
    FakePrintSystem behind;
    twoPrinters(behind);
    behind.defaultAnswer = DefaultPrinterAnswer::named("Bravo");
    TPrinter printer(std::make_unique<PreparedPrintSystem>(std::make_unique<BorrowedPrintSystem>(behind)));
    const std::size_t ahead = behind.log.size();

    ASSERT_EQ(printer.Printers().size(), 2u);
    printer.setPrinterIndex(0);
    EXPECT_EQ(printer.PrinterIndex(), 0);
    EXPECT_EQ(*printer.DevMode(), FakePrintSystem::a4(100, 100));
    // The default's handle heard ahead is let go; Alpha is asked of the system itself.
    EXPECT_EQ(behind.logSince(ahead), (std::vector<std::string>{"close Bravo", "open Alpha", "settings Alpha"}));
    EXPECT_EQ(std::count(behind.log.begin(), behind.log.end(), "printers"), 1);
}

} // namespace
