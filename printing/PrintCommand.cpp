#include "PrintCommand.h"

#include "RealArithmetic.h"
#include "TPrinter.h"
#include "TemplateDispatch.h"

void printEnvelope(TPrinter& printer, const std::function<int()>& selectedTemplate) {
    printer.setOrientation(poLandscape);
    const DeviceCaps caps = printer.Handle().caps();
    const double scaleX = RealArithmetic::divide(caps.horzRes, caps.horzSize);
    const double scaleY = RealArithmetic::divide(caps.vertRes, caps.vertSize);
    printer.BeginDoc();
    paintTemplate(selectedTemplate(), printer.Canvas(), scaleX, scaleY);
    printer.EndDoc();
}
