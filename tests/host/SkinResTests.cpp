#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/Skin2Define.h"
#include "skin/utils/ZUBSkinUtils.h"
#include "tests/host/UtilsTestSupport.h"

namespace {

using namespace skin;
using tk::TBitmap;
using tk::TColor;
using utils_test::Bitmap;
using utils_test::Coordinates;
using utils_test::Filled;
using utils_test::Image;
using utils_test::kMagenta;

constexpr TColor kBarColor = 0x00F9F9F9;

struct SkinParts {
  TColor barColor = kBarColor;
  std::optional<Image> up, down, bar;
};

// Arrow strips whose pixels tell their origin: RGB(x, y, 1) for the up strip and RGB(x, y, 2)
// for the down strip, with one magenta pixel in the first frame of each.
Image Strip(std::uint8_t tag) {
  Image strip = Coordinates(54, 18, tag);
  strip.SetPixel(2, 3, kMagenta);
  return strip;
}

class SkinResTest : public testing::Test {
 protected:
  TzubSkinReader& Load(const SkinParts& parts) {
    std::vector<zsk::SkinElement> elements = {
        zsk::IntegerElement("SKIN2_TRANSCOLOR", kMagenta),
        zsk::IntegerElement("SKIN2_SCROLLBARCOLOR", parts.barColor)};
    if (parts.up) elements.push_back(Bitmap("SKIN2_SCROLLBARUPBUTTON", *parts.up));
    if (parts.down) elements.push_back(Bitmap("SKIN2_SCROLLBARDOWNBUTTON", *parts.down));
    if (parts.bar) elements.push_back(Bitmap("SKIN2_SCROLLBAR", *parts.bar));
    reader_.OpenSkin(packages_.Write(elements), "");
    return reader_;
  }
  void Rebuild(const SkinParts& parts) { scroll_.SetReader(&Load(parts)); }

  utils_test::PackageFiles packages_;
  TzubSkinReader reader_;
  TzubSkinScrollBtnRes scroll_;
};

void ExpectRowsOf(const TBitmap& part, const TBitmap& bar, int width, int rows, int firstRow) {
  ASSERT_EQ(part.Width(), width);
  ASSERT_EQ(part.Height(), rows);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(part.Pixel(x, y), bar.Pixel(x, firstRow + y)) << x << "," << y;
}

struct ThumbCase {
  int barHeight;
  // Height and first bar row of parts 2-4; a first row of -1 means a blank part.
  int bodyRows, upperFirst, gripRows, gripFirst, lowerFirst;
};

TEST_F(SkinResTest, VerticalThumbTakesItsDocumentedRows) {
  const ThumbCase cases[] = {
      {63, 19, 4, 19, 23, 41},  // the built-in bar
      {9, 1, 4, 1, 5, 5},       // grip's last row is the lower body's first
      {12, 2, 4, 2, 6, 7},     {13, 2, 4, 3, 6, 8},   {14, 2, 4, 4, 6, 9},
      {33, 9, 4, 9, 13, 21},   {8, 1, -1, 1, -1, -1},  // body 0: blank one-row parts
      {6, 1, -1, 1, -1, -1},   {3, 1, -1, 1, -1, -1},
  };
  for (const ThumbCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "bar height " << c.barHeight);
    const Image bar = Coordinates(5, c.barHeight, 0x40);
    Rebuild({kBarColor, Strip(1), Strip(2), bar});
    ExpectRowsOf(*scroll_.GetVertThumb(1), bar, 5, 3, 0);
    ExpectRowsOf(*scroll_.GetVertThumb(5), bar, 5, 3, c.barHeight - 3);
    const int bodyParts[] = {2, 3, 4};
    const int rows[] = {c.bodyRows, c.gripRows, c.bodyRows};
    const int firsts[] = {c.upperFirst, c.gripFirst, c.lowerFirst};
    for (int i = 0; i < 3; ++i) {
      const TBitmap& part = *scroll_.GetVertThumb(bodyParts[i]);
      if (firsts[i] >= 0) {
        ExpectRowsOf(part, bar, 5, rows[i], firsts[i]);
      } else {
        ASSERT_EQ(part.Width(), 5);
        ASSERT_EQ(part.Height(), 1);
        for (int x = 0; x < 5; ++x) EXPECT_EQ(part.Pixel(x, 0), 0) << "blank part " << i;
      }
    }
    EXPECT_EQ(scroll_.BarThickness, 5);
  }
}

