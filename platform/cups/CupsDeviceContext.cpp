#include "CupsDeviceContext.h"

#include "CupsJob.h"
#include "CupsPrintSystem.h"
#include "DeviceCaps.h"
#include "PagePdf.h"

#include <utility>

CupsDeviceContext::CupsDeviceContext(CupsDest dest, const DocumentSettings& settings)
    : dest_(std::move(dest)), settings_(settings), caps_(deviceCapsFor(settings)),
      page_(caps_.horzRes, caps_.vertRes) {}

void CupsDeviceContext::startDoc(const QString& title) {
    title_ = title.toUtf8();
    page_.clear();
}

void CupsDeviceContext::startPage() {
    page_.clear();
}

void CupsDeviceContext::endDoc() {
    const QByteArray pdf = pagePdf(pageGeometryFor(settings_), page_.rects());
    page_.clear();
    submitCupsJob(*dest_, title_, pdf, abortProc_);
}

namespace {
// Null when the server does not know the queue (or can't be reached): no context can be made for it.
std::unique_ptr<DeviceContext> contextFor(const QString& device, const DocumentSettings& settings) {
    CupsDest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, device.toUtf8().constData(), nullptr));
    if (!dest)
        return nullptr;
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
