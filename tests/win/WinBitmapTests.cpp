#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/core/Bitmap.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 9;  // crosses a byte boundary and needs row padding at every depth
constexpr int kHeight = 4;
constexpr int kBitsPerByte = 8;
constexpr WORD kBmpSignature = 0x4D42;
constexpr std::uint32_t kColourBits = 0x00FFFFFF;
constexpr std::size_t kMaskCount = 3;
constexpr std::size_t kMaxPaletteEntries = 256;

// Colours every depth holds exactly: black and white for one bit, primaries otherwise, which
// GDI's default palettes contain and 5-bit channels keep.
constexpr std::array<std::uint32_t, 8> kColours = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                                   0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};

std::uint32_t SourcePixel(int x, int y, int colours) {
  return kColours[static_cast<std::size_t>(x * 3 + y * 5 + x * y) % colours];
}

class TMemoryDc {
 public:
  TMemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~TMemoryDc() { DeleteDC(dc_); }
  TMemoryDc(const TMemoryDc&) = delete;
  TMemoryDc& operator=(const TMemoryDc&) = delete;
  HDC Handle() const { return dc_; }

 private:
  HDC dc_;
};

// A BITMAPINFO with room for the largest colour table (or the three masks).
struct TDibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[kMaxPaletteEntries];

  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// Masked formats name their layout: 5-6-5 for 16 bits, 8-8-8 for 32.
TDibInfo DibFormat(int height, WORD bits, DWORD compression) {
  TDibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = kWidth;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = bits;
  info.header.biCompression = compression;
  if (compression == BI_BITFIELDS) {
    const std::array<DWORD, kMaskCount> masks =
        bits == 16 ? std::array<DWORD, kMaskCount>{0xF800, 0x07E0, 0x001F}
                   : std::array<DWORD, kMaskCount>{0xFF0000, 0x00FF00, 0x0000FF};
    std::memcpy(info.colours, masks.data(), sizeof masks);
  }
  return info;
}

// A DIB section: a bitmap whose pixels are GDI's own memory.
class TDibSection {
 public:
  TDibSection(HDC dc, const TDibInfo& format)
      : bitmap_(CreateDIBSection(dc, format.Info(), DIB_RGB_COLORS, &bits_, nullptr, 0)) {}
  ~TDibSection() { DeleteObject(bitmap_); }
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;

  HBITMAP Handle() const { return bitmap_; }
  // Pixels of a 32-bit top-down section.
  std::uint32_t& At(int x, int y) { return static_cast<std::uint32_t*>(bits_)[y * kWidth + x]; }

 private:
  void* bits_ = nullptr;
  HBITMAP bitmap_;
};

void Append(Bytes& out, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

// Stores what GetDIBits answers for the given format (header, colour table or masks, rows) as
// a BMP file image.
Bytes GdiFileImage(HDC dc, HBITMAP bitmap, TDibInfo format) {
  const std::size_t stride = (kWidth * format.header.biBitCount + 31) / 32 * 4;
  Bytes rows(stride * kHeight);
  if (GetDIBits(dc, bitmap, 0, kHeight, rows.data(), format.Info(), DIB_RGB_COLORS) != kHeight)
    return {};
  std::size_t tableSize = 0;
  if (format.header.biBitCount <= kBitsPerByte)
    tableSize =
        (format.header.biClrUsed != 0 ? format.header.biClrUsed : 1u << format.header.biBitCount) *
        sizeof(RGBQUAD);
  else if (format.header.biCompression == BI_BITFIELDS)
    tableSize = kMaskCount * sizeof(DWORD);

  BITMAPFILEHEADER file{};
  file.bfType = kBmpSignature;
  file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof format.header + tableSize);
  file.bfSize = static_cast<DWORD>(file.bfOffBits + rows.size());
  Bytes image;
  Append(image, &file, sizeof file);
  Append(image, &format.header, sizeof format.header);
  Append(image, format.colours, tableSize);
  Append(image, rows.data(), rows.size());
  return image;
}

