#pragma once

#include <cmath>
#include <cstdint>

namespace platform {

// Element indexes, list positions and counts are 16-bit, as the window's model defines them.
using Index = std::int16_t;

// Positions and sizes live in single-precision twips; pixels appear only at the Qt edge.
inline constexpr float TwipsPerPixel = 15.0f;

inline int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline float toTwips(int pixels)
{
    return static_cast<float>(pixels) * TwipsPerPixel;
}

} // namespace platform
