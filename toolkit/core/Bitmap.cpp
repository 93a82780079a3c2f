#include "Bitmap.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "BmpCodec.h"

namespace tk {

namespace {

constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
constexpr std::uint32_t kByteMask = 0xFF;

}  // namespace

TBitmap::TBitmap(int width, int height) {
  SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  TBitmapStorage storage(width, height);
  const int keptWidth = std::min(width, width_);
  const int keptHeight = std::min(height, height_);
  for (int y = 0; y < keptHeight; ++y)
    std::copy_n(ScanLine(y), keptWidth, storage.Bits() + static_cast<std::ptrdiff_t>(y) * width);
  ReplaceStorage(std::move(storage), width, height);
}

void TBitmap::ReplaceStorage(TBitmapStorage storage, int width, int height) {
  std::swap(storage_, storage);
  width_ = width;
  height_ = height;
  if (attachment_) attachment_->StorageReplaced(storage_.Handle());
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return clNone;
  return PixelToColor(ScanLine(y)[x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
  ScanLine(y)[x] = ColorToPixel(color);
}

// An empty bitmap has no bottom-left pixel, so tmAuto answers clNone: no colour is keyed out.
TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  return Empty() ? clNone : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = tmFixed;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  if (source.width_ != width_ || source.height_ != height_)
    ReplaceStorage(TBitmapStorage(source.width_, source.height_), source.width_, source.height_);
  if (!Empty())
    std::memcpy(storage_.Bits(), source.storage_.Bits(),
                static_cast<std::size_t>(width_) * height_ * sizeof(std::uint32_t));
  pixelFormat_ = source.pixelFormat_;
  transparentMode_ = source.transparentMode_;
  transparentColor_ = source.transparentColor_;
  transparent_ = source.transparent_;
}

// The picture is decoded completely before anything is replaced, so a failed load leaves the
// bitmap as it was. Transparency settings belong to the bitmap and survive a load.
void TBitmap::LoadFromStream(TStream& stream) {
  TBmpImage image = DecodeBmp(stream);
  TBitmapStorage storage(image.Width, image.Height);
  std::copy(image.Pixels.begin(), image.Pixels.end(), storage.Bits());
  ReplaceStorage(std::move(storage), image.Width, image.Height);
  pixelFormat_ = image.Format;
}

void TBitmap::SaveToStream(TStream& stream) const {
  EncodeBmp(stream, width_, height_,
            std::span<const std::uint32_t>(storage_.Bits(), static_cast<std::size_t>(width_) *
                                                                static_cast<std::size_t>(height_)),
            pixelFormat_ == pf32bit ? TBmpDepth::bd32 : TBmpDepth::bd24);
}

// The colour's top byte (system colour or clNone marker) has no place in a pixel and is dropped.
std::uint32_t TBitmap::ColorToPixel(TColor color) {
  return static_cast<std::uint32_t>(RedOf(color)) << kRedShift |
         static_cast<std::uint32_t>(GreenOf(color)) << kGreenShift | BlueOf(color);
}

TColor TBitmap::PixelToColor(std::uint32_t pixel) {
  return RGBColor(static_cast<std::uint8_t>(pixel >> kRedShift & kByteMask),
                  static_cast<std::uint8_t>(pixel >> kGreenShift & kByteMask),
                  static_cast<std::uint8_t>(pixel & kByteMask));
}

}  // namespace tk
