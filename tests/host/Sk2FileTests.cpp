#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/Sk2File.h"
#include "skin/reader/SkinFileReader.h"
#include "toolkit/core/Exception.h"
#include "tools/zsk/Sk2Writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Offsets inside a record.
constexpr std::size_t kKind = 64, kDataOffset = 65, kDataSize = 69, kNext = 73;

struct Sk2Bytes {
  Bytes bytes;
  void Set32(std::size_t at, std::int64_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  std::int32_t Get32(std::size_t at) const {
    return static_cast<std::int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[at + 3]) << 24));
  }
  std::size_t Record(int index) const {
    std::size_t at = static_cast<std::size_t>(Get32(20));
    for (int i = 0; i < index; ++i) at = static_cast<std::size_t>(Get32(at + kNext));
    return at;
  }
};

Sk2Bytes Sample() {
  return Sk2Bytes{zsk::BuildSk2({zsk::IntegerElement("SKIN2_TRANSCOLOR", 0xFF00FF),
                                 zsk::BooleanElement("SKIN2_FLAG", true),
                                 zsk::StringElement("SKIN2_NOTE", "blue"),
                                 zsk::IntegerElement("SKIN2_BOTTOMREGIONMINY", -1)})};
}

std::vector<skin::Sk2Element> Read(const Bytes& bytes) {
  tk::TBytesStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return skin::ReadSk2Elements(stream);
}

TEST(Sk2File, ReadsEveryElementInChainOrder) {
  const auto elements = Read(Sample().bytes);
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[0].name, "SKIN2_TRANSCOLOR");
  EXPECT_EQ(elements[0].kind, skin::skInteger);
  EXPECT_EQ(skin::Sk2IntegerValue(elements[0].data), 0xFF00FF);
  EXPECT_EQ(elements[1].kind, skin::skBoolean);
  EXPECT_EQ(skin::Sk2BooleanValue(elements[1].data), 1);
  EXPECT_EQ(std::string(elements[2].data.begin(), elements[2].data.end()), "blue");
  EXPECT_EQ(skin::Sk2IntegerValue(elements[3].data), -1);
}

TEST(Sk2File, FollowsOffsetsRatherThanContiguity) {
  // Move the second record's data to the end of the file and chain the records backwards.
  Sk2Bytes sk2 = Sample();
  const std::size_t second = sk2.Record(1);
  sk2.Set32(second + kDataOffset, static_cast<std::int64_t>(sk2.bytes.size()));
  sk2.bytes.push_back(0);  // the boolean is now False
  const auto elements = Read(sk2.bytes);
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(skin::Sk2BooleanValue(elements[1].data), 0);
}

TEST(Sk2File, FirstRecordTerminatingGivesNoElements) {
  Sk2Bytes sk2{zsk::BuildSk2({})};
  EXPECT_EQ(sk2.bytes.size(), skin::kSk2HeaderSize + skin::kSk2RecordSize);
  EXPECT_TRUE(Read(sk2.bytes).empty());
}

TEST(Sk2File, OddDataSizesAreReadWithoutOverrunningTheField) {
  EXPECT_EQ(skin::Sk2IntegerValue({0x34, 0x12}), 0x1234);
  EXPECT_EQ(skin::Sk2IntegerValue({1, 0, 0, 0, 9, 9, 9, 9}), 1);
  EXPECT_EQ(skin::Sk2IntegerValue({}), 0);
  EXPECT_EQ(skin::Sk2BooleanValue({}), 0);
  EXPECT_EQ(skin::Sk2BooleanValue({2, 1}), 2);
}

TEST(Sk2File, NameOfSixtyFourBytesHasNoTerminator) {
  const std::string name(64, 'N');
  const auto elements = Read(zsk::BuildSk2({zsk::IntegerElement(name, 5)}));
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_EQ(elements[0].name, name);
}

TEST(Sk2File, ShortHeaderSizeReadsMissingFieldsAsZero) {
  // Header size 16: the first-record field is not part of the header, so the chain starts at
  // offset 0, whose "record" is the header itself: its next offset (bytes 73..76) is 0 here.
  Sk2Bytes sk2{zsk::BuildSk2({})};
  sk2.Set32(12, 16);
  sk2.bytes.resize(200, 0);
  EXPECT_TRUE(Read(sk2.bytes).empty());
}

struct BadCase {
  const char* name;
  std::function<void(Sk2Bytes&)> damage;
  friend void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }
};

class Sk2FileRejects : public testing::TestWithParam<BadCase> {};

TEST_P(Sk2FileRejects, DamagedChainAsFailedToRead) {
  Sk2Bytes sk2 = Sample();
  GetParam().damage(sk2);
  try {
    Read(sk2.bytes);
    FAIL() << "no exception";
  } catch (const tk::Exception& e) {
    EXPECT_EQ(e.Message(), "Failed to read skin file!");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Chains, Sk2FileRejects,
    testing::Values(
        BadCase{"shorter_than_header", [](Sk2Bytes& s) { s.bytes.resize(10); }},
        BadCase{"header_size_past_end", [](Sk2Bytes& s) { s.Set32(12, 1 << 30); }},
        BadCase{"header_size_negative", [](Sk2Bytes& s) { s.Set32(12, -4); }},
        BadCase{"first_record_past_end", [](Sk2Bytes& s) { s.Set32(20, s.bytes.size()); }},
        BadCase{"first_record_negative", [](Sk2Bytes& s) { s.Set32(20, -77); }},
        BadCase{"record_overlapping_end", [](Sk2Bytes& s) { s.Set32(20, s.bytes.size() - 76); }},
        BadCase{"next_record_past_end",
                [](Sk2Bytes& s) { s.Set32(s.Record(1) + kNext, 0x7FFFFFFF); }},
        BadCase{"cycle_back_to_first",
                [](Sk2Bytes& s) { s.Set32(s.Record(2) + kNext, s.Get32(20)); }},
        BadCase{"record_pointing_at_itself",
                [](Sk2Bytes& s) { s.Set32(s.Record(0) + kNext, s.Record(0)); }},
        BadCase{"data_past_end",
                [](Sk2Bytes& s) { s.Set32(s.Record(2) + kDataSize, s.bytes.size()); }},
        BadCase{"data_offset_negative",
                [](Sk2Bytes& s) { s.Set32(s.Record(0) + kDataOffset, -1); }},
        BadCase{"data_size_negative", [](Sk2Bytes& s) { s.Set32(s.Record(2) + kDataSize, -2); }},
        BadCase{"many_records_sharing_the_whole_file",
                [](Sk2Bytes& s) {
                  // 40 records that each claim the whole file as their data.
                  s.bytes.resize(4096, 0);
                  for (int i = 0; i < 40; ++i) {
                    const std::size_t at = 100 + static_cast<std::size_t>(i) * 77;
                    s.bytes[at + kKind] = skin::skString;
                    s.Set32(at + kDataOffset, 0);
                    s.Set32(at + kDataSize, 4096);
                    s.Set32(at + kNext, i == 39 ? 24 : at + 77);
                  }
                  s.Set32(20, 100);
                }}),
    [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

TEST(Sk2File, UnknownKindsAreAnsweredForCallersToSkip) {
  Sk2Bytes sk2 = Sample();
  sk2.bytes[sk2.Record(1) + kKind] = 7;
  const auto elements = Read(sk2.bytes);
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[1].kind, 7);
}

}  // namespace
