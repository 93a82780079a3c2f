// Fuzzes the skin data file parser and the bitmaps it hands to the BMP decoder, the way the
// element store reads them.
#include <cstdint>

#include "skin/reader/Sk2File.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tk::TBytesStream file(data, static_cast<std::int64_t>(size));
  try {
    for (const skin::Sk2Element& element : skin::ReadSk2Elements(file)) {
      if (element.kind == skin::skBitmap) {
        tk::TBytesStream bytes(element.data.data(), static_cast<std::int64_t>(element.data.size()));
        tk::TBitmap bitmap;
        try {
          bitmap.LoadFromStream(bytes);
        } catch (const tk::Exception&) {
        }
      } else {
        skin::Sk2IntegerValue(element.data);
      }
    }
  } catch (const tk::Exception&) {
  }
  return 0;
}
