#include "CupsPrintSystem.h"

#include "CupsOwners.h"
#include "CupsPrinterHandle.h"
#include "CupsServer.h"

#include <span>

namespace {

// The destination list of one request, with the status the request left behind.
class DestList {
public:
    DestList()
        : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)), status_(cupsLastError()),
          text_(QString::fromUtf8(cupsLastErrorString())) {}
    ~DestList() { cupsFreeDests(count_, dests_); }
    DestList(const DestList&) = delete;
    DestList& operator=(const DestList&) = delete;

    std::span<const cups_dest_t> dests() const { return {dests_, static_cast<std::size_t>(count_)}; }
    // An empty list is no failure when the server simply has no queues.
    bool failed() const {
        return count_ == 0 && status_ > IPP_STATUS_OK_EVENTS_COMPLETE &&
               status_ != IPP_STATUS_ERROR_NOT_FOUND;
    }
    ipp_status_t status() const { return status_; }
    QString failureText() const {
        // libcups leaves a stale errno text behind when it can't connect, which tells the user nothing.
        if (status_ == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return CupsServer::unavailableText();
        return text_;
    }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
    ipp_status_t status_;
    QString text_;
};

} // namespace

QStringList CupsPrintSystem::printers() {
    QStringList names;
    // Instances are the user's option sets for a queue, not printers of their own.
    const DestList list;
    for (const cups_dest_t& dest : list.dests())
        if (!dest.instance)
            names << QString::fromUtf8(dest.name);
    return names;
}

DefaultPrinterAnswer CupsPrintSystem::defaultPrinter() {
    if (const CupsDest dest{cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr)})
        return DefaultPrinterAnswer::named(QString::fromUtf8(dest->name));
    // The same "no default destination" comes back when the server is down; only the list tells.
    const DestList list;
    if (list.failed())
        return DefaultPrinterAnswer::failure(list.status(), list.failureText());
    return DefaultPrinterAnswer::none();
}

std::optional<QString> CupsPrintSystem::userDefaultPrinterName() {
    const DestList list;
    for (const cups_dest_t& dest : list.dests())
        if (dest.is_default)
            return QString::fromUtf8(dest.name);
    return std::nullopt;
}

std::unique_ptr<PrinterHandle> CupsPrintSystem::openPrinter(const QString& name) {
    CupsDest dest{cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr)};
    if (!dest)
        return nullptr;
    return std::make_unique<CupsPrinterHandle>(std::move(dest));
}
