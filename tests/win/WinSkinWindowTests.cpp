#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/WinDrawing.h"
#include "skin/utils/WinWindowUtils.h"
#include "tests/support/HandleCount.h"
#include "tests/support/WinPump.h"
#include "tests/win/SkinWindowTestFrame.h"
#include "tests/win/SkinWindowTestSupport.h"

namespace {

using namespace testing_support;
using skin::TzubSkinEngine;

// Button frames of the strip: close, maximize, minimize (normal; +1 hot, +2 pressed).
constexpr int kCloseFrame = 16;
constexpr int kMaximizeFrame = 7;
constexpr int kMinimizeFrame = 13;

// The built-in skin's layout for a 400-pixel window with close, maximize and minimize.
constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kCloseX = 375;
constexpr int kMaximizeX = 355;
constexpr int kMinimizeX = 335;
constexpr int kButtonsY = 9;
constexpr int kButtonSize = 18;
constexpr int kTitleHeight = 31;
constexpr int kTextX = 21;

struct TInsets {
  int Left, Top, Right, Bottom;
  friend bool operator==(const TInsets&, const TInsets&) = default;
};

TInsets ClientInsets(HWND wnd) {
  RECT window{};
  RECT client{};
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return TInsets{client.left - window.left, client.top - window.top, window.right - client.right,
                 window.bottom - client.bottom};
}

void Reframe(HWND wnd) {
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

tk::TColor FormColor(TzubSkinEngine* engine) {
  return static_cast<tk::TColor>(tk::GdiColor(engine->Metrics().FormColor));
}

// ---- Client-area insets ----------------------------------------------------------------------

struct TInsetCase {
  const char* Name;
  const char* Skin;
  TFrameAnswers Answers;
  bool HasCaption;
  bool HasBorders;
  bool Maximized;
  TInsets Expected;
};

TEST(SkinWindowInsets, FollowTheSkinWithFourPixelMinimumAndSpecialFrames) {
  TFrameAnswers topFrame40;
  topFrame40.TopFrame = 40;
  TFrameAnswers mdiForm;
  mdiForm.MDIForm = true;
  mdiForm.SideFrame = 9;
  mdiForm.BottomFrame = 7;
  TFrameAnswers mdiChild;
  mdiChild.MDIChild = true;
  mdiChild.SideFrame = 4;
  mdiChild.BottomFrame = 4;
  const std::vector<TInsetCase> cases = {
      {"skin borders", "default", {}, true, true, false, {5, 31, 5, 5}},
      {"top frame deeper than the title", "default", topFrame40, true, true, false, {5, 40, 5, 5}},
      {"three-pixel borders grow to four", "light", {}, true, true, false, {4, 24, 4, 4}},
      {"no caption", "default", {}, false, true, false, {5, 0, 5, 5}},
      {"no borders", "default", topFrame40, true, false, false, {0, 40, 0, 0}},
      {"MDI form takes its minimum insets", "default", mdiForm, true, true, false, {9, 31, 9, 7}},
      {"maximized MDI child has no title", "default", mdiChild, true, true, true, {5, 0, 5, 5}},
  };
  for (const TInsetCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestEngine engine(SkinPackage(c.Skin));
    TFrameWindow window(kWidth, kHeight);
    auto frame = TTestFrame::Make(engine.Get(), window.Handle(), c.Answers);
    frame->SetHasCaption(c.HasCaption);
    frame->SetHasBorders(c.HasBorders);
    if (c.Maximized) ShowWindow(window.Handle(), SW_MAXIMIZE);
    Reframe(window.Handle());
    TInsets insets = ClientInsets(window.Handle());
    if (c.Maximized) {
      // A maximized window's client top is the window's own top edge in screen terms.
      RECT r{};
      GetWindowRect(window.Handle(), &r);
      POINT origin{0, 0};
      ClientToScreen(window.Handle(), &origin);
      insets.Top = origin.y;
    }
    EXPECT_EQ(insets, c.Expected);
    if (c.Answers.TopFrame > kTitleHeight && c.HasCaption) {
      EXPECT_EQ(frame->ExtraTop(), c.Answers.TopFrame - kTitleHeight);
    }
  }
}

TEST(SkinWindowInsets, DeferredFrameKeepsTheDefaultUntilInitialized) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  const TInsets native = ClientInsets(window.Handle());
  TFrameAnswers answers;
  answers.InitWhenHidden = false;
  ShowWindow(window.Handle(), SW_HIDE);
  auto frame = std::make_unique<TTestFrame>(engine.Get(), answers, true);
  frame->Start(window.Handle());
  Reframe(window.Handle());
  EXPECT_FALSE(frame->Initialized());
  EXPECT_EQ(ClientInsets(window.Handle()).Left, native.Left);
  ShowWindow(window.Handle(), SW_SHOW);
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_TRUE(PumpUntil([&] { return frame->Initialized(); }));
  EXPECT_EQ(ClientInsets(window.Handle()), (TInsets{5, 31, 5, 5}));
}

// ---- Message routing -------------------------------------------------------------------------

TEST(SkinWindowMessages, FrameAnswersItsOwnMessagesAndPassesTheRest) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  TFrameAnswers answers;
  answers.MenuBarHeight = 19;
  auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
  const HWND wnd = window.Handle();
  frame->passed.clear();

