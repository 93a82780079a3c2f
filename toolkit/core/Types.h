#pragma once

#include <cstdint>

namespace tk {

// 0x00BBGGRR; a top byte of 0xFF names a system colour.
using TColor = std::int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}
constexpr std::uint8_t RedOf(TColor c) {
  return static_cast<std::uint8_t>(c);
}
constexpr std::uint8_t GreenOf(TColor c) {
  return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t BlueOf(TColor c) {
  return static_cast<std::uint8_t>(c >> 16);
}

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return TRect{left, top, right, bottom};
}

}  // namespace tk
