#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/BuiltInSkinTable.h"
#include "skin/reader/Skin2Define.h"
#include "skin/reader/SkinReader.h"
#include "tests/host/UtilsTestSupport.h"
#include "toolkit/core/Exception.h"

namespace {

using namespace skin;
using utils_test::Bitmap;
using utils_test::Filled;
using utils_test::Image;
using utils_test::kMagenta;

// ---- Catalogue ----

TEST(Skin2Catalogue, GroupsFollowOneAnotherWithTheirCounts) {
  EXPECT_EQ(kSkin2ColorFirst, 0);
  EXPECT_EQ(kSkin2BitmapFirst, 32);
  EXPECT_EQ(kSkin2IntegerFirst, 66);
  EXPECT_EQ(kSkin2BooleanFirst, 75);
  EXPECT_EQ(kSkin2NameCount, 84);
  std::set<std::string_view> distinct(kSkin2Names.begin(), kSkin2Names.end());
  EXPECT_EQ(distinct.size(), kSkin2Names.size());
  for (std::string_view name : kSkin2Names) EXPECT_EQ(name.substr(0, 6), "SKIN2_") << name;
}

TEST(Skin2Catalogue, NamesSitAtTheirPositions) {
  struct Case {
    int position;
    const char* name;
  };
  const Case cases[] = {
      {kSkin2ColorFirst + SKIN2_FORMCOLOR, "SKIN2_FORMCOLOR"},
      {kSkin2ColorFirst + SKIN2_SCROLLBARCOLOR, "SKIN2_SCROLLBARCOLOR"},
      {31, "SKIN2_SIDECHANNELBORDERCOLOR"},
      {32, "SKIN2_TITLEBAR1"},
      {kSkin2BitmapFirst + SKIN2_TITLEBUTTONS, "SKIN2_TITLEBUTTONS"},
      {kSkin2BitmapFirst + SKIN2_TRACKBAR, "SKIN2_TRACKBAR"},
      {kSkin2BitmapFirst + SKIN2_SCROLLBAR, "SKIN2_SCROLLBAR"},
      {65, "SKIN2_SCROLLBUTTON"},
      {66, "SKIN2_TITLEBARICONPOSX"},
      {kSkin2IntegerFirst + SKIN2_BOTTOMREGIONMINY, "SKIN2_BOTTOMREGIONMINY"},
      {75, "SKIN2_TITLEFIVESECT"},
      {kSkin2BooleanFirst + SKIN2_RADIOBUTTONTRANS, "SKIN2_RADIOBUTTONTRANS"},
      {83, "SKIN2_TABCONTROLTRANS"},
  };
  for (const Case& c : cases) EXPECT_EQ(Skin2Name(c.position), c.name) << c.position;
  EXPECT_EQ(Skin2Name(-1), "");
  EXPECT_EQ(Skin2Name(84), "");
}

TEST(Skin2Catalogue, BuiltInTableLacksExactlyFourBitmaps) {
  std::vector<int> absent;
  for (int i = 0; i < kSkin2BitmapCount; ++i)
    if (!kBuiltInBitmapSizes[i].Present) absent.push_back(i);
  EXPECT_EQ(absent, (std::vector<int>{SKIN2_FORMBOTTOMBORDER2, SKIN2_FORMBOTTOMBORDER3,
                                      SKIN2_MENUBAR, SKIN2_TOOLBAR}));
  EXPECT_EQ(kBuiltInBitmapSizes[SKIN2_SCROLLBAR].Width, 18);
  EXPECT_EQ(kBuiltInBitmapSizes[SKIN2_SCROLLBAR].Height, 63);
  EXPECT_EQ(kBuiltInColors[SKIN2_SCROLLBARCOLOR], 0xF9F9F9);
  EXPECT_EQ(kBuiltInIntegers[SKIN2_TITLEBARREGIONMAXY], 5);
  EXPECT_TRUE(kBuiltInBooleans[SKIN2_BUTTONTRANS]);
}

// ---- Reader ----

// A skin built from the built-in skin's table: every element with its listed value, every
// bitmap of its listed size filled with a colour of its own and a magenta corner.
std::vector<zsk::SkinElement> BuiltInLikeElements() {
  std::vector<zsk::SkinElement> elements;
  for (int i = 0; i < kSkin2ColorCount; ++i)
    elements.push_back(
        zsk::IntegerElement(std::string(kSkin2Names[kSkin2ColorFirst + i]), kBuiltInColors[i]));
  for (int i = 0; i < kSkin2BitmapCount; ++i) {
    const TBuiltInBitmapSize size = kBuiltInBitmapSizes[i];
    if (!size.Present) continue;
    Image bitmap = Filled(size.Width, size.Height, 0x010203 * (i + 1));
    bitmap.SetPixel(0, 0, kMagenta);
    elements.push_back(Bitmap(std::string(kSkin2Names[kSkin2BitmapFirst + i]), bitmap));
  }
  for (int i = 0; i < kSkin2IntegerCount; ++i)
    elements.push_back(
        zsk::IntegerElement(std::string(kSkin2Names[kSkin2IntegerFirst + i]), kBuiltInIntegers[i]));
  for (int i = 0; i < kSkin2BooleanCount; ++i)
    elements.push_back(
        zsk::BooleanElement(std::string(kSkin2Names[kSkin2BooleanFirst + i]), kBuiltInBooleans[i]));
  for (const TBuiltInExtraInteger& extra : kBuiltInExtraIntegers)
    elements.push_back(zsk::IntegerElement(std::string(extra.Name), extra.Value));
  return elements;
}

class SkinReaderTest : public testing::Test {
 protected:
  // Records every change notification with the reader's state at that moment.
  void Watch(TzubSkinReader& reader) {
    reader.OnChange = [this, &reader](tk::TObject* sender) {
      EXPECT_EQ(sender, &reader);
      notifications_.push_back({reader.Loaded(), reader.GetColor(SKIN2_TRANSCOLOR)});
    };
  }
  struct Notification {
    bool loaded;
    tk::TColor trans;
    friend bool operator==(const Notification&, const Notification&) = default;
  };

