// Skinners of the toolkit's controls: where they sit in a control's message handling, the
// hover and pressed state they keep, the already-skinned answer, and how they leave.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "skin/engine/SkinControlVCL.h"
#include "skin/engine/SkinWindow.h"
#include "tests/win/SkinControlTestSupport.h"
#include "toolkit/win/Forms.h"

// Live allocations of the whole test program, to show that what a skinner leaves behind goes
// when its control goes.
namespace {
std::atomic<long> liveAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size != 0 ? size : 1);
  if (p == nullptr) throw std::bad_alloc();
  ++liveAllocations;
  return p;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --liveAllocations;
  std::free(p);
}
void operator delete[](void* p) noexcept {
  operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

using namespace testing_support;
using skin::kSkinnedQuery;

constexpr UINT kProbeMessage = WM_USER + 7;

// A skinned main form with one probe button; the button's WindowProc before skinning is kept.
class ControlSkinnerTest : public SkinEngineFixture {
 protected:
  void SetUp() override {
    SkinEngineFixture::SetUp();
    RegisterProbeSkinner();
    button_ = new TProbeButton(main_);
    button_->SetParent(main_);
    button_->SetBounds(20, 20, 90, 28);
    ownProc_ = button_->WindowProc();
  }

  void Skin() {
    SkinMainForm();
    skinner_ = SkinnerOf(MainFrame(), button_);
    ASSERT_NE(skinner_, nullptr);
    ResetRecording();
  }

  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(button_->Handle(), msg, wParam, lParam);
  }

  TProbeButton* button_ = nullptr;
  tk::TWndMethod ownProc_;
  TRecordingControlSkinner* skinner_ = nullptr;
};

TEST_F(ControlSkinnerTest, SeesEveryMessageBeforeAndAfterTheControl) {
  Skin();
  Send(kProbeMessage);
  button_->Perform(tk::CM_TEXTCHANGED);
  const std::vector<TStage> around = {TStage::Before, TStage::Own, TStage::After};
  EXPECT_EQ(StagesOf(kProbeMessage), around) << StageNames(StagesOf(kProbeMessage));
  EXPECT_EQ(StagesOf(tk::CM_TEXTCHANGED), around) << StageNames(StagesOf(tk::CM_TEXTCHANGED));
}

TEST_F(ControlSkinnerTest, BeforeWndProcReturningFalseSwallowsTheMessage) {
  Skin();
  SkinnerEvents().Swallowed = kProbeMessage;
  Send(kProbeMessage);
  const std::vector<TStage> swallowed = {TStage::Before, TStage::After};
  EXPECT_EQ(StagesOf(kProbeMessage), swallowed) << StageNames(StagesOf(kProbeMessage));
}

TEST_F(ControlSkinnerTest, KeepsHoverAndPressedStateAndRepaints) {
  Skin();
  for (const TStateCase& c : kStateCases) {
    skinner_->SetStates(c.Before);
    SkinnerEvents() = {};
    Send(c.Msg, c.WParam);
    EXPECT_EQ(skinner_->States(), c.After) << c.Name;
    EXPECT_EQ(SkinnerEvents().Calls, std::vector<std::string>{c.Call}) << c.Name;
    EXPECT_EQ(SkinnerEvents().Paints, 1) << c.Name;
  }
}

TEST_F(ControlSkinnerTest, RepaintRequestAndTextChangesRepaint) {
  Skin();
  for (UINT msg : {skin::kSkinRepaintRequest, UINT{WM_SETTEXT}, UINT{tk::CM_ENABLEDCHANGED}}) {
    SkinnerEvents().Paints = 0;
    if (msg == WM_SETTEXT)
      Send(msg, 0, reinterpret_cast<LPARAM>(L"Text"));
    else
      button_->Perform(msg);
    EXPECT_EQ(SkinnerEvents().Paints, 1) << std::hex << msg;
  }
}

TEST_F(ControlSkinnerTest, AnswersTheSkinnedQueryOnlyWhileSkinningAndNotDisabledByTag) {
  Skin();
  EXPECT_EQ(Send(kSkinnedQuery), 1);
  button_->SetTag(engine_->DisabledTag());
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1) << "a control given the disabled tag later";
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own})
      << "only the control's own handler sees it";
  button_->SetTag(0);
  EXPECT_EQ(Send(kSkinnedQuery), 1) << "tag back";
  engine_->SetActive(false);
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1) << "engine inactive";
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own});
  engine_->SetActive(true);
  EXPECT_EQ(Send(kSkinnedQuery), 1) << "engine active again";
}

// The frame ignores a disabled tag of 0 when it attaches, but the skinner then passes every
// control of tag 0 straight through.
TEST_F(ControlSkinnerTest, ADisabledTagOfZeroAttachesButPassesTagZeroControlsThrough) {
  auto* tagged = new TProbeButton(main_);
  tagged->SetParent(main_);
  tagged->SetBounds(20, 60, 90, 28);
  tagged->SetTag(5);
  engine_->SetDisabledTag(0);
  Skin();
  EXPECT_NE(SkinnerOf(MainFrame(), tagged), nullptr);
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(SendMessageW(tagged->Handle(), kSkinnedQuery, 0, 0), 1);
}

TEST_F(ControlSkinnerTest, ADisabledTagControlGetsNoSkinner) {
  button_->SetTag(engine_->DisabledTag());
  SkinMainForm();
  EXPECT_EQ(SkinnerOf(MainFrame(), button_), nullptr);
  EXPECT_EQ(button_->WindowProc(), ownProc_);
}

