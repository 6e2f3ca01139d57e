#pragma once

#include "platform/ForwardingSurface.h"
#include "platform/RasterSurface.h"
#include "printing/WideLineSink.h"

#include <functional>

// The printer page as a drawing surface. It keeps its pen and brush from one document to the next and
// accepts drawing only while a document is open; pen and brush settings are only remembered, so they may
// change between documents.
class TPrinterCanvas : public ForwardingSurface {
public:
    // isPrinting tells whether a document is open.
    explicit TPrinterCanvas(std::function<bool()> isPrinting);
    // The calls are handed on to a member, which a copy would not take along.
    TPrinterCanvas(const TPrinterCanvas&) = delete;
    TPrinterCanvas& operator=(const TPrinterCanvas&) = delete;

    // Connects the surface to a context's page, or to nothing; pen, brush and position stay.
    void attach(RunSink* page, LinePatterns patterns);
    // As above, for a page whose resolution differs across and down: a line takes the patterns of its
    // major axis, so dashes keep their length on paper in both directions. A line running down is
    // widthAcross pixels wide, one running across widthDown pixels thick.
    void attach(RunSink* page, LinePatterns across, LinePatterns down, int widthAcross = 1,
                int widthDown = 1);
    void detach();

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void fillRect(int left, int top, int right, int bottom) override;

    const RasterSurface& raster() const { return raster_; }

private:
    void requirePrinting() const;

    WideLineSink wide_;
    RasterSurface raster_;
    LinePatterns across_;
    LinePatterns down_;
    std::function<bool()> isPrinting_;
};
