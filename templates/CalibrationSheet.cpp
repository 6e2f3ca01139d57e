#include "templates/CalibrationSheet.h"

#include "platform/TextRaster.h"
#include "templates/Painters.h"

namespace CalibrationSheet {
namespace {

constexpr double TextHeight = 4.5;
constexpr int TextLeft = 50;
constexpr int TextTop = 60;
constexpr int LineSpacing = 7;

// A line that ends on its end pixel: the rasteriser leaves the end pixel out.
void line(DrawingSurface& s, int x0, int y0, int x1, int y1) {
    s.moveTo(x0, y0);
    s.lineTo(x1 + (x1 > x0), y1 + (y1 > y0));
}

} // namespace

void paint(DrawingSurface& surface, double scaleX, double scaleY, const QStringList& text) {
    surface.setBrushStyle(BrushStyle::Clear);
    surface.setPenMode(PenMode::Copy);
    surface.setPenColor(clBlack);
    surface.setPenStyle(PenStyle::Solid);
    const auto x = [scaleX](int mm) { return mmToPixel(scaleX, mm); };
    const auto y = [scaleY](int mm) { return mmToPixel(scaleY, mm); };

    line(surface, x(LongLineLeft), y(LongLineY), x(LongLineRight), y(LongLineY));
    for (int at = LongLineLeft; at <= LongLineRight; at += 10)
        line(surface, x(at), y(LongLineY), x(at), y(LongLineY + TickLength));
    line(surface, x(ShortLineX), y(ShortLineTop), x(ShortLineX), y(ShortLineBottom));
    for (int at = ShortLineTop; at <= ShortLineBottom; at += 10)
        line(surface, x(ShortLineX), y(at), x(ShortLineX + TickLength), y(at));

    // The lines' lengths beside them, then the text.
    TextRaster::drawLine(surface, x(140), y(LongLineY - 7), QStringLiteral("200 мм"), TextHeight, scaleX,
                         scaleY);
    TextRaster::drawLine(surface, x(ShortLineX + 5), y(105), QStringLiteral("150 мм"), TextHeight, scaleX,
                         scaleY);
    int top = TextTop;
    for (const QString& row : text) {
        TextRaster::drawLine(surface, x(TextLeft), y(top), row, TextHeight, scaleX, scaleY);
        top += LineSpacing;
    }
}

} // namespace CalibrationSheet
