// The print command over the fake print system: its steps, its errors and what each leaves behind.
#include "BorrowedPrintSystem.h"
#include "ErrorMessage.h"
#include "FakePrintSystem.h"
#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

FakePrintSystem::Printer printerNamed(const char* name) {
    FakePrintSystem::Printer p;
    p.name = name;
    return p;
}

// Two printers, the first one the default, and the program's printer object over them.
struct World {
    FakePrintSystem fake;
    std::unique_ptr<TPrinter> printer;

    World() {
        fake.printerList = {printerNamed("Laser"), printerNamed("Inkjet")};
        fake.defaultAnswer = DefaultPrinterAnswer::named("Laser");
        printer = std::make_unique<TPrinter>(std::make_unique<BorrowedPrintSystem>(fake));
    }

    FakePrintSystem::Printer& laser() { return fake.printerList[0]; }

    void print(int templateIndex = 0) {
        printEnvelope(*printer, [templateIndex] { return templateIndex; });
    }

    std::string failureOf(int templateIndex = 0) {
        return messageOf([&] { print(templateIndex); });
    }

    // No document open and no context holding one: the next command starts clean.
    void expectReady() {
        EXPECT_FALSE(printer->Printing());
        EXPECT_EQ(printer->State(), psNoHandle);
        EXPECT_EQ(fake.openContexts, 0);
    }
};

struct Job : testing::Test, World {};

TEST_F(Job, ACommandMakesFreshContextsAndOneLandscapePageWithAnEmptyName) {
    print();
    std::size_t mark = fake.log.size();
    print(1);
    // The second command drops the first one's device context and starts over from an information context.
    EXPECT_EQ(fake.logSince(mark), (Log{"delete DC", "createQueryContext Laser", "delete IC", "createPrintContext Laser",
                                        "startDoc", "startPage", "endPage", "endDoc"}));
    ASSERT_EQ(fake.documents.size(), 2u);
    for (const auto& doc : fake.documents) {
        EXPECT_TRUE(doc.title.isEmpty());
        EXPECT_EQ(doc.settings.orientation, PageOrientation::Landscape);
        EXPECT_EQ(doc.pagesStarted, 1);
        EXPECT_EQ(doc.pagesEnded, 1);
        EXPECT_TRUE(doc.ended);
        EXPECT_FALSE(doc.runs.empty());
    }
    // The device context of the last job stays until something needs another.
    EXPECT_EQ(printer->State(), psHandleDC);
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(fake.openContexts, 1);
}

TEST_F(Job, TheTemplateIsReadWhereTheDrawingBeginsAndNoneThenDropsThePage) {
    std::vector<std::string> logWhenRead;
    const auto readAt = [&](int index) {
        return [&, index] {
            logWhenRead.push_back(fake.log.empty() ? std::string() : fake.log.back());
            return index;
        };
    };
    printEnvelope(*printer, readAt(1));
    // A template chosen while the document was being started decides what is printed.
    EXPECT_EQ(logWhenRead, Log{"startPage"});
    ASSERT_EQ(fake.documents.size(), 1u);
    EXPECT_FALSE(fake.documents[0].runs.empty());
    EXPECT_TRUE(fake.documents[0].ended);

    for (int none : {-1, 3}) {
        SCOPED_TRACE(none);
        logWhenRead.clear();
        fake.documents.clear();
        EXPECT_EQ(messageOf([&] { printEnvelope(*printer, readAt(none)); }), "Не выбран шаблон печати.");
        EXPECT_EQ(logWhenRead, Log{"startPage"});
        // The page was open, but nothing on it and nothing handed over.
        ASSERT_EQ(fake.documents.size(), 1u);
        EXPECT_TRUE(fake.documents[0].runs.empty());
        EXPECT_FALSE(fake.documents[0].ended);
        expectReady();
    }
}

