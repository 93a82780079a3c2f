#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "skin/utils/ZUBSkinUtils.h"
#include "tests/host/UtilsTestSupport.h"

namespace {

using namespace skin;
using tk::TBitmap;
using tk::TColor;
using tk::TRect;
using utils_test::Coordinates;
using utils_test::Filled;
using utils_test::Image;
using utils_test::kMagenta;
using utils_test::Picture;

TColor Grey(int v) {
  return tk::RGBColor(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v),
                      static_cast<std::uint8_t>(v));
}

// ---- ExtractFrame ----

struct FrameCase {
  int stripWidth, stripHeight, count, index;
  int frameWidth, firstColumn;
};

TEST(ExtractFrame, CopiesTheIndexedFrameOneToOne) {
  const FrameCase cases[] = {
      {252, 25, 6, 1, 42, 0}, {252, 25, 6, 6, 42, 210}, {252, 25, 5, 5, 50, 200},
      {54, 18, 3, 2, 18, 18}, {80, 20, 4, 3, 20, 40},   {7, 3, 2, 2, 3, 3},
      {5, 4, 1, 1, 5, 0},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.stripWidth << "/" << c.count << " #" << c.index);
    const Image strip = Coordinates(c.stripWidth, c.stripHeight, 9);
    Image dest(3, 3);
    ExtractFrame(&strip, &dest, c.count, c.index);
    ASSERT_EQ(dest.Width(), c.frameWidth);
    ASSERT_EQ(dest.Height(), c.stripHeight);
    for (int y = 0; y < dest.Height(); ++y)
      for (int x = 0; x < dest.Width(); ++x)
        ASSERT_EQ(dest.Pixel(x, y), strip.Pixel(c.firstColumn + x, y)) << x << "," << y;
  }
}

TEST(ExtractFrame, NilStripOrNoFramesLeaveTheDestinationAlone) {
  const Image strip = Coordinates(12, 4);
  Image dest = Filled(2, 2, 0x123456);
  ExtractFrame(nullptr, &dest, 3, 1);
  ExtractFrame(&strip, &dest, 0, 1);
  ExtractFrame(&strip, &dest, -2, 1);
  EXPECT_EQ(dest.Width(), 2);
  EXPECT_EQ(dest.Pixel(1, 1), 0x123456);
}

TEST(ExtractFrame, FramesOutsideTheStripComeOutBlackWithoutReadingPastIt) {
  const Image strip = Filled(12, 4, 0x445566);
  for (int index : {0, -1, 4, 1000000, 2147483647}) {
    Image dest = Filled(2, 2, 0x123456);
    ExtractFrame(&strip, &dest, 3, index);
    ASSERT_EQ(dest.Width(), 4) << index;
    ASSERT_EQ(dest.Height(), 4) << index;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) ASSERT_EQ(dest.Pixel(x, y), 0) << index;
  }
}

TEST(ExtractFrame, WorksInPlaceAndKeepsTheDestinationsSettings) {
  Image strip = Coordinates(9, 2);
  strip.SetPixelFormat(tk::pf24bit);
  strip.SetTransparentColor(kMagenta);
  ExtractFrame(&strip, &strip, 3, 3);
  EXPECT_EQ(strip.Width(), 3);
  EXPECT_EQ(strip.Pixel(0, 1), tk::RGBColor(6, 1, 0));
  EXPECT_EQ(strip.PixelFormat(), tk::pf24bit);
  EXPECT_EQ(strip.TransparentColor(), kMagenta);
}

// ---- Rotations ----

struct RotationCase {
  const char* name;
  std::function<void(TBitmap*)> rotate;
  bool swapsSize;
  // Where source pixel (x, y) of a w x h bitmap lands.
  std::function<tk::TPoint(int x, int y, int w, int h)> target;
};

