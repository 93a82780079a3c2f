#include "BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

#include "Exception.h"

namespace tk {

namespace {

constexpr std::uint16_t kSignature = 0x4D42;  // "BM" read as a little-endian word
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kHeaderSizeFieldSize = 4;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
// The three colour masks that follow a 40-byte header when the pixels use masks.
constexpr std::uint32_t kMaskFieldsSize = 12;

constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitfields = 3;

constexpr std::uint32_t kCoreEntrySize = 3;  // blue, green, red
constexpr std::uint32_t kInfoEntrySize = 4;  // blue, green, red, unused
constexpr std::uint32_t kPaletteCapacity = 256;
constexpr std::uint32_t kRowAlignmentBits = 32;
constexpr std::uint32_t kBytesPerRowUnit = 4;
constexpr int kBitsPerByte = 8;
constexpr int kColourBytes = 3;
constexpr std::uint16_t kPlanes = 1;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

constexpr std::uint32_t kChannelMax = 0xFF;
constexpr std::uint32_t kWord16Mask = 0xFFFF;
constexpr std::uint32_t kWord32Mask = 0xFFFFFFFF;

// Channel order of the mask arrays, and where each channel lands in a pixel word.
enum TChannelIndex { ciRed, ciGreen, ciBlue, ciAlpha, ciCount };
constexpr std::array<int, ciCount> kPixelShifts = {16, 8, 0, 24};

using TMasks = std::array<std::uint32_t, ciCount>;
// 16-bit pixels without masks are 5-5-5, 32-bit ones 8-8-8 with an unused top byte.
constexpr TMasks kMasks555 = {0x7C00, 0x03E0, 0x001F, 0};
constexpr TMasks kMasks565 = {0xF800, 0x07E0, 0x001F, 0};
constexpr TMasks kMasks888 = {0xFF0000, 0x00FF00, 0x0000FF, 0};

using TPalette = std::array<std::uint32_t, kPaletteCapacity>;

[[noreturn]] void Invalid() {
  throw EInvalidGraphic(kInvalidBitmapMessage);
}

// Little-endian reader over bytes already taken from the stream. Every header, palette and
// pixel byte the decoder looks at goes through Require, so a miscounted length cannot reach
// outside the buffer.
class TByteReader {
 public:
  explicit TByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint32_t Unsigned(int count) {
    Require(static_cast<std::size_t>(count));
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
      value |= static_cast<std::uint32_t>(bytes_[position_++]) << (kBitsPerByte * i);
    return value;
  }
  std::uint8_t U8() { return static_cast<std::uint8_t>(Unsigned(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Unsigned(2)); }
  std::uint32_t U32() { return Unsigned(4); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  void Skip(std::size_t count) {
    Require(count);
    position_ += count;
  }

 private:
  void Require(std::size_t count) const {
    if (count > bytes_.size() - position_) Invalid();
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Little-endian writer for the encoder's headers and rows.
class TByteWriter {
 public:
  void Unsigned(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
      bytes_.push_back(static_cast<std::uint8_t>(value >> (kBitsPerByte * i)));
  }
  void U16(std::uint16_t value) { Unsigned(value, 2); }
  void U32(std::uint32_t value) { Unsigned(value, 4); }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void PadTo(std::size_t size) { bytes_.resize(std::max(bytes_.size(), size)); }
  void Clear() { bytes_.clear(); }
  void WriteTo(TStream& stream) const {
    stream.WriteBuffer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

std::uint64_t RowStride(std::uint64_t width, std::uint64_t bits) {
  return (width * bits + kRowAlignmentBits - 1) / kRowAlignmentBits * kBytesPerRowUnit;
}

std::vector<std::uint8_t> ReadBytes(TStream& stream, std::uint32_t count) {
  std::vector<std::uint8_t> bytes(count);
  stream.ReadBuffer(bytes.data(), count);
  return bytes;
}

// What the file and info headers say, widened to one shape for every header version.
struct THeader {
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerSize = 0;
  // Bytes from the start of the file image to the end of the headers and masks.
  std::uint32_t headersEnd = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bits = 0;
  std::uint32_t compression = kCompressionRgb;
  std::uint32_t coloursUsed = 0;
  TMasks masks{};
};

THeader ReadHeaders(TStream& stream) {
  const std::vector<std::uint8_t> fixed = ReadBytes(stream, kFileHeaderSize + kHeaderSizeFieldSize);
  TByteReader file(fixed);
  if (file.U16() != kSignature) Invalid();
  THeader header;
  file.Skip(sizeof(std::uint32_t) + 2 * sizeof(std::uint16_t));  // file size, reserved words
  header.pixelOffset = file.U32();
  header.headerSize = file.U32();
  if (header.headerSize != kCoreHeaderSize && header.headerSize != kInfoHeaderSize &&
      header.headerSize != kV4HeaderSize && header.headerSize != kV5HeaderSize)
    Invalid();
  header.headersEnd = kFileHeaderSize + header.headerSize;

  const std::vector<std::uint8_t> rest =
      ReadBytes(stream, header.headerSize - kHeaderSizeFieldSize);
  TByteReader info(rest);
  if (header.headerSize == kCoreHeaderSize) {
    header.width = info.U16();
    header.height = info.U16();
    info.Skip(sizeof(std::uint16_t));  // planes
    header.bits = info.U16();
    return header;
  }
  header.width = info.I32();
  header.height = info.I32();
  info.Skip(sizeof(std::uint16_t));  // planes
  header.bits = info.U16();
  header.compression = info.U32();
  info.Skip(3 * sizeof(std::uint32_t));  // image size, horizontal and vertical resolution
  header.coloursUsed = info.U32();
  info.Skip(sizeof(std::uint32_t));  // important colours
  // Uncompressed pixels have fixed layouts: the masks of the larger headers only count when
  // the compression says so.
  if (header.compression != kCompressionBitfields) return header;
  if (header.headerSize == kInfoHeaderSize) {
    const std::vector<std::uint8_t> maskBytes = ReadBytes(stream, kMaskFieldsSize);
    TByteReader masks(maskBytes);
    for (int i = ciRed; i <= ciBlue; ++i) header.masks[i] = masks.U32();
    header.headersEnd += kMaskFieldsSize;
  } else {
    for (std::uint32_t& mask : header.masks) mask = info.U32();
  }
  return header;
}

// Row count of an accepted picture; refuses sizes before any pixel memory is allocated.
int CheckGeometry(const THeader& header) {
  const std::int64_t rows = header.height < 0 ? -std::int64_t{header.height} : header.height;
  if (header.width <= 0 || header.width > kMaxBmpDimension || rows == 0 ||
      rows > kMaxBmpDimension || header.width * rows > kMaxBmpPixels)
    Invalid();
  if (header.pixelOffset < header.headersEnd) Invalid();
  return static_cast<int>(rows);
}

// One colour mask: where the channel sits in the file's pixel word and how to widen it.
class TChannel {
 public:
  TChannel() = default;
  explicit TChannel(std::uint32_t mask)
      : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), max_(mask >> shift_) {
    if ((max_ & (max_ + 1)) != 0) Invalid();  // the mask's bits are not contiguous
  }

  // Scales the channel to 0..255, rounding to nearest: a 5-bit v becomes (v * 255 + 15) / 31.
  std::uint32_t Expand(std::uint32_t word) const {
    const std::uint32_t raw = (word & mask_) >> shift_;
    if (max_ == kChannelMax || max_ == 0) return raw;
    return static_cast<std::uint32_t>((std::uint64_t{raw} * kChannelMax + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  std::uint32_t max_ = 0;
};

// How the rows of one picture turn into pixel words.
struct TPixelLayout {
  int bits = 0;
  TPalette palette{};
  std::array<TChannel, ciCount> channels;

  std::uint32_t Compose(std::uint32_t word) const {
    std::uint32_t pixel = 0;
    for (int i = 0; i < ciCount; ++i) pixel |= channels[i].Expand(word) << kPixelShifts[i];
    return pixel;
  }
};

// Red, green and blue must be present, masks must not overlap or leave the pixel word; alpha
// is optional.
std::array<TChannel, ciCount> MakeChannels(const TMasks& masks, int bits) {
  const std::uint32_t word = bits == 16 ? kWord16Mask : kWord32Mask;
  std::array<TChannel, ciCount> channels;
  std::uint32_t used = 0;
  for (int i = 0; i < ciCount; ++i) {
    const std::uint32_t mask = masks[i];
    if ((mask == 0 && i != ciAlpha) || (mask & used) != 0 || (mask & ~word) != 0) Invalid();
    used |= mask;
    channels[i] = TChannel(mask);
  }
  return channels;
}

TPixelFormat FormatOf(int bits, const TMasks& masks) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: break;
  }
  const auto sameColours = [&masks](const TMasks& known) {
    return std::equal(known.begin(), known.begin() + ciAlpha, masks.begin());
  };
  if (sameColours(kMasks555)) return pf15bit;
  if (sameColours(kMasks565)) return pf16bit;
  return pfCustom;
}

// Reads the palette that follows the headers. It holds biClrUsed entries (all 2^bits when 0,
// never more than 2^bits) but is cut short where the pixels begin; indexes past its end read
// as black.
TPalette ReadPalette(TStream& stream, const THeader& header) {
  const bool core = header.headerSize == kCoreHeaderSize;
  const std::uint32_t entrySize = core ? kCoreEntrySize : kInfoEntrySize;
  std::uint32_t count = 1u << header.bits;
  if (!core && header.coloursUsed != 0) count = std::min(count, header.coloursUsed);
  count = std::min(count, (header.pixelOffset - header.headersEnd) / entrySize);
  const std::vector<std::uint8_t> bytes = ReadBytes(stream, count * entrySize);
  TByteReader reader(bytes);
  TPalette palette{};
  for (std::uint32_t i = 0; i < count; ++i) {
    palette[i] = reader.Unsigned(kColourBytes);
    reader.Skip(entrySize - kColourBytes);
  }
  return palette;
}

TPixelLayout MakeLayout(TStream& stream, const THeader& header, TPixelFormat& format) {
  TPixelLayout layout;
  layout.bits = header.bits;
  const bool masked = header.compression == kCompressionBitfields;
  if (header.compression != kCompressionRgb && !masked) Invalid();
  switch (header.bits) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (masked) Invalid();
      if (header.bits != 24) layout.palette = ReadPalette(stream, header);
      format = FormatOf(header.bits, {});
      return layout;
    case 16:
    case 32: {
      const TMasks& masks = masked ? header.masks : header.bits == 16 ? kMasks555 : kMasks888;
      layout.channels = MakeChannels(masks, header.bits);
      format = FormatOf(header.bits, masks);
      return layout;
    }
    default: Invalid();
  }
}

void DecodeIndexedRow(const TPixelLayout& layout, TByteReader& row, std::span<std::uint32_t> out) {
  const std::uint32_t indexMask = (1u << layout.bits) - 1;
  std::size_t x = 0;
  while (x < out.size()) {
    const std::uint8_t byte = row.U8();
    for (int shift = kBitsPerByte - layout.bits; shift >= 0 && x < out.size(); shift -= layout.bits)
      out[x++] = layout.palette[(byte >> shift) & indexMask];
  }
}

void DecodeRow(const TPixelLayout& layout, std::span<const std::uint8_t> bytes,
               std::span<std::uint32_t> out) {
  TByteReader row(bytes);
  switch (layout.bits) {
    case 16:
      for (std::uint32_t& pixel : out) pixel = layout.Compose(row.U16());
      break;
    case 24:
      for (std::uint32_t& pixel : out) pixel = row.Unsigned(kColourBytes);
      break;
    case 32:
      for (std::uint32_t& pixel : out) pixel = layout.Compose(row.U32());
      break;
    default: DecodeIndexedRow(layout, row, out);
  }
}

}  // namespace

TBmpImage DecodeBmp(TStream& stream) {
  const std::int64_t start = stream.Position();
  const THeader header = ReadHeaders(stream);
  const int rows = CheckGeometry(header);
  TBmpImage image;
  const TPixelLayout layout = MakeLayout(stream, header, image.Format);

  // bfSize is ignored (writers often get it wrong); exactly stride * rows bytes are read from
  // bfOffBits. Checking the stream holds them first keeps a short file from costing a large
  // allocation.
  const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(header.width), header.bits);
  const std::int64_t pixelStart = start + header.pixelOffset;
  stream.Seek(pixelStart, TSeekOrigin::soBeginning);
  if (stream.Size() - pixelStart < static_cast<std::int64_t>(stride * rows))
    throw EReadError(kReadErrorMessage);

  image.Width = header.width;
  image.Height = rows;
  const auto width = static_cast<std::size_t>(image.Width);
  image.Pixels.resize(width * static_cast<std::size_t>(rows));
  const std::span<std::uint32_t> pixels(image.Pixels);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
  const bool topDown = header.height < 0;
  for (int fileRow = 0; fileRow < rows; ++fileRow) {
    stream.ReadBuffer(row.data(), static_cast<std::int64_t>(stride));
    const int y = topDown ? fileRow : rows - 1 - fileRow;
    DecodeRow(layout, row, pixels.subspan(static_cast<std::size_t>(y) * width, width));
  }
  return image;
}

void EncodeBmp(TStream& stream, int width, int height, std::span<const std::uint32_t> pixels,
               TBmpDepth depth) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height))
    Invalid();
  const int bytesPerPixel =
      depth == TBmpDepth::bd32 ? static_cast<int>(sizeof(std::uint32_t)) : kColourBytes;
  const std::uint64_t stride =
      RowStride(static_cast<std::uint64_t>(width), bytesPerPixel * kBitsPerByte);
  const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
  constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
  if (imageSize > std::numeric_limits<std::uint32_t>::max() - kPixelOffset) Invalid();

  TByteWriter writer;
  writer.U16(kSignature);
  writer.U32(static_cast<std::uint32_t>(kPixelOffset + imageSize));
  writer.U32(0);  // reserved words
  writer.U32(kPixelOffset);
  writer.U32(kInfoHeaderSize);
  writer.I32(width);
  writer.I32(height);
  writer.U16(kPlanes);
  writer.U16(static_cast<std::uint16_t>(bytesPerPixel * kBitsPerByte));
  writer.U32(kCompressionRgb);
  writer.U32(static_cast<std::uint32_t>(imageSize));
  writer.I32(kPixelsPerMetre);
  writer.I32(kPixelsPerMetre);
  writer.U32(0);  // colours used
  writer.U32(0);  // important colours
  writer.WriteTo(stream);

  const auto rowWidth = static_cast<std::size_t>(width);
  for (int y = height - 1; y >= 0; --y) {
    writer.Clear();
    for (std::uint32_t pixel : pixels.subspan(static_cast<std::size_t>(y) * rowWidth, rowWidth))
      writer.Unsigned(pixel, bytesPerPixel);
    writer.PadTo(static_cast<std::size_t>(stride));
    writer.WriteTo(stream);
  }
}

}  // namespace tk
