#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "printing/PrinterStart.h"
#include "printing/TPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// What a printer shows after its start: rows, current row and its settings, or what was thrown.
struct Ending {
    QStringList rows;
    int index = -2;
    std::optional<DocumentSettings> settings;
    std::string error;
    bool operator==(const Ending&) const = default;
};

std::string whatOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    }
}

// The window's start on this thread, as it reads the printer.
Ending startHere(PrintSystem& system) {
    TPrinter printer(std::make_unique<BorrowedPrintSystem>(system));
    Ending end;
    try {
        for (const TPrinterEntry& e : printer.Printers())
            end.rows << e.Name;
        end.index = printer.PrinterIndex();
        if (printer.DevMode())
            end.settings = *printer.DevMode();
    } catch (...) {
        end.error = whatOf(std::current_exception());
    }
    return end;
}

// The same read from the value a start on another thread handed over; nothing is asked of the system again.
Ending endingOf(const PrinterStart& start) {
    Ending end;
    for (const TPrinterEntry& e : start.printer->Printers())
        end.rows << e.Name;
    if (start.error) {
        end.error = whatOf(start.error);
        return end;
    }
    end.index = start.printer->PrinterIndex();
    if (start.printer->DevMode())
        end.settings = *start.printer->DevMode();
    return end;
}

void twoPrinters(FakePrintSystem& s) {
    for (const QString name : {"Alpha", "Bravo"}) {
        FakePrintSystem::Printer p;
        p.name = name;
        p.settings = FakePrintSystem::a4(name == "Alpha" ? 100 : 200, 100);
        s.printerList.push_back(p);
    }
}

TEST(PrinterStart, TheValueFromItsThreadIsTheStartOnTheUserInterfaceThread) {
    const struct {
        const char* name;
        std::function<void(FakePrintSystem&)> setUp;
    } table[] = {
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
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        FakePrintSystem here;
        row.setUp(here);
        const Ending expected = startHere(here);

        FakePrintSystem aside;
        row.setUp(aside);
        std::thread::id madeOn;
        const PrinterStartThread start([&] {
            madeOn = std::this_thread::get_id();
            return std::make_unique<BorrowedPrintSystem>(aside);
        });
        {
            const PrinterStart value = start.future().takeResult();
            EXPECT_NE(madeOn, std::this_thread::get_id());
            EXPECT_EQ(endingOf(value), expected);
        }
        // Asked once, on the start's thread, in the same order; the printer let go of what it opened.
        EXPECT_EQ(aside.log, here.log);
    }
}

TEST(PrinterStart, ASystemThatCannotBeMadeIsSaidWhereTheWindowReadsTheCurrentPrinter) {
    const PrinterStart start = startPrinter([]() -> std::unique_ptr<PrintSystem> {
        throw std::runtime_error("module missing");
    });
    EXPECT_TRUE(start.printer->Printers().empty());
    ASSERT_TRUE(start.error);
    EXPECT_EQ(whatOf(start.error), "module missing");
}

} // namespace
