// Feeds arbitrary bytes to the calibrations file's reader: what it accepts must be a correction that can be
// right for every printer in it (each line within its tolerance, no printer twice), and must be written back
// and read again unchanged; anything else is refused whole with a reason.
#include "printing/CalibrationFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool holds) {
    if (!holds)
        std::abort();
}

bool plausible(double factor) {
    return std::isfinite(factor) && factor >= 1 / (1 + Calibration::Tolerance) - 1e-9 &&
           factor <= 1 / (1 - Calibration::Tolerance) + 1e-9;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CalibrationFile::Contents contents = CalibrationFile::parse(bytes);
    if (contents.refused()) {
        require(contents.entries.empty());
        return 0;
    }
    for (const CalibrationFile::Entry& e : contents.entries) {
        require(!e.printer.isEmpty());
        require(e.measured.withinRange());
        require(plausible(e.measured.factorAcross()) && plausible(e.measured.factorDown()));
        require(CalibrationFile::find(contents.entries, e.printer, e.identity) == &e);
    }
    const CalibrationFile::Contents again = CalibrationFile::parse(CalibrationFile::serialize(contents.entries));
    require(!again.refused() && again.entries == contents.entries);
    return 0;
}
