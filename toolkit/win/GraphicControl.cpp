#include "GraphicControl.h"

namespace tk {

void TGraphicControl::WMPaint(TMessage& message) {
  if (message.WParam == 0) return;
  PaintOnCanvas(reinterpret_cast<HDC>(message.WParam), Font(), canvas_, [this] { Paint(); });
}

}  // namespace tk
