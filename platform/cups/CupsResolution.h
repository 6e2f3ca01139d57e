#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

#include <QByteArray>

#include <functional>
#include <optional>
#include <vector>

// A resolution in dots per inch, across and down the portrait sheet.
struct Resolution {
    int across = 0;
    int down = 0;

    bool operator==(const Resolution&) const = default;
};

// Where a printer lists its resolutions. A printer may list a resolution in one place only: a driverless
// queue lists its finer one as printer-resolution-supported and the coarser in its PPD's print qualities.
struct ListedResolutions {
    ipp_attribute_t* supported = nullptr;       // printer-resolution-supported
    ipp_attribute_t* rasterSupported = nullptr; // pwg-raster-document-resolution-supported
    ipp_attribute_t* urfSupported = nullptr;    // urf-supported, whose "RS" keyword lists them
    // The PPD's resolutions, asked only when the lists above lack the user's choice; may be empty.
    std::function<std::vector<Resolution>()> ppd;
};

// The resolution in effect: the user's "printer-resolution" from lpoptions if the printer lists it anywhere,
// else the queue's default, else the first printer-resolution-supported lists; the user's word alone only
// where the printer says nothing. The default and the lists are the printer's, from either answer.
std::optional<Resolution> effectiveResolution(cups_dest_t* dest, ipp_attribute_t* byDefault,
                                              const ListedResolutions& listed);

// The resolutions in an attribute: resolution values, or urf-supported's "RS300-600".
std::vector<Resolution> resolutionsOf(ipp_attribute_t* attr);

// The resolutions a PPD offers: its Resolution choices, and the HWResolution a choice such as a print
// quality sets.
std::vector<Resolution> resolutionsOfPpd(ppd_file_t* ppd);

// "300dpi", or "600x300dpi" when the two differ: the job attribute's value.
QByteArray resolutionOption(int across, int down);
