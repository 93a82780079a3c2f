#pragma once

#include <windows.h>

#include <optional>

#include "Canvas.h"
#include "GdiObject.h"
#include "toolkit/core/Bitmap.h"

namespace tk {

// What TBitmap::Canvas binds to the bitmap: a memory DC with the bitmap's DIB section selected
// and a canvas on it. When the bitmap's storage is replaced the new section is selected, so a
// canvas reference stays usable across SetSize.
class TBitmapCanvasLink : public TBitmapAttachment {
 public:
  explicit TBitmapCanvasLink(TBitmapHandle storage);
  ~TBitmapCanvasLink() override;

  void StorageReplaced(TBitmapHandle storage) override;
  TCanvas& Canvas() { return canvas_; }

 private:
  TMemoryDC dc_;
  // Made before the section is selected: the state it restores holds the DC's own bitmap.
  TCanvas canvas_;
  TSelection section_;
};

// A device context to read a bitmap's pixels from for one operation. A DIB section can be
// selected into one context only, so a bitmap that has a canvas lends its context; any other
// gets a memory DC made for the scope.
class TBitmapDC {
 public:
  explicit TBitmapDC(TBitmap& bitmap);
  TBitmapDC(const TBitmapDC&) = delete;
  TBitmapDC& operator=(const TBitmapDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  std::optional<TMemoryDC> memory_;
  std::optional<TSelection> section_;
  HDC dc_ = nullptr;
};

}  // namespace tk
