#include "HuffmanTree.h"

#include <algorithm>
#include <array>

namespace skin {

namespace {

constexpr int kMaxLengthLimit = 15;
constexpr int kMaxSymbols = 320;

constexpr std::array<std::uint8_t, 256> MakeByteReversal() {
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) {
    int reversed = 0;
    for (int bit = 0; bit < 8; ++bit)
      if (i & (1 << bit)) reversed |= 0x80 >> bit;
    table[i] = static_cast<std::uint8_t>(reversed);
  }
  return table;
}
constexpr std::array<std::uint8_t, 256> kByteReversal = MakeByteReversal();

// The low n bits of code in reverse order (n <= 16).
std::uint32_t ReverseBits(std::uint32_t code, int n) {
  const std::uint32_t reversed16 = (static_cast<std::uint32_t>(kByteReversal[code & 0xFF]) << 8) |
                                   kByteReversal[(code >> 8) & 0xFF];
  return reversed16 >> (16 - n);
}

}  // namespace

void THuffmanTree::BuildTable(const std::uint8_t* lengths, int firstIndex, int count,
                              int firstExtraSymbol, const std::uint8_t* extraBits) {
  const int limit = std::clamp(lengthLimit_, 0, kMaxLengthLimit);
  std::array<std::uint32_t, kMaxLengthLimit + 1> lengthCount{};
  longestLength_ = 0;
  for (int symbol = 0; symbol < count; ++symbol) {
    const int n = lengths[firstIndex + symbol];
    if (n == 0 || n > limit) continue;
    ++lengthCount[n];
    longestLength_ = std::max(longestLength_, n);
  }

  const std::uint32_t size = 1u << longestLength_;
  if (capacity_ < size) {
    table_ = std::make_unique<std::uint32_t[]>(size);
    capacity_ = size;
  }
  mask_ = size - 1;

  // A complete code writes every entry; any other leaves holes that must read as unfilled.
  std::uint32_t covered = 0;
  for (int n = 1; n <= longestLength_; ++n) covered += lengthCount[n] << (longestLength_ - n);
  if (covered != size) std::fill_n(table_.get(), size, kUnfilled);

  std::array<std::uint32_t, kMaxLengthLimit + 2> nextCode{};
  std::array<std::uint32_t, kMaxSymbols> codes;
  std::uint32_t code = 0;
  for (int n = 1; n <= limit; ++n) {
    code = (code + lengthCount[n - 1]) << 1;
    nextCode[n] = code;
  }

  std::array<std::uint32_t, kMaxSymbols> entries;
  for (int symbol = 0; symbol < count; ++symbol) {
    const int n = lengths[firstIndex + symbol];
    if (n == 0 || n > limit) continue;
    const std::uint32_t extra =
        symbol >= firstExtraSymbol ? extraBits[symbol - firstExtraSymbol] : 0;
    entries[symbol] =
        static_cast<std::uint32_t>(symbol) | (static_cast<std::uint32_t>(n) << 16) | (extra << 24);
    codes[symbol] = ReverseBits(nextCode[n]++, n);
    const std::uint32_t step = 1u << n;
    for (std::uint32_t index = codes[symbol]; index < size; index += step)
      table_[index] = entries[symbol];
  }
  BuildFirstLevel(lengths + firstIndex, count, codes.data(), entries.data(), covered > size);
}

void THuffmanTree::BuildFirstLevel(const std::uint8_t* lengths, int count,
                                   const std::uint32_t* codes, const std::uint32_t* entries,
                                   bool overSubscribed) {
  if (longestLength_ <= kFirstLevelBits) {
    firstLevel_ = table_.get();
    firstLevelMask_ = mask_;
    return;
  }
  constexpr std::uint32_t size = 1u << kFirstLevelBits;
  if (!firstLevelStorage_) firstLevelStorage_ = std::make_unique<std::uint32_t[]>(size);
  std::fill_n(firstLevelStorage_.get(), size, kLonger);
  // In an over-subscribed code later symbols overwrite earlier ones in the full table, which a
  // short code alone cannot tell: such tables send every lookup to the full table.
  if (!overSubscribed) {
    for (int symbol = 0; symbol < count; ++symbol) {
      const int n = lengths[symbol];
      if (n == 0 || n > kFirstLevelBits) continue;
      for (std::uint32_t index = codes[symbol]; index < size; index += 1u << n)
        firstLevelStorage_[index] = entries[symbol];
    }
  }
  firstLevel_ = firstLevelStorage_.get();
  firstLevelMask_ = size - 1;
}

}  // namespace skin