  SendMessageW(wnd, WM_NULL, 0, 0);
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
  EXPECT_FALSE(frame->Passed(WM_NULL));
  EXPECT_FALSE(frame->Passed(WM_NCPAINT));

  EXPECT_EQ(SendMessageW(wnd, skin::kSkinnedQuery, 0, 0), 1);
  EXPECT_EQ(SendMessageW(wnd, skin::kMenuBarHeightQuery, 0, 0), 19);
  EXPECT_EQ(SendMessageW(wnd, WM_CTLCOLORDLG, 0, 0),
            reinterpret_cast<LRESULT>(engine->FormBrush()));
  EXPECT_FALSE(frame->Passed(WM_CTLCOLORDLG));
  SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(SendMessageW(wnd, skin::kDrawStateQuery, 0, 0), 2);
  SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(SendMessageW(wnd, skin::kDrawStateQuery, 0, 0), 1);
  SendMessageW(wnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(frame->FrameActive());
  // Frames that handle the activation themselves keep the default caption painting out.
  frame->Answers().HandlesNCActivate = true;
  frame->passed.clear();
  EXPECT_EQ(SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0), 1);
  EXPECT_FALSE(frame->Passed(WM_NCACTIVATE));
}

TEST(SkinWindowMessages, InactiveEngineLeavesEverythingToTheWindow) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  auto frame = TTestFrame::Make(engine.Get(), window.Handle());
  engine->SetActive(false);
  frame->passed.clear();
  const HWND wnd = window.Handle();
  for (UINT msg : {static_cast<UINT>(WM_NCPAINT), static_cast<UINT>(WM_CTLCOLORDLG),
                   skin::kSkinnedQuery, skin::kDrawStateQuery})
    SendMessageW(wnd, msg, 0, 0);
  SetWindowPos(wnd, nullptr, 0, 0, kWidth + 10, kHeight, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SendMessageW(wnd, skin::kSkinnedQuery, 0, 0), 0);
  for (UINT msg : {static_cast<UINT>(WM_NCPAINT), static_cast<UINT>(WM_CTLCOLORDLG),
                   skin::kSkinnedQuery, skin::kDrawStateQuery, static_cast<UINT>(WM_SIZE)})
    EXPECT_TRUE(frame->Passed(msg)) << msg;
  EXPECT_GE(frame->unskinnedResizes, 1);
}

TEST(SkinWindowMessages, MDIFormRepaintsWhenItsMaximizedChildPainted) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  const tk::TBitmap& title = *engine->Reader().GetBitmap(skin::SKIN2_TITLEBAR1);
  const tk::TColor key = engine->Metrics().TransparentColor;
  for (bool mdiForm : {false, true}) {
    SCOPED_TRACE(mdiForm ? "MDI form" : "plain frame");
    TFrameAnswers answers;
    answers.MDIForm = mdiForm;
    auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
    {
      tk::TWindowDC dc(window.Handle());
      PatBlt(dc.Get(), 0, 0, kWidth, kTitleHeight, BLACKNESS);
    }
    SendMessageW(window.Handle(), skin::kMDIChildFramePainted, 0, 0);
    const TOwnedBitmap shot = CaptureWindow(window.Handle());
    const int wrong = CountMismatches(shot, title, 0, 0, key, tk::clNone, 0, 0, kTextX, -1);
    if (mdiForm)
      EXPECT_EQ(wrong, 0);
    else
      EXPECT_GT(wrong, 0);
  }
}

