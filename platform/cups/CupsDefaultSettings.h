#pragma once

#include "platform/PrintSystem.h"
#include "platform/cups/CupsResolution.h"
#include "platform/cups/CupsSession.h"

#include <cups/cups.h>

#include <functional>
#include <optional>
#include <vector>

// The queue's settings when they are its own defaults, from a short Get-Printer-Attributes: the default
// media, the media it lists with their margins, and its resolutions. Nothing when the user's lpoptions name a
// media other than the default, or the queue does not say enough: the full capabilities decide then.
// libcups reads an answer a field at a time once the headers have come in before the body, so the full
// capabilities (some 18 KB) cost thousands of system calls, several times what this answer needs.
// A server that can't be reached or keeps silent throws the error that says so.
std::optional<DocumentSettings> askDefaultSettings(CupsSession& session, cups_dest_t* dest);

// The same from the attributes of an answer already read; `ppdResolutions`, when given, lists the queue's
// PPD's resolution choices, asked only if the user's resolution is not among those the answer lists.
std::optional<DocumentSettings> defaultSettingsFrom(ipp_t* answer, cups_dest_t* dest,
                                                   std::function<std::vector<Resolution>()> ppdResolutions = {});
