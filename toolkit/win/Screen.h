#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "toolkit/core/Types.h"

namespace tk {

class TCustomForm;

// One display of the desktop.
class TMonitor {
 public:
  explicit TMonitor(HMONITOR handle) : handle_(handle) {}

  HMONITOR Handle() const { return handle_; }
  TRect BoundsRect() const;
  // The monitor without the task bar and other docked bars.
  TRect WorkareaRect() const;
  bool Primary() const;

 private:
  HMONITOR handle_;
};

// Which monitor MonitorFromWindow answers for a window that is on none.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

// The desktop as the application sees it: its forms, in the order they were made, the
// active one, and the monitors.
class TScreen {
 public:
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(index); }
  TCustomForm* ActiveForm() const { return activeForm_; }

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const;

  int MonitorCount();
  TMonitor* Monitors(int index);
  // The monitor the window is on; null only with mdNull for a window on no monitor.
  TMonitor* MonitorFromWindow(HWND window, TMonitorDefaultTo defaultTo = mdNearest);

 private:
  friend class TCustomForm;

  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form) { activeForm_ = form; }
  TMonitor* FindMonitor(HMONITOR handle);
  void ReadMonitors();

  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  std::vector<std::unique_ptr<TMonitor>> monitors_;
};

TScreen& Screen();

}  // namespace tk
