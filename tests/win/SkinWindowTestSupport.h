#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/SkinEngine.h"
#include "skin/reader/Skin2Define.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/GdiObject.h"

namespace testing_support {

inline std::string SkinPackage(const std::string& name) {
  return std::string(ORV_TEST_SKINS_DIR) + "/" + name + ".zsk";
}

inline const wchar_t* FrameTestClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"OrvSkinFrameTest";
    RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

inline constexpr int kFrameLeft = 100;
inline constexpr int kFrameTop = 100;

// A shown top-level window of a plain class, destroyed with the object.
class TFrameWindow {
 public:
  TFrameWindow(int width, int height, DWORD style = WS_OVERLAPPEDWINDOW, const wchar_t* title = L"")
      : wnd_(CreateWindowExW(0, FrameTestClass(), title, style, kFrameLeft, kFrameTop, width,
                             height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    ShowWindow(wnd_, SW_SHOW);
    UpdateWindow(wnd_);
    PumpUntil([this] { return IsWindowVisible(wnd_) != 0; });
  }
  ~TFrameWindow() { DestroyWindow(wnd_); }
  TFrameWindow(const TFrameWindow&) = delete;
  TFrameWindow& operator=(const TFrameWindow&) = delete;
  HWND Handle() const { return wnd_; }

 private:
  HWND wnd_;
};

// A bitmap a helper makes and hands over.
class TOwnedBitmap {
 public:
  TOwnedBitmap(int width, int height) : bitmap_(std::make_unique<tk::TBitmap>(width, height)) {}
  operator const tk::TBitmap&() const { return *bitmap_; }
  tk::TBitmap& Get() { return *bitmap_; }
  tk::TColor Pixel(int x, int y) const { return bitmap_->Pixel(x, y); }
  int Width() const { return bitmap_->Width(); }
  int Height() const { return bitmap_->Height(); }

 private:
  std::unique_ptr<tk::TBitmap> bitmap_;
};

// The window's client area as it is on the screen.
inline TOwnedBitmap CaptureClient(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  TOwnedBitmap shot(r.right, r.bottom);
  const tk::TClientDC source(wnd);
  tk::TBitmapDC dest(shot.Get());
  BitBlt(dest.Get(), 0, 0, shot.Width(), shot.Height(), source.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return shot;
}

// How many pixels of the shot have the colour.
inline int CountColor(const tk::TBitmap& shot, tk::TColor color) {
  int count = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) count += shot.Pixel(x, y) == color;
  return count;
}

// The whole window as it is on the screen, non-client area included.
inline TOwnedBitmap CaptureWindow(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  TOwnedBitmap shot(r.right - r.left, r.bottom - r.top);
  tk::TWindowDC source(wnd);
  tk::TBitmapDC dest(shot.Get());
  BitBlt(dest.Get(), 0, 0, shot.Width(), shot.Height(), source.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return shot;
}

// How many pixels of part (source rectangle sx, sy, w, h of the skin bitmap) differ from the
// shot at (x, y). Pixels in the transparent colour are expected in keyColor's place, or not
// compared when keyColor is clNone (they lie outside the window's outline).
inline int CountMismatches(const tk::TBitmap& shot, const tk::TBitmap& part, int x, int y,
                           tk::TColor transColor, tk::TColor keyColor, int sx = 0, int sy = 0,
                           int w = -1, int h = -1) {
  if (w < 0) w = part.Width() - sx;
  if (h < 0) h = part.Height() - sy;
  int mismatches = 0;
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      tk::TColor expected = part.Pixel(sx + col, sy + row);
      if (expected == transColor) {
        if (keyColor == tk::clNone) continue;
        expected = keyColor;
      }
      if (shot.Pixel(x + col, y + row) != expected) ++mismatches;
    }
  }
  return mismatches;
}

// A frame of the caption-button strip.
inline TOwnedBitmap ButtonFrame(skin::TzubSkinEngine* engine, int index) {
  const tk::TBitmap* strip = engine->Reader().GetBitmap(skin::SKIN2_TITLEBUTTONS);
  const int bw = strip->Width() / 18;
  TOwnedBitmap frame(bw, strip->Height());
  for (int y = 0; y < strip->Height(); ++y)
    for (int x = 0; x < bw; ++x) frame.Get().SetPixel(x, y, strip->Pixel((index - 1) * bw + x, y));
  return frame;
}

// Moves the cursor to a point of the window (window coordinates).
inline void CursorAt(HWND wnd, int x, int y) {
  RECT r{};
  GetWindowRect(wnd, &r);
  SetCursorPos(r.left + x, r.top + y);
}

inline void CursorAway() {
  SetCursorPos(1270, 1010);
}

// The screen point of window coordinates (x, y), packed as non-client mouse messages carry it.
inline LPARAM ScreenPoint(HWND wnd, int x, int y) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return MAKELPARAM(r.left + x, r.top + y);
}

// Takes the first WM_SYSCOMMAND posted to wnd from the queue without running it; 0 if none.
inline WPARAM TakePostedSysCommand(HWND wnd) {
  MSG msg;
  if (PeekMessageW(&msg, wnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) return msg.wParam;
  return 0;
}

}  // namespace testing_support
