#include "skin/engine/SkinWindowVCL.h"

#include <cmath>

#include "skin/engine/FlagScope.h"
#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinControlVCL.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/utils/WinWindowUtils.h"
#include "toolkit/core/Exception.h"
#include "toolkit/win/Properties.h"
#include "toolkit/win/Screen.h"

namespace skin {

namespace {

constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

}  // namespace

TzubSkinWindowVCL::TzubSkinWindowVCL(tk::TComponent* owner, TzubSkinEngine* engine, bool deferInit)
    : TzubSkinWindow(owner, engine, deferInit) {}

TzubSkinWindowVCL::~TzubSkinWindowVCL() {
  Finish();
}

tk::TCustomForm* TzubSkinWindowVCL::MainForm() const {
  tk::TApplication* application = tk::Application();
  return application != nullptr ? application->MainForm() : nullptr;
}

HWND TzubSkinWindowVCL::GetHandle() {
  return FForm != nullptr ? FForm->Handle() : nullptr;
}

// ---- Questions the base frame asks -------------------------------------------------------

void TzubSkinWindowVCL::GetWideCaption(std::wstring& s) {
  s.clear();
  if (FForm == nullptr) return;
  const tk::TPropInfo* caption = tk::FindProperty(*FForm, "Caption");
  if (caption != nullptr && caption->Kind == tk::tkWString)
    s = tk::GetWideStrProp(*FForm, "Caption");
}

bool TzubSkinWindowVCL::CanSetRegion() {
  return FForm->Parent() == nullptr && FForm->BorderStyle() != tk::bsNone;
}

HICON TzubSkinWindowVCL::GetIconHandle() {
  return FForm->Icon().Empty() ? nullptr : FForm->Icon().Handle();
}

bool TzubSkinWindowVCL::HasHelpButton() {
  return (FForm->BorderIcons() & tk::biHelp) != 0;
}
bool TzubSkinWindowVCL::IsMDIForm() {
  return FForm->FormStyle() == tk::fsMDIForm;
}
bool TzubSkinWindowVCL::IsMDIChild() {
  return FForm->FormStyle() == tk::fsMDIChild;
}

bool TzubSkinWindowVCL::HasSystemIcon() {
  const auto style = FForm->BorderStyle();
  return (style == tk::bsSingle || style == tk::bsSizeable) &&
         (FForm->BorderIcons() & tk::biSystemMenu) != 0;
}

bool TzubSkinWindowVCL::HasCloseButton() {
  return (FForm->BorderIcons() & tk::biSystemMenu) != 0;
}

namespace {

bool SizeButtonsAllowed(tk::TCustomForm& form, tk::TBorderIcon icon) {
  const auto style = form.BorderStyle();
  const auto icons = form.BorderIcons();
  return (icons & icon) != 0 && (icons & tk::biSystemMenu) != 0 && style != tk::bsDialog &&
         style != tk::bsToolWindow && style != tk::bsSizeToolWin;
}

}  // namespace

bool TzubSkinWindowVCL::HasMaximizeButton() {
  return SizeButtonsAllowed(*FForm, tk::biMaximize);
}
bool TzubSkinWindowVCL::HasMinimizeButton() {
  return SizeButtonsAllowed(*FForm, tk::biMinimize);
}

void TzubSkinWindowVCL::UnskinnedResize() {
  if (FRestoring || FInternalChange || FEngine->ChangingSkin() || FForm == nullptr) return;
  FClientWidth = FForm->ClientWidth();
  FClientHeight = FForm->ClientHeight();
}

void TzubSkinWindowVCL::CallOldWndProc(tk::TMessage& message) {
  FOldWndProc(message);
}

bool TzubSkinWindowVCL::CaptionWanted() const {
  return FForm->Parent() == nullptr && FForm->BorderStyle() != tk::bsNone;
}

// ---- Attaching ---------------------------------------------------------------------------

void TzubSkinWindowVCL::Attach(HWND handle) {
  FAllFormsDone = FInternalChange = FControlsShifted = false;
  FMinWidthSet = FMinHeightSet = FHiddenChild = FRestoring = false;
  FForm = FindFormByHandle(handle);
  if (FForm == nullptr) FForm = FormBeingSkinned();
  if (FForm == nullptr) throw tk::Exception("ZUBSkin: Skinning form failed!");
  FForm->SetAutoScroll(false);
  FMenu = nullptr;
  if (IsMDIForm()) HookClientWindow();
  if (!IsMDIChild()) {
    FAppEvents = std::make_unique<tk::TApplicationEvents>(nullptr);
    FAppEvents->SetOnMessage([this](MSG& msg, bool& handled) { AppMessage(msg, handled); });
  }
  FOldWndProc = FForm->WindowProc();
  FForm->SetWindowProc(tk::TWndMethod::Of<&TzubSkinWindowVCL::FrameWindowProc>(this));
  SetHasCaption(CaptionWanted());
  SetHasBorders(FForm->BorderStyle() != tk::bsNone);
  if (IsMDIChild()) NotifyWindowMenu();
}

void TzubSkinWindowVCL::Detach() {
  if (FForm == nullptr) return;
  FForm->SetWindowProc(FOldWndProc);
  UnhookClientWindow();
  for (tk::TMenuItem* item : FWindowMenuItems) delete item;
  FWindowMenuItems.clear();
  FAppEvents.reset();
  if (FEngine->Removing() && FForm->HandleAllocated())
    SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TzubSkinWindowVCL::HookClientWindow() {
  FClientWnd = FForm->ClientHandle();
  if (FClientWnd == nullptr || FClientSubclass != nullptr) return;
  FClientSubclass = std::make_unique<TWndSubclass>(
      FClientWnd, tk::TWndMethod::Of<&TzubSkinWindowVCL::ClientMessage>(this));
}

// Gives the MDI client its procedure back while it lives. When someone subclassed it after
// us, their procedure calls ours: ours then stays in the chain, passing everything on
// unchanged once the frame is gone, until the client window is destroyed.
void TzubSkinWindowVCL::UnhookClientWindow() {
  TWndSubclass::Release(std::move(FClientSubclass));
}

void TzubSkinWindowVCL::ClientMessage(tk::TMessage& message) {
  message.Result = FClientSubclass->CallOld(message);
  if (!FEngine->SkinningActive() || !FEnabled) return;
  switch (message.Msg) {
    case WM_MDICASCADE: CascadeChildren(); break;
    case WM_MDITILE: TileChildren(message.WParam != 0); break;
    case WM_MDICREATE: UpdateWindowMenu(); break;
    case WM_MDIDESTROY:
      if (FForm->MDIChildCount() == 1)
        SendMessageW(FForm->Handle(), kMergeChildMenu, reinterpret_cast<WPARAM>(FForm->Handle()),
                     0);
      break;
    case kMDITopFrameQuery: message.Result = FTopFrame; break;
    case kMDISideFrameQuery: message.Result = FSideFrame; break;
    case kMDIBottomFrameQuery: message.Result = FBottomFrame; break;
  }
}

// ---- Measuring and applying --------------------------------------------------------------

void TzubSkinWindowVCL::MeasureFrame() {
  FClientWidth = FForm->ClientWidth();
  FClientHeight = FForm->ClientHeight();
  FMenu = FForm->Menu();
  const int menuHeight = FMenu == nullptr || IsMDIChild() ? 0 : (IsNT60() ? 22 : 19);
  if (IsMDIChild()) {
    tk::TCustomForm* main = FForm->MDIFrame();
    const HWND client = main != nullptr ? main->ClientHandle() : nullptr;
    if (client != nullptr) {
      FTopFrame = static_cast<int>(SendMessageW(client, kMDITopFrameQuery, 0, 0));
      FBottomFrame =
          std::max(static_cast<int>(SendMessageW(client, kMDIBottomFrameQuery, 0, 0)), 4);
      FSideFrame = std::max(static_cast<int>(SendMessageW(client, kMDISideFrameQuery, 0, 0)), 4);
    } else {
      FBottomFrame = FSideFrame = 4;
    }
    FOldLeftFrame = 4;
    const bool announce =
        !FEngine->SkinningAllForms() ||
        (main != nullptr && main->MDIChildCount() == 1 && main->MDIChildren(0) == FForm);
    if (announce && main != nullptr)
      PostMessageW(main->Handle(), kMergeChildMenu, reinterpret_cast<WPARAM>(FForm->Handle()),
                   reinterpret_cast<LPARAM>(FMenu));
  } else {
    RECT window{};
    GetWindowRect(FForm->Handle(), &window);
    POINT origin{0, 0};
    POINT corner{FForm->ClientWidth(), FForm->ClientHeight()};
    ClientToScreen(FForm->Handle(), &origin);
    ClientToScreen(FForm->Handle(), &corner);
    FTopFrame = origin.y - window.top - menuHeight;
    FOldLeftFrame = origin.x - window.left;
    FOldBottomFrame = window.bottom - corner.y;
    FBottomFrame = IsMDIForm() ? FOldBottomFrame : 4;
    FSideFrame = IsMDIForm() ? FOldLeftFrame : 4;
  }
  FSavedColor = FForm->Color();
}

void TzubSkinWindowVCL::RemoveSysMenuStyle() {
  const HWND wnd = FForm->Handle();
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  if ((style & WS_SYSMENU) != 0)
    SetWindowLongPtrW(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_SYSMENU));
}

void TzubSkinWindowVCL::SetClientSize(int width, int height) {
  FForm->SetClientWidth(width);
  FForm->SetClientHeight(height);
}

// The frame changes the form's size and frame itself here: the resizes it causes are not the
// user's and must not replace the remembered client size.
void TzubSkinWindowVCL::ApplySkin() {
  if (FForm == nullptr) return;
  const TFlagScope change(FInternalChange);
  if (!FSkinned) {
    if ((FForm->ComponentState() & tk::csDestroying) != 0 || !FForm->HandleAllocated()) return;
    FRestoring = true;
    const HWND wnd = FForm->Handle();
    SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_SYSMENU);
    FForm->SetColor(FSavedColor);
    ClearConstraints();
    if (FControlsShifted) {
      ShiftControls(-1);
      FControlsShifted = false;
    }
    UnskinMenus();
    for (tk::TMenuItem* item : FWindowMenuItems) delete item;
    FWindowMenuItems.clear();
    SetWindowRgn(FForm->Handle(), nullptr, TRUE);
    SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
    if (FForm->WindowState() != tk::wsMaximized && FForm->WindowState() != tk::wsMinimized)
      SetClientSize(FClientWidth, FClientHeight);
    FRestoring = false;
    return;
  }
  if (!FDestroying)
    for (const auto& skinner : FControlSkinners) {
      try {
        skinner->SkinChanged();
        InvalidateRect(skinner->GetHandle(), nullptr, TRUE);
      } catch (...) {
      }
    }
  RemoveSysMenuStyle();
  FForm->SetColor(FEngine->GetFormColor());
  FForm->SetAutoScroll(false);
  FForm->SetScaled(false);
  if (IsMDIChild()) {
    tk::TCustomForm* main = FForm->MDIFrame();
    if (main != nullptr && main->MDIChildCount() > 1 &&
        main->MDIChildren(main->MDIChildCount() - 1) == FForm) {
      tk::TCustomForm* active = main->ActiveMDIChild();
      const LPARAM activeWnd = active != nullptr ? reinterpret_cast<LPARAM>(active->Handle()) : 0;
      for (int i = 0; i < main->MDIChildCount(); ++i)
        SendMessageW(main->MDIChildren(i)->Handle(), WM_MDIACTIVATE, 0, activeWnd);
    }
  }
  SetConstraints();
  if (!FControlsShifted) {
    ShiftControls(1);
    FControlsShifted = true;
  }
  SkinMenus();
  SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
  if (FForm->WindowState() != tk::wsMaximized && FForm->WindowState() != tk::wsMinimized)
    SetClientSize(FClientWidth, GetMenuBarHeight() + FClientHeight);
  if (IsMDIChild() && FForm->WindowState() == tk::wsMaximized && !FMDIMaximizeSent) {
    FMDIMaximizeSent = true;
    if (tk::TCustomForm* main = FForm->MDIFrame())
      SendMessageW(main->Handle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(FForm->Handle()), 0);
  }
}

