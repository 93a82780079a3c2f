#include "PkCrypt.h"

#include <algorithm>
#include <array>

namespace skin {

namespace {

constexpr std::uint32_t kCrcPolynomial = 0xEDB88320;
constexpr std::uint32_t kKeyMultiplier = 134775813;
constexpr std::uint32_t kInitialKeys[3] = {0x12345678, 0x23456789, 0x34567890};
constexpr std::int64_t kChunkSize = 1024;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t CrcStep(std::uint32_t crc, std::uint8_t byte) {
  return kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

}  // namespace

std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = CrcStep(crc, data[i]);
  return ~crc;
}

TraditionalCipher::TraditionalCipher(const std::string& password)
    : keys_{kInitialKeys[0], kInitialKeys[1], kInitialKeys[2]} {
  for (const char c : password) Update(static_cast<std::uint8_t>(c));
}

void TraditionalCipher::Update(std::uint8_t plainByte) {
  keys_[0] = CrcStep(keys_[0], plainByte);
  keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * kKeyMultiplier + 1;
  keys_[2] = CrcStep(keys_[2], static_cast<std::uint8_t>(keys_[1] >> 24));
}

std::uint8_t TraditionalCipher::KeyStreamByte() const {
  const std::uint32_t temp = (keys_[2] | 2) & 0xFFFF;
  return static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
}

std::uint8_t TraditionalCipher::Decrypt(std::uint8_t cipherByte) {
  const auto plain = static_cast<std::uint8_t>(cipherByte ^ KeyStreamByte());
  Update(plain);
  return plain;
}

std::uint8_t TraditionalCipher::Encrypt(std::uint8_t plainByte) {
  const auto cipher = static_cast<std::uint8_t>(plainByte ^ KeyStreamByte());
  Update(plainByte);
  return cipher;
}

std::int64_t DecryptingStream::Read(void* buffer, std::int64_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    const std::int64_t n = source_.Read(out + done, std::min(kChunkSize, count - done));
    if (n <= 0) break;
    for (std::int64_t i = 0; i < n; ++i) out[done + i] = cipher_.Decrypt(out[done + i]);
    done += n;
  }
  consumed_ += done;
  return done;
}

std::int64_t DecryptingStream::Write(const void*, std::int64_t) {
  return 0;
}

std::int64_t DecryptingStream::Seek(std::int64_t offset, tk::TSeekOrigin origin) {
  return offset == 0 && origin == tk::TSeekOrigin::soCurrent ? consumed_ : -1;
}

}  // namespace skin
