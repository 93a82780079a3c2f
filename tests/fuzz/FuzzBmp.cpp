#include <cstddef>
#include <cstdint>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/Stream.h"

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// What the encoder writes must decode to the same colours (neither output depth keeps alpha).
bool SurvivesRoundTrip(const tk::TBitmap& bitmap) {
  tk::TMemoryStream saved;
  bitmap.SaveToStream(saved);
  saved.SetPosition(0);
  tk::TBitmap reloaded;
  reloaded.LoadFromStream(saved);
  if (reloaded.Width() != bitmap.Width() || reloaded.Height() != bitmap.Height()) return false;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (((reloaded.ScanLine(y)[x] ^ bitmap.ScanLine(y)[x]) & kColourBits) != 0) return false;
  return true;
}

}  // namespace

// Feeds arbitrary bytes to the BMP decoder. Refusals through toolkit exceptions are expected;
// crashes, sanitizer reports and pictures that do not survive the encoder are faults.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tk::TBytesStream stream(data, static_cast<std::int64_t>(size));
  tk::TBitmap bitmap;
  try {
    bitmap.LoadFromStream(stream);
  } catch (const tk::Exception&) {
    return 0;
  }
  if (!SurvivesRoundTrip(bitmap)) __builtin_trap();
  return 0;
}
