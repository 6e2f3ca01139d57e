#include "CupsPrinterHandle.h"

#include <cmath>

namespace {

std::optional<int> dotsPerInch(int value, ipp_res_t units) {
    if (value <= 0)
        return std::nullopt;
    return units == IPP_RES_PER_CM ? static_cast<int>(std::lround(value * 2.54)) : value;
}

} // namespace

CupsPrinterHandle::CupsPrinterHandle(CupsDest dest) : dest_(std::move(dest)) {}

std::optional<DocumentSettings> CupsPrinterHandle::documentSettings() {
    cups_dest_t* dest = dest_.get();
    info_.reset(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
    if (!info_)
        return std::nullopt;

    // The queue's "media-default"; cupsGetDestMediaDefault answers Letter whatever the queue says.
    const char* media = cupsGetOption(CUPS_MEDIA, dest->num_options, dest->options);
    if (!media) {
        ipp_attribute_t* attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info_.get(), CUPS_MEDIA);
        media = attr ? ippGetString(attr, 0, nullptr) : nullptr;
    }
    cups_size_t size{};
    if (!media ||
        !cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info_.get(), media, CUPS_MEDIA_FLAGS_DEFAULT, &size))
        return std::nullopt;

    ipp_attribute_t* resolution =
        cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info_.get(), "printer-resolution");
    if (!resolution || ippGetValueTag(resolution) != IPP_TAG_RESOLUTION)
        resolution = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info_.get(), "printer-resolution");
    if (!resolution || ippGetValueTag(resolution) != IPP_TAG_RESOLUTION)
        return std::nullopt;
    int down = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int across = ippGetResolution(resolution, 0, &down, &units);
    const std::optional<int> xDpi = dotsPerInch(across, units);
    const std::optional<int> yDpi = dotsPerInch(down, units);
    if (!xDpi || !yDpi)
        return std::nullopt;

    DocumentSettings settings;
    settings.paperName = QString::fromUtf8(size.media);
    settings.paperWidth = size.width;
    settings.paperLength = size.length;
    settings.marginLeft = size.left;
    settings.marginRight = size.right;
    settings.marginTop = size.top;
    settings.marginBottom = size.bottom;
    settings.xResolution = *xDpi;
    settings.yResolution = *yDpi;
    return settings;
}
