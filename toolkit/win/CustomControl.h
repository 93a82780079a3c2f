#pragma once

#include "Canvas.h"
#include "WinControl.h"

namespace tk {

// A window of the toolkit's own class that draws itself: the background in Color, then Paint
// on a canvas, then its windowless children.
class TCustomControl : public TWinControl {
  TK_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}

  // The canvas Paint draws on; null outside Paint.
  TCanvas* Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  void WMPaint(TMessage& message) override { PaintHandler(message); }
  void WMEraseBkgnd(TMessage& message) override;

 private:
  TCanvas* canvas_ = nullptr;
};

}  // namespace tk
