#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/host/ZskTestSupport.h"
#include "toolkit/core/Exception.h"
#include "tools/zsk/CatalogueCheck.h"
#include "tools/zsk/LittleEndian.h"
#include "tools/zsk/Manifest.h"
#include "tools/zsk/PackageWriter.h"
#include "tools/zsk/Sk2Writer.h"

namespace {

using namespace zsk_test;
namespace fs = std::filesystem;

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kTerminatorKindOffset = skin::kSk2NameSize;

TEST(BuildSk2, LaysOutHeaderThenEachRecordWithItsDataThenTheTerminator) {
  const Bytes bmp = SmallBmp(2, 1);
  const std::vector<zsk::SkinElement> elements = {
      zsk::IntegerElement("COLOR", -2), zsk::BitmapElement("PICTURE", bmp),
      zsk::StringElement("TITLE", "Hi"), zsk::BooleanElement("FLAG", true)};
  const Bytes sk2 = zsk::BuildSk2(elements);

  EXPECT_EQ(std::string(sk2.begin(), sk2.begin() + 12), "KELDRAVO_SK2");
  EXPECT_EQ(zsk::ReadU32(sk2, 12), 24u);
  EXPECT_EQ(zsk::ReadU32(sk2, 16), 2u);
  EXPECT_EQ(zsk::ReadU32(sk2, 20), 24u);

  std::size_t record = skin::kSk2HeaderSize;
  for (const zsk::SkinElement& element : elements) {
    SCOPED_TRACE(element.name);
    const std::string nameField(sk2.begin() + record, sk2.begin() + record + 64);
    EXPECT_EQ(nameField, element.name + std::string(64 - element.name.size(), '\0'));
    EXPECT_EQ(sk2[record + 64], element.kind);
    const std::size_t dataOffset = record + skin::kSk2RecordSize;
    EXPECT_EQ(zsk::ReadU32(sk2, record + 65), dataOffset);
    EXPECT_EQ(zsk::ReadU32(sk2, record + 69), element.data.size());
    EXPECT_EQ(Bytes(sk2.begin() + dataOffset, sk2.begin() + dataOffset + element.data.size()),
              element.data);
    record = dataOffset + element.data.size();
    EXPECT_EQ(zsk::ReadU32(sk2, dataOffset - 4), record);
  }
  ASSERT_EQ(sk2.size(), record + skin::kSk2RecordSize);
  for (std::size_t i = 0; i < skin::kSk2RecordSize; ++i) {
    EXPECT_EQ(sk2[record + i], i == kTerminatorKindOffset ? skin::skBoolean : 0) << i;
  }

  EXPECT_EQ(elements[0].data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  const auto read = ReadBack(sk2);
  ASSERT_EQ(read.size(), elements.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].name, elements[i].name);
    EXPECT_EQ(read[i].kind, elements[i].kind);
    EXPECT_EQ(read[i].data, elements[i].data);
  }
}

TEST(BuildSk2, WithoutElementsTheFirstRecordIsTheTerminator) {
  const Bytes sk2 = zsk::BuildSk2({});
  EXPECT_EQ(sk2.size(), skin::kSk2HeaderSize + skin::kSk2RecordSize);
  EXPECT_EQ(zsk::ReadU32(sk2, 20), skin::kSk2HeaderSize);
  EXPECT_TRUE(ReadBack(sk2).empty());
}

TEST(BuildSk2, NamesFillAllSixtyFourBytesAndNoMore) {
  const std::string longest(64, 'N');
  EXPECT_EQ(ReadBack(zsk::BuildSk2({zsk::BooleanElement(longest, false)}))[0].name, longest);
  EXPECT_THROW(zsk::BuildSk2({zsk::BooleanElement(longest + "X", false)}), tk::Exception);
  EXPECT_THROW(zsk::BuildSk2({zsk::BooleanElement(std::string("A\0B", 3), false)}), tk::Exception);
}

// ---- Packages

