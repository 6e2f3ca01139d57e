#pragma once

#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsSession.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stop_token>

// The queue's name from its address on the local server, ipp://localhost:631/printers/NAME; empty for any
// other address.
QString queueNameOf(const char* uri);

// Printers that DNS-SD knows and the server has no queue for, as the search found them. One is printed on
// through a temporary queue that libcups has the local server make when it is chosen; the server drops
// such a queue after a minute unused, so it is made again whenever it is gone. The search runs on a thread
// of its own and asks the server nothing; what it finds is shared with the print system's thread under a
// mutex.
class CupsNetworkPrinters {
public:
    void search(const std::function<void(const QString& name)>& found, std::chrono::milliseconds limit,
                std::stop_token stop);

    // The server's queues: a printer by one of their names is listed, and printed on, as the queue.
    void setQueues(const QStringList& names);
    bool contains(const QString& name) const;
    // The name of the queue to print on: the printer's temporary queue, made now if need be; nothing when
    // it can't be made, or `name` was not found on the network.
    std::optional<QString> queueFor(CupsSession& session, const QString& name);

private:
    struct Found {
        CupsDest dest; // as the network told it, without a queue
        QString queue; // its temporary queue, once made
    };
    mutable std::mutex mutex_;
    std::map<QString, Found> found_;
    QStringList queues_;
};
