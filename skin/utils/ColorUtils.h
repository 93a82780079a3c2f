#pragma once

#include <cstdint>

#include "toolkit/core/Types.h"

namespace skin {

// A colour whose top byte is kSystemColorTag names system colour number (low byte).
inline constexpr std::uint32_t kSystemColorTag = 0xFF;
inline constexpr int kSystemColorTagShift = 24;
inline constexpr std::uint32_t kSystemColorIndexMask = 0xFF;

// The RGB value of a colour: system colours are looked up (on Windows with GetSysColor, on
// other hosts in a table of the classic default scheme; unknown numbers answer black), every
// other value is returned as it is.
tk::TColor ColorToRGB(tk::TColor color);

// r + g * 256 + b * 65536.
tk::TColor MakeRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b);
// Bytes 0, 1 and 2 of ColorToRGB(color).
void SplitColor(tk::TColor color, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b);
// (255 - r, 255 - g, 255 - b) of the split colour.
tk::TColor InvertColor(tk::TColor color);

// Colour of line `line` (0-based) of a gradient of `lines` lines: the first line is startColor,
// the last endColor (it wins when both are the same line), and every channel of a line between
// them is c1 + Trunc((c2 - c1) / lines * k), kept in 8 bits. k is line - 1 for the rows of a
// vertical gradient and line for the columns of a horizontal one. Both colours are resolved
// with ColorToRGB, so the result is always an RGB value.
tk::TColor VerticalGradientColor(tk::TColor startColor, tk::TColor endColor, int line, int lines);
tk::TColor HorizontalGradientColor(tk::TColor startColor, tk::TColor endColor, int line, int lines);

}  // namespace skin
