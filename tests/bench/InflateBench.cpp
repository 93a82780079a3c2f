// Inflate throughput of our inflater against zlib on the same compressed data, best of several
// runs each, printed as MB/s and as the ratio ours / zlib (above 1.0: ours is faster).
// usage: bench_inflate [--quick]
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "skin/reader/Inflater.h"
#include "tests/support/TestData.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes Deflate(const Bytes& data, int level) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&z, data.size()));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// Writes into a preallocated buffer, as zlib does into its output buffer.
class BufferSink : public skin::InflateSink {
 public:
  explicit BufferSink(Bytes& out) : out_(out) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    std::memcpy(out_.data() + used_, data, size);
    used_ += size;
  }
  std::size_t used_ = 0;

 private:
  Bytes& out_;
};

std::size_t OursOnce(const Bytes& compressed, Bytes& out) {
  tk::TBytesStream source(compressed.data(), static_cast<std::int64_t>(compressed.size()));
  BufferSink sink(out);
  skin::Inflate(source, sink, static_cast<std::int64_t>(out.size()));
  return sink.used_;
}

std::size_t ZlibOnce(const Bytes& compressed, Bytes& out) {
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = const_cast<Bytef*>(compressed.data());
  z.avail_in = static_cast<uInt>(compressed.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  inflate(&z, Z_FINISH);
  const std::size_t used = z.total_out;
  inflateEnd(&z);
  return used;
}

// Best time of each of two functions over `runs` rounds; each round times both, one after
// the other, so that load from elsewhere on the machine hits both alike.
std::pair<double, double> BestSeconds(const std::function<std::size_t()>& first,
                                      const std::function<std::size_t()>& second, int runs,
                                      int repeat, std::size_t expected) {
  const auto time = [&](const std::function<std::size_t()>& once) {
    const auto start = Clock::now();
    for (int i = 0; i < repeat; ++i)
      if (once() != expected) {
        std::fprintf(stderr, "wrong output size\n");
        std::exit(1);
      }
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  double bestFirst = 1e30, bestSecond = 1e30;
  for (int r = 0; r < runs; ++r) {
    bestFirst = std::min(bestFirst, time(first));
    bestSecond = std::min(bestSecond, time(second));
  }
  return {bestFirst, bestSecond};
}

void Compare(const char* name, const Bytes& data, int runs, int repeat) {
  const Bytes compressed = Deflate(data, 6);
  Bytes outOurs(data.size()), outZlib(data.size());
  const auto [ours, zlib] =
      BestSeconds([&] { return OursOnce(compressed, outOurs); },
                  [&] { return ZlibOnce(compressed, outZlib); }, runs, repeat, data.size());
  if (outOurs != data || outZlib != data) {
    std::fprintf(stderr, "%s: output differs\n", name);
    std::exit(1);
  }
  const double mb = static_cast<double>(data.size()) * repeat / 1e6;
  std::printf("%-22s %8.1f MB in %7zu bytes: ours %7.1f MB/s, zlib %7.1f MB/s, ratio %.2f\n", name,
              data.size() / 1e6, compressed.size(), mb / ours, mb / zlib, zlib / ours);
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
  const int runs = quick ? 3 : 7;
  std::printf("inflate throughput, best of %d runs (ratio = ours / zlib speed)\n", runs);
  Compare("large mixed data", testing_support::MixedBytes(quick ? 8 << 20 : 64 << 20, 1), runs, 1);
  Compare("skin-sized entry", testing_support::MixedBytes(115172, 2), runs, quick ? 50 : 400);
  Compare("text", testing_support::TextBytes(quick ? 4 << 20 : 32 << 20, 3), runs, 1);
  return 0;
}
