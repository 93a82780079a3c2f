#include "skin/engine/SkinControl.h"

#include <string>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "skin/utils/WinWindowUtils.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/GdiObject.h"

namespace skin {

namespace {

constexpr tk::TColor kDisabledTextColor = 0x808080;
// Measuring always breaks words and expands tabs; drawing breaks words only when asked.
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kWideMeasureFlags = DT_CALCRECT | DT_CENTER;
// A word-wrapped caption keeps this far from the sides of its rectangle.
constexpr int kWrapInset = 2;

// Text is drawn without background, in the given font, grey when the control is disabled.
void PrepareText(tk::TCanvas& canvas, tk::TFont* font, bool enabled) {
  canvas.Brush().Style = tk::bsClear;
  if (font != nullptr) canvas.Font().Assign(*font);
  if (!enabled) canvas.Font().SetColor(kDisabledTextColor);
  HDC dc = canvas.Handle();
  SetTextColor(dc, tk::GdiColor(canvas.Font().Color()));
  SetBkMode(dc, TRANSPARENT);
}

// The rectangle the text is drawn in: measured from r's top-left corner (narrowed for word
// wrapping), then centred in r, halves truncated toward zero. Pressed text sits one pixel
// down and right.
template <typename Measure>
RECT CentredTextRect(tk::TRect r, bool pressed, bool wordWrap, Measure measure) {
  if (pressed) r = tk::Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  RECT t{r.Left, r.Top, r.Right, r.Bottom};
  if (wordWrap) {
    t.left += kWrapInset;
    t.right -= kWrapInset;
  }
  measure(t);
  OffsetRect(&t, (r.Width() - (t.right - t.left)) / 2, (r.Height() - (t.bottom - t.top)) / 2);
  return t;
}

tk::TRect ToParentClient(HWND wnd, const RECT& screen) {
  POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
  if (const HWND parent = GetParent(wnd); parent != nullptr)
    for (POINT& corner : corners) ScreenToClient(parent, &corner);
  return tk::Rect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
}

tk::TPoint CursorPoint() {
  POINT p{};
  GetCursorPos(&p);
  return tk::TPoint{p.x, p.y};
}

void ReadThumb(TzubScrollThumbTracking& t, HWND wnd, LONG objectId) {
  t.Info.cbSize = sizeof t.Info;
  t.InfoValid = DynGetScrollBarInfo(wnd, objectId, t.Info) != 0;
  t.ThumbStart = t.Info.xyThumbTop;
  t.ThumbEnd = t.Info.xyThumbBottom;
  t.ThumbLength = t.Info.xyThumbBottom - t.Info.xyThumbTop;
}

// The thumb follows the cursor from the press, held between the two arrow buttons (the
// lower bound first, so a bar too short for its thumb ends at the upper one).
void DragThumb(TzubScrollThumbTracking& t, bool vertical) {
  t.Tracking = true;
  t.CursorPoint = CursorPoint();
  t.ThumbStart += vertical ? t.CursorPoint.Y - t.PressPoint.Y : t.CursorPoint.X - t.PressPoint.X;
  const int arrow = GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CXHSCROLL);
  const int bar = vertical ? t.BarRect.Height() : t.BarRect.Width();
  if (t.ThumbStart < arrow) t.ThumbStart = arrow;
  if (bar - arrow - t.ThumbLength < t.ThumbStart) t.ThumbStart = bar - arrow - t.ThumbLength;
  t.ThumbEnd = t.ThumbLength + t.ThumbStart;
}

void TrackScroll(TzubScrollThumbTracking& t, HWND wnd, WPARAM wParam, bool vertical) {
  const LONG objectId = vertical ? OBJID_VSCROLL : OBJID_HSCROLL;
  t.Tracking = false;
  ReadThumb(t, wnd, objectId);
  t.BarRect = ToParentClient(wnd, t.Info.rcScrollBar);
  switch (LOWORD(wParam)) {
    case SB_THUMBTRACK: DragThumb(t, vertical); break;
    case SB_THUMBPOSITION:
      t.Tracking = false;
      ReadThumb(t, wnd, objectId);
      break;
  }
}

}  // namespace

TzubScrollThumbTracking& VertScrollTracking() {
  static TzubScrollThumbTracking tracking;
  return tracking;
}

TzubScrollThumbTracking& HorzScrollTracking() {
  static TzubScrollThumbTracking tracking;
  return tracking;
}

bool TzubSkinControl::Skinning() const {
  return FEngine != nullptr && FEngine->SkinningActive();
}

bool TzubSkinControl::EngineDestroying() const {
  return FEngine != nullptr && (FEngine->ComponentState() & tk::csDestroying) != 0;
}

void TzubSkinControl::Repaint() {
  if (Skinning()) PaintSkin();
}

void TzubSkinControl::GetClientRect(tk::TRect& r) {
  RECT window{};
  GetWindowRect(GetHandle(), &window);
  r = tk::Rect(0, 0, window.right - window.left, window.bottom - window.top);
}

