#include "templates/Painters.h"

#include "platform/RealArithmetic.h"
#include "templates/EnvelopeGeometry.h"

using namespace EnvelopeGeometry;

std::int32_t mmToPixel(double scale, int mm) {
    return RealArithmetic::roundProduct(scale, mm);
}

namespace {

class Path {
public:
    Path(DrawingSurface& surface, double scaleX, double scaleY) : s_(surface), sx_(scaleX), sy_(scaleY) {}
    void moveTo(int xMm, int yMm) { s_.moveTo(mmToPixel(sx_, xMm), mmToPixel(sy_, yMm)); }
    void lineTo(int xMm, int yMm) { s_.lineTo(mmToPixel(sx_, xMm), mmToPixel(sy_, yMm)); }

private:
    DrawingSurface& s_;
    double sx_;
    double sy_;
};

void setUp(DrawingSurface& surface, PenStyle penStyle) {
    surface.setBrushStyle(BrushStyle::Clear);
    surface.setBrushColor(clWhite);
    surface.setPenMode(PenMode::Copy);
    surface.setPenColor(clBlack);
    surface.setPenStyle(penStyle);
}

// Body, both flaps, then the centre line: the one sequence of the solid and the dotted envelope.
void drawWholeEnvelope(Path& p) {
    p.moveTo(Left, Top);
    p.lineTo(Right, Top);
    p.lineTo(Right, Bottom);
    p.lineTo(Left, Bottom);
    p.lineTo(Left, Top);
    p.moveTo(Centre, Top);
    p.lineTo(FlapLeft, FlapTop);
    p.lineTo(FlapRight, FlapTop);
    p.lineTo(Right, Top);
    p.moveTo(Centre, Bottom);
    p.lineTo(FlapLeft, FlapBottom);
    p.lineTo(FlapRight, FlapBottom);
    p.lineTo(Right, Bottom);
    p.moveTo(Centre, Top);
    p.lineTo(Centre, Bottom);
}

} // namespace

void paintSolid(DrawingSurface& surface, double scaleX, double scaleY) {
    setUp(surface, PenStyle::Solid);
    Path p(surface, scaleX, scaleY);
    drawWholeEnvelope(p);
}

void paintDotted(DrawingSurface& surface, double scaleX, double scaleY) {
    setUp(surface, PenStyle::Dot);
    Path p(surface, scaleX, scaleY);
    drawWholeEnvelope(p);
}

void paintCenterDash(DrawingSurface& surface, double scaleX, double scaleY) {
    setUp(surface, PenStyle::Solid);
    Path p(surface, scaleX, scaleY);
    // Outer contour, solid.
    p.moveTo(Centre, Top);
    p.lineTo(Left, Top);
    p.lineTo(Left, Bottom);
    p.lineTo(Centre, Bottom);
    p.moveTo(Centre, Top);
    p.lineTo(FlapLeft, FlapTop);
    p.lineTo(FlapRight, FlapTop);
    p.lineTo(Right, Top);
    p.lineTo(Right, Bottom);
    p.lineTo(FlapRight, FlapBottom);
    p.lineTo(FlapLeft, FlapBottom);
    p.lineTo(Centre, Bottom);
    // The three folds, dashed, as one path.
    surface.setPenStyle(PenStyle::Dash);
    p.moveTo(Right, Top);
    p.lineTo(Centre, Top);
    p.lineTo(Centre, Bottom);
    p.lineTo(Right, Bottom);
}
