#include "Forms.h"

#include <algorithm>
#include <vector>

#include "Application.h"
#include "FormReader.h"
#include "Menus.h"
#include "Resources.h"
#include "Screen.h"
#include "toolkit/core/Exception.h"

namespace tk {

namespace {

constexpr const char* kNoMDIFormMessage = "Cannot create form. No MDI forms are currently active";
// Command identifiers the MDI client gives the children it lists in the window menu.
constexpr UINT kFirstMDIChildCommand = 0xFF00;

bool IsMenuCommand(const TMessage& message) {
  return message.LParam == 0 && HIWORD(message.WParam) == 0;
}

// Moves r so that it is centred on within.
TRect CentredOn(const TRect& r, const TRect& within) {
  const int left = within.Left + (within.Width() - r.Width()) / 2;
  const int top = within.Top + (within.Height() - r.Height()) / 2;
  return Rect(left, top, left + r.Width(), top + r.Height());
}

// Which window's rectangle a form of the given position is centred on; none for positions
// that do not centre.
TCustomForm* CentringForm(TCustomForm& form, TPosition position) {
  TApplication* app = Application();
  TCustomForm* main = app != nullptr ? app->MainForm() : nullptr;
  if (position == poOwnerFormCenter && form.Owner() != nullptr && form.Owner()->Is<TCustomForm>())
    return static_cast<TCustomForm*>(form.Owner());
  if ((position == poMainFormCenter || position == poOwnerFormCenter) && main != &form) return main;
  return nullptr;
}

}  // namespace

void TSizeConstraints::Set(int& field, int value) {
  if (field == value) return;
  field = std::max(0, value);
  if (onChange_) onChange_();
}

void TSizeConstraints::Constrain(int& width, int& height) const {
  if (maxWidth_ > 0) width = std::min(width, maxWidth_);
  if (maxHeight_ > 0) height = std::min(height, maxHeight_);
  width = std::max(width, minWidth_);
  height = std::max(height, minHeight_);
}

TCustomForm* FormOf(HWND window) {
  TWinControl* control = TWinControl::FindControl(window);
  return control != nullptr && control->Is<TCustomForm>() ? static_cast<TCustomForm*>(control)
                                                          : nullptr;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  constraints_.SetOnChange([this] { BoundsChanged(); });
  Screen().AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  Screen().RemoveForm(this);
  DestroyHandle();
}

void TCustomForm::InitializeForm() {
  const std::string resource = FormResourceName(ClassName());
  if (const auto text = LoadResourceText(GetModuleHandleW(nullptr), resource))
    ReadComponentInto(*this, *text);
  RaiseEvent(onCreate_, this);
  if (formStyle_ == fsMDIChild) Show();
}

// A stored Visible = True shows the form once everything else is read.
void TCustomForm::Loaded() {
  TWinControl::Loaded();
  ScaleForScreen();
  if (Visible()) Perform(CM_VISIBLECHANGED, TRUE);
}

// A form stored at another resolution keeps its look: its controls and client area grow or
// shrink by the ratio of the two.
void TCustomForm::ScaleForScreen() {
  const int screenPixels = Screen().PixelsPerInch();
  if (!scaled_ || pixelsPerInch_ <= 0 || pixelsPerInch_ == screenPixels) return;
  const auto scale = [&](int value) { return MulDiv(value, screenPixels, pixelsPerInch_); };
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    control->SetBounds(scale(control->Left()), scale(control->Top()), scale(control->Width()),
                       scale(control->Height()));
  }
  const int width = ClientWidth();
  const int height = ClientHeight();
  SetClientWidth(scale(width));
  SetClientHeight(scale(height));
  pixelsPerInch_ = screenPixels;
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) {
    if (component == menu_) SetMenu(nullptr);
    if (component == windowMenu_) SetWindowMenu(nullptr);
  }
  TWinControl::Notification(component, operation);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (borderIcons_ == icons) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (formStyle_ == style) return;
  formStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (windowState_ == state) return;
  windowState_ = state;
  if (HandleAllocated() && Visible()) ApplyWindowState();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu_ == menu) return;
  if (menu_ != nullptr) {
    menu_->RemoveFreeNotification(this);
    menu_->SetWindowHandle(nullptr);
  }
  menu_ = menu;
  if (menu_ != nullptr) menu_->FreeNotification(this);
  if (HandleAllocated()) AttachMenu(true);
}

