#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// A plain native window for tests, destroyed with the object.
class TTestWindow {
 public:
  TTestWindow(const wchar_t* className, const std::wstring& title, DWORD style, HWND parent,
              int width = 200, int height = 100, DWORD exStyle = 0, int left = 10, int top = 10) {
    window_ = CreateWindowExW(exStyle, className, title.c_str(), style, left, top, width, height,
                              parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TTestWindow() { DestroyWindow(window_); }
  TTestWindow(const TTestWindow&) = delete;
  TTestWindow& operator=(const TTestWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

}  // namespace testing_support
