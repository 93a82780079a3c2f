#include "skin/engine/SkinWindowWnd.h"

#include <algorithm>
#include <string>
#include <utility>

#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/utils/WinWindowUtils.h"
#include "toolkit/core/SysUtils.h"
#include "toolkit/win/ObjectInstance.h"
#include "toolkit/win/StdCtrls.h"
#include "toolkit/win/WinControl.h"

namespace skin {

namespace {

// The window is told its frame changed without being moved, sized, reordered or activated.
constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr int kNativeInset = 4;
// A dialog that made itself this much wider than measured while lower gets the one growth.
constexpr double kGrowthWidthFactor = 1.5;
constexpr WPARAM kSysCommandMask = 0xFFF0;

constexpr const char* kShellViewClass = "SHELLDLL_DEFVIEW";
constexpr const char* kToolBarClass = "TOOLBARWINDOW32";
constexpr const char* kListBoxClass = "LISTBOX";
constexpr const char* kFolderTreeClass = "SHBROWSEFORFOLDER SHELLNAMESPACE CONTROL";
constexpr const char* kScrollBarClass = "SCROLLBAR";
constexpr const char* kDialogClass = "#32770";
constexpr const char* kPanelClass = "TPANEL";

std::string UpperClassName(HWND wnd) {
  return tk::UpperCase(WindowClassName(wnd));
}

RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

RECT ClientRectOf(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  return r;
}

// Answers a control-colour message with the form brush over a transparent text background.
void AnswerFormBrush(const TzubSkinEngine& engine, tk::TMessage& message) {
  message.Result = reinterpret_cast<LRESULT>(engine.FormBrush());
  SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
}

}  // namespace

// ---- The frame -----------------------------------------------------------------------------

TzubSkinWindowWnd::TzubSkinWindowWnd(TzubSkinEngine* engine, bool deferInit)
    : TzubSkinWindow(nullptr, engine, deferInit) {}

TzubSkinWindowWnd::~TzubSkinWindowWnd() {
  Finish();
}

HWND TzubSkinWindowWnd::SubclassedInnerDialog() const {
  return FInnerSubclass != nullptr ? FInnerSubclass->Window() : nullptr;
}

void TzubSkinWindowWnd::GetWideCaption(std::wstring& s) {
  s = IsWin95() ? std::wstring() : GetInternalWindowTextW(FHandle);
}

void TzubSkinWindowWnd::CallOldWndProc(tk::TMessage& message) {
  message.Result = FSubclass != nullptr ? FSubclass->CallOld(message) : 0;
}

void TzubSkinWindowWnd::Attach(HWND handle) {
  FHandle = handle;
  FShownStyle = 0;
  FShownStyleKnown = FGrown = FFileDialog = FFolderDialog = false;
  FSubclass = std::make_unique<TWndSubclass>(
      handle, tk::TWndMethod::Of<&TzubSkinWindowWnd::FrameWindowProc>(this));
  // The frame is attached when the window is activated, after the WM_SHOWWINDOW of its
  // first showing: a dialog is examined at once so that it is known from the start.
  ExamineDialog();
}

void TzubSkinWindowWnd::Detach() {
  TWndSubclass::Release(std::move(FSubclass));
  if (!FWindowDestroyed) SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
  const HWND inner = SubclassedInnerDialog();
  if (inner == nullptr) return;
  TWndSubclass::Release(std::move(FInnerSubclass));
  if (!FWindowDestroyed && IsWindow(inner)) SetWindowPos(inner, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TzubSkinWindowWnd::MeasureFrame() {
  FStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
  RECT client{};
  GetClientRect(FHandle, &client);
  FClientWidth = client.right - client.left;
  FClientHeight = client.bottom - client.top;
  POINT origin{0, 0};
  ClientToScreen(FHandle, &origin);
  FTopFrame = origin.y - WindowRectOf(FHandle).top;
  FBottomFrame = kNativeInset;
  FSideFrame = kNativeInset;
}

void TzubSkinWindowWnd::SkinControls() {
  for (HWND child = GetTopWindow(FHandle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) != 0) SkinChildWindow(child);
}

void TzubSkinWindowWnd::SkinChildWindow(HWND child) {
  if (SendMessageW(child, kSkinnedQuery, 0, 0) == 1) return;
  if (TzubSkinControl* skinner = CreateWndSkinner(child, this))
    FControlSkinners.emplace_back(skinner);
}

void TzubSkinWindowWnd::ReleaseControls() {
  std::erase(FControlSkinners, nullptr);
  while (!FControlSkinners.empty()) {
    std::unique_ptr<TzubSkinControl> skinner = std::move(FControlSkinners.front());
    FControlSkinners.erase(FControlSkinners.begin());
    skinner->Detach();
  }
}

// ---- Applying and removing the skin --------------------------------------------------------

LONG_PTR TzubSkinWindowWnd::WithCurrentVisibility(LONG_PTR style) const {
  const LONG_PTR visible = GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_VISIBLE;
  return (style & ~static_cast<LONG_PTR>(WS_VISIBLE)) | visible;
}

void TzubSkinWindowWnd::Resize(int dw, int dh) {
  const RECT r = WindowRectOf(FHandle);
  MoveWindow(FHandle, r.left, r.top, r.right - r.left + dw, r.bottom - r.top + dh, TRUE);
}

void TzubSkinWindowWnd::RefreshSkinners() {
  for (const auto& skinner : FControlSkinners) {
    if (skinner == nullptr) continue;
    try {
      skinner->SkinChanged();
      PostMessageW(skinner->GetHandle(), WM_PAINT, 0, 0);
    } catch (...) {
    }
  }
}

void TzubSkinWindowWnd::ApplySkin() {
  if (!FDestroying) RefreshSkinners();
  if (FSkinned)
    ApplySkinned();
  else
    RemoveSkinned();
}

// The window grows by what the skinned title and borders take more than the native frame
// did, so that the client area keeps the size the system gave it (and the dialog's layout
// stays as the system made it).
void TzubSkinWindowWnd::ApplySkinned() {
  const RECT nativeClient = ClientRectOf(FHandle);
  SetWindowLongPtrW(FHandle, GWL_STYLE,
                    WithCurrentVisibility(FStyle & ~static_cast<LONG_PTR>(WS_SYSMENU)));
  SetMenu(FHandle, nullptr);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
  if (FSizeAdded) return;
  const RECT skinnedClient = ClientRectOf(FHandle);
  FAddedWidth = nativeClient.right - skinnedClient.right;
  FAddedHeight = nativeClient.bottom - skinnedClient.bottom;
  FSizeAdded = true;
  Resize(FAddedWidth, FAddedHeight);
}

// The exact inverse of ApplySkinned: the style the window had before, the size it had before
// (what was added is taken away, whatever skin is current now) and no region.
void TzubSkinWindowWnd::RemoveSkinned() {
  if (FWindowDestroyed) return;
  const LONG_PTR style = FShownStyleKnown ? FShownStyle | (FStyle & WS_SYSMENU) : FStyle;
  SetWindowLongPtrW(FHandle, GWL_STYLE, WithCurrentVisibility(style));
  if (FSizeAdded) {
    FSizeAdded = false;
    Resize(-FAddedWidth, -FAddedHeight);
  }
  SetWindowRgn(FHandle, nullptr, TRUE);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
}

// ---- Message handling ----------------------------------------------------------------------

// WM_DESTROY frees the frame whether or not the skin is active, so that no frame outlives
// its window.
void TzubSkinWindowWnd::FrameWindowProc(tk::TMessage& message) {
  if (message.Msg == WM_DESTROY)
    OnDestroy(message);
  else
    WndProc(message);
}

// The engine frees this frame here, which gives the window its procedure back; the window's
// own procedure then still sees WM_DESTROY, so that it can clean up after itself.
void TzubSkinWindowWnd::OnDestroy(tk::TMessage& message) {
  const HWND wnd = FHandle;
  const WNDPROC oldProc = FSubclass->OldProc();
  FWindowDestroyed = true;
  FEngine->RemoveSkinWindow(wnd);
  SetLastDestroyedDialog(wnd);
  message.Result = CallWindowProcW(oldProc, wnd, message.Msg, message.WParam, message.LParam);
}

bool TzubSkinWindowWnd::BeforeWndProc(tk::TMessage& message) {
  const bool folderDialog = FFolderDialog;
  switch (message.Msg) {
    case WM_ERASEBKGND: OnEraseBackground(); break;
    case WM_SYSCOMMAND:
      if ((message.WParam & kSysCommandMask) != SC_CLOSE) break;
      PostMessageW(FHandle, WM_COMMAND, IDCANCEL, 0);
      return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: AnswerFormBrush(*FEngine, message); return false;
    case WM_SHOWWINDOW: ExamineDialog(); break;
    case WM_SIZE:
      // These dialogs lay themselves out for the native frame: while skinned they are kept
      // from seeing their size change.
      if ((IsNT60() && FFileDialog) || folderDialog) {
        UpdateRegion();
        return false;
      }
      break;
    default: break;
  }
  return true;
}

void TzubSkinWindowWnd::OnEraseBackground() {
  if (FShownStyleKnown) return;
  FShownStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
  FShownStyleKnown = true;
}

void TzubSkinWindowWnd::AfterWndProc(tk::TMessage& message) {
  if (message.Msg != WM_SIZE) return;
  GrowOnce();
  UpdateRegion();
}

// A dialog that laid itself out lower and much wider than measured did so for the native
// frame; it is grown once by what the skinned frame takes more.
void TzubSkinWindowWnd::GrowOnce() {
  if (FGrown || IsZoomed(FHandle)) return;
  RECT client{};
  GetClientRect(FHandle, &client);
  if (client.bottom >= FClientHeight || client.right <= kGrowthWidthFactor * FClientWidth) return;
  FGrown = true;
  Resize(0,
         CaptionHeight() + GetMenuBarHeight() - FTopFrame + FEngine->Metrics().BottomBorderHeight);
}

// ---- Common dialogs ------------------------------------------------------------------------

void TzubSkinWindowWnd::ExamineDialog() {
  FInnerDialog = nullptr;
  bool shellView = false;
  bool toolBar = false;
  bool listBox = false;
  for (HWND child = GetTopWindow(FHandle); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string name = UpperClassName(child);
    shellView = shellView || name == kShellViewClass;
    toolBar = toolBar || name == kToolBarClass;
    listBox = listBox || name == kListBoxClass;
    if (name == kFolderTreeClass) FFolderDialog = true;
    if (FFolderDialog && name == kScrollBarClass) ShowWindow(child, SW_HIDE);
    if (name == kDialogClass) {
      FInnerDialog = child;
      break;
    }
  }
  if (shellView && toolBar && listBox) FFileDialog = true;
  if (FInnerDialog == nullptr) return;
  if (FInnerSubclass == nullptr)
    FInnerSubclass = std::make_unique<TWndSubclass>(
        FInnerDialog, tk::TWndMethod::Of<&TzubSkinWindowWnd::InnerDialogProc>(this));
  ColorInnerPanels();
}

void TzubSkinWindowWnd::ColorInnerPanels() {
  const tk::TColor color = FEngine->GetFormColor();
  for (HWND child = GetTopWindow(FInnerDialog); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (UpperClassName(child) != kPanelClass) continue;
    tk::TWinControl* panel = tk::TWinControl::FindControl(child);
    if (panel == nullptr) continue;
    panel->SetColor(color);
    for (int i = 0; i < panel->ControlCount(); ++i)
      if (tk::TControl* control = panel->Controls(i); control->Is<tk::TPanel>())
        control->SetColor(color);
  }
}

// The inner dialog takes the form colour only while the frame shows the skin.
void TzubSkinWindowWnd::InnerDialogProc(tk::TMessage& message) {
  const bool skinned = FSkinned && FEngine->SkinningActive();
  switch (skinned ? message.Msg : WM_NULL) {
    case WM_CTLCOLORDLG: message.Result = reinterpret_cast<LRESULT>(FEngine->FormBrush()); return;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: AnswerFormBrush(*FEngine, message); return;
    default: message.Result = FInnerSubclass->CallOld(message); return;
  }
}

}  // namespace skin
