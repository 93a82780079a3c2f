#include "WinControl.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "Canvas.h"
#include "GdiObject.h"
#include "toolkit/core/Exception.h"

namespace tk {

namespace {

constexpr const wchar_t* kOwnClassName = L"OrvandelControl";
// The window property that binds a window to its control.
constexpr const wchar_t* kBindingProperty = L"OrvandelControl.Object";
constexpr const char* kCreateErrorMessage = "Error creating window";
// Client-area mouse messages, the ones whose LParam is a client point.
constexpr UINT kFirstClientMouseMessage = WM_MOUSEMOVE;
constexpr UINT kLastClientMouseMessage = WM_MBUTTONDBLCLK;
constexpr std::array kAlignOrder{alTop, alBottom, alLeft, alRight, alClient};

// The control whose window the next CreateWindowExW of this thread makes.
thread_local TWinControl* creatingControl = nullptr;

ATOM RegisterOwnClass(const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  return RegisterClassExW(&wc);
}

const wchar_t* OwnClassName() {
  static const ATOM atom = RegisterOwnClass(kOwnClassName);
  if (atom == 0) throw Exception(kCreateErrorMessage);
  return kOwnClassName;
}

// A hook of this thread, installed for the span of one window creation.
class TThreadHook {
 public:
  TThreadHook(int kind, HOOKPROC procedure)
      : hook_(SetWindowsHookExW(kind, procedure, nullptr, GetCurrentThreadId())) {}
  ~TThreadHook() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  TThreadHook(const TThreadHook&) = delete;
  TThreadHook& operator=(const TThreadHook&) = delete;

