#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Stream.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/Font.h"
#include "toolkit/win/GdiObject.h"
#include "toolkit/win/Icon.h"
#include "toolkit/win/ImageList.h"

namespace {

using tk::TBitmap;
using tk::TColor;

constexpr TColor kBackground = 0x00112233;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kKey = 0xFF00FF;
constexpr TColor kBtnFace = static_cast<TColor>(0xFF00000F);

// A bitmap of the given size filled with one colour through its pixels.
TBitmap* Filled(TBitmap& bitmap, int width, int height, TColor color) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, color);
  return &bitmap;
}

bool Inside(const tk::TRect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// Every pixel must be inColor inside r and kBackground elsewhere.
void ExpectOnly(const TBitmap& bitmap, const tk::TRect& r, TColor inColor) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      ASSERT_EQ(bitmap.Pixel(x, y), Inside(r, x, y) ? inColor : kBackground)
          << "x=" << x << " y=" << y;
}

TEST(WinBitmapStorageTest, GdiAndPixelLoopsShareTheSamePixels) {
  TBitmap bitmap(6, 4);
  ASSERT_NE(bitmap.Handle(), nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(static_cast<HBITMAP>(bitmap.Handle()), sizeof section, &section),
            static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBits, bitmap.ScanLine(0));
  EXPECT_EQ(section.dsBmih.biBitCount, 32);

  bitmap.SetPixel(2, 1, kGreen);
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), kGreen) << "direct write seen by GDI";
  bitmap.Canvas().Brush().Color = kRed;
  bitmap.Canvas().FillRect(tk::Rect(4, 2, 6, 4));
  EXPECT_EQ(bitmap.Pixel(4, 2), kRed) << "GDI drawing seen in memory";
  EXPECT_EQ(bitmap.Pixel(5, 3), kRed);
  EXPECT_EQ(bitmap.Pixel(3, 3), tk::clBlack);
}

TEST(WinBitmapStorageTest, CanvasFollowsTheStorageThroughResizeAssignAndLoad) {
  TBitmap bitmap;
  tk::TCanvas& canvas = bitmap.Canvas();

  Filled(bitmap, 3, 3, kGreen);
  bitmap.SetSize(8, 5);
  EXPECT_EQ(bitmap.Pixel(2, 2), kGreen) << "kept pixels";
  EXPECT_EQ(bitmap.Pixel(7, 4), tk::clBlack) << "new pixels are black";
  canvas.Brush().Color = kRed;
  canvas.FillRect(tk::Rect(0, 0, 8, 5));
  EXPECT_EQ(bitmap.Pixel(7, 4), kRed) << "the same canvas draws on the new storage";

  TBitmap source;
  Filled(source, 2, 7, kBlue);
  bitmap.Assign(source);
  EXPECT_EQ(canvas.Pixel(1, 6), kBlue);
  EXPECT_EQ(&bitmap.Canvas(), &canvas) << "the canvas belongs to the bitmap, not its pixels";

  tk::TMemoryStream stream;
  Filled(source, 4, 2, kKey)->SaveToStream(stream);
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
  EXPECT_EQ(canvas.Pixel(3, 1), kKey);
  bitmap.SetSize(0, 0);
  bitmap.SetSize(2, 2);
  canvas.SetPixel(1, 1, kGreen);
  EXPECT_EQ(bitmap.Pixel(1, 1), kGreen) << "bound again after being empty";
}

TEST(WinCanvasTest, FillsAndFramesExactRectanglesInResolvedColours) {
  TBitmap bitmap;
  tk::TCanvas& canvas = Filled(bitmap, 12, 10, kBackground)->Canvas();
  canvas.Brush().Color = kBtnFace;
  canvas.FillRect(tk::Rect(2, 3, 7, 8));
  ExpectOnly(bitmap, tk::Rect(2, 3, 7, 8), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));

  Filled(bitmap, 12, 10, kBackground);
  canvas.Brush().Color = kRed;
  canvas.FrameRect(tk::Rect(1, 1, 6, 5));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool border = Inside(tk::Rect(1, 1, 6, 5), x, y) && !Inside(tk::Rect(2, 2, 5, 4), x, y);
      ASSERT_EQ(bitmap.Pixel(x, y), border ? kRed : kBackground) << "x=" << x << " y=" << y;
    }

  Filled(bitmap, 12, 10, kBackground);
  canvas.Brush().Style = tk::bsClear;
  canvas.FillRect(tk::Rect(0, 0, 12, 10));
  ExpectOnly(bitmap, tk::TRect{}, kBackground);
}

