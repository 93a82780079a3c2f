#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/reader/BuiltInSkinTable.h"
#include "skin/reader/PackageReader.h"
#include "skin/reader/Sk2File.h"
#include "skin/reader/Skin2Define.h"
#include "skin/reader/SkinFileReader.h"
#include "tests/support/TempDir.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"

// The skin packages the build draws and packs: the built-in skin against its description, the
// extra skins against the properties they are made to have.
namespace {

namespace fs = std::filesystem;
using testing_support::ReadAll;
using testing_support::TempDir;

constexpr tk::TColor kKey = 0xFF00FF;
constexpr const char* kPasswordLabel = "Password of light-encrypted.zsk: ";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : value;
}

std::string Package(const std::string& name) {
  return Env("ORV_SKINS_DIR") + "/" + name + ".zsk";
}

std::string BitmapName(int index) {
  return std::string(skin::kSkin2Names[skin::kSkin2BitmapFirst + index]);
}

std::string IntegerName(int index) {
  return std::string(skin::kSkin2Names[skin::kSkin2IntegerFirst + index]);
}

std::string BooleanName(int index) {
  return std::string(skin::kSkin2Names[skin::kSkin2BooleanFirst + index]);
}

class SkinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest sets it; without it the tests fail rather than pass unseen.
    if (Env("ORV_SKINS_DIR").empty()) GTEST_FAIL() << "ORV_SKINS_DIR unset";
  }

  static std::unique_ptr<skin::Tsk2SkinFileReader> Load(const std::string& name,
                                                        const std::string& password = "") {
    return std::make_unique<skin::Tsk2SkinFileReader>(Package(name), password);
  }

  static std::vector<skin::Sk2Element> Records(const std::string& package,
                                               const std::string& password = "") {
    const TempDir dir;
    EXPECT_EQ(skin::ExtractPackageEntry(package, skin::kSkinDataEntryName, dir / "sk2", password),
              skin::kExtractOk);
    tk::TFileStream file(dir / "sk2", tk::fmOpenRead);
    return skin::ReadSk2Elements(file);
  }
};

// Rows of a bitmap that hold at least one pixel of colour.
std::vector<int> RowsWith(const tk::TBitmap& bitmap, tk::TColor color) {
  std::vector<int> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.Pixel(x, y) != color) continue;
      rows.push_back(y);
      break;
    }
  }
  return rows;
}

TEST_F(SkinsTest, DefaultPackageHoldsTheBuiltInSkinsElements) {
  const auto store = Load("default");
  EXPECT_EQ(store->Bitmaps().Count(), 30);
  EXPECT_EQ(store->Integers().Count(), 43);
  EXPECT_EQ(store->Booleans().Count(), 9);
  EXPECT_EQ(store->Strings().Count(), 0);
  for (int i = 0; i < skin::kSkin2BitmapCount; ++i) {
    const skin::TBuiltInBitmapSize& expected = skin::kBuiltInBitmapSizes[i];
    const tk::TBitmap* bitmap = store->FindBitmap(BitmapName(i));
    ASSERT_EQ(bitmap != nullptr, expected.Present) << BitmapName(i);
    if (bitmap == nullptr) continue;
    EXPECT_EQ(bitmap->Width(), expected.Width) << BitmapName(i);
    EXPECT_EQ(bitmap->Height(), expected.Height) << BitmapName(i);
    EXPECT_EQ(bitmap->PixelFormat(), tk::pf24bit) << BitmapName(i);
  }
  for (int i = 0; i < skin::kSkin2ColorCount; ++i) {
    const std::string name(skin::kSkin2Names[skin::kSkin2ColorFirst + i]);
    EXPECT_EQ(store->FindInteger(name), skin::kBuiltInColors[i]) << name;
  }
  for (int i = 0; i < skin::kSkin2IntegerCount; ++i)
    EXPECT_EQ(store->FindInteger(IntegerName(i)), skin::kBuiltInIntegers[i]) << IntegerName(i);
  for (int i = 0; i < skin::kSkin2BooleanCount; ++i)
    EXPECT_EQ(store->FindBoolean(BooleanName(i)), skin::kBuiltInBooleans[i]) << BooleanName(i);
  for (const skin::TBuiltInExtraInteger& extra : skin::kBuiltInExtraIntegers)
    EXPECT_EQ(store->FindInteger(std::string(extra.Name)), extra.Value) << extra.Name;
}

