#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/core/Object.h"

namespace skin {

class TzubSkinEngine;
class TzubSkinWindow;

// The skinner of one child control of a skinned window. Its frame makes it through the
// skinner registry, owns it, tells it of skin changes and detaches it before freeing it.
class TzubSkinControl : public tk::TObject {
 public:
  TzubSkinControl(TzubSkinWindow* skinWindow, TzubSkinEngine* engine)
      : FSkinWindow(skinWindow), FEngine(engine) {}
  TzubSkinControl(const TzubSkinControl&) = delete;
  TzubSkinControl& operator=(const TzubSkinControl&) = delete;

  // Applies the skin's look when the engine is skinning, the control's own otherwise.
  virtual void SkinChanged() {}
  // Called by the frame just before it frees the skinner.
  virtual void Detach() { FDetached = true; }
  virtual HWND GetHandle() = 0;
  // When True the frame makes the control take its parent's colour.
  virtual bool NeedParentColor() { return false; }

  TzubSkinWindow* SkinWindow() const { return FSkinWindow; }
  bool Detached() const { return FDetached; }

 protected:
  TzubSkinWindow* FSkinWindow;
  TzubSkinEngine* FEngine;
  std::uint8_t FStates = 0;
  bool FDetached = false;
};

}  // namespace skin
