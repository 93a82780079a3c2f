#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/core/Stream.h"

namespace skin {

// The standard CRC-32 (polynomial 0xEDB88320) over data, continuing from crc.
std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

inline constexpr std::size_t kEncryptionHeaderSize = 12;

// The traditional PKWARE stream cipher: three keys seeded from the password and updated with
// every plain byte.
class TraditionalCipher {
 public:
  explicit TraditionalCipher(const std::string& password);
  std::uint8_t Decrypt(std::uint8_t cipherByte);
  std::uint8_t Encrypt(std::uint8_t plainByte);

 private:
  void Update(std::uint8_t plainByte);
  std::uint8_t KeyStreamByte() const;
  std::uint32_t keys_[3];
};

// Reads from a source stream and decrypts as it goes, in chunks of at most 1 KiB, so the
// memory used does not grow with the package. Read-only and forward-only.
class DecryptingStream : public tk::TStream {
 public:
  DecryptingStream(tk::TStream& source, TraditionalCipher& cipher)
      : source_(source), cipher_(cipher) {}
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, tk::TSeekOrigin origin) override;

 private:
  tk::TStream& source_;
  TraditionalCipher& cipher_;
  std::int64_t consumed_ = 0;
};

}  // namespace skin
