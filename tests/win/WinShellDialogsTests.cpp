// The system's dialogs and the program's menus as a user meets them: the message box, the
// open-file dialog and the folder browser opened from the main form, the main form's pop-up
// menu and its system menu, all in the skin's look.

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "skin/reader/Skin2Define.h"
#include "tests/support/WinPump.h"

namespace {

using testing_support::ClassNameOf;
using testing_support::FindWindowOf;
using testing_support::ProgramTest;
using testing_support::PumpUntil;
using testing_support::SkinPackage;
using testing_support::TopLevelWindowsOf;
using testing_support::TPiece;
using testing_support::TScreenShot;
using testing_support::TTitleBand;
using testing_support::WaitForTitleBand;
using testing_support::WaitForWindowOf;
using testing_support::WindowRect;

constexpr UINT kSkinnedQuery = 0x2AAA;
constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kMenuClass = L"#32768";
constexpr const wchar_t* kMessageText = L"This message box is skinned like the forms.";
constexpr const wchar_t* kMessageCaption = L"Message";
constexpr UINT kMessageFlags = MB_OK | MB_ICONINFORMATION;
constexpr tk::TColor kSeparatorColor = 0x848284;

bool AnswersSkinned(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, kSkinnedQuery, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0 &&
         result == 1;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

// The client size the system gives the program's message box when nothing skins it: the same
// box, shown by this process on a thread of its own, measured and closed.
SIZE NativeMessageBoxClientSize() {
  std::thread shown([] { MessageBoxW(nullptr, kMessageText, kMessageCaption, kMessageFlags); });
  HWND box = nullptr;
  PumpUntil([&] {
    box = FindWindowOf(GetCurrentProcessId(), kDialogClass, kMessageCaption);
    return box != nullptr;
  });
  const SIZE size = box != nullptr ? ClientSize(box) : SIZE{};
  if (box != nullptr) PostMessageW(box, WM_CLOSE, 0, 0);
  shown.join();
  return size;
}

// Moves the cursor onto the skinned close button of window and clicks it there.
void ClickCloseButton(HWND window, const TTitleBand& band) {
  const RECT r = WindowRect(window);
  const TPiece close = band.Pieces(r.right - r.left)[2];
  const POINT at{r.left + close.At.x + close.Width / 2,
                 r.top + close.At.y + close.Bitmap->Height() / 2};
  SetCursorPos(at.x, at.y);
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, where);
  PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, where);
  PostMessageW(window, WM_NCLBUTTONUP, HTCAPTION, where);
}

// ---- Message box --------------------------------------------------------------------------

using ShellDialogTest = ProgramTest;

TEST_F(ShellDialogTest, MessageBoxGetsTheSkinnedFrameAroundTheClientTheSystemGaveIt) {
  const SIZE native = NativeMessageBoxClientSize();
  ASSERT_GT(native.cx, 0);
  const TTitleBand band(SkinPackage("default"));
  ASSERT_TRUE(band.Complete());

  PressAlt(L'M');
  const HWND box = WaitForWindowOf(*run_, kDialogClass, kMessageCaption);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WaitForTitleBand(box, band), "");
  EXPECT_TRUE(AnswersSkinned(box));
  EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU, 0) << "the native caption buttons stay";
  const SIZE client = ClientSize(box);
  EXPECT_EQ(client.cx, native.cx);
  EXPECT_EQ(client.cy, native.cy);

  POINT origin{0, 0};
  ClientToScreen(box, &origin);
  const TScreenShot shot(RECT{origin.x, origin.y, origin.x + client.cx, origin.y + client.cy});
  const tk::TColor formColor = band.Color(skin::SKIN2_FORMCOLOR);
  for (const POINT corner : {POINT{2, 2}, POINT{client.cx - 3, 2}, POINT{2, client.cy - 3}})
    EXPECT_EQ(shot.Pixel(corner.x, corner.y), formColor) << corner.x << "," << corner.y;

  ClickCloseButton(box, band);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); })) << "the close button left the box open";
  EXPECT_TRUE(IsWindowVisible(main_));
}

// Each dialog opened from the main form is skinned, also when it is opened a second time, and
// cancelling it gives the main form back.
struct TDialogKey {
  wchar_t Key;
  const wchar_t* Caption;
};

class ShellDialogKeyTest : public ProgramTest, public testing::WithParamInterface<TDialogKey> {};

