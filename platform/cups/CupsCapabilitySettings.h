#pragma once

#include "platform/PrintSystem.h"
#include "platform/cups/CupsSession.h"

#include <cups/cups.h>

#include <optional>

// The paper and resolution in effect for the queue from its full capabilities (the user's lpoptions over
// the server's defaults), with the paper's printable margins; nothing when the queue can't say. A default
// paper the printer does not list gives way to one it does, as it does for lp. A server that can't be
// reached or keeps silent throws the error that says so.
std::optional<DocumentSettings> askCapabilitySettings(CupsSession& session, cups_dest_t* dest);