TEST(Rotations, MovePixelsToTheirDocumentedPlaces) {
  const RotationCase cases[] = {
      {"90ccw", RotateBitmap90CCW, true,
       [](int x, int y, int w, int) {
         return tk::TPoint{y, w - 1 - x};
       }},
      {"180", RotateBitmap180, false,
       [](int x, int y, int w, int h) {
         return tk::TPoint{w - 1 - x, h - 1 - y};
       }},
      {"90cw", RotateBitmap90CW, true,
       [](int x, int y, int, int h) {
         return tk::TPoint{h - 1 - y, x};
       }},
  };
  for (const RotationCase& c : cases) {
    for (auto [w, h] : {std::pair{3, 2}, std::pair{1, 5}, std::pair{7, 7}, std::pair{31, 4}}) {
      SCOPED_TRACE(testing::Message() << c.name << " " << w << "x" << h);
      const Image source = Coordinates(w, h, 1);
      Image bitmap = Coordinates(w, h, 1);
      bitmap.SetPixelFormat(tk::pf24bit);
      bitmap.SetTransparentColor(kMagenta);
      c.rotate(&bitmap);
      ASSERT_EQ(bitmap.Width(), c.swapsSize ? h : w);
      ASSERT_EQ(bitmap.Height(), c.swapsSize ? w : h);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const tk::TPoint to = c.target(x, y, w, h);
          ASSERT_EQ(bitmap.Pixel(to.X, to.Y), source.Pixel(x, y)) << x << "," << y;
        }
      EXPECT_EQ(bitmap.PixelFormat(), tk::pf24bit);
      EXPECT_EQ(bitmap.TransparentColor(), kMagenta);
    }
  }
}

TEST(Rotations, QuarterTurnAnticlockwisePutsTheTopRightPixelTopLeft) {
  Image bitmap = Coordinates(3, 2);
  RotateBitmap90CCW(&bitmap);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.Pixel(0, 0), tk::RGBColor(2, 0, 0));
}

TEST(Rotations, NilAndEmptyBitmapsAreSafe) {
  RotateBitmap90CCW(nullptr);
  RotateBitmap180(nullptr);
  RotateBitmap90CW(nullptr);
  Image empty(0, 5);
  RotateBitmap90CW(&empty);
  EXPECT_EQ(empty.Width(), 5);
  EXPECT_EQ(empty.Height(), 0);
}

// ---- ReplaceBitmapColor ----

TEST(ReplaceBitmapColor, ReplacesExactMatchesOnlyAndMakesTheBitmap24Bit) {
  Image bitmap = Picture({".A.", "B.."});
  bitmap.SetPixel(2, 0, kMagenta + 1);
  bitmap.SetPixelFormat(tk::pf32bit);
  ReplaceBitmapColor(&bitmap, kMagenta, 0x00E8E8E8);
  EXPECT_EQ(bitmap.PixelFormat(), tk::pf24bit);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xE8E8E8);
  EXPECT_EQ(bitmap.Pixel(1, 0), Grey('A'));
  EXPECT_EQ(bitmap.Pixel(2, 0), kMagenta + 1);
  EXPECT_EQ(bitmap.Pixel(0, 1), Grey('B'));
  EXPECT_EQ(bitmap.Pixel(1, 1), 0xE8E8E8);
  EXPECT_EQ(bitmap.Pixel(2, 1), 0xE8E8E8);
  ReplaceBitmapColor(nullptr, kMagenta, 0);
}

TEST(ReplaceBitmapColor, ResolvesASystemNewColourAndNeverMatchesAMarkedOldOne) {
  Image bitmap = Filled(2, 1, 0);
  bitmap.SetPixel(1, 0, 0x000005);
  // A missing colour (-1) must not be taken for black, nor for system colour 0xFF.
  ReplaceBitmapColor(&bitmap, -1, 0x123456);
  ReplaceBitmapColor(&bitmap, static_cast<TColor>(0xFF000005), 0x123456);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0);
  EXPECT_EQ(bitmap.Pixel(1, 0), 0x000005);
  ReplaceBitmapColor(&bitmap, 0, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(bitmap.Pixel(0, 0), ColorToRGB(static_cast<TColor>(0xFF00000F)));
}

TEST(ConvertTo24Bit, DropsTheAlphaByte) {
  Image bitmap(1, 1);
  bitmap.ScanLine(0)[0] = 0x80FF0000;
  ConvertTo24Bit(bitmap);
  EXPECT_EQ(bitmap.ScanLine(0)[0], 0x00FF0000u);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0x0000FF);
}

// ---- Colours ----

TEST(Colors, ArithmeticAndSystemColours) {
  EXPECT_EQ(MakeRGB(0x01, 0x02, 0x03), 0x030201);
  std::uint8_t r = 0, g = 0, b = 0;
  SplitColor(0x00C0FFEE, r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0xEE, 0xFF, 0xC0}));
  SplitColor(static_cast<TColor>(0xFF000003), r, g, b);  // inactive caption
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0x80, 0x80, 0x80}));
  EXPECT_EQ(InvertColor(0x102030), 0xEFDFCF);
  EXPECT_EQ(InvertColor(static_cast<TColor>(0xFF000005)), 0);  // white window colour
  EXPECT_EQ(ColorToRGB(0x00123456), 0x123456);
  EXPECT_EQ(ColorToRGB(tk::clNone), tk::clNone);
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF00000F)), 0xC8D0D4);  // button face
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF000007)), 0);         // menu text
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF0000F0)), 0);         // no such colour
}