// ---- Hit testing -----------------------------------------------------------------------------

TEST(SkinWindowHitTest, TitleBandAndSkinnedBordersAnswerForTheirArea) {
  TTestEngine engine(SkinPackage("default"));
  for (DWORD style : {static_cast<DWORD>(WS_OVERLAPPEDWINDOW),
                      static_cast<DWORD>(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU)}) {
    const bool sizeable = (style & WS_THICKFRAME) != 0;
    SCOPED_TRACE(sizeable ? "sizeable" : "fixed");
    TFrameWindow window(kWidth, kHeight, style);
    auto frame = TTestFrame::Make(engine.Get(), window.Handle());
    const HWND wnd = window.Handle();
    const auto hit = [&](int x, int y) {
      return SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, x, y));
    };
    for (int y = 4; y < kTitleHeight; ++y) {
      EXPECT_EQ(hit(kWidth / 2, y), HTCAPTION) << "row " << y;
      EXPECT_EQ(hit(kMinimizeX + 2, y), HTCAPTION) << "row " << y;
    }
    EXPECT_EQ(hit(kWidth / 2, kTitleHeight + 20), HTCLIENT);
    if (sizeable) {
      EXPECT_EQ(hit(0, 0), HTTOPLEFT);
      EXPECT_EQ(hit(kWidth / 2, 0), HTTOP);
      for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(hit(x, kHeight / 2), HTLEFT) << "column " << x;
        EXPECT_EQ(hit(kWidth - 1 - x, kHeight / 2), HTRIGHT) << "column " << x;
      }
      for (int y = kHeight - 5; y < kHeight; ++y)
        EXPECT_EQ(hit(kWidth / 2, y), HTBOTTOM) << "row " << y;
      EXPECT_EQ(hit(kWidth - 2, kHeight - 2), HTBOTTOMRIGHT);
      EXPECT_EQ(hit(1, kHeight - 2), HTBOTTOMLEFT);
    } else {
      for (int x = 0; x < 5; ++x) {
        const LRESULT code = hit(kWidth - 1 - x, kHeight / 2);
        EXPECT_FALSE(code >= HTLEFT && code <= HTBOTTOMRIGHT) << "column " << x;
      }
    }
  }
}

// ---- Painting --------------------------------------------------------------------------------

TEST(SkinWindowPaint, BuiltInSkinLaysTheTitleOutAsTheWorkedExample) {
  TTestEngine engine(SkinPackage("default"));
  CursorAway();
  TFrameWindow window(kWidth, kHeight);
  auto frame = TTestFrame::Make(engine.Get(), window.Handle());
  SendMessageW(window.Handle(), WM_NCPAINT, 1, 0);
  const TOwnedBitmap shot = CaptureWindow(window.Handle());
  const skin::TzubSkinReader& reader = engine->Reader();
  const tk::TColor key = engine->Metrics().TransparentColor;
  const tk::TBitmap& first = *reader.GetBitmap(skin::SKIN2_TITLEBAR1);
  const tk::TBitmap& right = *reader.GetBitmap(skin::SKIN2_TITLEBAR5);
  // Corner pixels in the transparent colour lie outside the outline; the close button covers
  // the right piece from row 9 on; the caption's end piece follows the text from x 23 on.
  EXPECT_EQ(CountMismatches(shot, first, 0, 0, key, tk::clNone, 0, 0, kTextX, -1), 0);
  EXPECT_EQ(CountMismatches(shot, right, kWidth - 14, 0, key, tk::clNone, 0, 0, 14, kButtonsY), 0);
  EXPECT_EQ(CountMismatches(shot, right, kCloseX + kButtonSize, 0, key, tk::clNone, 7, 0, 7, -1),
            0);
  struct TButtonAt {
    int X;
    int Frame;
  };
  for (const TButtonAt& b : {TButtonAt{kCloseX, kCloseFrame}, TButtonAt{kMaximizeX, kMaximizeFrame},
                             TButtonAt{kMinimizeX, kMinimizeFrame}}) {
    SCOPED_TRACE(b.X);
    EXPECT_EQ(CountMismatches(shot, ButtonFrame(engine.Get(), b.Frame), b.X, kButtonsY, key, key),
              0);
  }
  EXPECT_EQ(frame->ButtonsLeft(), 333);
  EXPECT_TRUE(frame->CloseShown() && frame->MaxShown() && frame->MinShown());
  EXPECT_EQ(frame->HotButton(), skin::hbNone);
  // Side borders stretched down from the title, the bottom border in three 60-pixel parts.
  const tk::TBitmap& left = *reader.GetBitmap(skin::SKIN2_FORMLEFTBORDER);
  EXPECT_EQ(CountMismatches(shot, left, 0, kTitleHeight, key, key, 0, 0, 5, 1), 0);
  const tk::TBitmap& bottom = *reader.GetBitmap(skin::SKIN2_FORMBOTTOMBORDER1);
  EXPECT_EQ(CountMismatches(shot, bottom, 0, kHeight - 5, key, key, 0, 0, 60, 5), 0);
  EXPECT_EQ(CountMismatches(shot, bottom, kWidth - 60, kHeight - 5, key, key, 120, 0, 60, 5), 0);
}

