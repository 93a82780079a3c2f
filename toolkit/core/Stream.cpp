#include "Stream.h"

#include <algorithm>
#include <cstring>

#include "Exception.h"

namespace tk {

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count))
    throw EReadError(kReadErrorMessage);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count))
    throw EWriteError(kWriteErrorMessage);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::int64_t>(count, 0xF000)));
  std::int64_t left = count;
  while (left > 0) {
    const std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

namespace {

// Shared seek rule of the in-memory streams: any non-negative position is allowed.
std::int64_t ResolveSeek(std::int64_t offset, TSeekOrigin origin, std::int64_t position,
                         std::int64_t size) {
  switch (origin) {
    case TSeekOrigin::soBeginning: return offset;
    case TSeekOrigin::soCurrent: return position + offset;
    case TSeekOrigin::soEnd: return size + offset;
  }
  return position;
}

std::int64_t CopyOut(const std::uint8_t* data, std::int64_t size, std::int64_t& position,
                     void* buffer, std::int64_t count) {
  if (count <= 0 || position >= size) return 0;
  const std::int64_t n = std::min(count, size - position);
  std::memcpy(buffer, data + position, static_cast<std::size_t>(n));
  position += n;
  return n;
}

}  // namespace

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  return CopyOut(data_.data(), Size(), position_, buffer, count);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const auto end = static_cast<std::size_t>(position_ + count);
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t target = ResolveSeek(offset, origin, position_, Size());
  if (target >= 0) position_ = target;
  return position_;
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

std::int64_t TBytesStream::Read(void* buffer, std::int64_t count) {
  return CopyOut(data_, size_, position_, buffer, count);
}

std::int64_t TBytesStream::Write(const void*, std::int64_t) {
  return 0;
}

std::int64_t TBytesStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t target = ResolveSeek(offset, origin, position_, size_);
  if (target >= 0) position_ = target;
  return position_;
}

}  // namespace tk
