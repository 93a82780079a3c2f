#include "Timer.h"

#include <utility>

#include "toolkit/core/Exception.h"

namespace tk {

namespace {

constexpr const wchar_t* kTimerClassName = L"OrvandelTimer";
constexpr UINT_PTR kTimerId = 1;
constexpr const char* kNoTimerMessage = "Not enough timers available";

}  // namespace

const wchar_t* TTimer::WindowClassName() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TimerWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerClassName;
    return RegisterClassExW(&wc);
  }();
  if (atom == 0) throw EOutOfResources(kNoTimerMessage);
  return kTimerClassName;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

// Destroying the window kills its system timer, and WM_TIMER is never delivered to a window
// that is gone, so no tick can reach the freed object.
TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval_ == interval) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

HWND TTimer::Window() {
  if (window_ == nullptr) {
    window_.reset(CreateWindowExW(0, WindowClassName(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (window_ == nullptr) throw EOutOfResources(kNoTimerMessage);
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  return window_.get();
}

void TTimer::UpdateTimer() {
  if (window_ != nullptr) KillTimer(window_.get(), kTimerId);
  if (!enabled_ || interval_ == 0 || !onTimer_) return;
  if (::SetTimer(Window(), kTimerId, interval_, nullptr) == 0)
    throw EOutOfResources(kNoTimerMessage);
}

void TTimer::Timer() {
  RaiseEvent(onTimer_, this);
}

// Nothing thrown by a handler reaches Windows.
LRESULT CALLBACK TTimer::TimerWindowProc(HWND window, UINT msg, WPARAM wParam,
                                         LPARAM lParam) noexcept {
  auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (msg != WM_TIMER || wParam != kTimerId || timer == nullptr)
    return DefWindowProcW(window, msg, wParam, lParam);
  try {
    timer->Timer();
  } catch (...) {
  }
  return 0;
}

}  // namespace tk
