#pragma once

#include <windows.h>

#include "Canvas.h"
#include "Control.h"

namespace tk {

// The device context of a control's client area, from GetDC to ReleaseDC. A windowless
// control draws on its parent's window, with the origin at its corner and clipped to it.
class TControlDC {
 public:
  explicit TControlDC(TControl& control);
  ~TControlDC();
  TControlDC(const TControlDC&) = delete;
  TControlDC& operator=(const TControlDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// A canvas on a control outside of painting. The context is taken before the canvas is
// made and given back after the canvas has restored it.
class TControlCanvas : private TControlDC, public TCanvas {
 public:
  explicit TControlCanvas(TControl& control);
  TControl& Control() const { return control_; }

 private:
  TControl& control_;
};

}  // namespace tk
