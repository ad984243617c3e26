#pragma once
// Colour values as Windows keeps them: 0x00BBGGRR.

#include <cstdint>

namespace vantelmoor {

using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kNavy = 0x800000;
inline constexpr Colour kLightBlue = 0xFF8080;
inline constexpr Colour kLinkBlue = 0xC00000;
inline constexpr Colour kLightYellow = 0xC0FFFF;
// "No colour of its own": the control keeps the window's default.
inline constexpr Colour kDefaultColour = 0xFFFFFFFF;

}  // namespace vantelmoor