  utils_test::PackageFiles packages_;
  std::vector<Notification> notifications_;
};

TEST_F(SkinReaderTest, StartsEmptyWithoutAFile) {
  TzubSkinReader reader;
  EXPECT_FALSE(reader.Loaded());
  EXPECT_EQ(reader.Store(), nullptr);
  EXPECT_EQ(reader.GetColor(SKIN2_TRANSCOLOR), -1);
  EXPECT_EQ(reader.GetBitmap(SKIN2_TITLEBAR1), nullptr);
  EXPECT_EQ(reader.GetInteger(SKIN2_TITLEBARICONPOSX), -1);
  EXPECT_FALSE(reader.GetBoolean(SKIN2_TITLEFIVESECT));
}

TEST_F(SkinReaderTest, BuiltInSkinAnswersItsTable) {
  TzubSkinReader reader(packages_.Write(BuiltInLikeElements()), "");
  ASSERT_TRUE(reader.Loaded());
  for (int i = 0; i < kSkin2ColorCount; ++i)
    EXPECT_EQ(reader.GetColor(static_cast<std::uint8_t>(i)), kBuiltInColors[i]) << i;
  for (int i = 0; i < kSkin2BitmapCount; ++i) {
    const tk::TBitmap* bitmap = reader.GetBitmap(static_cast<std::uint8_t>(i));
    const TBuiltInBitmapSize size = kBuiltInBitmapSizes[i];
    ASSERT_EQ(bitmap != nullptr, size.Present) << i;
    if (bitmap == nullptr) continue;
    EXPECT_EQ(bitmap->Width(), size.Width) << i;
    EXPECT_EQ(bitmap->Height(), size.Height) << i;
    // Each lookup reaches the bitmap stored under its own name.
    if (i != SKIN2_TRACKBAR) {
      EXPECT_EQ(bitmap->Pixel(1 % size.Width, size.Height - 1), 0x010203 * (i + 1));
    }
  }
  for (int i = 0; i < kSkin2IntegerCount; ++i)
    EXPECT_EQ(reader.GetInteger(static_cast<std::uint8_t>(i)), kBuiltInIntegers[i]) << i;
  for (int i = 0; i < kSkin2BooleanCount; ++i)
    EXPECT_EQ(reader.GetBoolean(static_cast<std::uint8_t>(i)), kBuiltInBooleans[i]) << i;

  EXPECT_EQ(reader.GetColor(SKIN2_TRANSCOLOR), 0xFF00FF);
  EXPECT_EQ(reader.GetColor(SKIN2_FORMCOLOR), 0xE8E8E8);
  EXPECT_EQ(reader.GetBitmap(SKIN2_TITLEBUTTONS)->Width(), 324);
  EXPECT_EQ(reader.GetInteger(SKIN2_BOTTOMREGIONMINY), -1);
  EXPECT_TRUE(reader.GetBoolean(SKIN2_TITLEFIVESECT));
  EXPECT_EQ(reader.GetBitmap(SKIN2_MENUBAR), nullptr);
}

TEST_F(SkinReaderTest, EveryBitmapGetsTheSkinsFixedKeyButStaysOpaque) {
  TzubSkinReader reader(packages_.Write(BuiltInLikeElements()), "");
  for (int i = 0; i < kSkin2BitmapCount; ++i) {
    const tk::TBitmap* bitmap = reader.GetBitmap(static_cast<std::uint8_t>(i));
    if (bitmap == nullptr) continue;
    EXPECT_EQ(bitmap->TransparentMode(), tk::tmFixed) << i;
    EXPECT_EQ(bitmap->TransparentColor(), reader.GetColor(SKIN2_TRANSCOLOR)) << i;
    EXPECT_FALSE(bitmap->Transparent()) << i;
  }
}

TEST_F(SkinReaderTest, TrackBarShowsTheFormColourWhereTheSkinLeftItTransparent) {
  TzubSkinReader reader(packages_.Write(BuiltInLikeElements()), "");
  const tk::TBitmap* track = reader.GetBitmap(SKIN2_TRACKBAR);
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->PixelFormat(), tk::pf24bit);
  EXPECT_EQ(track->Pixel(0, 0), 0xE8E8E8);
  for (int y = 0; y < track->Height(); ++y)
    for (int x = 0; x < track->Width(); ++x) EXPECT_NE(track->Pixel(x, y), kMagenta);
  EXPECT_EQ(track->Pixel(1, 1), 0x010203 * (SKIN2_TRACKBAR + 1));
  // Only the track bar is recoloured.
  EXPECT_EQ(reader.GetBitmap(SKIN2_TITLEBAR1)->Pixel(0, 0), kMagenta);
}

