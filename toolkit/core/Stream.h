#pragma once

#include <cstdint>
#include <vector>

#include "Object.h"

namespace tk {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// Byte stream with the toolkit's contract: Read and Write answer the number of bytes moved,
// ReadBuffer and WriteBuffer raise EReadError and EWriteError when fewer bytes move.
class TStream : public TObject {
 public:
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  // Copies count bytes from source's current position; count 0 copies the whole source.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

  template <typename T>
  T ReadValue() {
    T value{};
    ReadBuffer(&value, sizeof value);
    return value;
  }
};

// Growable in-memory stream; seeking past the end and writing there zero-fills the gap.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

  void Clear();
  const std::vector<std::uint8_t>& Bytes() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

// A read-only view of caller-owned bytes.
class TBytesStream : public TStream {
 public:
  TBytesStream(const void* data, std::int64_t size)
      : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return size_; }

 private:
  const std::uint8_t* data_;
  std::int64_t size_;
  std::int64_t position_ = 0;
};

}  // namespace tk
