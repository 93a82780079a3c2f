// The native window frame on system message boxes, common dialogs, dialogs of our own and
// windows of the auto-skin classes, attached by the engine's activation hook.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindowWnd.h"
#include "skin/reader/Skin2Define.h"
#include "tests/support/HandleCount.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WinPump.h"
#include "tests/win/SkinWindowTestSupport.h"
#include "tests/win/SkinWindowWndTestFixture.h"
#include "tests/win/SkinWindowWndTestSupport.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/Forms.h"

namespace {

using namespace testing_support;
using skin::TzubSkinEngine;
using skin::TzubSkinWindowWnd;

// ---- Message boxes ---------------------------------------------------------------------------

TEST_F(NativeFrameTest, MessageBoxGetsOneSkinnedFrameWithCloseButtonOnFormColor) {
  const TShape native = NativeBoxShape();
  ASSERT_GT(native.Width, 0);
  const int framesBefore = engine_->WindowCount();
  const auto formColor = static_cast<tk::TColor>(tk::GdiColor(engine_->Metrics().FormColor));
  TTestWindow other(L"STATIC", L"other", WS_POPUP, nullptr);
  TModalDriver driver(
      [&](HWND box) {
        TzubSkinWindowWnd* frame = PaintedFrame(box);
        ASSERT_NE(frame, nullptr);
        SetActiveWindow(other.Handle());
        SetActiveWindow(box);
        EXPECT_EQ(FramesFor(box), 1);
        EXPECT_TRUE(frame->CloseShown());
        EXPECT_FALSE(frame->MaxShown() || frame->MinShown());
        EXPECT_EQ(GetWindowLongPtrW(box, GWL_STYLE) & WS_SYSMENU, 0);

        const TShape skinned = ShapeOf(box);
        // The skinned title and borders replace the native frame around the same client.
        EXPECT_EQ(skinned.Width, SkinnedWidth(native));
        EXPECT_EQ(skinned.Height, SkinnedHeight(native));
        EXPECT_EQ(frame->TopFrame(), native.TopFrame);
        EXPECT_EQ(skinned.ClientWidth, native.ClientWidth);
        EXPECT_EQ(skinned.ClientHeight, native.ClientHeight);

        // The title's left piece is untouched by an icon; the close button is the only one.
        const TOwnedBitmap shot = CaptureWindow(box);
        const skin::TzubSkinReader& reader = engine_->Reader();
        const tk::TColor key = engine_->Metrics().TransparentColor;
        const tk::TBitmap& first = *reader.GetBitmap(skin::SKIN2_TITLEBAR1);
        EXPECT_EQ(CountMismatches(shot, first, 0, 0, key, tk::clNone, 0, 0, kTextX, -1), 0);
        const int closeX = CloseButtonX(box);
        const int buttonsY = engine_->Metrics().ButtonsY;
        EXPECT_EQ(
            CountMismatches(shot, ButtonFrame(engine_, kCloseFrame), closeX, buttonsY, key, key),
            0);
        EXPECT_GT(CountMismatches(shot, ButtonFrame(engine_, kMaximizeFrame),
                                  closeX - kButtonSize - 2, buttonsY, key, key),
                  0);
        // The client's free corners show the form colour.
        const int left = engine_->Metrics().LeftBorderWidth;
        const int top = engine_->Metrics().TitleBarHeight;
        EXPECT_EQ(shot.Pixel(left + 1, top + 1), formColor);
        EXPECT_EQ(shot.Pixel(left + 1, top + skinned.ClientHeight - 2), formColor);

        tk::TBitmap canvas(8, 8);
        tk::TBitmapDC dc(canvas);
        for (UINT msg : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN}) {
          SetBkMode(dc.Get(), OPAQUE);
          const LRESULT brush = SendMessageW(box, msg, reinterpret_cast<WPARAM>(dc.Get()),
                                             reinterpret_cast<LPARAM>(GetTopWindow(box)));
          EXPECT_EQ(brush, reinterpret_cast<LRESULT>(engine_->FormBrush())) << msg;
          EXPECT_EQ(GetBkMode(dc.Get()), TRANSPARENT) << msg;
        }
      },
      IDOK);
  EXPECT_EQ(driver.Run([] { return ShowBox(); }), IDOK);
  ASSERT_TRUE(driver.Stepped());
  EXPECT_EQ(FrameOf(driver.Dialog()), nullptr);
  EXPECT_EQ(engine_->WindowCount(), framesBefore);
  EXPECT_EQ(skin::LastDestroyedDialog(), driver.Dialog());
}

