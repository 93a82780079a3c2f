// What every skinner shares for painting and scroll bars: the caption centred over a skin
// picture (pixels read back from the window) and the scroll-thumb tracking records.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/engine/SkinControl.h"
#include "skin/utils/WinWindowUtils.h"
#include "tests/win/SkinControlTestSupport.h"
#include "tests/win/SkinWindowTestFrame.h"
#include "tests/win/SkinWindowTestSupport.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/GdiObject.h"

namespace {

using namespace testing_support;

constexpr tk::TColor kBackground = 0xC0F0C0;
constexpr tk::TColor kInk = 0x000000;
constexpr tk::TColor kGrey = 0x808080;
constexpr int kPadWidth = 220;
constexpr int kPadHeight = 44;
const std::string kWord = "Orvandel";

tk::TFont& TextFont() {
  static const std::unique_ptr<tk::TFont> font = [] {
    auto f = std::make_unique<tk::TFont>();
    f->SetName("Tahoma");
    f->SetHeight(-13);
    f->SetColor(kInk);
    return f;
  }();
  return *font;
}

// The text's size as the painting measures it.
SIZE MeasuredText(const std::string& text) {
  tk::TMemoryDC dc;
  tk::TSelection font(dc.Get(), TextFont().Handle());
  RECT r{0, 0, 1000, 0};
  DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The first column and row that are not background.
POINT FirstInk(const tk::TBitmap& shot) {
  POINT ink{-1, -1};
  for (int x = 0; x < shot.Width() && ink.x < 0; ++x)
    for (int y = 0; y < shot.Height(); ++y)
      if (shot.Pixel(x, y) != kBackground) ink.x = x;
  for (int y = 0; y < shot.Height() && ink.y < 0; ++y)
    for (int x = 0; x < shot.Width(); ++x)
      if (shot.Pixel(x, y) != kBackground) ink.y = y;
  return ink;
}

// Where the text's ink starts when drawn with its top-left corner at (0, 0).
POINT InkOffset(const std::string& text) {
  tk::TBitmap pad(kPadWidth, kPadHeight);
  tk::TCanvas& canvas = pad.Canvas();
  canvas.Brush().Color = kBackground;
  canvas.FillRect(tk::Rect(0, 0, kPadWidth, kPadHeight));
  canvas.Font().Assign(TextFont());
  canvas.Brush().Style = tk::bsClear;
  canvas.TextOutAt(0, 0, text);
  return FirstInk(pad);
}

// A plain child window that the text is painted on, with its skinner.
class PaintBitmapTextTest : public SkinEngineFixture {
 protected:
  void SetUp() override {
    SkinEngineFixture::SetUp();
    top_ = std::make_unique<TFrameWindow>(320, 200);
    frame_ = TTestFrame::Make(engine_, top_->Handle());
    pad_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, kPadWidth, kPadHeight,
                           top_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    skinner_.reset(static_cast<TRecordingWndSkinner*>(
        skin::MakeWndSkinner<TRecordingWndSkinner>(pad_, frame_.get())));
    picture_ = std::make_unique<tk::TBitmap>(kPadWidth, kPadHeight);
    picture_->Canvas().Brush().Color = kBackground;
    picture_->Canvas().FillRect(tk::Rect(0, 0, kPadWidth, kPadHeight));
    PumpUntil([this] { return GetUpdateRect(pad_, nullptr, FALSE) == 0; });
  }
  void TearDown() override {
    skinner_.reset();
    DestroyWindow(pad_);
    frame_.reset();
    top_.reset();
    SkinEngineFixture::TearDown();
  }

  std::unique_ptr<TFrameWindow> top_;
  std::unique_ptr<TTestFrame> frame_;
  HWND pad_ = nullptr;
  std::unique_ptr<TRecordingWndSkinner> skinner_;
  std::unique_ptr<tk::TBitmap> picture_;
};

struct TCentringCase {
  const char* Name;
  int ExtraWidth;
  bool Pressed;
  int Shift;
};

// Halves are truncated toward zero: one pixel to spare moves nothing, three too few move
// the text one pixel left (not two); pressed text sits one pixel further.
constexpr TCentringCase kCentringCases[] = {
    {"one pixel to spare", 1, false, 0},
    {"one pixel too few", -1, false, 0},
    {"three pixels too few", -3, false, -1},
    {"four pixels to spare", 4, false, 2},
    {"pressed", 1, true, 1},
};

TEST_F(PaintBitmapTextTest, CentresTheMeasuredTextTruncatingTowardZero) {
  const SIZE text = MeasuredText(kWord);
  const POINT ink = InkOffset(kWord);
  ASSERT_GE(ink.x, 0);
  for (const TCentringCase& c : kCentringCases) {
    skinner_->SetStates(c.Pressed ? skin::ssPressed : 0);
    const tk::TRect rect = tk::Rect(30, 6, 30 + text.cx + c.ExtraWidth, 6 + text.cy);
    skinner_->PaintBitmapText(*picture_, kWord, false, rect, &TextFont());
    const TOwnedBitmap shot = CaptureClient(pad_);
    const POINT found = FirstInk(shot);
    EXPECT_EQ(found.x, rect.Left + c.Shift + ink.x) << c.Name;
    EXPECT_EQ(found.y, rect.Top + (c.Pressed ? 1 : 0) + ink.y) << c.Name;
    EXPECT_EQ(shot.Pixel(0, 0), kBackground) << c.Name << ": the picture is copied first";
  }
}

TEST_F(PaintBitmapTextTest, DisabledTextIsGreyAndNoTextCopiesOnlyThePicture) {
  skinner_->PaintBitmapText(*picture_, kWord, false, tk::Rect(0, 0, kPadWidth, kPadHeight),
                            &TextFont());
  EXPECT_GT(CountColor(CaptureClient(pad_), kInk), 0);
  EnableWindow(pad_, FALSE);
  PumpUntil([this] { return GetUpdateRect(pad_, nullptr, FALSE) == 0; });
  skinner_->PaintBitmapText(*picture_, kWord, false, tk::Rect(0, 0, kPadWidth, kPadHeight),
                            &TextFont());
  const TOwnedBitmap grey = CaptureClient(pad_);
  EXPECT_GT(CountColor(grey, kGrey), 0);
  EXPECT_EQ(CountColor(grey, kInk), 0);
  EXPECT_EQ(TextFont().Color(), kInk) << "the caller's font keeps its colour";
  skinner_->PaintBitmapText(*picture_, "", false, tk::Rect(0, 0, kPadWidth, kPadHeight),
                            &TextFont());
  EXPECT_EQ(CountColor(CaptureClient(pad_), kBackground), kPadWidth * kPadHeight);
}

TEST_F(PaintBitmapTextTest, WideTextIsTheWindowsOwnText) {
  SetWindowTextW(pad_, L"Orvandel");
  PumpUntil([this] { return GetUpdateRect(pad_, nullptr, FALSE) == 0; });
  const SIZE text = MeasuredText(kWord);
  const POINT ink = InkOffset(kWord);
  const tk::TRect rect = tk::Rect(40, 4, 40 + text.cx + 4, 4 + text.cy);
  skinner_->PaintBitmapWideText(*picture_, false, rect, &TextFont());
  const POINT found = FirstInk(CaptureClient(pad_));
  EXPECT_EQ(found.x, rect.Left + 2 + ink.x);
  EXPECT_EQ(found.y, rect.Top + ink.y);
}

TEST_F(PaintBitmapTextTest, PaintBitmapAtDrawsAtThePoint) {
  tk::TBitmap spot(4, 3);
  spot.Canvas().Brush().Color = kInk;
  spot.Canvas().FillRect(tk::Rect(0, 0, 4, 3));
  skinner_->PaintBitmapText(*picture_, "", false, tk::Rect(0, 0, 1, 1), nullptr);
  skinner_->PaintBitmapAt(spot, tk::TPoint{50, 10});
  const TOwnedBitmap shot = CaptureClient(pad_);
  EXPECT_EQ(FirstInk(shot).x, 50);
  EXPECT_EQ(FirstInk(shot).y, 10);
  EXPECT_EQ(CountColor(shot, kInk), 12);
}

}  // namespace
