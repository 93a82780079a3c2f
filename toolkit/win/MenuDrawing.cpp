// Owner drawing of menu items, the dispatch of menu messages to live items, and the hidden
// window that owns tracked popup menus.

#include <algorithm>
#include <memory>
#include <type_traits>

#include "Menus.h"

namespace tk {

namespace {

// Room around an item's parts, in pixels.
constexpr int kTextMarginX = 4;
constexpr int kTextMarginY = 2;
constexpr int kGlyphMargin = 2;
constexpr int kShortCutGap = 16;
constexpr int kSeparatorHeight = 8;
constexpr int kCheckPenWidth = 2;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;
constexpr const wchar_t* kPopupClassName = L"OrvandelMenuPopup";
constexpr const char* kPopupWindowMessage = "Error creating menu window";

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index));
}

// The screen's device context, for measuring.
class TScreenDC {
 public:
  TScreenDC() : dc_(GetDC(nullptr)) {}
  ~TScreenDC() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Gives the canvas the font the system draws menus with.
void UseMenuFont(TCanvas& canvas) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    canvas.Font().SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
}

// The extent of one line of text, "&" prefixes taken out.
SIZE TextSize(TCanvas& canvas, const std::wstring& text) {
  RECT r{};
  DrawTextW(canvas.Handle(), text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void DrawLine(TCanvas& canvas, const std::wstring& text, TRect r, UINT format) {
  RECT box{r.Left, r.Top, r.Right, r.Bottom};
  DrawTextW(canvas.Handle(), text.c_str(), -1, &box, kTextFormat | format);
}

}  // namespace

// ---- Measuring and drawing ----------------------------------------------------------------

SIZE TMenuItem::GlyphSize() const {
  SIZE size{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
  if (const TImageList* images = Images()) {
    size.cx = std::max(size.cx, static_cast<LONG>(images->Width()));
    size.cy = std::max(size.cy, static_cast<LONG>(images->Height()));
  } else if (!bitmap_.Empty()) {
    size.cx = std::max(size.cx, static_cast<LONG>(bitmap_.Width()));
    size.cy = std::max(size.cy, static_cast<LONG>(bitmap_.Height()));
  }
  return size;
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  if (IsLine()) {
    width = 0;
    height = kSeparatorHeight;
  } else {
    const SIZE text = TextSize(canvas, caption_);
    const SIZE glyph = GlyphSize();
    width = 2 * kGlyphMargin + glyph.cx + 2 * kTextMarginX + text.cx;
    if (shortCut_ != scNone)
      width += kShortCutGap + TextSize(canvas, WideFromAnsi(ShortCutToText(shortCut_))).cx;
    height = std::max(text.cy, glyph.cy) + 2 * kTextMarginY;
  }
  const TMenuMeasureItemEvent handler = onMeasureItem_;
  if (handler) handler(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
  const TMenuDrawItemEvent handler = onDrawItem_;
  if (handler)
    handler(this, canvas, rect, selected);
  else
    DrawDefault(canvas, rect, selected);
}

void TMenuItem::DrawDefault(TCanvas& canvas, const TRect& rect, bool selected) {
  const bool highlighted = selected && !IsLine();
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = SystemColor(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU);
  canvas.FillRect(rect);
  if (IsLine()) {
    RECT line{rect.Left, rect.Top + rect.Height() / 2 - 1, rect.Right, rect.Bottom};
    DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const TColor text = SystemColor(!enabled_     ? COLOR_GRAYTEXT
                                  : highlighted ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_MENUTEXT);
  const UINT reading = IsRightToLeft() ? DT_RTLREADING : 0u;
  SetBkMode(canvas.Handle(), TRANSPARENT);
  SetTextColor(canvas.Handle(), GdiColor(text));
  const SIZE glyph = GlyphSize();
  const TRect box =
      Rect(rect.Left + kGlyphMargin, rect.Top, rect.Left + kGlyphMargin + glyph.cx, rect.Bottom);
  DrawGlyph(canvas, box, text);
  const TRect textRect =
      Rect(box.Right + kTextMarginX, rect.Top, rect.Right - kTextMarginX, rect.Bottom);
  DrawLine(canvas, caption_, textRect, DT_LEFT | reading);
  if (shortCut_ != scNone)
    DrawLine(canvas, WideFromAnsi(ShortCutToText(shortCut_)), textRect, DT_RIGHT | reading);
}

// The image list's image, else the bitmap, framed when the item is checked; without either a
// check mark or, for a radio item, a dot.
void TMenuItem::DrawGlyph(TCanvas& canvas, const TRect& box, TColor color) {
  const TPoint centre{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
  TImageList* images = Images();
  const bool hasImage = images != nullptr && imageIndex_ >= 0 && imageIndex_ < images->Count();
  if (hasImage)
    images->Draw(canvas, centre.X - images->Width() / 2, centre.Y - images->Height() / 2,
                 imageIndex_, enabled_);
  else if (!bitmap_.Empty())
    canvas.Draw(centre.X - bitmap_.Width() / 2, centre.Y - bitmap_.Height() / 2, bitmap_);
  if (!checked_) return;
  const int half = std::min(box.Width(), box.Height()) / 4;
  if (hasImage || !bitmap_.Empty()) {
    canvas.Brush().Color = color;
    canvas.FrameRect(box);
  } else if (radioItem_) {
    canvas.Brush().Color = color;
    canvas.FillRect(Rect(centre.X - half / 2, centre.Y - half / 2, centre.X + half / 2 + 1,
                         centre.Y + half / 2 + 1));
  } else {
    canvas.Pen().Color = color;
    canvas.Pen().Width = kCheckPenWidth;
    canvas.MoveTo(centre.X - half, centre.Y);
    canvas.LineTo(centre.X - half / 3, centre.Y + half * 2 / 3);
    canvas.LineTo(centre.X + half, centre.Y - half * 2 / 3);
  }
}

// ---- Dispatch -----------------------------------------------------------------------------

bool DispatchMenuMeasureItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  TMenuItem* item = TMenuItem::FindByItemData(measure.itemData);
  if (item == nullptr) return false;
  try {
    TScreenDC screen;
    TCanvas canvas(screen.Get());
    UseMenuFont(canvas);
    int width = 0;
    int height = 0;
    item->MeasureItem(canvas, width, height);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  } catch (...) {
  }
  return true;
}

bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  TMenuItem* item = TMenuItem::FindByItemData(draw.itemData);
  if (item == nullptr) return false;
  try {
    TCanvas canvas(draw.hDC);
    UseMenuFont(canvas);
    const RECT& r = draw.rcItem;
    item->DrawItem(canvas, Rect(r.left, r.top, r.right, r.bottom),
                   (draw.itemState & ODS_SELECTED) != 0);
  } catch (...) {
  }
  return true;
}

bool DispatchMenuCommand(UINT command) {
  TMenuItem* item = TMenuItem::FindByCommand(command);
  if (item == nullptr || !item->Enabled()) return false;
  try {
    item->Click();
  } catch (...) {
  }
  return true;
}

bool DispatchMenuPopup(HMENU menu) {
  TMenuItem* item = TMenuItem::FindByHandle(menu);
  if (item == nullptr) return false;
  try {
    item->Click();
  } catch (...) {
  }
  return true;
}

// ---- The popup window ---------------------------------------------------------------------

namespace {

LRESULT OnMeasureItem(HWND window, WPARAM wParam, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (measure != nullptr && DispatchMenuMeasureItem(*measure)) return TRUE;
  return DefWindowProcW(window, WM_MEASUREITEM, wParam, lParam);
}

LRESULT OnDrawItem(HWND window, WPARAM wParam, LPARAM lParam) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (draw != nullptr && DispatchMenuDrawItem(*draw)) return TRUE;
  return DefWindowProcW(window, WM_DRAWITEM, wParam, lParam);
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == 0 && lParam == 0 && DispatchMenuCommand(LOWORD(wParam))) return 0;
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

LRESULT OnInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam) {
  if (DispatchMenuPopup(reinterpret_cast<HMENU>(wParam))) return 0;
  return DefWindowProcW(window, WM_INITMENUPOPUP, wParam, lParam);
}

// The dispatchers catch what handlers throw; nothing here throws.
LRESULT CALLBACK PopupWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  switch (msg) {
    case WM_MEASUREITEM: return OnMeasureItem(window, wParam, lParam);
    case WM_DRAWITEM: return OnDrawItem(window, wParam, lParam);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(window, wParam, lParam);
    default: return DefWindowProcW(window, msg, wParam, lParam);
  }
}

struct TWindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using TWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDestroyer>;

const wchar_t* PopupClassName() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PopupWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kPopupClassName;
    return RegisterClassExW(&wc);
  }();
  if (atom == 0) throw EOutOfResources(kPopupWindowMessage);
  return kPopupClassName;
}

}  // namespace

// A top-level window, never shown: TrackPopupMenuEx needs an owner that is not message-only.
HWND MenuPopupWindow() {
  static TWindowHandle window;
  if (window == nullptr) {
    window.reset(CreateWindowExW(WS_EX_TOOLWINDOW, PopupClassName(), L"", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (window == nullptr) throw EOutOfResources(kPopupWindowMessage);
  }
  return window.get();
}

}  // namespace tk
