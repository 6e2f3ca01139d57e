#include "platform/cups/CupsDestLookup.h"

#include "platform/cups/CupsPassword.h"

QByteArray queueUri(const QString& name) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.toUtf8().constData());
    return QByteArray(uri);
}

QueueAnswer askQueueKnown(http_t* http, const QString& name) {
    const IppMessage response = CupsPassword::askingOnce(http, [&] {
        ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     queueUri(name).constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "printer-name");
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        return IppMessage(cupsDoRequest(http, request, "/"));
    });
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return QueueAnswer::Known;
    return status == IPP_STATUS_ERROR_NOT_FOUND ? QueueAnswer::Unknown : QueueAnswer::Failed;
}

CupsDest lookUpDest(CupsSession& session, const QString& name) {
    CupsConnection& connection = session.connectionOrThrow();
    // Asked first because libcups looks for a name the server does not know on the network instead, for a
    // second, and over a connection of its own that nothing bounds.
    switch (askQueueKnown(connection.get(), name)) {
    case QueueAnswer::Unknown:
        return nullptr;
    case QueueAnswer::Failed:
        if (CupsPassword::declined())
            throw CupsPassword::declinedError();
        session.throwIfServerFailed();
        return nullptr;
    case QueueAnswer::Known:
        break;
    }
    connection.progressed();
    http_t* http = connection.get();
    CupsDest dest = CupsPassword::askingOnce(
        http, [&] { return CupsDest(cupsGetNamedDest(http, name.toUtf8().constData(), nullptr)); });
    if (!dest && CupsPassword::declined())
        throw CupsPassword::declinedError();
    if (!dest)
        session.throwIfServerFailed();
    return dest;
}
