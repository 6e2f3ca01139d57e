#pragma once

#include "platform/cups/CupsResolution.h"
#include "platform/cups/CupsSession.h"

#include <cups/cups.h>

#include <vector>

// The resolutions the queue's PPD offers (see resolutionsOfPpd); none for a queue the server keeps no PPD
// for.
std::vector<Resolution> askPpdResolutions(CupsSession& session, cups_dest_t* dest);