TEST_F(SkinResTest, ShortBarCapsKeepRowsTheBarDoesNotHaveBlank) {
  const Image bar = Coordinates(4, 2, 0x40);
  Rebuild({kBarColor, Strip(1), Strip(2), bar});
  const TBitmap& bottom = *scroll_.GetVertThumb(5);
  ASSERT_EQ(bottom.Height(), 3);
  EXPECT_EQ(bottom.Pixel(1, 0), 0);  // bar row -1
  EXPECT_EQ(bottom.Pixel(1, 1), bar.Pixel(1, 0));
  EXPECT_EQ(scroll_.GetVertThumb(1)->Pixel(1, 2), 0);  // bar row 2
}

Image Turned(const TBitmap& source, void (*turn)(TBitmap*)) {
  Image copy;
  copy.Assign(source);
  turn(&copy);
  return copy;
}

void ExpectSamePixels(const TBitmap* actual, const TBitmap& expected) {
  ASSERT_NE(actual, nullptr);
  ASSERT_EQ(actual->Width(), expected.Width());
  ASSERT_EQ(actual->Height(), expected.Height());
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x)
      ASSERT_EQ(actual->Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
}

TEST_F(SkinResTest, ButtonsAreTheStripFramesWithTransparentPixelsInBarColour) {
  const Image up = Strip(1), down = Strip(2);
  Rebuild({kBarColor, up, down, Filled(18, 63, 0x336699)});
  for (int i = 1; i <= 6; ++i) {
    SCOPED_TRACE(i);
    const TBitmap& strip = i <= 3 ? up : down;
    Image frame(18, 18);
    ExtractFrame(&strip, &frame, 3, (i - 1) % 3 + 1);
    ReplaceBitmapColor(&frame, kMagenta, kBarColor);
    ExpectSamePixels(scroll_.GetVertButton(i), frame);
    // A uniform grip: the horizontal buttons are the vertical ones turned anticlockwise.
    ExpectSamePixels(scroll_.GetHorzButton(i), Turned(frame, RotateBitmap90CCW));
    EXPECT_EQ(scroll_.GetVertButton(i)->PixelFormat(), tk::pf24bit);
  }
  EXPECT_EQ(scroll_.GetVertButton(1)->Pixel(2, 3), kBarColor);
  EXPECT_EQ(scroll_.GetVertButton(4)->Pixel(2, 3), kBarColor);
  // The skin's own bitmaps are not touched, so the next rebuild starts from them again.
  EXPECT_EQ(reader_.GetBitmap(SKIN2_SCROLLBARUPBUTTON)->Pixel(2, 3), kMagenta);
  scroll_.Rebuild();
  EXPECT_EQ(scroll_.GetVertButton(1)->Pixel(2, 3), kBarColor);
}

struct GripCase {
  int barWidth;
  int oddColumn;  // in row 1 of the grip; -1 for none
  bool uniform;
};

TEST_F(SkinResTest, HorizontalThumbTurnsByTheUniformGripTest) {
  const GripCase cases[] = {
      {18, -1, true}, {18, 4, false}, {18, 14, false}, {18, 3, true}, {18, 15, true},
      {9, 5, false},  {9, 6, true},   {10, 6, false},  {7, 4, true},  {8, 4, true},
  };
  for (const GripCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.barWidth << " odd column " << c.oddColumn);
    Image bar = Filled(c.barWidth, 63, 0x336699);
    for (int y = 0; y < 63; ++y)
      bar.SetPixel(0, y, tk::RGBColor(0, static_cast<std::uint8_t>(y), 7));
    if (c.oddColumn >= 0) bar.SetPixel(c.oddColumn, 24, 0x010101);  // grip rows 23..41
    const Image up = Strip(1), down = Strip(2);
    Rebuild({kBarColor, up, down, bar});
    for (int i = 1; i <= 5; ++i) {
      const TBitmap& vert = *scroll_.GetVertThumb(i);
      if (c.uniform)
        ExpectSamePixels(scroll_.GetHorzThumb(i), Turned(vert, RotateBitmap90CCW));
      else
        ExpectSamePixels(scroll_.GetHorzThumb(6 - i), Turned(vert, RotateBitmap90CW));
    }
    for (int i = 1; i <= 6; ++i) {
      const TBitmap& vert = *scroll_.GetVertButton(i);
      if (c.uniform) {
        ExpectSamePixels(scroll_.GetHorzButton(i), Turned(vert, RotateBitmap90CCW));
      } else {
        // Left and right change places and turn half round.
        const int other = i <= 3 ? i + 3 : i - 3;
        ExpectSamePixels(scroll_.GetHorzButton(other),
                         Turned(Turned(vert, RotateBitmap90CCW), RotateBitmap180));
      }
    }
  }
}

