#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/reader/PackageReader.h"
#include "skin/reader/Sk2File.h"
#include "tests/support/TempDir.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/core/Stream.h"
#include "tools/zsk/PackageWriter.h"

// Helpers shared by the writer tests and the tool tests.
namespace zsk_test {

using Bytes = std::vector<std::uint8_t>;
using testing_support::TempDir;

inline Bytes ToBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

inline Bytes SmallBmp(int width, int height) {
  tk::TBitmap bitmap(width, height);
  bitmap.SetPixel(0, 0, tk::RGBColor(0xFF, 0, 0xFF));
  tk::TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

inline std::vector<skin::Sk2Element> ReadBack(const Bytes& sk2) {
  tk::TBytesStream stream(sk2.data(), static_cast<std::int64_t>(sk2.size()));
  return skin::ReadSk2Elements(stream);
}

struct Extracted {
  std::uint8_t result;
  Bytes data;
  bool outputExists;
};

inline Extracted ExtractFile(const std::string& package, const std::string& entry,
                             const std::string& password) {
  const tk::ScopedTempFile out(tk::TempDirectory() + "zsk-test-" + tk::NewGuidString());
  const std::uint8_t result = skin::ExtractPackageEntry(package, entry, out.Name(), password);
  const bool exists = tk::FileExists(out.Name());
  return {result, exists ? zsk::ReadFileBytes(out.Name()) : Bytes(), exists};
}

inline Extracted Extract(const Bytes& package, const std::string& entry,
                         const std::string& password) {
  const TempDir dir;
  zsk::WriteFileBytes(dir / "p.zsk", package);
  return ExtractFile(dir / "p.zsk", entry, password);
}

}  // namespace zsk_test
