#include "tools/zsk/Sk2Writer.h"

#include <cstdint>
#include <cstring>

#include "toolkit/core/Exception.h"
#include "tools/zsk/LittleEndian.h"

namespace zsk {

namespace {

using skin::kSk2HeaderSize;
using skin::kSk2Magic;
using skin::kSk2NameSize;
using skin::kSk2RecordSize;

constexpr std::int32_t kSk2Version = 2;
constexpr std::size_t kMagicSize = sizeof kSk2Magic - 1;
// The terminating record carries no element; its kind byte is a boolean's, as in the built-in
// skins, and everything else is zero.
constexpr std::uint8_t kTerminatorKind = skin::skBoolean;

void AppendRecord(std::vector<std::uint8_t>& out, const std::string& name, std::uint8_t kind,
                  std::uint32_t dataOffset, std::uint32_t dataSize, std::uint32_t nextOffset) {
  const std::size_t start = out.size();
  out.resize(start + kSk2NameSize, 0);
  std::memcpy(out.data() + start, name.data(), name.size());
  out.push_back(kind);
  AppendU32(out, dataOffset);
  AppendU32(out, dataSize);
  AppendU32(out, nextOffset);
}

void CheckName(const std::string& name) {
  if (name.size() > kSk2NameSize) {
    throw tk::Exception("Element name longer than " + std::to_string(kSk2NameSize) +
                        " bytes: " + name);
  }
  if (name.find('\0') != std::string::npos) {
    throw tk::Exception("Element name contains a zero byte: " + name);
  }
}

}  // namespace

SkinElement BitmapElement(const std::string& name, std::vector<std::uint8_t> bmpFileImage) {
  return SkinElement{name, skin::skBitmap, std::move(bmpFileImage)};
}

SkinElement IntegerElement(const std::string& name, std::int32_t value) {
  std::vector<std::uint8_t> data;
  AppendU32(data, static_cast<std::uint32_t>(value));
  return SkinElement{name, skin::skInteger, std::move(data)};
}

SkinElement BooleanElement(const std::string& name, bool value) {
  return SkinElement{name, skin::skBoolean, {static_cast<std::uint8_t>(value ? 1 : 0)}};
}

SkinElement StringElement(const std::string& name, const std::string& text) {
  return SkinElement{name, skin::skString, std::vector<std::uint8_t>(text.begin(), text.end())};
}

std::vector<std::uint8_t> BuildSk2(const std::vector<SkinElement>& elements) {
  std::vector<std::uint8_t> out(kSk2Magic, kSk2Magic + kMagicSize);
  AppendU32(out, static_cast<std::uint32_t>(kSk2HeaderSize));
  AppendU32(out, kSk2Version);
  AppendU32(out, static_cast<std::uint32_t>(kSk2HeaderSize));
  for (const SkinElement& element : elements) {
    CheckName(element.name);
    const std::uint64_t dataOffset = out.size() + kSk2RecordSize;
    const std::uint64_t nextOffset = dataOffset + element.data.size();
    if (nextOffset > INT32_MAX) throw tk::Exception("Skin data larger than 2 GiB");
    AppendRecord(out, element.name, element.kind, static_cast<std::uint32_t>(dataOffset),
                 static_cast<std::uint32_t>(element.data.size()),
                 static_cast<std::uint32_t>(nextOffset));
    out.insert(out.end(), element.data.begin(), element.data.end());
  }
  AppendRecord(out, std::string(), kTerminatorKind, 0, 0, 0);
  return out;
}

}  // namespace zsk
