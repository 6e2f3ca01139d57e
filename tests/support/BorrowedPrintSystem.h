#pragma once

#include "platform/PrintSystem.h"

#include <memory>

// Hands a print system to an owner while the test keeps it, so that what the owner leaves behind when it is
// destroyed (open handles, contexts, the log) can still be looked at.
class BorrowedPrintSystem : public PrintSystem {
public:
    explicit BorrowedPrintSystem(PrintSystem& system) : system_(system) {}

    QStringList printers() override { return system_.printers(); }
    DefaultPrinterAnswer defaultPrinter() override { return system_.defaultPrinter(); }
    std::optional<QString> userDefaultPrinterName() override { return system_.userDefaultPrinterName(); }
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override {
        return system_.openPrinter(name);
    }
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device,
                                            const DocumentSettings& settings) override {
        return system_.createQueryContext(device, settings);
    }
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device,
                                            const DocumentSettings& settings) override {
        return system_.createPrintContext(device, settings);
    }
    NetworkSearch networkSearch() override { return system_.networkSearch(); }

private:
    PrintSystem& system_;
};
