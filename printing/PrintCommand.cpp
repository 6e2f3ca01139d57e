#include "printing/PrintCommand.h"

#include "platform/RealArithmetic.h"
#include "platform/ShiftedSurface.h"
#include "printing/PaperFit.h"
#include "printing/TPrinter.h"
#include "templates/TemplateDispatch.h"

#include <QScopeGuard>

void printEnvelope(TPrinter& printer, const std::function<int()>& selectedTemplate) {
    printer.setOrientation(poLandscape);
    // A cut envelope is no envelope: paper too small, or no printable area at all, is refused before any
    // document is started.
    requireRoomForEnvelope(*printer.DevMode());
    const DeviceCaps caps = printer.Handle().caps();
    const double scaleX = RealArithmetic::divide(caps.horzRes, caps.horzSize);
    const double scaleY = RealArithmetic::divide(caps.vertRes, caps.vertSize);
    printer.BeginDoc();
    // A page that fails half-drawn is not sent, and the document does not stay open to block every later
    // command with "Printing in progress".
    auto abandon = qScopeGuard([&printer] { printer.AbortDoc(); });
    const EnvelopePlacement::PixelShift shift = placeEnvelope(*printer.DevMode(), caps);
    ShiftedSurface page(printer.Canvas(), shift.x, shift.y);
    // Read where the drawing begins, as the template list shows it by then; with none the page is dropped
    // unsent.
    const EnvelopeTemplate chosen = selectedTemplate();
    requireTemplate(chosen);
    paintTemplate(chosen, page, scaleX, scaleY);
    printer.EndDoc();
    abandon.dismiss();
}
