#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "skin/reader/PackageReader.h"
#include "tests/support/TempDir.h"
#include "toolkit/core/FileSystem.h"

namespace {

// Packages written by Python's zipfile and Info-ZIP's zip (see make_oracle_packages.py).
std::string Oracle(const std::string& name) {
  const char* dir = std::getenv("ORV_ORACLE_DIR");
  return std::string(dir != nullptr ? dir : "oracle") + "/" + name;
}

struct Case {
  const char* package;
  const char* password;
  std::uint8_t expected;
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.package; }
};

class OraclePackages : public testing::TestWithParam<Case> {};

TEST_P(OraclePackages, ExtractLikeTheToolThatWroteThemMeant) {
  testing_support::TempDir dir;
  const std::string output = dir.File("out");
  const std::uint8_t result = skin::ExtractPackageEntry(Oracle(GetParam().package), "SKINDATA.SK2",
                                                        output, GetParam().password);
  EXPECT_EQ(result, GetParam().expected);
  if (result == skin::kExtractOk)
    EXPECT_TRUE(testing_support::ReadAll(output) ==
                testing_support::ReadAll(Oracle("payload.expected")));
  else
    EXPECT_FALSE(tk::FileExists(output));
}

INSTANTIATE_TEST_SUITE_P(
    Tools, OraclePackages,
    testing::Values(Case{"zipfile.zsk", "", 0}, Case{"zipfile_lowercase.zsk", "", 0},
                    Case{"zipfile_several.zsk", "", 0},
                    Case{"infozip_encrypted.zsk", "orvandel", 0},
                    Case{"infozip_encrypted.zsk", "", 2},
                    Case{"infozip_encrypted.zsk", "Orvandel", 2},
                    Case{"zipfile_comment.zsk", "", 1}, Case{"zipfile_standard.zip", "", 1},
                    Case{"zipfile_empty.zsk", "", 1}),
    [](const testing::TestParamInfo<Case>& info) {
      std::string name = info.param.package;
      name = name.substr(0, name.find('.'));
      return name + (info.param.password[0] ? "_password_" + std::to_string(info.index) : "");
    });

// The method field is never consulted: stored data is inflated, and then does not come out as
// the declared size.
TEST(OraclePackagesStored, StoredEntryIsNotReadable) {
  testing_support::TempDir dir;
  EXPECT_NE(
      skin::ExtractPackageEntry(Oracle("zipfile_stored.zsk"), "SKINDATA.SK2", dir.File("out"), ""),
      skin::kExtractOk);
  EXPECT_FALSE(tk::FileExists(dir.File("out")));
}

}  // namespace