TEST(SkinWindowPaint, CaptionMovesTheFiveSectionPieceAndIsShortenedToTheLimit) {
  TTestEngine engine(SkinPackage("default"));
  CursorAway();
  const tk::TBitmap& third = *engine->Reader().GetBitmap(skin::SKIN2_TITLEBAR3);
  const tk::TColor key = engine->Metrics().TransparentColor;
  tk::TBitmap measure(10, 10);
  skin::SetCaptionFont(measure.Canvas().Font());
  const std::string longText(200, 'W');
  for (const std::string& text : {std::string("Hello"), longText}) {
    SCOPED_TRACE(text.size());
    TFrameWindow window(kWidth, kHeight, WS_OVERLAPPEDWINDOW,
                        std::wstring(text.begin(), text.end()).c_str());
    auto frame = TTestFrame::Make(engine.Get(), window.Handle());
    SendMessageW(window.Handle(), WM_NCPAINT, 1, 0);
    const TOwnedBitmap shot = CaptureWindow(window.Handle());
    // Text x 21, reserve 3 * 18 + 2 * 2 + 15 + 17 = 90, so the limit is 400 - 21 - 90 - 4.
    const std::string shown = skin::EllipsisText(measure.Canvas(), text, 285);
    if (text == longText) {
      EXPECT_NE(shown, text);
      EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    }
    const int textEnd = 21 + measure.Canvas().TextWidth(shown);
    EXPECT_EQ(CountMismatches(shot, third, textEnd + 2, 0, key, FormColor(engine.Get())), 0);
  }
}

TEST(SkinWindowPaint, ThreeSectionSkinWithTransparentButtonsAndThreeSectionBottom) {
  TTestEngine engine(SkinPackage("dark"));
  CursorAway();
  TFrameWindow window(kWidth, kHeight);
  TFrameAnswers answers;
  answers.Help = true;
  auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
  SendMessageW(window.Handle(), WM_NCPAINT, 1, 0);
  const TOwnedBitmap shot = CaptureWindow(window.Handle());
  const skin::TzubSkinReader& reader = engine->Reader();
  const tk::TColor key = engine->Metrics().TransparentColor;
  const tk::TBitmap& right = *reader.GetBitmap(skin::SKIN2_TITLEBAR3);
  const tk::TBitmap& bottomRight = *reader.GetBitmap(skin::SKIN2_FORMBOTTOMBORDER3);
  const tk::TBitmap& bottomLeft = *reader.GetBitmap(skin::SKIN2_FORMBOTTOMBORDER1);
  const int bw = 16;
  const int closeX = kWidth - 6 - bw;
  // The close button sits on the right piece; only its opaque pixels are drawn.
  const TOwnedBitmap close = ButtonFrame(engine.Get(), kCloseFrame);
  int wrong = 0;
  for (int y = 0; y < close.Height(); ++y) {
    for (int x = 0; x < bw; ++x) {
      tk::TColor expected = close.Pixel(x, y);
      if (expected == key) expected = right.Pixel(closeX - (kWidth - right.Width()) + x, 6 + y);
      if (expected == key) continue;
      wrong += shot.Pixel(closeX + x, 6 + y) != expected;
    }
  }
  EXPECT_EQ(wrong, 0);
  // The help button comes fourth and does not move the strip's left limit past itself.
  EXPECT_EQ(frame->ButtonsLeft(), closeX - 3 * (bw + 2) + bw);
  EXPECT_EQ(CountMismatches(shot, bottomLeft, 0, kHeight - 6, key, tk::clNone), 0);
  EXPECT_EQ(CountMismatches(shot, bottomRight, kWidth - 20, kHeight - 6, key, tk::clNone), 0);
}

