#pragma once

#include "platform/PrintBackend.h"
#include "platform/PrintSystem.h"

#include <exception>

// A print system that could not be made (its module would not load): every question the printer would ask
// first says why, so the window reports it and opens all the same, and a command fails with it.
class FailedPrintSystem : public PrintSystem {
public:
    FailedPrintSystem(std::exception_ptr why, ListFailure listFailure) : why_(why), listFailure_(listFailure) {}

    QStringList printers() override {
        if (listFailure_ == ListFailure::Thrown)
            std::rethrow_exception(why_);
        return {};
    }
    DefaultPrinterAnswer defaultPrinter() override { std::rethrow_exception(why_); }
    std::optional<QString> userDefaultPrinterName() override { std::rethrow_exception(why_); }
    std::unique_ptr<PrinterHandle> openPrinter(const QString&) override { std::rethrow_exception(why_); }
    std::unique_ptr<DeviceContext> createQueryContext(const QString&, const DocumentSettings&) override {
        std::rethrow_exception(why_);
    }
    std::unique_ptr<DeviceContext> createPrintContext(const QString&, const DocumentSettings&) override {
        std::rethrow_exception(why_);
    }

private:
    std::exception_ptr why_;
    ListFailure listFailure_;
};
