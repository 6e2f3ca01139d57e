#pragma once

#include "platform/PrintSystem.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Hands one PDF document to a CUPS queue as a job of its own, printed without scaling, on the paper and at
// the resolution of the settings it was drawn for. The job talks to the server on a thread of its own; the
// calling thread calls keepGoing as the job begins and every tenth of a second while it is on its way, and
// answers the server's questions for a password there. When keepGoing answers false the job is given up at
// once, and the server, which makes the job only once it has the whole document, is left with none. Only
// silence ends a wait: a server silent for 30 s, or one that can't be reached, is reported as not available;
// a queue the server no longer has as an invalid printer; any other refusal throws EOSError with the server's
// status and text.
void submitCupsJob(const QString& queue, const DocumentSettings& settings, const QByteArray& title,
                   const QByteArray& pdf, const std::function<bool()>& keepGoing);
