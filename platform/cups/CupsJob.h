#pragma once

#include <cups/cups.h>

#include <QByteArray>

#include <functional>

// Hands one PDF document to a CUPS queue as a job of its own, printed without scaling. keepGoing is called
// before each chunk is written; when it answers false the job is cancelled. A refusal by the server, or a
// server that can't be reached, throws EOSError with the server's status and text; the job is then
// cancelled if it was created.
void submitCupsJob(cups_dest_t& dest, const QByteArray& title, const QByteArray& pdf,
                   const std::function<bool()>& keepGoing);