struct TCloseCase {
  const char* Name;
  bool Click;
};

TEST_F(NativeFrameTest, CloseButtonAndCloseCommandMakeTheBoxAnswerCancel) {
  for (const TCloseCase& c : {TCloseCase{"button click", true}, TCloseCase{"SC_CLOSE", false}}) {
    SCOPED_TRACE(c.Name);
    TModalDriver driver(
        [&](HWND box) {
          ASSERT_NE(PaintedFrame(box), nullptr);
          if (c.Click) {
            const int x = CloseButtonX(box) + 4;
            const int y = engine_->Metrics().ButtonsY + 5;
            CursorAt(box, x, y);
            SendMessageW(box, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(box, x, y));
            SendMessageW(box, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(box, x, y));
            SendMessageW(box, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(box, x, y));
            CursorAway();
          } else {
            PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
          }
          // The box must end through what was sent; the driver's own command would say OK.
          EXPECT_TRUE(PumpUntil([box] { return !IsWindowVisible(box); }));
        },
        IDOK);
    EXPECT_EQ(driver.Run([] { return ShowBox(); }), IDCANCEL);
  }
}

TEST_F(NativeFrameTest, SkinChangesAndActiveKeepTheClientAndRestoreTheNativeShape) {
  const TShape native = NativeBoxShape();
  TModalDriver driver(
      [&](HWND box) {
        TzubSkinWindowWnd* frame = PaintedFrame(box);
        ASSERT_NE(frame, nullptr);
        const TShape skinned = ShapeOf(box);
        for (const char* skinName : {"dark", "light", "default"}) {
          SCOPED_TRACE(skinName);
          engine_->SetSkinFile(SkinPackage(skinName));
          const TShape now = ShapeOf(box);
          EXPECT_EQ(now.Width, SkinnedWidth(native));
          EXPECT_EQ(now.Height, SkinnedHeight(native));
          EXPECT_EQ(now.ClientWidth, native.ClientWidth);
          EXPECT_EQ(now.ClientHeight, native.ClientHeight);
          EXPECT_TRUE(IsWindowVisible(box));
        }
        EXPECT_EQ(ShapeOf(box).Width, skinned.Width);
        EXPECT_EQ(ShapeOf(box).Height, skinned.Height);

        engine_->SetActive(false);
        const TShape plain = ShapeOf(box);
        EXPECT_EQ(plain.Width, native.Width);
        EXPECT_EQ(plain.Height, native.Height);
        EXPECT_EQ(plain.Style, native.Style);
        EXPECT_FALSE(HasRegion(box));
        engine_->SetActive(true);
        EXPECT_EQ(ShapeOf(box).Width, skinned.Width);
        EXPECT_EQ(ShapeOf(box).Height, skinned.Height);
        EXPECT_EQ(FramesFor(box), 1);
      },
      IDOK);
  EXPECT_EQ(driver.Run([] { return ShowBox(); }), IDOK);
}

TEST_F(NativeFrameTest, HundredMessageBoxesLeaveNoWindowsOrGdiObjects) {
  constexpr int kWarmUp = 3;
  constexpr int kBoxes = 100;
  const auto showAndClose = [&] {
    TModalDriver driver([&](HWND box) { EXPECT_NE(PaintedFrame(box), nullptr); }, IDOK);
    EXPECT_EQ(driver.Run([] { return ShowBox(); }), IDOK);
  };
  for (int i = 0; i < kWarmUp; ++i) showAndClose();
  const THandleCount before = CountHandles();
  const int freeInstances = FreeObjectInstances();
  for (int i = 0; i < kBoxes; ++i) showAndClose();
  PumpUntil([] { return true; });
  EXPECT_EQ(CountHandles(), before);
  EXPECT_EQ(FreeObjectInstances(), freeInstances);
  EXPECT_EQ(engine_->WindowCount(), 0);
}

// ---- Common dialogs --------------------------------------------------------------------------

