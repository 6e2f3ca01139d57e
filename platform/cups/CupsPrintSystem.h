#pragma once

#include "platform/PrintBackend.h"
#include "platform/PrintSystem.h"
#include "platform/cups/CupsNetworkPrinters.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsSession.h"

#include <memory>
#include <optional>

// The print system over the CUPS server that libcups finds: CUPS_SERVER, client.conf or the local one.
// The user's PRINTER, LPDEST and lpoptions count, as they do for every other program. All questions go
// over one connection whose answers are waited for a few seconds at most; a start-up takes three requests:
// the list, the default with its options, and the default's capabilities. Opening a printer, and asking
// for its settings, throws the server's unavailability rather than pass it off as a missing printer. A printer
// found on the network is opened, and printed on, through the temporary queue the server makes for it.
class CupsPrintSystem : public PrintSystem {
public:
    using ListFailure = ::ListFailure;

    explicit CupsPrintSystem(ListFailure listFailure = ListFailure::Empty);

    QStringList printers() override;
    DefaultPrinterAnswer defaultPrinter() override;
    std::optional<QString> userDefaultPrinterName() override;
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override;
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device, const DocumentSettings& settings) override;
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device, const DocumentSettings& settings) override;
    NetworkSearch networkSearch() override;

private:
    QStringList printersOrFailure();
    DefaultPrinterAnswer unavailable() const;

    ListFailure listFailure_;
    std::shared_ptr<CupsSession> session_;
    // The default's destination as its lookup brought it, until the printer is opened.
    CupsDest defaultDest_;
    // The last default lookup's answer, for the question about the user's default that follows it.
    std::optional<DefaultPrinterAnswer> lastDefault_;
    // Shared with the search's thread, which fills it; it locks what it holds.
    std::shared_ptr<CupsNetworkPrinters> network_ = std::make_shared<CupsNetworkPrinters>();
};
