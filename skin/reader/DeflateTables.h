#pragma once

#include <array>
#include <cstdint>

#include "HuffmanTree.h"

namespace skin {

inline constexpr int kLiteralSymbols = 288;
inline constexpr int kDistanceSymbols = 32;
inline constexpr int kEndOfBlock = 256;
inline constexpr int kFirstLengthSymbol = 257;
inline constexpr int kLengthSymbols = 29;  // 257..285
inline constexpr int kDistanceCodes = 30;  // 0..29
inline constexpr int kMaxLiteralLengthCodes = 286;
inline constexpr int kMaxDistanceCodesInHeader = 30;

extern const std::array<std::uint16_t, kLengthSymbols> kLengthBase;
// Extra bits per length symbol from 257; 286 and 287 (never valid) get 0.
extern const std::array<std::uint8_t, kLiteralSymbols - kFirstLengthSymbol> kLengthExtraBits;
extern const std::array<std::uint16_t, kDistanceCodes> kDistanceBase;
// Extra bits per distance symbol; 30 and 31 (never valid) get 0.
extern const std::array<std::uint8_t, kDistanceSymbols> kDistanceExtraBits;
extern const std::array<std::uint8_t, 19> kCodeLengthOrder;

// The fixed literal/length and distance codes, built once on first use.
const THuffmanTree& FixedLiteralTree();
const THuffmanTree& FixedDistanceTree();

}  // namespace skin
