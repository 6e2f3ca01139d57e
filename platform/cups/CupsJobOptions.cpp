#include "platform/cups/CupsJobOptions.h"

#include "platform/cups/CupsResolution.h"

#include <QByteArray>
#include <QString>

CupsOptions jobOptions(const DocumentSettings& settings) {
    // The page is made at the size and resolution of the settings; nothing is to be fitted, and the server
    // must print it on that paper, whatever the queue's own default. The page is the upright sheet with the
    // drawing already turned onto it, so no orientation is asked for.
    CupsOptions options;
    options.add("print-scaling", "none");
    const QByteArray media = settings.paperName.toUtf8();
    if (!media.isEmpty())
        options.add(CUPS_MEDIA, media.constData());
    if (settings.xResolution > 0 && settings.yResolution > 0)
        options.add("printer-resolution",
                    resolutionOption(settings.xResolution, settings.yResolution).constData());
    return options;
}
