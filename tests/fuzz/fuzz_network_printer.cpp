// A printer as DNS-SD tells of it: its name, which becomes a row of the printer list, and the address of the
// queue the server makes for it, which becomes the name the job goes to. A name takes one row or none, the
// list keeps its order and its current printer, and a queue's name leads back to the same queue.
#include "FakePrintSystem.h"

#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsNetworkPrinters.h"
#include "printing/TPrinter.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void checkRows(TPrinter& printer, const QString& name) {
    const QString current = printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())].Name;
    const bool listed = printer.indexOfPrinter(name) >= 0;
    const std::size_t before = printer.Printers().size();
    const int row = printer.addNetworkPrinter(name);
    const std::vector<TPrinterEntry>& rows = printer.Printers();
    require((row < 0) == listed, "a new name gets a row, a listed one none");
    require(rows.size() == before + (listed ? 0 : 1), "one row at most");
    if (row >= 0)
        require(rows[static_cast<std::size_t>(row)].Name == name &&
                    rows[static_cast<std::size_t>(row)].Network,
                "the row is the printer's");
    require(rows[static_cast<std::size_t>(printer.PrinterIndex())].Name == current,
            "the current printer stays");
    require(printer.addNetworkPrinter(name) == -1, "a name is listed once");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        require(rows[i - 1].Network <= rows[i].Network, "network printers below the queues");
        if (rows[i - 1].Network && rows[i].Network)
            require(QString::localeAwareCompare(rows[i - 1].Text.toCaseFolded(),
                                                rows[i].Text.toCaseFolded()) <= 0,
                    "network printers in order");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string first = input.ConsumeRandomLengthString(256);
    const std::string second = input.ConsumeRandomLengthString(256);
    const std::string uri = input.ConsumeRemainingBytesAsString();

    auto owned = std::make_unique<FakePrintSystem>();
    FakePrintSystem& system = *owned;
    FakePrintSystem::Printer office;
    office.name = QStringLiteral("Office");
    FakePrintSystem::Printer pdf;
    pdf.name = QStringLiteral("PDF");
    system.printerList = {office, pdf};
    system.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("PDF"));
    TPrinter printer(std::move(owned));
    printer.setPrinterIndex(1);
    // As the search hands the names on: libcups' bytes, taken as UTF-8.
    checkRows(printer, QString::fromUtf8(first.c_str()));
    checkRows(printer, QString::fromUtf8(second.c_str()));

    const QString queue = queueNameOf(uri.c_str());
    if (!queue.isEmpty())
        require(queueNameOf(queueUri(queue).constData()) == queue, "the queue's name leads back to it");
    return 0;
}
