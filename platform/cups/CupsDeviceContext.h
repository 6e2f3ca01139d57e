#pragma once

#include "platform/PdfPageContext.h"

#include <QString>

// A context on a CUPS queue: the page goes to the queue as a PDF job of its own. Nothing is asked of the
// server before the document is handed over; the job itself finds out whether the queue is still there.
class CupsDeviceContext : public PdfPageContext {
public:
    CupsDeviceContext(const QString& queue, const DocumentSettings& settings);

protected:
    void submit(const QByteArray& title, const QByteArray& pdf,
                const std::function<bool()>& abortProc) override;

private:
    QString queue_;
    DocumentSettings settings_;
};