TEST(WinBitmapTest, LoadsWhatGdiWrites) {
  struct Case {
    WORD bits;
    DWORD compression;
    int colours;
    tk::TPixelFormat format;
  };
  const Case cases[] = {{1, BI_RGB, 2, tk::pf1bit},         {4, BI_RGB, 8, tk::pf4bit},
                        {8, BI_RGB, 8, tk::pf8bit},         {16, BI_RGB, 8, tk::pf15bit},
                        {16, BI_BITFIELDS, 8, tk::pf16bit}, {24, BI_RGB, 8, tk::pf24bit},
                        {32, BI_RGB, 8, tk::pf32bit},       {32, BI_BITFIELDS, 8, tk::pf32bit}};
  const TMemoryDc dc;
  const TDibInfo sourceFormat = DibFormat(-kHeight, 32, BI_RGB);
  for (const Case& c : cases) {
    TDibSection source(dc.Handle(), sourceFormat);
    ASSERT_NE(source.Handle(), nullptr);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) source.At(x, y) = SourcePixel(x, y, c.colours);
    // GetDIBits does not convert to masked formats reliably, so for those GDI first converts
    // the source into a section of that format, whose layout it then reports.
    std::optional<TDibSection> packed;
    HBITMAP written = source.Handle();
    if (c.compression == BI_BITFIELDS) {
      packed.emplace(dc.Handle(), DibFormat(kHeight, c.bits, c.compression));
      ASSERT_NE(packed->Handle(), nullptr);
      ASSERT_EQ(SetDIBits(dc.Handle(), packed->Handle(), 0, kHeight, &source.At(0, 0),
                          sourceFormat.Info(), DIB_RGB_COLORS),
                kHeight);
      written = packed->Handle();
    }
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.bits << " bits, compression " << c.compression
                                      << (topDown ? ", top-down" : ", bottom-up"));
      const Bytes image = GdiFileImage(
          dc.Handle(), written, DibFormat(topDown ? -kHeight : kHeight, c.bits, c.compression));
      ASSERT_FALSE(image.empty()) << "GetDIBits failed";
      tk::TBytesStream stream(image.data(), static_cast<std::int64_t>(image.size()));
      tk::TBitmap bitmap;
      ASSERT_NO_THROW(bitmap.LoadFromStream(stream));
      ASSERT_EQ(bitmap.Width(), kWidth);
      ASSERT_EQ(bitmap.Height(), kHeight);
      EXPECT_EQ(bitmap.PixelFormat(), c.format);
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
          EXPECT_EQ(bitmap.ScanLine(y)[x] & kColourBits, SourcePixel(x, y, c.colours))
              << "x=" << x << " y=" << y;
    }
  }
}

TEST(WinBitmapTest, GdiReadsWhatWeWrite) {
  const TMemoryDc dc;
  for (tk::TPixelFormat format : {tk::pf24bit, tk::pf32bit}) {
    SCOPED_TRACE(format);
    tk::TBitmap bitmap(kWidth, kHeight);
    bitmap.SetPixelFormat(format);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        bitmap.ScanLine(y)[x] = static_cast<std::uint32_t>(0x123456 * (x + 1) + 0x0A0B0C * y);
    tk::TMemoryStream stream;
    bitmap.SaveToStream(stream);
    const Bytes& image = stream.Bytes();
    BITMAPFILEHEADER file;
    std::memcpy(&file, image.data(), sizeof file);
    ASSERT_EQ(file.bfType, kBmpSignature);
    ASSERT_EQ(file.bfSize, image.size());

    TDibSection target(dc.Handle(), DibFormat(-kHeight, 32, BI_RGB));
    ASSERT_NE(target.Handle(), nullptr);
    TDibInfo info{};  // copied out of the file image for alignment
    std::memcpy(&info, image.data() + sizeof file, file.bfOffBits - sizeof file);
    ASSERT_EQ(SetDIBits(dc.Handle(), target.Handle(), 0, kHeight, image.data() + file.bfOffBits,
                        reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS),
              kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        EXPECT_EQ(target.At(x, y) & kColourBits, bitmap.ScanLine(y)[x] & kColourBits)
            << "x=" << x << " y=" << y;
  }
}

}  // namespace