UINT_PTR CALLBACK PassiveOpenHook(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

struct TOpenCase {
  const char* Name;
  DWORD Flags;
  bool Inner;
};

TEST_F(NativeFrameTest, OpenFileDialogIsRecognisedAndGivesItsProceduresBack) {
  const TOpenCase cases[] = {
      {"explorer", OFN_EXPLORER, false},
      {"explorer with hook", OFN_EXPLORER | OFN_ENABLEHOOK, true},
  };
  for (const TOpenCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const bool removeWhileOpen : {false, true}) {
      SCOPED_TRACE(removeWhileOpen ? "frame removed while open" : "frame freed with the dialog");
      const int freeInstances = FreeObjectInstances();
      HWND inner = nullptr;
      TModalDriver driver([&](HWND dialog) {
        TzubSkinWindowWnd* frame = PaintedFrame(dialog);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->FileDialog());
        EXPECT_EQ(frame->SubclassedInnerDialog() != nullptr, c.Inner);
        inner = frame->SubclassedInnerDialog();
        if (inner != nullptr) {
          const LONG_PTR installed = GetWindowLongPtrW(inner, GWLP_WNDPROC);
          const WNDPROC saved = frame->OldInnerProc();
          for (int i = 0; i < 2; ++i) {
            SendMessageW(dialog, WM_SHOWWINDOW, TRUE, 0);
            EXPECT_EQ(GetWindowLongPtrW(inner, GWLP_WNDPROC), installed);
            EXPECT_EQ(frame->OldInnerProc(), saved);
          }
          EXPECT_EQ(SendMessageW(inner, WM_CTLCOLORDLG, 0, 0),
                    reinterpret_cast<LRESULT>(engine_->FormBrush()));
          // Switched off, the inner dialog answers with its own colour again.
          engine_->SetActive(false);
          EXPECT_NE(SendMessageW(inner, WM_CTLCOLORDLG, 0, 0),
                    reinterpret_cast<LRESULT>(engine_->FormBrush()));
          engine_->SetActive(true);
        }
        if (!removeWhileOpen) return;
        const LONG_PTR oldProc = reinterpret_cast<LONG_PTR>(frame->OldWndProc());
        const LONG_PTR oldInner = reinterpret_cast<LONG_PTR>(frame->OldInnerProc());
        engine_->RemoveSkinWindow(dialog);
        EXPECT_EQ(GetWindowLongPtrW(dialog, GWLP_WNDPROC), oldProc);
        if (inner != nullptr) {
          EXPECT_EQ(GetWindowLongPtrW(inner, GWLP_WNDPROC), oldInner);
        }
      });
      wchar_t file[MAX_PATH] = L"";
      OPENFILENAMEW ofn{};
      ofn.lStructSize = sizeof ofn;
      ofn.lpstrFile = file;
      ofn.nMaxFile = MAX_PATH;
      ofn.Flags = c.Flags;
      ofn.lpfnHook = c.Inner ? PassiveOpenHook : nullptr;
      EXPECT_FALSE(driver.Run([&] { return GetOpenFileNameW(&ofn); }));
      EXPECT_EQ(CommDlgExtendedError(), 0u);
      ASSERT_TRUE(driver.Stepped());
      EXPECT_FALSE(IsWindow(driver.Dialog()));
      EXPECT_EQ(engine_->WindowCount(), 0);
      EXPECT_EQ(FreeObjectInstances(), freeInstances);
    }
  }
}

TEST_F(NativeFrameTest, FolderBrowserIsSkinnedAndCancelledWithNothingLeft) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const int freeInstances = FreeObjectInstances();
  TModalDriver driver([&](HWND dialog) {
    ASSERT_NE(PaintedFrame(dialog), nullptr);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([dialog] { return !IsWindowVisible(dialog); }));
  });
  BROWSEINFOW info{};
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpszTitle = L"Folder";
  EXPECT_EQ(driver.Run([&] { return SHBrowseForFolderW(&info); }), nullptr);
  ASSERT_TRUE(driver.Stepped());
  EXPECT_EQ(engine_->WindowCount(), 0);
  EXPECT_EQ(FreeObjectInstances(), freeInstances);
  CoUninitialize();
}

// ---- Dialogs of our own ----------------------------------------------------------------------

const wchar_t* FolderTreeClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SHBrowseForFolder ShellNameSpace Control";
    RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

struct TFolderCase {
  const char* Name;
  bool FolderTree;
};