void TzubSkinWindowVCL::ShiftControls(int direction) {
  const int shift = GetMenuBarHeight() * direction;
  if (shift == 0) return;
  for (int i = 0; i < FForm->ControlCount(); ++i) {
    tk::TControl* control = FForm->Controls(i);
    const tk::TAnchors anchors = control->Anchors();
    if ((anchors & tk::akBottom) == 0)
      control->SetTop(control->Top() + shift);
    else if ((anchors & tk::akTop) != 0)
      control->SetBounds(control->Left(), control->Top() + shift, control->Width(),
                         control->Height() - shift);
  }
}

void TzubSkinWindowVCL::SetConstraints() {
  tk::TSizeConstraints& constraints = FForm->Constraints();
  if (constraints.MinHeight() == 0 || FMinHeightSet) {
    constraints.SetMinHeight(GetMenuBarHeight() + CaptionHeight() + 6);
    FMinHeightSet = true;
  }
  if ((constraints.MinWidth() == 0 && !FDeferInit) || FMinWidthSet) {
    constraints.SetMinWidth(FEngine->Metrics().MinFrameWidth);
    FMinWidthSet = true;
  }
}

void TzubSkinWindowVCL::ClearConstraints() {
  FForm->Constraints().SetMinHeight(0);
  FForm->Constraints().SetMinWidth(0);
}