TEST_F(SkinResTest, OneRowGripCountsAsUniform) {
  Image bar = Coordinates(12, 9, 0x40);  // every column differs; the grip is row 5 only
  Rebuild({kBarColor, Strip(1), Strip(2), bar});
  ExpectSamePixels(scroll_.GetHorzThumb(1), Turned(*scroll_.GetVertThumb(1), RotateBitmap90CCW));
}

struct WholeBarCase {
  TColor barColor;
  int height;
  TColor probe;
  bool whole;
};

TEST_F(SkinResTest, WholeBarSkinIsRecognisedByColourHeightAndProbePixel) {
  const WholeBarCase cases[] = {
      {0xCBCBCB, 33, 0xB23901, true},
      {0xCBCBCB, 33, 0xB23902, false},
      {0xCBCBCB, 34, 0xB23901, false},
      {0xCBCBCA, 33, 0xB23901, false},
  };
  for (const WholeBarCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.barColor << " " << c.height << " " << c.probe);
    Image bar = Coordinates(14, c.height, 0x40);
    bar.SetPixel(1, 10, c.probe);
    bar.SetPixel(5, 5, kMagenta);
    Rebuild({c.barColor, Strip(1), Strip(2), bar});
    EXPECT_EQ(scroll_.WholeBarThumb, c.whole);
    if (!c.whole) {
      EXPECT_EQ(scroll_.VertBarImage(), nullptr);
      EXPECT_EQ(scroll_.HorzBarImage(), nullptr);
      continue;
    }
    // Whole images keep the skin's transparent pixels.
    ExpectSamePixels(scroll_.VertBarImage(), bar);
    ExpectSamePixels(scroll_.HorzBarImage(), Turned(bar, RotateBitmap90CCW));
    EXPECT_EQ(scroll_.GetVertThumb(2)->Pixel(5, 1), c.barColor);  // bar row 5 is in the body
  }
}

TEST_F(SkinResTest, SkinWithoutABarKeepsButtonsAsCutAndTheOldThickness) {
  Rebuild({0xCBCBCB, Strip(1), Strip(2), [] {
             Image bar = Coordinates(16, 33, 0x40);
             bar.SetPixel(1, 10, 0xB23901);
             return bar;
           }()});
  ASSERT_TRUE(scroll_.WholeBarThumb);
  Rebuild({kBarColor, Strip(1), Strip(2), std::nullopt});
  EXPECT_EQ(scroll_.BarThickness, 16);
  // The whole-bar flag goes with its images, so no painter meets the flag without them.
  EXPECT_FALSE(scroll_.WholeBarThumb);
  EXPECT_EQ(scroll_.VertBarImage(), nullptr);
  for (int i = 1; i <= 5; ++i) {
    ASSERT_NE(scroll_.GetVertThumb(i), nullptr);
    EXPECT_TRUE(scroll_.GetVertThumb(i)->Empty());
    EXPECT_TRUE(scroll_.GetHorzThumb(i)->Empty());
  }
  // Cut, turned, but not recoloured.
  EXPECT_EQ(scroll_.GetVertButton(1)->Pixel(2, 3), kMagenta);
  EXPECT_EQ(scroll_.GetHorzButton(1)->Pixel(3, 18 - 1 - 2), kMagenta);
}

