#include "ColorUtils.h"

namespace skin {

namespace {

constexpr std::uint8_t kFullChannel = 255;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

std::uint8_t GradientChannel(std::uint8_t from, std::uint8_t to, int lines, int step) {
  // Extended precision, as the x87 computation this reproduces; the sum is kept in 8 bits.
  const long double offset = static_cast<long double>(to - from) / lines * step;
  return static_cast<std::uint8_t>(from + static_cast<int>(offset));
}

tk::TColor GradientColor(tk::TColor startColor, tk::TColor endColor, int line, int lines,
                         int step) {
  if (line >= lines - 1) return ColorToRGB(endColor);
  if (line <= 0) return ColorToRGB(startColor);
  std::uint8_t r1, g1, b1, r2, g2, b2;
  SplitColor(startColor, r1, g1, b1);
  SplitColor(endColor, r2, g2, b2);
  return MakeRGB(GradientChannel(r1, r2, lines, step), GradientChannel(g1, g2, lines, step),
                 GradientChannel(b1, b2, lines, step));
}

}  // namespace

tk::TColor MakeRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<tk::TColor>(r | g << kGreenShift | b << kBlueShift);
}

void SplitColor(tk::TColor color, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
  const tk::TColor rgb = ColorToRGB(color);
  r = tk::RedOf(rgb);
  g = tk::GreenOf(rgb);
  b = tk::BlueOf(rgb);
}

tk::TColor InvertColor(tk::TColor color) {
  std::uint8_t r, g, b;
  SplitColor(color, r, g, b);
  return MakeRGB(kFullChannel - r, kFullChannel - g, kFullChannel - b);
}

tk::TColor VerticalGradientColor(tk::TColor startColor, tk::TColor endColor, int line, int lines) {
  return GradientColor(startColor, endColor, line, lines, line - 1);
}

tk::TColor HorizontalGradientColor(tk::TColor startColor, tk::TColor endColor, int line,
                                   int lines) {
  return GradientColor(startColor, endColor, line, lines, line);
}

}  // namespace skin
