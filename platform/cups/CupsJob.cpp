#include "platform/cups/CupsJob.h"

#include "platform/Errors.h"
#include "platform/cups/CupsConnection.h"
#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsJobOptions.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsServer.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using namespace std::chrono_literals;

constexpr qsizetype ChunkBytes = 4096;
constexpr auto ConnectTime = 5s;
constexpr auto JobSilence = 30s;
// How often the window's events are handled while the server is silent.
constexpr auto EventPeriod = 100ms;

bool failed(ipp_status_t status) {
    return status >= IPP_STATUS_REDIRECTION_OTHER_SITE;
}

// Why a request failed, in the words the user can act on. libcups keeps the last answer of any request,
// so an answer that is no error at all means the failure never reached the server. A server that went
// silent or away leaves only libcups' own words about the broken request, so it is named instead.
[[noreturn]] void throwLastError(const CupsConnection& connection, ipp_status_t fallback,
                                 const char* fallbackText) {
    if (CupsPassword::declined())
        throw CupsPassword::declinedError();
    if (connection.serverWentSilent() || !CupsServer::answers())
        throw CupsServer::unavailable();
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        throw EPrinter(PrinterMessages::InvalidPrinter);
    if (failed(cupsLastError()))
        throw EOSError(cupsLastError(), cupsLastErrorString());
    throw EOSError(fallback, QCoreApplication::translate("CupsJob", fallbackText).toStdString());
}

// The queue as a destination of this server, made without asking: the job's first request tells whether
// the server still has it.
CupsDest destinationOf(const QString& queue) {
    cups_dest_t* dests = nullptr;
    const int count = cupsAddDest(queue.toUtf8().constData(), nullptr, 0, &dests);
    CupsDest dest(count == 1 ? dests : nullptr);
    if (dest)
        dest->num_options =
            cupsAddOption("printer-uri-supported", queueUri(queue).constData(), 0, &dest->options);
    return dest;
}

// An unfinished job must not wait in the queue for a document that never comes. Over a connection of its
// own: the job's may be broken, and a silent server is not waited on for long.
void cancelJob(cups_dest_t& dest, int jobId) {
    const std::unique_ptr<CupsConnection> connection = CupsConnection::open(ConnectTime);
    if (connection)
        cupsCancelDestJob(connection->get(), &dest, jobId);
}

} // namespace

void submitCupsJob(const QString& queue, const DocumentSettings& settings, const QByteArray& title,
                   const QByteArray& pdf, const std::function<bool()>& keepGoing) {
    CupsPassword::resetDeclined();
    // A connection of the job's own: window events handled while it waits may talk to the server too.
    const std::unique_ptr<CupsConnection> connection = CupsConnection::open(ConnectTime);
    if (!connection)
        throw CupsServer::unavailable();
    connection->setPatience(JobSilence, EventPeriod, keepGoing);
    http_t* http = connection->get();
    const CupsDest dest = destinationOf(queue);
    if (!dest)
        throw EPrinter(PrinterMessages::InvalidPrinter);

    CupsDestInfo info =
        CupsPassword::askingOnce(http, [&] { return CupsDestInfo(cupsCopyDestInfo(http, dest.get())); });
    if (connection->abandoned())
        return;
    if (!info)
        throwLastError(*connection, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
                       QT_TRANSLATE_NOOP("CupsJob", "Не удалось прочитать возможности принтера."));

    const CupsOptions options = jobOptions(settings);

    int jobId = 0;
    connection->progressed();
    const ipp_status_t created = CupsPassword::askingOnce(http, [&] {
        return cupsCreateDestJob(http, dest.get(), info.get(), &jobId, title.constData(), options.count(),
                                 options.get());
    });
    if (connection->abandoned() && jobId == 0)
        return;
    if (failed(created) || jobId == 0)
        throwLastError(*connection, IPP_STATUS_ERROR_INTERNAL,
                       QT_TRANSLATE_NOOP("CupsJob", "Не удалось создать задание."));

    auto cancel = qScopeGuard([&] { cancelJob(*dest, jobId); });

    connection->progressed();
    if (cupsStartDestDocument(http, dest.get(), info.get(), jobId, title.constData(), CUPS_FORMAT_PDF,
                              options.count(), options.get(), 1) != HTTP_STATUS_CONTINUE) {
        if (connection->abandoned())
            return;
        throwLastError(*connection, IPP_STATUS_ERROR_INTERNAL,
                       QT_TRANSLATE_NOOP("CupsJob", "Не удалось начать документ."));
    }

    for (qsizetype at = 0; at < pdf.size(); at += ChunkBytes) {
        if (keepGoing && !keepGoing())
            return;
        const qsizetype length = std::min(ChunkBytes, pdf.size() - at);
        connection->progressed();
        if (cupsWriteRequestData(http, pdf.constData() + at, static_cast<size_t>(length)) !=
            HTTP_STATUS_CONTINUE) {
            if (connection->abandoned())
                return;
            // The server's answer, if it sent one, tells why.
            if (!connection->serverWentSilent())
                cupsFinishDestDocument(http, dest.get(), info.get());
            throwLastError(*connection, IPP_STATUS_ERROR_INTERNAL,
                           QT_TRANSLATE_NOOP("CupsJob", "Не удалось отправить документ."));
        }
    }
    connection->progressed();
    if (failed(cupsFinishDestDocument(http, dest.get(), info.get()))) {
        if (connection->abandoned())
            return;
        throwLastError(*connection, IPP_STATUS_ERROR_INTERNAL,
                       QT_TRANSLATE_NOOP("CupsJob", "Документ не принят."));
    }
    cancel.dismiss();
}
