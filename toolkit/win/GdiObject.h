#pragma once

#include <windows.h>

#include <utility>

namespace tk {

// Owns one GDI object (brush, pen, font, bitmap, region) and deletes it. Whoever selects it into
// a device context must select it out again before the owner dies.
template <typename Handle>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(Handle handle) : handle_(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& other) noexcept : handle_(other.Release()) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }
  // Gives up ownership, for handles that pass to Windows (a window region).
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;
using TFontHandle = TGdiObject<HFONT>;
using TBitmapObject = TGdiObject<HBITMAP>;
using TRegionHandle = TGdiObject<HRGN>;

// Selects objects into a device context and, when destroyed, selects back what was there
// before the first of them: the context leaves as it came.
class TSelection {
 public:
  explicit TSelection(HDC dc) : dc_(dc) {}
  TSelection(HDC dc, HGDIOBJ object) : dc_(dc) { Select(object); }
  ~TSelection() { Restore(); }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

  void Select(HGDIOBJ object) {
    HGDIOBJ previous = SelectObject(dc_, object);
    if (original_ == nullptr) original_ = previous;
  }
  void Restore() {
    if (original_ != nullptr) SelectObject(dc_, std::exchange(original_, nullptr));
  }

 private:
  HDC dc_;
  HGDIOBJ original_ = nullptr;
};

// A memory device context compatible with the screen.
class TMemoryDC {
 public:
  TMemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  ~TMemoryDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// The device context of a whole window, non-client area included.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~TWindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The device context of a window's client area. A null window gets none (GetDC would give
// the screen's).
class TClientDC {
 public:
  explicit TClientDC(HWND window)
      : window_(window), dc_(window != nullptr ? GetDC(window) : nullptr) {}
  ~TClientDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  TClientDC(const TClientDC&) = delete;
  TClientDC& operator=(const TClientDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Sets a device context's stretching mode for a scope and puts the old mode back.
class TStretchMode {
 public:
  TStretchMode(HDC dc, int mode) : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {}
  ~TStretchMode() {
    if (previous_ != 0) SetStretchBltMode(dc_, previous_);
  }
  TStretchMode(const TStretchMode&) = delete;
  TStretchMode& operator=(const TStretchMode&) = delete;

 private:
  HDC dc_;
  int previous_;
};

}  // namespace tk
