#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "skin/utils/WinDrawing.h"
#include "tests/support/WinPump.h"
#include "toolkit/win/CustomControl.h"

namespace {

using tk::TColor;

constexpr TColor kBackground = 0x00406080;
constexpr TColor kBand = 0x0000C000;
constexpr TColor kBorder = 0x00800000;
constexpr int kWidth = 40;
constexpr int kHeight = 24;

TColor WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return static_cast<TColor>(pixel);
}

// A shown top-level control of one colour, painted before the test draws over it.
std::unique_ptr<tk::TCustomControl> PaintedControl() {
  auto control = std::make_unique<tk::TCustomControl>(nullptr);
  control->SetBounds(60, 60, kWidth, kHeight);
  control->SetColor(kBackground);
  control->SetVisible(true);
  HWND window = control->Handle();
  EXPECT_TRUE(testing_support::PumpUntil([&] {
    return WindowPixel(window, kWidth / 2, kHeight / 2) == kBackground &&
           GetUpdateRect(window, nullptr, FALSE) == 0;
  }));
  return control;
}

TEST(ControlFrame, TwoPixelBandAroundTheControlAndABorderLineOnItsLeft) {
  const auto control = PaintedControl();
  skin::DrawControlFrame(control.get(), kBorder, kBand);
  HWND window = control->Handle();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool band = x < 2 || y < 2 || x >= kWidth - 2 || y >= kHeight - 2;
      const TColor expected = x == 0 ? kBorder : band ? kBand : kBackground;
      ASSERT_EQ(WindowPixel(window, x, y), expected) << x << "," << y;
    }
}

TEST(ControlFrame, WindowFrameOfAControlCoversItsWholeWindow) {
  const auto control = PaintedControl();
  skin::DrawControlWindowFrame(control.get(), kBorder, kBand, true);
  HWND window = control->Handle();
  const struct {
    int x, y;
    TColor expected;
  } probes[] = {{0, 0, kBorder},     {kWidth - 1, kHeight - 1, kBorder},
                {1, 1, kBand},       {kWidth - 2, 5, kBand},
                {2, 2, kBackground}, {20, 12, kBackground}};
  for (const auto& p : probes) EXPECT_EQ(WindowPixel(window, p.x, p.y), p.expected) << p.x;
  skin::DrawControlWindowFrame(nullptr, kBorder, kBand, true);
  skin::DrawControlFrame(nullptr, kBorder, kBand);
}

}  // namespace