 private:
  HHOOK hook_;
};

class TPaintScope {
 public:
  explicit TPaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintScope() { EndPaint(window_, &paint_); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (state_ != 0) RestoreDC(dc_, state_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int state_;
};

TPoint PointFromLParam(LPARAM lParam) {
  return TPoint{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool Contains(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// Gives an aligned control its slice of the remaining client area and takes it away.
void PlaceAligned(TControl& control, TRect& remaining) {
  const int width = control.Width();
  const int height = control.Height();
  switch (control.Align()) {
    case alTop:
      control.SetBounds(remaining.Left, remaining.Top, remaining.Width(), height);
      remaining.Top += height;
      break;
    case alBottom:
      control.SetBounds(remaining.Left, remaining.Bottom - height, remaining.Width(), height);
      remaining.Bottom -= height;
      break;
    case alLeft:
      control.SetBounds(remaining.Left, remaining.Top, width, remaining.Height());
      remaining.Left += width;
      break;
    case alRight:
      control.SetBounds(remaining.Right - width, remaining.Top, width, remaining.Height());
      remaining.Right -= width;
      break;
    case alClient:
      control.SetBounds(remaining.Left, remaining.Top, remaining.Width(), remaining.Height());
      break;
    case alNone: break;
  }
}

// Keeps the distance to the right and bottom edges a control is anchored to; anchored to
// both opposite edges it stretches.
void FollowAnchors(TControl& control, int dx, int dy) {
  const TAnchors anchors = control.Anchors();
  TRect r = control.BoundsRect();
  if ((anchors & akRight) != 0) {
    r.Right += dx;
    if ((anchors & akLeft) == 0) r.Left += dx;
  }
  if ((anchors & akBottom) != 0) {
    r.Bottom += dy;
    if ((anchors & akTop) == 0) r.Top += dy;
  }
  control.SetBoundsRect(r);
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  while (!controls_.empty()) delete controls_.back();
  DestroyHandle();
  SetParent(nullptr);
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  DestroyHandle();
  TControl::SetParent(parent);
}

HWND TWinControl::Handle() {
  if (handle_ == nullptr) CreateHandle();
  return handle_;
}

TWinControl* TWinControl::FindControl(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<TWinControl*>(GetPropW(window, kBindingProperty));
}

std::wstring TWinControl::ClassWindowName() const {
  static std::set<std::wstring> registered;
  const std::string narrow = ClassName();
  std::wstring name(narrow.begin(), narrow.end());
  if (!registered.contains(name)) {
    if (RegisterOwnClass(name.c_str()) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw Exception(kCreateErrorMessage);
    registered.insert(name);
  }
  return name;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.WinClassName = OwnClassName();
  params.Caption = text_;
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (parent_ != nullptr ? WS_CHILD : WS_POPUP);
  if (visible_) params.Style |= WS_VISIBLE;
  if (!enabled_) params.Style |= WS_DISABLED;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = parent_ != nullptr ? parent_->handle_ : nullptr;
  if (UseRightToLeftReading()) params.ExStyle |= WS_EX_RTLREADING;
  if (UseRightToLeftAlignment()) params.ExStyle |= WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
}

// The window is bound by the creation hook before its first message, so WindowProc sees
// WM_NCCREATE and everything after it.
void TWinControl::CreateHandle() {
  if (parent_ != nullptr) parent_->HandleNeeded();
  if (handle_ != nullptr) return;
  TCreateParams params;
  CreateParams(params);
  {
    TThreadHook hook(WH_CBT, &CreationHook);
    creatingControl = this;
    const HWND made =
        CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                        params.Style, params.X, params.Y, params.Width, params.Height,
                        params.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
    creatingControl = nullptr;
    // A window that another hook refused is gone without a WM_NCDESTROY.
    if (made == nullptr) Unbind();
  }
  if (handle_ == nullptr) throw Exception(kCreateErrorMessage);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  for (TControl* control : controls_)
    if (control->IsWindowed()) static_cast<TWinControl*>(control)->HandleNeeded();
  AlignControls();
}

LRESULT CALLBACK TWinControl::CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_CREATEWND && creatingControl != nullptr)
    std::exchange(creatingControl, nullptr)->Bind(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The only place that binds a window to an object and replaces its window procedure.
void TWinControl::Bind(HWND window) {
  handle_ = window;
  SetPropW(window, kBindingProperty, this);
  nativeProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindowProc)));
}

void TWinControl::Unbind() {
  if (handle_ == nullptr) return;
  // A later subclasser's procedure stays in place: putting ours back would cut it out.
  if (GetWindowLongPtrW(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ControlWindowProc))
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nativeProc_));
  RemovePropW(handle_, kBindingProperty);
  handle_ = nullptr;
  nativeProc_ = nullptr;
  mouseInside_ = false;
  mouseControl_ = nullptr;
}

// Nothing thrown by a handler reaches Windows; the message then answers what its Result holds.
LRESULT CALLBACK TWinControl::ControlWindowProc(HWND window, UINT msg, WPARAM wParam,
                                                LPARAM lParam) noexcept {
  TWinControl* control = FindControl(window);
  if (control == nullptr) return DefWindowProcW(window, msg, wParam, lParam);
  // The text outlives the window, so a window made again shows what the user typed; the
  // window's own procedure frees it on WM_NCDESTROY.
  if (msg == WM_NCDESTROY) control->SaveText();
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->windowProc_(message);
  } catch (...) {
  }
  if (msg == WM_NCDESTROY) control->Unbind();
  return message.Result;
}

// Asks the window's own procedure directly, so WindowProc sees no extra messages.
void TWinControl::SaveText() {
  if (nativeProc_ == nullptr) return;
  const LRESULT length = CallWindowProcW(nativeProc_, handle_, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  const LRESULT copied = CallWindowProcW(nativeProc_, handle_, WM_GETTEXT, text.size(),
                                         reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  text_ = std::move(text);
}

void TWinControl::DestroyHandle() {
  if (handle_ == nullptr) return;
  DestroyWindow(handle_);
  Unbind();
}

void TWinControl::RecreateWnd() {
  if (handle_ == nullptr) return;
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::CMRecreateWnd(TMessage&) {
  RecreateWnd();
}

// Children that follow this control's reading order hear of the change too; a window takes
// a new order only by being made again.
void TWinControl::CMBiDiModeChanged(TMessage&) {
  for (TControl* control : controls_)
    if (control->ParentBiDiMode()) control->Perform(CM_BIDIMODECHANGED);
  if (handle_ != nullptr) Perform(CM_RECREATEWND);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (handle_ != nullptr && nativeProc_ != nullptr)
    message.Result =
        CallWindowProcW(nativeProc_, handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
  if (message.Msg >= kFirstClientMouseMessage && message.Msg <= kLastClientMouseMessage &&
      RouteMouseToGraphicControl(message))
    return;
  TControl::WndProc(message);
}

// A mouse move keeps the window's own enter/leave state and the windowless child under the
// mouse current; a mouse message over a windowless child goes to it, in its coordinates.
bool TWinControl::RouteMouseToGraphicControl(TMessage& message) {
  const TPoint point = PointFromLParam(message.LParam);
  TControl* target = GraphicControlAt(point);
  if (message.Msg == WM_MOUSEMOVE) {
    TrackMouse();
    SetMouseControl(target);
  }
  if (target == nullptr) return false;
  const LPARAM local = MAKELPARAM(point.X - target->left_, point.Y - target->top_);
  message.Result = target->Perform(message.Msg, message.WParam, local);
  return true;
}

void TWinControl::TrackMouse() {
  if (mouseInside_ || handle_ == nullptr) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = handle_;
  TrackMouseEvent(&track);
  MouseEntered();
}

void TWinControl::SetMouseControl(TControl* control) {
  if (mouseControl_ == control) return;
  TControl* previous = std::exchange(mouseControl_, control);
  if (previous != nullptr) previous->MouseLeft();
  if (control != nullptr) control->MouseEntered();
}

void TWinControl::WMMouseLeave(TMessage& message) {
  SetMouseControl(nullptr);
  MouseLeft();
  DefaultHandler(message);
}

TControl* TWinControl::GraphicControlAt(TPoint point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (!control->IsWindowed() && control->visible_ && control->enabled_ &&
        Contains(control->BoundsRect(), point))
      return control;
  }
  return nullptr;
}

bool TWinControl::HasGraphicControls() const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [](const TControl* control) { return !control->IsWindowed(); });
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (control->IsWindowed() && handle_ != nullptr)
    static_cast<TWinControl*>(control)->HandleNeeded();
  control->InvalidateOnParent();
  AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  control->InvalidateOnParent();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  AlignControls();
}

void TWinControl::AlignControls() {
  if (aligning_ || (ComponentState() & csDestroying) != 0) return;
  aligning_ = true;
  const TRect client = ClientRect();
  TRect remaining = client;
  for (TAlign kind : kAlignOrder)
    for (TControl* control : controls_)
      if (control->align_ == kind && control->visible_) PlaceAligned(*control, remaining);
  // A client area that had no size yet gives anchors nothing to keep.
  const int dx = client.Width() - alignedClient_.Width();
  const int dy = client.Height() - alignedClient_.Height();
  const bool hadSize = alignedClient_.Width() > 0 || alignedClient_.Height() > 0;
  if (hadSize && (dx != 0 || dy != 0))
    for (TControl* control : controls_)
      if (control->align_ == alNone) FollowAnchors(*control, dx, dy);
  alignedClient_ = client;
  ControlsAligned(remaining);
  aligning_ = false;
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

bool TWinControl::Focused() const {
  return handle_ != nullptr && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const {
  for (const TControl* control = this; control != nullptr; control = control->parent_)
    if (!control->visible_ || !control->enabled_) return false;
  return true;
}

TRect TWinControl::ClientRect() const {
  if (handle_ == nullptr) return TControl::ClientRect();
  RECT r{};
  GetClientRect(handle_, &r);
  return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::ClientOrigin() const {
  if (handle_ == nullptr) return TControl::ClientOrigin();
  POINT origin{0, 0};
  ::ClientToScreen(handle_, &origin);
  return TPoint{origin.x, origin.y};
}

std::wstring TWinControl::WideText() const {
  if (handle_ == nullptr) return TControl::WideText();
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TWinControl::Repaint() {
  Invalidate();
  if (handle_ != nullptr) UpdateWindow(handle_);
}

void TWinControl::WMPaint(TMessage& message) {
  if (HasGraphicControls())
    PaintHandler(message);
  else
    DefaultHandler(message);
}

void TWinControl::PaintHandler(TMessage& message) {
  if (message.WParam != 0) {
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  TPaintScope paint(handle_);
  PaintWindow(paint.DC());
  PaintControls(paint.DC());
}

void TWinControl::EraseInColor(TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  RECT r{};
  GetClientRect(Handle(), &r);
  TBrushHandle brush(CreateSolidBrush(GdiColor(Color())));
  if (brush) FillRect(dc, &r, brush.Get());
  message.Result = 1;
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(message);
}

// Each windowless child paints with the origin at its own corner, clipped to its bounds.
void TWinControl::PaintControls(HDC dc) {
  for (TControl* control : controls_) {
    if (control->IsWindowed() || !control->visible_) continue;
    const TRect bounds = control->BoundsRect();
    const RECT r{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    if (!RectVisible(dc, &r)) continue;
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, bounds.Left, bounds.Top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.Width(), bounds.Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::WMSetFocus(TMessage& message) {
  DefaultHandler(message);
  Perform(CM_GOTFOCUS);
}

void TWinControl::WMKillFocus(TMessage& message) {
  DefaultHandler(message);
  Perform(CM_LOSTFOCUS);
}

// The window moved or changed size, by us or by anyone: the fields follow the window.
void TWinControl::WMWindowPosChanged(TMessage& message) {
  DefaultHandler(message);
  RECT r{};
  GetWindowRect(handle_, &r);
  // A child window's bounds are in its parent window's client coordinates, whether or not
  // that window belongs to a control (an MDI child's parent is the MDI client).
  if ((GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) != 0)
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  StoreBounds(Rect(r.left, r.top, r.right, r.bottom));
  AlignControls();
}

void TWinControl::WMCommand(TMessage& message) {
  TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam));
  if (child == nullptr) return DefaultHandler(message);
  message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
}

void TWinControl::BoundsChanged() {
  if (handle_ != nullptr)
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  else
    AlignControls();
}

void TWinControl::FontChanged() {
  if (handle_ != nullptr)
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void TWinControl::CMEnabledChanged(TMessage& message) {
  if (handle_ != nullptr) EnableWindow(handle_, enabled_);
  TControl::CMEnabledChanged(message);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (handle_ != nullptr) ShowWindow(handle_, visible_ ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::CMInvalidate(TMessage&) {
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace tk
