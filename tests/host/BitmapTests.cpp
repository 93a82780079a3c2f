#include "toolkit/core/Bitmap.h"

#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"

namespace {

using tk::TBitmap;
using tk::TColor;

// Gives every pixel its own colour, derived from its position.
TColor ColourAt(int x, int y) {
  return tk::RGBColor(0x10 + x, 0x40 + y, 0x80 + x * y);
}

void Fill(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, ColourAt(x, y));
}

TEST(BitmapTest, StartsEmptyOrBlack) {
  const TBitmap empty;
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.PixelFormat(), tk::pfDevice);
  EXPECT_EQ(empty.TransparentMode(), tk::tmAuto);
  EXPECT_FALSE(empty.Transparent());

  const TBitmap sized(3, 2);
  EXPECT_FALSE(sized.Empty());
  EXPECT_EQ(sized.Width(), 3);
  EXPECT_EQ(sized.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(sized.ScanLine(y)[x], 0u);
}

TEST(BitmapTest, SetSizeKeepsOverlapAndBlackensTheRest) {
  TBitmap bitmap(3, 2);
  Fill(bitmap);
  const auto expectKept = [&bitmap](int keptWidth, int keptHeight) {
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        EXPECT_EQ(bitmap.Pixel(x, y), x < keptWidth && y < keptHeight ? ColourAt(x, y) : 0)
            << "x=" << x << " y=" << y << " in " << bitmap.Width() << "x" << bitmap.Height();
  };

  bitmap.SetSize(5, 1);  // wider and shorter: row strides change
  expectKept(3, 1);
  bitmap.SetSize(2, 3);  // narrower and taller
  expectKept(2, 1);
  bitmap.SetSize(2, 3);
  expectKept(2, 1);

  bitmap.SetSize(-4, 3);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 3);
}

TEST(BitmapTest, PixelsAreColoursInArgbWords) {
  TBitmap bitmap(2, 2);
  bitmap.SetPixel(1, 0, tk::RGBColor(0x12, 0x34, 0x56));
  EXPECT_EQ(bitmap.ScanLine(0)[1], 0x00123456u);
  EXPECT_EQ(bitmap.Pixel(1, 0), tk::RGBColor(0x12, 0x34, 0x56));
  bitmap.ScanLine(1)[0] = 0xFFABCDEF;  // alpha does not show in the colour
  EXPECT_EQ(bitmap.Pixel(0, 1), tk::RGBColor(0xAB, 0xCD, 0xEF));
}

TEST(BitmapTest, OutOfRangePixelsReadClNoneAndIgnoreWrites) {
  TBitmap bitmap(3, 2);
  Fill(bitmap);
  const std::pair<int, int> outside[] = {{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {-1, -1}, {3, 2}};
  for (const auto& [x, y] : outside) {
    EXPECT_EQ(bitmap.Pixel(x, y), tk::clNone) << x << "," << y;
    bitmap.SetPixel(x, y, tk::clWhite);
  }
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.Pixel(x, y), ColourAt(x, y));
  EXPECT_EQ(TBitmap().Pixel(0, 0), tk::clNone);
}

TEST(BitmapTest, ConvertsBetweenColoursAndPixels) {
  struct Case {
    TColor color;
    std::uint32_t pixel;
  };
  const Case cases[] = {
      {tk::RGBColor(0x12, 0x34, 0x56), 0x00123456},
      {tk::clBlack, 0x00000000},
      {tk::clWhite, 0x00FFFFFF},
      {tk::RGBColor(0xFF, 0, 0), 0x00FF0000},
      {tk::RGBColor(0, 0, 0xFF), 0x000000FF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TBitmap::ColorToPixel(c.color), c.pixel);
    EXPECT_EQ(TBitmap::PixelToColor(c.pixel), c.color);
    EXPECT_EQ(TBitmap::PixelToColor(c.pixel | 0x80000000), c.color) << "alpha is dropped";
  }
  // The top byte of a colour (clNone, system colours) is not part of the pixel.
  EXPECT_EQ(TBitmap::ColorToPixel(tk::clNone), 0x00FFFFFFu);
  EXPECT_EQ(TBitmap::ColorToPixel(static_cast<TColor>(0xFF000005)), 0x00050000u);
}

