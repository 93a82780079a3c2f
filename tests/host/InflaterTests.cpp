#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/Inflater.h"
#include "tests/support/DeflateWriter.h"
#include "tests/support/MemorySink.h"
#include "tests/support/TestData.h"

namespace {

using skin::InflateStatus;
using testing_support::BitWriter;
using testing_support::InflateBytes;
using Bytes = std::vector<std::uint8_t>;

// Raw DEFLATE through zlib with a chosen level and strategy: the independent encoder.
Bytes ZlibDeflate(const Bytes& data, int level, int strategy) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 9, strategy), Z_OK);
  Bytes out(deflateBound(&z, data.size()) + 64);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

struct DifferentialCase {
  const char* name;
  std::function<Bytes()> data;
  int level;
  int strategy;
  friend void PrintTo(const DifferentialCase& c, std::ostream* os) { *os << c.name; }
};

class InflaterAgainstZlib : public testing::TestWithParam<DifferentialCase> {};

TEST_P(InflaterAgainstZlib, ReproducesTheInputByteForByte) {
  const Bytes data = GetParam().data();
  const Bytes compressed = ZlibDeflate(data, GetParam().level, GetParam().strategy);
  Bytes out;
  ASSERT_EQ(InflateBytes(compressed, out), InflateStatus::Ok);
  ASSERT_EQ(out.size(), data.size());
  EXPECT_TRUE(out == data);
}

using namespace testing_support;
INSTANTIATE_TEST_SUITE_P(
    Streams, InflaterAgainstZlib,
    testing::Values(DifferentialCase{"random_stored", [] { return RandomBytes(200000, 1); }, 6,
                                     Z_DEFAULT_STRATEGY},
                    DifferentialCase{"level0_stored_only", [] { return TextBytes(150000, 2); }, 0,
                                     Z_DEFAULT_STRATEGY},
                    DifferentialCase{"text_dynamic", [] { return TextBytes(300000, 3); }, 9,
                                     Z_DEFAULT_STRATEGY},
                    DifferentialCase{"text_fixed", [] { return TextBytes(100000, 4); }, 6, Z_FIXED},
                    DifferentialCase{"runs_rle", [] { return RunBytes(400000, 5); }, 6, Z_RLE},
                    DifferentialCase{"runs_long_matches", [] { return RunBytes(400000, 6); }, 9,
                                     Z_DEFAULT_STRATEGY},
                    DifferentialCase{"mixed_huffman_only", [] { return MixedBytes(250000, 7); }, 6,
                                     Z_HUFFMAN_ONLY},
                    DifferentialCase{"mixed_filtered", [] { return MixedBytes(700000, 8); }, 1,
                                     Z_FILTERED},
                    DifferentialCase{"mixed_large", [] { return MixedBytes(3000000, 9); }, 9,
                                     Z_DEFAULT_STRATEGY},
                    DifferentialCase{"one_byte", [] { return Bytes{42}; }, 9, Z_DEFAULT_STRATEGY},
                    DifferentialCase{"zeros_across_flushes", [] { return Bytes(1 << 20, 0); }, 9,
                                     Z_DEFAULT_STRATEGY}),
    [](const testing::TestParamInfo<DifferentialCase>& info) { return info.param.name; });

// Hand-made streams for shapes zlib does not produce on demand.
TEST(Inflater, EmptyFinalStoredBlockIsAValidEmptyStream) {
  BitWriter w;
  w.Bits(1, 1);
  w.Bits(0, 2);
  w.AlignToByte();
  for (std::uint8_t b : {0x00, 0x00, 0xFF, 0xFF}) w.Byte(b);
  Bytes out;
  EXPECT_EQ(InflateBytes(w.Finish(), out), InflateStatus::Ok);
  EXPECT_TRUE(out.empty());
}

TEST(Inflater, OverlappingMatchRepeatsTheLastByte) {
  BitWriter w;
  w.Bits(1, 1);
  w.Bits(1, 2);
  w.FixedLiteral('x');
  w.FixedLiteral(285);  // length 258
  w.FixedDistance(0);   // distance 1
  w.FixedLiteral('a');
  w.FixedLiteral('b');
  w.FixedLiteral(257);  // length 3
  w.FixedDistance(1);   // distance 2: "aba"
  w.FixedLiteral(256);
  Bytes out;
  ASSERT_EQ(InflateBytes(w.Finish(), out), InflateStatus::Ok);
  const std::string expected = std::string(259, 'x') + "ababa";
  EXPECT_EQ(std::string(out.begin(), out.end()), expected);
}

