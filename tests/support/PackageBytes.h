#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace testing_support {

// Field surgery on a built package with one entry, to make damaged or unusual packages.
struct PackageBytes {
  std::vector<std::uint8_t> bytes;

  std::size_t EndRecord() const { return bytes.size() - 22; }
  std::size_t CentralHeader() const { return Get32(EndRecord() + 16); }

  std::uint32_t Get32(std::size_t at) const {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
  }
  void Set16(std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  void Set32(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }

  std::uint16_t CentralFlags() const {
    return static_cast<std::uint16_t>(bytes[CentralHeader() + 8] |
                                      (bytes[CentralHeader() + 9] << 8));
  }
  std::uint32_t CentralCrc() const { return Get32(CentralHeader() + 16); }
  void SetCentralFlags(std::uint16_t flags) { Set16(CentralHeader() + 8, flags); }
  void SetCentralTime(std::uint16_t time) { Set16(CentralHeader() + 12, time); }
  void SetCentralUncompressedSize(std::uint32_t size) { Set32(CentralHeader() + 24, size); }
  void SetCentralDirectoryOffset(std::uint32_t offset) { Set32(EndRecord() + 16, offset); }
};

}  // namespace testing_support
