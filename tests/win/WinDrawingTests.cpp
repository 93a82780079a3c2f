#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/utils/ZUBSkinUtils.h"
#include "tests/support/HandleCount.h"
#include "tests/support/TestWindow.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/Font.h"
#include "toolkit/win/GdiObject.h"

namespace {

using tk::TBitmap;
using tk::TColor;
using tk::TRect;

constexpr TColor kBackground = 0x00110033;
constexpr TColor kKey = 0xFF00FF;
constexpr std::uint8_t kCodedBlue = 0x40;
constexpr int kCodedXStep = 4;
constexpr int kCodedYStep = 8;

bool Inside(const TRect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

void Fill(TBitmap& bitmap, int width, int height, TColor color) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, color);
}

// A bitmap whose every pixel names its own position: red = 4x, green = 8y, blue 0x40. No pixel
// equals kKey or kBackground.
TColor Coded(int x, int y) {
  return tk::RGBColor(static_cast<std::uint8_t>(x * kCodedXStep),
                      static_cast<std::uint8_t>(y * kCodedYStep), kCodedBlue);
}

void FillCoded(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, Coded(x, y));
}

bool IsCoded(TColor c) {
  return tk::BlueOf(c) == kCodedBlue;
}
tk::TPoint SourceOf(TColor c) {
  return tk::TPoint{tk::RedOf(c) / kCodedXStep, tk::GreenOf(c) / kCodedYStep};
}

int GdiObjectCount() {
  return testing_support::CountHandles().GdiObjects;
}

// ---- DrawSectionedBitmap ----------------------------------------------------------------

enum class TScale { Exact, Stretched };

// One part as the layout gives it: where it lands, which source pixels it shows, and whether
// it is copied 1:1 from the destination's top-left corner or stretched.
struct TPart {
  const char* Name;
  TRect Dest;
  TRect Source;
  TScale Scale;
};

// For every pixel, the last part drawn over it must have supplied it.
void ExpectParts(const TBitmap& target, const std::vector<TPart>& parts) {
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x) {
      const TPart* owner = nullptr;
      for (const TPart& part : parts)
        if (Inside(part.Dest, x, y)) owner = &part;
      const TColor pixel = target.Pixel(x, y);
      SCOPED_TRACE(testing::Message() << "x=" << x << " y=" << y);
      if (owner == nullptr) {
        ASSERT_EQ(pixel, kBackground);
        continue;
      }
      SCOPED_TRACE(owner->Name);
      ASSERT_TRUE(IsCoded(pixel));
      const tk::TPoint from = SourceOf(pixel);
      if (owner->Scale == TScale::Exact) {
        ASSERT_EQ(from.X, owner->Source.Left + x - owner->Dest.Left);
        ASSERT_EQ(from.Y, owner->Source.Top + y - owner->Dest.Top);
      } else {
        ASSERT_TRUE(Inside(owner->Source, from.X, from.Y)) << from.X << "," << from.Y;
      }
    }
}

TEST(DrawSectionedBitmapTest, PlacesTheNinePartsOfTheLayout) {
  TBitmap bitmap;
  FillCoded(bitmap, 63, 25);
  TBitmap target;
  Fill(target, 110, 34, kBackground);
  skin::DrawSectionedBitmap(&bitmap, target.Canvas(), tk::Rect(0, 0, 100, 30), kKey, false);
  // In drawing order; later parts cover earlier ones.
  ExpectParts(target, {
                          {"top-left", {0, 0, 31, 12}, {0, 0, 31, 12}, TScale::Exact},
                          {"bottom-left", {0, 19, 31, 30}, {0, 14, 31, 25}, TScale::Exact},
                          {"left edge", {0, 12, 31, 19}, {0, 12, 31, 13}, TScale::Stretched},
                          {"top-right", {70, 0, 100, 12}, {33, 0, 63, 12}, TScale::Exact},
                          {"bottom-right", {70, 19, 100, 30}, {33, 14, 63, 25}, TScale::Exact},
                          {"right edge", {70, 12, 100, 19}, {33, 12, 63, 13}, TScale::Stretched},
                          {"top edge", {31, 0, 70, 12}, {31, 0, 33, 12}, TScale::Stretched},
                          {"middle", {31, 12, 70, 18}, {31, 12, 33, 13}, TScale::Stretched},
                          {"bottom edge", {30, 18, 70, 30}, {31, 13, 33, 25}, TScale::Stretched},
                      });
}

