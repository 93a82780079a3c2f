#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindowWnd.h"
#include "tests/support/WinPump.h"
#include "tests/win/SkinWindowTestSupport.h"
#include "tests/win/SkinWindowWndTestSupport.h"
#include "toolkit/win/Forms.h"

// The fixture of the native frame tests: an engine whose hook skins dialogs, and the shapes
// and layout values the tests compare.
namespace testing_support {

inline constexpr int kCloseFrame = 16;
inline constexpr int kMaximizeFrame = 7;
inline constexpr int kButtonSize = 18;
// The caption's text starts here when the title has no icon (built-in skin).
inline constexpr int kTextX = 21;

struct TShape {
  int Width = 0;
  int Height = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int TopFrame = 0;
  LONG_PTR Style = 0;
};

inline TShape ShapeOf(HWND wnd) {
  RECT window{};
  RECT client{};
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  return TShape{window.right - window.left,
                window.bottom - window.top,
                client.right,
                client.bottom,
                static_cast<int>(origin.y - window.top),
                GetWindowLongPtrW(wnd, GWL_STYLE)};
}

inline void RepaintNow(HWND wnd) {
  RedrawWindow(wnd, nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

inline bool HasRegion(HWND wnd) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, region);
  DeleteObject(region);
  return kind != ERROR;
}

inline std::wstring BoxTitle() {
  return L"Native frame " + std::to_wstring(GetCurrentProcessId());
}

inline int ShowBox(UINT type = MB_OK) {
  return MessageBoxW(nullptr, L"Is the frame skinned?", BoxTitle().c_str(), type);
}

// An engine owned by a plain form with the built-in skin, skinning dialogs; the first engine
// of the process, so its hook attaches frames to activated dialogs.
class NativeFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    host_ = std::make_unique<tk::TForm>(nullptr);
    engine_ = new skin::TzubSkinEngine(host_.get());
    engine_->SetSkinFile(SkinPackage("default"));
    engine_->SetActive(true);
    ASSERT_TRUE(engine_->SkinningActive());
    ASSERT_EQ(skin::ProcessEngine(), engine_);
    skin::SetLastDestroyedDialog(nullptr);
    CursorAway();
  }
  void TearDown() override { host_.reset(); }

  skin::TzubSkinWindowWnd* FrameOf(HWND wnd) const {
    return dynamic_cast<skin::TzubSkinWindowWnd*>(engine_->FindSkinWindow(wnd));
  }
  int FramesFor(HWND wnd) const {
    int count = 0;
    for (int i = 0; i < engine_->WindowCount(); ++i)
      count += engine_->Windows(i)->GetHandle() == wnd;
    return count;
  }
  // The message box's shape as the system makes it, with dialogs left unskinned.
  TShape NativeBoxShape() {
    engine_->SetSkinDialogs(false);
    TShape shape;
    TModalDriver driver([&](HWND box) { shape = ShapeOf(box); });
    driver.Run([] { return ShowBox(); });
    engine_->SetSkinDialogs(true);
    return shape;
  }
  // Waits for the frame of wnd and its first skinned paint.
  skin::TzubSkinWindowWnd* PaintedFrame(HWND wnd) {
    PumpUntil([&] { return FrameOf(wnd) != nullptr && FrameOf(wnd)->CloseShown(); });
    skin::TzubSkinWindowWnd* frame = FrameOf(wnd);
    if (frame != nullptr) RepaintNow(wnd);
    return frame;
  }
  // The outer size of a skinned window around the client area the system gave it: the
  // skinned title (or the native top frame when that is higher) and borders of at least 4.
  int SkinnedWidth(const TShape& native) const { return native.ClientWidth + SkinnedSides(); }
  int SkinnedHeight(const TShape& native) const {
    const skin::TzubSkinMetrics& m = engine_->Metrics();
    return native.ClientHeight + std::max(m.TitleBarHeight, native.TopFrame) +
           std::max(4, m.BottomBorderHeight);
  }

  int CloseButtonX(HWND wnd) const {
    return ShapeOf(wnd).Width - engine_->Metrics().ButtonsX - kButtonSize;
  }
  int SkinnedSides() const {
    return std::max(4, engine_->Metrics().LeftBorderWidth) +
           std::max(4, engine_->Metrics().RightBorderWidth);
  }

  std::unique_ptr<tk::TForm> host_;
  skin::TzubSkinEngine* engine_ = nullptr;
};

}  // namespace testing_support
