#pragma once

#include "platform/cups/CupsConnection.h"

#include <QElapsedTimer>

#include <chrono>
#include <memory>

// The print system's one connection for its questions (the list, the default, a printer's settings), shared
// by the printer handles it gives out. Each answer may take up to QuietLimit of silence; a server found
// silent or gone is not asked again until that much time has passed, since it would only be waited on
// again. A connection left idle for a while is made afresh: the server may have closed it meanwhile.
class CupsSession {
public:
    static constexpr std::chrono::milliseconds QuietLimit{5000};

    // Null when the server can't be reached or went silent a moment ago.
    CupsConnection* connection();
    // After a request that failed: whether the server is to blame (silent, or gone). Drops the connection
    // then.
    bool serverFailed();

    // The connection, or the error that says the server can't be reached.
    CupsConnection& connectionOrThrow();
    // After a request that failed: that error when the server is to blame, as serverFailed tells.
    void throwIfServerFailed();

private:
    std::unique_ptr<CupsConnection> connection_;
    QElapsedTimer used_;
    QElapsedTimer failed_;
};
