#include "platform/cups/CupsDefaultSettings.h"

#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPpdResolutions.h"
#include "platform/cups/CupsQueueSettings.h"
#include "platform/cups/CupsWholeAnswer.h"

#include <QByteArray>
#include <QString>

#include <cstdlib>
#include <iterator>

namespace {

int member(ipp_t* collection, const char* name) {
    ipp_attribute_t* attr = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return attr ? ippGetInteger(attr, 0) : -1;
}

struct Margins {
    int left = 0, right = 0, top = 0, bottom = 0;
    bool bordered() const { return left > 0 && right > 0 && top > 0 && bottom > 0; }
    bool borderless() const { return !left && !right && !top && !bottom; }
    bool within(const Margins& other) const {
        return left <= other.left && right <= other.right && top <= other.top && bottom <= other.bottom;
    }
};

ipp_t* sizeOf(ipp_t* col) {
    ipp_attribute_t* attr = col ? ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
    return attr ? ippGetCollection(attr, 0) : nullptr;
}

// The paper libcups lays out a size on: of the printer's entries for it, the one with the smallest margins
// that are not zero. Nothing where that would depend on the order of the entries or the entries near the
// size differ in size, which the full capabilities then settle.
bool paperOfSize(ipp_t* answer, const pwg_media_t& media, cups_size_t& paper) {
    constexpr int Near = 200; // two millimetres: libcups matches sizes with some slack
    ipp_attribute_t* database = ippFindAttribute(answer, "media-col-database", IPP_TAG_BEGIN_COLLECTION);
    std::optional<Margins> best;
    int width = 0;
    int length = 0;
    bool borderless = false;
    for (int i = 0; database && i < ippGetCount(database); ++i) {
        ipp_t* col = ippGetCollection(database, i);
        ipp_t* size = sizeOf(col);
        if (!size)
            continue;
        const int x = member(size, "x-dimension");
        const int y = member(size, "y-dimension");
        // A printer may claim any size at all: compared in a wider type, no claim overflows.
        if (std::llabs(static_cast<long long>(x) - media.width) > Near ||
            std::llabs(static_cast<long long>(y) - media.length) > Near)
            continue;
        if ((width || length) && (x != width || y != length))
            return false;
        width = x;
        length = y;
        const Margins m{member(col, "media-left-margin"), member(col, "media-right-margin"),
                        member(col, "media-top-margin"), member(col, "media-bottom-margin")};
        if (m.borderless()) {
            borderless = true;
            continue;
        }
        if (!m.bordered())
            return false;
        if (!best || m.within(*best))
            best = m;
        else if (!best->within(m))
            return false;
    }
    if (width <= 0 || length <= 0 || (!best && !borderless))
        return false;
    const Margins m = best.value_or(Margins{});
    paper.width = width;
    paper.length = length;
    paper.left = m.left;
    paper.right = m.right;
    paper.top = m.top;
    paper.bottom = m.bottom;
    return true;
}

bool listed(ipp_t* answer, const char* media) {
    ipp_attribute_t* supported = ippFindAttribute(answer, "media-supported", IPP_TAG_ZERO);
    return supported && ippContainsString(supported, media);
}

} // namespace

std::optional<DocumentSettings> askDefaultSettings(CupsSession& session, cups_dest_t* dest) {
    CupsConnection& connection = session.connectionOrThrow();

    static const char* const wanted[] = {"media-col-database",
                                         "media-default",
                                         "media-supported",
                                         "printer-resolution-default",
                                         "printer-resolution-supported",
                                         "pwg-raster-document-resolution-supported",
                                         "urf-supported"};
    const IppMessage answer = CupsPassword::askingOnce(connection.get(), [&] {
        ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     queueUri(QString::fromUtf8(dest->name)).constData());
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(std::size(wanted)), nullptr, wanted);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        return askWhole(connection.get(), request, "/");
    });
    if (!answer || ippGetStatusCode(answer.get()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        session.throwIfServerFailed();
        return std::nullopt;
    }
    connection.progressed();
    return defaultSettingsFrom(answer.get(), dest, [&] { return askPpdResolutions(session, dest); });
}

std::optional<DocumentSettings> defaultSettingsFrom(ipp_t* answer, cups_dest_t* dest,
                                                   std::function<std::vector<Resolution>()> ppdResolutions) {
    ipp_attribute_t* mediaDefault = ippFindAttribute(answer, "media-default", IPP_TAG_ZERO);
    const char* media = mediaDefault ? ippGetString(mediaDefault, 0, nullptr) : nullptr;
    if (!media || !listed(answer, media))
        return std::nullopt;
    const char* chosen = cupsGetOption(CUPS_MEDIA, dest->num_options, dest->options);
    if (chosen && QByteArray(chosen) != QByteArray(media))
        return std::nullopt;

    const pwg_media_t* size = pwgMediaForPWG(media);
    CupsSettingsAnswer queue;
    if (!size || !paperOfSize(answer, *size, queue.paper))
        return std::nullopt;
    queue.media = media;
    queue.resolutionDefault = ippFindAttribute(answer, "printer-resolution-default", IPP_TAG_ZERO);
    queue.resolutions.supported =
        ippFindAttribute(answer, "printer-resolution-supported", IPP_TAG_ZERO);
    queue.resolutions.rasterSupported =
        ippFindAttribute(answer, "pwg-raster-document-resolution-supported", IPP_TAG_ZERO);
    queue.resolutions.urfSupported = ippFindAttribute(answer, "urf-supported", IPP_TAG_ZERO);
    queue.resolutions.ppd = std::move(ppdResolutions);
    return queueSettings(dest, queue);
}