// An MDI child's menu is not shown in its own window: the frame's bar is the only one.
void TCustomForm::AttachMenu(bool keepClientSize) {
  const bool shown = menu_ != nullptr && formStyle_ != fsMDIChild;
  const SIZE before = FrameSize();
  const int clientWidth = Width() - before.cx;
  const int clientHeight = Height() - before.cy;
  ::SetMenu(Handle(), shown ? menu_->Handle() : nullptr);
  if (shown) menu_->SetWindowHandle(Handle());
  // The client area keeps its size: the window grows or shrinks by the bar.
  const SIZE after = FrameSize();
  if (keepClientSize && after.cy != before.cy)
    SetBounds(Left(), Top(), clientWidth + after.cx, clientHeight + after.cy);
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
  if (windowMenu_ == item) return;
  if (windowMenu_ != nullptr) windowMenu_->RemoveFreeNotification(this);
  windowMenu_ = item;
  if (windowMenu_ != nullptr) windowMenu_->FreeNotification(this);
  if (clientHandle_ == nullptr) return;
  SendMessageW(clientHandle_, WM_MDISETMENU, 0,
               reinterpret_cast<LPARAM>(windowMenu_ != nullptr ? windowMenu_->Handle() : nullptr));
  DrawMenuBar(Handle());
}

void TCustomForm::SetIcon(HICON icon) {
  icon_.SetHandle(icon);
  UpdateIcon();
}

