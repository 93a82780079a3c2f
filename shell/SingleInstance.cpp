#include "SingleInstance.h"

#include <windows.h>

namespace orv {

namespace {

constexpr const wchar_t* kRunningText = L"Orvandel\u5df2\u7ecf\u8fd0\u884c...";
constexpr const wchar_t* kRunningCaption = L"\u63d0\u793a";

}  // namespace

// Only system calls happen here, and none of them throws, so the guard cannot fail half-way:
// whatever it has decided when a call fails is its answer.
bool AnotherInstanceRunning() noexcept {
  // The handle is kept open on purpose and never closed: owning the mutex is what marks this
  // process as the running instance, and the system lets go of it when the process ends.
  const HANDLE mutex = CreateMutexA(nullptr, TRUE, kInstanceMutexName);
  if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) return false;
  MessageBoxW(nullptr, kRunningText, kRunningCaption, MB_OK | MB_ICONEXCLAMATION);
  return true;
}

}  // namespace orv