// The form's menus and its controls' popup menus are drawn by the engine while the form is
// skinned, and get their own drawing back with the form's own look.
void TzubSkinWindowVCL::SkinMenus() {
  FEngine->OwnerDrawOwnedMenus(FForm);
}

void TzubSkinWindowVCL::UnskinMenus() {
  FEngine->RestoreOwnedMenus(FForm);
}

// ---- Control skinners --------------------------------------------------------------------

void TzubSkinWindowVCL::SkinControls() {
  SkinOwnedComponents(FForm);
}

// The popup menus among the owned components are SkinMenus' part: it takes over every menu
// of the form and of its controls whenever the skin is applied.
void TzubSkinWindowVCL::SkinOwnedComponents(tk::TComponent* owner) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    tk::TComponent* component = owner->Components(i);
    if (component->Is<tk::TControl>()) SkinControl(static_cast<tk::TControl*>(component));
  }
}

void TzubSkinWindowVCL::SkinControl(tk::TControl* control) {
  if ((FEngine->ComponentState() & tk::csDesigning) != 0 || !control->WindowProc()) return;
  if (FEngine->DisabledTag() != 0 && control->Tag() == FEngine->DisabledTag()) return;
  const std::string className = control->ClassName();
  if (className == "TRollShadow") return;
  if (control->Is<tk::TWinControl>()) {
    auto* windowed = static_cast<tk::TWinControl*>(control);
    if (windowed->HandleAllocated() && IsWindowSkinned(windowed->Handle())) return;
  }
  if (StartsWith(className, "Tzub")) {
    if (className == "TzubForm") FEnabled = false;
    if (className != "TzubSkinInternalUpDown") return;
  }
  if (control->Parent() == nullptr) return;
  if (control->Is<tk::TCustomForm>()) {
    if (control->Name().empty()) return;
    control->SetColor(FEngine->GetFormColor());
    SkinOwnedComponents(control);
    return;
  }
  std::unique_ptr<TzubSkinControl> skinner;
  try {
    skinner.reset(CreateControlSkinner(control, this));
  } catch (...) {
    return;
  }
  if (skinner == nullptr) return;
  TzubSkinControl* added = skinner.get();
  FControlSkinners.push_back(std::move(skinner));
  // A control freed while the frame lives takes its skinner with it, so no skinner is left
  // holding a control that is gone.
  if (added->Is<TzubSkinControlVCL>())
    static_cast<TzubSkinControlVCL*>(added)->SetOnControlFreed([this](TzubSkinControlVCL& gone) {
      const auto it = std::find_if(FControlSkinners.begin(), FControlSkinners.end(),
                                   [&gone](const auto& s) { return s.get() == &gone; });
      if (it == FControlSkinners.end()) return;
      const std::unique_ptr<TzubSkinControl> dropped = std::move(*it);
      FControlSkinners.erase(it);
      dropped->Detach();
    });
  added->SkinChanged();
  if (added->NeedParentColor() && tk::HasProperty(*control, "ParentColor"))
    control->SetParentColor(true);
  if (className == "TDBLookupComboBox" || className == "TJamShellList" ||
      DescendsFromClassNamed(*control, "TCustomGrid"))
    return;
  SkinOwnedComponents(control);
}

