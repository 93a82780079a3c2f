#pragma once

#include <cstdint>
#include <string>

namespace tk {

bool FileExists(const std::string& fileName);
bool RemoveFile(const std::string& fileName);
// Size in bytes, or -1 when the file cannot be queried.
std::int64_t FileSize(const std::string& fileName);
// The directory for temporary files, always ending in the platform's path separator.
std::string TempDirectory();
// A fresh GUID in registry text form: "{" 8-4-4-4-12 upper-case hex digits "}".
std::string NewGuidString();

// Deletes the named file when it goes out of scope (if it exists then).
class ScopedTempFile {
 public:
  explicit ScopedTempFile(std::string fileName) : fileName_(std::move(fileName)) {}
  ScopedTempFile(const ScopedTempFile&) = delete;
  ScopedTempFile& operator=(const ScopedTempFile&) = delete;
  ~ScopedTempFile() {
    if (FileExists(fileName_)) RemoveFile(fileName_);
  }
  const std::string& Name() const { return fileName_; }

 private:
  std::string fileName_;
};

}  // namespace tk
