#include "PrintCommand.h"

#include "Errors.h"
#include "PaperFit.h"
#include "RealArithmetic.h"
#include "ShiftedSurface.h"
#include "TPrinter.h"
#include "TemplateDispatch.h"

#include <QScopeGuard>

void printEnvelope(TPrinter& printer, const std::function<int()>& selectedTemplate) {
    // Nothing chosen would print a blank sheet; say what is missing instead.
    if (const int chosen = selectedTemplate(); chosen < 0 || chosen >= TemplateCount)
        throw Exception("Не выбран шаблон печати.");

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
    paintTemplate(selectedTemplate(), page, scaleX, scaleY);
    printer.EndDoc();
    abandon.dismiss();
}
