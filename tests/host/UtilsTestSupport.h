#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Stream.h"
#include "tools/zsk/PackageWriter.h"
#include "tools/zsk/Sk2Writer.h"

// Pictures and skin packages for the skin reader, pixel and cut-resource tests.
namespace utils_test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr tk::TColor kMagenta = 0xFF00FF;

// A bitmap that tests can copy and return by value.
class Image : public tk::TBitmap {
 public:
  using tk::TBitmap::TBitmap;
  Image() = default;
  Image(const Image& other) : tk::TBitmap() { Assign(other); }
  Image& operator=(const Image& other) {
    Assign(other);
    return *this;
  }
};

// '.' is magenta (the usual colour key); any other character c is the grey RGB(c, c, c).
inline tk::TColor CharColor(char c) {
  if (c == '.') return kMagenta;
  const auto v = static_cast<std::uint8_t>(c);
  return tk::RGBColor(v, v, v);
}

inline Image Picture(const std::vector<std::string>& rows) {
  const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  Image bitmap(width, static_cast<int>(rows.size()));
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, CharColor(rows[y][x]));
  return bitmap;
}

// A bitmap whose every pixel tells where it came from: RGB(x, y, tag).
inline Image Coordinates(int width, int height, std::uint8_t tag = 0) {
  Image bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetPixel(
          x, y, tk::RGBColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), tag));
  return bitmap;
}

inline Image Filled(int width, int height, tk::TColor color) {
  Image bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, color);
  return bitmap;
}

inline Bytes BmpOf(const tk::TBitmap& bitmap) {
  tk::TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

inline zsk::SkinElement Bitmap(const std::string& name, const tk::TBitmap& bitmap) {
  return zsk::BitmapElement(name, BmpOf(bitmap));
}

// Skin packages written into a directory of their own, removed with it.
class PackageFiles {
 public:
  std::string Write(const std::vector<zsk::SkinElement>& elements,
                    const std::string& password = "") {
    const std::string file = dir_.File("skin" + std::to_string(count_++) + ".zsk");
    testing_support::WriteAll(
        file, zsk::BuildPackage({{"SKINDATA.SK2", zsk::BuildSk2(elements), password}}));
    return file;
  }
  std::string Missing() const { return dir_.File("no-such-skin.zsk"); }
  std::string Junk() {
    const std::string file = dir_.File("junk" + std::to_string(count_++) + ".zsk");
    testing_support::WriteAll(file, Bytes(100, 'S'));
    return file;
  }

 private:
  testing_support::TempDir dir_;
  int count_ = 0;
};

}  // namespace utils_test
