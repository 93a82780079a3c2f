#include <windows.h>

#include <cstddef>
#include <new>

#include "BitmapStorage.h"
#include "Exception.h"

namespace tk {

namespace {

constexpr WORD kBitsPerPixel = 32;
constexpr const char* kOutOfResourcesMessage = "Out of system resources";

}  // namespace

// A negative height makes the section top-down, the row order of TBitmap. GDI hands out the
// section's memory zero-filled, so new pixels are black as on the host.
TBitmapStorage::TBitmapStorage(int width, int height) {
  if (width <= 0 || height <= 0) return;
  const std::uint64_t count =
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (count > SIZE_MAX / sizeof(std::uint32_t) || count > MAXDWORD / sizeof(std::uint32_t))
    throw std::bad_alloc();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr || bits == nullptr) {
    if (section != nullptr) DeleteObject(section);
    throw EOutOfResources(kOutOfResourcesMessage);
  }
  bits_ = static_cast<std::uint32_t*>(bits);
  handle_ = section;
}

// The owner deselects the section from every device context before it is freed.
TBitmapStorage::~TBitmapStorage() {
  if (handle_ != nullptr) DeleteObject(static_cast<HBITMAP>(handle_));
}

}  // namespace tk