TEST(WinCanvasTest, RectangleLinesAndPolygonUsePenAndBrush) {
  TBitmap bitmap;
  tk::TCanvas& canvas = Filled(bitmap, 12, 10, kBackground)->Canvas();
  canvas.Pen().Color = kRed;
  canvas.Brush().Color = kGreen;
  canvas.Rectangle(tk::Rect(1, 1, 6, 5));
  EXPECT_EQ(bitmap.Pixel(1, 1), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 4), kRed);
  EXPECT_EQ(bitmap.Pixel(3, 2), kGreen);
  EXPECT_EQ(bitmap.Pixel(6, 5), kBackground);

  Filled(bitmap, 12, 10, kBackground);
  canvas.Pen().Color = kBlue;
  canvas.MoveTo(2, 7);
  canvas.LineTo(9, 7);
  ExpectOnly(bitmap, tk::Rect(2, 7, 9, 8), kBlue);

  Filled(bitmap, 12, 10, kBackground);
  canvas.Pen().Color = kRed;
  canvas.Brush().Color = kRed;
  const std::array<tk::TPoint, 3> triangle = {{{2, 2}, {8, 2}, {5, 5}}};
  canvas.Polygon(triangle);
  EXPECT_EQ(bitmap.Pixel(2, 2), kRed);
  EXPECT_EQ(bitmap.Pixel(8, 2), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 4), kRed);
  EXPECT_EQ(bitmap.Pixel(2, 5), kBackground);
}

TEST(WinCanvasTest, PixelsAndFocusRectangle) {
  TBitmap bitmap;
  tk::TCanvas& canvas = Filled(bitmap, 8, 8, kBackground)->Canvas();
  canvas.SetPixel(3, 4, kBlue);
  canvas.SetPixel(9, 9, kBlue);
  EXPECT_EQ(bitmap.Pixel(3, 4), kBlue);
  EXPECT_EQ(canvas.Pixel(3, 4), kBlue);
  EXPECT_EQ(canvas.Pixel(8, 0), tk::clNone);
  EXPECT_EQ(canvas.Pixel(-1, 0), tk::clNone);

  canvas.DrawFocusRect(tk::Rect(1, 1, 7, 7));
  int changed = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool border = Inside(tk::Rect(1, 1, 7, 7), x, y) && !Inside(tk::Rect(2, 2, 6, 6), x, y);
      if (!border && (x != 3 || y != 4)) {
        ASSERT_EQ(bitmap.Pixel(x, y), kBackground) << "x=" << x << " y=" << y;
      }
      changed += border && bitmap.Pixel(x, y) != kBackground;
    }
  EXPECT_GT(changed, 0) << "the dotted border shows";
  canvas.DrawFocusRect(tk::Rect(1, 1, 7, 7));
  bitmap.SetPixel(3, 4, kBackground);
  ExpectOnly(bitmap, tk::TRect{}, kBackground);
}

TEST(WinCanvasTest, CopyRectCopiesAndScalesByPickingSourcePixels) {
  TBitmap source(2, 2);
  source.SetPixel(0, 0, kRed);
  source.SetPixel(1, 0, kGreen);
  source.SetPixel(0, 1, kBlue);
  source.SetPixel(1, 1, kKey);
  TBitmap target;
  tk::TCanvas& canvas = Filled(target, 8, 6, kBackground)->Canvas();
  canvas.CopyRect(tk::Rect(2, 1, 6, 5), source.Canvas(), tk::Rect(0, 0, 2, 2));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor expected =
          Inside(tk::Rect(2, 1, 6, 5), x, y) ? source.Pixel((x - 2) / 2, (y - 1) / 2) : kBackground;
      ASSERT_EQ(target.Pixel(x, y), expected) << "x=" << x << " y=" << y;
    }
  canvas.CopyRect(tk::Rect(0, 0, 1, 1), source.Canvas(), tk::Rect(1, 1, 2, 2));
  EXPECT_EQ(target.Pixel(0, 0), kKey);
}

