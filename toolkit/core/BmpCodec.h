#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Bitmap.h"
#include "Stream.h"

namespace tk {

// Largest picture the decoder accepts: skins come from untrusted files, so sizes are checked
// before anything is allocated for the pixels.
inline constexpr int kMaxBmpDimension = 16384;
inline constexpr std::int64_t kMaxBmpPixels = 64 * 1024 * 1024;

// A decoded BMP in TBitmap's layout: 0xAARRGGBB words, rows top to bottom, no padding.
// Format records the depth of the file (pfCustom for 16-bit masks other than 5-5-5 and 5-6-5).
struct TBmpImage {
  int Width = 0;
  int Height = 0;
  TPixelFormat Format = pfDevice;
  std::vector<std::uint32_t> Pixels;
};

// Reads one BMP file image (file header, info header, palette, pixels) starting at the
// stream's position; offsets in the headers count from there. Understands the 12-, 40-, 108-
// and 124-byte info headers, 1/4/8-bit palettes and 16/24/32-bit pixels, uncompressed or with
// colour masks. Raises EInvalidGraphic for headers it cannot accept (RLE, JPEG and PNG
// included) and EReadError when the stream ends before the data the headers describe. On
// success the stream is left just after the last pixel row, so images stored back to back can
// be read in turn.
TBmpImage DecodeBmp(TStream& stream);

enum class TBmpDepth { bd24, bd32 };

// Writes width x height pixels (TBitmap's layout) as a bottom-up uncompressed BMP with a
// 40-byte info header. bd32 stores each pixel word as it is, top byte included. Raises
// EInvalidGraphic for an empty picture, a pixel count that does not match, or a picture too big
// for the 32-bit sizes of the format.
void EncodeBmp(TStream& stream, int width, int height, std::span<const std::uint32_t> pixels,
               TBmpDepth depth);

}  // namespace tk
