// The scroll-thumb tracking records: which controls keep them, and where a dragged thumb
// stops. The system's scroll-bar answer comes from a stand-in, so that every bar shape can be
// asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinControlVCL.h"
#include "skin/utils/WinWindowUtils.h"
#include "tests/win/SkinControlTestSupport.h"
#include "toolkit/win/WinControl.h"

namespace {

using namespace testing_support;
using skin::TzubScrollThumbTracking;

// Stand-ins named like the toolkit classes whose controls are tracked.
#define TEST_BOX_CLASS(Class, Parent)                        \
  class Class : public Parent {                              \
    TK_CLASS(Class, Parent)                                  \
                                                             \
   public:                                                   \
    explicit Class(tk::TComponent* owner) : Parent(owner) {} \
  };
TEST_BOX_CLASS(TScrollBox, tk::TWinControl)
TEST_BOX_CLASS(TMyScrollBox, TScrollBox)
TEST_BOX_CLASS(TCustomGrid, tk::TWinControl)
TEST_BOX_CLASS(TRichEditViewer, tk::TWinControl)
TEST_BOX_CLASS(TPlainBox, tk::TWinControl)
TEST_BOX_CLASS(TRxRichEditPlus, tk::TWinControl)
#undef TEST_BOX_CLASS

SCROLLBARINFO fakeInfo{};
BOOL fakeAnswer = TRUE;

BOOL WINAPI FakeGetScrollBarInfo(HWND, LONG, PSCROLLBARINFO info) {
  const DWORD size = info->cbSize;
  *info = fakeInfo;
  info->cbSize = size;
  return fakeAnswer;
}

FARPROC ResolveWithFake(const char* name) {
  if (std::string(name) == "GetScrollBarInfo")
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeGetScrollBarInfo));
  return GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
}

constexpr POINT kPress{600, 400};

// A skinned main form; each test puts a box on it with a recording skinner of its own.
class ScrollThumbTest : public SkinEngineFixture {
 protected:
  void SetUp() override {
    SkinEngineFixture::SetUp();
    SkinMainForm();
    skin::ResetUser32Lookups(&ResolveWithFake);
    fakeAnswer = TRUE;
    skin::VertScrollTracking() = {};
    skin::HorzScrollTracking() = {};
  }
  void TearDown() override {
    skinner_.reset();
    skin::ResetUser32Lookups();
    SkinEngineFixture::TearDown();
  }

  template <typename Box>
  Box* Skinned() {
    auto* box = new Box(main_);
    box->SetParent(main_);
    box->SetBounds(10, 10, 120, 90);
    skinner_.reset(static_cast<TRecordingControlSkinner*>(
        skin::MakeControlSkinner<TRecordingControlSkinner>(box, MainFrame())));
    return box;
  }

  // A bar of that length along its direction, with the thumb at [top, bottom).
  static void SetBar(bool vertical, int length, int top, int bottom) {
    fakeInfo = {};
    fakeInfo.rcScrollBar =
        vertical ? RECT{500, 300, 517, 300 + length} : RECT{300, 500, 300 + length, 517};
    fakeInfo.xyThumbTop = top;
    fakeInfo.xyThumbBottom = bottom;
  }

  // Presses on the non-client area, then drags the cursor by delta along the bar.
  static void Drag(tk::TControl& box, bool vertical, int delta) {
    SetCursorPos(kPress.x, kPress.y);
    box.Perform(WM_NCLBUTTONDOWN);
    SetCursorPos(kPress.x + (vertical ? 0 : delta), kPress.y + (vertical ? delta : 0));
    box.Perform(vertical ? WM_VSCROLL : WM_HSCROLL, SB_THUMBTRACK);
  }

  std::unique_ptr<TRecordingControlSkinner> skinner_;
};

struct TDragCase {
  const char* Name;
  bool Vertical;
  int BarLength;
  int Delta;
  // Expected start: the arrow-button length is added to ArrowFactor * arrow.
  int Start;
  int ArrowFactor;
};

