#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace skin {

// Little-endian field access on byte arrays read from packages and skin data files.
inline std::uint16_t LoadLE16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadLE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t LoadLE32Signed(const std::uint8_t* p) {
  return static_cast<std::int32_t>(LoadLE32(p));
}
inline std::uint64_t LoadLE64(const std::uint8_t* p) {
  std::uint64_t value;
  std::memcpy(&value, p, sizeof value);
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap64(value);
  return value;
}

}  // namespace skin