// Every control still in the list lives (a skinner whose control was freed has left it), so
// each gets its previous handler back, also while the form is being destroyed: a control
// that outlives this frame must never call a freed skinner.
void TzubSkinWindowVCL::ReleaseControls() {
  std::erase(FControlSkinners, nullptr);
  while (!FControlSkinners.empty()) {
    const std::unique_ptr<TzubSkinControl> skinner = std::move(FControlSkinners.front());
    FControlSkinners.erase(FControlSkinners.begin());
    if (skinner->Is<TzubSkinControlVCL>())
      static_cast<TzubSkinControlVCL&>(*skinner).RestoreWndProc();
    skinner->Detach();
  }
}

// ---- Keyboard ----------------------------------------------------------------------------

void TzubSkinWindowVCL::AppMessage(MSG& msg, bool& handled) {
  if (!FEngine->SkinningActive() || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN))
    return;
  tk::TMessage key{msg.message, msg.wParam, msg.lParam, 0};
  handled = IsMenuShortCut(key);
}

// The form's menu stays on the form while it is skinned and the application's loop runs its
// shortcuts itself, so only a menu taken off the form would need the frame's help here.
bool TzubSkinWindowVCL::IsMenuShortCut(const tk::TMessage& key) {
  if (!MenuTakenOff()) return false;
  if (!IsFormActive(FForm) || (!IsMDIForm() && !FForm->Active())) return false;
  return FMenu->IsShortCut(key);
}

