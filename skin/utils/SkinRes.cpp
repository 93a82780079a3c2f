#include "SkinRes.h"

#include <utility>

#include "PixelUtils.h"
#include "skin/reader/Skin2Define.h"

namespace skin {

namespace {

// Each arrow-button strip holds three equal frames.
constexpr int kButtonFrames = 3;

// A whole-bar skin is recognised by its scroll-bar colour, bar height and one probe pixel.
constexpr tk::TColor kWholeBarColor = 0xCBCBCB;
constexpr int kWholeBarHeight = 33;
constexpr int kWholeBarProbeX = 1;
constexpr int kWholeBarProbeY = 10;
constexpr tk::TColor kWholeBarProbeColor = 0xB23901;

// The vertical thumb: 3-row caps at both ends; row 3 is skipped; the rest is split into two
// bodies of (height - 6) div 3 rows and the grip between them.
constexpr int kCapRows = 3;
constexpr int kUpperBodyFirstRow = 4;
constexpr int kThumbFixedRows = 6;
constexpr int kThumbParts = 3;
constexpr int kBlankPartRows = 1;

// A grip is uniform when its row 1 has the colour of column 4 from column 4 to width - 4.
constexpr int kGripProbeRow = 1;
constexpr int kGripProbeMargin = 4;

enum TThumbPart { tpFirstCap, tpFirstBody, tpGrip, tpSecondBody, tpSecondCap };

std::unique_ptr<tk::TBitmap> NewBitmap24() {
  auto bitmap = std::make_unique<tk::TBitmap>();
  bitmap->SetPixelFormat(tk::pf24bit);
  return bitmap;
}

std::unique_ptr<tk::TBitmap> CopyOf(const tk::TBitmap& source) {
  auto copy = std::make_unique<tk::TBitmap>();
  copy->Assign(source);
  return copy;
}

bool IsWholeBar(const tk::TBitmap& bar, tk::TColor barColor) {
  return barColor == kWholeBarColor && bar.Height() == kWholeBarHeight &&
         bar.Pixel(kWholeBarProbeX, kWholeBarProbeY) == kWholeBarProbeColor;
}

// Reads outside the grip (a one-row grip has no row 1) all answer the same, so such a grip
// counts as uniform.
bool IsUniformGrip(const tk::TBitmap& grip) {
  const tk::TColor probe = grip.Pixel(kGripProbeMargin, kGripProbeRow);
  for (int x = kGripProbeMargin; x <= grip.Width() - kGripProbeMargin; ++x)
    if (grip.Pixel(x, kGripProbeRow) != probe) return false;
  return true;
}

template <std::size_t N>
tk::TBitmap* Item(const std::array<std::unique_ptr<tk::TBitmap>, N>& items, int index) {
  if (index < 1 || index > static_cast<int>(N)) return nullptr;
  return items[static_cast<std::size_t>(index - 1)].get();
}

}  // namespace

void TzubSkinRes::SetReader(TzubSkinReader* reader) {
  FReader = reader;
  Rebuild();
}

tk::TBitmap* TzubSkinScrollBtnRes::GetHorzButton(int index) const {
  return Item(horzButtons_, index);
}
tk::TBitmap* TzubSkinScrollBtnRes::GetVertButton(int index) const {
  return Item(vertButtons_, index);
}
tk::TBitmap* TzubSkinScrollBtnRes::GetHorzThumb(int index) const {
  return Item(horzThumb_, index);
}
tk::TBitmap* TzubSkinScrollBtnRes::GetVertThumb(int index) const {
  return Item(vertThumb_, index);
}

// WholeBarThumb describes the bar images, so it goes with them: a painter never sees the flag
// set while the images are nil.
void TzubSkinScrollBtnRes::Clear() {
  for (auto& bitmap : horzButtons_) bitmap.reset();
  for (auto& bitmap : vertButtons_) bitmap.reset();
  for (auto& bitmap : horzThumb_) bitmap.reset();
  for (auto& bitmap : vertThumb_) bitmap.reset();
  horzBarImage_.reset();
  vertBarImage_.reset();
  WholeBarThumb = false;
}

void TzubSkinScrollBtnRes::Rebuild() {
  Clear();
  if (FReader == nullptr || !FReader->Loaded()) return;
  const tk::TColor trans = FReader->GetColor(SKIN2_TRANSCOLOR);
  const tk::TColor barColor = FReader->GetColor(SKIN2_SCROLLBARCOLOR);
  for (auto& bitmap : horzButtons_) bitmap = NewBitmap24();
  for (auto& bitmap : vertButtons_) bitmap = NewBitmap24();
  for (auto& bitmap : horzThumb_) bitmap = NewBitmap24();
  for (auto& bitmap : vertThumb_) bitmap = NewBitmap24();
  CutButtons();

  const tk::TBitmap* bar = FReader->GetBitmap(SKIN2_SCROLLBAR);
  if (bar == nullptr) return;
  WholeBarThumb = IsWholeBar(*bar, barColor);
  if (WholeBarThumb) {
    vertBarImage_ = CopyOf(*bar);
    horzBarImage_ = CopyOf(*bar);
    RotateBitmap90CCW(horzBarImage_.get());
  }
  CutVertThumb(*bar);
  TurnThumbHorizontal();
  PaintTransparentInBarColor(trans, barColor);
  BarThickness = vertThumb_[tpFirstCap]->Width();
}

// The up button's frames, then the down button's; the horizontal ones turned to point left and
// right.
void TzubSkinScrollBtnRes::CutButtons() {
  const tk::TBitmap* up = FReader->GetBitmap(SKIN2_SCROLLBARUPBUTTON);
  const tk::TBitmap* down = FReader->GetBitmap(SKIN2_SCROLLBARDOWNBUTTON);
  for (int frame = 1; frame <= kButtonFrames; ++frame) {
    const std::size_t upSlot = static_cast<std::size_t>(frame - 1);
    const std::size_t downSlot = upSlot + kButtonFrames;
    ExtractFrame(up, vertButtons_[upSlot].get(), kButtonFrames, frame);
    ExtractFrame(down, vertButtons_[downSlot].get(), kButtonFrames, frame);
    ExtractFrame(up, horzButtons_[upSlot].get(), kButtonFrames, frame);
    ExtractFrame(down, horzButtons_[downSlot].get(), kButtonFrames, frame);
  }
  for (auto& bitmap : horzButtons_) RotateBitmap90CCW(bitmap.get());
}

void TzubSkinScrollBtnRes::CutVertThumb(const tk::TBitmap& bar) {
  const int width = bar.Width();
  const int height = bar.Height();
  const int body = (height - kThumbFixedRows) / kThumbParts;
  auto cut = [&](TThumbPart part, int rows, int firstRow) {
    tk::TBitmap& bitmap = *vertThumb_[part];
    bitmap.SetSize(width, rows);
    CopyRows(bar, bitmap, firstRow);
  };
  cut(tpFirstCap, kCapRows, 0);
  cut(tpSecondCap, kCapRows, height - kCapRows);
  if (body > 0) {
    cut(tpFirstBody, body, kUpperBodyFirstRow);
    cut(tpGrip, height - 2 * body - kThumbFixedRows, body + kUpperBodyFirstRow);
    cut(tpSecondBody, body, height - body - kCapRows);
  } else {
    for (TThumbPart part : {tpFirstBody, tpGrip, tpSecondBody})
      vertThumb_[part]->SetSize(width, kBlankPartRows);
  }
}

// A uniform grip looks the same either way round, so the thumb turns anticlockwise (top cap
// to the left). Otherwise it turns clockwise, which puts the top cap on the right, and the
// arrow buttons change sides and turn half round to keep pointing outwards.
void TzubSkinScrollBtnRes::TurnThumbHorizontal() {
  if (IsUniformGrip(*vertThumb_[tpGrip])) {
    for (int i = 0; i < kThumbPartCount; ++i) {
      horzThumb_[i] = CopyOf(*vertThumb_[i]);
      RotateBitmap90CCW(horzThumb_[i].get());
    }
    return;
  }
  for (int i = 0; i < kThumbPartCount; ++i) {
    auto& part = horzThumb_[kThumbPartCount - 1 - i];
    part = CopyOf(*vertThumb_[i]);
    RotateBitmap90CW(part.get());
  }
  for (int i = 0; i < kButtonFrames; ++i)
    std::swap(horzButtons_[i], horzButtons_[i + kButtonFrames]);
  for (auto& bitmap : horzButtons_) RotateBitmap180(bitmap.get());
}

void TzubSkinScrollBtnRes::PaintTransparentInBarColor(tk::TColor trans, tk::TColor barColor) {
  for (auto* group : {&horzButtons_, &vertButtons_})
    for (auto& bitmap : *group) ReplaceBitmapColor(bitmap.get(), trans, barColor);
  for (auto* group : {&horzThumb_, &vertThumb_})
    for (auto& bitmap : *group) ReplaceBitmapColor(bitmap.get(), trans, barColor);
}

tk::TBitmap* TzubSkinProgressBarRes::GetHorzPart(int index) const {
  return Item(horzParts_, index);
}
tk::TBitmap* TzubSkinProgressBarRes::GetVertPart(int index) const {
  return Item(vertParts_, index);
}

void TzubSkinProgressBarRes::Rebuild() {
  for (auto& bitmap : horzParts_) bitmap.reset();
  for (auto& bitmap : vertParts_) bitmap.reset();
  if (FReader == nullptr || !FReader->Loaded()) return;
  constexpr std::array<TSkin2Bitmap, kPartCount> kSources = {
      SKIN2_PROGRESSBAR1, SKIN2_PROGRESSBAR2, SKIN2_PROGRESSBAR3, SKIN2_PROGRESSBAR4};
  for (std::size_t i = 0; i < kPartCount; ++i) {
    horzParts_[i] = std::make_unique<tk::TBitmap>();
    if (const tk::TBitmap* source = FReader->GetBitmap(kSources[i])) horzParts_[i]->Assign(*source);
    vertParts_[i] = CopyOf(*horzParts_[i]);
    RotateBitmap90CCW(vertParts_[i].get());
  }
  FirstPartWidth = horzParts_.front()->Width();
  LastPartWidth = horzParts_.back()->Width();
}

}  // namespace skin
