#include "platform/cups/CupsPrinterHandle.h"

#include "platform/cups/CupsCapabilitySettings.h"
#include "platform/cups/CupsDefaultSettings.h"
#include "platform/cups/CupsPassword.h"

CupsPrinterHandle::CupsPrinterHandle(std::shared_ptr<CupsSession> session, CupsDest dest)
    : session_(std::move(session)), dest_(std::move(dest)) {}

std::optional<DocumentSettings> CupsPrinterHandle::documentSettings() {
    session_->connectionOrThrow();
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

QString CupsPrinterHandle::identity() const {
    for (const char* option : {"printer-make-and-model", "device-uri"}) {
        const char* value = cupsGetOption(option, dest_->num_options, dest_->options);
        if (value && *value)
            return QString::fromUtf8(value);
    }
    return {};
}
