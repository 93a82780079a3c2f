#include <cstddef>
#include <new>

#include "BitmapStorage.h"

namespace tk {

TBitmapStorage::TBitmapStorage(int width, int height) {
  if (width <= 0 || height <= 0) return;
  const std::uint64_t count =
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  // Checked here because on 32-bit targets the byte count would wrap in std::size_t.
  if (count > SIZE_MAX / sizeof(std::uint32_t)) throw std::bad_alloc();
  bits_ = new std::uint32_t[static_cast<std::size_t>(count)]();
}

TBitmapStorage::~TBitmapStorage() {
  delete[] bits_;
}

}  // namespace tk
