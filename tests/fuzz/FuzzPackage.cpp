// Fuzzes the package reader: the first byte chooses between inflating the rest straight from
// memory and extracting it as a whole package file (with or without a password).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "skin/reader/Inflater.h"
#include "skin/reader/PackageReader.h"
#include "toolkit/core/FileSystem.h"

namespace {

class DiscardSink : public skin::InflateSink {
 public:
  void Write(const std::uint8_t*, std::size_t size) override { total += size; }
  std::size_t total = 0;
};

constexpr std::int64_t kOutputLimit = 8 << 20;

const std::string& WorkFile(const char* suffix) {
  static const std::string base = tk::TempDirectory() + "fuzz-package-" + std::to_string(getpid());
  static std::string names[2] = {base + ".zsk", base + ".out"};
  return names[suffix[0] == 'o'];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  ++data;
  --size;
  if ((mode & 1) == 0) {
    tk::TBytesStream source(data, static_cast<std::int64_t>(size));
    DiscardSink sink;
    skin::Inflate(source, sink, kOutputLimit);
    return 0;
  }
  const std::string& package = WorkFile("zsk");
  const std::string& output = WorkFile("out");
  if (FILE* f = std::fopen(package.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  const std::uint8_t result =
      skin::ExtractPackageEntry(package, "SKINDATA.SK2", output, (mode & 2) ? "pw" : "");
  if (result != skin::kExtractOk && tk::FileExists(output)) __builtin_trap();
  tk::RemoveFile(output);
  return 0;
}