TEST_F(SkinReaderTest, TrackBarKeepsItsPixelsWhenTheSkinHasNoTransparentColour) {
  Image track = Filled(4, 2, 0);
  track.SetPixel(0, 0, kMagenta);
  TzubSkinReader reader(packages_.Write({Bitmap("SKIN2_TRACKBAR", track),
                                         zsk::IntegerElement("SKIN2_FORMCOLOR", 0x123456)}),
                        "");
  const tk::TBitmap* loaded = reader.GetBitmap(SKIN2_TRACKBAR);
  EXPECT_EQ(loaded->Pixel(0, 0), kMagenta);
  EXPECT_EQ(loaded->Pixel(1, 0), 0);
  EXPECT_EQ(loaded->TransparentColor(), -1);
}

TEST_F(SkinReaderTest, LookupsUseTheLowSevenBitsAndStayInsideTheirGroup) {
  TzubSkinReader reader(packages_.Write(BuiltInLikeElements()), "");
  EXPECT_EQ(reader.GetColor(0x80 | SKIN2_FORMCOLOR), 0xE8E8E8);
  EXPECT_EQ(reader.GetBitmap(0x80 | SKIN2_SCROLLBAR), reader.GetBitmap(SKIN2_SCROLLBAR));
  // Past the end of a group: not the next group's element, and never past the catalogue.
  EXPECT_EQ(reader.GetColor(kSkin2ColorCount), -1);
  EXPECT_EQ(reader.GetBitmap(kSkin2BitmapCount), nullptr);
  EXPECT_EQ(reader.GetInteger(kSkin2IntegerCount), -1);
  EXPECT_FALSE(reader.GetBoolean(kSkin2BooleanCount));
  EXPECT_EQ(reader.GetBitmap(0x7F), nullptr);
  EXPECT_FALSE(reader.GetBoolean(0xFF));
}