TEST(DrawSectionedBitmapTest, SmallDestinationsStopEarly) {
  TBitmap bitmap;
  FillCoded(bitmap, 63, 25);
  TBitmap target;
  struct Case {
    TRect Dest;
    std::vector<TPart> Parts;
  };
  const Case cases[] = {
      {tk::Rect(0, 0, 100, 3), {{"top-left", {0, 0, 31, 1}, {0, 0, 31, 1}, TScale::Exact}}},
      {tk::Rect(0, 0, 100, 0), {}},
      {tk::Rect(0, 5, 100, 2), {}},
      // Corners narrower than the bitmap's keep their outer edges.
      {tk::Rect(0, 0, 8, 30),
       {{"top-left", {0, 0, 4, 12}, {0, 0, 4, 12}, TScale::Exact},
        {"bottom-left", {0, 19, 4, 30}, {0, 14, 4, 25}, TScale::Exact},
        {"left edge", {0, 12, 4, 19}, {0, 12, 4, 13}, TScale::Stretched},
        {"top-right", {5, 0, 8, 12}, {60, 0, 63, 12}, TScale::Exact},
        {"bottom-right", {5, 19, 8, 30}, {60, 14, 63, 25}, TScale::Exact},
        {"right edge", {5, 12, 8, 19}, {60, 12, 63, 13}, TScale::Stretched},
        {"top edge", {4, 0, 5, 12}, {31, 0, 33, 12}, TScale::Stretched},
        {"middle", {4, 12, 5, 18}, {31, 12, 33, 13}, TScale::Stretched},
        {"bottom edge", {3, 18, 5, 30}, {31, 13, 33, 25}, TScale::Stretched}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "destination height " << c.Dest.Height() << " width " << c.Dest.Width());
    Fill(target, 110, 34, kBackground);
    skin::DrawSectionedBitmap(&bitmap, target.Canvas(), c.Dest, kKey, false);
    ExpectParts(target, c.Parts);
  }
  skin::DrawSectionedBitmap(nullptr, target.Canvas(), tk::Rect(0, 0, 10, 10), kKey, false);
}

TEST(DrawSectionedBitmapTest, TransparentAffectsCornersOnlyAndEdgesAlwaysKeyTheMask) {
  TBitmap bitmap;
  FillCoded(bitmap, 63, 25);
  bitmap.SetPixel(0, 0, kKey);    // top-left corner
  bitmap.SetPixel(5, 12, kKey);   // left edge's only row
  bitmap.SetPixel(31, 12, kKey);  // middle's source
  bitmap.SetPixel(32, 12, kKey);
  TBitmap target;
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent" : "opaque");
    Fill(target, 100, 30, kBackground);
    skin::DrawSectionedBitmap(&bitmap, target.Canvas(), tk::Rect(0, 0, 100, 30), kKey, transparent);
    EXPECT_EQ(target.Pixel(0, 0), transparent ? kBackground : kKey);
    EXPECT_EQ(target.Pixel(1, 0), Coded(1, 0));
    for (int y = 12; y < 18; ++y) {
      EXPECT_EQ(target.Pixel(5, y), kBackground) << y;
      EXPECT_EQ(target.Pixel(4, y), Coded(4, 12)) << y;
      EXPECT_EQ(target.Pixel(50, y), kBackground) << y;
    }
  }
}

// With an even height the left edge's and middle's sources have no rows; they show the row
// between the corners instead of an unset temporary bitmap.
TEST(DrawSectionedBitmapTest, EvenHeightsStretchTheRowBetweenTheCorners) {
  TBitmap bitmap;
  FillCoded(bitmap, 63, 24);
  TBitmap target;
  Fill(target, 100, 30, kBackground);
  skin::DrawSectionedBitmap(&bitmap, target.Canvas(), tk::Rect(0, 0, 100, 30), kKey, false);
  for (int y = 12; y < 18; ++y) {
    EXPECT_EQ(target.Pixel(10, y), Coded(10, 12)) << y;
    EXPECT_EQ(SourceOf(target.Pixel(50, y)).Y, 12) << y;
  }
}

// ---- Three-part bitmaps ---------------------------------------------------------------

