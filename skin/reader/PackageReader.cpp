#include "PackageReader.h"

#include <memory>
#include <optional>

#include "ByteOrder.h"
#include "Inflater.h"
#include "PkCrypt.h"
#include "toolkit/core/FileStream.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/core/SysUtils.h"

namespace skin {

namespace {

constexpr std::uint16_t kPackageSignature = 0x4B53;  // "SK"
constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
constexpr std::int64_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
// Entry names are compared as at most this many bytes, up to their first zero byte.
constexpr std::size_t kMaxEntryName = 259;
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagCheckByteFromTime = 0x0008;

struct CentralEntry {
  std::uint16_t flags;
  std::uint16_t modificationTime;
  std::uint32_t crc32;
  std::int32_t uncompressedSize;
  std::uint32_t localHeaderOffset;
};

std::string EntryNameOf(const std::uint8_t* bytes, std::size_t length) {
  std::string name(reinterpret_cast<const char*>(bytes), std::min(length, kMaxEntryName));
  return name.substr(0, name.find('\0'));
}

// Walks the central directory from the end record's directory offset up to the end record.
// Answers nullopt when the package is not one or has no such entry; short reads raise.
std::optional<CentralEntry> FindEntry(tk::TStream& package, const std::string& entryName) {
  std::uint8_t signature[4];
  package.ReadBuffer(signature, sizeof signature);
  if (LoadLE16(signature) != kPackageSignature) return std::nullopt;

  const std::int64_t endRecordPos = package.Size() - kEndRecordSize;
  if (endRecordPos < 0) return std::nullopt;
  package.SetPosition(endRecordPos);
  std::uint8_t end[kEndRecordSize];
  package.ReadBuffer(end, sizeof end);
  if (LoadLE32(end) != kEndRecordSignature || LoadLE16(end + 20) != 0) return std::nullopt;

  const std::string wanted = tk::UpperCase(entryName);
  package.SetPosition(LoadLE32(end + 16));
  std::vector<std::uint8_t> name;
  while (package.Position() < endRecordPos) {
    std::uint8_t header[kCentralHeaderSize];
    package.ReadBuffer(header, sizeof header);
    name.resize(LoadLE16(header + 28));
    package.ReadBuffer(name.data(), static_cast<std::int64_t>(name.size()));
    package.Seek(LoadLE16(header + 30) + LoadLE16(header + 32), tk::TSeekOrigin::soCurrent);
    if (tk::UpperCase(EntryNameOf(name.data(), name.size())) == wanted)
      return CentralEntry{LoadLE16(header + 8), LoadLE16(header + 12), LoadLE32(header + 16),
                          LoadLE32Signed(header + 24), LoadLE32(header + 42)};
  }
  return std::nullopt;
}

class FileSink : public InflateSink {
 public:
  explicit FileSink(tk::TStream& file) : file_(file) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    file_.WriteBuffer(data, static_cast<std::int64_t>(size));
  }

 private:
  tk::TStream& file_;
};

std::uint8_t ResultOf(InflateStatus status) {
  switch (status) {
    case InflateStatus::Ok: return kExtractOk;
    case InflateStatus::OutputTooLarge: return kExtractWrongPassword;
    case InflateStatus::Corrupt: break;
  }
  return kExtractUnreadable;
}

// Positions the package after the entry's local header and inflates the entry into output.
std::uint8_t ExtractEntry(tk::TStream& package, const CentralEntry& entry,
                          const std::string& password, tk::TStream& output) {
  package.SetPosition(entry.localHeaderOffset);
  std::uint8_t local[kLocalHeaderSize];
  package.ReadBuffer(local, sizeof local);
  package.Seek(LoadLE16(local + 26) + LoadLE16(local + 28), tk::TSeekOrigin::soCurrent);

  FileSink sink(output);
  // The size check after extraction fails anyway once the output outgrows the declared size,
  // so inflating stops there instead of filling the disk.
  const std::int64_t limit = std::max<std::int32_t>(entry.uncompressedSize, 0);
  if ((entry.flags & kFlagEncrypted) == 0) return ResultOf(Inflate(package, sink, limit));

  if (password.empty()) return kExtractWrongPassword;
  TraditionalCipher cipher(password);
  std::uint8_t header[kEncryptionHeaderSize];
  package.ReadBuffer(header, sizeof header);
  std::uint8_t last = 0;
  for (const std::uint8_t byte : header) last = cipher.Decrypt(byte);
  const std::uint8_t check = (entry.flags & kFlagCheckByteFromTime) != 0
                                 ? static_cast<std::uint8_t>(entry.modificationTime >> 8)
                                 : static_cast<std::uint8_t>(entry.crc32 >> 24);
  if (last != check) return kExtractWrongPassword;
  DecryptingStream decrypted(package, cipher);
  return ResultOf(Inflate(decrypted, sink, limit));
}

}  // namespace

std::uint8_t ExtractPackageEntry(const std::string& packageFileName, const std::string& entryName,
                                 const std::string& outputFileName, const std::string& password) {
  if (!tk::FileExists(packageFileName)) return kExtractUnreadable;

  std::uint8_t result = kExtractUnreadable;
  std::unique_ptr<tk::TFileStream> output;
  std::int32_t declaredSize = 0;
  try {
    tk::TFileStream package(packageFileName, tk::fmOpenRead | tk::fmShareDenyNone);
    const std::optional<CentralEntry> entry = FindEntry(package, entryName);
    if (!entry) return kExtractUnreadable;
    declaredSize = entry->uncompressedSize;
    output = std::make_unique<tk::TFileStream>(outputFileName, tk::fmCreate);
    result = ExtractEntry(package, *entry, password, *output);
  } catch (...) {
    result = kExtractUnreadable;
  }

  if (output) {
    const std::int64_t size = output->Size();
    if (result == kExtractOk && size == 0)
      result = kExtractUnreadable;
    else if (size != declaredSize)
      result = kExtractWrongPassword;
    output.reset();
    if (result != kExtractOk) tk::RemoveFile(outputFileName);
  }
  return result;
}

}  // namespace skin