TEST(SkinWindowPaint, MinimizedLookAndNarrowWindow) {
  TTestEngine engine(SkinPackage("default"));
  CursorAway();
  {
    TFrameWindow window(kWidth, kHeight);
    auto frame = TTestFrame::Make(engine.Get(), window.Handle());
    ShowWindow(window.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window.Handle()) != 0; }));
    frame->PaintFrame();
    // Right-most button 5 pixels from the right edge, three buttons 18 wide 2 apart.
    // Three buttons and the gap after each.
    EXPECT_EQ(frame->ButtonsLeft(), frame->WindowWidth() - 5 - 3 * (kButtonSize + 2));
    EXPECT_TRUE(frame->MinShown());
  }
  {
    // 120 - 90 < 31: the right piece stays whole at the right edge.
    TFrameWindow window(120, kHeight);
    auto frame = TTestFrame::Make(engine.Get(), window.Handle());
    ASSERT_EQ(frame->WindowWidth(), 120);
    SendMessageW(window.Handle(), WM_NCPAINT, 1, 0);
    const TOwnedBitmap shot = CaptureWindow(window.Handle());
    const tk::TBitmap& right = *engine->Reader().GetBitmap(skin::SKIN2_TITLEBAR5);
    const tk::TColor key = engine->Metrics().TransparentColor;
    EXPECT_EQ(CountMismatches(shot, right, 120 - 14, 0, key, tk::clNone, 0, 0, 14, kButtonsY), 0);
  }
}

// ---- Caption buttons -------------------------------------------------------------------------

struct TButtonCase {
  const char* Name;
  tk::TPoint Down;
  tk::TPoint Up;
  WPARAM Command;
};

TEST(SkinWindowButtons, ReleaseRunsTheButtonHotAtRelease) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  TFrameAnswers answers;
  answers.Help = true;
  auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
  const HWND wnd = window.Handle();
  const int helpX = kMinimizeX - kButtonSize - 2;
  const int y = kButtonsY + 5;
  const tk::TPoint closeEdge{kCloseX + kButtonSize, kButtonsY + kButtonSize};
  const std::vector<TButtonCase> cases = {
      {"close", {kCloseX + 4, y}, {kCloseX + 4, y}, SC_CLOSE},
      {"maximize", {kMaximizeX + 4, y}, {kMaximizeX + 4, y}, SC_MAXIMIZE},
      {"minimize", {kMinimizeX + 4, y}, {kMinimizeX + 4, y}, SC_MINIMIZE},
      {"help", {helpX + 4, y}, {helpX + 4, y}, SC_CONTEXTHELP},
      {"pressed on close, released on maximize",
       {kCloseX + 4, y},
       {kMaximizeX + 4, y},
       SC_MAXIMIZE},
      {"right and bottom edges of the button count", closeEdge, closeEdge, SC_CLOSE},
  };
  const tk::TColor key = engine->Metrics().TransparentColor;
  for (const TButtonCase& c : cases) {
    SCOPED_TRACE(c.Name);
    CursorAt(wnd, c.Down.X, c.Down.Y);
    frame->passed.clear();
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(wnd, c.Down.X, c.Down.Y));
    ASSERT_NE(frame->LastPassed(WM_NCLBUTTONDOWN), nullptr);
    EXPECT_EQ(frame->LastPassed(WM_NCLBUTTONDOWN)->WParam, static_cast<WPARAM>(HTNOWHERE));
    if (c.Down.X == kCloseX + 4) {
      const TOwnedBitmap pressed = ButtonFrame(engine.Get(), kCloseFrame + 2);
      EXPECT_EQ(CountMismatches(CaptureWindow(wnd), pressed, kCloseX, kButtonsY, key, key), 0);
    }
    CursorAt(wnd, c.Up.X, c.Up.Y);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(wnd, c.Up.X, c.Up.Y));
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(wnd, c.Up.X, c.Up.Y));
    EXPECT_EQ(TakePostedSysCommand(wnd), c.Command);
    EXPECT_EQ(TakePostedSysCommand(wnd), 0u);
  }
  // Hot look: over the close button without pressing.
  CursorAt(wnd, kCloseX + 4, kButtonsY + 5);
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(wnd, kCloseX + 4, kButtonsY + 5));
  EXPECT_EQ(frame->HotButton(), skin::hbClose);
  EXPECT_EQ(CountMismatches(CaptureWindow(wnd), ButtonFrame(engine.Get(), kCloseFrame + 1), kCloseX,
                            kButtonsY, key, key),
            0);
  CursorAway();
}

