#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "skin/engine/SkinControl.h"
#include "toolkit/win/Control.h"
#include "toolkit/win/WndMethod.h"

namespace skin {

class TControlLink;

// The skinner of one of the toolkit's controls. It takes over the control's WindowProc, so
// that every message of the control passes through it, and gives the previous handler back
// when it goes. It hears when its control is freed and from then on never touches it.
class TzubSkinControlVCL : public TzubSkinControl {
  TK_CLASS(TzubSkinControlVCL, TzubSkinControl)

 public:
  // Told when the control is freed while the skinner lives; the frame then drops the skinner.
  using TControlFreedHandler = std::function<void(TzubSkinControlVCL&)>;

  TzubSkinControlVCL(tk::TControl* control, TzubSkinWindow* skinWindow);
  ~TzubSkinControlVCL() override;

  // The second half of construction, once the object is complete: takes over the control's
  // WindowProc, then InitSkin.
  void Start();

  void GetClientRect(tk::TRect& r) override;
  // The control's window, made when it has none yet; null for a windowless control and once
  // the control is freed.
  HWND GetHandle() override;
  bool GetEnabled() override;

  // Null once the control is freed.
  tk::TControl* Control() const { return FControl; }
  const tk::TWndMethod& OldWndProc() const { return FOldWndProc; }
  // Gives the control its previous WindowProc back and stops seeing its messages. When the
  // control's WindowProc is still ours the saved value goes back exactly. When someone
  // replaced it after us, their saved value leads to us: putting ours back would cut them
  // out, so a small link stays in the chain instead, passes every message to the previous
  // handler, and frees itself when the control is freed. Later calls do nothing.
  void RestoreWndProc();
  void SetOnControlFreed(TControlFreedHandler handler) { FOnControlFreed = std::move(handler); }

 protected:
  tk::TWndMethod FOldWndProc;
  tk::TControl* FControl;

 private:
  // The handler every message of the control comes to while the skinner is attached.
  void ControlMessage(tk::TMessage& message);
  void ControlFreed();
  bool TracksScrollThumb() const;

  // Owned by the skinner until RestoreWndProc leaves it in the control's chain.
  TControlLink* FLink = nullptr;
  TControlFreedHandler FOnControlFreed;
};

// Whether object's class or one of its ancestors has that name, for classes the engine
// recognises without the toolkit having them.
bool DescendsFromClassNamed(const tk::TObject& object, std::string_view name);

// The factory the skinner registry keeps for skinner class T of toolkit controls.
template <typename T>
TzubSkinControl* MakeControlSkinner(tk::TControl* control, TzubSkinWindow* frame) {
  auto skinner = std::make_unique<T>(control, frame);
  skinner->Start();
  return skinner.release();
}

}  // namespace skin
