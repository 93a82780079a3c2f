// Owner-drawn menus in the skin's colours: measuring and drawing items, switching menus to the
// engine's drawing and back, and real popup menus on the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/engine/ZUBSkinEngine.h"
#include "skin/utils/WinDrawing.h"
#include "tests/support/HandleCount.h"
#include "tests/win/SkinMenuTestSupport.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/ImageList.h"
#include "toolkit/win/StdCtrls.h"

namespace {

using skin::TzubSkinEngine;
using testing_support::AddItem;
using testing_support::BarColor;
using testing_support::CountColor;
using testing_support::DrawMenuItem;
using testing_support::InkColumns;
using testing_support::OffColor;
using testing_support::SolidImages;
using testing_support::TOwnedBitmap;
using testing_support::TSkinMenuColors;
using tk::TMenuItem;
using tk::TPopupMenu;

constexpr tk::TColor kSeparatorColor = 0x848284;
constexpr tk::TColor kDisabledText = 0x808080;
constexpr int kBuiltInBarWidth = 26;
constexpr int kItemWidth = 200;
constexpr int kItemHeight = 21;

// A form with an active engine on the given skin, and a popup menu the engine draws.
class SkinMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = std::make_unique<tk::TForm>(nullptr);
    engine_ = new TzubSkinEngine(host_.get());
    UseSkin("default");
    engine_->SetActive(true);
  }

  // The engine takes the popup menu over with the items it has now.
  void TakeOver() { engine_->OwnerDrawMenu(&popup_); }

  void UseSkin(const std::string& name) {
    engine_->SetSkinFile(testing_support::SkinPackage(name));
    ASSERT_TRUE(engine_->Ready()) << name;
  }

  std::unique_ptr<tk::TForm> host_;
  TzubSkinEngine* engine_ = nullptr;
  TPopupMenu popup_{nullptr};
};

// ---- Measuring ---------------------------------------------------------------------------

TEST_F(SkinMenuTest, ItemsAreMeasuredFromCaptionShortcutAndImages) {
  auto tall = SolidImages(24, 30, 0x0000FF);
  auto sub = SolidImages(12, 24, 0x0000FF);
  tk::TMainMenu bar(nullptr);
  TMenuItem* top = AddItem(*bar.Items(), "&File");
  TMenuItem* inBar = AddItem(*top, "&Open", tk::ShortCut('O', tk::scCtrl));
  TMenuItem* tools = AddItem(*bar.Items(), "&Tools");
  tools->SetName("Tools1");
  tools->SetSubMenuImages(sub.get());
  TMenuItem* deep = AddItem(*AddItem(*tools, "More"), "Deep");
  engine_->OwnerDrawMenu(&bar);
  TPopupMenu withImages(nullptr);
  withImages.SetImages(tall.get());
  TMenuItem* pictured = AddItem(*withImages.Items(), "Pictured");

  tk::TMemoryDC dc;
  tk::TCanvas canvas(dc.Get());
  skin::SetMenuFont(canvas.Font());
  auto textWidth = [&](const std::string& text) { return canvas.TextWidth(text); };
  const int textHeight = canvas.TextHeight("Open");
  ASSERT_LE(textHeight, kItemHeight) << "the menu font is small enough for the 21-pixel rule";

  struct TCase {
    const char* What;
    TMenuItem* Item;
    int Width;
    int Height;
  };
  const TCase cases[] = {
      {"plain", AddItem(*popup_.Items(), "&Plain"), textWidth("&Plain") + 66, kItemHeight},
      {"shortcut", AddItem(*popup_.Items(), "&Save", tk::ShortCut('S', tk::scCtrl)),
       textWidth("&Save") + textWidth("Ctrl+S") + 66, kItemHeight},
      {"separator", AddItem(*popup_.Items(), "-"), textWidth("-") + 66, 5},
      {"image list 24x30: height + 5", pictured, textWidth("Pictured") + 66, 35},
      {"main menu drop-down, empty list", inBar, textWidth("&Open") + textWidth("Ctrl+O") + 66,
       kItemHeight},
      {"sub-menu images 12x24 of a named top item", deep, textWidth("Deep") + 66, 29},
      {"top item of a main menu: unchanged", top, 7, 9},
  };
  TakeOver();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    int width = 7;
    int height = 9;
    engine_->MeasureMenuItem(c.Item, canvas, width, height);
    EXPECT_EQ(width, c.Width);
    EXPECT_EQ(height, c.Height);
  }

  // WM_MEASUREITEM reaches the engine through the toolkit's dispatch.
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(cases[0].Item);
  ASSERT_TRUE(tk::DispatchMenuMeasureItem(measure));
  EXPECT_EQ(measure.itemHeight, static_cast<UINT>(kItemHeight));
}

