#include "platform/cups/CupsCapabilitySettings.h"

#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPpdResolutions.h"
#include "platform/cups/CupsQueueSettings.h"

#include <QByteArray>

namespace {

// The media to lay the page out on: the one in effect if the printer has it; else what libcups takes for
// the default, if the printer has that; else the first size the printer lists.
bool effectiveMedia(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, cups_size_t& size) {
    const auto listed = [&](const char* media) {
        return media && cupsGetDestMediaByName(http, dest, info, media, CUPS_MEDIA_FLAGS_DEFAULT, &size);
    };
    const char* media = cupsGetOption(CUPS_MEDIA, dest->num_options, dest->options);
    if (!media) {
        ipp_attribute_t* attr = cupsFindDestDefault(http, dest, info, CUPS_MEDIA);
        media = attr ? ippGetString(attr, 0, nullptr) : nullptr;
    }
    if (listed(media))
        return true;
    cups_size_t candidate{};
    if (cupsGetDestMediaDefault(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &candidate) &&
        listed(candidate.media))
        return true;
    const int count = cupsGetDestMediaCount(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < count; ++i) {
        // A custom size is a range of sizes, not a paper.
        if (cupsGetDestMediaByIndex(http, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &candidate) &&
            !QByteArray(candidate.media).startsWith("custom_") && listed(candidate.media))
            return true;
    }
    return false;
}

} // namespace

std::optional<DocumentSettings> askCapabilitySettings(CupsSession& session, cups_dest_t* dest) {
    http_t* http = session.connectionOrThrow().get();
    const CupsDestInfo info =
        CupsPassword::askingOnce(http, [&] { return CupsDestInfo(cupsCopyDestInfo(http, dest)); });
    if (!info) {
        session.throwIfServerFailed();
        return std::nullopt;
    }

    CupsSettingsAnswer queue;
    if (!effectiveMedia(http, dest, info.get(), queue.paper))
        return std::nullopt;
    queue.media = queue.paper.media;
    queue.resolutionDefault = cupsFindDestDefault(http, dest, info.get(), "printer-resolution");
    queue.resolutions.supported = cupsFindDestSupported(http, dest, info.get(), "printer-resolution");
    queue.resolutions.rasterSupported =
        cupsFindDestSupported(http, dest, info.get(), "pwg-raster-document-resolution");
    queue.resolutions.urfSupported = cupsFindDestSupported(http, dest, info.get(), "urf");
    queue.resolutions.ppd = [&] { return askPpdResolutions(session, dest); };
    return queueSettings(dest, queue);
}
