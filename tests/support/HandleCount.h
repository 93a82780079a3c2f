#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace testing_support {

// Live windows and GDI objects of this process. Wine's GetGuiResources answers 0, but its
// handle tables resolve a bare 16-bit index, so every index is probed. Window handles are
// shared by all the processes of a Wine session (tests run side by side), so only windows of
// this process count.
struct THandleCount {
  int Windows = 0;
  int GdiObjects = 0;
  friend bool operator==(const THandleCount&, const THandleCount&) = default;
};

inline THandleCount CountHandles() {
  constexpr std::uintptr_t kLastIndex = 0xFFFF;
  const DWORD process = GetCurrentProcessId();
  THandleCount count;
  for (std::uintptr_t i = 1; i <= kLastIndex; ++i) {
    const auto window = reinterpret_cast<HWND>(i);
    DWORD owner = 0;
    if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) != 0 && owner == process)
      ++count.Windows;
    count.GdiObjects += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  }
  return count;
}

// Whether a repeated action leaves nothing behind: the counts after one run of round equal
// those before it, or, when the system made something once on its own time meanwhile, a
// second run adds nothing more. (Wine's input-method support starts COM on a thread when one
// of its windows is activated, with a window and drawing objects of its own; on a loaded
// machine that may fall in the middle of the first run.) A leak grows with every run.
inline bool LeavesNothingBehind(const std::function<void()>& round) {
  const THandleCount before = CountHandles();
  round();
  const THandleCount once = CountHandles();
  if (once == before) return true;
  round();
  return CountHandles() == once;
}

}  // namespace testing_support
