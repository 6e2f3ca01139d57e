#include "platform/cups/CupsConnection.h"

#include "platform/cups/CupsPassword.h"

#include <algorithm>

std::unique_ptr<CupsConnection> CupsConnection::open(std::chrono::milliseconds connect, int* cancel) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                static_cast<int>(connect.count()), cancel);
    if (!http)
        return nullptr;
    std::unique_ptr<CupsConnection> connection(new CupsConnection(http));
    connection->setPatience(std::chrono::milliseconds(5000), std::chrono::milliseconds(5000));
    return connection;
}

CupsConnection::CupsConnection(http_t* http) : http_(http) {}

CupsConnection::~CupsConnection() {
    CupsPassword::forgetConnection(http_);
    httpClose(http_);
}

void CupsConnection::setPatience(std::chrono::milliseconds silence, std::chrono::milliseconds period,
                                 std::function<bool()> keepGoing) {
    silence_ = silence;
    period_ = std::min(period, silence);
    keepGoing_ = std::move(keepGoing);
    httpSetTimeout(http_, std::chrono::duration<double>(period_).count(), &CupsConnection::onWait, this);
}

void CupsConnection::progressed() {
    waited_ = std::chrono::milliseconds(0);
    silent_ = false;
    abandoned_ = false;
}

int CupsConnection::onWait(http_t*, void* self) {
    auto& connection = *static_cast<CupsConnection*>(self);
    if (connection.keepGoing_ && !connection.keepGoing_()) {
        connection.abandoned_ = true;
        return 0;
    }
    // libcups calls this only when a wait ran its whole period in silence. A clock would also count the
    // time between waits: a password dialog between a request and its retry is the user's, not the server's.
    connection.waited_ += connection.period_;
    if (connection.waited_ >= connection.silence_) {
        connection.silent_ = true;
        return 0;
    }
    return 1;
}