TEST_F(SkinMenuTest, HandlersTakeAnyItemWithoutThrowing) {
  tk::TMemoryDC dc;
  tk::TCanvas canvas(dc.Get());
  int width = 1;
  int height = 2;
  TMenuItem loose(nullptr);
  loose.SetImageIndex(5);
  loose.SetChecked(true);
  engine_->MeasureMenuItem(nullptr, canvas, width, height);
  EXPECT_EQ(width, 1);
  EXPECT_EQ(height, 2);
  engine_->PaintMenuItem(nullptr, canvas, tk::Rect(0, 0, 10, 10), true);
  engine_->MeasureMenuItem(&loose, canvas, width, height);
  EXPECT_EQ(height, kItemHeight) << "an item outside any menu measures as a plain one";
  engine_->PaintMenuItem(&loose, canvas, tk::Rect(0, 0, 10, 10), false);
}

// ---- Drawing -----------------------------------------------------------------------------

TEST_F(SkinMenuTest, ItemsAreDrawnInEachSkinsColours) {
  TMenuItem* plain = AddItem(*popup_.Items(), "Plain item", tk::ShortCut('P', tk::scCtrl));
  TMenuItem* disabled = AddItem(*popup_.Items(), "Disabled item");
  disabled->SetEnabled(false);
  TMenuItem* line = AddItem(*popup_.Items(), "-");
  TMenuItem* checked = AddItem(*popup_.Items(), "Checked item");
  TakeOver();
  const int bw = kBuiltInBarWidth;
  const int right = kItemWidth;
  for (const char* skinName : {"default", "dark", "light"}) {
    SCOPED_TRACE(skinName);
    UseSkin(skinName);
    const TSkinMenuColors c = testing_support::SkinMenuColors(*engine_);
    auto expectBarAndBackground = [&](const TOwnedBitmap& shot, int row) {
      for (int x = 0; x < bw; ++x) ASSERT_EQ(shot.Pixel(x, row), BarColor(c, x, bw)) << x;
      EXPECT_EQ(OffColor(shot, row, bw, right, c.Item), 0);
    };

    const TOwnedBitmap normal = DrawMenuItem(*plain, kItemWidth, kItemHeight, false);
    expectBarAndBackground(normal, 0);
    expectBarAndBackground(normal, kItemHeight - 1);
    EXPECT_GT(CountColor(normal, tk::Rect(bw + 4, 0, right, kItemHeight), c.Text), 10);
    EXPECT_EQ(CountColor(normal, tk::Rect(0, 0, right, kItemHeight), testing_support::kUntouched),
              0);

    const TOwnedBitmap selected = DrawMenuItem(*plain, kItemWidth, kItemHeight, true);
    const std::pair<int, int> corners[] = {{0, 0}, {right - 1, 0}, {0, 20}, {right - 1, 20}};
    for (const auto& [x, y] : corners)
      EXPECT_EQ(selected.Pixel(x, y), c.SelectedBorder) << x << "," << y;
    EXPECT_EQ(OffColor(selected, 1, 1, right - 1, c.Selected), 0) << "no bar when selected";
    EXPECT_EQ(OffColor(selected, kItemHeight - 2, 1, right - 1, c.Selected), 0);
    EXPECT_GT(CountColor(selected, tk::Rect(bw + 4, 1, right - 1, 20), c.SelectedText), 10);

    const TOwnedBitmap greyed = DrawMenuItem(*disabled, kItemWidth, kItemHeight, true);
    expectBarAndBackground(greyed, 0);
    EXPECT_GT(CountColor(greyed, tk::Rect(bw + 4, 0, right, kItemHeight), kDisabledText), 10);
    EXPECT_EQ(CountColor(greyed, tk::Rect(0, 0, right, kItemHeight), c.Selected), 0);

    const TOwnedBitmap separator = DrawMenuItem(*line, kItemWidth, 5, true);
    for (int row = 0; row < 5; ++row) {
      for (int x = 0; x < bw; ++x) ASSERT_EQ(separator.Pixel(x, row), BarColor(c, x, bw));
      if (row == 2) continue;
      EXPECT_EQ(OffColor(separator, row, bw, right, c.Item), 0) << row;
    }
    EXPECT_EQ(OffColor(separator, 2, bw + 4, right - 2, kSeparatorColor), 0);
    EXPECT_EQ(separator.Pixel(bw + 3, 2), c.Item);
    EXPECT_EQ(separator.Pixel(right - 2, 2), c.Item);

    // The check mark is image 0 of the check-mark list, centred in the 26 x 21 bar.
    checked->SetChecked(false);
    TOwnedBitmap expected = DrawMenuItem(*checked, kItemWidth, kItemHeight, false);
    skin::CheckMarkImageList().Draw(expected.Get().Canvas(), (bw - 16) / 2, (16 + 5 - 16) / 2, 0);
    GdiFlush();
    checked->SetChecked(true);
    const TOwnedBitmap marked = DrawMenuItem(*checked, kItemWidth, kItemHeight, false);
    EXPECT_EQ(testing_support::CountDifferences(marked, expected), 0);
    checked->SetChecked(false);
    EXPECT_GT(testing_support::CountDifferences(
                  marked, DrawMenuItem(*checked, kItemWidth, kItemHeight, false)),
              10)
        << "the skin's check mark shows";
  }
}

