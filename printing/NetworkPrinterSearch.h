#pragma once

#include "platform/PrintSystem.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <thread>

// The print system's search for printers on the network, in rounds on a thread of its own for the first half
// minute: each printer found is handed to `found` on the receiver's thread, by a queued call; the receiver
// must outlive the search. Destroying the search stops it.
class NetworkPrinterSearch {
public:
    static constexpr std::chrono::milliseconds Limit{30000};

    NetworkPrinterSearch(NetworkSearch search, QObject& receiver, std::function<void(const QString& name)> found);

private:
    std::jthread thread_;
};
