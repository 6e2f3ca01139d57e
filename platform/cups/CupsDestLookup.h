#pragma once

#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsSession.h"

#include <QByteArray>
#include <QString>

// The queue's "ipp://localhost/printers/NAME", as the server names its own queues.
QByteArray queueUri(const QString& name);

// Whether the server has the queue: yes, no, or it failed to say (the status is left in cupsLastError).
enum class QueueAnswer { Known, Unknown, Failed };
QueueAnswer askQueueKnown(http_t* http, const QString& name);

// The queue's destination with its options (the server's defaults with the user's lpoptions over them);
// null when the server does not know it. A server that can't be reached or keeps silent throws the
// error that says so.
CupsDest lookUpDest(CupsSession& session, const QString& name);