// Keyed pixels leave the destination; every other colour, the key's neighbours included, is
// drawn, at its own size and stretched.
TEST(WinCanvasTest, DrawAndStretchDrawHonourTheColourKeyOnlyWhenTransparent) {
  TBitmap picture(3, 1);
  picture.SetPixel(0, 0, kKey);
  picture.SetPixel(1, 0, kKey - 1);
  picture.SetPixel(2, 0, tk::clBlack);
  picture.SetTransparentColor(kKey);
  TBitmap target;
  tk::TCanvas& canvas = Filled(target, 8, 4, kBackground)->Canvas();

  canvas.Draw(1, 1, picture);
  EXPECT_EQ(target.Pixel(1, 1), kKey) << "not transparent: drawn whole";

  picture.SetTransparent(true);
  Filled(target, 8, 4, kBackground);
  canvas.Draw(1, 1, picture);
  EXPECT_EQ(target.Pixel(1, 1), kBackground);
  EXPECT_EQ(target.Pixel(2, 1), kKey - 1);
  EXPECT_EQ(target.Pixel(3, 1), tk::clBlack);
  EXPECT_EQ(target.Pixel(4, 1), kBackground);

  Filled(target, 8, 4, kBackground);
  canvas.StretchDraw(tk::Rect(0, 0, 6, 4), picture);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor expected = x >= 6 || x < 2 ? kBackground : picture.Pixel(x / 2, 0);
      ASSERT_EQ(target.Pixel(x, y), expected) << "x=" << x << " y=" << y;
    }
}

TEST(WinCanvasTest, TextUsesFontColourAndBrushBackground) {
  TBitmap bitmap;
  tk::TCanvas& canvas = Filled(bitmap, 80, 30, kBackground)->Canvas();
  const std::string text = "Wg";
  const int width = canvas.TextWidth(text);
  const int height = canvas.TextHeight(text);
  SIZE size{};
  GetTextExtentPoint32A(canvas.Handle(), text.c_str(), 2, &size);
  EXPECT_EQ(width, size.cx);
  EXPECT_EQ(height, size.cy);
  ASSERT_GT(width, 0);
  EXPECT_GT(canvas.TextWidth("WWWW"), width);

  canvas.Font().SetColor(kRed);
  canvas.Brush().Color = kGreen;
  canvas.TextOutAt(5, 5, text);
  int red = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      const TColor pixel = bitmap.Pixel(x, y);
      if (!Inside(tk::Rect(5, 5, 5 + width, 5 + height), x, y)) {
        ASSERT_EQ(pixel, kBackground) << "x=" << x << " y=" << y;
      }
      red += pixel == kRed;
    }
  EXPECT_GT(red, 0);
  EXPECT_EQ(bitmap.Pixel(5, 5), kGreen) << "opaque background in the brush colour";

  Filled(bitmap, 80, 30, kBackground);
  canvas.Brush().Style = tk::bsClear;
  canvas.TextOutAt(5, 5, text);
  EXPECT_EQ(bitmap.Pixel(5, 5), kBackground);
}

TEST(WinCanvasTest, GivesTheDeviceContextBackAsItCame) {
  const tk::TMemoryDC dc;
  const HGDIOBJ pen = GetCurrentObject(dc.Get(), OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
  const COLORREF textColor = GetTextColor(dc.Get());
  {
    tk::TCanvas canvas(dc.Get());
    canvas.Pen().Color = kRed;
    canvas.Brush().Color = kGreen;
    canvas.Font().SetHeight(-20);
    canvas.Font().SetColor(kBlue);
    canvas.TextOutAt(0, 0, "x");
    canvas.Rectangle(tk::Rect(0, 0, 1, 1));
    EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
    EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_FONT), font);
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);
  EXPECT_EQ(GetTextColor(dc.Get()), textColor);
}

