#include "Sk2File.h"

#include <algorithm>

#include "ByteOrder.h"
#include "SkinFileReader.h"
#include "toolkit/core/Exception.h"

namespace skin {

namespace {

constexpr std::size_t kMagicAndHeaderSize = 16;
constexpr std::size_t kHeaderSizeField = 12;
constexpr std::size_t kFirstRecordField = 20;
constexpr std::size_t kKindField = 64;
constexpr std::size_t kDataOffsetField = 65;
constexpr std::size_t kDataSizeField = 69;
constexpr std::size_t kNextRecordField = 73;
// Records may share data, but all element data together may not exceed the file this many
// times over: a small file must not be able to make the reader hold gigabytes.
constexpr std::int64_t kMaxDataAmplification = 4;

[[noreturn]] void Fail() {
  throw tk::Exception(kFailedToReadSkinMessage);
}

bool Inside(std::int64_t offset, std::int64_t size, std::int64_t fileSize) {
  return offset >= 0 && size >= 0 && offset <= fileSize && size <= fileSize - offset;
}

void ReadAt(tk::TStream& file, std::int64_t offset, void* buffer, std::int64_t count) {
  file.SetPosition(offset);
  if (file.Read(buffer, count) != count) Fail();
}

}  // namespace

std::vector<Sk2Element> ReadSk2Elements(tk::TStream& file) {
  const std::int64_t fileSize = file.Size();
  std::uint8_t header[kSk2HeaderSize] = {};
  if (!Inside(0, kMagicAndHeaderSize, fileSize)) Fail();
  ReadAt(file, 0, header, kMagicAndHeaderSize);
  // Header sizes other than 24 are read as far as they go; missing fields read as zero.
  const std::int32_t headerSize = LoadLE32Signed(header + kHeaderSizeField);
  if (!Inside(0, headerSize, fileSize)) Fail();
  ReadAt(file, 0, header, std::min<std::int64_t>(headerSize, kSk2HeaderSize));
  if (headerSize < static_cast<std::int32_t>(kSk2HeaderSize))
    std::fill_n(header + headerSize, kSk2HeaderSize - headerSize, 0);

  std::vector<Sk2Element> elements;
  std::vector<bool> visited(static_cast<std::size_t>(fileSize), false);
  std::int64_t dataTotal = 0;
  std::int64_t recordOffset = LoadLE32Signed(header + kFirstRecordField);
  for (;;) {
    if (!Inside(recordOffset, kSk2RecordSize, fileSize) || visited[recordOffset]) Fail();
    visited[recordOffset] = true;
    std::uint8_t record[kSk2RecordSize];
    ReadAt(file, recordOffset, record, kSk2RecordSize);
    const std::int32_t next = LoadLE32Signed(record + kNextRecordField);
    if (next == 0) break;

    Sk2Element element;
    const auto* name = reinterpret_cast<const char*>(record);
    element.name.assign(name, std::find(name, name + kSk2NameSize, '\0'));
    element.kind = record[kKindField];
    element.dataOffset = LoadLE32Signed(record + kDataOffsetField);
    const std::int32_t dataSize = LoadLE32Signed(record + kDataSizeField);
    dataTotal += dataSize;
    if (!Inside(element.dataOffset, dataSize, fileSize) ||
        dataTotal > kMaxDataAmplification * fileSize)
      Fail();
    element.data.resize(static_cast<std::size_t>(dataSize));
    ReadAt(file, element.dataOffset, element.data.data(), dataSize);
    elements.push_back(std::move(element));
    recordOffset = next;
  }
  return elements;
}

std::int32_t Sk2IntegerValue(const std::vector<std::uint8_t>& data) {
  std::uint8_t bytes[4] = {};
  std::copy_n(data.begin(), std::min<std::size_t>(data.size(), sizeof bytes), bytes);
  return LoadLE32Signed(bytes);
}

std::uint8_t Sk2BooleanValue(const std::vector<std::uint8_t>& data) {
  return data.empty() ? 0 : data.front();
}

}  // namespace skin
