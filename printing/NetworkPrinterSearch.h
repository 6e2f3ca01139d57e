#pragma once

#include "printing/TPrinter.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

// The search for printers on the network, on a thread of its own, for the first half minute: each printer
// found is handed to `found` on the receiver's thread, by a queued call; the receiver must outlive the
// search. Destroying the search stops it.
class NetworkPrinterSearch {
public:
    static constexpr std::chrono::milliseconds Limit{30000};

    NetworkPrinterSearch(TPrinter& printer, QObject& receiver, std::function<void(const QString& name)> found);
    ~NetworkPrinterSearch();
    NetworkPrinterSearch(const NetworkPrinterSearch&) = delete;
    NetworkPrinterSearch& operator=(const NetworkPrinterSearch&) = delete;

private:
    std::atomic<int> cancel_{0};
    std::thread thread_;
};