TEST_F(SkinMenuTest, ImagesBitmapsAndTheirPlaceForCheckedItems) {
  constexpr tk::TColor kRed = 0x0000FF;
  constexpr tk::TColor kBlue = 0xFF0000;
  auto images = SolidImages(16, 16, kRed);
  popup_.SetImages(images.get());
  TMenuItem* imaged = AddItem(*popup_.Items(), "Imaged");
  imaged->SetImageIndex(0);
  TMenuItem* bitmapped = AddItem(*popup_.Items(), "Bitmapped");
  tk::TBitmap picture(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) picture.SetPixel(x, y, kBlue);
  bitmapped->SetBitmap(picture);
  TMenuItem* beyond = AddItem(*popup_.Items(), "Beyond the list");
  beyond->SetImageIndex(1);
  TakeOver();
  const TSkinMenuColors c = testing_support::SkinMenuColors(*engine_);
  const int bw = 16 + 10;

  const TOwnedBitmap plainImage = DrawMenuItem(*imaged, kItemWidth, kItemHeight, false);
  EXPECT_EQ(CountColor(plainImage, tk::Rect(4, 3, 20, 19), kRed), 16 * 16);
  EXPECT_EQ(CountColor(plainImage, tk::Rect(0, 0, kItemWidth, kItemHeight), kRed), 16 * 16);
  EXPECT_EQ(plainImage.Pixel(2, 1), c.BarStart);

  imaged->SetChecked(true);
  const TOwnedBitmap place = DrawMenuItem(*imaged, kItemWidth, kItemHeight, true);
  const std::pair<int, int> frame[] = {{2, 1}, {bw - 6, 1}, {2, 19}, {bw - 6, 19}, {10, 1}};
  for (const auto& [x, y] : frame) EXPECT_EQ(place.Pixel(x, y), tk::clBlack) << x << "," << y;
  EXPECT_EQ(place.Pixel(3, 2), c.Item) << "the place is filled with the item colour";
  EXPECT_EQ(place.Pixel(3, 18), c.Item);
  EXPECT_EQ(CountColor(place, tk::Rect(4, 3, 20, 19), kRed), 16 * 16);
  EXPECT_EQ(place.Pixel(bw - 5, 10), c.Selected);

  imaged->SetChecked(false);
  imaged->SetEnabled(false);
  const TOwnedBitmap grey = DrawMenuItem(*imaged, kItemWidth, kItemHeight, false);
  EXPECT_EQ(CountColor(grey, tk::Rect(4, 3, 20, 19), kRed), 0) << "disabled image in grey";
  const tk::TColor shade = grey.Pixel(10, 10);
  EXPECT_EQ(shade & 0xFF, (shade >> 8) & 0xFF);
  EXPECT_EQ(shade & 0xFF, (shade >> 16) & 0xFF);

  popup_.SetImages(nullptr);
  const TOwnedBitmap stretched = DrawMenuItem(*bitmapped, kItemWidth, kItemHeight, false);
  EXPECT_EQ(CountColor(stretched, tk::Rect(4, 3, 20, 19), kBlue), 16 * 16);
  EXPECT_EQ(CountColor(stretched, tk::Rect(0, 0, kItemWidth, kItemHeight), kBlue), 16 * 16);

  popup_.SetImages(images.get());
  const TOwnedBitmap nothing = DrawMenuItem(*beyond, kItemWidth, kItemHeight, false);
  EXPECT_EQ(CountColor(nothing, tk::Rect(0, 0, bw, kItemHeight), c.BarStart), bw * kItemHeight);
}

