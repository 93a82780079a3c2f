#include "toolkit/core/BmpCodec.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"

namespace {

using tk::DecodeBmp;
using tk::TBmpImage;
using tk::TBytesStream;
using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<std::vector<std::uint32_t>>;

constexpr std::uint32_t kCore = 12;
constexpr std::uint32_t kInfo = 40;
constexpr std::uint32_t kV4 = 108;
constexpr std::uint32_t kV5 = 124;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kJpeg = 4;
constexpr std::uint32_t kPng = 5;
constexpr std::uint8_t kPaddingByte = 0xAB;
constexpr std::uint8_t kPaletteReserved = 0x5A;
constexpr std::uint8_t kGapByte = 0xEE;

// Writes BMP file images field by field, independently of the encoder under test. Padding
// bytes, unused bits of the last byte of packed rows and the palette's spare byte are filled
// with junk, which a correct decoder never looks at.
struct TTestBmp {
  std::uint32_t headerSize = kInfo;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = kRgb;
  std::uint32_t coloursUsed = 0;
  // Red, green, blue, alpha: inside 108/124-byte headers, or the first three after a 40-byte
  // header when compression is kBitfields.
  std::array<std::uint32_t, 4> masks{};
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  Rows rows;              // raw pixel values, rows top to bottom as they appear on screen
  std::uint32_t gap = 0;  // junk bytes between palette and pixels
  std::optional<std::uint32_t> pixelOffset;
  std::optional<std::uint32_t> fileSize;
  std::uint8_t signature2 = 'M';