TEST_F(SkinResTest, MissingArrowStripsLeaveEmptyButtons) {
  Rebuild({kBarColor, std::nullopt, Strip(2), Filled(18, 63, 0x336699)});
  EXPECT_TRUE(scroll_.GetVertButton(1)->Empty());
  EXPECT_TRUE(scroll_.GetHorzButton(3)->Empty());
  EXPECT_EQ(scroll_.GetVertButton(4)->Width(), 18);
}

TEST_F(SkinResTest, NoReaderOrNoSkinLeavesEverythingNil) {
  TzubSkinScrollBtnRes fresh;
  fresh.Rebuild();
  EXPECT_EQ(fresh.GetVertButton(1), nullptr);

  Rebuild({kBarColor, Strip(1), Strip(2), Filled(18, 63, 0x336699)});
  ASSERT_NE(scroll_.GetVertThumb(3), nullptr);
  reader_.OpenSkin(packages_.Missing(), "");
  scroll_.Rebuild();
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(scroll_.GetHorzButton(i), nullptr);
    EXPECT_EQ(scroll_.GetVertButton(i), nullptr);
  }
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(scroll_.GetVertThumb(i), nullptr);
  EXPECT_EQ(scroll_.BarThickness, 18);
  scroll_.SetReader(nullptr);
  EXPECT_EQ(scroll_.GetHorzThumb(1), nullptr);
}

TEST_F(SkinResTest, AccessorsAnswerNilOutsideTheirRange) {
  Rebuild({kBarColor, Strip(1), Strip(2), Filled(18, 63, 0x336699)});
  EXPECT_EQ(scroll_.GetHorzButton(0), nullptr);
  EXPECT_EQ(scroll_.GetVertButton(7), nullptr);
  EXPECT_EQ(scroll_.GetHorzThumb(6), nullptr);
  EXPECT_EQ(scroll_.GetVertThumb(-1), nullptr);
}

// ---- Progress bar ----

TEST_F(SkinResTest, ProgressBarPartsAreCopiesAndTheirQuarterTurns) {
  const Image parts[] = {Coordinates(1, 13, 1), Coordinates(7, 13, 2), Coordinates(7, 13, 3),
                         Coordinates(2, 13, 4)};
  reader_.OpenSkin(
      packages_.Write(
          {Bitmap("SKIN2_PROGRESSBAR1", parts[0]), Bitmap("SKIN2_PROGRESSBAR2", parts[1]),
           Bitmap("SKIN2_PROGRESSBAR3", parts[2]), Bitmap("SKIN2_PROGRESSBAR4", parts[3])}),
      "");
  TzubSkinProgressBarRes progress;
  progress.SetReader(&reader_);
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    ExpectSamePixels(progress.GetHorzPart(i), parts[i - 1]);
    ExpectSamePixels(progress.GetVertPart(i), Turned(parts[i - 1], RotateBitmap90CCW));
  }
  EXPECT_NE(progress.GetHorzPart(1), reader_.GetBitmap(SKIN2_PROGRESSBAR1));
  EXPECT_EQ(progress.FirstPartWidth, 1);
  EXPECT_EQ(progress.LastPartWidth, 2);
  EXPECT_EQ(progress.GetHorzPart(0), nullptr);
  EXPECT_EQ(progress.GetVertPart(5), nullptr);
}

TEST_F(SkinResTest, ProgressBarMissingPartsStayEmpty) {
  reader_.OpenSkin(packages_.Write({Bitmap("SKIN2_PROGRESSBAR2", Coordinates(7, 13))}), "");
  TzubSkinProgressBarRes progress;
  progress.SetReader(&reader_);
  EXPECT_TRUE(progress.GetHorzPart(1)->Empty());
  EXPECT_TRUE(progress.GetVertPart(4)->Empty());
  EXPECT_EQ(progress.GetVertPart(2)->Width(), 13);
  EXPECT_EQ(progress.FirstPartWidth, 0);
  EXPECT_EQ(progress.LastPartWidth, 0);

  reader_.OpenSkin(packages_.Missing(), "");
  progress.Rebuild();
  EXPECT_EQ(progress.GetHorzPart(2), nullptr);
  EXPECT_EQ(progress.GetVertPart(2), nullptr);
}

}  // namespace