TEST_F(SkinMenuTest, DefaultItemIsBoldAndRightToLeftMirrorsTheItem) {
  const TSkinMenuColors c = testing_support::SkinMenuColors(*engine_);
  TMenuItem* item = AddItem(*popup_.Items(), "Default item");
  TMenuItem* line = AddItem(*popup_.Items(), "-");
  TakeOver();
  const tk::TRect caption = tk::Rect(30, 0, kItemWidth, kItemHeight);
  const int normalEnd =
      InkColumns(DrawMenuItem(*item, kItemWidth, kItemHeight, false), caption, c.Item).second;
  item->SetDefault(true);
  const int boldEnd =
      InkColumns(DrawMenuItem(*item, kItemWidth, kItemHeight, false), caption, c.Item).second;
  EXPECT_GT(boldEnd, normalEnd) << "bold text is wider";
  item->SetDefault(false);

  popup_.SetBiDiMode(tk::bdRightToLeft);
  const int bw = kBuiltInBarWidth;
  const int right = kItemWidth;
  const TOwnedBitmap mirrored = DrawMenuItem(*item, kItemWidth, kItemHeight, false);
  EXPECT_EQ(CountColor(mirrored, tk::Rect(right - bw, 0, right, kItemHeight), c.BarStart),
            bw * kItemHeight);
  EXPECT_EQ(OffColor(mirrored, 0, 0, right - bw, c.Item), 0);
  const auto [inkFrom, inkTo] =
      InkColumns(mirrored, tk::Rect(0, 0, right - bw, kItemHeight), c.Item);
  EXPECT_GT(inkFrom, 0);
  EXPECT_LT(inkTo, right - bw - 4) << "the caption ends before the bar";
  EXPECT_GT(inkTo, right - bw - 12) << "and is aligned to it";

  const TOwnedBitmap separator = DrawMenuItem(*line, kItemWidth, 5, false);
  EXPECT_EQ(OffColor(separator, 2, 2, right - bw - 4, kSeparatorColor), 0);
  EXPECT_EQ(separator.Pixel(1, 2), c.Item);
  EXPECT_EQ(separator.Pixel(right - bw - 4, 2), c.Item);

  item->SetChecked(false);
  TOwnedBitmap expected = DrawMenuItem(*item, kItemWidth, kItemHeight, false);
  skin::CheckMarkImageList().Draw(expected.Get().Canvas(), right - 4 - 16, 3, 0);
  GdiFlush();
  item->SetChecked(true);
  EXPECT_EQ(testing_support::CountDifferences(DrawMenuItem(*item, kItemWidth, kItemHeight, false),
                                              expected),
            0);
}

// ---- Taking menus over and giving them back -----------------------------------------------

