#pragma once

// What must hold of every printed envelope, whatever settings a printer reported: the program's printer
// logic prints it through a fake print system that keeps the page's runs, and the page either is refused
// with the program's error, or holds the whole envelope, every pixel on the printable area, at the scale
// taken from that area's pixels and millimetres.
#include "FakePrintSystem.h"

#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "platform/RealArithmetic.h"
#include "printing/LineWidth.h"
#include "printing/PaperFit.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/EnvelopeGeometry.h"
#include "templates/Painters.h"
#include "templates/TemplateDispatch.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzz {

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

inline void checkPrintedEnvelope(const DocumentSettings& settings, EnvelopeTemplate chosen) {
    auto owned = std::make_unique<FakePrintSystem>();
    FakePrintSystem& system = *owned;
    system.printerList = {{QStringLiteral("Fuzz"), true, settings, false, false, std::nullopt}};
    system.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Fuzz"));
    TPrinter printer(std::move(owned));
    printer.setPendingEventsHandler([] {});
    try {
        printEnvelope(printer, [chosen] { return chosen; });
    } catch (const EPrinter&) {
        require(system.documents.empty() || !system.documents.back().ended, "a refused page was sent");
        return;
    }
    require(system.documents.size() == 1 && system.documents.front().ended, "one page sent");
    const FakePrintSystem::Document& page = system.documents.front();
    const DocumentSettings& s = page.settings;
    const DeviceCaps& caps = page.caps;
    require(s.orientation == PageOrientation::Landscape, "the envelope is printed across the sheet");
    require(pageWithinLimits(s) && horizontalDpi(s) <= MaxResolution && verticalDpi(s) <= MaxResolution,
            "a page past the resolution cap was laid out");
    require(caps == deviceCapsFor(s), "the page is the printable area of the settings");

    const double scaleX = RealArithmetic::divide(caps.horzRes, caps.horzSize);
    const double scaleY = RealArithmetic::divide(caps.vertRes, caps.vertSize);
    // The scale from whole millimetres is the printer's own within half a millimetre over the area.
    const double trueX = horizontalDpi(s) / 25.4;
    const double trueY = verticalDpi(s) / 25.4;
    require(std::abs(scaleX - trueX) <= (0.5 * trueX + 1) / caps.horzSize + 1e-9, "scale across");
    require(std::abs(scaleY - trueY) <= (0.5 * trueY + 1) / caps.vertSize + 1e-9, "scale down");

    const EnvelopePlacement::PixelShift shift = placeEnvelope(s, caps);
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    for (const PixelRun& run : page.runs) {
        require(run.count > 0, "an empty run");
        const long long endX = run.x + static_cast<long long>(run.dx) * (run.count - 1);
        const long long endY = run.y + static_cast<long long>(run.dy) * (run.count - 1);
        left = std::min({left, static_cast<long long>(run.x), endX});
        right = std::max({right, static_cast<long long>(run.x), endX});
        top = std::min({top, static_cast<long long>(run.y), endY});
        bottom = std::max({bottom, static_cast<long long>(run.y), endY});
    }
    require(!page.runs.empty(), "an envelope was drawn");
    require(left >= 0 && top >= 0 && right < caps.horzRes && bottom < caps.vertRes,
            "every pixel lies on the printable area");
    // The outermost lines sit where the computed scale and shift put them: nothing drawn larger, smaller or
    // moved further than the placement said.
    using namespace EnvelopeGeometry;
    require(left == mmToPixel(scaleX, Left) + shift.x, "left edge");
    require(top == mmToPixel(scaleY, FlapTop) + shift.y, "top flap");
    require(right == mmToPixel(scaleX, Right) + shift.x + linePixels(horizontalDpi(s)) - 1, "right edge");
    require(bottom == mmToPixel(scaleY, FlapBottom) + shift.y + linePixels(verticalDpi(s)) - 1,
            "bottom flap");
}

} // namespace fuzz
