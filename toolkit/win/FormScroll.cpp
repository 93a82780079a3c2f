// Scrolling of a form whose controls reach beyond its client area.

#include <algorithm>

#include "Forms.h"

namespace tk {

namespace {

constexpr int kLineStep = 8;

void SetRange(HWND window, int bar, int extent, int page, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = std::max(extent - 1, 0);
  info.nPage = static_cast<UINT>(std::max(page, 0));
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
  ShowScrollBar(window, bar, extent > page);
}

}  // namespace

// The extent counts the controls at their unscrolled places; aligned controls follow the
// client area and never need scrolling. Showing a bar changes the client area and brings
// this back through the alignment, hence the guard.
void TCustomForm::UpdateScrollRanges() {
  if (!HandleAllocated() || updatingScroll_) return;
  updatingScroll_ = true;
  int right = 0;
  int bottom = 0;
  if (autoScroll_)
    for (int i = 0; i < ControlCount(); ++i) {
      const TControl* control = Controls(i);
      if (!control->Visible() || control->Align() != alNone) continue;
      right = std::max(right, control->Left() + control->Width() + scrollPos_.X);
      bottom = std::max(bottom, control->Top() + control->Height() + scrollPos_.Y);
    }
  RECT r{};
  GetClientRect(Handle(), &r);
  const int width = r.right;
  const int height = r.bottom;
  const int dx = std::clamp(scrollPos_.X, 0, std::max(right - width, 0)) - scrollPos_.X;
  const int dy = std::clamp(scrollPos_.Y, 0, std::max(bottom - height, 0)) - scrollPos_.Y;
  if (dx != 0 || dy != 0) ScrollContent(dx, dy);
  SetRange(Handle(), SB_HORZ, right, width, scrollPos_.X);
  SetRange(Handle(), SB_VERT, bottom, height, scrollPos_.Y);
  updatingScroll_ = false;
}

// Scroll bars of child controls send their own WM_HSCROLL and WM_VSCROLL, with their window
// in LParam; those go the usual way.
void TCustomForm::WMScroll(TMessage& message, int bar) {
  if (message.LParam != 0 || !autoScroll_) return TWinControl::WndProc(message);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  const int page = static_cast<int>(info.nPage);
  int position = info.nPos;
  switch (LOWORD(message.WParam)) {
    case SB_LINEUP: position -= kLineStep; break;
    case SB_LINEDOWN: position += kLineStep; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  position = std::clamp(position, 0, std::max(info.nMax - page + 1, 0));
  const int delta = position - (bar == SB_HORZ ? scrollPos_.X : scrollPos_.Y);
  if (delta == 0) return;
  ScrollContent(bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0);
  SCROLLINFO moved{};
  moved.cbSize = sizeof moved;
  moved.fMask = SIF_POS;
  moved.nPos = position;
  SetScrollInfo(Handle(), bar, &moved, TRUE);
}

// Moves the view by (dx, dy): every unaligned child moves the other way and the window is
// painted again. The children are moved one by one rather than with the scrolled pixels,
// which a window that is not shown would not move.
void TCustomForm::ScrollContent(int dx, int dy) {
  scrollPos_.X += dx;
  scrollPos_.Y += dy;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    if (control->Align() == alNone)
      control->SetBounds(control->Left() - dx, control->Top() - dy, control->Width(),
                         control->Height());
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace tk
