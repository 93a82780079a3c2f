#pragma once

#include <windows.h>

#include <string>

#include "Component.h"
#include "Font.h"
#include "Messages.h"
#include "WndMethod.h"
#include "toolkit/core/Types.h"

namespace tk {

class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Reading order of a control's or menu's text. Right-to-left modes read text from the right;
// bdRightToLeftReadingOnly keeps left alignment, bdRightToLeftNoAlign keeps the alignment too.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
// A set of TAnchorKind bits: the parent's edges whose distance a control keeps on resize.
using TAnchors = unsigned;

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1,
  csCaptureMouse = 2,
  csClickEvents = 4,
  csFramed = 8,
  csSetCaption = 16,
  csOpaque = 32,
  csDoubleClicks = 64,
};
// A set of TControlStyleFlag bits.
using TControlStyle = unsigned;

inline constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);

// A visible element inside a parent window. Every message of a control passes through its
// WindowProc, which defaults to the virtual WndProc; WndProc hands each message to one typed
// handler (WMPaint, CMMouseEnter, ...) or to DefaultHandler. Text is kept as UTF-16; the
// narrow accessors use the system's ANSI code page, as the rest of the toolkit does.
// Controls are made with new: whichever of owner and parent goes first frees the control,
// which then leaves the other.
class TControl : public TComponent {
  TK_CLASS(TControl, TComponent)

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  virtual bool IsWindowed() const { return false; }

  // In a stored description a control sits inside its parent's object; the parent must be a
  // windowed control.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // With ParentColor set the control shows its parent's colour; SetColor clears it.
  TColor Color() const;
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);
  TFont& Font() { return font_; }
  void SetFont(const TFont& font);
  // With ParentBiDiMode set the control reads its text in its parent's order; SetBiDiMode
  // clears it. A new order reaches the control as CM_BIDIMODECHANGED.
  TBiDiMode BiDiMode() const;
  void SetBiDiMode(TBiDiMode mode);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool parentBiDiMode);
  bool UseRightToLeftReading() const { return BiDiMode() != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return BiDiMode() == bdRightToLeft; }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

  // Setting the text sends WM_SETTEXT and then CM_TEXTCHANGED when it differs.
  virtual std::wstring WideText() const { return text_; }
  void SetWideText(const std::wstring& text);
  std::string Text() const;
  void SetText(const std::string& text);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }

  // The mouse is over the control, as CM_MOUSEENTER and CM_MOUSELEAVE last told it.
  bool MouseInside() const { return mouseInside_; }

  // Sends a message straight to WindowProc and answers its Result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Sends CM_INVALIDATE, whose handler marks the control for painting.
  void Invalidate() { Perform(CM_INVALIDATE); }
  // Invalidates and paints at once.
  virtual void Repaint();

  const TWndMethod& WindowProc() const { return windowProc_; }
  // An empty method puts back the default, WndProc.
  void SetWindowProc(const TWndMethod& method);
  TWndMethod DefaultWindowProc() { return TWndMethod::Of<&TControl::WndProc>(this); }

  virtual void WndProc(TMessage& message);
  // What happens to a message nobody handled: nothing for a windowless control.
  virtual void DefaultHandler(TMessage& message);

 protected:
  virtual void WMPaint(TMessage& message) { DefaultHandler(message); }
  virtual void WMEraseBkgnd(TMessage& message) { DefaultHandler(message); }
  virtual void WMMouseMove(TMessage& message) { DefaultHandler(message); }
  virtual void WMMouseLeave(TMessage& message) { DefaultHandler(message); }
  virtual void WMSetText(TMessage& message);
  virtual void WMSetFocus(TMessage& message) { DefaultHandler(message); }
  virtual void WMKillFocus(TMessage& message) { DefaultHandler(message); }
  virtual void WMWindowPosChanged(TMessage& message) { DefaultHandler(message); }
  virtual void WMCommand(TMessage& message) { DefaultHandler(message); }
  // A notification of the control's own native window, reflected by its parent.
  virtual void CNCommand(TMessage&) {}
  virtual void CMMouseEnter(TMessage&) {}
  virtual void CMMouseLeave(TMessage&) {}
  virtual void CMEnabledChanged(TMessage&);
  virtual void CMVisibleChanged(TMessage&);
  virtual void CMTextChanged(TMessage&) {}
  virtual void CMInvalidate(TMessage&);
  virtual void CMBiDiModeChanged(TMessage&) {}
  virtual void CMRecreateWnd(TMessage&) {}

  // Applies new bounds to whatever shows the control; the fields already hold them.
  virtual void BoundsChanged();
  virtual void FontChanged() {}
  // Sets the fields without moving anything, for bounds that come from the window itself.
  void StoreBounds(const TRect& r);
  // CM_MOUSEENTER and CM_MOUSELEAVE, each once per stay of the mouse.
  void MouseEntered();
  void MouseLeft();

 private:
  friend class TWinControl;

  void Dispatch(TMessage& message);
  void InvalidateOnParent();

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  bool visible_ = true;
  bool enabled_ = true;
  bool mouseInside_ = false;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TFont font_;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  std::wstring text_;
  TWndMethod windowProc_;
};

// Conversions between the toolkit's narrow text (ANSI code page) and UTF-16.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);

}  // namespace tk