  Bytes Build() const;
};

void Put(Bytes& out, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes PackRow(int bits, const std::vector<std::uint32_t>& values) {
  Bytes row;
  if (bits < 8) {
    const std::size_t perByte = 8 / bits;
    const std::uint32_t junk = (1u << bits) - 1;
    for (std::size_t i = 0; i < values.size(); i += perByte) {
      std::uint32_t byte = 0;
      for (std::size_t k = 0; k < perByte; ++k)
        byte = byte << bits | (i + k < values.size() ? values[i + k] : junk);
      row.push_back(static_cast<std::uint8_t>(byte));
    }
  } else {
    for (std::uint32_t value : values) Put(row, value, bits / 8);
  }
  while (row.size() % 4 != 0) row.push_back(kPaddingByte);
  return row;
}

Bytes TTestBmp::Build() const {
  const bool core = headerSize == kCore;
  const std::uint32_t entrySize = core ? 3 : 4;
  const bool masksAfter = headerSize == kInfo && compression == kBitfields;
  Bytes pixels;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[height < 0 ? i : rows.size() - 1 - i];
    const Bytes packed = PackRow(bits, row);
    pixels.insert(pixels.end(), packed.begin(), packed.end());
  }
  const auto headersEnd = static_cast<std::uint32_t>(14 + headerSize + (masksAfter ? 12 : 0) +
                                                     palette.size() * entrySize);
  const std::uint32_t offset = pixelOffset.value_or(headersEnd + gap);
  const auto total = static_cast<std::uint32_t>(headersEnd + gap + pixels.size());

  Bytes out{'B', signature2};
  Put(out, fileSize.value_or(total), 4);
  Put(out, 0, 4);
  Put(out, offset, 4);
  Put(out, headerSize, 4);
  if (core) {
    Put(out, static_cast<std::uint32_t>(width), 2);
    Put(out, static_cast<std::uint32_t>(height), 2);
    Put(out, planes, 2);
    Put(out, bits, 2);
  } else {
    Put(out, static_cast<std::uint32_t>(width), 4);
    Put(out, static_cast<std::uint32_t>(height), 4);
    Put(out, planes, 2);
    Put(out, bits, 2);
    Put(out, compression, 4);
    Put(out, static_cast<std::uint32_t>(pixels.size()), 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, coloursUsed, 4);
    Put(out, 0, 4);
    if (headerSize >= kV4)
      for (std::uint32_t mask : masks) Put(out, mask, 4);
    out.resize(std::max<std::size_t>(out.size(), 14 + headerSize));
  }
  if (masksAfter)
    for (int i = 0; i < 3; ++i) Put(out, masks[i], 4);
  for (std::uint32_t colour : palette) {
    Put(out, colour, 3);
    if (!core) out.push_back(kPaletteReserved);
  }
  out.insert(out.end(), gap, kGapByte);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

TTestBmp Picture(std::uint16_t bits, Rows rows) {
  TTestBmp bmp;
  bmp.bits = bits;
  bmp.width = static_cast<std::int32_t>(rows.at(0).size());
  bmp.height = static_cast<std::int32_t>(rows.size());
  bmp.rows = std::move(rows);
  return bmp;
}

TBmpImage Decode(const Bytes& bytes) {
  TBytesStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return DecodeBmp(stream);
}

template <typename E>
void ExpectFailure(const Bytes& bytes, const char* message) {
  try {
    Decode(bytes);
    ADD_FAILURE() << "decoded without error";
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

void ExpectInvalid(const Bytes& bytes) {
  ExpectFailure<tk::EInvalidGraphic>(bytes, tk::kInvalidBitmapMessage);
}

void ExpectShort(const Bytes& bytes) {
  ExpectFailure<tk::EReadError>(bytes, tk::kReadErrorMessage);
}

// Eight colours every depth stores exactly, and a 9 x 4 picture of them whose rows all differ
// (also for the one-bit case, which keeps only the low bit), so a flipped, shifted or
// mis-padded decode shows. Nine columns cross a byte boundary at every packed depth.
constexpr std::array<std::uint32_t, 8> kColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                                   0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
constexpr std::uint32_t kFiller = 0x808080;
constexpr int kPatternWidth = 9;
constexpr int kPatternHeight = 4;
constexpr std::array<std::array<int, kPatternWidth>, kPatternHeight> kPattern = {{
    {0, 1, 2, 3, 4, 5, 6, 7, 1},
    {7, 6, 5, 4, 3, 2, 1, 0, 0},
    {1, 1, 0, 3, 3, 6, 6, 5, 2},
    {2, 4, 6, 0, 7, 1, 3, 5, 3},
}};

struct TDepth {
  std::uint16_t bits;
  tk::TPixelFormat format;
  int colours;                            // colours of kColours the depth can show
  std::function<std::uint32_t(int)> raw;  // stored value of colour number id
};

const std::array<TDepth, 6>& Depths() {
  static const std::array<TDepth, 6> depths = {{
      {1, tk::pf1bit, 2, [](int id) { return static_cast<std::uint32_t>(id); }},
      {4, tk::pf4bit, 8, [](int id) { return static_cast<std::uint32_t>(15 - id); }},
      {8, tk::pf8bit, 8, [](int id) { return static_cast<std::uint32_t>(100 + id); }},
      {16, tk::pf15bit, 8,
       [](int id) {
         const std::uint32_t c = kColours[id];
         return (c >> 19 & 0x1F) << 10 | (c >> 11 & 0x1F) << 5 | (c >> 3 & 0x1F);
       }},
      {24, tk::pf24bit, 8, [](int id) { return kColours[id]; }},
      // The top byte of an uncompressed 32-bit pixel is not alpha and must not show.
      {32, tk::pf32bit, 8, [](int id) { return 0x7F000000 | kColours[id]; }},
  }};
  return depths;
}

using TLayoutCase = std::tuple<int, std::uint32_t, bool>;  // depth index, header size, top-down

class BmpLayoutTest : public testing::TestWithParam<TLayoutCase> {};

TEST_P(BmpLayoutTest, DecodesEveryPixel) {
  const auto [depthIndex, headerSize, topDown] = GetParam();
  const TDepth& depth = Depths()[depthIndex];
  TTestBmp bmp;
  bmp.headerSize = headerSize;
  bmp.bits = depth.bits;
  bmp.width = kPatternWidth;
  bmp.height = topDown ? -kPatternHeight : kPatternHeight;
  // Uncompressed pixels ignore the masks of the larger headers; these would swap red and blue.
  bmp.masks = {0x0000FF, 0x00FF00, 0xFF0000, 0xFF000000};
  if (depth.bits <= 8) {
    bmp.palette.assign(std::size_t{1} << depth.bits, kFiller);
    for (int id = 0; id < depth.colours; ++id) bmp.palette[depth.raw(id)] = kColours[id];
  }
  for (const auto& patternRow : kPattern) {
    auto& row = bmp.rows.emplace_back();
    for (int id : patternRow) row.push_back(depth.raw(id % depth.colours));
  }

  const TBmpImage image = Decode(bmp.Build());
  ASSERT_EQ(image.Width, kPatternWidth);
  ASSERT_EQ(image.Height, kPatternHeight);
  EXPECT_EQ(image.Format, depth.format);
  for (int y = 0; y < kPatternHeight; ++y)
    for (int x = 0; x < kPatternWidth; ++x)
      EXPECT_EQ(image.Pixels[y * kPatternWidth + x], kColours[kPattern[y][x] % depth.colours])
          << "x=" << x << " y=" << y;
}

std::vector<TLayoutCase> LayoutCases() {
  std::vector<TLayoutCase> cases;
  for (int d = 0; d < static_cast<int>(Depths().size()); ++d) {
    for (std::uint32_t header : {kInfo, kV4, kV5})
      for (bool topDown : {false, true}) cases.emplace_back(d, header, topDown);
    // The 12-byte header has unsigned sizes (always bottom-up) and no 16- or 32-bit pixels.
    if (Depths()[d].bits != 16 && Depths()[d].bits != 32) cases.emplace_back(d, kCore, false);
  }
  return cases;
}

std::string LayoutName(const testing::TestParamInfo<TLayoutCase>& info) {
  const auto [d, header, topDown] = info.param;
  return std::to_string(Depths()[d].bits) + "bit_header" + std::to_string(header) +
         (topDown ? "_topdown" : "_bottomup");
}

INSTANTIATE_TEST_SUITE_P(DepthsHeadersOrientations, BmpLayoutTest, testing::ValuesIn(LayoutCases()),
                         LayoutName);

// One-pixel pictures whose channels are not 8 bits wide: each is scaled to 0..255 rounding to
// nearest, (v * 255 + max / 2) / max.
TEST(BmpCodecTest, ScalesMaskedChannels) {
  struct Case {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 4> masks;
    std::uint32_t raw;
    std::uint32_t expected;
    tk::TPixelFormat format;
  };
  const Case cases[] = {
      // 5-bit 1, 15, 16 become 8, 123, 132; 3, 30, 31 become 25, 247, 255.
      {"555 uncompressed", kInfo, 16, kRgb, {}, 1 << 10 | 15 << 5 | 16, 0x087B84, tk::pf15bit},
      {"555 ends", kInfo, 16, kRgb, {}, 3 << 10 | 30 << 5 | 31, 0x19F7FF, tk::pf15bit},
      {"555 masks",
       kInfo,
       16,
       kBitfields,
       {0x7C00, 0x03E0, 0x001F, 0},
       31 << 10,
       0xFF0000,
       tk::pf15bit},
      // 6-bit green 1, 32, 62 become 4, 130, 251.
      {"565 low",
       kInfo,
       16,
       kBitfields,
       {0xF800, 0x07E0, 0x001F, 0},
       31 << 11 | 1 << 5,
       0xFF0400,
       tk::pf16bit},
      {"565 mid",
       kInfo,
       16,
       kBitfields,
       {0xF800, 0x07E0, 0x001F, 0},
       32 << 5,
       0x008200,
       tk::pf16bit},
      {"565 high",
       kV4,
       16,
       kBitfields,
       {0xF800, 0x07E0, 0x001F, 0},
       62 << 5 | 1,
       0x00FB08,
       tk::pf16bit},
      {"1555 alpha",
       kV5,
       16,
       kBitfields,
       {0x7C00, 0x03E0, 0x001F, 0x8000},
       0x8000 | 31,
       0xFF0000FF,
       tk::pf15bit},
      {"4444",
       kV5,
       16,
       kBitfields,
       {0x0F00, 0x00F0, 0x000F, 0xF000},
       0x8F3C,
       0x88FF33CC,
       tk::pfCustom},
      // 10-bit 1023, 512, 1 become 255, 128, 0; 2-bit alpha 1 becomes 85.
      {"10-10-10-2",
       kV5,
       32,
       kBitfields,
       {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000},
       0x7FF80001,
       0x55FF8000,
       tk::pf32bit},
      {"swapped bytes",
       kV4,
       32,
       kBitfields,
       {0x0000FF, 0x00FF00, 0xFF0000, 0xFF000000},
       0x80112233,
       0x80332211,
       tk::pf32bit},
      // Without an alpha mask the top byte stays clear.
      {"888 masks",
       kInfo,
       32,
       kBitfields,
       {0xFF0000, 0x00FF00, 0x0000FF, 0},
       0xCC123456,
       0x00123456,
       tk::pf32bit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestBmp bmp = Picture(c.bits, {{c.raw}});
    bmp.headerSize = c.headerSize;
    bmp.compression = c.compression;
    bmp.masks = c.masks;
    const TBmpImage image = Decode(bmp.Build());
    EXPECT_EQ(image.Pixels.at(0), c.expected);
    EXPECT_EQ(image.Format, c.format);
  }
}

TEST(BmpCodecTest, RefusesBadMasks) {
  struct Case {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bits;
    std::array<std::uint32_t, 4> masks;
  };
  const Case cases[] = {
      {"no red", kInfo, 16, {0, 0x03E0, 0x001F, 0}},
      {"no blue", kV5, 32, {0xFF0000, 0xFF00, 0, 0xFF000000}},
      {"red over green", kInfo, 16, {0xFC00, 0x07E0, 0x001F, 0}},
      {"alpha over blue", kV4, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF0000FF}},
      {"gap in green", kInfo, 32, {0xFF0000, 0xF00F, 0xF0, 0}},
      {"gap in alpha", kV5, 32, {0xFF0000, 0xFF00, 0xFF, 0x81000000}},
      {"beyond 16 bits", kInfo, 16, {0x1F0000, 0x03E0, 0x001F, 0}},
      {"whole word", kV5, 32, {0xFFFFFFFF, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestBmp bmp = Picture(c.bits, {{0}});
    bmp.headerSize = c.headerSize;
    bmp.compression = kBitfields;
    bmp.masks = c.masks;
    ExpectInvalid(bmp.Build());
  }
}

TEST(BmpCodecTest, PaletteSizeRules) {
  struct Case {
    const char* name;
    std::uint16_t bits;
    std::uint32_t coloursUsed;
    std::size_t entries;  // entries written before the pixels
    std::vector<std::uint32_t> indexes;
    std::vector<std::uint32_t> expected;
  };
  // Entry i of a written palette is colour 0x010203 * (i + 1), cut to 24 bits.
  const auto entry = [](std::uint32_t i) { return 0x010203 * (i + 1) & 0xFFFFFF; };
  const Case cases[] = {
      {"0 used means all 256", 8, 0, 256, {200, 255}, {entry(200), entry(255)}},
      {"0 used means all 16", 4, 0, 16, {15, 9}, {entry(15), entry(9)}},
      {"indexes past the used count are black", 8, 3, 256, {2, 3, 255}, {entry(2), 0, 0}},
      {"more used than the depth allows", 1, 1000, 2, {1, 0}, {entry(1), entry(0)}},
      {"huge used count", 8, 0xFFFFFFFF, 256, {255}, {entry(255)}},
      {"palette cut short by the pixel offset", 4, 0, 2, {1, 5}, {entry(1), 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestBmp bmp = Picture(c.bits, {c.indexes});
    bmp.coloursUsed = c.coloursUsed;
    for (std::uint32_t i = 0; i < c.entries; ++i) bmp.palette.push_back(entry(i));
    const TBmpImage image = Decode(bmp.Build());
    EXPECT_EQ(image.Pixels, c.expected);
  }
}

TEST(BmpCodecTest, RefusesWhatItCannotRead) {
  struct Case {
    const char* name;
    std::function<void(TTestBmp&)> change;
  };
  const Case cases[] = {
      {"signature", [](TTestBmp& b) { b.signature2 = 'A'; }},
      {"header size 64", [](TTestBmp& b) { b.headerSize = 64; }},
      {"header size 56", [](TTestBmp& b) { b.headerSize = 56; }},
      {"header size 0", [](TTestBmp& b) { b.headerSize = 0; }},
      {"0 bits", [](TTestBmp& b) { b.bits = 0, b.rows.clear(); }},
      {"2 bits", [](TTestBmp& b) { b.bits = 2; }},
      {"48 bits", [](TTestBmp& b) { b.bits = 48; }},
      {"RLE8", [](TTestBmp& b) { b.compression = kRle8; }},
      {"RLE4", [](TTestBmp& b) { b.bits = 4, b.compression = kRle4; }},
      {"JPEG", [](TTestBmp& b) { b.bits = 0, b.compression = kJpeg, b.rows.clear(); }},
      {"PNG", [](TTestBmp& b) { b.bits = 0, b.compression = kPng, b.rows.clear(); }},
      {"masks on 8 bits", [](TTestBmp& b) { b.compression = kBitfields; }},
      {"unknown compression", [](TTestBmp& b) { b.compression = 99; }},
      {"width 0", [](TTestBmp& b) { b.width = 0; }},
      {"negative width", [](TTestBmp& b) { b.width = -2; }},
      {"width 16385", [](TTestBmp& b) { b.width = 16385; }},
      {"height 0", [](TTestBmp& b) { b.height = 0; }},
      {"height 16385", [](TTestBmp& b) { b.height = 16385; }},
      {"height -16385", [](TTestBmp& b) { b.height = -16385; }},
      {"height INT_MIN", [](TTestBmp& b) { b.height = INT_MIN; }},
      {"more than 64 Mi pixels", [](TTestBmp& b) { b.width = 16384, b.height = 4097; }},
      {"pixels inside the headers", [](TTestBmp& b) { b.pixelOffset = 20; }},
      {"pixels inside the masks",
       [](TTestBmp& b) {
         b.bits = 16, b.compression = kBitfields, b.masks = {0x7C00, 0x03E0, 0x001F, 0};
         b.pixelOffset = 14 + kInfo + 8;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestBmp bmp = Picture(8, {{0, 1}, {1, 0}});
    bmp.palette = {0x112233, 0x445566};
    c.change(bmp);
    ExpectInvalid(bmp.Build());
  }
}

TEST(BmpCodecTest, AcceptsTheLargestSides) {
  const std::pair<int, int> sizes[] = {{16384, 1}, {1, 16384}, {1, -16384}};
  for (const auto& [width, height] : sizes) {
    TTestBmp bmp;
    bmp.bits = 1;
    bmp.width = width;
    bmp.height = height;
    bmp.palette = {0x000000, 0xFFFFFF};
    bmp.rows.assign(static_cast<std::size_t>(std::abs(height)),
                    std::vector<std::uint32_t>(static_cast<std::size_t>(width), 1));
    const TBmpImage image = Decode(bmp.Build());
    EXPECT_EQ(image.Width, width);
    EXPECT_EQ(image.Height, std::abs(height));
    EXPECT_EQ(image.Pixels.back(), 0xFFFFFFu);
  }
}

TEST(BmpCodecTest, ShortDataIsAReadError) {
  TTestBmp bmp = Picture(8, {{0, 1, 2}, {2, 1, 0}});
  bmp.palette = {0x112233, 0x445566, 0x778899};
  const Bytes whole = bmp.Build();
  const std::size_t paletteStart = 14 + kInfo;
  for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{13}, std::size_t{20},
                             paletteStart + 5, whole.size() - 5, whole.size() - 1}) {
    SCOPED_TRACE(length);
    ExpectShort(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
  }

  TTestBmp masked = Picture(16, {{0}});
  masked.compression = kBitfields;
  masked.masks = {0x7C00, 0x03E0, 0x001F, 0};
  const Bytes maskedBytes = masked.Build();
  ExpectShort(Bytes(maskedBytes.begin(), maskedBytes.begin() + 14 + kInfo + 6));

  // Headers of a 4096 x 4096 32-bit picture with no pixels behind them.
  TTestBmp huge = Picture(32, {{0}});
  huge.width = 4096;
  huge.height = 4096;
  ExpectShort(huge.Build());
}

// Offsets count from where the image starts, bfSize and planes are not trusted, and the stream
// is left after the pixels so that the next image can follow.
TEST(BmpCodecTest, ReadsImagesBackToBack) {
  TTestBmp first = Picture(4, {{1, 0, 1}, {0, 1, 1}});
  first.palette = {0x102030, 0x405060};
  first.coloursUsed = 2;
  first.gap = 6;
  first.fileSize = 0xFFFFFFFF;
  first.planes = 0;
  TTestBmp second = Picture(24, {{0xABCDEF}});
  second.fileSize = 0;
  const Bytes firstBytes = first.Build();
  const Bytes secondBytes = second.Build();
  const Bytes junk = {1, 2, 3, 4, 5};
  Bytes all = junk;
  all.insert(all.end(), firstBytes.begin(), firstBytes.end());
  all.insert(all.end(), secondBytes.begin(), secondBytes.end());

  TBytesStream stream(all.data(), static_cast<std::int64_t>(all.size()));
  stream.SetPosition(static_cast<std::int64_t>(junk.size()));
  const TBmpImage a = DecodeBmp(stream);
  EXPECT_EQ(a.Pixels, (std::vector<std::uint32_t>{0x405060, 0x102030, 0x405060, 0x102030, 0x405060,
                                                  0x405060}));
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(junk.size() + firstBytes.size()));
  const TBmpImage b = DecodeBmp(stream);
  EXPECT_EQ(b.Pixels, std::vector<std::uint32_t>{0xABCDEF});
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(all.size()));
}

std::uint32_t Field(const Bytes& bytes, std::size_t offset, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes.at(offset + i);
  return value;
}

TEST(BmpCodecTest, EncoderWritesCompleteHeaders) {
  struct Case {
    tk::TBmpDepth depth;
    std::uint32_t bits;
    std::uint32_t bottomLeft;  // first pixel in the file
    std::uint32_t topLeft;     // first pixel of the second file row
  };
  // 3 x 2 pixels: 9 bytes per 24-bit row padded to 12, 12 bytes per 32-bit row.
  constexpr std::uint32_t kStride = 12;
  const std::vector<std::uint32_t> pixels = {0x01020304, 0x05060708, 0x090A0B0C,
                                             0x0D0E0F10, 0x11121314, 0x15161718};
  const Case cases[] = {{tk::TBmpDepth::bd24, 24, 0x0E0F10, 0x020304},
                        {tk::TBmpDepth::bd32, 32, 0x0D0E0F10, 0x01020304}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    tk::TMemoryStream stream;
    tk::EncodeBmp(stream, 3, 2, pixels, c.depth);
    const Bytes& bytes = stream.Bytes();
    const std::uint32_t imageSize = 2 * kStride;
    ASSERT_EQ(bytes.size(), 54 + imageSize);
    EXPECT_EQ(Field(bytes, 0, 2), 0x4D42u);
    EXPECT_EQ(Field(bytes, 2, 4), 54 + imageSize);
    EXPECT_EQ(Field(bytes, 10, 4), 54u);
    EXPECT_EQ(Field(bytes, 14, 4), kInfo);
    EXPECT_EQ(Field(bytes, 18, 4), 3u);
    EXPECT_EQ(Field(bytes, 22, 4), 2u);
    EXPECT_EQ(Field(bytes, 26, 2), 1u);
    EXPECT_EQ(Field(bytes, 28, 2), c.bits);
    EXPECT_EQ(Field(bytes, 30, 4), kRgb);
    EXPECT_EQ(Field(bytes, 34, 4), imageSize);
    EXPECT_EQ(Field(bytes, 38, 4), 2835u);
    EXPECT_EQ(Field(bytes, 42, 4), 2835u);
    EXPECT_EQ(Field(bytes, 46, 4), 0u);
    const int bytesPerPixel = static_cast<int>(c.bits / 8);
    EXPECT_EQ(Field(bytes, 54, bytesPerPixel), c.bottomLeft);
    EXPECT_EQ(Field(bytes, 54 + kStride, bytesPerPixel), c.topLeft);
    if (c.bits == 24) {
      EXPECT_EQ(Field(bytes, 54 + 9, 3), 0u) << "row padding";
    }
  }
}

TEST(BmpCodecTest, EncodedImagesDecodeToTheSamePixels) {
  for (tk::TBmpDepth depth : {tk::TBmpDepth::bd24, tk::TBmpDepth::bd32}) {
    for (int width = 1; width <= 5; ++width) {
      const int height = 3;
      std::vector<std::uint32_t> pixels;
      for (int i = 0; i < width * height; ++i)
        pixels.push_back(0x9E3779B9u * static_cast<std::uint32_t>(i + 1));
      tk::TMemoryStream stream;
      tk::EncodeBmp(stream, width, height, pixels, depth);
      stream.SetPosition(0);
      const TBmpImage image = DecodeBmp(stream);
      SCOPED_TRACE(width);
      EXPECT_EQ(image.Width, width);
      EXPECT_EQ(image.Height, height);
      EXPECT_EQ(image.Format, depth == tk::TBmpDepth::bd32 ? tk::pf32bit : tk::pf24bit);
      // Neither depth carries alpha: the decoder reads an uncompressed top byte as unused.
      for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
      EXPECT_EQ(image.Pixels, pixels);
    }
  }
}

TEST(BmpCodecTest, EncoderRefusesEmptyOrMismatchedPictures) {
  const std::vector<std::uint32_t> four(4);
  const std::pair<int, int> sizes[] = {{0, 0}, {2, 0}, {0, 2}, {3, 2}, {-2, -2}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(testing::Message() << width << "x" << height);
    tk::TMemoryStream stream;
    EXPECT_THROW(tk::EncodeBmp(stream, width, height, four, tk::TBmpDepth::bd24),
                 tk::EInvalidGraphic);
    EXPECT_EQ(stream.Size(), 0);
  }
}

// ImageMagick is an independent writer (and reader) of BMPs; what it reports as the pixels of
// the files it wrote must be what we decode. Only the real program at this path is used.
constexpr const char* kConvert = "/usr/bin/convert";

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Samples of a binary PPM (P6) or PGM (P5) file without comments, as ImageMagick writes them.
Bytes ReadNetpbm(const std::filesystem::path& path, int& width, int& height) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  in.get();
  EXPECT_EQ(maxValue, 255);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool RunCommand(const std::string& command) {
  return std::system(command.c_str()) == 0;
}

class TScratchDir {
 public:
  TScratchDir()
      : path_(std::filesystem::temp_directory_path() /
              ("orv-bmp-oracle-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~TScratchDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(BmpOracleTest, MatchesImageMagick) {
  if (!std::filesystem::exists(kConvert)) GTEST_SKIP() << kConvert << " is not installed";
  struct Case {
    const char* options;
    const char* coder;
    tk::TPixelFormat format;
    int tolerance;  // ImageMagick widens 5- and 6-bit channels a little differently
    bool alpha;
  };
  const Case cases[] = {
      {"-type bilevel", "BMP3", tk::pf1bit, 0, false},
      {"-colors 16", "BMP3", tk::pf4bit, 0, false},
      {"-colors 200 -type palette -compress none", "BMP3", tk::pf8bit, 0, false},
      {"", "BMP3", tk::pf24bit, 0, false},
      {"-colors 16", "BMP2", tk::pf4bit, 0, false},
      {"", "BMP2", tk::pf24bit, 0, false},
      {"-define bmp:subtype=RGB565", "BMP", tk::pf16bit, 1, false},
      {"-define bmp:subtype=RGB555", "BMP", tk::pf15bit, 1, false},
      {"-alpha set -channel A -fx i/w +channel", "BMP", tk::pf32bit, 0, true},
  };
  const TScratchDir dir;
  const std::string convert = kConvert;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.coder << " " << c.options);
    const std::string bmp = (dir.Path() / "image.bmp").string();
    const std::string ppm = (dir.Path() / "image.ppm").string();
    const std::string pgm = (dir.Path() / "alpha.pgm").string();
    ASSERT_TRUE(RunCommand(convert + " rose: " + c.options + " " + c.coder + ":'" + bmp + "'"));
    ASSERT_TRUE(RunCommand(convert + " '" + bmp + "' -depth 8 '" + ppm + "'"));
    if (c.alpha) {
      ASSERT_TRUE(RunCommand(convert + " '" + bmp + "' -alpha extract -depth 8 '" + pgm + "'"));
    }

    const TBmpImage image = Decode(ReadFile(bmp));
    int width = 0;
    int height = 0;
    const Bytes rgb = ReadNetpbm(ppm, width, height);
    const Bytes alpha = c.alpha ? ReadNetpbm(pgm, width, height) : Bytes();
    EXPECT_EQ(image.Format, c.format);
    ASSERT_EQ(image.Width, width);
    ASSERT_EQ(image.Height, height);
    ASSERT_EQ(rgb.size(), image.Pixels.size() * 3);
    int mismatches = 0;
    for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
      const std::uint32_t p = image.Pixels[i];
      const int ours[] = {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
      for (int k = 0; k < 3; ++k)
        if (std::abs(ours[k] - rgb[i * 3 + k]) > c.tolerance) ++mismatches;
      if (c.alpha && int(p >> 24) != alpha.at(i)) ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
