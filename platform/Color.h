#pragma once

#include <cstdint>

// 0x00RRGGBB.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
