// The push-button skinner as the program registers it: the skin's button picture for the
// normal, hot and pressed state over the button, and the caption in the skin's colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "skin/engine/SkinControlVCL.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/WinDrawing.h"
#include "tests/support/HandleCount.h"
#include "tests/win/SkinControlTestSupport.h"
#include "tests/win/SkinWindowTestSupport.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/GdiObject.h"

namespace {

using namespace testing_support;

constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 30;
constexpr int kFrames = 3;

int Mismatches(const tk::TBitmap& a, const tk::TBitmap& b) {
  int count = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
  return count;
}

// A skinned main form with one push button, shown and painted.
class SkinButtonTest : public SkinEngineFixture {
 protected:
  void SetUp() override {
    SkinEngineFixture::SetUp();
    button_ = new tk::TButton(main_);
    button_->SetParent(main_);
    button_->SetBounds(20, 20, kButtonWidth, kButtonHeight);
  }

  void Skin() {
    SkinMainForm();
    skinner_ = SkinnerOf<skin::TzubSkinControlVCL>(MainFrame(), button_);
    ASSERT_NE(skinner_, nullptr);
    Settle();
  }
  void Settle() {
    PumpUntil([this] { return GetUpdateRect(button_->Handle(), nullptr, FALSE) == 0; });
  }

  // Frame index of the strip sectioned to the button's size over the form's colour.
  TOwnedBitmap Expected(int index) {
    TOwnedBitmap work(kButtonWidth, kButtonHeight);
    tk::TCanvas& canvas = work.Get().Canvas();
    canvas.Brush().Color = main_->Color();
    canvas.FillRect(tk::Rect(0, 0, kButtonWidth, kButtonHeight));
    tk::TBitmap frame;
    EXPECT_TRUE(engine_->GetSkinBitmap(skin::SKIN2_BUTTON, frame, index, kFrames));
    skin::DrawSectionedBitmap(&frame, canvas, tk::Rect(0, 0, kButtonWidth, kButtonHeight),
                              engine_->GetSkinColor(skin::SKIN2_TRANSCOLOR),
                              engine_->GetSkinBoolean(skin::SKIN2_BUTTONTRANS));
    return work;
  }

  // Pixels of the top-left corner that differ from the strip's own frame there (keyed-out
  // pixels show the form's colour).
  int CornerMismatches(const tk::TBitmap& shot, int index) {
    const tk::TBitmap* strip = engine_->Reader().GetBitmap(skin::SKIN2_BUTTON);
    const int frameWidth = strip->Width() / kFrames;
    const tk::TColor key = engine_->GetSkinColor(skin::SKIN2_TRANSCOLOR);
    const bool keyed = engine_->GetSkinBoolean(skin::SKIN2_BUTTONTRANS);
    int count = 0;
    for (int y = 0; y < strip->Height() / 2; ++y)
      for (int x = 0; x < frameWidth / 2; ++x) {
        tk::TColor expected = strip->Pixel((index - 1) * frameWidth + x, y);
        if (keyed && expected == key) expected = main_->Color();
        count += shot.Pixel(x, y) != expected;
      }
    return count;
  }

  tk::TButton* button_ = nullptr;
  skin::TzubSkinControlVCL* skinner_ = nullptr;
};

TEST_F(SkinButtonTest, TheProgramsRegistryGivesPushButtonsTheButtonSkinner) {
  Skin();
  EXPECT_STREQ(skinner_->ClassName(), "TzubSkinButton");
}

TEST_F(SkinButtonTest, DrawsTheStripFrameOfEachState) {
  Skin();
  struct TStateStep {
    const char* Name;
    int Frame;
    UINT Msg;
  };
  const std::array<TStateStep, 3> steps = {{
      {"normal", 1, 0},
      {"hot", 2, tk::CM_MOUSEENTER},
      {"pressed", 3, WM_LBUTTONDOWN},
  }};
  for (const TStateStep& step : steps) {
    if (step.Msg != 0)
      SendMessageW(button_->Handle(), step.Msg, step.Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                   MAKELPARAM(5, 5));
    Settle();
    const TOwnedBitmap shot = CaptureClient(button_->Handle());
    EXPECT_EQ(Mismatches(shot, Expected(step.Frame)), 0) << step.Name;
    EXPECT_EQ(CornerMismatches(shot, step.Frame), 0) << step.Name;
  }
  SendMessageW(button_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_GT(Mismatches(Expected(1), Expected(2)), 0) << "the skin's frames differ";
  EXPECT_GT(Mismatches(Expected(2), Expected(3)), 0) << "the skin's frames differ";
}

// The dark skin's button text is not the control's own black.
TEST_F(SkinButtonTest, TheCaptionTakesTheSkinsColourOrGreyWhenDisabled) {
  button_->SetCaption("Orvandel");
  engine_->SetSkinFile(SkinPackagePath("dark"));
  Skin();
  const tk::TColor skinColor = engine_->GetSkinColor(skin::SKIN2_BUTTONFONTCOLOR);
  const tk::TColor ownColor = tk::GdiColor(button_->Font().Color());
  ASSERT_NE(skinColor, ownColor) << "the skin must tell the two apart";
  EXPECT_GT(CountColor(CaptureClient(button_->Handle()), skinColor), 0);
  EXPECT_EQ(button_->Font().Color(), tk::clWindowText) << "the control's font is left alone";

  engine_->SetNoChangeButtonsFontColor(true);
  button_->Perform(skin::kSkinRepaintRequest);
  const TOwnedBitmap own = CaptureClient(button_->Handle());
  EXPECT_EQ(CountColor(own, skinColor), 0);
  EXPECT_GT(CountColor(own, ownColor), 0);

  engine_->SetNoChangeButtonsFontColor(false);
  button_->SetEnabled(false);
  Settle();
  const TOwnedBitmap disabled = CaptureClient(button_->Handle());
  EXPECT_GT(CountColor(disabled, 0x808080), 0);
  EXPECT_EQ(CountColor(disabled, skinColor), 0);
}

TEST_F(SkinButtonTest, RepaintingLeavesNoHandleBehind) {
  button_->SetCaption("Orvandel");
  Skin();
  const auto repaint = [this](int times) {
    for (int i = 0; i < times; ++i) {
      SendMessageW(button_->Handle(), i % 2 == 0 ? tk::CM_MOUSEENTER : tk::CM_MOUSELEAVE, 0, 0);
      button_->Perform(skin::kSkinRepaintRequest);
    }
  };
  repaint(4);
  const THandleCount before = CountHandles();
  repaint(200);
  const THandleCount after = CountHandles();
  EXPECT_EQ(after.GdiObjects, before.GdiObjects);
  EXPECT_EQ(after.Windows, before.Windows);
}

TEST_F(SkinButtonTest, AnInactiveEngineLeavesTheButtonsOwnLook) {
  Skin();
  engine_->SetActive(false);
  button_->Invalidate();
  Settle();
  EXPECT_GT(Mismatches(CaptureClient(button_->Handle()), Expected(1)), 0);
}

}  // namespace