// The thumb reported at [50, 80): 30 long.
constexpr TDragCase kDragCases[] = {
    {"drag down within the bar", true, 200, 10, 60, 0},
    {"drag above the bar start", true, 200, -100, 0, 1},
    {"drag past the bar end", true, 200, 500, 200 - 30, -1},
    {"bar too short for the thumb", true, 40, 0, 40 - 30, -1},
    {"drag right within the bar", false, 150, 20, 70, 0},
    {"drag left of the bar start", false, 150, -60, 0, 1},
    {"drag right past the bar end", false, 150, 300, 150 - 30, -1},
};

TEST_F(ScrollThumbTest, ADraggedThumbStopsBetweenTheArrowButtons) {
  TScrollBox* box = Skinned<TScrollBox>();
  for (const TDragCase& c : kDragCases) {
    SetBar(c.Vertical, c.BarLength, 50, 80);
    Drag(*box, c.Vertical, c.Delta);
    const TzubScrollThumbTracking& t =
        c.Vertical ? skin::VertScrollTracking() : skin::HorzScrollTracking();
    const int arrow = GetSystemMetrics(c.Vertical ? SM_CXVSCROLL : SM_CXHSCROLL);
    EXPECT_TRUE(t.Tracking) << c.Name;
    EXPECT_TRUE(t.InfoValid) << c.Name;
    EXPECT_EQ(t.ThumbLength, 30) << c.Name;
    EXPECT_EQ(t.ThumbStart, c.Start + c.ArrowFactor * arrow) << c.Name;
    EXPECT_EQ(t.ThumbEnd, t.ThumbStart + 30) << c.Name;
    EXPECT_EQ(t.PressPoint, (tk::TPoint{kPress.x, kPress.y})) << c.Name;
  }
}

TEST_F(ScrollThumbTest, TheBarIsKeptInTheParentsClientCoordinates) {
  TScrollBox* box = Skinned<TScrollBox>();
  SetBar(true, 200, 50, 80);
  Drag(*box, true, 0);
  POINT corners[2] = {{500, 300}, {517, 500}};
  for (POINT& corner : corners) ScreenToClient(main_->Handle(), &corner);
  EXPECT_EQ(skin::VertScrollTracking().BarRect,
            tk::Rect(corners[0].x, corners[0].y, corners[1].x, corners[1].y));
}

// The end of a drag reads the thumb again but keeps the bar rectangle of the last drag step.
TEST_F(ScrollThumbTest, TheEndOfADragStopsTrackingAndReadsTheThumbAgain) {
  TScrollBox* box = Skinned<TScrollBox>();
  SetBar(true, 200, 50, 80);
  Drag(*box, true, 10);
  const tk::TRect bar = skin::VertScrollTracking().BarRect;
  SetBar(true, 200, 52, 82);
  fakeAnswer = FALSE;
  box->Perform(WM_VSCROLL, SB_THUMBPOSITION);
  const TzubScrollThumbTracking& t = skin::VertScrollTracking();
  EXPECT_FALSE(t.Tracking);
  EXPECT_FALSE(t.InfoValid);
  EXPECT_EQ(t.ThumbStart, 52);
  EXPECT_EQ(t.ThumbEnd, 82);
  EXPECT_EQ(t.BarRect.Height(), bar.Height());
}

TEST_F(ScrollThumbTest, OnlyGridsScrollBoxesAndTheNamedRichEditsAreTracked) {
  const auto tracked = [this](tk::TControl* box) {
    skin::VertScrollTracking() = {};
    SetBar(true, 200, 50, 80);
    Drag(*box, true, 10);
    return skin::VertScrollTracking().Tracking;
  };
  EXPECT_TRUE(tracked(Skinned<TScrollBox>())) << "TScrollBox";
  EXPECT_TRUE(tracked(Skinned<TMyScrollBox>())) << "a TScrollBox descendant";
  EXPECT_TRUE(tracked(Skinned<TCustomGrid>())) << "TCustomGrid";
  EXPECT_TRUE(tracked(Skinned<TRichEditViewer>())) << "TRichEditViewer";
  EXPECT_FALSE(tracked(Skinned<TRxRichEditPlus>())) << "a name that only starts alike";
  EXPECT_FALSE(tracked(Skinned<TPlainBox>())) << "any other control";
}

}  // namespace
