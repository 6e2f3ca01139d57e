#include "CupsPrinterHandle.h"

#include "CupsCapabilitySettings.h"
#include "CupsDefaultSettings.h"
#include "CupsServer.h"

CupsPrinterHandle::CupsPrinterHandle(std::shared_ptr<CupsSession> session, CupsDest dest)
    : session_(std::move(session)), dest_(std::move(dest)) {}

std::optional<DocumentSettings> CupsPrinterHandle::documentSettings() {
    if (!session_->connection())
        throw CupsServer::unavailable();
    // The queue's own defaults, the usual case, come from a short answer; anything else from the full one.
    if (std::optional<DocumentSettings> settings = askDefaultSettings(*session_, dest_.get()))
        return settings;
    return askCapabilitySettings(*session_, dest_.get());
}