// ---- Gradients ----

struct GradientCase {
  const char* name;
  TColor (*color)(TColor, TColor, int, int);
  TColor start, end;
  std::vector<TColor> lines;
};

TEST(Gradients, LineColoursTruncateTowardZero) {
  const std::vector<GradientCase> cases = {
      {"vertical black to white",
       VerticalGradientColor,
       0x000000,
       0xFFFFFF,
       {Grey(0), Grey(0), Grey(25), Grey(51), Grey(76), Grey(102), Grey(127), Grey(153), Grey(178),
        Grey(255)}},
      {"horizontal black to white",
       HorizontalGradientColor,
       0x000000,
       0xFFFFFF,
       {Grey(0), Grey(25), Grey(51), Grey(76), Grey(102), Grey(127), Grey(153), Grey(178),
        Grey(204), Grey(255)}},
      // -255 / 4 * k: -63.75 -> -63, -127.5 -> -127 (toward zero, not down).
      {"vertical white to black",
       VerticalGradientColor,
       0xFFFFFF,
       0x000000,
       {Grey(255), Grey(255), Grey(192), Grey(0)}},
      {"horizontal white to black",
       HorizontalGradientColor,
       0xFFFFFF,
       0x000000,
       {Grey(255), Grey(192), Grey(128), Grey(0)}},
      {"channels apart",
       HorizontalGradientColor,
       0x0000FF,
       0xFF0000,
       {0x0000FF, 0x5500AA, 0xFF0000}},
      {"one line", VerticalGradientColor, 0x111111, 0x222222, {0x222222}},
      {"two lines", HorizontalGradientColor, 0x111111, 0x222222, {0x111111, 0x222222}},
      {"system colours",
       VerticalGradientColor,
       static_cast<TColor>(0xFF000005),
       static_cast<TColor>(0xFF000007),
       {0xFFFFFF, 0}},
  };
  for (const GradientCase& c : cases) {
    const int n = static_cast<int>(c.lines.size());
    for (int i = 0; i < n; ++i)
      EXPECT_EQ(c.color(c.start, c.end, i, n), c.lines[i]) << c.name << " line " << i;
  }
}

// ---- Frame region ----

struct RegionArgs {
  const TBitmap* top = nullptr;
  const TBitmap* bottom = nullptr;
  bool useTop = true;
  bool useBottom = false;
  int topFirst = -1, topLast = -1, bottomFirst = -1, bottomLast = -1;
  TColor trans = kMagenta;
  int height = 0, width = 0;
};

std::vector<TRect> Merged(const RegionArgs& a) {
  return FrameRegionRects(a.top, a.bottom, a.useTop, a.useBottom, a.topFirst, a.topLast,
                          a.bottomFirst, a.bottomLast, a.trans, a.height, a.width);
}

// The shape built the plain way: one rectangle per opaque run of every scanned row.
std::vector<TRect> RowByRow(const RegionArgs& a) {
  std::vector<TRect> rects;
  auto add = [&](int l, int t, int r, int b) { rects.push_back(TRect{l, t, r, b}); };
  auto band = [&](const TBitmap& bitmap, int first, int last, int y0) {
    const int from = first == -1 ? 0 : first;
    const int to = first < last ? last + 1 : bitmap.Height();
    if (first >= 1) add(0, y0, a.width, y0 + first);
    for (int y = from; y < to; ++y)
      for (int x = 0; x < bitmap.Width();) {
        if (bitmap.Pixel(x, y) == a.trans) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < bitmap.Width() && bitmap.Pixel(x, y) != a.trans) ++x;
        add(start, y0 + y, x, y0 + y + 1);
      }
    if (bitmap.Height() > to) add(0, y0 + to, a.width, y0 + bitmap.Height());
  };
  const bool top = a.useTop && a.top != nullptr;
  const bool bottom = a.useBottom && a.bottom != nullptr;
  const int topHeight = top ? a.top->Height() : 0;
  const int bottomHeight = bottom ? a.bottom->Height() : 0;
  if (top) band(*a.top, a.topFirst, a.topLast, 0);
  add(0, topHeight, a.width, a.height - bottomHeight);
  if (bottom) band(*a.bottom, a.bottomFirst, a.bottomLast, a.height - bottomHeight);
  return rects;
}

