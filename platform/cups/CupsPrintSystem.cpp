#include "platform/cups/CupsPrintSystem.h"

#include "platform/Errors.h"
#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsDeviceContext.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPrinterHandle.h"
#include "platform/cups/CupsQueueList.h"
#include "platform/cups/CupsServer.h"

CupsPrintSystem::CupsPrintSystem(ListFailure listFailure)
    : listFailure_(listFailure), session_(std::make_shared<CupsSession>()) {}

DefaultPrinterAnswer CupsPrintSystem::unavailable() const {
    return DefaultPrinterAnswer::failure(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, CupsServer::unavailableText());
}

QStringList CupsPrintSystem::printers() {
    if (listFailure_ == ListFailure::Thrown)
        return printersOrFailure();
    CupsConnection* connection = session_->connection();
    if (!connection)
        return {};
    const CupsQueueList list = askQueueList(connection->get());
    if (list.failed())
        session_->serverFailed();
    network_->setQueues(list.names);
    return list.names;
}

QStringList CupsPrintSystem::printersOrFailure() {
    CupsConnection& connection = session_->connectionOrThrow();
    CupsPassword::resetDeclined();
    const CupsQueueList list = askQueueList(connection.get());
    if (!list.failed()) {
        network_->setQueues(list.names);
        return list.names;
    }
    session_->throwIfServerFailed();
    if (CupsPassword::declined())
        throw CupsPassword::declinedError();
    throw EOSError(list.status, list.text.toStdString());
}

DefaultPrinterAnswer CupsPrintSystem::defaultPrinter() {
    defaultDest_.reset();
    lastDefault_ = [this] {
        CupsConnection* connection = session_->connection();
        if (!connection)
            return unavailable();
        // The user's default (PRINTER, LPDEST, lpoptions) or else the server's, with its options.
        http_t* http = connection->get();
        defaultDest_ = CupsPassword::askingOnce(
            http, [http] { return CupsDest(cupsGetNamedDest(http, nullptr, nullptr)); });
        if (defaultDest_)
            return DefaultPrinterAnswer::named(QString::fromUtf8(defaultDest_->name));
        // libcups answers "no default destination" for a server that failed to answer as well.
        const ipp_status_t status = cupsLastError();
        const QString text = QString::fromUtf8(cupsLastErrorString());
        if (CupsPassword::declined())
            return DefaultPrinterAnswer::failure(IPP_STATUS_ERROR_NOT_AUTHENTICATED,
                                                 CupsPassword::declinedText());
        if (session_->serverFailed())
            return unavailable();
        if (status == IPP_STATUS_ERROR_NOT_FOUND || status <= IPP_STATUS_OK_EVENTS_COMPLETE)
            return DefaultPrinterAnswer::none();
        return DefaultPrinterAnswer::failure(status, text);
    }();
    return *lastDefault_;
}

std::optional<QString> CupsPrintSystem::userDefaultPrinterName() {
    // The user's default and the server's are the same two sources the default lookup has just tried.
    const DefaultPrinterAnswer answer = lastDefault_ ? *lastDefault_ : defaultPrinter();
    lastDefault_.reset();
    if (answer.kind != DefaultPrinterAnswer::Kind::Name)
        return std::nullopt;
    return answer.name;
}

std::unique_ptr<PrinterHandle> CupsPrintSystem::openPrinter(const QString& name) {
    if (defaultDest_ && QString::fromUtf8(defaultDest_->name) == name)
        return std::make_unique<CupsPrinterHandle>(session_, std::move(defaultDest_));
    defaultDest_.reset();
    CupsDest dest = lookUpDest(*session_, name);
    if (!dest && network_->contains(name)) {
        const std::optional<QString> queue = network_->queueFor(*session_, name);
        if (!queue)
            session_->throwIfServerFailed();
        dest = queue ? lookUpDest(*session_, *queue) : nullptr;
    }
    if (!dest)
        return nullptr;
    return std::make_unique<CupsPrinterHandle>(session_, std::move(dest));
}

std::unique_ptr<DeviceContext> CupsPrintSystem::createQueryContext(const QString& device,
                                                         const DocumentSettings& settings) {
    return std::make_unique<CupsDeviceContext>(device, settings);
}

std::unique_ptr<DeviceContext> CupsPrintSystem::createPrintContext(const QString& device,
                                                         const DocumentSettings& settings) {
    // A network printer's queue may have been dropped since it was chosen: made again, it takes the job.
    if (network_->contains(device)) {
        const std::optional<QString> queue = network_->queueFor(*session_, device);
        if (!queue) {
            session_->throwIfServerFailed();
            throw EPrinter(PrinterMessages::InvalidPrinter);
        }
        return std::make_unique<CupsDeviceContext>(*queue, settings);
    }
    return std::make_unique<CupsDeviceContext>(device, settings);
}

NetworkSearch CupsPrintSystem::networkSearch() {
    return [network = network_](const std::function<void(const QString& name)>& found,
                                std::chrono::milliseconds limit, std::stop_token stop) {
        network->search(found, limit, stop);
    };
}
