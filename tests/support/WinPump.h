#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

inline constexpr ULONGLONG kPumpTimeoutMs = 30000;

// Dispatches this thread's messages until done() holds or the (generous) time-out passes.
inline bool PumpUntil(const std::function<bool()>& done) {
  constexpr DWORD kWaitSliceMs = 50;
  const ULONGLONG deadline = GetTickCount64() + kPumpTimeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount64() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitSliceMs, QS_ALLINPUT);
  }
}

}  // namespace testing_support
