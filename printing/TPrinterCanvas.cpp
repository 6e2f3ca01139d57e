#include "printing/TPrinterCanvas.h"

#include "platform/Errors.h"

#include <cstdlib>
#include <utility>

TPrinterCanvas::TPrinterCanvas(std::function<bool()> isPrinting)
    : ForwardingSurface(raster_), isPrinting_(std::move(isPrinting)) {}

void TPrinterCanvas::attach(RunSink* page, LinePatterns patterns) {
    attach(page, patterns, patterns);
}

void TPrinterCanvas::attach(RunSink* page, LinePatterns across, LinePatterns down, int widthAcross,
                            int widthDown) {
    across_ = across;
    down_ = down;
    raster_.setPatterns(across);
    wide_.attach(page);
    wide_.setWidths(widthAcross, widthDown);
    raster_.attach(page ? &wide_ : nullptr);
}

void TPrinterCanvas::detach() {
    raster_.attach(nullptr);
    wide_.attach(nullptr);
}

void TPrinterCanvas::requirePrinting() const {
    if (!isPrinting_())
        throw EPrinter(PrinterMessages::NotPrinting);
}

void TPrinterCanvas::moveTo(int x, int y) {
    requirePrinting();
    raster_.moveTo(x, y);
}

void TPrinterCanvas::lineTo(int x, int y) {
    requirePrinting();
    const bool acrossMajor = std::llabs(static_cast<long long>(x) - raster_.penX()) >=
                             std::llabs(static_cast<long long>(y) - raster_.penY());
    raster_.setPatterns(acrossMajor ? across_ : down_);
    wide_.setRunningAcross(acrossMajor);
    raster_.lineTo(x, y);
}

void TPrinterCanvas::fillRect(int left, int top, int right, int bottom) {
    requirePrinting();
    raster_.fillRect(left, top, right, bottom);
}
