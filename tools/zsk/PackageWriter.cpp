#include "tools/zsk/PackageWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "skin/reader/PkCrypt.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"
#include "tools/zsk/LittleEndian.h"

namespace zsk {

namespace {

constexpr std::uint32_t kFirstLocalHeaderSignature = 0x04034B53;  // "SK\3\4"
constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;       // "PK\3\4"
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr std::uint32_t kEndRecordSignature = 0x06054B50;

constexpr std::uint16_t kZipVersion = 20;  // 2.0: deflate and traditional encryption
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kMethodDeflate = 8;
// Every entry is dated 1 January 2020, 00:00:00, so packing the same input twice gives the
// same bytes.
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = ((2020 - 1980) << 9) | (1 << 5) | 1;
constexpr std::uint32_t kExternalAttributes = 0x20;  // the archive attribute

constexpr int kWindowBits = -15;  // negative: raw DEFLATE, no zlib header or trailer
constexpr int kMemLevel = 8;
constexpr std::size_t kDeflateChunk = 64 * 1024;

constexpr std::size_t kMaxZipField32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxZipField16 = std::numeric_limits<std::uint16_t>::max();

// Owns a zlib deflate stream for the lifetime of one compression.
class Deflater {
 public:
  explicit Deflater(int level) {
    if (deflateInit2(&stream_, level, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
      throw tk::Exception("zlib: cannot start compression");
    }
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  ~Deflater() { deflateEnd(&stream_); }
  z_stream& Stream() { return stream_; }

 private:
  z_stream stream_{};
};

// The 11 filler bytes of an encryption header come from a small linear congruential
// generator seeded with the entry's CRC-32: the header looks random, yet a repacked skin
// comes out byte for byte the same.
std::vector<std::uint8_t> EncryptionHeader(std::uint32_t crc) {
  constexpr std::uint32_t kMultiplier = 1664525;
  constexpr std::uint32_t kIncrement = 1013904223;
  std::vector<std::uint8_t> header;
  std::uint32_t state = crc;
  for (std::size_t i = 0; i + 1 < skin::kEncryptionHeaderSize; ++i) {
    state = state * kMultiplier + kIncrement;
    header.push_back(static_cast<std::uint8_t>(state >> 24));
  }
  header.push_back(static_cast<std::uint8_t>(crc >> 24));  // the password check byte
  return header;
}

std::vector<std::uint8_t> Encrypt(const std::string& password, std::uint32_t crc,
                                  const std::vector<std::uint8_t>& deflated) {
  skin::TraditionalCipher cipher(password);
  std::vector<std::uint8_t> out = EncryptionHeader(crc);
  out.insert(out.end(), deflated.begin(), deflated.end());
  for (std::uint8_t& byte : out) byte = cipher.Encrypt(byte);
  return out;
}

struct StoredEntry {
  const PackageEntry* entry;
  std::uint16_t flags;
  std::uint32_t crc;
  std::uint32_t compressedSize;
  std::uint32_t localHeaderOffset;
};

std::uint32_t Field32(std::size_t value, const char* what) {
  if (value > kMaxZipField32) throw tk::Exception(std::string("Package too large: ") + what);
  return static_cast<std::uint32_t>(value);
}

std::uint16_t Field16(std::size_t value, const char* what) {
  if (value > kMaxZipField16) throw tk::Exception(std::string("Package too large: ") + what);
  return static_cast<std::uint16_t>(value);
}

// The fields a local header and a central directory header share, from "version needed"
// through the extra field length.
void AppendCommonFields(std::vector<std::uint8_t>& out, const StoredEntry& stored) {
  AppendU16(out, kZipVersion);
  AppendU16(out, stored.flags);
  AppendU16(out, kMethodDeflate);
  AppendU16(out, kDosTime);
  AppendU16(out, kDosDate);
  AppendU32(out, stored.crc);
  AppendU32(out, stored.compressedSize);
  AppendU32(out, static_cast<std::uint32_t>(stored.entry->data.size()));
  AppendU16(out, Field16(stored.entry->name.size(), "entry name"));
  AppendU16(out, 0);  // extra field length
}

void AppendCentralHeader(std::vector<std::uint8_t>& out, const StoredEntry& stored) {
  AppendU32(out, kCentralHeaderSignature);
  AppendU16(out, kZipVersion);  // version made by: MS-DOS host, 2.0
  AppendCommonFields(out, stored);
  AppendU16(out, 0);  // comment length
  AppendU16(out, 0);  // disk number
  AppendU16(out, 0);  // internal attributes
  AppendU32(out, kExternalAttributes);
  AppendU32(out, stored.localHeaderOffset);
  out.insert(out.end(), stored.entry->name.begin(), stored.entry->name.end());
}

}  // namespace

std::vector<std::uint8_t> DeflateRaw(const std::vector<std::uint8_t>& data, int level) {
  Deflater deflater(level);
  z_stream& stream = deflater.Stream();
  std::vector<std::uint8_t> out;
  std::size_t consumed = 0;
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    const std::size_t inputChunk = std::min(data.size() - consumed, kDeflateChunk);
    stream.next_in = const_cast<Bytef*>(data.data() + consumed);
    stream.avail_in = static_cast<uInt>(inputChunk);
    const bool last = consumed + inputChunk == data.size();
    do {
      const std::size_t produced = out.size();
      out.resize(produced + kDeflateChunk);
      stream.next_out = out.data() + produced;
      stream.avail_out = static_cast<uInt>(kDeflateChunk);
      status = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
      if (status == Z_STREAM_ERROR) throw tk::Exception("zlib: compression failed");
      out.resize(produced + kDeflateChunk - stream.avail_out);
    } while (status != Z_STREAM_END && stream.avail_out == 0);
    consumed += inputChunk;
  }
  return out;
}

std::vector<std::uint8_t> BuildPackage(const std::vector<PackageEntry>& entries) {
  std::vector<std::uint8_t> out;
  std::vector<StoredEntry> stored;
  for (const PackageEntry& entry : entries) {
    const std::uint32_t size = Field32(entry.data.size(), "entry size");
    const std::uint32_t crc =
        static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), entry.data.data(), size));
    std::vector<std::uint8_t> payload = DeflateRaw(entry.data);
    const bool encrypted = !entry.password.empty();
    if (encrypted) payload = Encrypt(entry.password, crc, payload);
    const StoredEntry item{&entry, encrypted ? kFlagEncrypted : std::uint16_t{0}, crc,
                           Field32(payload.size(), "compressed entry"),
                           Field32(out.size(), "local header offset")};
    AppendU32(out, stored.empty() ? kFirstLocalHeaderSignature : kLocalHeaderSignature);
    AppendCommonFields(out, item);
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    out.insert(out.end(), payload.begin(), payload.end());
    stored.push_back(item);
  }
  const std::uint32_t centralOffset = Field32(out.size(), "central directory offset");
  for (const StoredEntry& item : stored) AppendCentralHeader(out, item);
  const std::uint32_t centralSize = Field32(out.size() - centralOffset, "central directory");
  const std::uint16_t count = Field16(stored.size(), "entry count");
  AppendU32(out, kEndRecordSignature);
  AppendU16(out, 0);  // this disk
  AppendU16(out, 0);  // disk of the central directory
  AppendU16(out, count);
  AppendU16(out, count);
  AppendU32(out, centralSize);
  AppendU32(out, centralOffset);
  AppendU16(out, 0);  // comment length
  return out;
}

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  tk::TFileStream file(fileName, tk::fmCreate);
  file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
  tk::TFileStream file(fileName, tk::fmOpenRead | tk::fmShareDenyWrite);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

}  // namespace zsk