TEST_P(ShellDialogKeyTest, DialogIsSkinnedEachTimeAndCancelsCleanly) {
  const TTitleBand band(SkinPackage("default"));
  ASSERT_TRUE(band.Complete());
  for (int round = 0; round < 2; ++round) {
    PressAlt(GetParam().Key);
    const HWND dialog = WaitForWindowOf(*run_, kDialogClass, GetParam().Caption);
    ASSERT_NE(dialog, nullptr) << "round " << round;
    EXPECT_EQ(WaitForTitleBand(dialog, band), "") << "round " << round;
    EXPECT_TRUE(AnswersSkinned(dialog)) << "round " << round;
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0) << "round " << round;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); })) << "round " << round;
  }
  EXPECT_TRUE(AnswersSkinned(main_));
  EXPECT_EQ(WaitForTitleBand(main_, band), "");
}

INSTANTIATE_TEST_SUITE_P(Shell, ShellDialogKeyTest,
                         testing::Values(TDialogKey{L'M', kMessageCaption},
                                         TDialogKey{L'O', L"Open"},
                                         TDialogKey{L'F', L"Browse for Folder"}),
                         [](const testing::TestParamInfo<TDialogKey>& info) {
                           return std::string("Alt") + static_cast<char>(info.param.Key);
                         });

// ---- Menus ----------------------------------------------------------------------------------

// The program's open menu window, or null.
HWND OpenMenuOf(const testing_support::TProgramRun& run) {
  for (HWND window : TopLevelWindowsOf(run.Id()))
    if (IsWindowVisible(window) && ClassNameOf(window) == kMenuClass) return window;
  return nullptr;
}

// What an owner-drawn menu of the skin shows, read from a shot of its window: a column near
// the leading edge in the bar's start colour, one near the trailing edge in the item colour,
// and the separator as a row in the separator colour.
std::string MenuDifferences(HWND menu, const TTitleBand& band) {
  const RECT r = WindowRect(menu);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const TScreenShot shot(r);
  auto columnShows = [&](int x, tk::TColor color) {
    int count = 0;
    for (int y = 0; y < height; ++y) count += shot.Pixel(x, y) == color ? 1 : 0;
    return count * 10 >= height * 7;
  };
  auto anyColumnShows = [&](int from, int to, tk::TColor color) {
    for (int x = from; x < to; ++x)
      if (columnShows(x, color)) return true;
    return false;
  };
  std::string found;
  if (!anyColumnShows(0, 8, band.Color(skin::SKIN2_LEFTBARSTARTCOLOR))) found += "no bar; ";
  if (!anyColumnShows(width - 8, width, band.Color(skin::SKIN2_MENUITEMCOLOR)))
    found += "no item background; ";
  bool separator = false;
  for (int y = 0; y < height && !separator; ++y) {
    int count = 0;
    for (int x = 0; x < width; ++x) count += shot.Pixel(x, y) == kSeparatorColor ? 1 : 0;
    separator = count * 2 >= width;
  }
  if (!separator) found += "no separator line; ";
  return found;
}

// Waits for the program's menu to open, compares it with the skin and closes it again.
std::string CheckOpenMenu(const testing_support::TProgramRun& run, const TTitleBand& band) {
  HWND menu = nullptr;
  if (!PumpUntil([&] { return (menu = OpenMenuOf(run)) != nullptr; })) return "no menu opened";
  std::string differences;
  PumpUntil([&] {
    differences = MenuDifferences(menu, band);
    return differences.empty();
  });
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!PumpUntil([&] { return OpenMenuOf(run) == nullptr; })) differences += "the menu stayed open";
  return differences;
}

using ShellMenuTest = ProgramTest;

TEST_F(ShellMenuTest, PopupMenuIsDrawnInEachSkinsColours) {
  for (const char* name : {"default", "dark", "light"}) {
    const TTitleBand band(SkinPackage(name));
    ASSERT_TRUE(band.Complete()) << name;
    ASSERT_EQ(WaitForTitleBand(main_, band), "") << name;
    PressAlt(L'P');
    EXPECT_EQ(CheckOpenMenu(*run_, band), "") << name;
    PressAlt(L'K');
  }
}

TEST_F(ShellMenuTest, SystemMenuOnTheCaptionIsDrawnInTheSkinsColours) {
  const TTitleBand band(SkinPackage("default"));
  ASSERT_TRUE(band.Complete());
  ASSERT_EQ(WaitForTitleBand(main_, band), "");
  // The caption just right of the icon, away from every caption button.
  const RECT r = WindowRect(main_);
  const POINT at{r.left + 60, r.top + 8};
  SetCursorPos(at.x, at.y);
  PostMessageW(main_, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(CheckOpenMenu(*run_, band), "");
}

}  // namespace