// We are the last handler: the frame puts the saved one back before it detaches and frees
// the skinner, and the control then answers as it did before.
TEST_F(ControlSkinnerTest, AFrameFreedWithoutItsFormGivesTheExactHandlerBack) {
  Skin();
  EXPECT_NE(button_->WindowProc(), ownProc_);
  EXPECT_EQ(skinner_->OldWndProc(), ownProc_);
  bool restoredBeforeDetach = false;
  skinner_->onDetach = [&] { restoredBeforeDetach = button_->WindowProc() == ownProc_; };
  engine_->RemoveSkinWindow(main_->Handle());
  EXPECT_EQ(button_->WindowProc(), ownProc_);
  EXPECT_TRUE(restoredBeforeDetach);
  EXPECT_EQ(SkinnerEvents().Detaches, 1);
  EXPECT_EQ(SkinnerEvents().Freed, 1);
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own});
}

// Someone replaced the WindowProc after us: their handler stays in place and keeps working,
// the skinner no longer acts, and the control can be freed later.
TEST_F(ControlSkinnerTest, ALaterHandlerStaysInPlaceWhenTheSkinnerGoes) {
  Skin();
  TLaterHandler later(*button_);
  engine_->RemoveSkinWindow(main_->Handle());
  EXPECT_EQ(button_->WindowProc(), later.Method());
  EXPECT_EQ(SkinnerEvents().Freed, 1);
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), (std::vector<TStage>{TStage::Later, TStage::Own}))
      << StageNames(StagesOf(kSkinnedQuery));
  delete button_;
  EXPECT_EQ(SkinnerEvents().Freed, 1);
}

// The link left in a later handler's chain passes messages on until its control is freed,
// and goes with it: a second round of the same steps leaves no allocation behind.
TEST_F(ControlSkinnerTest, TheLinkLeftInALaterHandlersChainGoesWithItsControl) {
  Skin();
  MessageLog().reserve(100000);
  const auto round = [this] {
    auto* form = new tk::TForm(application_.get());
    form->SetBounds(200, 80, 300, 200);
    auto* button = new TProbeButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 26);
    form->Show();
    engine_->AddSkinWindow(form->Handle(), false);
    auto later = std::make_unique<TLaterHandler>(*button);
    engine_->RemoveSkinWindow(form->Handle());
    button->Perform(kProbeMessage);
    delete form;
    later.reset();
    PumpUntil([] { return true; });
    MessageLog().clear();
  };
  round();
  const long before = liveAllocations;
  round();
  EXPECT_EQ(liveAllocations - before, 0);
  EXPECT_EQ(SkinnerEvents().Freed, 2);
}

TEST_F(ControlSkinnerTest, AFrameFreedWithItsFormFreesTheSkinnersOnce) {
  Skin();
  auto* form = new tk::TForm(application_.get());
  form->SetBounds(200, 80, 300, 200);
  auto* button = new TProbeButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 26);
  form->Show();
  engine_->AddSkinWindow(form->Handle(), false);
  const skin::TzubSkinWindow* frame = engine_->FindSkinWindow(form->Handle());
  ASSERT_NE(SkinnerOf(frame, button), nullptr);
  const int frames = engine_->WindowCount();
  ResetRecording();
  delete form;
  EXPECT_EQ(engine_->WindowCount(), frames - 1);
  EXPECT_EQ(SkinnerEvents().Detaches, 1);
  EXPECT_EQ(SkinnerEvents().Freed, 1);
}

// A control freed while its frame lives takes its skinner with it; the frame's later work
// (skin changes, its own destruction) never reaches the freed control.
TEST_F(ControlSkinnerTest, AControlFreedWhileTheFrameLivesTakesItsSkinnerAlong) {
  Skin();
  delete button_;
  EXPECT_EQ(SkinnerEvents().Detaches, 1);
  EXPECT_EQ(SkinnerEvents().Freed, 1);
  EXPECT_EQ(SkinnerOf(MainFrame(), button_), nullptr);
  EXPECT_TRUE(MainFrame()->ControlSkinners().empty());
  engine_->SetActive(false);
  engine_->SetActive(true);
  engine_->SetSkinFile(SkinPackagePath("dark"));
  engine_->RemoveSkinWindow(main_->Handle());
  EXPECT_EQ(SkinnerEvents().Freed, 1);
}

// While the engine is being destroyed the control's invalidate requests are dropped and
// every other message goes to the control's own handler only.
TEST_F(ControlSkinnerTest, AnEngineBeingDestroyedDropsInvalidatesAndPassesTheRestThrough) {
  Skin();
  engine_->MarkDestroying();
  button_->Perform(tk::CM_INVALIDATE);
  EXPECT_TRUE(StagesOf(tk::CM_INVALIDATE).empty()) << StageNames(StagesOf(tk::CM_INVALIDATE));
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own});
}

TEST_F(ControlSkinnerTest, TheSkinnerAnswersForItsControl) {
  Skin();
  tk::TRect client;
  skinner_->GetClientRect(client);
  EXPECT_EQ(client, button_->ClientRect());
  EXPECT_EQ(skinner_->GetHandle(), button_->Handle());
  EXPECT_TRUE(skinner_->GetEnabled());
  button_->SetEnabled(false);
  EXPECT_FALSE(skinner_->GetEnabled());
  EXPECT_EQ(skinner_->Engine(), engine_);
  EXPECT_EQ(skinner_->SkinWindow(), MainFrame());
  EXPECT_FALSE(skinner_->NeedParentColor());
}

}  // namespace
