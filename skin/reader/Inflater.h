#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/core/Stream.h"

namespace skin {

enum class InflateStatus {
  Ok,              // the final block was decoded and all output was delivered
  Corrupt,         // the stream cannot be inflated (bad block, bad code, truncated, ...)
  OutputTooLarge,  // the output grew past the caller's limit; inflating stopped there
};

// Receives inflated bytes in order. May raise to abort inflating.
class InflateSink {
 public:
  virtual ~InflateSink() = default;
  virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
};

// Inflates a raw DEFLATE stream (no zlib or gzip wrapper) read from source's current position.
// Reading stops at the end of the final block. At most outputLimit bytes ever reach the sink:
// as soon as the output exceeds it, inflating stops with OutputTooLarge. Memory use is fixed
// (a 16 KiB input buffer, a 64 KiB window and the decoding tables) whatever the input.
InflateStatus Inflate(tk::TStream& source, InflateSink& sink, std::int64_t outputLimit);

}  // namespace skin
