#pragma once

#include "Canvas.h"
#include "Control.h"

namespace tk {

// A control without a window of its own: it paints on its parent's window and gets its
// mouse messages from the parent, both through its own WindowProc.
class TGraphicControl : public TControl {
  TK_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

  // The canvas Paint draws on, with the origin at the control's corner; null outside Paint.
  TCanvas* Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  // Paints on the device context the parent passes in WParam.
  void WMPaint(TMessage& message) override;

 private:
  TCanvas* canvas_ = nullptr;
};

// Runs a control's Paint with a canvas on dc as its current canvas.
template <typename PaintFunction>
void PaintOnCanvas(HDC dc, TFont& font, TCanvas*& current, PaintFunction paint) {
  TCanvas canvas(dc);
  canvas.Font().Assign(font);
  current = &canvas;
  struct TReset {
    TCanvas*& current;
    ~TReset() { current = nullptr; }
  } reset{current};
  paint();
}

}  // namespace tk