TEST(Inflater, StoredBlockAfterCompressedBlockTakesBytesLeftInTheBitBuffer) {
  BitWriter w;
  w.Bits(0, 1);
  w.Bits(1, 2);
  w.FixedLiteral('q');
  w.FixedLiteral(256);
  w.Bits(1, 1);
  w.Bits(0, 2);
  w.AlignToByte();
  const std::string payload = "stored bytes follow";
  w.Byte(static_cast<std::uint8_t>(payload.size()));
  w.Byte(0);
  w.Byte(static_cast<std::uint8_t>(~payload.size()));
  w.Byte(0xFF);
  for (char c : payload) w.Byte(static_cast<std::uint8_t>(c));
  Bytes out;
  ASSERT_EQ(InflateBytes(w.Finish(), out), InflateStatus::Ok);
  EXPECT_EQ(std::string(out.begin(), out.end()), "q" + payload);
}

struct CorruptCase {
  const char* name;
  std::function<Bytes()> stream;
  friend void PrintTo(const CorruptCase& c, std::ostream* os) { *os << c.name; }
};

Bytes FixedBlock(const std::function<void(BitWriter&)>& body) {
  BitWriter w;
  w.Bits(1, 1);
  w.Bits(1, 2);
  body(w);
  return w.Finish();
}

// Dynamic block header with HLIT, HDIST, HCLEN as given and the code-length code lengths.
void DynamicHeader(BitWriter& w, int hlit, int hdist, const std::vector<int>& codeLengthLengths) {
  w.Bits(1, 1);
  w.Bits(2, 2);
  w.Bits(hlit - 257, 5);
  w.Bits(hdist - 1, 5);
  w.Bits(static_cast<std::uint32_t>(codeLengthLengths.size()) - 4, 4);
  for (int n : codeLengthLengths) w.Bits(n, 3);
}

class InflaterRejects : public testing::TestWithParam<CorruptCase> {};

