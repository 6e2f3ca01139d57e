#pragma once

#include "platform/PrintSystem.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Hands one PDF document to a CUPS queue as a job of its own, printed without scaling, on the paper and at
// the resolution of the settings it was drawn for. keepGoing is called between the chunks and, every tenth
// of a second, while the server keeps silent; when it answers false the job is cancelled. A server silent
// for 30 s, or one that can't be reached, is reported as not available; a queue the server no longer has
// as an invalid printer; any other refusal throws EOSError with the server's status and text. A job
// already created is then cancelled.
void submitCupsJob(const QString& queue, const DocumentSettings& settings, const QByteArray& title,
                   const QByteArray& pdf, const std::function<bool()>& keepGoing);
