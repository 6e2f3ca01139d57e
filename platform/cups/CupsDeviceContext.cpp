#include "platform/cups/CupsDeviceContext.h"

#include "platform/cups/CupsJob.h"

CupsDeviceContext::CupsDeviceContext(const QString& queue, const DocumentSettings& settings)
    : PdfPageContext(settings), queue_(queue), settings_(settings) {}

void CupsDeviceContext::submit(const QByteArray& title, const QByteArray& pdf,
                               const std::function<bool()>& abortProc) {
    submitCupsJob(queue_, settings_, title, pdf, abortProc);
}
