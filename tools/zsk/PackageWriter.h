#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zsk {

// One entry of a skin package.
struct PackageEntry {
  std::string name;
  std::vector<std::uint8_t> data;  // uncompressed
  std::string password;            // empty: stored unencrypted
};

// Builds a skin package: a ZIP archive (entries deflated with zlib, method 8; traditional
// PKWARE encryption for entries with a password, check byte from the CRC-32) whose first
// signature is "SK" instead of "PK", with its central directory and a 22-byte end record
// without comment.
std::vector<std::uint8_t> BuildPackage(const std::vector<PackageEntry>& entries);

// Raw DEFLATE (no zlib header) of data at the given zlib level, through zlib.
std::vector<std::uint8_t> DeflateRaw(const std::vector<std::uint8_t>& data, int level = 9);

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);

}  // namespace zsk
