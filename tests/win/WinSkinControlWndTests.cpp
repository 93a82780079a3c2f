// Skinners of native child windows: subclassing, the state they keep, and how they leave the
// window's procedure chain, whether or not someone subclassed the window after them.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/engine/SkinControlWnd.h"
#include "tests/support/TestWindow.h"
#include "tests/win/SkinControlTestSupport.h"
#include "tests/win/SkinWindowTestFrame.h"
#include "tests/win/SkinWindowTestSupport.h"
#include "toolkit/win/ObjectInstance.h"

namespace {

using namespace testing_support;
using skin::kSkinnedQuery;

constexpr UINT kProbeMessage = WM_USER + 9;

LRESULT CALLBACK ProbeProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LogMessage(TStage::Own, msg);
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

// A child window class whose own procedure records what reaches it.
const wchar_t* ProbeClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"OrvSkinControlProbe";
    RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

// The procedure a later subclasser puts on probe windows; every probe window had the same
// procedure before it.
WNDPROC laterSaved = nullptr;

LRESULT CALLBACK LaterProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LogMessage(TStage::Later, msg);
  return CallWindowProcW(laterSaved, wnd, msg, wParam, lParam);
}

void SubclassLater(HWND wnd) {
  laterSaved = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
}

LONG_PTR ProcOf(HWND wnd) {
  return GetWindowLongPtrW(wnd, GWLP_WNDPROC);
}

// A probe window inside a framed top-level window of the skinning engine.
class WndSkinnerTest : public SkinEngineFixture {
 protected:
  void SetUp() override {
    SkinEngineFixture::SetUp();
    top_ = std::make_unique<TFrameWindow>(320, 220);
    frame_ = TTestFrame::Make(engine_, top_->Handle());
    child_ = NewChild();
    ownProc_ = ProcOf(child_);
  }
  void TearDown() override {
    skinner_.reset();
    if (IsWindow(child_)) DestroyWindow(child_);
    frame_.reset();
    top_.reset();
    SkinEngineFixture::TearDown();
  }

  HWND NewChild(DWORD style = 0) {
    return CreateWindowExW(0, ProbeClass(), L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 120, 40,
                           top_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  static std::unique_ptr<TRecordingWndSkinner> SkinnerFor(HWND wnd, skin::TzubSkinWindow* frame) {
    return std::unique_ptr<TRecordingWndSkinner>(
        static_cast<TRecordingWndSkinner*>(skin::MakeWndSkinner<TRecordingWndSkinner>(wnd, frame)));
  }
  void Attach() {
    skinner_ = SkinnerFor(child_, frame_.get());
    ResetRecording();
  }
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(child_, msg, wParam, lParam);
  }

  std::unique_ptr<TFrameWindow> top_;
  std::unique_ptr<TTestFrame> frame_;
  HWND child_ = nullptr;
  LONG_PTR ownProc_ = 0;
  std::unique_ptr<TRecordingWndSkinner> skinner_;
};

TEST_F(WndSkinnerTest, SeesEveryMessageBeforeAndAfterTheWindowsProcedure) {
  Attach();
  Send(kProbeMessage);
  EXPECT_EQ(StagesOf(kProbeMessage),
            (std::vector<TStage>{TStage::Before, TStage::Own, TStage::After}))
      << StageNames(StagesOf(kProbeMessage));
  SkinnerEvents().Swallowed = kProbeMessage;
  MessageLog().clear();
  Send(kProbeMessage);
  EXPECT_EQ(StagesOf(kProbeMessage), (std::vector<TStage>{TStage::Before, TStage::After}))
      << StageNames(StagesOf(kProbeMessage));
}

TEST_F(WndSkinnerTest, KeepsHoverAndPressedStateAndRepaints) {
  Attach();
  for (const TStateCase& c : kStateCases) {
    skinner_->SetStates(c.Before);
    SkinnerEvents() = {};
    Send(c.Msg, c.WParam);
    EXPECT_EQ(skinner_->States(), c.After) << c.Name;
    EXPECT_EQ(SkinnerEvents().Calls, std::vector<std::string>{c.Call}) << c.Name;
    EXPECT_EQ(SkinnerEvents().Paints, 1) << c.Name;
  }
}

TEST_F(WndSkinnerTest, AnswersTheSkinnedQueryOnlyWhileTheEngineSkins) {
  Attach();
  EXPECT_EQ(Send(kSkinnedQuery), 1);
  engine_->SetActive(false);
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own});
  engine_->SetActive(true);
  EXPECT_EQ(Send(kSkinnedQuery), 1);
}