// Bitmaps in catalogue order, then the colours, the two uncatalogued colours, the integers and
// the booleans: SKIN2_TITLEBAR1 first, SKIN2_TABCONTROLTRANS last.
TEST_F(SkinsTest, DefaultRecordsRunInTheBuiltInSkinsOrder) {
  std::vector<std::string> expected;
  for (int i = 0; i < skin::kSkin2BitmapCount; ++i) {
    if (skin::kBuiltInBitmapSizes[i].Present) expected.push_back(BitmapName(i));
  }
  for (int i = 0; i < skin::kSkin2ColorCount; ++i)
    expected.emplace_back(skin::kSkin2Names[skin::kSkin2ColorFirst + i]);
  for (const skin::TBuiltInExtraInteger& extra : skin::kBuiltInExtraIntegers)
    expected.emplace_back(extra.Name);
  for (int i = 0; i < skin::kSkin2IntegerCount; ++i) expected.push_back(IntegerName(i));
  for (int i = 0; i < skin::kSkin2BooleanCount; ++i) expected.push_back(BooleanName(i));

  std::vector<std::string> names;
  for (const skin::Sk2Element& element : Records(Package("default"))) names.push_back(element.name);
  EXPECT_EQ(names, expected);
  ASSERT_EQ(names.size(), 82u);
  EXPECT_EQ(names.front(), "SKIN2_TITLEBAR1");
  EXPECT_EQ(names.back(), "SKIN2_TABCONTROLTRANS");
}

// The title's outer pieces are cut round with the colour key inside the title region rows and
// nowhere else; the other title pieces are whole.
TEST_F(SkinsTest, TitleCornersAreTransparentOnlyInsideTheRegionRows) {
  for (const char* name : {"default", "dark", "light"}) {
    SCOPED_TRACE(name);
    const auto store = Load(name);
    const int minY = store->FindInteger(IntegerName(skin::SKIN2_TITLEBARREGIONMINY));
    const int maxY = store->FindInteger(IntegerName(skin::SKIN2_TITLEBARREGIONMAXY));
    const bool five = store->FindBoolean(BooleanName(skin::SKIN2_TITLEFIVESECT));
    EXPECT_TRUE(store->FindBoolean(BooleanName(skin::SKIN2_TITLEBARNEEDREGION)));
    const int pieces = five ? 5 : 3;
    for (int i = 0; i < pieces; ++i) {
      const tk::TBitmap* piece = store->FindBitmap(BitmapName(skin::SKIN2_TITLEBAR1 + i));
      ASSERT_NE(piece, nullptr) << i;
      const std::vector<int> rows = RowsWith(*piece, kKey);
      const bool outer = i == 0 || i == pieces - 1;
      if (!outer) {
        EXPECT_TRUE(rows.empty()) << BitmapName(i);
        continue;
      }
      ASSERT_FALSE(rows.empty()) << BitmapName(i);
      EXPECT_GE(rows.front(), minY) << BitmapName(i);
      EXPECT_LE(rows.back(), maxY) << BitmapName(i);
      const int cornerX = i == 0 ? 0 : piece->Width() - 1;
      EXPECT_EQ(piece->Pixel(cornerX, 0), kKey) << BitmapName(i);
    }
  }
}

// Pictures the engine draws opaque must not show the colour key; pictures it draws keyed may.
TEST_F(SkinsTest, OpaquePicturesHoldNoColourKey) {
  struct Case {
    skin::TSkin2Bitmap bitmap;
    int transparency;  // the boolean that makes it keyed, or -1 for always opaque
  };
  const Case cases[] = {
      {skin::SKIN2_TITLEBUTTONS, skin::SKIN2_TITLEBTNTRANS},
      {skin::SKIN2_CHECKBOX, skin::SKIN2_CHECKBOXTRANS},
      {skin::SKIN2_TABCONTROL, skin::SKIN2_TABCONTROLTRANS},
      {skin::SKIN2_FORMLEFTBORDER, -1},
      {skin::SKIN2_FORMRIGHTBORDER, -1},
      {skin::SKIN2_PROGRESSBAR1, -1},
      {skin::SKIN2_PROGRESSBAR2, -1},
      {skin::SKIN2_PROGRESSBAR3, -1},
      {skin::SKIN2_PROGRESSBAR4, -1},
  };
  for (const char* name : {"default", "dark", "light"}) {
    const auto store = Load(name);
    for (const Case& c : cases) {
      if (c.transparency >= 0 && store->FindBoolean(BooleanName(c.transparency))) continue;
      const tk::TBitmap* bitmap = store->FindBitmap(BitmapName(c.bitmap));
      ASSERT_NE(bitmap, nullptr) << name << " " << BitmapName(c.bitmap);
      EXPECT_TRUE(RowsWith(*bitmap, kKey).empty()) << name << " " << BitmapName(c.bitmap);
    }
  }
}

