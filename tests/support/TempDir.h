#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "toolkit/core/FileSystem.h"

namespace testing_support {

// A fresh directory under the temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() : path_(std::filesystem::path(tk::TempDirectory()) / ("orv-test-" + Unique())) {
    std::filesystem::create_directories(path_);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string operator/(const std::string& name) const { return File(name); }
  const std::filesystem::path& Path() const { return path_; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  static std::string Unique() {
    std::string guid = tk::NewGuidString();
    return guid.substr(1, guid.size() - 2);
  }
  std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadAll(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
