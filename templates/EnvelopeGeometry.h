#pragma once

// The envelope in whole millimetres from the surface's origin: two panels of 125 x 126 mm side by side,
// with a top and a bottom flap on the right panel.
namespace EnvelopeGeometry {
inline constexpr int Left = 20;        // left edge of the body
inline constexpr int Centre = 145;     // the centre fold
inline constexpr int FlapLeft = 155;   // where the flaps' outer edges start
inline constexpr int FlapRight = 260;  // and end
inline constexpr int Right = 270;      // right edge of the body
inline constexpr int FlapTop = 32;     // outer edge of the top flap
inline constexpr int Top = 42;         // top edge of the body
inline constexpr int Bottom = 168;     // bottom edge of the body
inline constexpr int FlapBottom = 178; // outer edge of the bottom flap
} // namespace EnvelopeGeometry
