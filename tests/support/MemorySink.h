#pragma once

#include <cstdint>
#include <vector>

#include "skin/reader/Inflater.h"

namespace testing_support {

class MemorySink : public skin::InflateSink {
 public:
  void Write(const std::uint8_t* data, std::size_t size) override {
    bytes.insert(bytes.end(), data, data + size);
  }
  std::vector<std::uint8_t> bytes;
};

inline skin::InflateStatus InflateBytes(const std::vector<std::uint8_t>& compressed,
                                        std::vector<std::uint8_t>& out,
                                        std::int64_t limit = INT64_MAX) {
  tk::TBytesStream source(compressed.data(), static_cast<std::int64_t>(compressed.size()));
  MemorySink sink;
  const skin::InflateStatus status = skin::Inflate(source, sink, limit);
  out = std::move(sink.bytes);
  return status;
}

}  // namespace testing_support
