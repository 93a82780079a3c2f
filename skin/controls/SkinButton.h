#pragma once

#include "skin/engine/SkinControlVCL.h"

namespace skin {

// The skinner of push buttons (TButton and its descendants). It paints over the button's own
// painting: the frame of the skin's three-frame button strip for the current state (normal,
// hot, pressed), sectioned to the button's size, and the caption centred over it.
class TzubSkinButton : public TzubSkinControlVCL {
  TK_CLASS(TzubSkinButton, TzubSkinControlVCL)

 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;

  void PaintSkin() override;

 private:
  tk::TColor BackgroundColor() const;
  bool WordWrap() const;
};

}  // namespace skin