TEST(BuildPackage, HasTheSkSignatureFirstAndAPlainEndRecordLast) {
  const Bytes package = zsk::BuildPackage({{"A.TXT", ToBytes("a"), ""}, {"B", ToBytes("b"), ""}});
  EXPECT_EQ(zsk::ReadU32(package, 0), 0x04034B53u);
  const std::size_t end = package.size() - kEndRecordSize;
  EXPECT_EQ(zsk::ReadU32(package, end), 0x06054B50u);
  EXPECT_EQ(zsk::ReadU32(package, end + 8), 0x00020002u);  // two entries, on this disk and all
  const std::size_t central = zsk::ReadU32(package, end + 16);
  EXPECT_EQ(zsk::ReadU32(package, central), 0x02014B50u);
  EXPECT_EQ(central + zsk::ReadU32(package, end + 12), end);
  const std::size_t second = zsk::ReadU32(package, central + 46 + 5 + 42);
  EXPECT_EQ(zsk::ReadU32(package, second), 0x04034B50u);
  EXPECT_EQ(package[end + 20] | package[end + 21], 0);  // no comment
}

TEST(BuildPackage, ExtractsWithTheRightPasswordOnly) {
  struct Case {
    const char* packedWith;
    const char* extractedWith;
    std::uint8_t result;
  };
  const Bytes data = ToBytes("skin data, skin data, skin data");
  for (const Case& c : {Case{"", "", skin::kExtractOk}, Case{"", "ignored", skin::kExtractOk},
                        Case{"secret", "secret", skin::kExtractOk},
                        Case{"secret", "Secret", skin::kExtractWrongPassword},
                        Case{"secret", "", skin::kExtractWrongPassword}}) {
    SCOPED_TRACE(std::string(c.packedWith) + " / " + c.extractedWith);
    const auto got = Extract(zsk::BuildPackage({{"SKINDATA.SK2", data, c.packedWith}}),
                             "skindata.sk2", c.extractedWith);
    EXPECT_EQ(got.result, c.result);
    EXPECT_EQ(got.outputExists, c.result == skin::kExtractOk);
    if (c.result == skin::kExtractOk) {
      EXPECT_EQ(got.data, data);
    }
  }
}

TEST(BuildPackage, KeepsEveryEntryAndDataLargerThanOneDeflateChunk) {
  Bytes large(300000);
  std::uint32_t state = 1;
  for (std::uint8_t& b : large) b = static_cast<std::uint8_t>((state = state * 69069 + 1) >> 28);
  const Bytes package = zsk::BuildPackage(
      {{"A", ToBytes("a"), ""}, {"LARGE.BIN", large, "pw"}, {"SKINDATA.SK2", ToBytes("x"), ""}});
  EXPECT_EQ(Extract(package, "LARGE.BIN", "pw").data, large);
  EXPECT_EQ(Extract(package, "a", "").data, ToBytes("a"));
  EXPECT_EQ(Extract(package, "SKINDATA.SK2", "").data, ToBytes("x"));
  EXPECT_EQ(Extract(package, "MISSING", "").result, skin::kExtractUnreadable);
}

TEST(BuildPackage, IsReproducibleEvenWhenEncrypted) {
  const std::vector<zsk::PackageEntry> entries = {{"SKINDATA.SK2", ToBytes("data"), "pw"}};
  EXPECT_EQ(zsk::BuildPackage(entries), zsk::BuildPackage(entries));
}

// ---- Manifests

