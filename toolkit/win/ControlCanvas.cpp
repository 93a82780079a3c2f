#include "ControlCanvas.h"

#include "WinControl.h"

namespace tk {

TControlDC::TControlDC(TControl& control) {
  if (control.IsWindowed()) {
    window_ = static_cast<TWinControl&>(control).Handle();
    dc_ = GetDC(window_);
    return;
  }
  if (control.Parent() == nullptr) return;
  window_ = control.Parent()->Handle();
  dc_ = GetDC(window_);
  if (dc_ == nullptr) return;
  OffsetViewportOrgEx(dc_, control.Left(), control.Top(), nullptr);
  IntersectClipRect(dc_, 0, 0, control.Width(), control.Height());
}

TControlDC::~TControlDC() {
  if (dc_ != nullptr) ReleaseDC(window_, dc_);
}

TControlCanvas::TControlCanvas(TControl& control)
    : TControlDC(control), TCanvas(TControlDC::Get()), control_(control) {
  Font().Assign(control.Font());
}

}  // namespace tk