TEST(SkinWindowButtons, DoubleClickMaximizesOnTheCaptionAndClosesOnTheIcon) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  TFrameAnswers answers;
  answers.SystemIcon = true;
  auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
  const HWND wnd = window.Handle();
  frame->passed.clear();
  CursorAt(wnd, 200, 15);
  SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(wnd, 200, 15));
  EXPECT_EQ(TakePostedSysCommand(wnd), static_cast<WPARAM>(SC_MAXIMIZE));
  CursorAt(wnd, 21 + 8, 9 + 8);
  SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(wnd, 21 + 8, 9 + 8));
  EXPECT_EQ(TakePostedSysCommand(wnd), static_cast<WPARAM>(SC_CLOSE));
  EXPECT_FALSE(frame->Passed(WM_NCLBUTTONDBLCLK));
  // On a button the double click reaches the window as a click on nothing.
  CursorAt(wnd, kCloseX + 4, kButtonsY + 4);
  SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(wnd, kCloseX + 4, kButtonsY + 4));
  ASSERT_NE(frame->LastPassed(WM_NCLBUTTONDBLCLK), nullptr);
  EXPECT_EQ(frame->LastPassed(WM_NCLBUTTONDBLCLK)->WParam, static_cast<WPARAM>(HTNOWHERE));
  EXPECT_EQ(TakePostedSysCommand(wnd), 0u);
  CursorAway();
}

// A visible menu window of the thread, or null.
HWND OpenMenuOf(DWORD thread) {
  for (HWND wnd = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); wnd != nullptr;
       wnd = FindWindowExW(nullptr, wnd, L"#32768", nullptr))
    if (IsWindowVisible(wnd) && GetWindowThreadProcessId(wnd, nullptr) == thread) return wnd;
  return nullptr;
}

// Closes the next popup menu from another thread: the menu loop runs inside the message that
// opens it, so the test thread cannot close it itself.
class TMenuCloser {
 public:
  // Menu windows of every test program share the screen: only a menu of the thread that makes
  // the closer is closed.
  TMenuCloser()
      : thread_([this, owner = GetCurrentThreadId()] {
          const ULONGLONG deadline = GetTickCount64() + kPumpTimeoutMs;
          while (GetTickCount64() < deadline && !stop_) {
            const HWND popup = OpenMenuOf(owner);
            if (popup != nullptr) {
              PostMessageW(popup, WM_CANCELMODE, 0, 0);
              PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
              return;
            }
            Sleep(10);
          }
        }) {}
  ~TMenuCloser() {
    stop_ = true;
    thread_.join();
  }
  TMenuCloser(const TMenuCloser&) = delete;
  TMenuCloser& operator=(const TMenuCloser&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(SkinWindowButtons, SystemMenuOpensAtTheClickOrUnderTheIcon) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  TFrameAnswers answers;
  answers.SystemIcon = true;
  auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
  const HWND wnd = window.Handle();
  ASSERT_NE(engine->GetSysMenuPopup(), nullptr);
  RECT r{};
  GetWindowRect(wnd, &r);

  // A right press on the caption opens the skinned menu at once; the default handling, which
  // would wait for the button to come up and then open the native menu, never sees it.
  CursorAt(wnd, 200, 20);
  {
    TMenuCloser closer;
    SendMessageW(wnd, WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(wnd, 200, 20));
  }
  EXPECT_EQ(engine->SysMenuTarget(), frame.get());
  EXPECT_EQ(engine->GetSysMenuPopup()->PopupPoint(), (tk::TPoint{r.left + 200, r.top + 20}));

  engine->SetSysMenuTarget(nullptr);
  CursorAt(wnd, 21 + 8, 9 + 8);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(wnd, 29, 17));
  {
    TMenuCloser closer;
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(wnd, 29, 17));
  }
  EXPECT_EQ(engine->SysMenuTarget(), frame.get());
  EXPECT_EQ(engine->GetSysMenuPopup()->PopupPoint(), (tk::TPoint{r.left + 5, r.top + 31}));
  CursorAway();
}