TEST_F(WndSkinnerTest, AnEngineBeingDestroyedPassesEverythingToTheOldProcedure) {
  Attach();
  engine_->MarkDestroying();
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own});
}

TEST_F(WndSkinnerTest, FreeingTheSkinnerPutsTheExactProcedureBack) {
  Attach();
  EXPECT_NE(ProcOf(child_), ownProc_);
  skinner_.reset();
  EXPECT_EQ(ProcOf(child_), ownProc_);
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), std::vector<TStage>{TStage::Own});
}

TEST_F(WndSkinnerTest, ALaterSubclasserKeepsWorkingWhenTheSkinnerGoes) {
  Attach();
  SubclassLater(child_);
  skinner_.reset();
  EXPECT_EQ(ProcOf(child_), reinterpret_cast<LONG_PTR>(&LaterProc));
  MessageLog().clear();
  EXPECT_NE(Send(kSkinnedQuery), 1);
  EXPECT_EQ(StagesOf(kSkinnedQuery), (std::vector<TStage>{TStage::Later, TStage::Own}))
      << StageNames(StagesOf(kSkinnedQuery));
  DestroyWindow(child_);
  EXPECT_FALSE(IsWindow(child_));
}

// Window procedures of skinners come from a pool of kObjectInstanceCount: one that stayed
// taken after its window was destroyed would soon leave no procedure for new skinners.
TEST_F(WndSkinnerTest, NoWindowProcedureIsLeftTakenOnceItsWindowIsGone) {
  const int rounds = static_cast<int>(tk::kObjectInstanceCount) + 16;
  for (int i = 0; i < rounds; ++i) {
    const HWND laterSubclassed = NewChild();
    std::unique_ptr<TRecordingWndSkinner> left;
    ASSERT_NO_THROW(left = SkinnerFor(laterSubclassed, frame_.get())) << "round " << i;
    SubclassLater(laterSubclassed);
    left.reset();
    DestroyWindow(laterSubclassed);

    const HWND destroyedFirst = NewChild();
    std::unique_ptr<TRecordingWndSkinner> outlived;
    ASSERT_NO_THROW(outlived = SkinnerFor(destroyedFirst, frame_.get())) << "round " << i;
    DestroyWindow(destroyedFirst);
    outlived.reset();
  }
}

TEST_F(WndSkinnerTest, TheSkinnerMeasuresTheWholeWindow) {
  const HWND bordered = NewChild(WS_BORDER);
  const std::unique_ptr<TRecordingWndSkinner> skinner = SkinnerFor(bordered, frame_.get());
  tk::TRect r;
  skinner->GetClientRect(r);
  EXPECT_EQ(r, tk::Rect(0, 0, 120, 40));
  EXPECT_EQ(skinner->WindowWidth(), 120);
  EXPECT_EQ(skinner->WindowHeight(), 40);
  EXPECT_EQ(skinner->GetHandle(), bordered);
  EXPECT_TRUE(skinner->GetEnabled());
  EnableWindow(bordered, FALSE);
  EXPECT_FALSE(skinner->GetEnabled());
}

TEST_F(WndSkinnerTest, WindowTextGivesAtMost259Characters) {
  Attach();
  std::string title(300, 'x');
  for (std::size_t i = 0; i < title.size(); ++i) title[i] = static_cast<char>('a' + i % 26);
  SetWindowTextA(child_, title.c_str());
  EXPECT_EQ(skinner_->WindowText(), title.substr(0, 259));
  SetWindowTextA(child_, "Short");
  EXPECT_EQ(skinner_->WindowText(), "Short");
}

}  // namespace