// ---- MDI ---------------------------------------------------------------------------------

void TzubSkinWindowVCL::CascadeChildren() {
  const int width = static_cast<int>(std::lround(0.8 * FForm->ClientWidth()));
  const int height = static_cast<int>(std::lround(0.6 * FForm->ClientHeight()));
  int x = 0;
  int y = 0;
  for (int i = FForm->MDIChildCount() - 1; i >= 0; --i) {
    tk::TCustomForm* child = FForm->MDIChildren(i);
    if (child->WindowState() == tk::wsMinimized) continue;
    child->SetBounds(x, y, width, height);
    x += 22;
    y += 22;
  }
}

void TzubSkinWindowVCL::TileChildren(bool horizontal) {
  const int count = FForm->MDIChildCount();
  int shown = 0;
  bool someMinimized = false;
  for (int i = 0; i < count; ++i) {
    if (FForm->MDIChildren(i)->WindowState() == tk::wsMinimized)
      someMinimized = true;
    else
      ++shown;
  }
  if (shown == 0) return;
  int aligned = 0;
  for (int i = 0; i < FForm->ControlCount(); ++i) {
    const tk::TControl* control = FForm->Controls(i);
    if (control->Align() == tk::alTop || control->Align() == tk::alBottom)
      aligned += control->Height();
  }
  int available = FForm->ClientHeight() - aligned;
  if (someMinimized) available -= 25;
  const int single = count == 1 ? 2 : 0;
  if (horizontal) {
    const int height = available / shown - single;
    int y = 0;
    for (int i = count - 1; i >= 0; --i) {
      tk::TCustomForm* child = FForm->MDIChildren(i);
      if (child->WindowState() == tk::wsMinimized) continue;
      child->SetBounds(0, y, FForm->ClientWidth() - 4, height - 2);
      y += height - 2;
    }
  } else {
    const int width = FForm->ClientWidth() / shown - single;
    int x = 0;
    for (int i = count - 1; i >= 0; --i) {
      tk::TCustomForm* child = FForm->MDIChildren(i);
      if (child->WindowState() == tk::wsMinimized) continue;
      child->SetBounds(x, 0, width - 2, available - 4);
      x += width - 2;
    }
  }
}

// While the form shows its own menu the system lists the children under the Window menu
// itself; the frame keeps the list only for a menu taken off the form.
void TzubSkinWindowVCL::UpdateWindowMenu() {
  if (!IsMDIForm() || !MenuTakenOff() || FForm->WindowMenu() == nullptr) return;
  for (tk::TMenuItem* item : FWindowMenuItems) delete item;
  FWindowMenuItems.clear();
  tk::TMenuItem* windowMenu = FForm->WindowMenu();
  auto* line = new tk::TMenuItem(FForm);
  line->SetCaption("-");
  windowMenu->Add(line);
  FWindowMenuItems.push_back(line);
  tk::TCustomForm* active = FForm->ActiveMDIChild();
  for (int i = 0; i < FForm->MDIChildCount(); ++i) {
    tk::TCustomForm* child = FForm->MDIChildren(i);
    if ((child->ComponentState() & tk::csDestroying) != 0 || !child->Visible()) continue;
    if (child->HandleAllocated() && SendMessageW(child->Handle(), kHiddenChildQuery, 0, 0) == 1)
      continue;
    auto* item = new tk::TMenuItem(FForm);
    item->SetWideCaption(child->WideText());
    item->SetTag(reinterpret_cast<std::intptr_t>(child));
    item->SetChecked(child == active);
    item->SetOnClick([this](tk::TObject* sender) { WindowMenuClick(sender); });
    windowMenu->Add(item);
    FWindowMenuItems.push_back(item);
  }
}

