#pragma once

#include <cups/cups.h>

#include <QByteArray>

#include <optional>

// A resolution in dots per inch, across and down the portrait sheet.
struct Resolution {
    int across = 0;
    int down = 0;

    bool operator==(const Resolution&) const = default;
};

// The resolution in effect: the user's "printer-resolution" from lpoptions if the printer lists it, else the
// queue's default, else the first it lists; the user's word alone only where the printer says nothing.
std::optional<Resolution> effectiveResolution(http_t* http, cups_dest_t* dest, cups_dinfo_t* info);
// The same from the printer's attributes as a Get-Printer-Attributes answer holds them.
std::optional<Resolution> effectiveResolution(cups_dest_t* dest, ipp_t* attributes);

// "300dpi", or "600x300dpi" when the two differ: the job attribute's value.
QByteArray resolutionOption(int across, int down);