TEST(ThreePartTest, HorizontalCapsAndStretchedMiddleInTheBitmapsHeight) {
  TBitmap bitmap;
  FillCoded(bitmap, 31, 4);  // caps 10 wide; the last column is never used
  TBitmap target;
  Fill(target, 70, 12, kBackground);
  skin::DrawHorzThreePart(&bitmap, target.Canvas(), tk::Rect(5, 2, 65, 11), kKey, false);
  ExpectParts(target, {
                          {"left cap", {5, 2, 15, 6}, {0, 0, 10, 4}, TScale::Exact},
                          {"right cap", {55, 2, 65, 6}, {20, 0, 30, 4}, TScale::Exact},
                          {"middle", {15, 2, 55, 6}, {10, 0, 20, 4}, TScale::Stretched},
                      });
}

TEST(ThreePartTest, HorizontalTransparencyAndNarrowRectangles) {
  TBitmap bitmap;
  FillCoded(bitmap, 30, 4);
  bitmap.SetPixel(0, 0, kKey);   // left cap
  bitmap.SetPixel(29, 3, kKey);  // right cap
  bitmap.SetPixel(10, 0, kKey);  // middle: drawn opaque, as black
  TBitmap target;
  Fill(target, 70, 12, kBackground);
  skin::DrawHorzThreePart(&bitmap, target.Canvas(), tk::Rect(0, 0, 30, 4), kKey, true);
  EXPECT_EQ(target.Pixel(0, 0), kBackground);
  EXPECT_EQ(target.Pixel(29, 3), kBackground);
  EXPECT_EQ(target.Pixel(10, 0), tk::clBlack);
  EXPECT_EQ(target.Pixel(1, 0), Coded(1, 0));

  // Narrower than a cap: the left part of the left cap, opaque, its keyed pixel black.
  Fill(target, 70, 12, kBackground);
  skin::DrawHorzThreePart(&bitmap, target.Canvas(), tk::Rect(3, 1, 9, 2), kKey, true);
  EXPECT_EQ(target.Pixel(3, 1), tk::clBlack);
  bitmap.SetPixel(0, 0, Coded(0, 0));
  Fill(target, 70, 12, kBackground);
  skin::DrawHorzThreePart(&bitmap, target.Canvas(), tk::Rect(3, 1, 9, 2), kKey, true);
  ExpectParts(target, {{"cut left cap", {3, 1, 9, 5}, {0, 0, 6, 4}, TScale::Exact}});

  // Between one and two caps wide: the caps overlap and no middle is drawn.
  FillCoded(bitmap, 30, 4);
  Fill(target, 70, 12, kBackground);
  skin::DrawHorzThreePart(&bitmap, target.Canvas(), tk::Rect(0, 0, 15, 4), kKey, false);
  ExpectParts(target, {{"left cap", {0, 0, 10, 4}, {0, 0, 10, 4}, TScale::Exact},
                       {"right cap", {5, 0, 15, 4}, {20, 0, 30, 4}, TScale::Exact}});
}

// Caps come from the bitmap's first and last rows (columns), scaled across only; the middle
// is the averaged middle rows (columns).
TEST(ThreePartTest, VerticalAndHorizontalCapsWithAveragedMiddle) {
  TBitmap bitmap;
  FillCoded(bitmap, 4, 9);
  TBitmap target;
  Fill(target, 14, 24, kBackground);
  skin::DrawVertThreePart(&bitmap, target.Canvas(), tk::Rect(2, 1, 10, 21), 0);
  EXPECT_EQ(bitmap.PixelFormat(), tk::pf24bit);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 14; ++x) {
      SCOPED_TRACE(testing::Message() << "x=" << x << " y=" << y);
      const TColor pixel = target.Pixel(x, y);
      if (!Inside(tk::Rect(2, 1, 10, 21), x, y)) {
        ASSERT_EQ(pixel, kBackground);
      } else if (y < 4 || y >= 18) {
        ASSERT_TRUE(IsCoded(pixel));
        ASSERT_EQ(SourceOf(pixel).Y, y < 4 ? y - 1 : y - 18 + 6);
        ASSERT_EQ(SourceOf(pixel).X, (x - 2) / 2);
      } else {
        // Rows 3..5 (green 24..40) interpolated over 14 rows.
        ASSERT_GE(tk::GreenOf(pixel), 3 * kCodedYStep);
        ASSERT_LE(tk::GreenOf(pixel), 5 * kCodedYStep);
        if (y > 4) {
          ASSERT_GE(tk::GreenOf(pixel), tk::GreenOf(target.Pixel(x, y - 1)));
        }
      }
    }

  Fill(target, 24, 14, kBackground);
  FillCoded(bitmap, 9, 4);
  skin::DrawHorzThreePartCaps(&bitmap, target.Canvas(), tk::Rect(1, 2, 21, 10), 2);
  for (int y = 2; y < 10; ++y) {
    EXPECT_EQ(target.Pixel(1, y), Coded(0, (y - 2) / 2));
    EXPECT_EQ(target.Pixel(2, y), Coded(1, (y - 2) / 2));
    EXPECT_EQ(target.Pixel(20, y), Coded(8, (y - 2) / 2));
    EXPECT_GE(tk::RedOf(target.Pixel(3, y)), 2 * kCodedXStep);
    EXPECT_LE(tk::RedOf(target.Pixel(18, y)), 6 * kCodedXStep);
  }
  EXPECT_EQ(target.Pixel(21, 2), kBackground);
}

