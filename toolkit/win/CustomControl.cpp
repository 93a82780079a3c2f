#include "CustomControl.h"

#include "GraphicControl.h"

namespace tk {

void TCustomControl::PaintWindow(HDC dc) {
  PaintOnCanvas(dc, Font(), canvas_, [this] { Paint(); });
}

void TCustomControl::WMEraseBkgnd(TMessage& message) {
  EraseInColor(message);
}

}  // namespace tk
