#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "Component.h"
#include "NotifyEvent.h"

namespace tk {

// Calls OnTimer every Interval milliseconds while it is enabled, from the message loop of the
// thread that made it. Each timer has a hidden message-only window of its own to receive
// WM_TIMER; the system timer runs only while the timer is enabled, has a handler and a
// non-zero interval, and goes with the window when the timer is freed.
class TTimer : public TComponent {
  TK_CLASS(TTimer, TComponent)

 public:
  static constexpr unsigned kDefaultInterval = 1000;

  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // Restarts the count from zero when the timer runs.
  void SetInterval(unsigned interval);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

 protected:
  // Runs OnTimer; called at every tick.
  virtual void Timer();

 private:
  struct TWindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
  };
  using TWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDestroyer>;

  static const wchar_t* WindowClassName();
  static LRESULT CALLBACK TimerWindowProc(HWND window, UINT msg, WPARAM wParam,
                                          LPARAM lParam) noexcept;
  // Starts, restarts or stops the system timer to match the properties.
  void UpdateTimer();
  HWND Window();

  bool enabled_ = true;
  unsigned interval_ = kDefaultInterval;
  TNotifyEvent onTimer_;
  TWindowHandle window_;
};

}  // namespace tk
