#pragma once

#include <cups/cups.h>

#include <QString>
#include <QStringList>

// The server's queues in its own order (names, letter case ignored), from one CUPS-Get-Printers request.
// Only the server's queues: printers that DNS-SD alone knows are not browsed for, which can take seconds.
struct CupsQueueList {
    QStringList names;
    ipp_status_t status = IPP_STATUS_OK;
    QString text; // the server's words when status is a failure

    // An empty list is no failure when the server simply has no queues.
    bool failed() const {
        return status > IPP_STATUS_OK_EVENTS_COMPLETE && status != IPP_STATUS_ERROR_NOT_FOUND;
    }
};

CupsQueueList askQueueList(http_t* http);
