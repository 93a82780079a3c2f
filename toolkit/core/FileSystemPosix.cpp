#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <random>

#include "Exception.h"
#include "FileStream.h"
#include "FileSystem.h"

namespace tk {

TFileStream::TFileStream(const std::string& fileName, std::uint32_t mode) : fileName_(fileName) {
  if (mode == fmCreate) {
    handle_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (handle_ < 0) throw EFCreateError("Cannot create file \"" + fileName + "\"");
    return;
  }
  const int access = (mode & 3) == fmOpenWrite       ? O_WRONLY
                     : (mode & 3) == fmOpenReadWrite ? O_RDWR
                                                     : O_RDONLY;
  handle_ = ::open(fileName.c_str(), access | O_CLOEXEC);
  if (handle_ < 0) throw EFOpenError("Cannot open file \"" + fileName + "\"");
}

TFileStream::~TFileStream() {
  ::close(static_cast<int>(handle_));
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  auto* out = static_cast<char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(static_cast<int>(handle_), out + done, count - done);
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  const auto* in = static_cast<const char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(static_cast<int>(handle_), in + done, count - done);
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  return ::lseek(static_cast<int>(handle_), offset, whence);
}

std::int64_t TFileStream::Size() {
  struct stat st {};
  return ::fstat(static_cast<int>(handle_), &st) == 0 ? st.st_size : -1;
}

bool FileExists(const std::string& fileName) {
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool RemoveFile(const std::string& fileName) {
  return ::unlink(fileName.c_str()) == 0;
}

std::int64_t FileSize(const std::string& fileName) {
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 ? st.st_size : -1;
}

std::string TempDirectory() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = dir != nullptr && *dir != '\0' ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}

std::string NewGuidString() {
  static std::random_device device;
  static std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                                   static_cast<std::uint64_t>(::getpid()));
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::uint64_t high = generator();
  const std::uint64_t low = generator();
  std::string digits;
  for (int i = 60; i >= 0; i -= 4) digits += kHex[(high >> i) & 0xF];
  for (int i = 60; i >= 0; i -= 4) digits += kHex[(low >> i) & 0xF];
  return "{" + digits.substr(0, 8) + "-" + digits.substr(8, 4) + "-" + digits.substr(12, 4) + "-" +
         digits.substr(16, 4) + "-" + digits.substr(20, 12) + "}";
}

}  // namespace tk
