#pragma once

#include "platform/PrintSystem.h"

#include <random>

// A print system that hands every call on to another one, except that now and then a call fails the way a
// real print system can fail there: no printers, no default, a printer that won't open or has no settings,
// no context, a printable area of nothing, a refused document or a page that breaks off half-drawn.
class ChaosPrintSystem : public PrintSystem {
public:
    ChaosPrintSystem(PrintSystem& inner, std::mt19937& random) : inner_(inner), random_(random) {}

    // The chance of each call failing; 0 makes this a plain pass-through.
    void setFailureRate(double rate) { rate_ = rate; }
    // Whether this call fails, at the failure rate times share; the handles and contexts given out ask too.
    bool strike(double share = 1);
    // Which of two ways to fail.
    bool coin() { return std::bernoulli_distribution(0.5)(random_); }
    int strikes() const { return strikes_; }
    // Documents started through this system so far, failed ones included.
    int documentsStarted() const { return documents_; }
    void countDocument() { ++documents_; }

    QStringList printers() override;
    DefaultPrinterAnswer defaultPrinter() override;
    std::optional<QString> userDefaultPrinterName() override;
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override;
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device, const DocumentSettings& settings) override;
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device, const DocumentSettings& settings) override;
    // The search is the inner system's own, untouched: it runs on its thread and shares nothing counted here.
    NetworkSearch networkSearch() override { return inner_.networkSearch(); }

    // What the print system says when it refuses a step.
    [[noreturn]] void refuse(const char* step);

private:
    std::unique_ptr<DeviceContext> wrap(std::unique_ptr<DeviceContext> context);

    PrintSystem& inner_;
    std::mt19937& random_;
    double rate_ = 0;
    int strikes_ = 0;
    int documents_ = 0;
};
