#include "skin/engine/SkinWindow.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/WinWindowUtils.h"

namespace skin {

namespace {

// Flags of SetHasCaption and SetHasBorders: the window is told its frame may have changed
// without being moved, sized, reordered or activated.
constexpr UINT kFrameTouchFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
constexpr int kMinInset = 4;
constexpr int kCaptionBufferSize = 260;
// The system menu of a minimized window opens this far below the top of its title.
constexpr int kMinimizedMenuDrop = 24;
// The top-edge correction applies within these rows of the window.
constexpr int kTopEdgeRows = 7;
constexpr int kTopEdgeButtonsY = 4;

bool IsSizingCode(LRESULT code) {
  return code >= HTLEFT && code <= HTBOTTOMRIGHT;
}

// Sizing codes by the border the point lies on: [left, inside, right] by [top, middle, bottom].
constexpr std::array<std::array<LRESULT, 3>, 3> kBorderCodes = {{
    {HTTOPLEFT, HTTOP, HTTOPRIGHT},
    {HTLEFT, HTNOWHERE, HTRIGHT},
    {HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT},
}};
static_assert(kBorderCodes.size() == 3 && kBorderCodes[0].size() == 3);

// Hides the window from the default handler's caption painting for one call: the default
// painting of WM_SETTEXT and WM_NCACTIVATE draws only into visible windows.
class TNativeCaptionMute {
 public:
  explicit TNativeCaptionMute(HWND wnd) : wnd_(wnd) {
    const LONG_PTR style = GetWindowLongPtrW(wnd_, GWL_STYLE);
    muted_ = (style & WS_VISIBLE) != 0;
    if (muted_) SetWindowLongPtrW(wnd_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
  }
  ~TNativeCaptionMute() {
    if (muted_ && IsWindow(wnd_))
      SetWindowLongPtrW(wnd_, GWL_STYLE, GetWindowLongPtrW(wnd_, GWL_STYLE) | WS_VISIBLE);
  }
  TNativeCaptionMute(const TNativeCaptionMute&) = delete;
  TNativeCaptionMute& operator=(const TNativeCaptionMute&) = delete;

 private:
  HWND wnd_;
  bool muted_ = false;
};

// Screen points of non-client messages: signed 16-bit x in the low word, y in the high word.
tk::TPoint PointOf(LPARAM lParam) {
  return tk::TPoint{static_cast<std::int16_t>(LOWORD(lParam)),
                    static_cast<std::int16_t>(HIWORD(lParam))};
}

}  // namespace

TzubSkinWindow::TzubSkinWindow(tk::TComponent* owner, TzubSkinEngine* engine, bool deferInit)
    : tk::TComponent(owner),
      FEngine(engine),
      FTitleImage(std::make_unique<tk::TBitmap>()),
      FBottomImage(std::make_unique<tk::TBitmap>()),
      FDeferInit(deferInit) {
  FTitleImage->SetPixelFormat(tk::pf24bit);
  FBottomImage->SetPixelFormat(tk::pf24bit);
  FSkinned = FEngine->SkinningActive();
}

TzubSkinWindow::~TzubSkinWindow() = default;

void TzubSkinWindow::Start(HWND wnd) {
  tk::TCustomForm* form = FindFormByHandle(wnd);
  if (form == nullptr) form = FormBeingSkinned();
  FEnabled = !(form != nullptr && form->Tag() == FEngine->DisabledTag());
  Attach(wnd);
  SkinControls();
  SetSkinned(FSkinned);
}

void TzubSkinWindow::Finish() {
  if (finished_) return;
  finished_ = true;
  FDestroying = true;
  FEngine->FrameDestroyed(this);
  SetSkinned(false);
  ReleaseControls();
  Detach();
  FTitleComposite.reset();
  FBottomComposite.reset();
  FTitleImage.reset();
  FBottomImage.reset();
}

void TzubSkinWindow::SetSkinned(bool value) {
  FSkinned = FEnabled && value;
  if (FInitialized) {
    ApplySkin();
    if (FSkinned) UpdateRegion();
  } else if (IsWindowVisible(GetHandle()) || InitWhenHidden()) {
    Initialize();
  }
}

void TzubSkinWindow::Initialize() {
  MeasureFrame();
  FInitialized = true;
  SetSkinned(FSkinned);
}

void TzubSkinWindow::SetHasCaption(bool value) {
  FHasCaption = value;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, kFrameTouchFlags);
  PaintFrame();
}

void TzubSkinWindow::SetHasBorders(bool value) {
  FHasBorders = value;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, kFrameTouchFlags);
  PaintFrame();
}

