#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/core/Types.h"
#include "toolkit/win/GdiObject.h"

namespace testing_support {

// The screen's device context, released with the object.
class TScreenDC {
 public:
  TScreenDC() : dc_(GetDC(nullptr)) {}
  ~TScreenDC() { ReleaseDC(nullptr, dc_); }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// The pixels of a screen rectangle as they were when the shot was taken (colours 0x00BBGGRR).
class TScreenShot {
 public:
  explicit TScreenShot(const RECT& area)
      : left_(area.left),
        top_(area.top),
        width_(area.right - area.left),
        height_(area.bottom - area.top) {
    if (width_ <= 0 || height_ <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const TScreenDC screen;
    const tk::TMemoryDC memory;
    void* bits = nullptr;
    const tk::TBitmapObject bitmap(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (memory.Get() == nullptr || bitmap.Get() == nullptr) return;
    const tk::TSelection selection(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), left_, top_, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(words, words + static_cast<std::size_t>(width_) * height_);
  }

  // The pixel at x, y of the rectangle; clNone outside it.
  tk::TColor Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return tk::clNone;
    const std::uint32_t word = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return static_cast<tk::TColor>(((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF));
  }

 private:
  int left_;
  int top_;
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace testing_support
