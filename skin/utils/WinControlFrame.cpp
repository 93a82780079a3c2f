#include <windows.h>

#include "ColorUtils.h"
#include "WinDrawing.h"
#include "toolkit/win/ControlCanvas.h"

namespace skin {

void DrawControlWindowFrame(tk::TWinControl* control, tk::TColor outerColor, tk::TColor innerColor,
                            bool drawInner) {
  if (control == nullptr) return;
  DrawWindowFrame(control->Handle(), outerColor, innerColor, drawInner);
}

void DrawControlFrame(tk::TControl* control, tk::TColor borderColor, tk::TColor color) {
  if (control == nullptr) return;
  tk::TControlCanvas canvas(*control);
  const int w = control->Width();
  const int h = control->Height();
  canvas.Brush().Color = ColorToRGB(color);
  canvas.Brush().Style = tk::bsSolid;
  for (const tk::TRect& band : {tk::Rect(0, 0, 2, h), tk::Rect(0, h - 2, w, h),
                                tk::Rect(w - 2, 0, w, h), tk::Rect(0, 0, w, 2)})
    canvas.FillRect(band);
  canvas.Pen().Color = ColorToRGB(borderColor);
  canvas.MoveTo(0, 0);
  canvas.LineTo(0, h);
}

}  // namespace skin
