#pragma once

#include <windows.h>

#include <utility>

namespace tk {

// Owns one native menu and destroys it. DestroyMenu would also destroy every submenu still
// attached, and those belong to other owners: the items are detached first, so that each
// owner destroys exactly its own menu.
class TMenuHandle {
 public:
  TMenuHandle() = default;
  explicit TMenuHandle(HMENU menu) : menu_(menu) {}
  ~TMenuHandle() { Reset(); }
  TMenuHandle(TMenuHandle&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
  TMenuHandle& operator=(TMenuHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.menu_, nullptr));
    return *this;
  }
  TMenuHandle(const TMenuHandle&) = delete;
  TMenuHandle& operator=(const TMenuHandle&) = delete;

  HMENU Get() const { return menu_; }
  explicit operator bool() const { return menu_ != nullptr; }
  // Detaches every item, submenus included, without destroying them.
  void Clear() {
    if (menu_ == nullptr) return;
    while (GetMenuItemCount(menu_) > 0)
      if (!RemoveMenu(menu_, 0, MF_BYPOSITION)) break;
  }
  void Reset(HMENU menu = nullptr) {
    if (menu_ != nullptr) {
      Clear();
      DestroyMenu(menu_);
    }
    menu_ = menu;
  }

 private:
  HMENU menu_ = nullptr;
};

}  // namespace tk
