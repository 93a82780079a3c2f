#pragma once

#include <cstdint>
#include <string>

#include "Stream.h"

namespace tk {

// Open modes: fmCreate creates or truncates; the others open an existing file. A sharing flag
// may be or-ed in; fmShareDenyNone lets others read and write the file meanwhile.
inline constexpr std::uint32_t fmOpenRead = 0x0000;
inline constexpr std::uint32_t fmOpenWrite = 0x0001;
inline constexpr std::uint32_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint32_t fmCreate = 0xFF00;
inline constexpr std::uint32_t fmShareExclusive = 0x0010;
inline constexpr std::uint32_t fmShareDenyWrite = 0x0020;
inline constexpr std::uint32_t fmShareDenyNone = 0x0040;

// A stream over an operating-system file handle, closed by the destructor.
class TFileStream : public TStream {
 public:
  // Raises EFCreateError or EFOpenError when the file cannot be created or opened.
  TFileStream(const std::string& fileName, std::uint32_t mode);
  ~TFileStream() override;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;

  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  std::intptr_t handle_;
};

}  // namespace tk
