#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "Icon.h"
#include "NotifyEvent.h"
#include "WinControl.h"

namespace tk {

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
// A set of TBorderIcon bits.
using TBorderIcons = unsigned;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter,
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// What ShowModal answers: the button a dialog was closed with, mrNone while it runs.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;
inline constexpr TModalResult mrYes = IDYES;
inline constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// Size limits of a form's window; 0 leaves that side unlimited. The form keeps its bounds
// inside them and tells the window manager, so dragging a border stops there too.
class TSizeConstraints {
 public:
  int MinWidth() const { return minWidth_; }
  int MinHeight() const { return minHeight_; }
  int MaxWidth() const { return maxWidth_; }
  int MaxHeight() const { return maxHeight_; }
  void SetMinWidth(int value) { Set(minWidth_, value); }
  void SetMinHeight(int value) { Set(minHeight_, value); }
  void SetMaxWidth(int value) { Set(maxWidth_, value); }
  void SetMaxHeight(int value) { Set(maxHeight_, value); }
  // A size brought inside the limits; a minimum wins over a smaller maximum.
  void Constrain(int& width, int& height) const;
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  void Set(int& field, int value);

  int minWidth_ = 0;
  int minHeight_ = 0;
  int maxWidth_ = 0;
  int maxHeight_ = 0;
  std::function<void()> onChange_;
};

// A top-level window of the application, or an MDI frame or child. A form starts hidden;
// Show, ShowModal or Visible show it. Its Left and Top are screen coordinates (an MDI
// child's are in its MDI client's). Every form is in the screen's list of forms from
// construction to destruction.
class TCustomForm : public TWinControl {
  TK_CLASS(TCustomForm, TWinControl)

 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Reads the form's stored description from the executable's resources, when there is one
  // under the upper-cased class name, then runs OnCreate. CreateForm calls it.
  void InitializeForm();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  // The style of a form whose window exists changes by making the window again.
  void SetFormStyle(TFormStyle style);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }

  // The menu shown in the window's menu bar; an MDI child shows none of its own.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // The form's icon; an empty one shows the application's.
  TIcon& Icon() { return icon_; }
  void SetIcon(HICON icon);

  // The form is its window's active top-level form, or the active child of its MDI client.
  bool Active() const { return active_; }

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  TSizeConstraints& Constraints() { return constraints_; }

  // Scroll bars appear when the controls reach beyond the client area.
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool autoScroll);
  // A form stored at another screen resolution is scaled to this one when it is read.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }

  // MDI frames: the "MDICLIENT" window that holds the children (made with the form's
  // window), the children in the screen's order, the active one, and the menu item whose
  // submenu lists the children.
  HWND ClientHandle() const { return clientHandle_; }
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int index) const;
  TCustomForm* ActiveMDIChild() const;
  TMenuItem* WindowMenu() const { return windowMenu_; }
  // The MDI frame an MDI child lives in: its owner when that is an MDI frame, else the
  // application's main form when that is one; null when there is none.
  TCustomForm* MDIFrame() const;
  void SetWindowMenu(TMenuItem* item);
  void Cascade();
  void Tile();

  void Show();
  void Hide() { SetVisible(false); }
  // Runs CloseQuery and OnClose and does what OnClose left in its action: hide (the
  // default), minimize, free (through Release) or nothing. Closing the main form ends the
  // application; closing a modal form ends ShowModal with mrCancel.
  void Close();
  // Asks OnCloseQuery, and for an MDI frame every child too.
  virtual bool CloseQuery();
  // Frees the form once the messages already queued for it are handled.
  void Release();
  // Shows the form, disables the application's other windows and handles messages until
  // ModalResult is set or the application ends; answers ModalResult.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  bool Modal() const { return modal_; }

  // Menu shortcuts of the form's menu, and of the MDI frame's menu for an MDI child.
  bool IsShortCut(const TMessage& keyMessage);

  void SetOnCreate(TNotifyEvent handler) { onCreate_ = std::move(handler); }
  void SetOnShow(TNotifyEvent handler) { onShow_ = std::move(handler); }
  void SetOnActivate(TNotifyEvent handler) { onActivate_ = std::move(handler); }
  void SetOnDeactivate(TNotifyEvent handler) { onDeactivate_ = std::move(handler); }
  void SetOnClose(TCloseEvent handler) { onClose_ = std::move(handler); }
  void SetOnCloseQuery(TCloseQueryEvent handler) { onCloseQuery_ = std::move(handler); }

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void ControlsAligned(const TRect& remaining) override;
  void BoundsChanged() override;
  void CMVisibleChanged(TMessage& message) override;
  void WMCommand(TMessage& message) override;
  void WMEraseBkgnd(TMessage& message) override;

 private:
  void WMClose(TMessage& message);
  void WMActivate(TMessage& message);
  void WMMDIActivate(TMessage& message);
  void WMActivateApp(TMessage& message);
  void WMGetMinMaxInfo(TMessage& message);
  void WMSize(TMessage& message);
  void WMDestroy(TMessage& message);
  void WMMeasureItem(TMessage& message);
  void WMDrawItem(TMessage& message);
  void WMScroll(TMessage& message, int bar);
  void CMRelease(TMessage& message);

  void SetActive(bool active);
  void ApplyPosition();
  void ApplyWindowState();
  void UpdateIcon();
  void AttachMenu(bool keepClientSize);
  std::vector<TCustomForm*> MDIChildList() const;
  void ScrollContent(int dx, int dy);
  void CreateClientWindow();
  void UpdateScrollRanges();
  // The frame size around the client area that the window has, or would have.
  SIZE FrameSize() const;
  void ScaleForScreen();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TPosition position_ = poDesigned;
  TMainMenu* menu_ = nullptr;
  TMenuItem* windowMenu_ = nullptr;
  TIcon icon_;
  bool active_ = false;
  bool positioned_ = false;
  bool autoScroll_ = false;
  bool scaled_ = true;
  int pixelsPerInch_ = 96;
  TSizeConstraints constraints_;
  HWND clientHandle_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool releasing_ = false;
  bool updatingScroll_ = false;
  TPoint scrollPos_{};
  TNotifyEvent onCreate_;
  TNotifyEvent onShow_;
  TNotifyEvent onActivate_;
  TNotifyEvent onDeactivate_;
  TCloseEvent onClose_;
  TCloseQueryEvent onCloseQuery_;
};

// The form class applications derive from.
class TForm : public TCustomForm {
  TK_CLASS(TForm, TCustomForm)

 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// The form whose window is window, or null.
TCustomForm* FormOf(HWND window);

}  // namespace tk
