#include <windows.h>

#include <cstdint>

#include "ColorUtils.h"

namespace skin {

tk::TColor ColorToRGB(tk::TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if (bits >> kSystemColorTagShift != kSystemColorTag) return color;
  return static_cast<tk::TColor>(GetSysColor(static_cast<int>(bits & kSystemColorIndexMask)));
}

}  // namespace skin
