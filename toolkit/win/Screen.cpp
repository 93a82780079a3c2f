#include "Screen.h"

#include <algorithm>

namespace tk {

namespace {

TRect RectOf(const RECT& r) {
  return Rect(r.left, r.top, r.right, r.bottom);
}

MONITORINFO InfoOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return info;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
  return TRUE;
}

}  // namespace

TRect TMonitor::BoundsRect() const {
  return RectOf(InfoOf(handle_).rcMonitor);
}

TRect TMonitor::WorkareaRect() const {
  return RectOf(InfoOf(handle_).rcWork);
}

bool TMonitor::Primary() const {
  return (InfoOf(handle_).dwFlags & MONITORINFOF_PRIMARY) != 0;
}

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  const int pixels = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return pixels;
}

void TScreen::AddForm(TCustomForm* form) {
  forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
}

// Monitors come and go with the display settings: the list is read again whenever a handle
// is asked for that it does not hold.
void TScreen::ReadMonitors() {
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&handles));
  std::vector<std::unique_ptr<TMonitor>> monitors;
  for (HMONITOR handle : handles) {
    const auto known = std::find_if(monitors_.begin(), monitors_.end(),
                                    [handle](const auto& m) { return m->Handle() == handle; });
    monitors.push_back(known != monitors_.end() ? std::move(*known)
                                                : std::make_unique<TMonitor>(handle));
  }
  monitors_ = std::move(monitors);
}

TMonitor* TScreen::FindMonitor(HMONITOR handle) {
  if (handle == nullptr) return nullptr;
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& monitor : monitors_)
      if (monitor->Handle() == handle) return monitor.get();
    ReadMonitors();
  }
  return nullptr;
}

int TScreen::MonitorCount() {
  ReadMonitors();
  return static_cast<int>(monitors_.size());
}

TMonitor* TScreen::Monitors(int index) {
  if (monitors_.empty()) ReadMonitors();
  return monitors_.at(index).get();
}

TMonitor* TScreen::MonitorFromWindow(HWND window, TMonitorDefaultTo defaultTo) {
  constexpr DWORD kFlags[] = {MONITOR_DEFAULTTONEAREST, MONITOR_DEFAULTTONULL,
                              MONITOR_DEFAULTTOPRIMARY};
  return FindMonitor(::MonitorFromWindow(window, kFlags[defaultTo]));
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace tk