// ---- Native caption, region, handles ---------------------------------------------------------

TEST(SkinWindowNativeCaption, DefaultHandlingNeverPaintsOverTheSkinnedTitle) {
  TTestEngine engine(SkinPackage("default"));
  CursorAway();
  TFrameWindow window(kWidth, kHeight);
  auto frame = TTestFrame::Make(engine.Get(), window.Handle());
  const HWND wnd = window.Handle();
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
  const tk::TBitmap& right = *engine->Reader().GetBitmap(skin::SKIN2_TITLEBAR5);
  const tk::TColor key = engine->Metrics().TransparentColor;
  const auto wrongTitle = [&] {
    return CountMismatches(CaptureWindow(wnd), right, kWidth - 14, 0, key, tk::clNone, 0, 0, 14,
                           kButtonsY);
  };
  // What the window shows right after its own procedure ran, before the frame repaints.
  int wrongAfterDefault = -1;
  frame->afterOld = [&](const tk::TMessage& m) {
    if (m.Msg == WM_SETTEXT || m.Msg == WM_NCACTIVATE) wrongAfterDefault = wrongTitle();
  };
  SetWindowTextW(wnd, L"A new caption");
  EXPECT_EQ(wrongAfterDefault, 0);
  wchar_t text[32] = {};
  GetWindowTextW(wnd, text, 32);
  EXPECT_STREQ(text, L"A new caption");
  EXPECT_EQ(wrongTitle(), 0);
  wrongAfterDefault = -1;
  SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(wrongAfterDefault, 0);
  EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST(SkinWindowRegion, RoundedTitleCornersLieOutsideTheWindow) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight);
  auto frame = TTestFrame::Make(engine.Get(), window.Handle());
  const HWND wnd = window.Handle();
  frame->UpdateRegion();
  tk::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(wnd, region.Get()), ERROR);
  const tk::TBitmap& first = *engine->Reader().GetBitmap(skin::SKIN2_TITLEBAR1);
  const tk::TBitmap& right = *engine->Reader().GetBitmap(skin::SKIN2_TITLEBAR5);
  const tk::TColor key = engine->Metrics().TransparentColor;
  ASSERT_EQ(first.Pixel(0, 0), key);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_EQ(right.Pixel(13, 0) == key, !PtInRegion(region.Get(), kWidth - 1, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), kWidth / 2, 2));
  // Rows below the scanned band and the bottom border (no outline of its own) are whole.
  EXPECT_TRUE(PtInRegion(region.Get(), 0, 6));
  EXPECT_TRUE(PtInRegion(region.Get(), 0, kHeight - 1));
  EXPECT_TRUE(PtInRegion(region.Get(), kWidth - 1, kHeight - 1));
  EXPECT_FALSE(PtInRegion(region.Get(), kWidth, kHeight / 2));
  // Unskinning gives the window back its plain outline.
  frame->SetSkinned(false);
  EXPECT_EQ(GetWindowRgn(wnd, region.Get()), ERROR);
}

TEST(SkinWindowResources, ThousandRepaintsLeaveNoGdiObjects) {
  TTestEngine engine(SkinPackage("default"));
  TFrameWindow window(kWidth, kHeight, WS_OVERLAPPEDWINDOW, L"Counting");
  TFrameAnswers answers;
  answers.SystemIcon = true;
  auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
  const HWND wnd = window.Handle();
  const auto repaint = [&] {
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    SendMessageW(wnd, WM_ACTIVATE, WA_ACTIVE, 0);
  };
  for (int i = 0; i < 10; ++i) repaint();
  const THandleCount before = CountHandles();
  for (int i = 0; i < 1000; ++i) repaint();
  const THandleCount after = CountHandles();
  EXPECT_EQ(after.GdiObjects, before.GdiObjects);
}

}  // namespace