bool TzubSkinControl::GetEnabled() {
  return IsWindowEnabled(GetHandle()) != 0;
}

// The notifications run whether or not the engine is skinning; only repainting depends on it.
void TzubSkinControl::AfterWndProc(tk::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_SETTEXT:
    case WM_ENABLE:
    case tk::CM_ENABLEDCHANGED:
    case tk::CM_TEXTCHANGED:
    case kSkinRepaintRequest: Repaint(); break;
    case tk::CM_MOUSEENTER: OnMouseEnter(); break;
    case tk::CM_MOUSELEAVE: OnMouseLeave(); break;
    case WM_LBUTTONDOWN: OnButton(true); break;
    case WM_LBUTTONUP: OnButton(false); break;
    case WM_KEYDOWN: OnKey(static_cast<int>(message.WParam), true); break;
    case WM_KEYUP: OnKey(static_cast<int>(message.WParam), false); break;
    case kSkinnedQuery: message.Result = 1; break;
  }
}

void TzubSkinControl::OnMouseEnter() {
  FStates |= ssHot;
  Repaint();
  MouseEnter();
}

// A button released outside the control is drawn unpressed.
void TzubSkinControl::OnMouseLeave() {
  FStates &= static_cast<TzubSkinControlStates>(~(ssHot | ssPressed));
  Repaint();
  MouseLeave();
}

void TzubSkinControl::OnButton(bool down) {
  if (down)
    FStates |= ssPressed;
  else
    FStates &= static_cast<TzubSkinControlStates>(~ssPressed);
  Repaint();
  if (down)
    MouseDown();
  else
    MouseUp();
}

// Only Space and Enter press the control; every key is told.
void TzubSkinControl::OnKey(int key, bool down) {
  if (key == VK_SPACE || key == VK_RETURN) {
    if (down)
      FStates |= ssPressed;
    else
      FStates &= static_cast<TzubSkinControlStates>(~ssPressed);
  }
  Repaint();
  if (down)
    KeyDown(key);
  else
    KeyUp(key);
}

void TzubSkinControl::TrackScrollThumb(const tk::TMessage& message) {
  switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
      VertScrollTracking().PressPoint = CursorPoint();
      HorzScrollTracking().PressPoint = CursorPoint();
      break;
    case WM_VSCROLL: TrackScroll(VertScrollTracking(), GetHandle(), message.WParam, true); break;
    case WM_HSCROLL: TrackScroll(HorzScrollTracking(), GetHandle(), message.WParam, false); break;
  }
}

// A control without a window paints nothing: a null handle would give the screen's context.
void TzubSkinControl::PaintBitmapText(tk::TBitmap& bitmap, const std::string& text, bool wordWrap,
                                      const tk::TRect& rect, tk::TFont* font) {
  const tk::TClientDC dc(GetHandle());
  if (dc.Get() == nullptr) return;
  tk::TCanvas canvas(dc.Get());
  tk::TRect client;
  GetClientRect(client);
  canvas.CopyRect(client, bitmap.Canvas(), client);
  if (text.empty()) return;
  PrepareText(canvas, font, GetEnabled());
  HDC textDC = canvas.Handle();
  RECT t = CentredTextRect(rect, (FStates & ssPressed) != 0, wordWrap, [&](RECT& r) {
    DrawTextA(textDC, text.c_str(), static_cast<int>(text.size()), &r, kMeasureFlags);
  });
  DrawTextA(textDC, text.c_str(), -1, &t, wordWrap ? DT_CENTER | DT_WORDBREAK : DT_CENTER);
}

void TzubSkinControl::PaintBitmapWideText(tk::TBitmap& bitmap, bool wordWrap, const tk::TRect& rect,
                                          tk::TFont* font) {
  const HWND wnd = GetHandle();
  const tk::TClientDC dc(wnd);
  if (dc.Get() == nullptr) return;
  tk::TCanvas canvas(dc.Get());
  tk::TRect client;
  GetClientRect(client);
  canvas.CopyRect(client, bitmap.Canvas(), client);
  const int length = GetWindowTextLengthW(wnd);
  if (length <= 0) return;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(wnd, text.data(), length + 1);
  PrepareText(canvas, font, GetEnabled());
  HDC textDC = canvas.Handle();
  const UINT wrap = wordWrap ? DT_WORDBREAK : 0;
  RECT t = CentredTextRect(rect, (FStates & ssPressed) != 0, wordWrap, [&](RECT& r) {
    DrawTextW(textDC, text.c_str(), -1, &r, kWideMeasureFlags | wrap);
  });
  DrawTextW(textDC, text.c_str(), -1, &t, DT_CENTER | wrap);
}

void TzubSkinControl::PaintBitmapAt(tk::TBitmap& bitmap, const tk::TPoint& p) {
  const tk::TClientDC dc(GetHandle());
  if (dc.Get() == nullptr) return;
  tk::TCanvas canvas(dc.Get());
  canvas.Draw(p.X, p.Y, bitmap);
}

}  // namespace skin
