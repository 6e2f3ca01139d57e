#pragma once

#include "templates/EnvelopeGeometry.h"

#include <optional>

// Where the envelope goes on a printable area. It is drawn from the area's corner at its usual offsets
// (EnvelopeGeometry); on paper too narrow or too short for those, it moves towards the corner just enough
// to stay whole, at true scale.
namespace EnvelopePlacement {

// What the drawing covers, in millimetres from the printable corner, at its usual offsets: the body
// across, the flaps down.
inline constexpr int ReachLeft = EnvelopeGeometry::Left;
inline constexpr int ReachTop = EnvelopeGeometry::FlapTop;
inline constexpr int ReachRight = EnvelopeGeometry::Right;
inline constexpr int ReachBottom = EnvelopeGeometry::FlapBottom;
// The least printable area that holds the drawing.
inline constexpr int NeededWidth = ReachRight - ReachLeft;
inline constexpr int NeededHeight = ReachBottom - ReachTop;

// What a drawing covers, in millimetres from the printable corner at its usual offsets.
struct Reach {
    int left = ReachLeft;
    int top = ReachTop;
    int right = ReachRight;
    int bottom = ReachBottom;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
};
inline constexpr Reach EnvelopeReach{};

// Millimetres to add to every coordinate: zero or negative.
struct Shift {
    double x = 0;
    double y = 0;
    bool operator==(const Shift&) const = default;
};

// The shift that keeps the drawing whole on a printable area of that size; nothing when the area is
// smaller than the drawing.
std::optional<Shift> shiftFor(double printableWidthMm, double printableHeightMm,
                              const Reach& reach = EnvelopeReach);

// Whole device pixels to add to every coordinate: zero or negative.
struct PixelShift {
    int x = 0;
    int y = 0;
    bool operator==(const PixelShift&) const = default;
};

// The same in device pixels, for a printable area of width x height pixels on which millimetres become
// pixels by the pixel rule at those scales and lines running down are lineWidth pixels wide, lines running
// across lineHeight pixels thick, the added pixels right of and below the rule's: the least shift that keeps
// every pixel on the area; nothing when no shift can.
std::optional<PixelShift> pixelShiftFor(int width, int height, double scaleX, double scaleY, int lineWidth,
                                        int lineHeight, const Reach& reach = EnvelopeReach);

} // namespace EnvelopePlacement