// Strips cut into equal frames, with the frame counts the skinners use.
TEST_F(SkinsTest, StripsHoldWholeFrames) {
  struct Case {
    skin::TSkin2Bitmap bitmap;
    int frames;
    bool square;
  };
  const Case cases[] = {
      {skin::SKIN2_TITLEBUTTONS, 18, true},
      {skin::SKIN2_BUTTON, 3, false},
      {skin::SKIN2_CHECKBOX, 6, true},
      {skin::SKIN2_CHECKBOXLIST, 4, true},
      {skin::SKIN2_RADIOBUTTON, 4, true},
      {skin::SKIN2_SCROLLBARUPBUTTON, 3, true},
      {skin::SKIN2_SCROLLBARDOWNBUTTON, 3, true},
      {skin::SKIN2_TABCONTROL, 6, false},
      {skin::SKIN2_TRACKBAR, 3, false},
      {skin::SKIN2_SCROLLBUTTON, 4, true},
  };
  for (const char* name : {"default", "dark", "light"}) {
    const auto store = Load(name);
    for (const Case& c : cases) {
      const tk::TBitmap* bitmap = store->FindBitmap(BitmapName(c.bitmap));
      ASSERT_NE(bitmap, nullptr) << name << " " << BitmapName(c.bitmap);
      EXPECT_EQ(bitmap->Width() % c.frames, 0) << name << " " << BitmapName(c.bitmap);
      if (c.square) {
        EXPECT_EQ(bitmap->Width() / c.frames, bitmap->Height())
            << name << " " << BitmapName(c.bitmap);
      }
    }
  }
}

// The slider is drawn with its bottom-left pixel as colour key, so that pixel is background.
TEST_F(SkinsTest, SlidersHaveTheKeyInTheirBottomLeftPixel) {
  for (const char* name : {"default", "dark", "light"}) {
    const auto store = Load(name);
    for (const skin::TSkin2Bitmap index :
         {skin::SKIN2_TRACKBARSLIDER, skin::SKIN2_TRACKBARVSLIDER}) {
      const tk::TBitmap* slider = store->FindBitmap(BitmapName(index));
      ASSERT_NE(slider, nullptr) << name << " " << BitmapName(index);
      EXPECT_EQ(slider->Pixel(0, slider->Height() - 1), kKey) << name << " " << BitmapName(index);
      EXPECT_NE(slider->Pixel(slider->Width() / 2, slider->Height() / 2), kKey) << name;
    }
  }
}

TEST_F(SkinsTest, DarkSkinHasThreeSectionsARoundedBottomAndBarPictures) {
  const auto store = Load("dark");
  EXPECT_FALSE(store->FindBoolean(BooleanName(skin::SKIN2_TITLEFIVESECT)));
  EXPECT_TRUE(store->FindBoolean(BooleanName(skin::SKIN2_BOTTOMBORDERTHREESECT)));
  EXPECT_TRUE(store->FindBoolean(BooleanName(skin::SKIN2_BOTTOMBORDERNEEDREGION)));
  EXPECT_TRUE(store->FindBoolean(BooleanName(skin::SKIN2_TITLEBTNTRANS)));
  for (const skin::TSkin2Bitmap index : {skin::SKIN2_MENUBAR, skin::SKIN2_TOOLBAR})
    EXPECT_NE(store->FindBitmap(BitmapName(index)), nullptr) << BitmapName(index);

  const tk::TBitmap* buttons = store->FindBitmap(BitmapName(skin::SKIN2_TITLEBUTTONS));
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->Pixel(0, 0), kKey);

  const int minY = store->FindInteger(IntegerName(skin::SKIN2_BOTTOMREGIONMINY));
  const int maxY = store->FindInteger(IntegerName(skin::SKIN2_BOTTOMREGIONMAXY));
  const tk::TBitmap* pieces[3] = {};
  for (int i = 0; i < 3; ++i) {
    pieces[i] = store->FindBitmap(BitmapName(skin::SKIN2_FORMBOTTOMBORDER1 + i));
    ASSERT_NE(pieces[i], nullptr) << i;
    EXPECT_EQ(pieces[i]->Height(), pieces[0]->Height()) << i;
  }
  // The outer pieces carry the rounded corners, the stretched middle is whole.
  EXPECT_TRUE(RowsWith(*pieces[1], kKey).empty());
  for (const tk::TBitmap* outer : {pieces[0], pieces[2]}) {
    const std::vector<int> rows = RowsWith(*outer, kKey);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), minY);
    EXPECT_LE(rows.back(), maxY);
  }
  EXPECT_EQ(pieces[0]->Pixel(0, pieces[0]->Height() - 1), kKey);
  EXPECT_EQ(pieces[2]->Pixel(pieces[2]->Width() - 1, pieces[2]->Height() - 1), kKey);
}

