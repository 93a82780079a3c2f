#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/PackageReader.h"
#include "tests/support/PackageBytes.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestData.h"
#include "toolkit/core/FileSystem.h"
#include "tools/zsk/PackageWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::PackageBytes;

const Bytes& Payload() {
  static const Bytes payload = testing_support::MixedBytes(150000, 21);
  return payload;
}

PackageBytes Package(const std::string& password = "", const std::string& name = "SKINDATA.SK2",
                     const Bytes& data = Payload()) {
  return PackageBytes{zsk::BuildPackage({{name, data, password}})};
}

struct Case {
  const char* name;
  std::function<PackageBytes()> package;
  const char* password;
  std::uint8_t expected;
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class ExtractPackageEntryCases : public testing::TestWithParam<Case> {};

TEST_P(ExtractPackageEntryCases, AnswersItsResultAndLeavesOutputOnlyOnSuccess) {
  testing_support::TempDir dir;
  const std::string package = dir.File("skin.zsk");
  const std::string output = dir.File("out.sk2");
  testing_support::WriteAll(package, GetParam().package().bytes);
  const std::uint8_t result =
      skin::ExtractPackageEntry(package, "SKINDATA.SK2", output, GetParam().password);
  EXPECT_EQ(result, GetParam().expected);
  if (result == skin::kExtractOk)
    EXPECT_TRUE(testing_support::ReadAll(output) == Payload());
  else
    EXPECT_FALSE(tk::FileExists(output));
}

PackageBytes With(PackageBytes p, const std::function<void(PackageBytes&)>& change) {
  change(p);
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Packages, ExtractPackageEntryCases,
    testing::Values(
        Case{"plain", [] { return Package(); }, "", 0},
        Case{"name_in_other_case", [] { return Package("", "skinData.sk2"); }, "", 0},
        Case{"encrypted_right_password", [] { return Package("s3cret"); }, "s3cret", 0},
        Case{"encrypted_empty_password", [] { return Package("s3cret"); }, "", 2},
        Case{"encrypted_wrong_password", [] { return Package("s3cret"); }, "S3cret", 2},
        Case{"check_byte_from_time",
             [] {
               return With(Package("pw"), [](PackageBytes& p) {
                 p.SetCentralFlags(p.CentralFlags() | 8);
                 p.SetCentralTime(static_cast<std::uint16_t>((p.CentralCrc() >> 24) << 8));
               });
             },
             "pw", 0},
        Case{"check_byte_from_time_mismatch",
             [] {
               return With(Package("pw"), [](PackageBytes& p) {
                 p.SetCentralFlags(p.CentralFlags() | 8);
                 p.SetCentralTime(static_cast<std::uint16_t>(((p.CentralCrc() >> 24) ^ 1) << 8));
               });
             },
             "pw", 2},
        Case{"standard_zip_signature",
             [] { return With(Package(), [](PackageBytes& p) { p.bytes[0] = 'P'; }); }, "", 1},
        Case{"shorter_than_end_record",
             [] {
               return PackageBytes{{'S', 'K', 3, 4, 0, 0, 0, 0, 0, 0}};
             },
             "", 1},
        Case{"end_record_signature_damaged",
             [] { return With(Package(), [](PackageBytes& p) { p.bytes[p.EndRecord()] = 0; }); },
             "", 1},
        Case{"archive_comment",
             [] {
               return With(Package(), [](PackageBytes& p) {
                 p.Set16(p.EndRecord() + 20, 4);
                 p.bytes.insert(p.bytes.end(), {'n', 'o', 't', 'e'});
               });
             },
             "", 1},
        Case{"entry_missing", [] { return Package("", "OTHER.BIN"); }, "", 1},
        Case{"central_directory_past_the_end",
             [] {
               return With(Package(),
                           [](PackageBytes& p) { p.SetCentralDirectoryOffset(0x7FFFFFF0); });
             },
             "", 1},
        Case{"declared_size_larger",
             [] {
               return With(Package(), [](PackageBytes& p) {
                 p.SetCentralUncompressedSize(static_cast<std::uint32_t>(Payload().size() + 1));
               });
             },
             "", 2},
        Case{"declared_size_smaller",
             [] {
               return With(Package(), [](PackageBytes& p) { p.SetCentralUncompressedSize(1000); });
             },
             "", 2},
        Case{"declared_size_negative",
             [] {
               return With(Package(),
                           [](PackageBytes& p) { p.SetCentralUncompressedSize(0xFFFFFFFF); });
             },
             "", 2},
        Case{"empty_entry", [] { return Package("", "SKINDATA.SK2", Bytes{}); }, "", 1},
        Case{"damaged_data_then_size_differs",
             [] {
               return With(Package(), [](PackageBytes& p) {
                 for (std::size_t i = 60; i < 90; ++i) p.bytes[i] = 0xFF;
               });
             },
             "", 2}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(ExtractPackageEntry, MissingPackageFileAnswersOneAndCreatesNothing) {
  testing_support::TempDir dir;
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("none.zsk"), "SKINDATA.SK2", dir.File("out"), ""),
            skin::kExtractUnreadable);
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(ExtractPackageEntry, FindsTheEntryAmongOthersAndSkipsOverlongNames) {
  testing_support::TempDir dir;
  const std::string longName(300, 'A');
  const Bytes other = testing_support::TextBytes(5000, 22);
  testing_support::WriteAll(
      dir.File("p.zsk"),
      zsk::BuildPackage(
          {{longName, other, ""}, {"README.TXT", other, ""}, {"SKINDATA.SK2", Payload(), ""}}));
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("p.zsk"), "SKINDATA.SK2", dir.File("o"), ""), 0);
  EXPECT_TRUE(testing_support::ReadAll(dir.File("o")) == Payload());
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("p.zsk"), "readme.txt", dir.File("o"), ""), 0);
  EXPECT_TRUE(testing_support::ReadAll(dir.File("o")) == other);
  // Names past 259 bytes are outside what the directory walk compares: never found.
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("p.zsk"), longName, dir.File("o"), ""), 1);
}

TEST(ExtractPackageEntry, DecompressionBombIsCutAtTheDeclaredSize) {
  testing_support::TempDir dir;
  PackageBytes p = Package("", "SKINDATA.SK2", Bytes(64 << 20, 0));
  p.SetCentralUncompressedSize(4096);
  testing_support::WriteAll(dir.File("bomb.zsk"), p.bytes);
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("bomb.zsk"), "SKINDATA.SK2", dir.File("o"), ""),
            skin::kExtractWrongPassword);
  EXPECT_FALSE(tk::FileExists(dir.File("o")));
}

TEST(ExtractPackageEntry, ReplacesAnExistingOutputFile) {
  testing_support::TempDir dir;
  testing_support::WriteAll(dir.File("p.zsk"), Package().bytes);
  testing_support::WriteAll(dir.File("o"), Bytes(500000, 7));
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("p.zsk"), "SKINDATA.SK2", dir.File("o"), ""), 0);
  EXPECT_TRUE(testing_support::ReadAll(dir.File("o")) == Payload());
}

}  // namespace
