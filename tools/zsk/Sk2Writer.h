#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/reader/Sk2File.h"

namespace zsk {

// One element to store in a skin data file.
struct SkinElement {
  std::string name;  // at most 64 bytes
  skin::Sk2Kind kind;
  std::vector<std::uint8_t> data;
};

SkinElement BitmapElement(const std::string& name, std::vector<std::uint8_t> bmpFileImage);
SkinElement IntegerElement(const std::string& name, std::int32_t value);
SkinElement BooleanElement(const std::string& name, bool value);
SkinElement StringElement(const std::string& name, const std::string& text);

// Lays out a skin data file the way the built-in skins are laid out: the 24-byte header
// (magic, header size 24, version 2, first record at 24), then each record followed directly
// by its data, then a terminating record of 77 bytes, all zero but its kind byte (2).
// Raises tk::Exception for a name longer than 64 bytes or with a zero byte in it.
std::vector<std::uint8_t> BuildSk2(const std::vector<SkinElement>& elements);

}  // namespace zsk