TEST(JobOrder, ThePrinterIsResolvedBeforeTheTemplateIsAskedFor) {
    const struct {
        const char* name;
        DefaultPrinterAnswer defaultAnswer;
        std::string message;
        int printerIndex;
    } cases[] = {
        {"neither a printer nor a template", DefaultPrinterAnswer::none(),
         "There is no default printer currently selected", -1},
        {"the server gone", DefaultPrinterAnswer::failure(1282, "Service Unavailable"),
         "System Error.  Code: 1282.\r\nService Unavailable", -1},
        {"a default printer since start-up", DefaultPrinterAnswer::named("Inkjet"),
         "Не выбран шаблон печати.", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World j;
        // Start-up found no default, so no template was selected either.
        j.fake.defaultAnswer = DefaultPrinterAnswer::none();
        EXPECT_EQ(messageOf([&] { j.printer->PrinterIndex(); }),
                  "There is no default printer currently selected");
        j.fake.defaultAnswer = c.defaultAnswer;
        EXPECT_EQ(j.failureOf(-1), c.message);
        if (c.printerIndex >= 0)
            EXPECT_EQ(j.printer->PrinterIndex(), c.printerIndex);
        for (const auto& doc : j.fake.documents)
            EXPECT_FALSE(doc.ended);
    }
}

TEST_F(Job, EachFailureStopsAtItsStepAndLeavesThePrinterReady) {
    const DeviceCaps good = deviceCapsFor([] {
        DocumentSettings s = FakePrintSystem::a4(300, 300);
        s.orientation = PageOrientation::Landscape;
        return s;
    }());
    struct Case {
        const char* name;
        std::function<void(World&)> arrange;
        std::string message;
        bool documentStarted;
        bool recovers = true;
    } cases[] = {
        {"no printer installed", [](World& j) { j.fake.printerList.clear(); },
         "There is no default printer currently selected", false, false},
        {"no default printer", [](World& j) { j.fake.defaultAnswer = DefaultPrinterAnswer::none(); },
         "There is no default printer currently selected", false},
        {"server unreachable",
         [](World& j) { j.fake.defaultAnswer = DefaultPrinterAnswer::failure(1282, "Service Unavailable"); },
         "System Error.  Code: 1282.\r\nService Unavailable", false},
        {"no document settings", [](World& j) { j.laser().settings.reset(); },
         "Operation not supported on selected printer", false},
        {"printer does not open", [](World& j) { j.laser().opens = false; },
         "Operation not supported on selected printer", false},
        {"no information context", [](World& j) { j.laser().icFails = true; },
         "Printer selected is not valid", false},
        {"no device context", [](World& j) { j.laser().dcFails = true; }, "Printer selected is not valid",
         false},
        {"zero millimetres across",
         [&](World& j) {
             j.laser().caps = DeviceCaps{good.horzRes, good.vertRes, 0, good.vertSize};
         },
         "Floating point division by zero", false},
        {"zero millimetres down",
         [&](World& j) {
             j.laser().caps = DeviceCaps{good.horzRes, good.vertRes, good.horzSize, 0};
         },
         "Floating point division by zero", false},
        {"zero pixels in zero millimetres",
         [&](World& j) {
             j.laser().caps = DeviceCaps{0, good.vertRes, 0, good.vertSize};
         },
         "Invalid floating point operation", false},
        {"scale beyond the pixel range",
         [](World& j) {
             j.laser().caps = DeviceCaps{2000000000, 2000, 1, 200};
         },
         "Invalid floating point operation", true},
        {"job refused", [](World& j) { j.fake.refuseEndDoc = "The printer is not accepting jobs."; },
         "System Error.  Code: 1287.\r\nThe printer is not accepting jobs.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World j;
        c.arrange(j);
        EXPECT_EQ(j.failureOf(0), c.message);
        EXPECT_FALSE(j.printer->Printing());
        EXPECT_EQ(!j.fake.documents.empty(), c.documentStarted);
        if (c.documentStarted) {
            j.expectReady();
            // A started document that failed is never handed over as printed.
            EXPECT_FALSE(j.fake.documents.back().ended);
        }
        if (!c.recovers)
            continue; // the printer list is read once per run

        // Once the cause is gone the next command prints.
        j.fake.printerList = {printerNamed("Laser"), printerNamed("Inkjet")};
        j.fake.defaultAnswer = DefaultPrinterAnswer::named("Laser");
        j.fake.refuseEndDoc.reset();
        j.fake.documents.clear();
        j.printer->setPrinterIndex(-1);
        EXPECT_EQ(j.failureOf(0), "");
        ASSERT_EQ(j.fake.documents.size(), 1u);
        EXPECT_TRUE(j.fake.documents[0].ended);
    }
}

TEST_F(Job, ACommandOrAPrinterChoiceDuringTheJobIsRefusedAndTheJobGoesOn) {
    fake.abortProcCalls = 2;
    std::vector<std::string> refusals;
    int repaints = 0;
    printer->setPendingEventsHandler([&] {
        try {
            print(2);
        } catch (const EPrinter& e) {
            refusals.push_back(e.what());
        }
        try {
            printer->setPrinterIndex(1);
        } catch (const EPrinter& e) {
            refusals.push_back(e.what());
        }
        ++repaints; // a preview repaint touches nothing of the printer's
    });
    print(0);
    EXPECT_EQ(refusals, (std::vector<std::string>(4, "Printing in progress")));
    EXPECT_EQ(repaints, 2);
    ASSERT_EQ(fake.documents.size(), 1u);
    EXPECT_TRUE(fake.documents[0].ended);
    EXPECT_EQ(fake.documents[0].device, "Laser");
    EXPECT_EQ(printer->PrinterIndex(), 0);
    // Afterwards both are accepted again.
    printer->setPrinterIndex(1);
    printer->setPendingEventsHandler([] {});
    print(2);
    EXPECT_EQ(fake.documents.back().device, "Inkjet");
    EXPECT_TRUE(fake.documents.back().ended);
}

TEST_F(Job, DocumentCallsOutOfTurnAreRefused) {
    EXPECT_EQ(messageOf([&] { printer->EndDoc(); }), "Printer is not currently printing");
    printer->BeginDoc();
    const std::size_t mark = fake.log.size();
    const struct {
        const char* name;
        std::function<void()> call;
    } whileOpen[] = {
        {"BeginDoc", [&] { printer->BeginDoc(); }},
        {"Orientation", [&] { printer->setOrientation(poLandscape); }},
        {"PrinterIndex", [&] { printer->setPrinterIndex(1); }},
    };
    for (const auto& c : whileOpen) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(c.call), "Printing in progress");
    }
    EXPECT_TRUE(fake.logSince(mark).empty());
    printer->EndDoc();
    EXPECT_TRUE(fake.documents.back().ended);
}

TEST_F(Job, AnAbandonedDocumentIsNotSent) {
    printer->BeginDoc();
    printer->Canvas().moveTo(0, 0);
    printer->Canvas().lineTo(10, 0);
    printer->AbortDoc();
    EXPECT_FALSE(fake.documents.back().ended);
    EXPECT_EQ(fake.log.back(), "delete DC");
    expectReady();
    printer->AbortDoc(); // nothing open: nothing to do
    expectReady();
}

} // namespace
