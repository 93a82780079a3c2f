#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/core/Object.h"

namespace skin {

// Direct-lookup decoding table of one canonical Huffman code: 2^L entries, L being the longest
// code length present. Index the table with the next L input bits (first bit in bit 0).
// An entry packs the symbol (bits 0-15), the code length (16-23) and the number of extra bits
// that follow the code (24-31); entries no code reaches hold kUnfilled.
//
// A table of 2^15 entries does not fit the processor's first-level cache, so codes of up to
// kFirstLevelBits bits are also kept in a small first-level table; Lookup reaches the full
// table only for the rare longer codes and answers exactly what the full table holds.
class THuffmanTree : public tk::TObject {
 public:
  static constexpr std::uint32_t kUnfilled = 0xFFFFFFFF;
  static constexpr int kNoExtraSymbols = 65535;

  explicit THuffmanTree(int lengthLimit) : lengthLimit_(lengthLimit) {}

  // Builds the table from lengths[firstIndex .. firstIndex + count), count <= 320; symbols
  // number from 0, and symbols from firstExtraSymbol on get extraBits[symbol -
  // firstExtraSymbol] extra bits.
  void BuildTable(const std::uint8_t* lengths, int firstIndex, int count, int firstExtraSymbol,
                  const std::uint8_t* extraBits);

  std::uint32_t Lookup(std::uint32_t bits) const {
    const std::uint32_t entry = firstLevel_[bits & firstLevelMask_];
    return entry != kLonger ? entry : table_[bits & mask_];
  }
  int LengthLimit() const { return lengthLimit_; }
  int LongestLength() const { return longestLength_; }

  static constexpr std::uint32_t Symbol(std::uint32_t entry) { return entry & 0xFFFF; }
  static constexpr std::uint32_t CodeLength(std::uint32_t entry) { return (entry >> 16) & 0xFF; }
  static constexpr std::uint32_t ExtraBits(std::uint32_t entry) { return entry >> 24; }

 private:
  static constexpr int kFirstLevelBits = 10;
  static constexpr std::uint32_t kLonger = 0xFFFFFFFE;  // no entry has length 0xFF
  void BuildFirstLevel(const std::uint8_t* lengths, int count, const std::uint32_t* codes,
                       const std::uint32_t* entries, bool overSubscribed);

  std::unique_ptr<std::uint32_t[]> table_;
  std::unique_ptr<std::uint32_t[]> firstLevelStorage_;
  const std::uint32_t* firstLevel_ = nullptr;
  std::uint32_t capacity_ = 0;
  std::uint32_t mask_ = 0;
  std::uint32_t firstLevelMask_ = 0;
  int lengthLimit_;
  int longestLength_ = 0;
};

}  // namespace skin
