#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/SkinControl.h"
#include "skin/engine/WndSubclass.h"

namespace skin {

// The skinner of a native child window no toolkit control owns, such as a control of a
// system dialog. It subclasses the window (GWLP_WNDPROC) and gives the previous procedure
// back when it goes, unless the window is gone by then.
class TzubSkinControlWnd : public TzubSkinControl {
  TK_CLASS(TzubSkinControlWnd, TzubSkinControl)

 public:
  TzubSkinControlWnd(HWND handle, TzubSkinWindow* skinWindow);
  // When the window procedure is still ours the saved one goes back exactly. When someone
  // subclassed the window after us, their saved procedure leads to us: putting ours back
  // would cut them out, so our procedure stays in the chain, passes every message to the
  // previous one, and is released when the window is destroyed. A destroyed window is not
  // touched.
  ~TzubSkinControlWnd() override;

  // The second half of construction, once the object is complete: subclasses the window,
  // then InitSkin.
  void Start();

  HWND GetHandle() override { return FHandle; }

  int WindowWidth();
  int WindowHeight();
  // The window's text, at most 259 characters.
  std::string WindowText();

 protected:
  WNDPROC FOldWndProc = nullptr;
  WNDPROC FObjectInstance = nullptr;
  HWND FHandle;

 private:
  // The window procedure every message of the window comes to while the skinner lives.
  void WindowMessage(tk::TMessage& message);

  // The destructor ends it, or leaves it in the window's chain as a pass-through.
  std::unique_ptr<TWndSubclass> FSubclass;
};

// The factory the skinner registry keeps for skinner class T of native windows.
template <typename T>
TzubSkinControl* MakeWndSkinner(HWND wnd, TzubSkinWindow* frame) {
  auto skinner = std::make_unique<T>(wnd, frame);
  skinner->Start();
  return skinner.release();
}

}  // namespace skin
