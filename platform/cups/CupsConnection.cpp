#include "CupsConnection.h"

#include "CupsPassword.h"

#include <algorithm>

std::unique_ptr<CupsConnection> CupsConnection::open(std::chrono::milliseconds connect) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                static_cast<int>(connect.count()), nullptr);
    if (!http)
        return nullptr;
    std::unique_ptr<CupsConnection> connection(new CupsConnection(http));
    connection->setPatience(std::chrono::milliseconds(5000), std::chrono::milliseconds(5000));
    return connection;
}

CupsConnection::CupsConnection(http_t* http) : http_(http) {
    quiet_.start();
}

CupsConnection::~CupsConnection() {
    CupsPassword::forgetConnection(http_);
    httpClose(http_);
}

void CupsConnection::setPatience(std::chrono::milliseconds silence, std::chrono::milliseconds period,
                                 std::function<bool()> keepGoing) {
    silence_ = silence;
    keepGoing_ = std::move(keepGoing);
    const double seconds = std::chrono::duration<double>(std::min(period, silence)).count();
    httpSetTimeout(http_, seconds, &CupsConnection::onWait, this);
}

void CupsConnection::progressed() {
    quiet_.restart();
    silent_ = false;
    abandoned_ = false;
}

int CupsConnection::onWait(http_t*, void* self) {
    auto& connection = *static_cast<CupsConnection*>(self);
    if (connection.keepGoing_ && !connection.keepGoing_()) {
        connection.abandoned_ = true;
        return 0;
    }
    // A wait ends a little before its period is quite over; a whisker counts as the whole.
    constexpr qint64 WhiskerMs = 50;
    if (connection.quiet_.elapsed() + WhiskerMs >= connection.silence_.count()) {
        connection.silent_ = true;
        return 0;
    }
    return 1;
}
