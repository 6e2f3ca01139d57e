#pragma once

#include <cups/cups.h>

#include <memory>

// Owners for what libcups hands out, so that every way out of a function frees it.

struct CupsDestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
// One destination, as cupsGetNamedDest returns it.
using CupsDest = std::unique_ptr<cups_dest_t, CupsDestFree>;

struct CupsDestInfoFree {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using CupsDestInfo = std::unique_ptr<cups_dinfo_t, CupsDestInfoFree>;

struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;