TEST(BitmapTest, TransparentColorFollowsTheMode) {
  TBitmap bitmap;
  EXPECT_EQ(bitmap.TransparentColor(), tk::clNone) << "empty bitmap in tmAuto";

  bitmap.SetSize(3, 2);
  Fill(bitmap);
  EXPECT_EQ(bitmap.TransparentColor(), ColourAt(0, 1)) << "bottom-left pixel";
  bitmap.SetPixel(0, 1, tk::clWhite);
  EXPECT_EQ(bitmap.TransparentColor(), tk::clWhite);

  bitmap.SetTransparentColor(tk::RGBColor(1, 2, 3));
  EXPECT_EQ(bitmap.TransparentMode(), tk::tmFixed);
  EXPECT_EQ(bitmap.TransparentColor(), tk::RGBColor(1, 2, 3));
  bitmap.SetPixel(0, 1, tk::clBlack);
  EXPECT_EQ(bitmap.TransparentColor(), tk::RGBColor(1, 2, 3));

  bitmap.SetTransparentMode(tk::tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), tk::clBlack);
  bitmap.SetTransparentMode(tk::tmFixed);
  EXPECT_EQ(bitmap.TransparentColor(), tk::RGBColor(1, 2, 3));
  EXPECT_FALSE(bitmap.Transparent()) << "the colour key is off until switched on";
}

TEST(BitmapTest, AssignCopiesEverything) {
  TBitmap source(3, 2);
  Fill(source);
  source.SetPixelFormat(tk::pf8bit);
  source.SetTransparentColor(tk::RGBColor(9, 8, 7));
  source.SetTransparent(true);

  TBitmap copy(7, 7);
  copy.Assign(source);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 2);
  EXPECT_EQ(copy.PixelFormat(), tk::pf8bit);
  EXPECT_EQ(copy.TransparentMode(), tk::tmFixed);
  EXPECT_EQ(copy.TransparentColor(), tk::RGBColor(9, 8, 7));
  EXPECT_TRUE(copy.Transparent());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(copy.Pixel(x, y), ColourAt(x, y));

  source.SetPixel(0, 0, tk::clWhite);
  EXPECT_EQ(copy.Pixel(0, 0), ColourAt(0, 0)) << "the copy owns its pixels";

  TBitmap automatic(1, 1);
  automatic.SetTransparentMode(tk::tmAuto);
  copy.Assign(automatic);
  EXPECT_EQ(copy.TransparentMode(), tk::tmAuto);
  copy.Assign(copy);
  EXPECT_EQ(copy.Width(), 1);
}

TEST(BitmapTest, SavesAndLoadsTheSamePixels) {
  for (tk::TPixelFormat format : {tk::pfDevice, tk::pf24bit, tk::pf8bit, tk::pf32bit}) {
    SCOPED_TRACE(format);
    TBitmap bitmap(5, 3);
    Fill(bitmap);
    bitmap.SetPixelFormat(format);
    tk::TMemoryStream stream;
    bitmap.SaveToStream(stream);
    const int bits = stream.Bytes().at(28);
    EXPECT_EQ(bits, format == tk::pf32bit ? 32 : 24);

    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.PixelFormat(), format == tk::pf32bit ? tk::pf32bit : tk::pf24bit);
    ASSERT_EQ(loaded.Width(), 5);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(loaded.ScanLine(y)[x], bitmap.ScanLine(y)[x]);
  }
}

TEST(BitmapTest, FailedLoadLeavesTheBitmapAlone) {
  TBitmap picture(2, 2);
  Fill(picture);
  tk::TMemoryStream saved;
  picture.SaveToStream(saved);
  std::vector<std::uint8_t> truncated = saved.Bytes();
  truncated.pop_back();

  TBitmap bitmap(3, 2);
  Fill(bitmap);
  bitmap.SetPixelFormat(tk::pf4bit);
  tk::TBytesStream stream(truncated.data(), static_cast<std::int64_t>(truncated.size()));
  EXPECT_THROW(bitmap.LoadFromStream(stream), tk::EReadError);
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.PixelFormat(), tk::pf4bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.Pixel(x, y), ColourAt(x, y));
}

TEST(BitmapTest, LoadKeepsTransparencySettings) {
  TBitmap picture(2, 2);
  Fill(picture);
  tk::TMemoryStream saved;
  picture.SaveToStream(saved);

  TBitmap bitmap;
  bitmap.SetTransparent(true);
  bitmap.SetTransparentMode(tk::tmAuto);
  saved.SetPosition(0);
  bitmap.LoadFromStream(saved);
  EXPECT_TRUE(bitmap.Transparent());
  EXPECT_EQ(bitmap.TransparentColor(), ColourAt(0, 1));
}

TEST(BitmapTest, SavingAnEmptyBitmapIsRefused) {
  tk::TMemoryStream stream;
  EXPECT_THROW(TBitmap().SaveToStream(stream), tk::EInvalidGraphic);
  EXPECT_THROW(TBitmap(4, 0).SaveToStream(stream), tk::EInvalidGraphic);
  EXPECT_EQ(stream.Size(), 0);
}

}  // namespace
