#pragma once

#include "platform/PrintSystem.h"
#include "platform/cups/CupsResolution.h"

#include <cups/cups.h>

#include <optional>

// What a queue says of its paper and resolutions, from either answer: the short Get-Printer-Attributes or
// the full capabilities.
struct CupsSettingsAnswer {
    const char* media = nullptr; // the paper's name
    cups_size_t paper{};         // its size and printable margins
    ipp_attribute_t* resolutionDefault = nullptr;
    ListedResolutions resolutions;
};

// The settings for that paper at the resolution in effect (see effectiveResolution); nothing when no
// resolution is.
std::optional<DocumentSettings> queueSettings(cups_dest_t* dest, const CupsSettingsAnswer& answer);