TEST(ThreePartTest, NegativeLeftAndTooSmallRectangles) {
  TBitmap bitmap;
  FillCoded(bitmap, 4, 9);
  TBitmap target;
  Fill(target, 14, 24, kBackground);
  skin::DrawVertThreePart(&bitmap, target.Canvas(), tk::Rect(-1, 0, 10, 20), 0);
  skin::DrawHorzThreePartCaps(&bitmap, target.Canvas(), tk::Rect(-1, 0, 10, 20), 1);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 14; ++x) ASSERT_EQ(target.Pixel(x, y), kBackground);

  // Four rows for two 3-row caps: the caps overlap, no middle is drawn.
  skin::DrawVertThreePart(&bitmap, target.Canvas(), tk::Rect(0, 0, 4, 4), 0);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(target.Pixel(x, 0), Coded(x, 0));
    EXPECT_EQ(target.Pixel(x, 3), Coded(x, 8));
    EXPECT_EQ(target.Pixel(x, 4), kBackground);
  }
  skin::DrawVertThreePart(nullptr, target.Canvas(), tk::Rect(0, 0, 4, 4), 0);
}

// ---- StretchBitmapHalftone ------------------------------------------------------------

std::vector<int> Row(const TBitmap& bitmap, int y) {
  std::vector<int> values;
  for (int x = 0; x < bitmap.Width(); ++x) values.push_back(tk::RedOf(bitmap.Pixel(x, y)));
  return values;
}

