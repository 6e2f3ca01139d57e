#pragma once

#include "PrintSystem.h"

// The print system over the CUPS server that libcups finds: CUPS_SERVER, client.conf or the local one.
// The user's PRINTER, LPDEST and lpoptions count, as they do for every other program.
class CupsPrintSystem : public PrintSystem {
public:
    QStringList printers() override;
    DefaultPrinterAnswer defaultPrinter() override;
    std::optional<QString> userDefaultPrinterName() override;
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override;
    std::unique_ptr<DeviceContext> createIC(const QString& device, const DocumentSettings& settings) override;
    std::unique_ptr<DeviceContext> createDC(const QString& device, const DocumentSettings& settings) override;
};