void TCustomForm::UpdateIcon() {
  if (!HandleAllocated()) return;
  HICON icon = icon_.Handle();
  if (icon == nullptr && Application() != nullptr) icon = Application()->Icon().Handle();
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

SIZE TCustomForm::FrameSize() const {
  if (HandleAllocated()) {
    const TRect client = ClientRect();
    return SIZE{Width() - client.Width(), Height() - client.Height()};
  }
  // Working out the styles changes nothing; CreateParams is non-const only for overrides.
  TCreateParams params;
  const_cast<TCustomForm*>(this)->CreateParams(params);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, params.Style, menu_ != nullptr && formStyle_ != fsMDIChild,
                     params.ExStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

int TCustomForm::ClientWidth() const {
  return Width() - FrameSize().cx;
}

int TCustomForm::ClientHeight() const {
  return Height() - FrameSize().cy;
}

void TCustomForm::SetClientWidth(int width) {
  SetWidth(width + FrameSize().cx);
}

void TCustomForm::SetClientHeight(int height) {
  SetHeight(height + FrameSize().cy);
}

void TCustomForm::BoundsChanged() {
  int width = Width();
  int height = Height();
  constraints_.Constrain(width, height);
  if (width != Width() || height != Height())
    StoreBounds(Rect(Left(), Top(), Left() + width, Top() + height));
  TWinControl::BoundsChanged();
}

void TCustomForm::SetAutoScroll(bool autoScroll) {
  if (autoScroll_ == autoScroll) return;
  autoScroll_ = autoScroll;
  UpdateScrollRanges();
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = ClassWindowName();
  if (Parent() != nullptr) return;
  params.Style &= ~(WS_POPUP | WS_CHILD | WS_VISIBLE);
  constexpr DWORD kFrameStyles[] = {
      WS_POPUP,                    // bsNone
      WS_CAPTION,                  // bsSingle
      WS_CAPTION | WS_THICKFRAME,  // bsSizeable
      WS_POPUP | WS_CAPTION,       // bsDialog
      WS_CAPTION,                  // bsToolWindow
      WS_CAPTION | WS_THICKFRAME,  // bsSizeToolWin
  };
  params.Style |= kFrameStyles[borderStyle_];
  const bool hasCaption = borderStyle_ != bsNone;
  const bool canMinMax = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
  if (hasCaption && (borderIcons_ & biSystemMenu) != 0) {
    params.Style |= WS_SYSMENU;
    if (canMinMax && (borderIcons_ & biMinimize) != 0) params.Style |= WS_MINIMIZEBOX;
    if (canMinMax && (borderIcons_ & biMaximize) != 0) params.Style |= WS_MAXIMIZEBOX;
    if ((borderIcons_ & biHelp) != 0 && (params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0)
      params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (borderStyle_ == bsDialog) params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
    params.ExStyle |= WS_EX_TOOLWINDOW;
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (formStyle_ == fsMDIChild) {
    TCustomForm* frame = MDIFrame();
    params.ExStyle |= WS_EX_MDICHILD;
    params.Style |= WS_CHILD | WS_VISIBLE;
    params.WndParent = frame != nullptr ? frame->clientHandle_ : nullptr;
    return;
  }
  if ((position_ == poDefault || position_ == poDefaultPosOnly) && (params.Style & WS_POPUP) == 0)
    params.X = params.Y = CW_USEDEFAULT;
  if ((position_ == poDefault || position_ == poDefaultSizeOnly) && (params.Style & WS_POPUP) == 0)
    params.Width = params.Height = CW_USEDEFAULT;
  // Other forms stay above the main form and go with it when it is minimized.
  TCustomForm* main = Application() != nullptr ? Application()->MainForm() : nullptr;
  if (main != nullptr && main != this && main->HandleAllocated()) params.WndParent = main->Handle();
}

TCustomForm* TCustomForm::MDIFrame() const {
  auto isFrame = [this](TCustomForm* form) {
    return form != nullptr && form != this && form->formStyle_ == fsMDIForm;
  };
  if (Owner() != nullptr && Owner()->Is<TCustomForm>() &&
      isFrame(static_cast<TCustomForm*>(Owner())))
    return static_cast<TCustomForm*>(Owner());
  TCustomForm* main = Application() != nullptr ? Application()->MainForm() : nullptr;
  return isFrame(main) ? main : nullptr;
}

// The size given to the window already counts the menu bar, so attaching the menu leaves
// the client area as wide and high as asked for.
void TCustomForm::CreateHandle() {
  if (formStyle_ == fsMDIChild) {
    TCustomForm* frame = MDIFrame();
    if (frame == nullptr) throw Exception(kNoMDIFormMessage);
    frame->HandleNeeded();
  }
  TWinControl::CreateHandle();
  if (formStyle_ == fsMDIForm) CreateClientWindow();
  if (menu_ != nullptr) AttachMenu(false);
  RECT r{};
  GetWindowRect(Handle(), &r);
  if (formStyle_ == fsMDIChild)
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
  StoreBounds(Rect(r.left, r.top, r.right, r.bottom));
  UpdateIcon();
  UpdateScrollRanges();
}

void TCustomForm::CreateClientWindow() {
  CLIENTCREATESTRUCT client{};
  client.hWindowMenu = windowMenu_ != nullptr ? windowMenu_->Handle() : nullptr;
  client.idFirstChild = kFirstMDIChildCommand;
  const TRect r = ClientRect();
  clientHandle_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, r.Left,
      r.Top, r.Width(), r.Height(), Handle(), nullptr, GetModuleHandleW(nullptr), &client);
  if (clientHandle_ == nullptr) throw Exception("Error creating window");
  AlignControls();
}

// The MDI client fills what the aligned controls leave.
void TCustomForm::ControlsAligned(const TRect& remaining) {
  if (clientHandle_ != nullptr)
    SetWindowPos(clientHandle_, nullptr, remaining.Left, remaining.Top, remaining.Width(),
                 remaining.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollRanges();
}

void TCustomForm::DefaultHandler(TMessage& message) {
  if (!HandleAllocated()) return;
  if (formStyle_ == fsMDIForm && clientHandle_ != nullptr)
    message.Result =
        DefFrameProcW(Handle(), clientHandle_, message.Msg, message.WParam, message.LParam);
  else if (formStyle_ == fsMDIChild)
    message.Result = DefMDIChildProcW(Handle(), message.Msg, message.WParam, message.LParam);
  else
    TWinControl::DefaultHandler(message);
}

// The form's own messages; everything else goes the way of every windowed control.
void TCustomForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE: return WMClose(message);
    case WM_ACTIVATE: return WMActivate(message);
    case WM_MDIACTIVATE: return WMMDIActivate(message);
    case WM_ACTIVATEAPP: return WMActivateApp(message);
    case WM_GETMINMAXINFO: return WMGetMinMaxInfo(message);
    case WM_SIZE: return WMSize(message);
    case WM_DESTROY: return WMDestroy(message);
    case WM_MEASUREITEM: return WMMeasureItem(message);
    case WM_DRAWITEM: return WMDrawItem(message);
    case WM_HSCROLL: return WMScroll(message, SB_HORZ);
    case WM_VSCROLL: return WMScroll(message, SB_VERT);
    case CM_RELEASE: return CMRelease(message);
    default: return TWinControl::WndProc(message);
  }
}

// The client area shows the form's colour where no control covers it.
void TCustomForm::WMEraseBkgnd(TMessage& message) {
  EraseInColor(message);
}

void TCustomForm::WMClose(TMessage&) {
  Close();
}

void TCustomForm::WMActivate(TMessage& message) {
  DefaultHandler(message);
  if (formStyle_ != fsMDIChild) SetActive(LOWORD(message.WParam) != WA_INACTIVE);
}

// Sent to the child losing activation and to the one gaining it: LParam is the latter.
void TCustomForm::WMMDIActivate(TMessage& message) {
  DefaultHandler(message);
  SetActive(reinterpret_cast<HWND>(message.LParam) == Handle());
}

void TCustomForm::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (active && formStyle_ != fsMDIChild) Screen().SetActiveForm(this);
  RaiseEvent(active ? onActivate_ : onDeactivate_, this);
}

void TCustomForm::WMActivateApp(TMessage& message) {
  DefaultHandler(message);
  if (Application() != nullptr) Application()->SetActive(message.WParam != 0);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& message) {
  DefaultHandler(message);
  auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
  if (constraints_.MinWidth() > 0) info->ptMinTrackSize.x = constraints_.MinWidth();
  if (constraints_.MinHeight() > 0) info->ptMinTrackSize.y = constraints_.MinHeight();
  if (constraints_.MaxWidth() > 0) info->ptMaxTrackSize.x = constraints_.MaxWidth();
  if (constraints_.MaxHeight() > 0) info->ptMaxTrackSize.y = constraints_.MaxHeight();
}

// The state follows the window, whoever minimized, maximized or restored it.
void TCustomForm::WMSize(TMessage& message) {
  DefaultHandler(message);
  if (!IsWindowVisible(Handle())) return;
  switch (message.WParam) {
    case SIZE_MINIMIZED: windowState_ = wsMinimized; break;
    case SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
    case SIZE_RESTORED: windowState_ = wsNormal; break;
    default: break;
  }
}

// A window destroys the menu it shows; the menu belongs to its component, so it is taken
// off first.
void TCustomForm::WMDestroy(TMessage& message) {
  if (menu_ != nullptr && GetMenu(Handle()) == menu_->Handle()) {
    ::SetMenu(Handle(), nullptr);
    menu_->SetWindowHandle(nullptr);
  }
  clientHandle_ = nullptr;
  active_ = false;
  DefaultHandler(message);
}

void TCustomForm::WMMeasureItem(TMessage& message) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  if (measure != nullptr && measure->CtlType == ODT_MENU && DispatchMenuMeasureItem(*measure))
    message.Result = TRUE;
  else
    TWinControl::WndProc(message);
}