// Which pixels of a box around everything the rectangles cover.
std::vector<bool> Coverage(const std::vector<TRect>& rects, const TRect& box) {
  std::vector<bool> covered(static_cast<std::size_t>(box.Width() * box.Height()));
  for (const TRect& r : rects)
    for (int y = std::max(r.Top, box.Top); y < std::min(r.Bottom, box.Bottom); ++y)
      for (int x = std::max(r.Left, box.Left); x < std::min(r.Right, box.Right); ++x)
        covered[static_cast<std::size_t>((y - box.Top) * box.Width() + x - box.Left)] = true;
  return covered;
}

void ExpectSameShape(const RegionArgs& args) {
  const std::vector<TRect> merged = Merged(args);
  const std::vector<TRect> plain = RowByRow(args);
  TRect box{-8, -8, args.width + 8, args.height + 8};
  for (const TRect& r : merged) {
    ASSERT_LT(r.Left, r.Right);
    ASSERT_LT(r.Top, r.Bottom);
    box = TRect{std::min(box.Left, r.Left), std::min(box.Top, r.Top), std::max(box.Right, r.Right),
                std::max(box.Bottom, r.Bottom)};
  }
  EXPECT_EQ(Coverage(merged, box), Coverage(plain, box));
  EXPECT_LE(merged.size(), plain.size());
}

Image RoundedTitle(int width, int height) {
  Image title = Filled(width, height, 0x804020);
  const int corner[] = {5, 3, 2, 1, 1};
  for (int y = 0; y < 5 && y < height; ++y)
    for (int x = 0; x < corner[y]; ++x) {
      title.SetPixel(x, y, kMagenta);
      title.SetPixel(width - 1 - x, y, kMagenta);
    }
  return title;
}

Image Noise(int width, int height, unsigned seed, int percentTransparent) {
  std::mt19937 random(seed);
  Image bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetPixel(x, y,
                      static_cast<int>(random() % 100) < percentTransparent ? kMagenta : 0x102030);
  return bitmap;
}

TEST(FrameRegion, MergedRectanglesCoverExactlyTheRowByRowShape) {
  const Image rounded = RoundedTitle(40, 31);
  const Image noise = Noise(23, 12, 7, 40);
  const Image sparse = Noise(17, 9, 11, 85);
  const Image bottomNoise = Noise(30, 5, 3, 30);
  const Image bottomRounded = RoundedTitle(30, 6);
  std::vector<std::pair<const char*, RegionArgs>> cases;
  auto add = [&](const char* name, RegionArgs args) { cases.emplace_back(name, args); };
  add("whole title", {&rounded, nullptr, true, false, -1, -1, -1, -1, kMagenta, 60, 40});
  add("rows 0 to 5", {&rounded, nullptr, true, false, 0, 5, -1, -1, kMagenta, 60, 40});
  add("rows 2 to 4", {&rounded, nullptr, true, false, 2, 4, -1, -1, kMagenta, 60, 40});
  add("first after last", {&rounded, nullptr, true, false, 5, 2, -1, -1, kMagenta, 60, 40});
  add("-1 to 3", {&rounded, nullptr, true, false, -1, 3, -1, -1, kMagenta, 60, 40});
  add("window wider", {&noise, nullptr, true, false, -1, -1, -1, -1, kMagenta, 30, 35});
  add("window narrower", {&noise, nullptr, true, false, 1, 7, -1, -1, kMagenta, 30, 10});
  add("sparse", {&sparse, nullptr, true, false, -1, -1, -1, -1, kMagenta, 20, 17});
  add("rows past the bitmap", {&noise, nullptr, true, false, 0, 20, -1, -1, kMagenta, 40, 23});
  add("rows past a short window", {&noise, nullptr, true, false, 0, 20, -1, -1, kMagenta, 15, 10});
  add("rows above the bitmap", {&noise, nullptr, true, false, -4, 3, -1, -1, kMagenta, 40, 23});
  add("first past the bitmap", {&noise, nullptr, true, false, 15, 2, -1, -1, kMagenta, 40, 23});
  add("both bands", {&rounded, &bottomNoise, true, true, 0, 5, -1, -1, kMagenta, 70, 40});
  add("bottom rows", {&rounded, &bottomRounded, true, true, -1, -1, 1, 3, kMagenta, 70, 30});
  add("bottom only", {nullptr, &bottomRounded, false, true, -1, -1, -1, -1, kMagenta, 20, 30});
  add("window shorter than bands",
      {&rounded, &bottomNoise, true, true, -1, -1, -1, -1, kMagenta, 33, 40});
  add("key matches nothing", {&noise, nullptr, true, false, -1, -1, -1, -1, -1, 30, 23});
  for (const auto& [name, args] : cases) {
    SCOPED_TRACE(name);
    ExpectSameShape(args);
  }
}

