#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/WinPump.h"
#include "toolkit/win/ObjectInstance.h"

namespace testing_support {

inline BOOL CALLBACK FindVisibleDialog(HWND wnd, LPARAM param) {
  wchar_t name[16]{};
  GetClassNameW(wnd, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(wnd)) return TRUE;
  *reinterpret_cast<HWND*>(param) = wnd;
  return FALSE;
}

// A visible top-level window of this thread of the dialog class, or null.
inline HWND FindThreadDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs a step from inside the modal loop of a system dialog (a message box, a common dialog):
// a timer finds the dialog once it is on screen and calls the step once with it. A dialog the
// step leaves open is sent the fallback command, so that the loop always ends.
class TModalDriver {
 public:
  using TStep = std::function<void(HWND dialog)>;

  TModalDriver(TStep step, WPARAM fallbackCommand = IDCANCEL)
      : step_(std::move(step)), fallback_(fallbackCommand) {}

  // Runs the modal call with the step armed; answers what the call returned.
  template <typename TCall>
  auto Run(TCall call) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
    auto result = call();
    KillTimer(nullptr, timer_);
    current_ = nullptr;
    return result;
  }

  HWND Dialog() const { return dialog_; }
  bool Stepped() const { return stepped_; }

 private:
  static constexpr UINT kTickMs = 30;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TModalDriver* self = current_;
    if (self == nullptr || self->stepped_) return;
    const HWND dialog = FindThreadDialog();
    if (dialog == nullptr) return;
    self->stepped_ = true;
    self->dialog_ = dialog;
    KillTimer(nullptr, self->timer_);
    self->step_(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog))
      PostMessageW(dialog, WM_COMMAND, self->fallback_, 0);
  }

  inline static TModalDriver* current_ = nullptr;
  TStep step_;
  WPARAM fallback_;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
  bool stepped_ = false;
};

class TInstanceProbe : public tk::TObject {
 public:
  void Handle(tk::TMessage&) {}
};

// How many object instances are free now: all are taken and given back.
inline int FreeObjectInstances() {
  std::vector<WNDPROC> taken;
  TInstanceProbe owner;
  const auto method = tk::TWndMethod::Of<&TInstanceProbe::Handle>(&owner);
  try {
    for (;;) taken.push_back(tk::MakeObjectInstance(method));
  } catch (...) {
  }
  for (WNDPROC instance : taken) tk::FreeObjectInstance(instance);
  return static_cast<int>(taken.size());
}

// A modeless dialog of the dialog class made from a template in memory; every message its
// dialog procedure sees is recorded. Destroyed with the object.
class TProbeDialog {
 public:
  // Size in dialog units.
  explicit TProbeDialog(short width = 200, short height = 100) {
    BuildTemplate(width, height);
    wnd_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(template_.data()),
                                      nullptr, Proc, reinterpret_cast<LPARAM>(this));
  }
  ~TProbeDialog() {
    if (IsWindow(wnd_)) DestroyWindow(wnd_);
  }
  TProbeDialog(const TProbeDialog&) = delete;
  TProbeDialog& operator=(const TProbeDialog&) = delete;

  HWND Handle() const { return wnd_; }
  HWND AddChild(const wchar_t* className, DWORD style, int x, int y, int width, int height) {
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           wnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  void Show() {
    ShowWindow(wnd_, SW_SHOW);
    PumpUntil([this] { return IsWindowVisible(wnd_) != 0; });
  }
  int Seen(UINT msg) const {
    return static_cast<int>(std::count(messages_.begin(), messages_.end(), msg));
  }
  void Forget() { messages_.clear(); }

 private:
  static INT_PTR CALLBACK Proc(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrW(wnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TProbeDialog*>(GetWindowLongPtrW(wnd, DWLP_USER));
    if (self != nullptr) self->messages_.push_back(msg);
    return msg == WM_INITDIALOG ? TRUE : FALSE;
  }

  void BuildTemplate(short width, short height) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header->x = 20;
    header->y = 20;
    header->cx = width;
    header->cy = height;
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    for (wchar_t c : std::wstring(L"Probe dialog")) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    template_.assign((words.size() + 1) / 2, 0);
    std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(template_.data()));
  }

  std::vector<DWORD> template_;
  HWND wnd_ = nullptr;
  std::vector<UINT> messages_;
};

}  // namespace testing_support
