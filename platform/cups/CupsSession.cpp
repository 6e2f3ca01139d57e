#include "platform/cups/CupsSession.h"

#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsServer.h"

namespace {
constexpr qint64 IdleMs = 10000;
} // namespace

CupsConnection* CupsSession::connection() {
    // Each question starts without a refusal; whether the user is asked again is the prompt's affair.
    CupsPassword::resetDeclined();
    if (failed_.isValid() && !failed_.hasExpired(QuietLimit.count()))
        return nullptr;
    failed_.invalidate();
    if (connection_ && used_.hasExpired(IdleMs))
        connection_.reset();
    if (!connection_) {
        connection_ = CupsConnection::open(QuietLimit);
        if (!connection_) {
            failed_.start();
            return nullptr;
        }
        connection_->setPatience(QuietLimit, QuietLimit);
    }
    used_.start();
    connection_->progressed();
    return connection_.get();
}

bool CupsSession::serverFailed() {
    // A server that closed the connection and refuses a new one leaves libcups' own words only.
    const bool failed = (connection_ && connection_->serverWentSilent()) || !CupsServer::answers();
    if (failed) {
        connection_.reset();
        failed_.start();
    }
    return failed;
}

CupsConnection& CupsSession::connectionOrThrow() {
    CupsConnection* open = connection();
    if (!open)
        throw CupsServer::unavailable();
    return *open;
}

void CupsSession::throwIfServerFailed() {
    if (serverFailed())
        throw CupsServer::unavailable();
}