TEST(FrameRegion, RepeatedRunsBecomeTallRectangles) {
  const Image title = Picture({
      "..##..",
      ".####.",
      "######",
      "######",
      "##..##",
      "##..##",
      "######",
  });
  std::vector<TRect> rects =
      Merged({&title, nullptr, true, false, -1, -1, -1, -1, kMagenta, 10, 6});
  auto byPlace = [](const TRect& a, const TRect& b) {
    return std::tie(a.Top, a.Left) < std::tie(b.Top, b.Left);
  };
  std::sort(rects.begin(), rects.end(), byPlace);
  // Row 6 is as wide as the window, so the middle continues it.
  EXPECT_EQ(
      rects,
      (std::vector<TRect>{
          {2, 0, 4, 1}, {1, 1, 5, 2}, {0, 2, 6, 4}, {0, 4, 2, 6}, {4, 4, 6, 6}, {0, 6, 6, 10}}));
}

TEST(FrameRegion, DocumentedRowsAndEdges) {
  const Image title = RoundedTitle(40, 31);
  // Rows 0 to 5 scanned, rows 6 up to the bitmap's height opaque across the window ...
  std::vector<TRect> rects = Merged({&title, nullptr, true, false, 0, 5, -1, -1, kMagenta, 50, 60});
  // ... which continue into the middle.
  EXPECT_NE(std::find(rects.begin(), rects.end(), TRect{0, 6, 60, 50}), rects.end());
  EXPECT_NE(std::find(rects.begin(), rects.end(), TRect{5, 0, 35, 1}), rects.end());
  // Columns past the bitmap in scanned rows are outside; row 5 is scanned and full.
  EXPECT_NE(std::find(rects.begin(), rects.end(), TRect{0, 5, 40, 6}), rects.end());

  // Rows above a first row of 3 are opaque across the window.
  rects = Merged({&title, nullptr, true, false, 3, 4, -1, -1, kMagenta, 50, 60});
  EXPECT_NE(std::find(rects.begin(), rects.end(), TRect{0, 0, 60, 3}), rects.end());

  // A scanned row whose only opaque pixel is the last column adds just that pixel.
  const Image lastColumn = Picture({"....#"});
  rects = Merged({&lastColumn, nullptr, true, false, -1, -1, -1, -1, kMagenta, 1, 5});
  EXPECT_EQ(rects, (std::vector<TRect>{{4, 0, 5, 1}}));
}

TEST(FrameRegion, NoTitleOrANilBitmapLeavesTheMiddleOnly) {
  const Image title = RoundedTitle(10, 4);
  EXPECT_EQ(Merged({&title, nullptr, false, false, -1, -1, -1, -1, kMagenta, 20, 10}),
            (std::vector<TRect>{{0, 0, 10, 20}}));
  EXPECT_EQ(Merged({nullptr, nullptr, true, true, -1, -1, -1, -1, kMagenta, 20, 10}),
            (std::vector<TRect>{{0, 0, 10, 20}}));
}

TEST(FrameRegion, HugeRowRangesStayBoundedAndExact) {
  const Image title = Picture({"..##", "####"});
  const std::vector<TRect> rects =
      Merged({&title, nullptr, true, false, 0, 2147483647, -1, -1, kMagenta, 10, 4});
  // Rows past the bitmap (to the end of the range) come out as one rectangle.
  ASSERT_LE(rects.size(), 4u);
  EXPECT_NE(std::find(rects.begin(), rects.end(), TRect{0, 1, 4, 2147483647}), rects.end());
}

TEST(FrameRegion, UniformWideTitleMergesToAFewRectangles) {
  const Image title = RoundedTitle(1920, 31);
  const std::vector<TRect> rects =
      Merged({&title, nullptr, true, false, -1, -1, -1, -1, kMagenta, 800, 1920});
  // Five corner rows, the rest of the title, the middle.
  EXPECT_LE(rects.size(), 7u);
}

}  // namespace
