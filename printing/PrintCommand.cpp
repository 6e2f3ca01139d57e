#include "printing/PrintCommand.h"

#include "platform/DeviceCaps.h"
#include "platform/RealArithmetic.h"
#include "platform/ShiftedSurface.h"
#include "printing/CalibrationStore.h"
#include "printing/PaperFit.h"
#include "printing/TPrinter.h"
#include "templates/CalibrationSheet.h"
#include "templates/TemplateDispatch.h"

#include <QCoreApplication>
#include <QDate>
#include <QScopeGuard>

#include <optional>

namespace {

struct Scales {
    double x = 0;
    double y = 0;
};

// The page's true pixels per millimetre, from its resolution: the whole millimetres of its size would leave
// a drawing a few tenths of a millimetre off.
Scales trueScales(const DocumentSettings& s) {
    return {horizontalDpi(s) / 25.4, verticalDpi(s) / 25.4};
}

// One landscape page with a drawing covering `reach`: room checked before the document starts, the drawing
// moved just enough to stay whole, a page that fails half-drawn dropped unsent. `scales` gives the scales
// from the page's capabilities.
void printLaidOut(TPrinter& printer, const EnvelopePlacement::Reach& reach, Scales stretch,
                  const std::function<Scales(const DeviceCaps&)>& scales,
                  const std::function<void(DrawingSurface&, Scales)>& draw) {
    // A cut envelope is no envelope: paper too small, or no printable area at all, is refused before any
    // document is started.
    requireRoom(*printer.DevMode(), reach, stretch.x, stretch.y);
    const DeviceCaps caps = printer.Handle().caps();
    const Scales at = scales(caps);
    printer.BeginDoc();
    // A page that fails half-drawn is not sent, and the document does not stay open to block every later
    // command with "Printing in progress".
    auto abandon = qScopeGuard([&printer] { printer.AbortDoc(); });
    const EnvelopePlacement::PixelShift shift = placeDrawing(*printer.DevMode(), caps, reach, at.x, at.y);
    ShiftedSurface page(printer.Canvas(), shift.x, shift.y);
    draw(page, at);
    printer.EndDoc();
    abandon.dismiss();
}

} // namespace

void printEnvelope(TPrinter& printer, const std::function<int()>& selectedTemplate,
                   const CalibrationStore* calibrations) {
    printer.setOrientation(poLandscape);
    const QString& name = printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())].Name;
    const std::optional<Calibration> correction =
        calibrations ? calibrations->find(name, printer.Identity()) : std::nullopt;
    const Scales stretch =
        correction ? Scales{correction->factorAcross(), correction->factorDown()} : Scales{1, 1};
    const DocumentSettings settings = *printer.DevMode();
    const auto scales = [&](const DeviceCaps& caps) {
        if (!correction)
            return Scales{RealArithmetic::divide(caps.horzRes, caps.horzSize),
                          RealArithmetic::divide(caps.vertRes, caps.vertSize)};
        const Scales base = trueScales(settings);
        return Scales{base.x * stretch.x, base.y * stretch.y};
    };
    printLaidOut(printer, EnvelopePlacement::EnvelopeReach, stretch, scales,
                 [&](DrawingSurface& page, Scales at) {
                     // Read where the drawing begins, as the template list shows it by then; with none the
                     // page is dropped unsent.
                     const EnvelopeTemplate chosen = selectedTemplate();
                     requireTemplate(chosen);
                     paintTemplate(chosen, page, at.x, at.y);
                 });
}

void printCalibrationSheet(TPrinter& printer, const QDate& date) {
    printer.setOrientation(poLandscape);
    const QString name = printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())].Text;
    const Scales at = trueScales(*printer.DevMode());
    const QStringList text{
        QCoreApplication::translate("CalibrationSheet", "Калибровка принтера «%1», %2")
            .arg(name, date.toString(QStringLiteral("dd.MM.yyyy"))),
        QCoreApplication::translate(
            "CalibrationSheet",
            "Измерьте стальной линейкой каждую линию по всей длине, от первого деления до последнего."),
        QCoreApplication::translate("CalibrationSheet", "Верхняя линия напечатана длиной 200 мм, левая — 150 мм."),
        QCoreApplication::translate("CalibrationSheet",
                                    "Введите, что намерили, в окне «Калибровка принтера...» меню «Файл»"),
        QCoreApplication::translate("CalibrationSheet",
                                    "или командой: vornel --calibrate ШИРИНАxВЫСОТА, например 202x148.5"),
    };
    printLaidOut(
        printer, CalibrationSheet::Reach, {1, 1}, [at](const DeviceCaps&) { return at; },
        [&](DrawingSurface& page, Scales s) { CalibrationSheet::paint(page, s.x, s.y, text); });
}
