#include "skin/engine/SkinControlWnd.h"

#include <array>
#include <utility>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "toolkit/win/WndMethod.h"

namespace skin {

namespace {

constexpr int kWindowTextBufferSize = 260;

}  // namespace

TzubSkinControlWnd::TzubSkinControlWnd(HWND handle, TzubSkinWindow* skinWindow)
    : TzubSkinControl(skinWindow, skinWindow != nullptr ? skinWindow->Engine() : nullptr),
      FHandle(handle) {}

TzubSkinControlWnd::~TzubSkinControlWnd() {
  TWndSubclass::Release(std::move(FSubclass));
  FObjectInstance = nullptr;
  FHandle = nullptr;
}

void TzubSkinControlWnd::Start() {
  FSubclass = std::make_unique<TWndSubclass>(
      FHandle, tk::TWndMethod::Of<&TzubSkinControlWnd::WindowMessage>(this));
  FOldWndProc = FSubclass->OldProc();
  FObjectInstance = FSubclass->Instance();
  FStates = 0;
  FDetached = false;
  InitSkin();
}

void TzubSkinControlWnd::WindowMessage(tk::TMessage& message) {
  const auto callOld = [&] {
    message.Result =
        CallWindowProcW(FOldWndProc, FHandle, message.Msg, message.WParam, message.LParam);
  };
  if (EngineDestroying() || !Skinning()) {
    callOld();
    return;
  }
  if (BeforeWndProc(message)) callOld();
  if (!FDetached) AfterWndProc(message);
}

int TzubSkinControlWnd::WindowWidth() {
  RECT r{};
  GetWindowRect(FHandle, &r);
  return r.right - r.left;
}

int TzubSkinControlWnd::WindowHeight() {
  RECT r{};
  GetWindowRect(FHandle, &r);
  return r.bottom - r.top;
}

std::string TzubSkinControlWnd::WindowText() {
  std::array<char, kWindowTextBufferSize> buffer{};
  const int length = GetWindowTextA(FHandle, buffer.data(), kWindowTextBufferSize);
  return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace skin
