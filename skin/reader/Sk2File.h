#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/Stream.h"

namespace skin {

inline constexpr std::size_t kSk2HeaderSize = 24;
inline constexpr std::size_t kSk2RecordSize = 77;
inline constexpr std::size_t kSk2NameSize = 64;
inline constexpr const char kSk2Magic[] = "KELDRAVO_SK2";

enum Sk2Kind : std::uint8_t { skBitmap = 0, skInteger = 1, skBoolean = 2, skString = 3 };

// One element of a skin data file, in the order of the record chain.
struct Sk2Element {
  std::string name;  // the name field up to its first zero byte
  std::uint8_t kind;
  std::int32_t dataOffset;
  std::vector<std::uint8_t> data;
};

// Walks the record chain of a skin data file from the header's first-record offset up to the
// terminating record (next offset 0, carrying no element) and answers every element, whatever
// its kind. Raises tk::Exception("Failed to read skin file!") when the header or a record lies
// outside the file, a record's data runs past the end, or the chain comes back to a record.
std::vector<Sk2Element> ReadSk2Elements(tk::TStream& file);

// Integer data: the first four bytes, little-endian, shorter data zero-extended.
std::int32_t Sk2IntegerValue(const std::vector<std::uint8_t>& data);
// Boolean data: its first byte, 0 when there is none.
std::uint8_t Sk2BooleanValue(const std::vector<std::uint8_t>& data);

}  // namespace skin