TEST_F(SkinMenuTest, RestoringGivesMenusTheirOwnSettingsBack) {
  auto own = SolidImages(16, 16, 0x0000FF);
  struct TCase {
    const char* What;
    bool MainMenu;
    bool OwnerDraw;
    tk::TImageList* Images;
    tk::TImageList* ImagesWhileDrawn;
  };
  const TCase cases[] = {
      {"popup menu", false, false, nullptr, nullptr},
      {"popup menu drawn by the application", false, true, nullptr, nullptr},
      {"main menu without images", true, false, nullptr, &skin::MenuImageList()},
      {"main menu with images", true, true, own.get(), own.get()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    std::unique_ptr<tk::TMenu> menu;
    if (c.MainMenu)
      menu = std::make_unique<tk::TMainMenu>(nullptr);
    else
      menu = std::make_unique<TPopupMenu>(nullptr);
    AddItem(*AddItem(*menu->Items(), "Top"), "Below");
    menu->SetOwnerDraw(c.OwnerDraw);
    menu->SetImages(c.Images);
    engine_->OwnerDrawMenu(menu.get());
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Images(), c.ImagesWhileDrawn);
    engine_->RestoreMenu(menu.get());
    EXPECT_EQ(menu->OwnerDraw(), c.OwnerDraw);
    EXPECT_EQ(menu->Images(), c.Images);
  }
}

TEST_F(SkinMenuTest, RestoringGivesItemsTheirOwnEventsBack) {
  std::vector<std::string> calls;
  TMenuItem* own = AddItem(*popup_.Items(), "Own drawing");
  own->SetOnDrawItem([&](TMenuItem*, tk::TCanvas&, tk::TRect, bool) { calls.push_back("draw"); });
  own->SetOnMeasureItem([&](TMenuItem*, tk::TCanvas&, int&, int&) { calls.push_back("measure"); });
  TMenuItem* nested = AddItem(*AddItem(*popup_.Items(), "Sub"), "Nested");
  TMenuItem* replaced = AddItem(*popup_.Items(), "Replaced later");
  TakeOver();
  TakeOver();
  for (TMenuItem* item : {own, nested, replaced})
    EXPECT_TRUE(skin::IsEngineMenuItem(*item, engine_)) << item->Caption();
  replaced->SetOnDrawItem(
      [&](TMenuItem*, tk::TCanvas&, tk::TRect, bool) { calls.push_back("replaced"); });
  TakeOver();

  engine_->RestoreMenu(&popup_);
  EXPECT_FALSE(popup_.OwnerDraw());
  EXPECT_FALSE(nested->OnDrawItem());
  EXPECT_FALSE(nested->OnMeasureItem());
  EXPECT_FALSE(skin::IsEngineMenuItem(*own, engine_));
  EXPECT_FALSE(replaced->OnMeasureItem()) << "an event the engine had goes back to what it was";
  tk::TMemoryDC dc;
  tk::TCanvas canvas(dc.Get());
  int width = 0;
  int height = 0;
  own->OnDrawItem()(own, canvas, tk::Rect(0, 0, 1, 1), false);
  own->OnMeasureItem()(own, canvas, width, height);
  replaced->OnDrawItem()(replaced, canvas, tk::Rect(0, 0, 1, 1), false);
  EXPECT_EQ(calls, (std::vector<std::string>{"draw", "measure", "replaced"}))
      << "taken over again, the items get back what they had of their own";
}

TEST(SkinMenuLifetime, AnEngineThatGoesGivesItsMenusBackAndFreedMenusAreForgotten) {
  TPopupMenu kept(nullptr);
  TMenuItem* item = AddItem(*kept.Items(), "Kept");
  auto freed = std::make_unique<TPopupMenu>(nullptr);
  TMenuItem* freedItem = AddItem(*freed->Items(), "Freed");
  auto form = std::make_unique<tk::TForm>(nullptr);
  auto* engine = new TzubSkinEngine(form.get());
  engine->OwnerDrawMenu(&kept);
  engine->OwnerDrawMenu(freed.get());
  AddItem(*item, "Freed child");
  engine->AttachMenuItem(item);
  delete item->Items(0);
  delete freedItem;
  freed.reset();
  engine->RestoreMenu(&kept);
  engine->OwnerDrawMenu(&kept);
  form.reset();
  EXPECT_FALSE(kept.OwnerDraw());
  EXPECT_FALSE(item->OnDrawItem()) << "no handler of a freed engine is left on the item";
  EXPECT_FALSE(item->OnMeasureItem());
}

