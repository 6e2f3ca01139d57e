#include "platform/cups/CupsQueueSettings.h"

#include <QString>

std::optional<DocumentSettings> queueSettings(cups_dest_t* dest, const CupsSettingsAnswer& answer) {
    const std::optional<Resolution> resolution =
        effectiveResolution(dest, answer.resolutionDefault, answer.resolutions);
    if (!resolution)
        return std::nullopt;
    DocumentSettings settings;
    settings.paperName = QString::fromUtf8(answer.media);
    settings.paperWidth = answer.paper.width;
    settings.paperLength = answer.paper.length;
    settings.marginLeft = answer.paper.left;
    settings.marginRight = answer.paper.right;
    settings.marginTop = answer.paper.top;
    settings.marginBottom = answer.paper.bottom;
    settings.xResolution = resolution->across;
    settings.yResolution = resolution->down;
    return settings;
}
