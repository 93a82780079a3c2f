#include <array>
#include <cstdint>

#include "ColorUtils.h"

namespace skin {

namespace {

// The classic default scheme, by system colour number (COLOR_SCROLLBAR 0 to COLOR_MENUBAR 30),
// as 0x00BBGGRR.
constexpr std::array<tk::TColor, 31> kClassicSystemColors = {
    0xC8D0D4,  // scroll bar
    0xA56E3A,  // background (desktop)
    0x6A240A,  // active caption
    0x808080,  // inactive caption
    0xC8D0D4,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC8D0D4,  // active border
    0xC8D0D4,  // inactive border
    0x808080,  // application workspace
    0x6A240A,  // highlight
    0xFFFFFF,  // highlight text
    0xC8D0D4,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC8D0D4,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x404040,  // 3D dark shadow
    0xC8D0D4,  // 3D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0x000000,  // (unused number 25)
    0x800000,  // hot-tracked item
    0xF0CAA6,  // gradient of the active caption
    0xC0C0C0,  // gradient of the inactive caption
    0x6A240A,  // menu highlight
    0xC8D0D4,  // menu bar
};

}  // namespace

tk::TColor ColorToRGB(tk::TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if (bits >> kSystemColorTagShift != kSystemColorTag) return color;
  const std::uint32_t index = bits & kSystemColorIndexMask;
  return index < kClassicSystemColors.size() ? kClassicSystemColors[index] : tk::clBlack;
}

}  // namespace skin
