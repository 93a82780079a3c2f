#include <windows.h>

#include <gtest/gtest.h>

#include "skin/utils/ColorUtils.h"

namespace {

// System colours are resolved through the system itself; RGB values pass unchanged.
TEST(WinColor, ColorToRGBAsksTheSystemForSystemColours) {
  struct Case {
    tk::TColor color;
    int sysColor;
  };
  const Case cases[] = {{static_cast<tk::TColor>(0xFF000005), COLOR_WINDOW},
                        {static_cast<tk::TColor>(0xFF000007), COLOR_MENUTEXT},
                        {static_cast<tk::TColor>(0xFF000003), COLOR_INACTIVECAPTION},
                        {static_cast<tk::TColor>(0xFF00000F), COLOR_BTNFACE}};
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<DWORD>(skin::ColorToRGB(c.color)), GetSysColor(c.sysColor)) << c.sysColor;
  EXPECT_EQ(skin::ColorToRGB(0x00123456), 0x00123456);
  EXPECT_EQ(skin::InvertColor(static_cast<tk::TColor>(0xFF000005)),
            static_cast<tk::TColor>(0xFFFFFF ^ GetSysColor(COLOR_WINDOW)));
}

}  // namespace
