#include <array>

#include "ColorUtils.h"
#include "WinDrawing.h"
#include "toolkit/win/GdiObject.h"

namespace skin {

namespace {

constexpr tk::TColor kArrowColor = tk::clBlack;
constexpr tk::TColor kDisabledArrowColor = 0x808080;
constexpr tk::TColor kArrowShadowColor = tk::clWhite;
constexpr int kShadowOffset = 1;

using TTriangle = std::array<tk::TPoint, 3>;

void FillTriangle(tk::TCanvas& canvas, const TTriangle& points, tk::TColor color) {
  canvas.Pen().Color = color;
  canvas.Brush().Color = color;
  canvas.Brush().Style = tk::bsSolid;
  canvas.Polygon(points);
}

// The triangle, over a white copy moved by (1, 1) in grey when disabled.
void DrawArrow(tk::TCanvas& canvas, const TTriangle& points, bool enabled) {
  if (enabled) {
    FillTriangle(canvas, points, kArrowColor);
    return;
  }
  TTriangle shadow = points;
  for (tk::TPoint& p : shadow) p = tk::TPoint{p.X + kShadowOffset, p.Y + kShadowOffset};
  FillTriangle(canvas, shadow, kArrowShadowColor);
  FillTriangle(canvas, points, kDisabledArrowColor);
}

void FrameWith(HDC dc, const RECT& r, tk::TColor color) {
  const tk::TBrushHandle brush(CreateSolidBrush(tk::GdiColor(color)));
  if (brush) ::FrameRect(dc, &r, brush.Get());
}

}  // namespace

void DrawVerticalGradient(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor startColor,
                          tk::TColor endColor) {
  const int lines = r.Height();
  for (int y = r.Top; y < r.Bottom; ++y) {
    canvas.Pen().Color = VerticalGradientColor(startColor, endColor, y - r.Top, lines);
    canvas.MoveTo(r.Left, y);
    canvas.LineTo(r.Right, y);
  }
}

void DrawHorizontalGradient(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor startColor,
                            tk::TColor endColor) {
  const int lines = r.Width();
  for (int x = r.Left; x < r.Right; ++x) {
    canvas.Pen().Color = HorizontalGradientColor(startColor, endColor, x - r.Left, lines);
    canvas.MoveTo(x, r.Top);
    canvas.LineTo(x, r.Bottom);
  }
}

void DrawArrowDown(tk::TCanvas& canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {{{x, y}, {x + 6, y}, {x + 3, y + 3}}}, enabled);
}

void DrawArrowUp(tk::TCanvas& canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {{{x, y}, {x - 3, y + 3}, {x + 3, y + 3}}}, enabled);
}

void DrawArrowLeft(tk::TCanvas& canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {{{x, y}, {x + 3, y + 3}, {x + 3, y - 3}}}, enabled);
}

void DrawArrowRight(tk::TCanvas& canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {{{x, y}, {x, y + 6}, {x + 3, y + 3}}}, enabled);
}

void FrameRectColor(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color) {
  canvas.Brush().Color = color;
  canvas.Brush().Style = tk::bsSolid;
  canvas.FrameRect(r);
}

void FillRectColor(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color) {
  canvas.Brush().Color = color;
  canvas.Brush().Style = tk::bsSolid;
  canvas.FillRect(r);
}

void DrawWindowFrame(HWND window, tk::TColor outerColor, tk::TColor innerColor, bool drawInner) {
  const tk::TWindowDC dc(window);
  RECT r{};
  if (dc.Get() == nullptr || !GetWindowRect(window, &r)) return;
  OffsetRect(&r, -r.left, -r.top);
  FrameWith(dc.Get(), r, outerColor);
  if (!drawInner) return;
  InflateRect(&r, -1, -1);
  FrameWith(dc.Get(), r, innerColor);
}

}  // namespace skin