TEST(StretchBitmapHalftoneTest, AveragesWhenShrinkingAndInterpolatesWhenEnlarging) {
  struct Case {
    const char* Name;
    std::vector<int> Source;
    int Width;
    std::vector<int> Expected;
  };
  const Case cases[] = {
      {"halving", {0, 100, 200, 40}, 2, {50, 120}}, {"two thirds", {30, 60, 90}, 2, {40, 80}},
      {"to one", {10, 20, 30, 40}, 1, {25}},        {"doubling", {0, 200}, 4, {0, 50, 150, 200}},
      {"same size", {7, 8, 9}, 3, {7, 8, 9}},       {"one pixel", {77}, 3, {77, 77, 77}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TBitmap source(static_cast<int>(c.Source.size()), 1);
    for (int x = 0; x < source.Width(); ++x) {
      const auto v = static_cast<std::uint8_t>(c.Source[x]);
      source.SetPixel(x, 0, tk::RGBColor(v, static_cast<std::uint8_t>(255 - v), 0x30));
    }
    TBitmap target(c.Width, 1);
    skin::StretchBitmapHalftone(&source, target.Canvas(), tk::Rect(0, 0, c.Width, 1));
    EXPECT_EQ(Row(target, 0), c.Expected);
    for (int x = 0; x < c.Width; ++x) {
      EXPECT_EQ(tk::GreenOf(target.Pixel(x, 0)), 255 - c.Expected[x]) << "channels apart";
      EXPECT_EQ(tk::BlueOf(target.Pixel(x, 0)), 0x30);
    }
  }
}

TEST(StretchBitmapHalftoneTest, BothAxesAndUniformColour) {
  TBitmap source(2, 2);
  source.SetPixel(0, 0, tk::RGBColor(0, 0, 0));
  source.SetPixel(1, 0, tk::RGBColor(40, 0, 0));
  source.SetPixel(0, 1, tk::RGBColor(80, 0, 0));
  source.SetPixel(1, 1, tk::RGBColor(120, 0, 0));
  TBitmap target(1, 1);
  skin::StretchBitmapHalftone(&source, target.Canvas(), tk::Rect(0, 0, 1, 1));
  EXPECT_EQ(target.Pixel(0, 0), tk::RGBColor(60, 0, 0));

  // Shrunk across, enlarged down.
  TBitmap wide(4, 1);
  for (int x = 0; x < 4; ++x)
    wide.SetPixel(x, 0, tk::RGBColor(static_cast<std::uint8_t>(x * 20), 0, 0));
  TBitmap tall(2, 3);
  skin::StretchBitmapHalftone(&wide, tall.Canvas(), tk::Rect(0, 0, 2, 3));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(Row(tall, y), (std::vector<int>{10, 50})) << y;

  const TColor colour = tk::RGBColor(12, 200, 99);
  TBitmap uniform;
  Fill(uniform, 7, 5, colour);
  TBitmap big;
  Fill(big, 40, 40, kBackground);
  skin::StretchBitmapHalftone(&uniform, big.Canvas(), tk::Rect(3, 4, 34, 37));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(big.Pixel(x, y), Inside(tk::Rect(3, 4, 34, 37), x, y) ? colour : kBackground)
          << x << "," << y;
}

// Only the part of the rectangle the canvas can show is computed; it must match the same
// part of a full-size drawing.
TEST(StretchBitmapHalftoneTest, PartlyVisibleRectangleMatchesTheWholeDrawing) {
  TBitmap source;
  FillCoded(source, 13, 9);
  const TRect whole = tk::Rect(0, 0, 57, 31);
  TBitmap full(57, 31);
  skin::StretchBitmapHalftone(&source, full.Canvas(), whole);
  TBitmap window(20, 12);
  constexpr int kLeft = -25;
  constexpr int kTop = -10;
  skin::StretchBitmapHalftone(&source, window.Canvas(),
                              tk::Rect(kLeft, kTop, kLeft + 57, kTop + 31));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(window.Pixel(x, y), full.Pixel(x - kLeft, y - kTop)) << x << "," << y;

  TBitmap untouched;
  Fill(untouched, 4, 4, kBackground);
  skin::StretchBitmapHalftone(&source, untouched.Canvas(), tk::Rect(2, 2, 2, 9));
  skin::StretchBitmapHalftone(&source, untouched.Canvas(), tk::Rect(3, 3, 1, 1));
  skin::StretchBitmapHalftone(nullptr, untouched.Canvas(), tk::Rect(0, 0, 4, 4));
  EXPECT_EQ(untouched.Pixel(2, 2), kBackground);
  EXPECT_EQ(untouched.Pixel(1, 1), kBackground);
}

// ---- Gradients, arrows, rectangles ----------------------------------------------------

TEST(GradientTest, VerticalAndHorizontalLineColours) {
  TBitmap target;
  Fill(target, 14, 14, kBackground);
  skin::DrawVerticalGradient(target.Canvas(), tk::Rect(2, 1, 12, 11), tk::clBlack, tk::clWhite);
  const std::array<int, 10> rows = {0, 0, 25, 51, 76, 102, 127, 153, 178, 255};
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 14; ++x) {
      const bool inside = Inside(tk::Rect(2, 1, 12, 11), x, y);
      const auto v = inside ? static_cast<std::uint8_t>(rows[y - 1]) : 0;
      ASSERT_EQ(target.Pixel(x, y), inside ? tk::RGBColor(v, v, v) : kBackground) << x << "," << y;
    }

  Fill(target, 14, 14, kBackground);
  skin::DrawHorizontalGradient(target.Canvas(), tk::Rect(2, 1, 12, 11), tk::clBlack, tk::clWhite);
  const std::array<int, 10> columns = {0, 25, 51, 76, 102, 127, 153, 178, 204, 255};
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 14; ++x) {
      const bool inside = Inside(tk::Rect(2, 1, 12, 11), x, y);
      const auto v = inside ? static_cast<std::uint8_t>(columns[x - 2]) : 0;
      ASSERT_EQ(target.Pixel(x, y), inside ? tk::RGBColor(v, v, v) : kBackground) << x << "," << y;
    }

  Fill(target, 14, 14, kBackground);
  skin::DrawVerticalGradient(target.Canvas(), tk::Rect(0, 3, 5, 4), tk::clBlack, tk::clWhite);
  EXPECT_EQ(target.Pixel(0, 3), tk::clWhite) << "one row: the end colour wins";
  skin::DrawVerticalGradient(target.Canvas(), tk::Rect(0, 5, 5, 5), tk::clBlack, tk::clWhite);
  EXPECT_EQ(target.Pixel(0, 5), kBackground);
}

