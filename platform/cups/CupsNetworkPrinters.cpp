#include "platform/cups/CupsNetworkPrinters.h"

#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsPassword.h"

#include <QByteArray>
#include <QScopeGuard>

#include <atomic>
#include <optional>
#include <string>

namespace {

CupsDest copyOf(const cups_dest_t* dest) {
    cups_dest_t* copy = nullptr;
    if (cupsCopyDest(const_cast<cups_dest_t*>(dest), 0, &copy) != 1)
        return nullptr;
    return CupsDest(copy);
}

struct Search {
    CupsNetworkPrinters* printers;
    const std::function<void(const QString& name)>* found;
    std::stop_token stop;
};

} // namespace

QString queueNameOf(const char* uri) {
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (!uri || httpSeparateURI(HTTP_URI_CODING_ALL, uri, scheme, sizeof scheme, user, sizeof user, host,
                                sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return {};
    const QByteArray path(resource);
    return path.startsWith("/printers/") ? QString::fromUtf8(path.mid(10)) : QString();
}

void CupsNetworkPrinters::search(const std::function<void(const QString& name)>& found,
                                 std::chrono::milliseconds limit, std::stop_token stop) {
    // The search asks the server nothing: libcups' enumeration would still ask it for its default, over a
    // connection nothing bounds, so that a silent server would hold the search, and the window's closing
    // with it. The calling thread is pointed at no server meanwhile (libcups keeps the server per thread).
    const std::string server = cupsServer();
    cupsSetServer("/dev/null");
    // Should the enumeration ever reach a server after all, its question comes to the program's prompt.
    CupsPassword::install();
    const auto backToServer = qScopeGuard([&] { cupsSetServer(server.c_str()); });
    // libcups polls a plain int of the caller's. Atomic: the stopping thread stores to it through atomic_ref;
    // only this thread's libcups reads it.
    int cancel = 0;
    const std::stop_callback stopping(stop, [&cancel] { std::atomic_ref<int>(cancel).store(1); });
    Search search{this, &found, stop};
    const auto onDest = [](void* data, unsigned flags, cups_dest_t* dest) -> int {
        auto& s = *static_cast<Search*>(data);
        if (s.stop.stop_requested())
            return 0;
        if ((flags & CUPS_DEST_FLAGS_REMOVED) || dest->instance || !dest->name)
            return 1;
        const QString name = QString::fromUtf8(dest->name);
        {
            const std::lock_guard lock(s.printers->mutex_);
            if (s.printers->found_.count(name) || s.printers->queues_.contains(name, Qt::CaseInsensitive))
                return 1;
            CupsDest copy = copyOf(dest);
            if (!copy)
                return 1;
            s.printers->found_.emplace(name, Found{std::move(copy), {}});
        }
        (*s.found)(name);
        return !s.stop.stop_requested();
    };
    // Only what DNS-SD finds: the server's own queues are the list's already, and asking the server from
    // here would let a silent one hold the search.
    cupsEnumDests(CUPS_DEST_FLAGS_NONE, static_cast<int>(limit.count()), &cancel,
                  CUPS_PRINTER_DISCOVERED, CUPS_PRINTER_DISCOVERED, onDest, &search);
}

void CupsNetworkPrinters::setQueues(const QStringList& names) {
    const std::lock_guard lock(mutex_);
    queues_ = names;
}

bool CupsNetworkPrinters::contains(const QString& name) const {
    const std::lock_guard lock(mutex_);
    return found_.count(name) > 0;
}

std::optional<QString> CupsNetworkPrinters::queueFor(CupsSession& session, const QString& name) {
    CupsDest dest;
    QString queue;
    {
        const std::lock_guard lock(mutex_);
        const auto at = found_.find(name);
        if (at == found_.end())
            return std::nullopt;
        dest = copyOf(at->second.dest.get());
        queue = at->second.queue;
    }
    if (!dest)
        return std::nullopt;
    CupsConnection& connection = session.connectionOrThrow();
    if (!queue.isEmpty() && askQueueKnown(connection.get(), queue) == QueueAnswer::Known)
        return queue;
    // libcups resolves the printer's address and has the server make the queue, waiting until it is ready.
    http_t* http = connection.get();
    const CupsDestInfo info =
        CupsPassword::askingOnce(http, [&] { return CupsDestInfo(cupsCopyDestInfo(http, dest.get())); });
    connection.progressed();
    queue = queueNameOf(cupsGetOption("printer-uri-supported", dest->num_options, dest->options));
    if (!info || queue.isEmpty())
        return std::nullopt;
    const std::lock_guard lock(mutex_);
    found_[name].queue = queue;
    return queue;
}
