#pragma once

#include "platform/Errors.h"

#include <QString>

// The CUPS server that libcups talks to, as the user hears of it when it can't be reached.
namespace CupsServer {

// "host:port", or the path of a local socket.
QString address();

// Whether a fresh connection to the server can be made now. A failed request alone can't tell a server
// that went away from one that refused.
bool answers();

// A sentence that names the server and says it can't be reached.
QString unavailableText();
// The error for a server that can't be reached: its status and that sentence.
EOSError unavailable();

} // namespace CupsServer