TEST(ArrowTest, TrianglesAndTheirDisabledShadow) {
  using TArrow = void (*)(tk::TCanvas&, int, int, bool);
  struct Case {
    const char* Name;
    TArrow Draw;
    std::array<tk::TPoint, 3> Corners;
    tk::TPoint Inner;
    tk::TPoint ShadowOnly;
  };
  // Arrows at (10, 10).
  const Case cases[] = {
      {"down", skin::DrawArrowDown, {{{10, 10}, {16, 10}, {13, 13}}}, {13, 11}, {17, 11}},
      {"up", skin::DrawArrowUp, {{{10, 10}, {7, 13}, {13, 13}}}, {10, 12}, {14, 14}},
      {"left", skin::DrawArrowLeft, {{{10, 10}, {13, 13}, {13, 7}}}, {12, 10}, {14, 14}},
      {"right", skin::DrawArrowRight, {{{10, 10}, {10, 16}, {13, 13}}}, {11, 13}, {11, 17}},
  };
  constexpr TColor kGrey = 0x808080;
  TBitmap target;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    for (bool enabled : {true, false}) {
      SCOPED_TRACE(enabled ? "enabled" : "disabled");
      Fill(target, 24, 24, kBackground);
      c.Draw(target.Canvas(), 10, 10, enabled);
      const TColor colour = enabled ? tk::clBlack : kGrey;
      for (const tk::TPoint& p : c.Corners) EXPECT_EQ(target.Pixel(p.X, p.Y), colour);
      EXPECT_EQ(target.Pixel(c.Inner.X, c.Inner.Y), colour);
      EXPECT_EQ(target.Pixel(c.ShadowOnly.X, c.ShadowOnly.Y), enabled ? kBackground : tk::clWhite);
      EXPECT_EQ(target.Pixel(3, 3), kBackground);
      EXPECT_EQ(target.Pixel(20, 20), kBackground);
    }
  }
}

