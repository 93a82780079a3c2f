#include "tools/skinart/Paint.h"

namespace skinart {

namespace {

std::uint8_t MixChannel(int a, int b, int step, int steps) {
  return static_cast<std::uint8_t>((a * (steps - step) + b * step + steps / 2) / steps);
}

// Whether a pixel of the shape has a side neighbour outside it (or outside r).
bool OnOutline(TRect r, int radius, unsigned corners, int x, int y) {
  static constexpr int kSides[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& side : kSides) {
    if (!InsideRounded(r, radius, corners, x + side[0], y + side[1])) return true;
  }
  return false;
}

}  // namespace

Picture Canvas(int width, int height, TColor fill) {
  Picture bitmap(width, height);
  bitmap.SetPixelFormat(tk::pf24bit);
  FillRect(bitmap, tk::Rect(0, 0, width, height), fill);
  return bitmap;
}

TColor Mix(TColor a, TColor b, int step, int steps) {
  if (steps <= 0) return a;
  return tk::RGBColor(MixChannel(tk::RedOf(a), tk::RedOf(b), step, steps),
                      MixChannel(tk::GreenOf(a), tk::GreenOf(b), step, steps),
                      MixChannel(tk::BlueOf(a), tk::BlueOf(b), step, steps));
}

TColor GradientAt(TColor top, TColor bottom, int y, int height) {
  return Mix(top, bottom, y, height - 1);
}

void FillRect(TBitmap& bitmap, TRect r, TColor color) {
  for (int y = r.Top; y < r.Bottom; ++y) HorizontalLine(bitmap, r.Left, r.Right, y, color);
}

void FrameRect(TBitmap& bitmap, TRect r, TColor color) {
  HorizontalLine(bitmap, r.Left, r.Right, r.Top, color);
  HorizontalLine(bitmap, r.Left, r.Right, r.Bottom - 1, color);
  VerticalLine(bitmap, r.Left, r.Top, r.Bottom, color);
  VerticalLine(bitmap, r.Right - 1, r.Top, r.Bottom, color);
}

void HorizontalLine(TBitmap& bitmap, int x0, int x1, int y, TColor color) {
  for (int x = x0; x < x1; ++x) bitmap.SetPixel(x, y, color);
}

void VerticalLine(TBitmap& bitmap, int x, int y0, int y1, TColor color) {
  for (int y = y0; y < y1; ++y) bitmap.SetPixel(x, y, color);
}

void VerticalGradient(TBitmap& bitmap, TRect r, TColor top, TColor bottom) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    HorizontalLine(bitmap, r.Left, r.Right, y, GradientAt(top, bottom, y - r.Top, r.Height()));
  }
}

void HorizontalGradient(TBitmap& bitmap, TRect r, TColor left, TColor right) {
  for (int x = r.Left; x < r.Right; ++x) {
    VerticalLine(bitmap, x, r.Top, r.Bottom, GradientAt(left, right, x - r.Left, r.Width()));
  }
}

bool InsideRounded(TRect r, int radius, unsigned corners, int x, int y) {
  if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) return false;
  const bool left = x < r.Left + radius;
  const bool right = x >= r.Right - radius;
  const bool top = y < r.Top + radius;
  const bool bottom = y >= r.Bottom - radius;
  unsigned corner = 0;
  if (top && left) corner = kTopLeft;
  if (top && right) corner = kTopRight;
  if (bottom && left) corner = kBottomLeft;
  if (bottom && right) corner = kBottomRight;
  if ((corner & corners) == 0) return true;
  // Twice the distance from the corner circle's centre to the pixel centre, per axis.
  const int dx = left ? 2 * (r.Left + radius - x) - 1 : 2 * (x - (r.Right - radius)) + 1;
  const int dy = top ? 2 * (r.Top + radius - y) - 1 : 2 * (y - (r.Bottom - radius)) + 1;
  return dx * dx + dy * dy <= 4 * radius * radius;
}

void RoundedRect(TBitmap& bitmap, TRect r, int radius, unsigned corners, TColor top, TColor bottom,
                 TColor edge) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    const TColor fill = GradientAt(top, bottom, y - r.Top, r.Height());
    for (int x = r.Left; x < r.Right; ++x) {
      if (!InsideRounded(r, radius, corners, x, y)) continue;
      bitmap.SetPixel(x, y, OnOutline(r, radius, corners, x, y) ? edge : fill);
    }
  }
}

void ShapeCorners(TBitmap& bitmap, TRect r, int radius, unsigned corners, TColor outside,
                  TColor edge) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      if (!InsideRounded(r, radius, corners, x, y)) {
        bitmap.SetPixel(x, y, outside);
      } else if (OnOutline(r, radius, corners, x, y)) {
        bitmap.SetPixel(x, y, edge);
      }
    }
  }
}

void Bevel(TBitmap& bitmap, TRect r, TColor light, TColor dark) {
  HorizontalLine(bitmap, r.Left, r.Right, r.Top, light);
  VerticalLine(bitmap, r.Left, r.Top, r.Bottom, light);
  HorizontalLine(bitmap, r.Left, r.Right, r.Bottom - 1, dark);
  VerticalLine(bitmap, r.Right - 1, r.Top, r.Bottom, dark);
}

void Disc(TBitmap& bitmap, int x, int y, int diameter, TColor top, TColor bottom, TColor edge) {
  RoundedRect(bitmap, tk::Rect(x, y, x + diameter, y + diameter), diameter / 2, kAllCorners, top,
              bottom, edge);
}

int PatternWidth(const Pattern& pattern) {
  return pattern.empty() ? 0 : static_cast<int>(pattern.front().size());
}

int PatternHeight(const Pattern& pattern) {
  return static_cast<int>(pattern.size());
}

void DrawPattern(TBitmap& bitmap, int x, int y, const Pattern& pattern, TColor color) {
  for (int row = 0; row < PatternHeight(pattern); ++row) {
    const std::string& line = pattern[row];
    for (int column = 0; column < static_cast<int>(line.size()); ++column) {
      if (line[column] == '#') bitmap.SetPixel(x + column, y + row, color);
    }
  }
}

void DrawShadowedPattern(TBitmap& bitmap, int x, int y, const Pattern& pattern, TColor color,
                         TColor shadow) {
  DrawPattern(bitmap, x + 1, y + 1, pattern, shadow);
  DrawPattern(bitmap, x, y, pattern, color);
}

void DrawCentred(TBitmap& bitmap, TRect r, const Pattern& pattern, TColor color) {
  DrawPattern(bitmap, r.Left + (r.Width() - PatternWidth(pattern)) / 2,
              r.Top + (r.Height() - PatternHeight(pattern)) / 2, pattern, color);
}

Picture Crop(const TBitmap& source, TRect r) {
  Picture part = Canvas(r.Width(), r.Height(), tk::clBlack);
  for (int y = 0; y < r.Height(); ++y) {
    for (int x = 0; x < r.Width(); ++x) part.SetPixel(x, y, source.Pixel(r.Left + x, r.Top + y));
  }
  return part;
}

}  // namespace skinart