TEST(ParseManifest, ReadsEveryKindInLineOrder) {
  const std::string text =
      "\xEF\xBB\xBF# comment\r\n"
      "\n"
      "bitmap  BACK   pictures/back 1.bmp  \r\n"
      "  color C #FF8000\n"
      "integer H 0xFF000000\n"
      "integer N -0x10\n"
      "integer D +2147483647\n"
      "boolean T true\n"
      "boolean F 0\n"
      "boolean B 7\n"
      "string  S   Orvandel  sample  \n"
      "string  Q \"  kept  \"\n"
      "string  E";
  const auto items = zsk::ParseManifest(text, "skin.txt");
  struct Expected {
    int line;
    std::string name;
    skin::Sk2Kind kind;
    Bytes data;
  };
  const std::vector<Expected> expected = {{3, "BACK", skin::skBitmap, {}},
                                          {4, "C", skin::skInteger, {0xFF, 0x80, 0x00, 0x00}},
                                          {5, "H", skin::skInteger, {0x00, 0x00, 0x00, 0xFF}},
                                          {6, "N", skin::skInteger, {0xF0, 0xFF, 0xFF, 0xFF}},
                                          {7, "D", skin::skInteger, {0xFF, 0xFF, 0xFF, 0x7F}},
                                          {8, "T", skin::skBoolean, {1}},
                                          {9, "F", skin::skBoolean, {0}},
                                          {10, "B", skin::skBoolean, {7}},
                                          {11, "S", skin::skString, ToBytes("Orvandel  sample")},
                                          {12, "Q", skin::skString, ToBytes("  kept  ")},
                                          {13, "E", skin::skString, {}}};
  ASSERT_EQ(items.size(), expected.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(items[i].line, expected[i].line);
    EXPECT_EQ(items[i].element.name, expected[i].name);
    EXPECT_EQ(items[i].element.kind, expected[i].kind);
    EXPECT_EQ(items[i].element.data, expected[i].data);
  }
  EXPECT_EQ(items[0].bitmapFile, "pictures/back 1.bmp");
}

TEST(ParseManifest, NamesTheLineOfAMalformedElement) {
  struct Case {
    std::string line;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"picture X a.bmp", "unknown kind 'picture'"},
      {"integer", "missing element name"},
      {"integer X", "missing value for X"},
      {"integer X 12abc", "bad value for X: 12abc"},
      {"integer X 2147483648", "bad value"},
      {"integer X -2147483649", "bad value"},
      {"integer X 0x100000000", "bad value"},
      {"integer X 0x", "bad value"},
      {"integer X 1 2", "unexpected text after the value of X: 2"},
      {"color X #12345", "bad value"},
      {"color X FF00FF", "bad value for X: FF00FF (expected #RRGGBB)"},
      {"color X #GG0000", "bad value"},
      {"boolean X yes", "bad value"},
      {"boolean X 256", "bad value"},
      {"bitmap X", "missing bitmap file name for X"},
      {"string " + std::string(65, 'L') + " text", "name longer than 64 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      zsk::ParseManifest("# fine\ninteger A 1\n" + c.line + "\ninteger B 2\n", "dir/skin.txt");
      ADD_FAILURE() << "no error";
    } catch (const zsk::EManifestError& e) {
      EXPECT_EQ(e.Message().rfind("dir/skin.txt:3: ", 0), 0u) << e.Message();
      EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
      EXPECT_EQ(e.Message().find('\n'), std::string::npos);
    }
  }
}

TEST(ManifestLine, ParsesBackIntoTheSameElement) {
  const std::vector<zsk::SkinElement> elements = {
      zsk::IntegerElement("MIN", INT32_MIN),
      zsk::IntegerElement("COLOR", 0x00FF00FF),
      zsk::SkinElement{"ODD", skin::skBoolean, {200}},
      zsk::BooleanElement("OFF", false),
      zsk::StringElement("TEXT", " \"quoted\"\tand padded "),
      zsk::StringElement("QUOTE", "\""),
      zsk::StringElement("EMPTY", ""),
      zsk::StringElement("HASH", "# not a comment")};
  for (const zsk::SkinElement& element : elements) {
    SCOPED_TRACE(element.name);
    ASSERT_FALSE(zsk::ManifestProblem(element));
    const auto items = zsk::ParseManifest(zsk::ManifestLine(element, ""), "m");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].element.name, element.name);
    EXPECT_EQ(items[0].element.kind, element.kind);
    EXPECT_EQ(items[0].element.data, element.data);
  }
  const auto bitmap = zsk::ParseManifest(
      zsk::ManifestLine(zsk::BitmapElement("PIC", SmallBmp(1, 1)), "PIC.bmp"), "m");
  EXPECT_EQ(bitmap.at(0).bitmapFile, "PIC.bmp");
}

