#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "printing/TPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

namespace {

QStringList texts(const std::vector<TPrinterEntry>& entries) {
    QStringList out;
    for (const TPrinterEntry& e : entries)
        out << e.Text + (e.Network ? "*" : "");
    return out;
}

class NetworkRows : public testing::Test {
protected:
    NetworkRows() {
        int dpi = 100;
        // Queues out of order on purpose: network rows go below them whatever their names.
        for (const QString name : {"zeta", "Beta"}) {
            FakePrintSystem::Printer p;
            p.name = name;
            p.settings = FakePrintSystem::a4(dpi, dpi);
            system.printerList.push_back(p);
            dpi += 100;
        }
        system.defaultAnswer = DefaultPrinterAnswer::named("Beta");
        printer = std::make_unique<TPrinter>(std::make_unique<BorrowedPrintSystem>(system));
    }

    FakePrintSystem system;
    std::unique_ptr<TPrinter> printer;
};

// Names share a capital first letter: the order of mixed case is the locale's, not this test's.
TEST_F(NetworkRows, GoBelowTheQueuesSortedAmongThemselvesAndTheCurrentPrinterStays) {
    ASSERT_EQ(printer->PrinterIndex(), 1);
    const DocumentSettings settings = *printer->DevMode();

    EXPECT_EQ(printer->addNetworkPrinter("Mike"), 2);
    EXPECT_EQ(printer->addNetworkPrinter("Alpha"), 2);
    EXPECT_EQ(printer->addNetworkPrinter("Omega"), 4);
    EXPECT_EQ(texts(printer->Printers()), QStringList({"zeta", "Beta", "Alpha*", "Mike*", "Omega*"}));

    EXPECT_EQ(printer->PrinterIndex(), 1);
    EXPECT_EQ(*printer->DevMode(), settings);
}

TEST_F(NetworkRows, ANameListedAlreadyInAnyCaseIsNotAdded) {
    ASSERT_EQ(printer->addNetworkPrinter("Mike"), 2);
    for (const QString name : {"BETA", "zeta", "mike", "MIKE"}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(printer->addNetworkPrinter(name), -1);
    }
    EXPECT_EQ(texts(printer->Printers()), QStringList({"zeta", "Beta", "Mike*"}));
}

TEST_F(NetworkRows, TheCurrentRowMovesDownWhenANetworkRowGoesAboveIt) {
    printer->Printers();
    ASSERT_EQ(printer->addNetworkPrinter("Mike"), 2);
    printer->setPrinterIndex(2);
    ASSERT_EQ(system.log.back(), "open Mike");

    EXPECT_EQ(printer->addNetworkPrinter("Alpha"), 2);
    EXPECT_EQ(printer->PrinterIndex(), 3);
    EXPECT_EQ(printer->Printers()[3].Name, "Mike");
    EXPECT_EQ(printer->addNetworkPrinter("Zulu"), 4);
    EXPECT_EQ(printer->PrinterIndex(), 3);
}

} // namespace
