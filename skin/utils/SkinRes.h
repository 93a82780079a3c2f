#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "skin/reader/SkinReader.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Object.h"

namespace skin {

// Parts cut from skin bitmaps once per skin. The engine hands every resource its skin reader
// after each load; Rebuild then recuts the parts from the new skin.
class TzubSkinRes : public tk::TObject {
 public:
  // Stores the reader (not owned) and rebuilds.
  void SetReader(TzubSkinReader* reader);
  virtual void Rebuild() {}

 protected:
  TzubSkinReader* FReader = nullptr;
};

// Arrow buttons and thumb parts of skinned scroll bars, in horizontal and vertical form.
class TzubSkinScrollBtnRes : public TzubSkinRes {
 public:
  static constexpr int kButtonCount = 6;
  static constexpr int kThumbPartCount = 5;

  void Rebuild() override;

  // 1-based; nil outside the range and before the first rebuild with a loaded skin.
  // Buttons 1-3 are frames 1-3 of the up (left) button, 4-6 of the down (right) button.
  tk::TBitmap* GetHorzButton(int index) const;
  tk::TBitmap* GetVertButton(int index) const;
  // Thumb parts: cap, body, grip, body, cap, from the top (left).
  tk::TBitmap* GetHorzThumb(int index) const;
  tk::TBitmap* GetVertThumb(int index) const;

  // Whole-bar skins only, else nil: SKIN2_SCROLLBAR turned a quarter anticlockwise, and a copy.
  tk::TBitmap* HorzBarImage() const { return horzBarImage_.get(); }
  tk::TBitmap* VertBarImage() const { return vertBarImage_.get(); }
  // The thickness of a skinned scroll bar: the width of SKIN2_SCROLLBAR.
  std::int32_t BarThickness = 0;
  bool WholeBarThumb = false;

 private:
  using TBitmapPtr = std::unique_ptr<tk::TBitmap>;

  void Clear();
  void CutButtons();
  void CutVertThumb(const tk::TBitmap& bar);
  void TurnThumbHorizontal();
  void PaintTransparentInBarColor(tk::TColor trans, tk::TColor barColor);

  std::array<TBitmapPtr, kButtonCount> horzButtons_;
  std::array<TBitmapPtr, kButtonCount> vertButtons_;
  std::array<TBitmapPtr, kThumbPartCount> horzThumb_;
  std::array<TBitmapPtr, kThumbPartCount> vertThumb_;
  TBitmapPtr horzBarImage_;
  TBitmapPtr vertBarImage_;
};

// The four parts of a skinned progress bar, in horizontal and vertical form.
class TzubSkinProgressBarRes : public TzubSkinRes {
 public:
  static constexpr int kPartCount = 4;

  void Rebuild() override;

  // 1-based; nil outside the range and before the first rebuild with a loaded skin.
  tk::TBitmap* GetHorzPart(int index) const;
  tk::TBitmap* GetVertPart(int index) const;

  std::int32_t FirstPartWidth = 0;
  std::int32_t LastPartWidth = 0;

 private:
  std::array<std::unique_ptr<tk::TBitmap>, kPartCount> horzParts_;
  std::array<std::unique_ptr<tk::TBitmap>, kPartCount> vertParts_;
};

}  // namespace skin
