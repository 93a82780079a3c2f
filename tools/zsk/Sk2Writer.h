#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/reader/Sk2File.h"

namespace zsk {

// One element to store in a skin data file.
struct ElementSpec {
  std::string name;  // at most 64 bytes
  skin::Sk2Kind kind;
  std::vector<std::uint8_t> data;
};

ElementSpec BitmapElement(const std::string& name, std::vector<std::uint8_t> bmpFileImage);
ElementSpec IntegerElement(const std::string& name, std::int32_t value);
ElementSpec BooleanElement(const std::string& name, bool value);
ElementSpec StringElement(const std::string& name, const std::string& text);

// Lays out a skin data file the way the built-in skins are laid out: the 24-byte header
// (magic, header size 24, version 2, first record at 24), then each record followed directly
// by its data, then a terminating record of 77 bytes, all zero but its kind byte (2).
// Raises tk::Exception for a name longer than 64 bytes or with a zero byte in it.
std::vector<std::uint8_t> BuildSk2(const std::vector<ElementSpec>& elements);

}  // namespace zsk