TEST_F(NativeFrameTest, FolderTreeChildMarksTheDialogHidesItsScrollBarAndKeepsWmSize) {
  for (const TFolderCase& c : {TFolderCase{"folder tree", true}, TFolderCase{"plain", false}}) {
    SCOPED_TRACE(c.Name);
    TProbeDialog dialog;
    if (c.FolderTree) dialog.AddChild(FolderTreeClass(), 0, 10, 10, 100, 100);
    const HWND bar = dialog.AddChild(L"SCROLLBAR", SBS_VERT, 120, 10, 16, 100);
    dialog.Show();
    TzubSkinWindowWnd* frame = PaintedFrame(dialog.Handle());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->FolderDialog(), c.FolderTree);
    EXPECT_EQ(IsWindowVisible(bar) == FALSE, c.FolderTree);

    dialog.Forget();
    const TShape before = ShapeOf(dialog.Handle());
    SetWindowPos(dialog.Handle(), nullptr, 0, 0, before.Width + 60, before.Height + 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(dialog.Seen(WM_SIZE) == 0, c.FolderTree);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog.Handle(), region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.right - box.left, before.Width + 60);
    EXPECT_EQ(box.bottom - box.top, before.Height + 40);
  }
}

TEST_F(NativeFrameTest, DialogThatMadeItselfLowAndWideGrowsOnce) {
  TProbeDialog dialog;
  dialog.Show();
  TzubSkinWindowWnd* frame = PaintedFrame(dialog.Handle());
  ASSERT_NE(frame, nullptr);
  const TShape measured = ShapeOf(dialog.Handle());
  const skin::TzubSkinMetrics& m = engine_->Metrics();
  const int growth = m.TitleBarHeight - frame->TopFrame() + m.BottomBorderHeight;
  struct TResize {
    int Width, Height;
    bool Grows;
  };
  const int wide = measured.Width * 2;
  const int low = measured.Height - 30;
  const TResize steps[] = {
      {measured.Width + 10, low, false},  // lower, but not wide enough
      {wide, low, true},
      {wide + 20, low, false},  // the second time it stays
  };
  for (const TResize& step : steps) {
    SCOPED_TRACE(step.Width);
    MoveWindow(dialog.Handle(), 50, 50, step.Width, step.Height, TRUE);
    EXPECT_EQ(ShapeOf(dialog.Handle()).Height, step.Height + (step.Grows ? growth : 0));
    EXPECT_EQ(ShapeOf(dialog.Handle()).Width, step.Width);
  }
  EXPECT_TRUE(frame->Grown());
}

TEST_F(NativeFrameTest, RemovingTheFrameIsTheExactInverseAndDestroyReachesTheDialog) {
  // The dialog activates itself while it is made: it is attached at the next activation.
  engine_->SetSkinDialogs(false);
  TProbeDialog dialog;
  const HWND wnd = dialog.Handle();
  const LONG_PTR nativeProc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  TShape native = ShapeOf(wnd);
  native.Style |= WS_VISIBLE;
  engine_->SetSkinDialogs(true);
  ASSERT_EQ(engine_->FindSkinWindow(wnd), nullptr);
  dialog.Show();
  SetActiveWindow(host_->Handle());
  SetActiveWindow(wnd);
  TzubSkinWindowWnd* frame = PaintedFrame(wnd);
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(GetWindowLongPtrW(wnd, GWLP_WNDPROC), nativeProc);
  EXPECT_TRUE(HasRegion(wnd));
  const TShape skinned = ShapeOf(wnd);
  EXPECT_EQ(skinned.Width, SkinnedWidth(native));
  EXPECT_EQ(skinned.Height, SkinnedHeight(native));
  EXPECT_EQ(skinned.ClientWidth, native.ClientWidth);
  EXPECT_EQ(skinned.ClientHeight, native.ClientHeight);

  engine_->RemoveSkinWindow(wnd);
  const TShape back = ShapeOf(wnd);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), nativeProc);
  EXPECT_EQ(back.Style, native.Style);
  EXPECT_EQ(back.Width, native.Width);
  EXPECT_EQ(back.Height, native.Height);
  EXPECT_EQ(back.ClientWidth, native.ClientWidth);
  EXPECT_EQ(back.ClientHeight, native.ClientHeight);
  EXPECT_FALSE(HasRegion(wnd));

  // Skinned again, then destroyed: the dialog procedure still sees WM_DESTROY.
  SetActiveWindow(host_->Handle());
  SetActiveWindow(wnd);
  ASSERT_NE(PaintedFrame(wnd), nullptr);
  dialog.Forget();
  DestroyWindow(wnd);
  EXPECT_EQ(dialog.Seen(WM_DESTROY), 1);
  EXPECT_EQ(engine_->FindSkinWindow(wnd), nullptr);
  EXPECT_EQ(skin::LastDestroyedDialog(), wnd);
}

