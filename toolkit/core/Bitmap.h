#pragma once

#include <cstdint>
#include <memory>

#include "BitmapStorage.h"
#include "Object.h"
#include "Stream.h"
#include "Types.h"

namespace tk {

enum TPixelFormat {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};
enum TTransparentMode { tmAuto, tmFixed };

class TCanvas;

// Something bound to a bitmap's native storage, such as its canvas on Windows. It is told when
// the storage is replaced and is destroyed with the bitmap, before the storage.
class TBitmapAttachment : public TObject {
 public:
  // Called once the new storage holds the kept pixels and before the old storage is freed;
  // the handle is nullptr when the bitmap became empty.
  virtual void StorageReplaced(TBitmapHandle handle) = 0;
};

// Portable pixel store. Pixels are 32-bit words 0xAARRGGBB (bytes B, G, R, A in memory, the
// layout of a 32-bit top-down device-independent bitmap), rows top to bottom, no padding.
// PixelFormat records the depth the picture came in with; the store itself is always 32-bit.
// On Windows the pixels are a DIB section's memory: GDI drawing through Canvas() and pixel
// loops see the same pixels (the canvas flushes GDI's batch after each of its operations).
class TBitmap : public TObject {
 public:
  TBitmap() = default;
  TBitmap(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Resizes to width x height; kept pixels stay where they were, new ones are black.
  // Negative sizes count as 0.
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TPixelFormat format) { pixelFormat_ = format; }

  std::uint32_t* ScanLine(int y) { return storage_.Bits() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* ScanLine(int y) const {
    return storage_.Bits() + static_cast<std::size_t>(y) * width_;
  }
  // Pixels as colours (0x00BBGGRR); out-of-range reads answer clNone, writes are ignored.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // In tmAuto mode the transparent colour is the bottom-left pixel; setting a colour selects
  // tmFixed. Transparent says whether drawers should honour the colour key at all.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

  // Copies pixels, format and transparency settings.
  void Assign(const TBitmap& source);
  // Reads one BMP file image (file header included) from the stream's position. Raises
  // EInvalidGraphic for anything that is not a readable BMP, EReadError for short data.
  void LoadFromStream(TStream& stream);
  // Writes a 24-bit bottom-up BMP file image, or 32-bit when PixelFormat is pf32bit. An empty
  // bitmap raises EInvalidGraphic, as the decoder would refuse the result.
  void SaveToStream(TStream& stream) const;

  static std::uint32_t ColorToPixel(TColor color);
  static TColor PixelToColor(std::uint32_t pixel);

  // The DIB section holding the pixels on Windows; nullptr on the host and when empty.
  TBitmapHandle Handle() const { return storage_.Handle(); }
  TBitmapAttachment* Attachment() const { return attachment_.get(); }
  // Binds an object to the storage for the rest of the bitmap's life (replacing any earlier one).
  void Attach(std::unique_ptr<TBitmapAttachment> attachment) {
    attachment_ = std::move(attachment);
  }
#ifdef _WIN32
  // A canvas drawing on the pixels, made on first use and kept with the bitmap. Defined by the
  // Windows toolkit library (tkwin), which callers of this member link.
  TCanvas& Canvas();
#endif

 private:
  // Moves the storage in, tells the attachment and frees the old storage last.
  void ReplaceStorage(TBitmapStorage storage, int width, int height);

  int width_ = 0;
  int height_ = 0;
  TBitmapStorage storage_;
  // Declared after the storage so that it is destroyed first, while the storage still exists.
  std::unique_ptr<TBitmapAttachment> attachment_;
  TPixelFormat pixelFormat_ = pfDevice;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clNone;
  bool transparent_ = false;
};

}  // namespace tk
