#include "PixelUtils.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ColorUtils.h"

namespace skin {

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
constexpr std::uint32_t kColorTopByteMask = 0xFF000000;

using Pixels = std::vector<std::uint32_t>;

// Gives the bitmap the size width x height and the rotated pixels, keeping its format and
// transparency settings.
void PutPixels(tk::TBitmap& bitmap, int width, int height, const Pixels& pixels) {
  bitmap.SetSize(0, 0);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * width, width, bitmap.ScanLine(y));
}

}  // namespace

void ExtractFrame(const tk::TBitmap* strip, tk::TBitmap* dest, int count, int index) {
  if (strip == nullptr || dest == nullptr || count <= 0) return;
  const int frameWidth = strip->Width() / count;
  const int height = strip->Height();
  // 64 bits: (index - 1) * frameWidth can pass the 32-bit range for absurd indexes.
  const std::int64_t left = static_cast<std::int64_t>(index - 1) * frameWidth;
  Pixels frame(static_cast<std::size_t>(frameWidth) * static_cast<std::size_t>(height), 0);
  const std::int64_t from = std::clamp<std::int64_t>(left, 0, strip->Width());
  const std::int64_t to = std::clamp<std::int64_t>(left + frameWidth, 0, strip->Width());
  for (int y = 0; y < height && from < to; ++y)
    std::copy(strip->ScanLine(y) + from, strip->ScanLine(y) + to,
              frame.begin() + static_cast<std::ptrdiff_t>(y) * frameWidth + (from - left));
  PutPixels(*dest, frameWidth, height, frame);
}

void ConvertTo24Bit(tk::TBitmap& bitmap) {
  bitmap.SetPixelFormat(tk::pf24bit);
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) row[x] &= kRgbMask;
  }
}

void ReplaceBitmapColor(tk::TBitmap* bitmap, tk::TColor oldColor, tk::TColor newColor) {
  if (bitmap == nullptr) return;
  ConvertTo24Bit(*bitmap);
  if ((static_cast<std::uint32_t>(oldColor) & kColorTopByteMask) != 0) return;
  const std::uint32_t from = tk::TBitmap::ColorToPixel(oldColor);
  const std::uint32_t to = tk::TBitmap::ColorToPixel(ColorToRGB(newColor));
  for (int y = 0; y < bitmap->Height(); ++y) {
    std::uint32_t* row = bitmap->ScanLine(y);
    std::replace(row, row + bitmap->Width(), from, to);
  }
}

// Turns the picture a quarter round: pixel (x, y) of the width x height picture moves to
// index(x, y, width, height) of the height x width result.
template <typename Index>
void RotateQuarter(tk::TBitmap* bitmap, Index index) {
  if (bitmap == nullptr) return;
  const int width = bitmap->Width();
  const int height = bitmap->Height();
  Pixels rotated(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = bitmap->ScanLine(y);
    for (int x = 0; x < width; ++x) rotated[index(x, y, width, height)] = row[x];
  }
  PutPixels(*bitmap, height, width, rotated);
}

void RotateBitmap90CCW(tk::TBitmap* bitmap) {
  RotateQuarter(bitmap, [](int x, int y, int width, int height) {
    return static_cast<std::size_t>(width - 1 - x) * height + y;
  });
}

// Rows follow one another without padding, so reversing all pixels turns the picture half
// round in place.
void RotateBitmap180(tk::TBitmap* bitmap) {
  if (bitmap == nullptr || bitmap->Empty()) return;
  std::uint32_t* pixels = bitmap->ScanLine(0);
  std::reverse(pixels, pixels + static_cast<std::size_t>(bitmap->Width()) * bitmap->Height());
}

void RotateBitmap90CW(tk::TBitmap* bitmap) {
  RotateQuarter(bitmap, [](int x, int y, int, int height) {
    return static_cast<std::size_t>(x) * height + (height - 1 - y);
  });
}

void CopyRows(const tk::TBitmap& source, tk::TBitmap& dest, int firstRow) {
  const int width = std::min(source.Width(), dest.Width());
  for (int y = 0; y < dest.Height(); ++y) {
    const int sourceRow = firstRow + y;
    if (sourceRow < 0 || sourceRow >= source.Height()) continue;
    std::copy_n(source.ScanLine(sourceRow), width, dest.ScanLine(y));
  }
}

}  // namespace skin
