#include "platform/cups/CupsServer.h"

#include <QCoreApplication>

#include <cups/cups.h>

namespace CupsServer {
namespace {
// Long enough for a server across a network; a server on this machine answers or refuses at once.
constexpr int ProbeTimeoutMs = 5000;
} // namespace

QString address() {
    const QString server = QString::fromUtf8(cupsServer());
    // A local socket has no port.
    return server.startsWith(QLatin1Char('/')) ? server
                                               : server + QLatin1Char(':') + QString::number(ippPort());
}

bool answers() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                ProbeTimeoutMs, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}

QString unavailableText() {
    return QCoreApplication::translate("CupsServer", "Сервер печати %1 недоступен.").arg(address());
}

EOSError unavailable() {
    return EOSError(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, unavailableText().toStdString());
}

} // namespace CupsServer
