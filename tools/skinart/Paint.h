#pragma once

#include <string>
#include <vector>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"

// Small pixel painters shared by every skin picture. Colours are tk::TColor (0x00BBGGRR);
// rectangles have exclusive right and bottom edges; pixels outside the bitmap are ignored.
namespace skinart {

using tk::TBitmap;
using tk::TColor;
using tk::TRect;

// A bitmap that can be returned, copied and kept in containers (copies take the pixels).
class Picture : public TBitmap {
 public:
  Picture() = default;
  Picture(int width, int height) : TBitmap(width, height) {}
  Picture(const Picture& other) : TBitmap() { Assign(other); }
  Picture& operator=(const Picture& other) {
    Assign(other);
    return *this;
  }
};

// A picture drawn from a pixel pattern: rows of equal length, '#' marks a pixel to paint and
// any other character leaves the pixel alone.
using Pattern = std::vector<std::string>;

// Which corners of a rounded rectangle are rounded.
enum Corner : unsigned {
  kTopLeft = 1,
  kTopRight = 2,
  kBottomLeft = 4,
  kBottomRight = 8,
  kTopCorners = kTopLeft | kTopRight,
  kBottomCorners = kBottomLeft | kBottomRight,
  kAllCorners = kTopCorners | kBottomCorners,
};

// A new 24-bit bitmap filled with one colour.
Picture Canvas(int width, int height, TColor fill);

// The colour step/steps of the way from a to b, per channel, rounded to nearest.
TColor Mix(TColor a, TColor b, int step, int steps);
// Colour at row y of a vertical gradient over height rows (first row top, last row bottom).
TColor GradientAt(TColor top, TColor bottom, int y, int height);

void FillRect(TBitmap& bitmap, TRect r, TColor color);
void FrameRect(TBitmap& bitmap, TRect r, TColor color);
void HorizontalLine(TBitmap& bitmap, int x0, int x1, int y, TColor color);
void VerticalLine(TBitmap& bitmap, int x, int y0, int y1, TColor color);
void VerticalGradient(TBitmap& bitmap, TRect r, TColor top, TColor bottom);
void HorizontalGradient(TBitmap& bitmap, TRect r, TColor left, TColor right);

// True when pixel (x, y) lies inside r with the chosen corners cut to quarter circles of the
// given radius (pixel centres are tested).
bool InsideRounded(TRect r, int radius, unsigned corners, int x, int y);
// Paints the rounded rectangle: the pixels on its outline get edge, the inside a vertical
// gradient from top to bottom. Pixels outside the shape are left alone.
void RoundedRect(TBitmap& bitmap, TRect r, int radius, unsigned corners, TColor top, TColor bottom,
                 TColor edge);
// Cuts the corners of a picture: pixels of r outside the rounded shape get outside, pixels on
// its outline get edge, the rest is left alone.
void ShapeCorners(TBitmap& bitmap, TRect r, int radius, unsigned corners, TColor outside,
                  TColor edge);
// A one-pixel light line along the top and left and a dark one along the bottom and right.
void Bevel(TBitmap& bitmap, TRect r, TColor light, TColor dark);
// Disc of the given diameter with its top-left corner at (x, y): outline edge, a vertical
// gradient inside.
void Disc(TBitmap& bitmap, int x, int y, int diameter, TColor top, TColor bottom, TColor edge);

void DrawPattern(TBitmap& bitmap, int x, int y, const Pattern& pattern, TColor color);
// The pattern drawn in color with a copy one pixel down and right in shadow beneath it.
void DrawShadowedPattern(TBitmap& bitmap, int x, int y, const Pattern& pattern, TColor color,
                         TColor shadow);
int PatternWidth(const Pattern& pattern);
int PatternHeight(const Pattern& pattern);
// Draws the pattern centred in r (rounded towards the top left).
void DrawCentred(TBitmap& bitmap, TRect r, const Pattern& pattern, TColor color);

// The part r of source as a new bitmap.
Picture Crop(const TBitmap& source, TRect r);

}  // namespace skinart