TEST_P(InflaterRejects, CorruptStreamWithoutReadingOrWritingOutOfBounds) {
  Bytes out;
  EXPECT_EQ(InflateBytes(GetParam().stream(), out), InflateStatus::Corrupt);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, InflaterRejects,
    testing::Values(
        CorruptCase{"empty_input", [] { return Bytes{}; }},
        CorruptCase{"reserved_block_type",
                    [] {
                      BitWriter w;
                      w.Bits(1, 1);
                      w.Bits(3, 2);
                      return w.Finish();
                    }},
        CorruptCase{"hlit_above_286",
                    [] {
                      BitWriter w;
                      DynamicHeader(w, 287, 1, {0, 0, 0, 0});
                      return w.Finish();
                    }},
        CorruptCase{"hdist_above_30",
                    [] {
                      BitWriter w;
                      DynamicHeader(w, 257, 31, {0, 0, 0, 0});
                      return w.Finish();
                    }},
        CorruptCase{"distance_before_start",
                    [] {
                      return FixedBlock([](BitWriter& w) {
                        w.FixedLiteral('a');
                        w.FixedLiteral(257);
                        w.FixedDistance(1);  // distance 2, one byte written
                        w.FixedLiteral(256);
                      });
                    }},
        CorruptCase{"match_as_first_symbol",
                    [] {
                      return FixedBlock([](BitWriter& w) {
                        w.FixedLiteral(257);
                        w.FixedDistance(0);
                        w.FixedLiteral(256);
                      });
                    }},
        CorruptCase{"literal_symbol_286",
                    [] { return FixedBlock([](BitWriter& w) { w.FixedLiteral(286); }); }},
        CorruptCase{"distance_symbol_30",
                    [] {
                      return FixedBlock([](BitWriter& w) {
                        w.FixedLiteral('a');
                        w.FixedLiteral(257);
                        w.FixedDistance(30);
                      });
                    }},
        CorruptCase{"code_length_code_with_holes",
                    [] {
                      // Only symbol 16 has a code ("0"): the bit pattern "1" reaches a hole.
                      BitWriter w;
                      DynamicHeader(w, 257, 1, {1, 0, 0, 0});
                      w.Bits(0xFFFF, 16);
                      return w.Finish();
                    }},
        CorruptCase{"repeat_previous_with_no_previous",
                    [] {
                      BitWriter w;
                      DynamicHeader(w, 257, 1, {1, 0, 0, 1});  // 0 -> "0", 16 -> "1"
                      w.Code(1, 1);
                      w.Bits(0, 2);
                      return w.Finish();
                    }},
        CorruptCase{"repeat_past_the_length_count",
                    [] {
                      BitWriter w;
                      DynamicHeader(w, 257, 1, {0, 0, 1, 1});  // 0 -> "0", 18 -> "1"
                      for (int i = 0; i < 3; ++i) {
                        w.Code(1, 1);  // 138 zeros each: 414 > 258
                        w.Bits(127, 7);
                      }
                      return w.Finish();
                    }},
        CorruptCase{
            "literal_code_with_holes",
            [] {
              // Code-length code: 1 -> "0", 18 -> "1". Literal 0 alone gets a code
              // ("0"), every other length is 0, so the data bit "1" reaches a hole.
              BitWriter w;
              DynamicHeader(w, 257, 1, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
              w.Code(0, 1);
              w.Code(1, 1);
              w.Bits(138 - 11, 7);
              w.Code(1, 1);
              w.Bits(119 - 11, 7);
              w.Bits(1, 1);
              return w.Finish();
            }},
        CorruptCase{"stored_block_past_input",
                    [] {
                      BitWriter w;
                      w.Bits(1, 1);
                      w.Bits(0, 2);
                      w.AlignToByte();
                      for (std::uint8_t b : {100, 0, 155, 255, 1, 2, 3}) w.Byte(b);
                      return w.Finish();
                    }},
        CorruptCase{"non_final_empty_stored_blocks_then_nothing",
                    [] {
                      BitWriter w;
                      for (int i = 0; i < 3; ++i) {
                        w.Bits(0, 1);
                        w.Bits(0, 2);
                        w.AlignToByte();
                        for (std::uint8_t b : {0, 0, 255, 255}) w.Byte(b);
                      }
                      return w.Finish();
                    }},
        CorruptCase{"truncated_dynamic_stream",
                    [] {
                      Bytes full = ZlibDeflate(TextBytes(50000, 11), 9, Z_DEFAULT_STRATEGY);
                      full.resize(full.size() / 2);
                      return full;
                    }},
        CorruptCase{"missing_end_of_block",
                    [] { return FixedBlock([](BitWriter& w) { w.FixedLiteral('z'); }); }}),
    [](const testing::TestParamInfo<CorruptCase>& info) { return info.param.name; });

TEST(Inflater, StopsAsSoonAsTheOutputOutgrowsTheLimit) {
  const Bytes bomb = ZlibDeflate(Bytes(50 << 20, 0), 9, Z_DEFAULT_STRATEGY);
  ASSERT_LT(bomb.size(), 100000u);
  struct CountingSink : skin::InflateSink {
    std::int64_t total = 0;
    void Write(const std::uint8_t*, std::size_t size) override { total += size; }
  } sink;
  tk::TBytesStream source(bomb.data(), static_cast<std::int64_t>(bomb.size()));
  EXPECT_EQ(skin::Inflate(source, sink, 100000), InflateStatus::OutputTooLarge);
  EXPECT_LE(sink.total, 100000);
  // Reading stopped near the start of the input, not after inflating all 50 MiB.
  EXPECT_LT(source.Position(), static_cast<std::int64_t>(bomb.size()));
}

TEST(Inflater, OutputExactlyAtTheLimitIsAccepted) {
  const Bytes data = TextBytes(100000, 12);
  const Bytes compressed = ZlibDeflate(data, 9, Z_DEFAULT_STRATEGY);
  Bytes out;
  EXPECT_EQ(InflateBytes(compressed, out, 100000), InflateStatus::Ok);
  EXPECT_EQ(InflateBytes(compressed, out, 99999), InflateStatus::OutputTooLarge);
  EXPECT_EQ(InflateBytes(compressed, out, 0), InflateStatus::OutputTooLarge);
}

TEST(Inflater, ReadingEndsAtTheFinalBlock) {
  Bytes stream = ZlibDeflate(TextBytes(5000, 13), 9, Z_DEFAULT_STRATEGY);
  const std::size_t end = stream.size();
  stream.insert(stream.end(), 100000, 0xAB);  // trailing bytes are never decoded
  Bytes out;
  EXPECT_EQ(InflateBytes(stream, out), InflateStatus::Ok);
  EXPECT_EQ(out.size(), 5000u);
  EXPECT_GT(stream.size(), end);
}

}  // namespace
