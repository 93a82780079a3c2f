#include "DeflateTables.h"

namespace skin {

const std::array<std::uint16_t, kLengthSymbols> kLengthBase = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};

const std::array<std::uint8_t, kLiteralSymbols - kFirstLengthSymbol> kLengthExtraBits = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0, 0, 0};

const std::array<std::uint16_t, kDistanceCodes> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};

const std::array<std::uint8_t, kDistanceSymbols> kDistanceExtraBits = {
    0, 0, 0, 0, 1, 1, 2,  2,  3,  3,  4,  4,  5,  5,  6, 6,
    7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 0, 0};

const std::array<std::uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                       11, 4,  12, 3, 13, 2, 14, 1, 15};

namespace {

constexpr int kMaxCodeLength = 15;

// The two fixed codes, built once on first use and kept for the life of the process.
struct FixedTrees {
  THuffmanTree literal{kMaxCodeLength};
  THuffmanTree distance{kMaxCodeLength};

  FixedTrees() {
    std::array<std::uint8_t, kLiteralSymbols> literalLengths{};
    for (int symbol = 0; symbol < kLiteralSymbols; ++symbol)
      literalLengths[symbol] = symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
    literal.BuildTable(literalLengths.data(), 0, kLiteralSymbols, kFirstLengthSymbol,
                       kLengthExtraBits.data());
    std::array<std::uint8_t, kDistanceSymbols> distanceLengths;
    distanceLengths.fill(5);
    distance.BuildTable(distanceLengths.data(), 0, kDistanceSymbols, 0, kDistanceExtraBits.data());
  }
};

const FixedTrees& Fixed() {
  static const FixedTrees trees;
  return trees;
}

}  // namespace

const THuffmanTree& FixedLiteralTree() {
  return Fixed().literal;
}
const THuffmanTree& FixedDistanceTree() {
  return Fixed().distance;
}

}  // namespace skin