void TCustomForm::WMDrawItem(TMessage& message) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (draw != nullptr && draw->CtlType == ODT_MENU && DispatchMenuDrawItem(*draw))
    message.Result = TRUE;
  else
    TWinControl::WndProc(message);
}

// Menu commands go to their items; those of the MDI client's window list go on to the
// frame's default handling.
void TCustomForm::WMCommand(TMessage& message) {
  if (!IsMenuCommand(message)) return TWinControl::WMCommand(message);
  if (!DispatchMenuCommand(LOWORD(message.WParam))) DefaultHandler(message);
}

void TCustomForm::CMRelease(TMessage&) {
  delete this;
}

void TCustomForm::Release() {
  if (releasing_) return;
  releasing_ = true;
  PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) BringWindowToTop(Handle());
}

void TCustomForm::CMVisibleChanged(TMessage&) {
  if ((ComponentState() & csLoading) != 0) return;
  if (!Visible()) {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    return;
  }
  HandleNeeded();
  if (!positioned_) ApplyPosition();
  ApplyWindowState();
  RaiseEvent(onShow_, this);
}

void TCustomForm::ApplyPosition() {
  positioned_ = true;
  if (position_ != poScreenCenter && position_ != poDesktopCenter &&
      position_ != poMainFormCenter && position_ != poOwnerFormCenter)
    return;
  TRect within;
  TCustomForm* centre = CentringForm(*this, position_);
  if (centre != nullptr && centre->HandleAllocated())
    within = centre->BoundsRect();
  else if (TMonitor* monitor = Screen().MonitorFromWindow(Handle(), mdPrimary))
    within = monitor->WorkareaRect();
  else
    return;
  SetBoundsRect(CentredOn(BoundsRect(), within));
}

