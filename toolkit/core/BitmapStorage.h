#pragma once

#include <cstdint>
#include <utility>

namespace tk {

// Native handle of a bitmap's pixel storage: the HBITMAP of a DIB section on Windows, nullptr on
// the host. Opaque here so that portable headers need no Windows header.
using TBitmapHandle = void*;

// Pixel memory of one TBitmap: zero-filled 32-bit words, rows top to bottom without padding. On
// the host a heap block; on Windows the memory of a 32-bit top-down DIB section, so that GDI
// draws on the very pixels that loops read and write.
class TBitmapStorage {
 public:
  TBitmapStorage() = default;
  // Empty sizes allocate nothing. Raises std::bad_alloc when the memory cannot be had, and on
  // Windows EOutOfResources when GDI refuses the section.
  TBitmapStorage(int width, int height);
  ~TBitmapStorage();
  TBitmapStorage(TBitmapStorage&& other) noexcept { Swap(other); }
  TBitmapStorage& operator=(TBitmapStorage&& other) noexcept {
    Swap(other);
    return *this;
  }

  std::uint32_t* Bits() const { return bits_; }
  TBitmapHandle Handle() const { return handle_; }

 private:
  void Swap(TBitmapStorage& other) noexcept {
    std::swap(bits_, other.bits_);
    std::swap(handle_, other.handle_);
  }

  std::uint32_t* bits_ = nullptr;
  TBitmapHandle handle_ = nullptr;
};

}  // namespace tk
