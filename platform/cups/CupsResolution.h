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
// queue's default, else the first it lists; the user's word alone only where the printer says nothing. The
// default and the list are the printer's attributes, from either answer.
std::optional<Resolution> effectiveResolution(cups_dest_t* dest, ipp_attribute_t* byDefault,
                                              ipp_attribute_t* supported);

// "300dpi", or "600x300dpi" when the two differ: the job attribute's value.
QByteArray resolutionOption(int across, int down);
