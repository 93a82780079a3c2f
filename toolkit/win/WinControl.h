#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Control.h"

namespace tk {

// What CreateHandle passes to CreateWindowExW. WinClassName is a native class ("BUTTON",
// "EDIT", ...) or, by default, the toolkit's own window class.
struct TCreateParams {
  std::wstring WinClassName;
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
};

// A control with a native window of its own, made when first needed (Handle) and bound to
// this object while it is being created, before its first message. From then on every
// message of the window passes through WindowProc; DefaultHandler gives it to the window's
// own procedure. A windowed control holds child controls; windowless children get their
// paint and mouse messages from it. Without a parent the window is a top-level popup.
class TWinControl : public TControl {
  TK_CLASS(TWinControl, TControl)

 public:
  explicit TWinControl(TComponent* owner);
  // Frees the child controls, then the window.
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  // A new parent means a new window: the old one is destroyed, and the new one is made at
  // once when the new parent has a window, else when it is needed.
  void SetParent(TWinControl* parent) override;

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  // Makes the window again with what CreateParams now gives, when the control has one; its
  // children's windows are made again with it.
  void RecreateWnd();
  // The control bound to a window, or null.
  static TWinControl* FindControl(HWND window);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  // The topmost visible, enabled windowless child at a client point, or null.
  TControl* GraphicControlAt(TPoint point) const;
  // Places aligned children inside the client area (top, bottom, left, right, then client)
  // and keeps unaligned ones at their anchored distances when the client area changes size.
  void AlignControls();

  void SetFocus();
  bool Focused() const;
  // The control and all its parents are visible and enabled.
  bool CanFocus() const;

  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  std::wstring WideText() const override;
  void Repaint() override;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateHandle();
  // A window class of the toolkit's own named after the control's class (forms' windows use
  // it, so that a window's class tells which form it belongs to), registered on first use.
  std::wstring ClassWindowName() const;
  // Paints the window's own look on dc; the default lets the native procedure draw there.
  virtual void PaintWindow(HDC dc);
  // Paints the window, then the windowless children over it, on the message's device
  // context or, when it brings none, between BeginPaint and EndPaint.
  void PaintHandler(TMessage& message);
  void PaintControls(HDC dc);
  // Answers WM_ERASEBKGND by filling the client area with the control's colour.
  void EraseInColor(TMessage& message);
  // Told after each alignment what is left of the client area once the aligned children
  // have taken their slices.
  virtual void ControlsAligned(const TRect&) {}

  void WMPaint(TMessage& message) override;
  void WMMouseLeave(TMessage& message) override;
  void WMSetFocus(TMessage& message) override;
  void WMKillFocus(TMessage& message) override;
  void WMWindowPosChanged(TMessage& message) override;
  // A command from a child's native window goes to the child's control as CN_COMMAND.
  void WMCommand(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMInvalidate(TMessage& message) override;
  void CMBiDiModeChanged(TMessage& message) override;
  void CMRecreateWnd(TMessage& message) override;
  void BoundsChanged() override;
  void FontChanged() override;

 private:
  friend class TControl;

  // The window procedure of every bound window, and the hook that binds a window as it is
  // being created.
  static LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam,
                                            LPARAM lParam) noexcept;
  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept;

  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool HasGraphicControls() const;
  bool RouteMouseToGraphicControl(TMessage& message);
  void SetMouseControl(TControl* control);
  void TrackMouse();
  void Bind(HWND window);
  void Unbind();
  void SaveText();

  HWND handle_ = nullptr;
  WNDPROC nativeProc_ = nullptr;
  std::vector<TControl*> controls_;
  TControl* mouseControl_ = nullptr;
  bool aligning_ = false;
  TRect alignedClient_{};
};

}  // namespace tk
