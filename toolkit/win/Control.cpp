#include "Control.h"

#include "WinControl.h"

namespace tk {

TControl::TControl(TComponent* owner) : TComponent(owner), windowProc_(DefaultWindowProc()) {}

TControl::~TControl() {
  Destroying();
  SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
  return parent_;
}

void TControl::SetParentComponent(TComponent* parent) {
  if (parent == nullptr || !parent->Is<TWinControl>()) TComponent::SetParentComponent(parent);
  SetParent(static_cast<TWinControl*>(parent));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  InvalidateOnParent();
  StoreBounds(Rect(left, top, left + width, top + height));
  BoundsChanged();
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::StoreBounds(const TRect& r) {
  left_ = r.Left;
  top_ = r.Top;
  width_ = r.Width();
  height_ = r.Height();
}

void TControl::BoundsChanged() {
  InvalidateOnParent();
}

TPoint TControl::ClientOrigin() const {
  const TPoint parentOrigin = parent_ != nullptr ? parent_->ClientOrigin() : TPoint{};
  return TPoint{parentOrigin.X + left_, parentOrigin.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint point) const {
  const TPoint origin = ClientOrigin();
  return TPoint{point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const {
  const TPoint origin = ClientOrigin();
  return TPoint{point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_ != nullptr) parent_->AlignControls();
}

TBiDiMode TControl::BiDiMode() const {
  return parentBiDiMode_ && parent_ != nullptr ? parent_->BiDiMode() : biDiMode_;
}

void TControl::SetBiDiMode(TBiDiMode mode) {
  const TBiDiMode before = BiDiMode();
  biDiMode_ = mode;
  parentBiDiMode_ = false;
  if (BiDiMode() != before) Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool parentBiDiMode) {
  const TBiDiMode before = BiDiMode();
  parentBiDiMode_ = parentBiDiMode;
  if (BiDiMode() != before) Perform(CM_BIDIMODECHANGED);
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible);
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

TColor TControl::Color() const {
  return parentColor_ && parent_ != nullptr ? parent_->Color() : color_;
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  Invalidate();
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor_ == parentColor) return;
  parentColor_ = parentColor;
  Invalidate();
}

void TControl::SetFont(const TFont& font) {
  font_.Assign(font);
  FontChanged();
  Invalidate();
}

void TControl::SetWideText(const std::wstring& text) {
  if (WideText() == text) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Perform(CM_TEXTCHANGED);
}

std::string TControl::Text() const {
  return AnsiFromWide(WideText());
}

void TControl::SetText(const std::string& text) {
  SetWideText(WideFromAnsi(text));
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  windowProc_(message);
  return message.Result;
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ != nullptr && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::SetWindowProc(const TWndMethod& method) {
  windowProc_ = method ? method : DefaultWindowProc();
}

void TControl::WndProc(TMessage& message) {
  Dispatch(message);
}

void TControl::DefaultHandler(TMessage&) {}

// The one place where messages meet their typed handlers.
void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: return WMPaint(message);
    case WM_ERASEBKGND: return WMEraseBkgnd(message);
    case WM_MOUSEMOVE: return WMMouseMove(message);
    case WM_MOUSELEAVE: return WMMouseLeave(message);
    case WM_SETTEXT: return WMSetText(message);
    case WM_SETFOCUS: return WMSetFocus(message);
    case WM_KILLFOCUS: return WMKillFocus(message);
    case WM_WINDOWPOSCHANGED: return WMWindowPosChanged(message);
    case WM_COMMAND: return WMCommand(message);
    case CN_COMMAND: return CNCommand(message);
    case CM_MOUSEENTER: return CMMouseEnter(message);
    case CM_MOUSELEAVE: return CMMouseLeave(message);
    case CM_ENABLEDCHANGED: return CMEnabledChanged(message);
    case CM_VISIBLECHANGED: return CMVisibleChanged(message);
    case CM_TEXTCHANGED: return CMTextChanged(message);
    case CM_INVALIDATE: return CMInvalidate(message);
    case CM_BIDIMODECHANGED: return CMBiDiModeChanged(message);
    case CM_RECREATEWND: return CMRecreateWnd(message);
    default: return DefaultHandler(message);
  }
}

void TControl::WMSetText(TMessage& message) {
  const auto* text = reinterpret_cast<const wchar_t*>(message.LParam);
  text_ = text != nullptr ? text : L"";
  message.Result = TRUE;
  DefaultHandler(message);
}

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
  InvalidateOnParent();
}

void TControl::CMInvalidate(TMessage&) {
  InvalidateOnParent();
}

void TControl::MouseEntered() {
  if (mouseInside_) return;
  mouseInside_ = true;
  Perform(CM_MOUSEENTER);
}

void TControl::MouseLeft() {
  if (!mouseInside_) return;
  mouseInside_ = false;
  Perform(CM_MOUSELEAVE);
}

void TControl::InvalidateOnParent() {
  if (IsWindowed() || parent_ == nullptr || !parent_->HandleAllocated()) return;
  const RECT r{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_->Handle(), &r, TRUE);
}

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string AnsiFromWide(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace tk