TEST_F(SkinReaderTest, MissingElementsAnswerNeutrally) {
  TzubSkinReader reader(packages_.Write({zsk::IntegerElement("SKIN2_TRANSCOLOR", kMagenta)}), "");
  ASSERT_TRUE(reader.Loaded());
  EXPECT_EQ(reader.GetColor(SKIN2_FORMCOLOR), -1);
  EXPECT_EQ(reader.GetBitmap(SKIN2_TITLEBAR1), nullptr);
  EXPECT_EQ(reader.GetInteger(SKIN2_TITLEBARICONPOSX), -1);
  EXPECT_FALSE(reader.GetBoolean(SKIN2_TITLEFIVESECT));
}

TEST_F(SkinReaderTest, NotifiesAfterEveryLoadAndEveryMissingFile) {
  const std::string first = packages_.Write({zsk::IntegerElement("SKIN2_TRANSCOLOR", 0x111111)});
  const std::string second = packages_.Write({zsk::IntegerElement("SKIN2_TRANSCOLOR", 0x222222)});
  TzubSkinReader reader;
  Watch(reader);
  reader.OpenSkin(first, "");
  reader.OpenSkin(second, "");
  reader.OpenSkin(packages_.Missing(), "");
  reader.OpenSkin("", "");
  EXPECT_EQ(notifications_, (std::vector<Notification>{
                                {true, 0x111111}, {true, 0x222222}, {false, -1}, {false, -1}}));
  EXPECT_EQ(reader.Store(), nullptr);
}

struct FailedLoad {
  const char* name;
  bool encrypted;
  const char* password;
  bool junk;
  const char* message;
};

class SkinReaderFailures : public SkinReaderTest, public testing::WithParamInterface<FailedLoad> {};

TEST_P(SkinReaderFailures, RaiseDropThePreviousSkinAndDoNotNotify) {
  const FailedLoad& c = GetParam();
  TzubSkinReader reader(packages_.Write({zsk::IntegerElement("SKIN2_TRANSCOLOR", kMagenta)}), "");
  ASSERT_TRUE(reader.Loaded());
  Watch(reader);
  std::string file;
  if (c.junk)
    file = packages_.Junk();
  else if (c.encrypted)
    file = packages_.Write({zsk::IntegerElement("SKIN2_TRANSCOLOR", 1)}, "secret");
  else
    file = packages_.Write({Bitmap("SKIN2_TITLEBAR1", Filled(2, 2, 0)),
                            zsk::BitmapElement("SKIN2_BUTTON", utils_test::Bytes(60, 'x'))});
  try {
    reader.OpenSkin(file, c.password);
    FAIL() << "no exception";
  } catch (const tk::Exception& e) {
    EXPECT_EQ(e.Message(), c.message);
  }
  EXPECT_FALSE(reader.Loaded());
  EXPECT_EQ(reader.Store(), nullptr);
  EXPECT_EQ(reader.GetColor(SKIN2_TRANSCOLOR), -1);
  EXPECT_TRUE(notifications_.empty());

  // The reader recovers with the next good load.
  reader.OpenSkin(packages_.Write({zsk::IntegerElement("SKIN2_TRANSCOLOR", 7)}), "");
  EXPECT_EQ(notifications_, (std::vector<Notification>{{true, 7}}));
}

INSTANTIATE_TEST_SUITE_P(
    OpenSkin, SkinReaderFailures,
    testing::Values(FailedLoad{"wrong_password", true, "guess", false, "Wrong password!"},
                    FailedLoad{"no_password", true, "", false, "Wrong password!"},
                    FailedLoad{"not_a_package", false, "", true, "Failed to read skin file!"},
                    FailedLoad{"invalid_bitmap", false, "", false, "Bitmap image is not valid"}),
    [](const testing::TestParamInfo<FailedLoad>& info) { return info.param.name; });

TEST_F(SkinReaderTest, EncryptedSkinOpensWithItsPassword) {
  TzubSkinReader reader(
      packages_.Write({zsk::IntegerElement("SKIN2_FORMCOLOR", 0x445566)}, "secret"), "secret");
  EXPECT_TRUE(reader.Loaded());
  EXPECT_EQ(reader.GetColor(SKIN2_FORMCOLOR), 0x445566);
}

TEST_F(SkinReaderTest, ConstructorRaisesForAnUnreadablePackage) {
  const std::string junk = packages_.Junk();
  EXPECT_THROW(TzubSkinReader reader(junk, ""), tk::Exception);
}

}  // namespace
