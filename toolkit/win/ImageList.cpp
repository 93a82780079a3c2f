#include "ImageList.h"

#include <algorithm>

namespace tk {

namespace {

constexpr std::uint32_t kMaskTransparent = 0xFFFFFF;
constexpr std::uint32_t kMaskOpaque = 0;
constexpr std::uint32_t kChannelMask = 0xFF;
constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
// Luminance weights in hundredths.
constexpr std::uint32_t kRedWeight = 30;
constexpr std::uint32_t kGreenWeight = 59;
constexpr std::uint32_t kBlueWeight = 11;
constexpr std::uint32_t kWeightTotal = 100;

std::uint32_t Grey(std::uint32_t pixel) {
  const std::uint32_t level = ((pixel >> kRedShift & kChannelMask) * kRedWeight +
                               (pixel >> kGreenShift & kChannelMask) * kGreenWeight +
                               (pixel & kChannelMask) * kBlueWeight) /
                              kWeightTotal;
  return level << kRedShift | level << kGreenShift | level;
}

}  // namespace

TImageList::TImageList(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

template <typename IsTransparent>
int TImageList::Append(const TBitmap& image, IsTransparent isTransparent) {
  const int added = width_ == 0 ? 0 : image.Width() / width_;
  if (added == 0 || height_ == 0) return -1;
  const int first = count_;
  const int left = first * width_;
  pictures_.SetSize((count_ + added) * width_, height_);
  masks_.SetSize((count_ + added) * width_, height_);
  const int rows = std::min(height_, image.Height());
  const int columns = added * width_;
  for (int y = 0; y < height_; ++y) {
    std::uint32_t* picture = pictures_.ScanLine(y) + left;
    std::uint32_t* mask = masks_.ScanLine(y) + left;
    for (int x = 0; x < columns; ++x) {
      const bool inside = y < rows;
      const bool transparent = inside && isTransparent(x, y);
      picture[x] = inside && !transparent ? image.ScanLine(y)[x] : 0;
      mask[x] = transparent ? kMaskTransparent : kMaskOpaque;
    }
  }
  count_ += added;
  return first;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= count_) return;
  const int from = (index + 1) * width_;
  const int to = index * width_;
  const int moved = (count_ - index - 1) * width_;
  for (TBitmap* strip : {&pictures_, &masks_}) {
    for (int y = 0; y < height_; ++y) {
      std::uint32_t* row = strip->ScanLine(y);
      std::copy(row + from, row + from + moved, row + to);
    }
    strip->SetSize((count_ - 1) * width_, height_);
  }
  --count_;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  return Append(image, [mask](int x, int y) {
    return mask != nullptr && mask->Pixel(x, y) == static_cast<TColor>(kMaskTransparent);
  });
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  return Append(image,
                [&image, maskColor](int x, int y) { return image.Pixel(x, y) == maskColor; });
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (index < 0 || index >= count_) return;
  const int left = index * width_;
  if (enabled) {
    Blend(canvas, x, y, pictures_, left, left);
    return;
  }
  TBitmap grey(width_, height_);
  for (int row = 0; row < height_; ++row) {
    const std::uint32_t* from = pictures_.ScanLine(row) + left;
    std::uint32_t* to = grey.ScanLine(row);
    for (int column = 0; column < width_; ++column)
      to[column] = masks_.ScanLine(row)[left + column] == kMaskOpaque ? Grey(from[column]) : 0;
  }
  Blend(canvas, x, y, grey, 0, left);
}

void TImageList::Blend(TCanvas& canvas, int x, int y, TBitmap& picture, int pictureLeft,
                       int maskLeft) {
  HDC dc = canvas.Handle();
  BitBlt(dc, x, y, width_, height_, masks_.Canvas().Handle(), maskLeft, 0, SRCAND);
  BitBlt(dc, x, y, width_, height_, picture.Canvas().Handle(), pictureLeft, 0, SRCPAINT);
  GdiFlush();
}

bool TImageList::GetBitmap(int index, TBitmap& image) const {
  if (index < 0 || index >= count_) return false;
  image.SetSize(width_, height_);
  const int left = index * width_;
  for (int y = 0; y < height_; ++y)
    std::copy_n(pictures_.ScanLine(y) + left, width_, image.ScanLine(y));
  return true;
}

}  // namespace tk