TEST_F(SkinMenuTest, MenusAddedToTheSkinnedFormAreDrawnByTheEngine) {
  auto* popup = new TPopupMenu(host_.get());
  auto* bar = new tk::TMainMenu(host_.get());
  auto* item = new TMenuItem(host_.get());
  popup->Items()->Add(item);
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(bar->OwnerDraw());
  EXPECT_EQ(bar->Images(), &skin::MenuImageList());
  EXPECT_TRUE(skin::IsEngineMenuItem(*item, engine_));

  auto* excluded = new TPopupMenu(nullptr);
  excluded->SetTag(engine_->DisabledTag());
  host_->InsertComponent(excluded);
  EXPECT_FALSE(excluded->OwnerDraw()) << "a menu with the disabled tag is left alone";

  host_->RemoveComponent(popup);
  EXPECT_FALSE(popup->OwnerDraw()) << "a menu taken out of the form gets its drawing back";
  EXPECT_FALSE(item->OnDrawItem());
  delete popup;

  engine_->SetActive(false);
  auto* later = new TPopupMenu(host_.get());
  auto* laterItem = new TMenuItem(host_.get());
  EXPECT_FALSE(later->OwnerDraw()) << "nothing is taken over while the engine does not skin";
  EXPECT_FALSE(laterItem->OnDrawItem());

  const TPopupMenu* system = engine_->GetSysMenuPopup();
  EXPECT_TRUE(system->OwnerDraw());
  for (int i = 0; i < system->Items()->Count(); ++i)
    EXPECT_TRUE(skin::IsEngineMenuItem(*system->Items()->Items(i), engine_)) << i;
}

// ---- Menus on the screen -----------------------------------------------------------------

// Every item of the open menu looks as the engine draws it unselected into a rectangle of the
// item's size.
int ItemsDrawnOtherwise(const testing_support::TOpenMenu& open, tk::TMenuItem& parent) {
  int mismatches = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    const RECT& r = open.Items[static_cast<std::size_t>(i)];
    const TOwnedBitmap expected =
        DrawMenuItem(*parent.Items(i), r.right - r.left, r.bottom - r.top, false);
    for (int y = 0; y < expected.Height(); ++y)
      for (int x = 0; x < expected.Width(); ++x)
        mismatches += open.Shot.Pixel(r.left + x, r.top + y) != expected.Pixel(x, y);
  }
  return mismatches;
}

// The open menu's items have been drawn in the bar colour of the colours given.
bool BarsDrawn(const testing_support::TOpenMenu& open, const TSkinMenuColors& colors) {
  for (const RECT& r : open.Items)
    if (open.Shot.Pixel(r.left, r.top) != colors.BarStart) return false;
  return true;
}

class SkinMenuScreenTest : public SkinMenuTest {
 protected:
  void SetUp() override {
    SkinMenuTest::SetUp();
    SetCursorPos(0, 0);
    checked_ = AddItem(*popup_.Items(), "Checked item");
    checked_->SetChecked(true);
    disabled_ = AddItem(*popup_.Items(), "Disabled item", tk::ShortCut('D', tk::scCtrl));
    disabled_->SetEnabled(false);
    default_ = AddItem(*popup_.Items(), "Default item");
    default_->SetDefault(true);
    AddItem(*popup_.Items(), "-");
    AddItem(*popup_.Items(), "Plain item", tk::ShortCut('P', tk::scCtrl));
    TakeOver();
  }

  TMenuItem* checked_ = nullptr;
  TMenuItem* disabled_ = nullptr;
  TMenuItem* default_ = nullptr;
};

