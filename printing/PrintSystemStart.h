#pragma once

#include "platform/PrintSystem.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// The print system made, and its start-up questions asked, on a thread of its own, while the user-interface
// thread sets up the toolkit and builds the window. The first question asked of it waits for that thread,
// answering meanwhile what the thread asks of the user (UiThread::run); from then on it is the system made.
// Made on the user-interface thread (UiThread::markCurrent first).
class PrintSystemStart : public PrintSystem {
public:
    using Maker = std::function<std::unique_ptr<PrintSystem>()>;

    // `make` runs on the new thread; what it throws is what the print system's questions throw later.
    explicit PrintSystemStart(Maker make);
    ~PrintSystemStart() override;

    QStringList printers() override { return system().printers(); }
    DefaultPrinterAnswer defaultPrinter() override { return system().defaultPrinter(); }
    std::optional<QString> userDefaultPrinterName() override { return system().userDefaultPrinterName(); }
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override { return system().openPrinter(name); }
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device, const DocumentSettings& settings) override {
        return system().createQueryContext(device, settings);
    }
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device, const DocumentSettings& settings) override {
        return system().createPrintContext(device, settings);
    }
    void findNetworkPrinters(const std::function<void(const QString& name)>& found, std::chrono::milliseconds limit,
                             std::atomic<int>& cancel) override {
        system().findNetworkPrinters(found, limit, cancel);
    }

private:
    PrintSystem& system();

    std::unique_ptr<PrintSystem> system_;
    std::atomic<bool> ready_{false};
    std::thread thread_;
};
