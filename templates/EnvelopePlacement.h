#pragma once

#include <optional>

// Where the envelope goes on a printable area. It is drawn from the area's corner at its usual offsets
// (EnvelopeGeometry); on paper too narrow or too short for those, it moves towards the corner just enough
// to stay whole, at true scale.
namespace EnvelopePlacement {

// What the drawing covers, in millimetres from the printable corner, at its usual offsets.
inline constexpr int ReachLeft = 20;
inline constexpr int ReachTop = 32;
inline constexpr int ReachRight = 270;
inline constexpr int ReachBottom = 178;
// The least printable area that holds the drawing.
inline constexpr int NeededWidth = ReachRight - ReachLeft;
inline constexpr int NeededHeight = ReachBottom - ReachTop;

// Millimetres to add to every coordinate: zero or negative.
struct Shift {
    double x = 0;
    double y = 0;
    bool operator==(const Shift&) const = default;
};

// The shift that keeps the drawing whole on a printable area of that size; nothing when the area is
// smaller than the drawing.
std::optional<Shift> shiftFor(double printableWidthMm, double printableHeightMm);

} // namespace EnvelopePlacement
