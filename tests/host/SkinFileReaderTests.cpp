#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/SkinFileReader.h"
#include "tests/support/TempDir.h"
#include "toolkit/core/Exception.h"
#include "tools/zsk/PackageWriter.h"
#include "tools/zsk/Sk2Writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BmpImage(int width, int height, tk::TColor color) {
  tk::TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, color);
  bitmap.SetPixelFormat(tk::pf24bit);
  tk::TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

std::vector<zsk::SkinElement> SampleElements() {
  return {zsk::BitmapElement("SKIN2_TITLEBAR1", BmpImage(31, 31, 0x00FF00FF)),
          zsk::IntegerElement("SKIN2_TRANSCOLOR", 0xFF00FF),
          zsk::IntegerElement("SKIN2_FORMCOLOR", 0xC8D0D4),
          zsk::BooleanElement("SKIN2_MENUFLAT", true),
          zsk::BitmapElement("SKIN2_BUTTON", BmpImage(12, 8, 0x00336699)),
          zsk::IntegerElement("SKIN2_BOTTOMREGIONMINY", -1),
          zsk::BooleanElement("SKIN2_NOTFLAT", false),
          zsk::StringElement("SKIN2_AUTHOR", "Orvandel=team"),
          zsk::IntegerElement("skin2_formcolor", 7)};
}

// Each test runs with its own temporary directory, so it can tell that the extracted skin
// data file did not stay behind.
class SkinFileReaderTest : public testing::Test {
 public:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    oldTmp_ = old != nullptr ? old : "";
    temp_ = std::make_unique<testing_support::TempDir>();
    packages_ = std::make_unique<testing_support::TempDir>();
    setenv("TMPDIR", temp_->Path().c_str(), 1);
  }
  void TearDown() override {
    EXPECT_TRUE(temp_->Entries().empty()) << "temporary files left behind";
    packages_.reset();
    if (oldTmp_.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", oldTmp_.c_str(), 1);
  }

  std::string Write(const Bytes& sk2, const std::string& password = "") {
    const std::string file = packages_->File("skin" + std::to_string(count_++) + ".zsk");
    testing_support::WriteAll(file, zsk::BuildPackage({{"SKINDATA.SK2", sk2, password}}));
    return file;
  }

  std::string oldTmp_;
  std::unique_ptr<testing_support::TempDir> temp_;
  std::unique_ptr<testing_support::TempDir> packages_;
  int count_ = 0;
};

TEST_F(SkinFileReaderTest, LoadsFourListsInFileOrderAndLooksUpIgnoringCase) {
  skin::Tsk2SkinFileReader reader(Write(zsk::BuildSk2(SampleElements())), "");
  EXPECT_EQ(reader.Bitmaps().Count(), 2);
  EXPECT_EQ(reader.Integers().Count(), 4);
  EXPECT_EQ(reader.Booleans().Count(), 2);
  EXPECT_EQ(reader.Strings().Count(), 1);
  EXPECT_EQ(reader.Integers().Strings(0), "SKIN2_TRANSCOLOR=16711935");
  EXPECT_EQ(reader.Strings().Strings(0), "SKIN2_AUTHOR=Orvandel=team");

  EXPECT_EQ(reader.FindInteger("SKIN2_TRANSCOLOR"), 0xFF00FF);
  EXPECT_EQ(reader.FindInteger("skin2_formcolor"), 0xC8D0D4);   // the first of two
  EXPECT_EQ(reader.FindInteger("SKIN2_BOTTOMREGIONMINY"), -1);  // stored, not missing
  EXPECT_EQ(reader.FindInteger("SKIN2_NOSUCH"), -1);
  EXPECT_TRUE(reader.FindBoolean("skin2_menuflat"));
  EXPECT_FALSE(reader.FindBoolean("SKIN2_NOTFLAT"));
  EXPECT_FALSE(reader.FindBoolean("SKIN2_NOSUCH"));
  EXPECT_FALSE(reader.FindBoolean("SKIN2_TRANSCOLOR"));  // integers are not booleans

  const tk::TBitmap* title = reader.FindBitmap("skin2_titlebar1");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Width(), 31);
  EXPECT_EQ(title->Height(), 31);
  EXPECT_EQ(title->Pixel(0, 0), 0x00FF00FF);
  EXPECT_EQ(reader.FindBitmap("SKIN2_NOSUCH"), nullptr);
}

