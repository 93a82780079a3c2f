#include "CustomControl.h"

#include "GraphicControl.h"

namespace tk {

void TCustomControl::PaintWindow(HDC dc) {
  PaintOnCanvas(dc, Font(), canvas_, [this] { Paint(); });
}

void TCustomControl::WMEraseBkgnd(TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  RECT r{};
  GetClientRect(Handle(), &r);
  TBrushHandle brush(CreateSolidBrush(GdiColor(Color())));
  if (brush) FillRect(dc, &r, brush.Get());
  message.Result = 1;
}

}  // namespace tk
