#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

// Deterministic test payloads of the shapes compressors treat differently.
inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
  return bytes;
}

inline std::vector<std::uint8_t> TextBytes(std::size_t size, std::uint32_t seed) {
  static const char* const kWords[] = {"skin ",   "window ", "frame ",  "title ",  "button ",
                                       "border ", "menu ",   "bitmap ", "colour ", "\n"};
  std::mt19937 generator(seed);
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < size) {
    const std::string word = kWords[generator() % 10];
    bytes.insert(bytes.end(), word.begin(), word.end());
  }
  bytes.resize(size);
  return bytes;
}

// Long runs of one byte and repeats of far-back blocks: long matches and distance 1.
inline std::vector<std::uint8_t> RunBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < size) {
    if (generator() % 3 == 0 && bytes.size() > 40000) {
      const std::size_t from = bytes.size() - 32768 + generator() % 1000;
      for (std::size_t i = 0; i < 3000; ++i) bytes.push_back(bytes[from + i]);
    } else {
      bytes.insert(bytes.end(), 200 + generator() % 2000, static_cast<std::uint8_t>(generator()));
    }
  }
  bytes.resize(size);
  return bytes;
}

// A mix like a skin data file: headers, pixel rows with gradients, runs, and random noise.
inline std::vector<std::uint8_t> MixedBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < size) {
    switch (generator() % 4) {
      case 0: {
        const auto noise = RandomBytes(500 + generator() % 3000, generator());
        bytes.insert(bytes.end(), noise.begin(), noise.end());
        break;
      }
      case 1: {
        const auto text = TextBytes(1000 + generator() % 5000, generator());
        bytes.insert(bytes.end(), text.begin(), text.end());
        break;
      }
      case 2: {
        const int width = 16 + static_cast<int>(generator() % 200);
        for (int y = 0; y < 20; ++y)
          for (int x = 0; x < width; ++x) {
            bytes.push_back(static_cast<std::uint8_t>(x * 3 + y));
            bytes.push_back(static_cast<std::uint8_t>(x * 2));
            bytes.push_back(static_cast<std::uint8_t>(200 - y));
          }
        break;
      }
      default: bytes.insert(bytes.end(), 100 + generator() % 4000, 0xFF); break;
    }
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace testing_support
