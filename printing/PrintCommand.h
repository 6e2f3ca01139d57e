#pragma once

#include <functional>

class CalibrationStore;
class QDate;
class TPrinter;

// The print command between the busy pointer and its restoring: landscape, the printer's scales from its
// capabilities, one document, the selected template (read after the document has started) at those scales,
// moved just enough to stay whole on a printable area too small for its usual offsets. Paper too small for
// the envelope is refused with EPrinter before the document starts. The printer is resolved first, so its
// errors come before the template's; with no template selected where the drawing begins, the open page is
// dropped unsent and no blank sheet comes out. On a printer calibrated in `calibrations` the envelope is
// drawn at the printer's resolution stretched by its correction, so that it comes out true on that printer.
void printEnvelope(TPrinter& printer, const std::function<int()>& selectedTemplate,
                   const CalibrationStore* calibrations = nullptr);

// The calibration sheet on the current printer, laid out as the envelope is, at the printer's resolution
// uncorrected, with the printer's name and the date on it.
void printCalibrationSheet(TPrinter& printer, const QDate& date);