void TCustomForm::ApplyWindowState() {
  if (formStyle_ == fsMDIChild) {
    HWND client = GetParent(Handle());
    ShowWindow(Handle(), SW_SHOW);
    if (windowState_ == wsMaximized)
      SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Handle()), 0);
    else if (windowState_ == wsMinimized)
      ShowWindow(Handle(), SW_MINIMIZE);
    else if (IsZoomed(Handle()) || IsIconic(Handle()))
      SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(Handle()), 0);
    return;
  }
  constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
  const bool wasShown = IsWindowVisible(Handle()) != FALSE;
  const bool stateDiffers = (windowState_ == wsMaximized) != (IsZoomed(Handle()) != FALSE) ||
                            (windowState_ == wsMinimized) != (IsIconic(Handle()) != FALSE);
  if (!wasShown || stateDiffers) ShowWindow(Handle(), kShowCommands[windowState_]);
}

void TCustomForm::Close() {
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action =
      formStyle_ == fsMDIChild ? ((borderIcons_ & biMinimize) != 0 ? caMinimize : caNone) : caHide;
  if (onClose_) {
    const TCloseEvent handler = onClose_;
    handler(this, action);
  }
  TApplication* app = Application();
  if (action != caNone && app != nullptr && app->MainForm() == this) {
    app->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    case caNone: break;
  }
}

bool TCustomForm::CloseQuery() {
  for (TCustomForm* child : MDIChildList())
    if (!child->CloseQuery()) return false;
  bool canClose = true;
  if (onCloseQuery_) {
    const TCloseQueryEvent handler = onCloseQuery_;
    handler(this, canClose);
  }
  return canClose;
}

// While a modal form runs, the other shown windows of the thread are disabled; a window
// that was disabled already stays so afterwards.
class TModalScope {
 public:
  explicit TModalScope(bool& modal) : modal_(modal), previousActive_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(&disabled_));
    modal_ = true;
  }
  ~TModalScope() {
    modal_ = false;
    for (HWND window : disabled_) EnableWindow(window, TRUE);
    if (previousActive_ != nullptr && IsWindow(previousActive_)) SetActiveWindow(previousActive_);
  }
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM data) noexcept {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
      EnableWindow(window, FALSE);
    }
    return TRUE;
  }

  bool& modal_;
  HWND previousActive_;
  std::vector<HWND> disabled_;
};

TModalResult TCustomForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  modalResult_ = mrNone;
  TApplication* app = Application();
  {
    TModalScope scope(modal_);
    Show();
    // The end of the program ends the form whatever CloseQuery says.
    bool ending = false;
    for (;;) {
      if (modalResult_ != mrNone) {
        if (ending || CloseQuery()) break;
        modalResult_ = mrNone;
      }
      if (app != nullptr) {
        app->HandleMessage();
        ending = app->Terminated();
      } else {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        ending = got <= 0;
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        if (!ending) {
          TranslateMessage(&msg);
          DispatchMessageW(&msg);
        }
      }
      if (ending && modalResult_ == mrNone) modalResult_ = mrCancel;
    }
    Hide();
  }
  return modalResult_;
}

bool TCustomForm::IsShortCut(const TMessage& keyMessage) {
  if (formStyle_ == fsMDIForm)
    if (TCustomForm* child = ActiveMDIChild(); child != nullptr && child->IsShortCut(keyMessage))
      return true;
  return menu_ != nullptr && menu_->IsShortCut(keyMessage);
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
  std::vector<TCustomForm*> children;
  if (clientHandle_ == nullptr) return children;
  for (int i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* form = Screen().Forms(i);
    if (form->formStyle_ == fsMDIChild && form->HandleAllocated() &&
        GetParent(form->Handle()) == clientHandle_)
      children.push_back(form);
  }
  return children;
}

int TCustomForm::MDIChildCount() const {
  return static_cast<int>(MDIChildList().size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
  const std::vector<TCustomForm*> children = MDIChildList();
  if (index < 0 || index >= static_cast<int>(children.size()))
    throw Exception("MDI child index out of range");
  return children[static_cast<std::size_t>(index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (clientHandle_ == nullptr) return nullptr;
  return FormOf(reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0)));
}

void TCustomForm::Cascade() {
  if (clientHandle_ != nullptr) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
  if (clientHandle_ != nullptr) SendMessageW(clientHandle_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

}  // namespace tk