TEST_F(SkinMenuScreenTest, AnOpenPopupMenuIsMeasuredAndDrawnInTheSkin) {
  const TSkinMenuColors defaultColors = testing_support::SkinMenuColors(*engine_);
  testing_support::TOpenMenu drawn;
  int mismatchesAfterChange = -1;
  TSkinMenuColors darkColors{};
  ASSERT_TRUE(
      testing_support::WhileMenuIsOpen(popup_, 100, 100, [&](testing_support::TOpenMenu& open) {
        if (drawn.Window == nullptr) {
          if (!BarsDrawn(open, defaultColors)) return false;
          drawn = std::move(open);
          engine_->SetSkinFile(testing_support::SkinPackage("dark"));
          darkColors = testing_support::SkinMenuColors(*engine_);
          InvalidateRect(drawn.Window, nullptr, TRUE);
          return false;
        }
        if (!BarsDrawn(open, darkColors)) return false;
        mismatchesAfterChange = ItemsDrawnOtherwise(open, *popup_.Items());
        return true;
      }));
  ASSERT_EQ(drawn.Items.size(), 5u);
  tk::TMemoryDC dc;
  tk::TCanvas canvas(dc.Get());
  skin::SetMenuFont(canvas.Font());
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const RECT& r = drawn.Items[static_cast<std::size_t>(i)];
    int width = 0;
    int height = 0;
    engine_->MeasureMenuItem(popup_.Items()->Items(i), canvas, width, height);
    EXPECT_EQ(r.bottom - r.top, i == 3 ? 5 : kItemHeight);
    EXPECT_GE(r.right - r.left, width);
  }
  // Drawn in the default skin, then in the dark one once the skin changed.
  UseSkin("default");
  EXPECT_EQ(ItemsDrawnOtherwise(drawn, *popup_.Items()), 0);
  EXPECT_EQ(mismatchesAfterChange, 0);
  EXPECT_NE(darkColors.Item, defaultColors.Item);
}

TEST_F(SkinMenuScreenTest, TheSystemMenuIsDrawnInTheSkin) {
  TPopupMenu& system = *engine_->GetSysMenuPopup();
  const TSkinMenuColors colors = testing_support::SkinMenuColors(*engine_);
  int mismatches = -1;
  std::vector<int> heights;
  ASSERT_TRUE(
      testing_support::WhileMenuIsOpen(system, 120, 90, [&](testing_support::TOpenMenu& open) {
        if (!BarsDrawn(open, colors)) return false;
        mismatches = ItemsDrawnOtherwise(open, *system.Items());
        for (const RECT& r : open.Items) heights.push_back(r.bottom - r.top);
        return true;
      }));
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(heights, (std::vector<int>{kItemHeight, kItemHeight, 5, kItemHeight}));
}

TEST_F(SkinMenuScreenTest, HundredPopupsLeaveNoHandlesBehind) {
  const TSkinMenuColors colors = testing_support::SkinMenuColors(*engine_);
  auto showOnce = [&] {
    return testing_support::WhileMenuIsOpen(
        popup_, 100, 100,
        [&](testing_support::TOpenMenu& open) { return BarsDrawn(open, colors); });
  };
  ASSERT_TRUE(showOnce());
  ASSERT_TRUE(showOnce());
  EXPECT_TRUE(testing_support::LeavesNothingBehind([&] {
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(showOnce()) << i;
  }));
}

// ---- Menus of a skinned form ------------------------------------------------------------