TEST_F(NativeFrameTest, SkinRemovedBeforeTheFirstEraseGivesTheMeasuredStyleBack) {
  engine_->SetSkinDialogs(false);
  TProbeDialog dialog;
  const HWND wnd = dialog.Handle();
  dialog.Show();
  PumpUntil([] { return true; });
  const TShape native = ShapeOf(wnd);
  // Attached while visible, the frame applies the skin at once; no message runs before the
  // engine is switched off.
  engine_->AddSkinWindow(wnd, true);
  ASSERT_NE(FrameOf(wnd), nullptr);
  EXPECT_EQ(FrameOf(wnd)->MeasuredStyle(), native.Style);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
  engine_->SetActive(false);
  const TShape back = ShapeOf(wnd);
  EXPECT_EQ(back.Style, native.Style);
  EXPECT_EQ(back.Width, native.Width);
  EXPECT_EQ(back.Height, native.Height);
  EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST_F(NativeFrameTest, DialogDestroyedWhileTheEngineIsOffStillFreesItsFrame) {
  TProbeDialog dialog;
  const HWND wnd = dialog.Handle();
  dialog.Show();
  ASSERT_NE(PaintedFrame(wnd), nullptr);
  engine_->SetActive(false);
  dialog.Forget();
  DestroyWindow(wnd);
  EXPECT_EQ(dialog.Seen(WM_DESTROY), 1);
  EXPECT_EQ(engine_->WindowCount(), 0);
}

// A subclasser that comes after the frame: it counts and passes everything on.
struct TLateSubclass {
  inline static WNDPROC previous = nullptr;
  inline static int seen = 0;
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++seen;
    return CallWindowProcW(previous, wnd, msg, wParam, lParam);
  }
};

TEST_F(NativeFrameTest, FrameRemovedUnderALaterSubclassStaysAsPassThroughUntilDestroyed) {
  const int freeInstances = FreeObjectInstances();
  TProbeDialog dialog;
  const HWND wnd = dialog.Handle();
  dialog.Show();
  ASSERT_NE(PaintedFrame(wnd), nullptr);
  TLateSubclass::previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TLateSubclass::Proc)));
  engine_->RemoveSkinWindow(wnd);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TLateSubclass::Proc));
  EXPECT_EQ(FreeObjectInstances(), freeInstances - 1);

  // Messages still run through the whole chain to the dialog, unskinned.
  TLateSubclass::seen = 0;
  dialog.Forget();
  EXPECT_EQ(SendMessageW(wnd, skin::kSkinnedQuery, 0, 0), 0);
  SendMessageW(wnd, WM_APP, 0, 0);
  EXPECT_EQ(TLateSubclass::seen, 2);
  EXPECT_EQ(dialog.Seen(WM_APP), 1);
  EXPECT_EQ(engine_->FindSkinWindow(wnd), nullptr);

  DestroyWindow(wnd);
  EXPECT_EQ(dialog.Seen(WM_DESTROY), 1);
  EXPECT_EQ(FreeObjectInstances(), freeInstances);
}

// ---- Auto-skinned windows --------------------------------------------------------------------

TEST_F(NativeFrameTest, WindowOfAnAutoSkinClassGetsTheNativeFrameOnActivation) {
  static const wchar_t* kClass = L"OrvAutoSkinNative";
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  skin::AddAutoSkinClass("OrvAutoSkinNative");
  {
    TTestWindow window(kClass, L"Auto", WS_OVERLAPPEDWINDOW, nullptr, 300, 200);
    ShowWindow(window.Handle(), SW_SHOW);
    TzubSkinWindowWnd* frame = PaintedFrame(window.Handle());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(FramesFor(window.Handle()), 1);
    EXPECT_EQ(SendMessageW(window.Handle(), skin::kSkinnedQuery, 0, 0), 1);
  }
  EXPECT_EQ(engine_->WindowCount(), 0);
  tk::TStringList& list = skin::AutoSkinClassList();
  list.Delete(list.IndexOf("OrvAutoSkinNative"));
}

}  // namespace