TEST(ManifestProblem, RefusesWhatALineCannotHold) {
  for (const zsk::SkinElement& element :
       {zsk::IntegerElement("TWO WORDS", 1), zsk::IntegerElement("", 1),
        zsk::IntegerElement("TAB\tNAME", 1), zsk::StringElement("S", "two\nlines"),
        zsk::StringElement("S", "carriage\rreturn"),
        zsk::SkinElement{"K", static_cast<skin::Sk2Kind>(9), {}}}) {
    EXPECT_TRUE(zsk::ManifestProblem(element)) << element.name;
  }
}

class SkinFolderTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const Bytes& bytes) {
    zsk::WriteFileBytes(dir_ / name, bytes);
  }
  void WriteManifest(const std::string& text) { Write(zsk::kManifestFileName, ToBytes(text)); }
  std::string LoadError() {
    try {
      zsk::LoadSkinFolder(dir_.Path());
    } catch (const zsk::EManifestError& e) {
      return e.Message();
    }
    return "no error";
  }
  TempDir dir_;
};

TEST_F(SkinFolderTest, LoadsBitmapsAndWarnsAboutUnlistedOnesAndRepeatedNames) {
  const Bytes bmp = SmallBmp(3, 2);
  Write("a.bmp", bmp);
  Write("unlisted.BMP", bmp);
  Write("notes.txt", ToBytes("not a picture"));
  WriteManifest("bitmap A ./a.bmp\ninteger A 1\nstring s x\nstring S y\n");
  const zsk::SkinFolder folder = zsk::LoadSkinFolder(dir_.Path());
  ASSERT_EQ(folder.elements.size(), 4u);
  EXPECT_EQ(folder.elements[0].data, bmp);
  ASSERT_EQ(folder.warnings.size(), 2u);
  const std::string warnings = folder.warnings[0] + "\n" + folder.warnings[1];
  EXPECT_NE(warnings.find("unlisted.BMP: not named in skin.txt"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("skin.txt:4: S repeats line 3"), std::string::npos) << warnings;
}

TEST_F(SkinFolderTest, RefusesMissingAndUnreadableBitmapsWithTheirLine) {
  WriteManifest("integer I 1\nbitmap A missing.bmp\n");
  EXPECT_NE(LoadError().find("skin.txt:2: bitmap file not found: missing.bmp"), std::string::npos);
  Write("fake.bmp", ToBytes("BM but nothing more"));
  WriteManifest("\nbitmap A fake.bmp\n");
  EXPECT_NE(LoadError().find("skin.txt:2: not a readable BMP file: fake.bmp"), std::string::npos);
}

TEST(CheckCatalogue, CountsNamesOfTheRightKindAndListsTheRest) {
  const Bytes sk2 = zsk::BuildSk2(
      {zsk::IntegerElement("skin2_transcolor", 0xFF00FF), zsk::IntegerElement("SKIN2_TITLEBAR1", 3),
       zsk::BooleanElement("SKIN2_TITLEFIVESECT", true), zsk::StringElement("SKIN2_AUTHOR", "us")});
  const zsk::CatalogueCoverage coverage = zsk::CheckCatalogue(ReadBack(sk2));
  ASSERT_EQ(coverage.groups.size(), 4u);
  EXPECT_EQ(coverage.groups[0].present, 1);  // colours
  EXPECT_EQ(coverage.groups[0].count, 32);
  EXPECT_EQ(coverage.groups[1].present, 0);  // a bitmap name stored as an integer
  EXPECT_EQ(coverage.groups[3].present, 1);  // booleans
  EXPECT_EQ(coverage.missing.size(), 84u - 2u);
  EXPECT_EQ(coverage.uncatalogued, (std::vector<std::string>{"SKIN2_TITLEBAR1", "SKIN2_AUTHOR"}));
  const auto lines = zsk::DescribeCoverage(coverage);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "catalogue: colours 1/32, bitmaps 0/34, integers 0/9, booleans 1/9");
  EXPECT_EQ(lines[2], "not in the catalogue: SKIN2_TITLEBAR1 SKIN2_AUTHOR");
}

}  // namespace
