#include "skin/engine/WndSubclass.h"

#include "toolkit/win/ObjectInstance.h"

namespace skin {

TWndSubclass::TWndSubclass(HWND wnd, const tk::TWndMethod& handler) : wnd_(wnd), handler_(handler) {
  instance_ = tk::MakeObjectInstance(tk::TWndMethod::Of<&TWndSubclass::Dispatch>(this));
  oldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance_)));
}

TWndSubclass::~TWndSubclass() {
  tk::FreeObjectInstance(instance_);
}

void TWndSubclass::Release(std::unique_ptr<TWndSubclass> subclass) {
  if (subclass == nullptr) return;
  subclass->handler_ = tk::TWndMethod();
  if (subclass->windowGone_ || !IsWindow(subclass->wnd_)) return;
  if (GetWindowLongPtrW(subclass->wnd_, GWLP_WNDPROC) ==
      reinterpret_cast<LONG_PTR>(subclass->instance_)) {
    SetWindowLongPtrW(subclass->wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass->oldProc_));
    return;
  }
  // Another procedure calls ours: the pass-through frees itself at WM_NCDESTROY.
  subclass.release();
}

LRESULT TWndSubclass::CallOld(const tk::TMessage& message) const {
  return CallWindowProcW(oldProc_, wnd_, message.Msg, message.WParam, message.LParam);
}

// The handler may end the subclassing and free this object: nothing of it is used after.
void TWndSubclass::Dispatch(tk::TMessage& message) {
  const bool last = message.Msg == WM_NCDESTROY;
  if (handler_) {
    if (last) windowGone_ = true;
    handler_(message);
    return;
  }
  message.Result = CallOld(message);
  if (last) delete this;
}

}  // namespace skin
