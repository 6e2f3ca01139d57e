#include "CupsDefaultSettings.h"

#include "CupsDestLookup.h"
#include "CupsOwners.h"
#include "CupsResolution.h"
#include "CupsServer.h"

#include <QByteArray>
#include <QString>

#include <iterator>

namespace {

int member(ipp_t* collection, const char* name) {
    ipp_attribute_t* attr = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return attr ? ippGetInteger(attr, 0) : -1;
}

bool listed(ipp_t* answer, const char* media) {
    ipp_attribute_t* supported = ippFindAttribute(answer, "media-supported", IPP_TAG_ZERO);
    return supported && ippContainsString(supported, media);
}

} // namespace

std::optional<DocumentSettings> askDefaultSettings(CupsSession& session, cups_dest_t* dest) {
    CupsConnection* connection = session.connection();
    if (!connection)
        throw CupsServer::unavailable();

    static const char* const wanted[] = {"media-col-default", "media-default", "media-supported",
                                         "printer-resolution-default", "printer-resolution-supported"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 queueUri(QString::fromUtf8(dest->name)).constData());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    const IppMessage answer(cupsDoRequest(connection->get(), request, "/"));
    if (!answer || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        if (session.serverFailed())
            throw CupsServer::unavailable();
        return std::nullopt;
    }
    connection->progressed();

    ipp_attribute_t* mediaDefault = ippFindAttribute(answer.get(), "media-default", IPP_TAG_ZERO);
    const char* media = mediaDefault ? ippGetString(mediaDefault, 0, nullptr) : nullptr;
    if (!media || !listed(answer.get(), media))
        return std::nullopt;
    const char* chosen = cupsGetOption(CUPS_MEDIA, dest->num_options, dest->options);
    if (chosen && QByteArray(chosen) != QByteArray(media))
        return std::nullopt;

    ipp_attribute_t* colDefault =
        ippFindAttribute(answer.get(), "media-col-default", IPP_TAG_BEGIN_COLLECTION);
    ipp_t* col = colDefault ? ippGetCollection(colDefault, 0) : nullptr;
    ipp_attribute_t* sizeAttr = col ? ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
    ipp_t* size = sizeAttr ? ippGetCollection(sizeAttr, 0) : nullptr;
    if (!size)
        return std::nullopt;

    DocumentSettings settings;
    settings.paperName = QString::fromUtf8(media);
    settings.paperWidth = member(size, "x-dimension");
    settings.paperLength = member(size, "y-dimension");
    settings.marginLeft = member(col, "media-left-margin");
    settings.marginRight = member(col, "media-right-margin");
    settings.marginTop = member(col, "media-top-margin");
    settings.marginBottom = member(col, "media-bottom-margin");
    if (settings.paperWidth <= 0 || settings.paperLength <= 0 || settings.marginLeft < 0 ||
        settings.marginRight < 0 || settings.marginTop < 0 || settings.marginBottom < 0)
        return std::nullopt;

    const std::optional<Resolution> resolution = effectiveResolution(dest, answer.get());
    if (!resolution)
        return std::nullopt;
    settings.xResolution = resolution->across;
    settings.yResolution = resolution->down;
    return settings;
}