void TzubSkinWindow::SkinChanged() {
  if (FTitleImage == nullptr || FBottomImage == nullptr) return;
  const TzubSkinReader& reader = FEngine->Reader();
  const tk::TColor key = FEngine->Metrics().TransparentColor;
  FTitleNeedsRegion = reader.GetBoolean(SKIN2_TITLEBARNEEDREGION);
  FBottomNeedsRegion = reader.GetBoolean(SKIN2_BOTTOMBORDERNEEDREGION);
  FTitleImage->SetTransparentColor(key);
  FTitleImage->SetTransparent(FTitleNeedsRegion);
  FBottomImage->SetTransparentColor(key);
  FBottomImage->SetTransparent(FBottomNeedsRegion);
  const auto keepComposite = [](std::unique_ptr<tk::TBitmap>& composite, bool wanted) {
    if (!wanted) {
      composite.reset();
    } else if (composite == nullptr) {
      composite = std::make_unique<tk::TBitmap>();
      composite->SetPixelFormat(tk::pf24bit);
    }
  };
  keepComposite(FTitleComposite, FTitleNeedsRegion);
  keepComposite(FBottomComposite, FBottomNeedsRegion);
  FBottomComposed = false;
  FOutlineInputs.clear();
  if (FEngine->SkinningActive()) {
    PaintFrame();
    UpdateRegion();
  }
}

int TzubSkinWindow::CaptionHeight() const {
  return FHasCaption && FSkinned ? FEngine->Metrics().TitleBarHeight : 0;
}

tk::TRect TzubSkinWindow::WindowBounds() {
  RECT r{};
  if (!GetWindowRect(GetHandle(), &r)) return tk::TRect{};
  return tk::Rect(r.left, r.top, r.right, r.bottom);
}

int TzubSkinWindow::WindowWidth() {
  return WindowBounds().Width();
}

int TzubSkinWindow::WindowHeight() {
  return WindowBounds().Height();
}