TEST_F(SkinsTest, LightSkinHasNarrowBordersSmallBoxesAndItsOwnTitleHeight) {
  const auto store = Load("light");
  const auto bitmap = [&](skin::TSkin2Bitmap index) {
    const tk::TBitmap* found = store->FindBitmap(BitmapName(index));
    EXPECT_NE(found, nullptr) << BitmapName(index);
    return found == nullptr ? tk::TRect{} : tk::Rect(0, 0, found->Width(), found->Height());
  };
  EXPECT_LT(bitmap(skin::SKIN2_FORMLEFTBORDER).Width(), 4);
  EXPECT_LT(bitmap(skin::SKIN2_FORMRIGHTBORDER).Width(), 4);
  EXPECT_LT(bitmap(skin::SKIN2_FORMBOTTOMBORDER1).Height(), 4);
  EXPECT_EQ(bitmap(skin::SKIN2_CHECKBOX), tk::Rect(0, 0, 6 * 13, 13));
  EXPECT_EQ(bitmap(skin::SKIN2_RADIOBUTTON), tk::Rect(0, 0, 4 * 13, 13));
  const int titleHeight = bitmap(skin::SKIN2_TITLEBAR1).Height();
  EXPECT_NE(titleHeight, skin::kBuiltInBitmapSizes[skin::SKIN2_TITLEBAR1].Height);
  for (int i = skin::SKIN2_TITLEBAR2; i <= skin::SKIN2_TITLEBAR5; ++i)
    EXPECT_EQ(bitmap(static_cast<skin::TSkin2Bitmap>(i)).Height(), titleHeight) << i;
}

TEST_F(SkinsTest, EncryptedLightPackageNeedsTheDocumentedPassword) {
  std::ifstream readme(Env("ORV_SKINS_DIR") + "/README.txt");
  std::string line;
  std::string password;
  while (std::getline(readme, line)) {
    if (line.starts_with(kPasswordLabel))
      password = line.substr(std::string(kPasswordLabel).size());
  }
  ASSERT_FALSE(password.empty()) << "README.txt names no password";

  const std::string encrypted = Package("light-encrypted");
  const TempDir dir;
  EXPECT_EQ(skin::ExtractPackageEntry(encrypted, skin::kSkinDataEntryName, dir / "a", ""),
            skin::kExtractWrongPassword);
  EXPECT_EQ(
      skin::ExtractPackageEntry(encrypted, skin::kSkinDataEntryName, dir / "b", password + "x"),
      skin::kExtractWrongPassword);
  try {
    skin::Tsk2SkinFileReader store(encrypted, "");
    ADD_FAILURE() << "opened without a password";
  } catch (const tk::Exception& error) {
    EXPECT_EQ(error.Message(), skin::kWrongPasswordMessage);
  }
  // With the password it holds exactly the light skin.
  const std::vector<skin::Sk2Element> decrypted = Records(encrypted, password);
  const std::vector<skin::Sk2Element> plain = Records(Package("light"));
  ASSERT_EQ(decrypted.size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(decrypted[i].name, plain[i].name);
    EXPECT_EQ(decrypted[i].data, plain[i].data) << plain[i].name;
  }
}

// skins/default is committed; the build must draw exactly those files.
TEST_F(SkinsTest, DrawnDefaultFolderMatchesTheCommittedOne) {
  const std::string committed = Env("ORV_SKIN_SOURCES") + "/default";
  const std::string drawn = Env("ORV_SKINS_DIR") + "/default";
  ASSERT_TRUE(fs::is_directory(committed)) << committed;
  const auto files = [](const std::string& folder) {
    std::map<std::string, std::vector<std::uint8_t>> contents;
    for (const auto& entry : fs::directory_iterator(folder))
      contents[entry.path().filename().string()] = ReadAll(entry.path().string());
    return contents;
  };
  const auto expected = files(committed);
  const auto actual = files(drawn);
  ASSERT_FALSE(expected.empty());
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    ASSERT_NE(found, actual.end()) << name << " is not drawn";
    EXPECT_TRUE(found->second == bytes) << name << " differs from skins/default";
  }
  for (const auto& [name, bytes] : actual)
    EXPECT_TRUE(expected.contains(name)) << name << " is drawn but not committed";
}

}  // namespace
