#pragma once

#include <windows.h>

#include <utility>

#include "toolkit/core/Object.h"

namespace tk {

// Owns an icon handle and destroys it.
class TIcon : public TObject {
 public:
  TIcon() = default;
  explicit TIcon(HICON icon) : handle_(icon) {}
  ~TIcon() override { SetHandle(nullptr); }

  HICON Handle() const { return handle_; }
  bool Empty() const { return handle_ == nullptr; }
  // Takes ownership of icon, destroying the one held before.
  void SetHandle(HICON icon) {
    if (handle_ != nullptr && handle_ != icon) DestroyIcon(handle_);
    handle_ = icon;
  }
  // Hands the icon to the caller, who destroys it.
  HICON ReleaseHandle() { return std::exchange(handle_, nullptr); }

 private:
  HICON handle_ = nullptr;
};

}  // namespace tk
