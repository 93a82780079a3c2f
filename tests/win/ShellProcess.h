#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/WinPump.h"

namespace testing_support {

// One run of a program, started without arguments. A run still going when the object goes is
// ended, so that no test leaves a program behind.
class TProgramRun {
 public:
  explicit TProgramRun(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &info_) != FALSE;
  }
  ~TProgramRun() {
    if (!started_) return;
    if (Running()) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, static_cast<DWORD>(kPumpTimeoutMs));
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  TProgramRun(const TProgramRun&) = delete;
  TProgramRun& operator=(const TProgramRun&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  // Waits (generously) for the program to end; false when it is still running.
  bool WaitForExit() const {
    return PumpUntil([this] { return !Running(); });
  }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline std::wstring ClassNameOf(HWND window) {
  wchar_t name[256]{};
  return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256)));
}

struct TWindowSearch {
  DWORD ProcessId;
  std::vector<HWND> Found;
};

inline BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TWindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.ProcessId) search.Found.push_back(window);
  return TRUE;
}

// The top-level windows of process id, visible or not.
inline std::vector<HWND> TopLevelWindowsOf(DWORD id) {
  TWindowSearch search{id, {}};
  EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// A visible top-level window of process id with the class and caption given (an empty class
// matches any), or null.
inline HWND FindWindowOf(DWORD id, const std::wstring& className, const std::wstring& caption) {
  for (HWND window : TopLevelWindowsOf(id))
    if (IsWindowVisible(window) && (className.empty() || ClassNameOf(window) == className) &&
        WindowText(window) == caption)
      return window;
  return nullptr;
}

// Waits (generously) for such a window; null when none shows.
inline HWND WaitForWindowOf(const TProgramRun& run, const std::wstring& className,
                            const std::wstring& caption) {
  HWND found = nullptr;
  PumpUntil([&] {
    found = FindWindowOf(run.Id(), className, caption);
    return found != nullptr || !run.Running();
  });
  return found;
}

struct TChildTextSearch {
  std::wstring ClassName;
  std::vector<std::wstring> Texts;
};

inline BOOL CALLBACK CollectChildText(HWND child, LPARAM param) {
  auto& search = *reinterpret_cast<TChildTextSearch*>(param);
  if (ClassNameOf(child) == search.ClassName) search.Texts.push_back(WindowText(child));
  return TRUE;
}

// The texts of window's children of class className, in order.
inline std::vector<std::wstring> ChildTexts(HWND window, const std::wstring& className) {
  TChildTextSearch search{className, {}};
  EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&search));
  return search.Texts;
}

}  // namespace testing_support