// A main form with a main menu, popup menus of its own and of a button, and one popup menu
// with the disabled tag; the engine skins the form.
class SkinMenuFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application_ = std::make_unique<tk::TApplication>();
    form_ = application_->CreateForm<tk::TForm>();
    form_->SetBounds(60, 60, 420, 300);
    mainMenu_ = new tk::TMainMenu(form_);
    file_ = new TMenuItem(form_);
    file_->SetCaption("&File");
    mainMenu_->Items()->Add(file_);
    open_ = new TMenuItem(form_);
    open_->SetCaption("&Open");
    open_->SetOnDrawItem([this](TMenuItem*, tk::TCanvas&, tk::TRect, bool) { ++ownDraws_; });
    file_->Add(open_);
    form_->SetMenu(mainMenu_);
    popup_ = new TPopupMenu(form_);
    AddItem(*popup_->Items(), "Form popup");
    auto* button = new tk::TButton(form_);
    button->SetParent(form_);
    buttonPopup_ = new TPopupMenu(button);
    AddItem(*buttonPopup_->Items(), "Button popup");
    excluded_ = new TPopupMenu(form_);
    excluded_->SetTag(9999);
    AddItem(*excluded_->Items(), "Excluded");
    engine_ = new TzubSkinEngine(form_);
    engine_->SetSkinFile(testing_support::SkinPackage("default"));
    engine_->SetActive(true);
    engine_->SkinForm(form_);
    form_->Show();
    SetCursorPos(0, 0);
  }

  void TearDown() override { application_.reset(); }

  // Whether the menu and every item below its root are drawn by the engine.
  bool DrawnByEngine(tk::TMenu* menu) const {
    if (!menu->OwnerDraw()) return false;
    std::vector<TMenuItem*> pending{menu->Items()};
    while (!pending.empty()) {
      TMenuItem* item = pending.back();
      pending.pop_back();
      if (item != menu->Items() && !skin::IsEngineMenuItem(*item, engine_)) return false;
      for (int i = 0; i < item->Count(); ++i) pending.push_back(item->Items(i));
    }
    return true;
  }

  std::unique_ptr<tk::TApplication> application_;
  tk::TForm* form_ = nullptr;
  tk::TMainMenu* mainMenu_ = nullptr;
  TMenuItem* file_ = nullptr;
  TMenuItem* open_ = nullptr;
  TPopupMenu* popup_ = nullptr;
  TPopupMenu* buttonPopup_ = nullptr;
  TPopupMenu* excluded_ = nullptr;
  TzubSkinEngine* engine_ = nullptr;
  int ownDraws_ = 0;
};

UINT NativeType(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info.fType;
}

TEST_F(SkinMenuFormTest, SwitchingActiveGivesTheMenusBackAndTakesThemAgain) {
  for (const bool active : {true, false, true}) {
    SCOPED_TRACE(active);
    engine_->SetActive(active);
    EXPECT_EQ(DrawnByEngine(mainMenu_), active);
    EXPECT_EQ(DrawnByEngine(popup_), active);
    EXPECT_EQ(DrawnByEngine(buttonPopup_), active);
    EXPECT_FALSE(excluded_->OwnerDraw());
    EXPECT_FALSE(excluded_->Items()->Items(0)->OnDrawItem());
    EXPECT_EQ(mainMenu_->Images(), active ? &skin::MenuImageList() : nullptr);
    EXPECT_EQ(GetMenu(form_->Handle()), mainMenu_->Handle()) << "the form keeps its menu bar";
    EXPECT_EQ(NativeType(mainMenu_->Handle(), 0), static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(NativeType(file_->Handle(), 0), active ? MFT_OWNERDRAW : MFT_STRING);
    if (!active) continue;
    // The drop-down, tracked with the skinned form as its owner, is drawn in the skin.
    const TSkinMenuColors colors = testing_support::SkinMenuColors(*engine_);
    int mismatches = -1;
    const HMENU dropDown = file_->Handle();
    ASSERT_TRUE(testing_support::WhileMenuIsOpen(
        dropDown,
        [&] { TrackPopupMenuEx(dropDown, TPM_LEFTALIGN, 150, 150, form_->Handle(), nullptr); },
        [&](testing_support::TOpenMenu& open) {
          if (!BarsDrawn(open, colors)) return false;
          mismatches = ItemsDrawnOtherwise(open, *file_);
          return true;
        }));
    EXPECT_EQ(mismatches, 0);
  }
  engine_->SetActive(false);
  tk::TMemoryDC dc;
  tk::TCanvas canvas(dc.Get());
  ASSERT_TRUE(open_->OnDrawItem());
  open_->OnDrawItem()(open_, canvas, tk::Rect(0, 0, 1, 1), false);
  EXPECT_EQ(ownDraws_, 1) << "the item's own drawing is back";
}

}  // namespace
