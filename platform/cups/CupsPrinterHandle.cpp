#include "CupsPrinterHandle.h"

#include "CupsCapabilitySettings.h"
#include "CupsDefaultSettings.h"
#include "CupsPassword.h"
#include "CupsServer.h"

CupsPrinterHandle::CupsPrinterHandle(std::shared_ptr<CupsSession> session, CupsDest dest)
    : session_(std::move(session)), dest_(std::move(dest)) {}

std::optional<DocumentSettings> CupsPrinterHandle::documentSettings() {
    if (!session_->connection())
        throw CupsServer::unavailable();
    // The queue's own defaults, the usual case, come from a short answer; anything else from the full one.
    if (std::optional<DocumentSettings> settings = askDefaultSettings(*session_, dest_.get()))
        return settings;
    // A password declined is not asked for again by the longer way.
    if (CupsPassword::declined())
        throw CupsPassword::declinedError();
    std::optional<DocumentSettings> settings = askCapabilitySettings(*session_, dest_.get());
    if (!settings && CupsPassword::declined())
        throw CupsPassword::declinedError();
    return settings;
}
