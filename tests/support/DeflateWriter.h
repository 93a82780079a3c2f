#pragma once

#include <cstdint>
#include <vector>

namespace testing_support {

// Writes DEFLATE bit streams by hand, for streams no compressor would make.
class BitWriter {
 public:
  // Appends the low count bits of value, first bit first (header fields, extra bits).
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  // Appends a Huffman code of length count, most significant bit first.
  void Code(std::uint32_t code, int count) {
    for (int i = count - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void AlignToByte() {
    while (bitCount_ != 0) Bit(0);
  }
  void Byte(std::uint8_t value) {
    AlignToByte();
    bytes_.push_back(value);
  }
  std::vector<std::uint8_t> Finish() {
    AlignToByte();
    return bytes_;
  }

  // Fixed-code symbols.
  void FixedLiteral(int symbol) {
    if (symbol < 144)
      Code(0x30 + symbol, 8);
    else if (symbol < 256)
      Code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
      Code(symbol - 256, 7);
    else
      Code(0xC0 + symbol - 280, 8);
  }
  void FixedDistance(int symbol) { Code(symbol, 5); }

 private:
  void Bit(std::uint32_t bit) {
    if (bitCount_ == 0) bytes_.push_back(0);
    bytes_.back() |= static_cast<std::uint8_t>(bit << bitCount_);
    bitCount_ = (bitCount_ + 1) & 7;
  }
  std::vector<std::uint8_t> bytes_;
  int bitCount_ = 0;
};

}  // namespace testing_support
