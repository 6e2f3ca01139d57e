#include "CupsDeviceContext.h"

#include "CupsJob.h"
#include "CupsPrintSystem.h"
#include "CupsServer.h"

#include <utility>

CupsDeviceContext::CupsDeviceContext(CupsDest dest, const DocumentSettings& settings)
    : PdfPageContext(settings), dest_(std::move(dest)) {}

void CupsDeviceContext::submit(const QByteArray& title, const QByteArray& pdf,
                               const std::function<bool()>& abortProc) {
    submitCupsJob(*dest_, title, pdf, abortProc);
}

namespace {
// Null when the server does not know the queue. A server that can't be reached is said so: the printer
// itself may be fine.
std::unique_ptr<DeviceContext> contextFor(const QString& device, const DocumentSettings& settings) {
    CupsDest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, device.toUtf8().constData(), nullptr));
    if (!dest) {
        if (!CupsServer::answers())
            throw CupsServer::unavailable();
        return nullptr;
    }
    return std::make_unique<CupsDeviceContext>(std::move(dest), settings);
}
} // namespace

std::unique_ptr<DeviceContext> CupsPrintSystem::createIC(const QString& device,
                                                         const DocumentSettings& settings) {
    return contextFor(device, settings);
}

std::unique_ptr<DeviceContext> CupsPrintSystem::createDC(const QString& device,
                                                         const DocumentSettings& settings) {
    return contextFor(device, settings);
}