TEST_F(SkinFileReaderTest, BooleanIsTrueWhenTheLowByteIsNotZero) {
  zsk::SkinElement two = zsk::BooleanElement("SKIN2_TWO", true);
  two.data = {2};
  skin::Tsk2SkinFileReader reader(Write(zsk::BuildSk2({two})), "");
  EXPECT_TRUE(reader.FindBoolean("SKIN2_TWO"));
}

TEST_F(SkinFileReaderTest, EmptySkinAnswersNothingFound) {
  skin::Tsk2SkinFileReader reader(Write(zsk::BuildSk2({})), "");
  EXPECT_EQ(reader.FindBitmap("SKIN2_TITLEBAR1"), nullptr);
  EXPECT_EQ(reader.FindInteger("SKIN2_TRANSCOLOR"), -1);
  EXPECT_FALSE(reader.FindBoolean("SKIN2_MENUFLAT"));
}

TEST_F(SkinFileReaderTest, SetAllTransparentFixesTheKeyAndKeepsPixels) {
  skin::Tsk2SkinFileReader reader(Write(zsk::BuildSk2(SampleElements())), "");
  reader.SetAllTransparent(0xFF00FF);
  for (const char* name : {"SKIN2_TITLEBAR1", "SKIN2_BUTTON"}) {
    const tk::TBitmap* bitmap = reader.FindBitmap(name);
    EXPECT_EQ(bitmap->TransparentMode(), tk::tmFixed);
    EXPECT_EQ(bitmap->TransparentColor(), 0xFF00FF);
  }
  EXPECT_EQ(reader.FindBitmap("SKIN2_BUTTON")->Pixel(3, 3), 0x00336699);
}

TEST_F(SkinFileReaderTest, EncryptedSkinNeedsItsPassword) {
  const std::string file = Write(zsk::BuildSk2(SampleElements()), "pass");
  skin::Tsk2SkinFileReader reader(file, "pass");
  EXPECT_EQ(reader.FindInteger("SKIN2_TRANSCOLOR"), 0xFF00FF);
}

struct FailureCase {
  const char* name;
  std::function<std::string(SkinFileReaderTest&)> package;
  const char* password;
  const char* message;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class SkinFileReaderFailures : public SkinFileReaderTest,
                               public testing::WithParamInterface<FailureCase> {};

TEST_P(SkinFileReaderFailures, RaiseTheirMessageAndLeaveNoTemporaryFile) {
  const std::string file = GetParam().package(*this);
  try {
    skin::Tsk2SkinFileReader reader(file, GetParam().password);
    FAIL() << "no exception";
  } catch (const tk::Exception& e) {
    EXPECT_EQ(e.Message(), GetParam().message);
  }
}

Bytes CyclicSk2() {
  Bytes sk2 = zsk::BuildSk2({zsk::IntegerElement("A", 1), zsk::IntegerElement("B", 2)});
  const std::size_t second = 24 + 77 + 4;
  for (int i = 0; i < 4; ++i) sk2[second + 73 + i] = static_cast<std::uint8_t>(24 >> (8 * i));
  return sk2;
}

INSTANTIATE_TEST_SUITE_P(
    Loads, SkinFileReaderFailures,
    testing::Values(
        FailureCase{"missing_file",
                    [](SkinFileReaderTest& t) { return t.packages_->File("none.zsk"); }, "",
                    "Failed to read skin file!"},
        FailureCase{"wrong_password",
                    [](SkinFileReaderTest& t) { return t.Write(zsk::BuildSk2({}), "right"); },
                    "wrong", "Wrong password!"},
        FailureCase{"no_password",
                    [](SkinFileReaderTest& t) { return t.Write(zsk::BuildSk2({}), "right"); }, "",
                    "Wrong password!"},
        FailureCase{"not_a_package",
                    [](SkinFileReaderTest& t) {
                      const std::string file = t.packages_->File("junk.zsk");
                      testing_support::WriteAll(file, Bytes(100, 'S'));
                      return file;
                    },
                    "", "Failed to read skin file!"},
        FailureCase{"cyclic_chain", [](SkinFileReaderTest& t) { return t.Write(CyclicSk2()); }, "",
                    "Failed to read skin file!"},
        FailureCase{"invalid_bitmap",
                    [](SkinFileReaderTest& t) {
                      return t.Write(zsk::BuildSk2(
                          {zsk::IntegerElement("A", 1), zsk::BitmapElement("B", Bytes(60, 'x'))}));
                    },
                    "", "Bitmap image is not valid"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

}  // namespace