TEST(WinFontTest, PropertiesMakeTheHandle) {
  tk::TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Color(), tk::clWindowText);
  EXPECT_EQ(font.Style(), 0u);
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);

  font.SetName("Tahoma");
  font.SetSize(12);
  font.SetStyle(tk::fsBold | tk::fsUnderline);
  font.SetCharset(ANSI_CHARSET);
  const int pixelsPerInch = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value;
  }();
  EXPECT_EQ(font.Height(), -MulDiv(12, pixelsPerInch, 72));
  EXPECT_EQ(font.Size(), 12);
  EXPECT_EQ(font.Style(), tk::fsBold | tk::fsUnderline);

  LOGFONTA made{};
  ASSERT_EQ(GetObjectA(font.Handle(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_STREQ(made.lfFaceName, "Tahoma");
  EXPECT_EQ(made.lfHeight, font.Height());
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_TRUE(made.lfUnderline);
  EXPECT_FALSE(made.lfItalic);
  EXPECT_EQ(made.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(font.Handle(), font.Handle()) << "made once";

  font.SetName(std::string(LF_FACESIZE + 10, 'a'));
  EXPECT_EQ(font.Name(), std::string(LF_FACESIZE - 1, 'a')) << "cut to what a LOGFONT holds";
}

TEST(WinFontTest, SetHandleAndAssignCarryEveryProperty) {
  LOGFONTA wanted{};
  wanted.lfHeight = -17;
  wanted.lfItalic = TRUE;
  wanted.lfWeight = FW_NORMAL;
  wanted.lfCharSet = SYMBOL_CHARSET;
  lstrcpyA(wanted.lfFaceName, "Courier New");
  tk::TFont font;
  font.SetHandle(CreateFontIndirectA(&wanted));
  EXPECT_EQ(font.Name(), "Courier New");
  EXPECT_EQ(font.Height(), -17);
  EXPECT_EQ(font.Style(), tk::fsItalic);
  EXPECT_EQ(font.Charset(), SYMBOL_CHARSET);

  const HFONT before = font.Handle();
  font.SetHandle(reinterpret_cast<HFONT>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(font.Handle(), before) << "not a font: nothing changes";

  tk::TFont copy;
  copy.SetColor(kRed);
  font.SetColor(kGreen);
  copy.Assign(font);
  EXPECT_EQ(copy.Name(), "Courier New");
  EXPECT_EQ(copy.Height(), -17);
  EXPECT_EQ(copy.Style(), tk::fsItalic);
  EXPECT_EQ(copy.Color(), kGreen);
  EXPECT_NE(copy.Handle(), font.Handle()) << "each font owns its handle";
}

TEST(WinFontTest, CanvasPicksUpFontChangesWhileItsFontIsSelected) {
  TBitmap bitmap(10, 10);
  tk::TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-10);
  const int small = canvas.TextHeight("Ag");
  canvas.Font().SetHeight(-30);
  const int large = canvas.TextHeight("Ag");
  EXPECT_GT(large, small);
  LOGFONTA selected{};
  GetObjectA(GetCurrentObject(canvas.Handle(), OBJ_FONT), sizeof selected, &selected);
  EXPECT_EQ(selected.lfHeight, -30);
}

// Images are cut from a strip 4 wide: columns carry their index in red, rows in green.
TColor StripColour(int x, int y) {
  return tk::RGBColor(static_cast<std::uint8_t>(0x10 + x), static_cast<std::uint8_t>(0x20 + y),
                      0x40);
}

TEST(WinImageListTest, AddCutsTheStripAndDrawsOpaque) {
  TBitmap strip(10, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x) strip.SetPixel(x, y, StripColour(x, y));
  tk::TImageList list(4, 4);
  EXPECT_EQ(list.Width(), 4);
  EXPECT_EQ(list.Height(), 4);
  EXPECT_EQ(list.Add(strip, nullptr), 0);
  EXPECT_EQ(list.Count(), 2) << "the two columns past two images are dropped";
  EXPECT_EQ(list.Add(strip, nullptr), 2);
  EXPECT_EQ(list.Count(), 4);

  TBitmap narrow(3, 4);
  EXPECT_EQ(list.Add(narrow, nullptr), -1);

  TBitmap target;
  tk::TCanvas& canvas = Filled(target, 8, 6, kBackground)->Canvas();
  list.Draw(canvas, 2, 1, 1);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      TColor expected = kBackground;
      if (Inside(tk::Rect(2, 1, 6, 5), x, y))
        expected = y - 1 < 3 ? StripColour(x - 2 + 4, y - 1) : tk::clBlack;
      ASSERT_EQ(target.Pixel(x, y), expected) << "x=" << x << " y=" << y;
    }

  Filled(target, 8, 6, kBackground);
  list.Draw(canvas, 0, 0, 4);
  list.Draw(canvas, 0, 0, -1);
  ExpectOnly(target, tk::TRect{}, kBackground);
}

TEST(WinImageListTest, MaskedImagesLeaveKeyedPixelsAndNothingElse) {
  TBitmap image(2, 2);
  image.SetPixel(0, 0, kKey);
  image.SetPixel(1, 0, kKey + 1);
  image.SetPixel(0, 1, tk::clBlack);
  image.SetPixel(1, 1, tk::clWhite);
  TBitmap mask(2, 2);
  mask.SetPixel(1, 1, tk::clWhite);

  tk::TImageList list(2, 2);
  EXPECT_EQ(list.AddMasked(image, kKey), 0);
  EXPECT_EQ(list.Add(image, &mask), 1);
  TBitmap target;
  tk::TCanvas& canvas = Filled(target, 4, 2, kBackground)->Canvas();
  list.Draw(canvas, 0, 0, 0);
  list.Draw(canvas, 2, 0, 1);
  const std::array<std::array<TColor, 4>, 2> expected = {
      {{kBackground, kKey + 1, kKey, kKey + 1},
       {tk::clBlack, tk::clWhite, tk::clBlack, kBackground}}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.Pixel(x, y), expected[y][x]) << x << "," << y;

  TBitmap copy;
  ASSERT_TRUE(list.GetBitmap(0, copy));
  EXPECT_EQ(copy.Width(), 2);
  EXPECT_EQ(copy.Pixel(0, 0), tk::clBlack) << "transparent pixels come out black";
  EXPECT_EQ(copy.Pixel(1, 0), kKey + 1);
  EXPECT_FALSE(list.GetBitmap(2, copy));
}

TEST(WinImageListTest, DisabledImagesAreGreyShadesOfTheirPixels) {
  TBitmap image(2, 1);
  image.SetPixel(0, 0, kKey);
  image.SetPixel(1, 0, tk::RGBColor(200, 100, 50));
  tk::TImageList list(2, 1);
  list.AddMasked(image, kKey);
  TBitmap target;
  tk::TCanvas& canvas = Filled(target, 2, 1, kBackground)->Canvas();
  list.Draw(canvas, 0, 0, 0, false);
  const std::uint8_t grey = (200 * 30 + 100 * 59 + 50 * 11) / 100;
  EXPECT_EQ(target.Pixel(0, 0), kBackground);
  EXPECT_EQ(target.Pixel(1, 0), tk::RGBColor(grey, grey, grey));
}

TEST(WinIconTest, OwnsItsIcon) {
  const std::array<BYTE, 4> andBits = {0xFF, 0xFF, 0xFF, 0xFF};
  const std::array<BYTE, 4> xorBits = {};
  HICON made = CreateIcon(nullptr, 2, 2, 1, 1, andBits.data(), xorBits.data());
  ASSERT_NE(made, nullptr);
  HICON released = nullptr;
  {
    tk::TIcon icon(made);
    EXPECT_EQ(icon.Handle(), made);
    released = icon.ReleaseHandle();
    EXPECT_TRUE(icon.Empty());
    icon.SetHandle(released);
  }
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(made, &info)) << "destroyed with its owner";
}

}  // namespace
