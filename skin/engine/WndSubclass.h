#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/core/Object.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/WndMethod.h"

namespace skin {

// One replacement of a window's procedure by a procedure that hands every message to a
// handler, which passes messages on with CallOld. Release gives the window its previous
// procedure back while ours is still the installed one. When another subclasser installed
// its procedure over ours since, that procedure keeps calling ours, and putting the previous
// one back would cut it out of the chain: ours then stays installed as a plain pass-through
// to the previous procedure and frees itself when the window is destroyed (WM_NCDESTROY).
class TWndSubclass : public tk::TObject {
 public:
  TWndSubclass(HWND wnd, const tk::TWndMethod& handler);
  ~TWndSubclass() override;
  TWndSubclass(const TWndSubclass&) = delete;
  TWndSubclass& operator=(const TWndSubclass&) = delete;

  // Ends the subclassing; the handler is not called again.
  static void Release(std::unique_ptr<TWndSubclass> subclass);

  LRESULT CallOld(const tk::TMessage& message) const;
  HWND Window() const { return wnd_; }
  WNDPROC OldProc() const { return oldProc_; }
  WNDPROC Instance() const { return instance_; }

 private:
  void Dispatch(tk::TMessage& message);

  HWND wnd_;
  WNDPROC instance_ = nullptr;
  WNDPROC oldProc_ = nullptr;
  tk::TWndMethod handler_;
  bool windowGone_ = false;
};

}  // namespace skin