void TzubSkinWindowVCL::WindowMenuClick(tk::TObject* sender) {
  auto* item = static_cast<tk::TMenuItem*>(sender);
  for (int i = 0; i < FForm->MDIChildCount(); ++i) {
    tk::TCustomForm* child = FForm->MDIChildren(i);
    if (reinterpret_cast<std::intptr_t>(child) != item->Tag()) continue;
    if (child->WindowState() == tk::wsMinimized) child->SetWindowState(tk::wsNormal);
    SendMessageW(FForm->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()),
                 0);
    return;
  }
}

void TzubSkinWindowVCL::NotifyWindowMenu() {
  if (tk::TCustomForm* main = FForm->MDIFrame(); main != nullptr && main->HandleAllocated())
    SendMessageW(main->Handle(), kRebuildWindowMenu, 0, 0);
}

// ---- After the form's own handling -------------------------------------------------------

void TzubSkinWindowVCL::FollowCaption() {
  RemoveSysMenuStyle();
  const bool caption = CaptionWanted();
  if (caption != FHasCaption) SetHasCaption(caption);
  SetHasBorders(FHasCaption);
  if (FHasCaption)
    SetConstraints();
  else
    ClearConstraints();
  PaintFrame();
}

void TzubSkinWindowVCL::AfterSize(tk::TMessage& message) {
  const bool maximized = message.WParam == SIZE_MAXIMIZED;
  if (maximized && !IsMDIChild()) {
    tk::TRect area = GetWorkArea(FForm->Handle());
    area = {area.Left - 4, area.Top - 4, area.Right + 4, area.Bottom + 4};
    if (FForm->Height() < area.Height() || FForm->Width() < area.Width()) {
      const TFlagScope change(FInternalChange);
      SetFormBounds(*FForm, area);
    }
  } else if (maximized && !FMDIMaximizeSent) {
    FMDIMaximizeSent = true;
    if (tk::TCustomForm* main = FForm->MDIFrame())
      SendMessageW(main->Handle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(FForm->Handle()), 0);
  } else if (!maximized && IsMDIChild()) {
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    if (FMDIMaximizeSent) {
      FMDIMaximizeSent = false;
      if (tk::TCustomForm* main = FForm->MDIFrame())
        SendMessageW(main->Handle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(FForm->Handle()), 0);
    }
  }
  PaintFrame();
  UpdateRegion();
  if (FInitialized && !FInternalChange && !FEngine->ChangingSkin() &&
      message.WParam != SIZE_MINIMIZED && message.WParam != SIZE_MAXIMIZED) {
    FClientWidth = FForm->ClientWidth();
    FClientHeight = FForm->ClientHeight() - GetMenuBarHeight();
  }
}

void TzubSkinWindowVCL::AfterShow(tk::TMessage& message) {
  if (message.Msg == WM_SHOWWINDOW && IsMDIChild()) FHiddenChild = message.WParam == 0;
  if (FAllFormsDone || FForm != MainForm() || !FEngine->SkinAllForms()) return;
  FAllFormsDone = true;
  FEngine->SkinScreenForms();
}

void TzubSkinWindowVCL::AfterMDIActivate(tk::TMessage& message) {
  if (!IsMDIChild()) return;
  if (reinterpret_cast<HWND>(message.LParam) == FForm->Handle()) {
    if (tk::TCustomForm* main = FForm->MDIFrame())
      SendMessageW(main->Handle(), kMergeChildMenu, reinterpret_cast<WPARAM>(FForm->Handle()),
                   reinterpret_cast<LPARAM>(FMenu));
    FActive = true;
  } else {
    FActive = false;
  }
  PaintFrame();
}

void TzubSkinWindowVCL::AfterWndProc(tk::TMessage& message) {
  switch (message.Msg) {
    case WM_MDIACTIVATE: AfterMDIActivate(message); break;
    case WM_MDIREFRESHMENU: PaintFrame(); break;
    case WM_SHOWWINDOW: AfterShow(message); break;
    case tk::CM_VISIBLECHANGED: AfterShow(message); break;
    case WM_SIZE: AfterSize(message); break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (IsMDIChild() && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) NotifyWindowMenu();
      break;
    }
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) != WM_CREATE) break;
      RemoveSysMenuStyle();
      if (CaptionWanted() != FHasCaption) FollowCaption();
      break;
    case kRebuildWindowMenu: UpdateWindowMenu(); break;
    case kHiddenChildQuery: message.Result = FHiddenChild ? 1 : 0; break;
    case tk::CM_RECREATEWND:
    case tk::CM_FLOAT:
      FollowCaption();
      UpdateRegion();
      break;
  }
}

}  // namespace skin