TEST(RectColorTest, FrameAndFillInTheGivenColourWhateverTheBrushWas) {
  TBitmap target;
  Fill(target, 8, 8, kBackground);
  tk::TCanvas& canvas = target.Canvas();
  canvas.Brush().Style = tk::bsClear;
  skin::FillRectColor(canvas, tk::Rect(1, 1, 4, 4), static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(target.Pixel(3, 3), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(target.Pixel(4, 4), kBackground);
  skin::FrameRectColor(canvas, tk::Rect(4, 4, 8, 8), 0x0000FF);
  EXPECT_EQ(target.Pixel(4, 4), 0x0000FF);
  EXPECT_EQ(target.Pixel(7, 7), 0x0000FF);
  EXPECT_EQ(target.Pixel(5, 5), kBackground);
}

// ---- Text -----------------------------------------------------------------------------

TEST(EllipsisTextTest, ShortestPrefixReachingTheWidth) {
  TBitmap bitmap(4, 4);
  tk::TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-40);  // wide letters beat the ellipsis by a few pixels
  const auto width = [&canvas](const std::string& s) { return canvas.TextWidth(s); };
  ASSERT_LT(width("Ca..."), width("Can..."));
  ASSERT_LT(width("aWW..."), width("aWWW") - 1) << "font too unlike the one the cases assume";
  struct Case {
    std::string Text;
    int MaxWidth;
    std::string Expected;
  };
  const Case cases[] = {
      {"Cancel", width("Cancel"), "Cancel"},
      {"Cancel", width("Can..."), "Can..."},
      {"Cancel", width("C...") - 1, "C..."},
      {"Cancel", 0, "C..."},
      {"X", 0, "X"},
      {"", -5, ""},
      {"aWWW", width("aWWW") - 1, "aWWW"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(skin::EllipsisText(canvas, c.Text, c.MaxWidth), c.Expected)
        << c.Text << " in " << c.MaxWidth;
    std::wstring wide(c.Text.begin(), c.Text.end());
    std::wstring expected(c.Expected.begin(), c.Expected.end());
    EXPECT_EQ(skin::EllipsisTextW(canvas, wide, c.MaxWidth), expected)
        << c.Text << " in " << c.MaxWidth << " (UTF-16)";
  }
}

TEST(EllipsisTextTest, WideTextKeepsSurrogatePairsWhole) {
  TBitmap bitmap(4, 4);
  tk::TCanvas& canvas = bitmap.Canvas();
  const std::wstring text = L"\U0001F600WWWW";
  SIZE size{};
  GetTextExtentPoint32W(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &size);
  EXPECT_EQ(skin::WideTextWidth(canvas, text), size.cx);
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(skin::EllipsisTextW(canvas, text, 1), L"\U0001F600...");
}

TEST(SystemFontTest, CaptionAndMenuFontsComeFromTheSystem) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  tk::TFont caption;
  caption.SetColor(0x123456);
  skin::SetCaptionFont(caption);
  EXPECT_EQ(caption.Name(), metrics.lfCaptionFont.lfFaceName);
  EXPECT_EQ(caption.Height(), metrics.lfCaptionFont.lfHeight);
  EXPECT_EQ(caption.Color(), 0x123456);

  tk::TFont menu;
  skin::SetMenuFont(menu);
  EXPECT_EQ(menu.Name(), metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(menu.Height(), metrics.lfMenuFont.lfHeight);
  EXPECT_EQ(menu.Color(), static_cast<TColor>(0xFF000007));
  LOGFONTA made{};
  ASSERT_EQ(GetObjectA(menu.Handle(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfWeight, metrics.lfMenuFont.lfWeight);
}

// ---- Windows --------------------------------------------------------------------------

// A shown pop-up window without a frame, destroyed with the object.
// A shown, topmost popup at (20, 20) whose pixels the tests read back.
class TShownWindow : public testing_support::TTestWindow {
 public:
  TShownWindow(int width, int height)
      : TTestWindow(L"STATIC", L"", WS_POPUP | WS_VISIBLE, nullptr, width, height, WS_EX_TOPMOST,
                    20, 20) {
    UpdateWindow(Handle());
  }
};

struct TProbe {
  int X;
  int Y;
  bool In;
};

void ExpectRegion(HWND window, const std::vector<TProbe>& probes) {
  const tk::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  for (const TProbe& p : probes)
    EXPECT_EQ(PtInRegion(region.Get(), p.X, p.Y) != 0, p.In) << p.X << "," << p.Y;
}

TEST(CreateFrameRegionTest, WindowTakesTheShapeOfTheFrameBitmaps) {
  const TShownWindow window(50, 30);
  ASSERT_NE(window.Handle(), nullptr);
  TBitmap top;
  Fill(top, 40, 6, tk::clBlack);
  top.SetPixel(0, 0, kKey);
  top.SetPixel(1, 0, kKey);
  top.SetPixel(0, 1, kKey);
  top.SetPixel(39, 0, kKey);
  for (int x = 0; x < 39; ++x) top.SetPixel(x, 2, kKey);  // only the last column is opaque
  TBitmap bottom;
  Fill(bottom, 40, 3, tk::clBlack);
  bottom.SetPixel(0, 2, kKey);

  skin::CreateFrameRegion(window.Handle(), &top, &bottom, true, true, -1, -1, -1, -1, kKey, 30, 50);
  ExpectRegion(window.Handle(), {{0, 0, false},
                                 {1, 0, false},
                                 {2, 0, true},
                                 {0, 1, false},
                                 {1, 1, true},
                                 {39, 0, false},
                                 {38, 0, true},
                                 {45, 0, false},
                                 {38, 2, false},
                                 {39, 2, true},
                                 {45, 10, true},
                                 {0, 10, true},
                                 {49, 26, true},
                                 {0, 29, false},
                                 {1, 29, true},
                                 {45, 28, false}});

  // Rows 0..1 of the title scanned, the rows below it opaque across the window.
  skin::CreateFrameRegion(window.Handle(), &top, &bottom, true, false, 0, 1, -1, -1, kKey, 30, 50);
  ExpectRegion(window.Handle(), {{0, 0, false},
                                 {45, 0, false},
                                 {0, 2, true},
                                 {45, 2, true},
                                 {45, 5, true},
                                 {0, 29, true},
                                 {49, 29, true}});

  // A band starting below row 0: the rows above it are opaque.
  skin::CreateFrameRegion(window.Handle(), &top, nullptr, true, false, 1, 2, -1, -1, kKey, 30, 50);
  ExpectRegion(window.Handle(), {{0, 0, true},
                                 {45, 0, true},
                                 {0, 1, false},
                                 {0, 2, false},
                                 {39, 2, true},
                                 {45, 2, false},
                                 {45, 3, true}});
}

// Reads a window's pixels through its window DC into a bitmap.
void ReadWindowPixels(HWND window, TBitmap& pixels) {
  const int width = pixels.Width();
  const int height = pixels.Height();
  const tk::TWindowDC dc(window);
  BitBlt(pixels.Canvas().Handle(), 0, 0, width, height, dc.Get(), 0, 0, SRCCOPY);
  GdiFlush();
}

TEST(DrawWindowFrameTest, OneOrTwoPixelFrameOverTheWholeWindow) {
  const TShownWindow window(30, 20);
  ASSERT_NE(window.Handle(), nullptr);
  for (bool inner : {false, true}) {
    SCOPED_TRACE(inner ? "two frames" : "one frame");
    {
      const tk::TWindowDC dc(window.Handle());
      const RECT all{0, 0, 30, 20};
      const tk::TBrushHandle brush(CreateSolidBrush(kBackground));
      FillRect(dc.Get(), &all, brush.Get());
    }
    skin::DrawWindowFrame(window.Handle(), 0x0000FF, 0x00FF00, inner);
    TBitmap pixels(30, 20);
    ReadWindowPixels(window.Handle(), pixels);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) {
        TColor expected = kBackground;
        if (!Inside(tk::Rect(1, 1, 29, 19), x, y))
          expected = 0x0000FF;
        else if (inner && !Inside(tk::Rect(2, 2, 28, 18), x, y))
          expected = 0x00FF00;
        ASSERT_EQ(pixels.Pixel(x, y), expected) << x << "," << y;
      }
  }
}

// ---- Resources ------------------------------------------------------------------------

// Every primitive, and the toolkit objects they use, many times over: the number of live GDI
// objects must come back to where it was.
TEST(GdiLeakTest, DrawingLeavesNoObjectsBehind) {
  const TShownWindow window(60, 40);
  TBitmap skin;
  FillCoded(skin, 63, 25);
  TBitmap title;
  Fill(title, 60, 6, tk::clBlack);
  title.SetPixel(0, 0, kKey);
  const auto round = [&] {
    TBitmap target;
    Fill(target, 120, 40, kBackground);
    tk::TCanvas& canvas = target.Canvas();
    skin::DrawSectionedBitmap(&skin, canvas, tk::Rect(0, 0, 100, 30), kKey, true);
    skin::DrawHorzThreePart(&skin, canvas, tk::Rect(0, 0, 90, 25), kKey, true);
    skin::DrawVertThreePart(&skin, canvas, tk::Rect(0, 0, 40, 40), 0);
    skin::DrawHorzThreePartCaps(&skin, canvas, tk::Rect(0, 0, 100, 25), 5);
    skin::StretchBitmapHalftone(&skin, canvas, tk::Rect(0, 0, 30, 10));
    skin::DrawVerticalGradient(canvas, tk::Rect(0, 0, 10, 10), 0x123456, 0x654321);
    skin::DrawHorizontalGradient(canvas, tk::Rect(0, 0, 10, 10), 0x123456, 0x654321);
    skin::DrawArrowDown(canvas, 5, 5, false);
    skin::FrameRectColor(canvas, tk::Rect(0, 0, 5, 5), 0xFF);
    skin::FillRectColor(canvas, tk::Rect(0, 0, 5, 5), 0xFF00);
    canvas.Font().SetHeight(-15);
    skin::EllipsisText(canvas, "Cancel", 10);
    skin::EllipsisTextW(canvas, L"Cancel", 10);
    skin::SetCaptionFont(canvas.Font());
    canvas.TextOutAt(0, 0, "x");
    skin::SetMenuFont(canvas.Font());
    canvas.TextOutAt(0, 0, "x");
    target.SetSize(30, 30);
    canvas.TextOutAt(0, 0, "y");
    skin::CreateFrameRegion(window.Handle(), &title, &title, true, true, -1, -1, -1, -1, kKey, 40,
                            60);
    skin::DrawWindowFrame(window.Handle(), 0xFF, 0xFF00, true);
  };
  round();
  const int before = GdiObjectCount();
  ASSERT_GT(before, 0);
  constexpr int kRounds = 100;
  for (int i = 0; i < kRounds; ++i) round();
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
