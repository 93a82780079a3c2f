#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/win/CustomControl.h"

namespace testing_support {

inline constexpr tk::TColor kHostColor = 0x00402010;
inline constexpr int kHostLeft = 100;
inline constexpr int kHostTop = 120;

// A top-level window of the toolkit's own class, filled with kHostColor. It starts hidden:
// under Xvfb Wine takes about two seconds to destroy a shown top-level window, so only tests
// that read pixels or need focus show theirs.
inline std::unique_ptr<tk::TCustomControl> MakeHost(int width = 300, int height = 200) {
  auto host = std::make_unique<tk::TCustomControl>(nullptr);
  host->SetBounds(kHostLeft, kHostTop, width, height);
  host->SetColor(kHostColor);
  host->SetVisible(false);
  return host;
}

// A pixel of a window's client area as it is on the screen.
inline tk::TColor ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return static_cast<tk::TColor>(pixel);
}

}  // namespace testing_support