std::string TzubSkinWindow::GetCaption() {
  std::array<char, kCaptionBufferSize> buffer{};
  const int length = GetWindowTextA(GetHandle(), buffer.data(), kCaptionBufferSize);
  return std::string(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
}

void TzubSkinWindow::SysClose() {
  PostMessageW(GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TzubSkinWindow::SysHelp() {
  PostMessageW(GetHandle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

void TzubSkinWindow::SysMinimizeRestore() {
  const WPARAM command = IsIconic(GetHandle()) ? SC_RESTORE : SC_MINIMIZE;
  PostMessageW(GetHandle(), WM_SYSCOMMAND, command, 0);
}

void TzubSkinWindow::SysMaximizeRestore() {
  const HWND wnd = GetHandle();
  if (IsIconic(wnd))
    PostMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  else if (IsZoomed(wnd))
    PostMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  else if (FMaxShown)
    PostMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void TzubSkinWindow::PopupSystemMenu() {
  POINT p{0, 0};
  ClientToScreen(GetHandle(), &p);
  p.x = std::max(p.x, 0L);
  if (IsIconic(GetHandle())) p.y += kMinimizedMenuDrop - FEngine->Metrics().TitleBarHeight;
  PopupSystemMenuAt(tk::TPoint{p.x, p.y});
}

void TzubSkinWindow::PopupSystemMenuAt(const tk::TPoint& p) {
  FEngine->SetSysMenuTarget(this);
  if (tk::TPopupMenu* menu = FEngine->GetSysMenuPopup()) menu->Popup(p.X, p.Y);
}

// ---- Message handling ----------------------------------------------------------------------

void TzubSkinWindow::WndProc(tk::TMessage& message) {
  if (!FInitialized && !InitWhenHidden() && message.Msg == WM_PAINT) Initialize();
  if (message.Msg == WM_NULL) return;
  if (!FEngine->SkinningActive() || !FEnabled) {
    if (message.Msg == WM_SIZE) UnskinnedResize();
    CallOldWndProc(message);
    return;
  }
  if (FSkinned && HandleBefore(message)) return;
  DefaultFrameMessage(message);
}

bool TzubSkinWindow::HandleBefore(tk::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT: PaintFrame(); return true;
    case WM_NCLBUTTONDOWN: OnNCLButtonDown(message); return false;
    case WM_NCLBUTTONDBLCLK: return OnNCLButtonDblClk(message);
    case WM_CTLCOLORDLG:
      message.Result = reinterpret_cast<LRESULT>(FEngine->FormBrush());
      return true;
    case WM_NCACTIVATE: return OnNCActivateBefore(message);
    // The default handling of a right press on the caption tracks the mouse until the button
    // is released and then opens the native system menu; the skinned one opens instead, at
    // once, and the default never sees the press.
    case WM_NCRBUTTONDOWN:
      if (message.WParam != HTCAPTION) return false;
      OnNCRButtonDown(message);
      return true;
    default: return false;
  }
}

void TzubSkinWindow::DefaultFrameMessage(tk::TMessage& message) {
  if (!BeforeWndProc(message)) return;
  CallOldWndProcQuietly(message);
  switch (message.Msg) {
    case tk::CM_RELEASE:
    case WM_DESTROY:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_ACTIVATEAPP: return;
    default: break;
  }
  AfterWndProc(message);
  HandleAfter(message);
}

void TzubSkinWindow::CallOldWndProcQuietly(tk::TMessage& message) {
  const bool paintsCaption = message.Msg == WM_SETTEXT || message.Msg == WM_NCACTIVATE;
  if (!FSkinned || !paintsCaption) {
    CallOldWndProc(message);
    return;
  }
  TNativeCaptionMute mute(GetHandle());
  CallOldWndProc(message);
}

void TzubSkinWindow::HandleAfter(tk::TMessage& message) {
  switch (message.Msg) {
    case WM_NCCALCSIZE: OnNCCalcSize(message); break;
    case WM_NCACTIVATE:
      FActive = LOBYTE(message.WParam) != 0;
      PaintFrame();
      break;
    case WM_NCLBUTTONUP: OnNCLButtonUp(); break;
    case WM_NCRBUTTONDOWN: OnNCRButtonDown(message); break;
    case WM_NCMOUSEMOVE: OnNCMouseMove(message); break;
    case WM_ACTIVATE:
      FActive = LOWORD(message.WParam) != 0;
      PaintFrame();
      UpdateRegion();
      break;
    case WM_SETTEXT:
    case tk::CM_TEXTCHANGED:
      PaintFrame();
      UpdateRegion();
      break;
    case kDrawStateQuery: message.Result = FActive ? 1 : 2; break;
    case kMenuBarHeightQuery: message.Result = GetMenuBarHeight(); break;
    case kSkinnedQuery: message.Result = 1; break;
    case kMDIChildFramePainted:
      if (IsMDIForm()) PaintFrame();
      break;
    case WM_NCHITTEST: OnNCHitTest(message); break;
    default: break;
  }
}

void TzubSkinWindow::OnNCLButtonDown(tk::TMessage& message) {
  FPressed = true;
  PaintFrame();
  const HWND wnd = GetHandle();
  if (FHotButton != hbNone) {
    message.WParam = HTNOWHERE;
  } else if (message.WParam == HTCAPTION && IsZoomed(wnd)) {
    const tk::TRect work = GetWorkArea(wnd);
    if (WindowWidth() >= work.Width() && WindowHeight() >= work.Height())
      message.WParam = HTNOWHERE;
  }
  SetActiveWindow(wnd);
}

bool TzubSkinWindow::OnNCLButtonDblClk(tk::TMessage& message) {
  PaintFrame();
  if (FHotButton == hbNone && message.WParam == HTCAPTION) {
    SysMaximizeRestore();
    FPressed = false;
    PaintFrame();
    return true;
  }
  if (FHotButton == hbIcon) {
    SysClose();
    FPressed = false;
    return true;
  }
  message.WParam = HTNOWHERE;
  return false;
}

bool TzubSkinWindow::OnNCActivateBefore(tk::TMessage& message) {
  PaintFrame();
  const auto* ownerForm = dynamic_cast<const tk::TCustomForm*>(FEngine->Owner());
  const bool ownerIsMDIChild = ownerForm != nullptr && ownerForm->FormStyle() == tk::fsMDIChild;
  if (IsMDIForm() || !HandlesNCActivate() || ownerIsMDIChild) return false;
  message.Result = 1;
  return true;
}

void TzubSkinWindow::OnNCLButtonUp() {
  FPressed = false;
  PaintFrame();
  RunHotButton();
}

void TzubSkinWindow::RunHotButton() {
  switch (FHotButton) {
    case hbIcon: PopupSystemMenu(); break;
    case hbClose: SysClose(); break;
    case hbMaximize: SysMaximizeRestore(); break;
    case hbMinimize: SysMinimizeRestore(); break;
    case hbHelp: SysHelp(); break;
    default: break;
  }
}

void TzubSkinWindow::OnNCRButtonDown(const tk::TMessage& message) {
  PaintFrame();
  if (message.WParam == HTCAPTION && FHotButton == hbNone)
    PopupSystemMenuAt(PointOf(message.LParam));
}

void TzubSkinWindow::OnNCMouseMove(const tk::TMessage& message) {
  if (message.WParam != HTCAPTION) return;
  if (FPressed) {
    PaintFrame();
    if (FHotButton == hbNone) FPressed = false;
  }
  PaintFrame();
}

// Client-area insets: the skinned title and borders replace the native frame. The default's
// rectangle stays when the frame is not skinned or is still waiting for its deferred start.
void TzubSkinWindow::OnNCCalcSize(tk::TMessage& message) {
  if (message.WParam == 0) {
    message.Result = 0;
    return;
  }
  if (!FSkinned || (FDeferInit && !FInitialized)) return;
  auto& params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
  const WINDOWPOS& pos = *params.lppos;
  RECT& r = params.rgrc[0];
  const TzubSkinMetrics& metrics = FEngine->Metrics();
  const int ch = CaptionHeight();
  const bool maximizedMDIChild = IsMDIChild() && IsZoomed(GetHandle());
  if (ch == 0 && !maximizedMDIChild) {
    r.top = pos.y;
  } else if (maximizedMDIChild) {
    r.top = 0;
  } else if (FTopFrame > 0) {
    FExtraTop = std::max(FTopFrame - ch, 0);
    r.top = pos.y + std::max(ch, FTopFrame);
  }
  if (!FHasBorders) {
    r.left = pos.x;
    r.right = pos.x + pos.cx;
    if (FTopFrame > 0) r.bottom = pos.y + pos.cy;
  } else if (IsMDIForm() || IsMDIChild()) {
    if (FSideFrame > 0) {
      r.right = pos.x + pos.cx - std::max(metrics.RightBorderWidth, FSideFrame);
      r.left = pos.x + std::max(metrics.LeftBorderWidth, FSideFrame);
      r.bottom = pos.y + pos.cy - std::max(metrics.BottomBorderHeight, FBottomFrame);
    }
  } else {
    r.right = pos.x + pos.cx - std::max(metrics.RightBorderWidth, kMinInset);
    r.left = pos.x + std::max(metrics.LeftBorderWidth, kMinInset);
    r.bottom = pos.y + pos.cy - std::max(metrics.BottomBorderHeight, kMinInset);
  }
  params.rgrc[1] = r;
  message.Result = WVR_VALIDRECTS;
}

// The default hit test knows only the native caption and frame sizes, so it leaves parts of
// the skinned title and borders dead to the mouse. The title band answers HTCAPTION and the
// borders of a sizeable window answer their sizing codes; the default's own sizing edges stay.
void TzubSkinWindow::OnNCHitTest(tk::TMessage& message) {
  const HWND wnd = GetHandle();
  if (!FSkinned || IsIconic(wnd)) return;
  const tk::TRect bounds = WindowBounds();
  const tk::TPoint screen = PointOf(message.LParam);
  const int x = screen.X - bounds.Left;
  const int y = screen.Y - bounds.Top;
  if (x < 0 || y < 0 || x >= bounds.Width() || y >= bounds.Height()) return;
  RECT client{};
  GetClientRect(wnd, &client);
  MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -bounds.Left, -bounds.Top);
  const bool inClient =
      x >= client.left && x < client.right && y >= client.top && y < client.bottom;
  const int ch = CaptionHeight();
  const bool maximizedMDIChild = IsMDIChild() && IsZoomed(wnd);
  if (!IsSizingCode(message.Result) && !inClient) {
    if (y < ch && !maximizedMDIChild) {
      message.Result = HTCAPTION;
    } else if (y >= ch && (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_THICKFRAME) != 0 &&
               !IsZoomed(wnd)) {
      const int column = x < client.left ? 0 : (x >= client.right ? 2 : 1);
      const int row = y >= client.bottom ? 2 : 1;
      if (row != 1 || column != 1) message.Result = kBorderCodes[row][column];
    }
  }
  const TzubSkinMetrics& metrics = FEngine->Metrics();
  if (metrics.ButtonsY < kTopEdgeButtonsY &&
      (message.Result == HTTOP || message.Result == HTTOPRIGHT)) {
    POINT p{screen.X, screen.Y};
    ScreenToClient(wnd, &p);
    p.x += metrics.LeftBorderWidth;
    p.y += metrics.TitleBarHeight;
    if (p.y <= kTopEdgeRows && p.y >= metrics.ButtonsY && p.x >= FButtonsLeft &&
        p.x <= bounds.Width() - metrics.ButtonsX)
      message.Result = HTCAPTION;
  }
}

}  // namespace skin
