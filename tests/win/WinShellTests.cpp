// The application as a user meets it: the real Orvandel.exe is started, watched and driven
// from outside, through the windows it shows (Wine shares windows between processes).

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "skin/reader/Skin2Define.h"
#include "skin/reader/SkinReader.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/FileSystem.h"

namespace {

using testing_support::ChildTexts;
using testing_support::ClassNameOf;
using testing_support::kAltDown;
using testing_support::kTitle;
using testing_support::NarrowWindowsPath;
using testing_support::ProgramTest;
using testing_support::PumpUntil;
using testing_support::SkinPackage;
using testing_support::TopLevelWindowsOf;
using testing_support::TPiece;
using testing_support::TProgramRun;
using testing_support::TScreenShot;
using testing_support::TTitleBand;
using testing_support::WaitForTitleBand;
using testing_support::WaitForWindowOf;
using testing_support::WindowRect;
using testing_support::WindowsPath;
using testing_support::WindowText;

constexpr const wchar_t* kNoticeCaption = L"\u63d0\u793a";
constexpr const wchar_t* kNoticeText = L"Orvandel\u5df2\u7ecf\u8fd0\u884c...";
constexpr const wchar_t* kDialogClass = L"#32770";
constexpr int kClientWidth = 472;
constexpr int kClientHeight = 360;
constexpr int kRightPieceWidth = 14;
constexpr int kCloseButtonRight = 25;

// ---- Single instance --------------------------------------------------------------------

TEST(ShellInstanceTest, SecondInstanceTellsTheUserAndEndsWithoutAWindow) {
  TProgramRun first(WindowsPath(ORV_PROGRAM));
  ASSERT_TRUE(first.Started());
  const HWND main = WaitForWindowOf(first, L"", kTitle);
  ASSERT_NE(main, nullptr);

  TProgramRun second(WindowsPath(ORV_PROGRAM));
  ASSERT_TRUE(second.Started());
  const HWND box = WaitForWindowOf(second, kDialogClass, kNoticeCaption);
  ASSERT_NE(box, nullptr) << "the second instance showed no notice";
  const std::vector<std::wstring> texts = ChildTexts(box, L"Static");
  EXPECT_NE(std::find(texts.begin(), texts.end(), kNoticeText), texts.end());
  for (HWND window : TopLevelWindowsOf(second.Id()))
    if (window != box && IsWindowVisible(window))
      ADD_FAILURE() << "the second instance shows a " << testing::PrintToString(ClassNameOf(window))
                    << " window " << testing::PrintToString(WindowText(window));

  PostMessageW(box, WM_CLOSE, 0, 0);
  ASSERT_TRUE(second.WaitForExit()) << "the second instance went on after its notice";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(IsWindow(main));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.WaitForExit());
}

TEST(ShellInstanceTest, NewInstanceStartsOnceTheFirstHasEnded) {
  for (int round = 0; round < 2; ++round) {
    TProgramRun run(WindowsPath(ORV_PROGRAM));
    ASSERT_TRUE(run.Started());
    const HWND main = WaitForWindowOf(run, L"", kTitle);
    ASSERT_NE(main, nullptr) << "round " << round << ": no main form";
    EXPECT_EQ(testing_support::FindWindowOf(run.Id(), kDialogClass, kNoticeCaption), nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForExit()) << "round " << round;
    EXPECT_EQ(run.ExitCode(), 0u);
  }
}

// ---- Main form ----------------------------------------------------------------------------

using MainFormTest = ProgramTest;

TEST_F(MainFormTest, IsAFixedDialogOfTheStoredSizeInTheMiddleOfTheScreen) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(main_, &client));
  EXPECT_EQ(client.right - client.left, kClientWidth);
  EXPECT_EQ(client.bottom - client.top, kClientHeight);
  const LONG style = GetWindowLongW(main_, GWL_STYLE);
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "a dialog border cannot be sized";
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

  RECT window{};
  ASSERT_TRUE(GetWindowRect(main_, &window));
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR(window.left + (window.right - window.left) / 2, screenWidth / 2, 1);
  EXPECT_NEAR(window.top + (window.bottom - window.top) / 2, screenHeight / 2, 1);
}

// ---- The skinned frame --------------------------------------------------------------------

// The places of the region rows of the left and right title pieces where the window's region
// disagrees with them: transparent pixels must lie outside it, the others inside.
std::string RegionDifferences(HWND window, const TTitleBand& band) {
  const tk::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR) return "the window has no region";
  const RECT r = WindowRect(window);
  const std::vector<TPiece> pieces = band.Pieces(r.right - r.left);
  std::string found;
  for (const TPiece& piece : {pieces[0], pieces[1]})
    for (int y = band.RegionMinY(); y <= band.RegionMaxY(); ++y)
      for (int x = 0; x < piece.Width; ++x) {
        const bool transparent = piece.Bitmap->Pixel(x, y) == band.Key();
        const POINT at{piece.At.x + x, piece.At.y + y};
        if ((PtInRegion(region.Get(), at.x, at.y) != FALSE) == transparent)
          found +=
              std::string(piece.Name) + " (" + std::to_string(x) + "," + std::to_string(y) + ") ";
      }
  return found;
}

TEST_F(MainFormTest, TitleBandShowsTheBuiltInSkin) {
  const TTitleBand band(SkinPackage("default"));
  ASSERT_TRUE(band.Complete());
  const std::vector<TPiece> pieces = band.Pieces(kClientWidth);
  EXPECT_EQ(pieces[1].Width, kRightPieceWidth);
  EXPECT_EQ(pieces[2].At.x, kClientWidth - kCloseButtonRight);
  SetForegroundWindow(main_);
  EXPECT_EQ(WaitForTitleBand(main_, band), "");
}

TEST_F(MainFormTest, RoundedCornersLieOutsideTheWindow) {
  const TTitleBand band(SkinPackage("default"));
  ASSERT_TRUE(band.Complete());
  std::string differences;
  PumpUntil([&] {
    differences = RegionDifferences(main_, band);
    return differences.empty();
  });
  EXPECT_EQ(differences, "");
}

// ---- Keys ---------------------------------------------------------------------------------

TEST_F(MainFormTest, AltKStepsThroughTheShippedSkinsAndBackToTheBuiltInOne) {
  for (const char* name : {"dark", "light", "default"}) {
    const TTitleBand band(SkinPackage(name));
    ASSERT_TRUE(band.Complete()) << name;
    PressAlt(L'K');
    EXPECT_EQ(WaitForTitleBand(main_, band), "") << name;
  }
}

TEST_F(MainFormTest, AltASwitchesSkinningOffAndOn) {
  const TTitleBand band(SkinPackage("default"));
  ASSERT_TRUE(band.Complete());
  ASSERT_EQ(WaitForTitleBand(main_, band), "");
  PressAlt(L'A');
  EXPECT_TRUE(PumpUntil([&] { return !RegionDifferences(main_, band).empty(); }))
      << "the window kept the skin's outline";
  PressAlt(L'A');
  EXPECT_EQ(WaitForTitleBand(main_, band), "");
  EXPECT_TRUE(PumpUntil([&] { return RegionDifferences(main_, band).empty(); }));
}

// A package beside the program that is not a skin package: named to come after the shipped
// ones, written before the program starts and deleted when the test ends.
class DamagedSkinTest : public ProgramTest {
 protected:
  void SetUp() override {
    std::ofstream(damaged_.Name(), std::ios::binary) << "SK this is not a skin package";
    ProgramTest::SetUp();
  }

  const tk::ScopedTempFile damaged_{NarrowWindowsPath(ProgramFolder() + "zz-damaged.zsk")};

 private:
  static std::string ProgramFolder() {
    const std::string program = ORV_PROGRAM;
    return program.substr(0, program.find_last_of('/') + 1);
  }
};

TEST_F(DamagedSkinTest, LeavesTheProgramRunningAndTheNextSkinShows) {
  const TTitleBand light(SkinPackage("light"));
  const TTitleBand builtIn(SkinPackage("default"));
  ASSERT_TRUE(light.Complete() && builtIn.Complete());
  PressAlt(L'K');
  PressAlt(L'K');
  ASSERT_EQ(WaitForTitleBand(main_, light), "");
  // The damaged package comes after light and cannot be read; the program goes on, and the
  // step after it brings the built-in skin back.
  PressAlt(L'K');
  PressAlt(L'K');
  EXPECT_EQ(WaitForTitleBand(main_, builtIn), "");
  EXPECT_TRUE(run_->Running());
}

// Each key opens its window; closing it leaves the main form running.
struct TOpenedWindow {
  wchar_t Key;
  const wchar_t* ClassName;
  const wchar_t* Caption;
};

class KeyOpensWindowTest : public ProgramTest, public testing::WithParamInterface<TOpenedWindow> {};

TEST_P(KeyOpensWindowTest, AndClosingItLeavesTheMainForm) {
  const TOpenedWindow& expected = GetParam();
  PressAlt(expected.Key);
  const HWND opened = WaitForWindowOf(*run_, expected.ClassName, expected.Caption);
  ASSERT_NE(opened, nullptr);
  PostMessageW(opened, WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(opened) || !IsWindowVisible(opened); }));
  EXPECT_TRUE(IsWindowVisible(main_));
}

INSTANTIATE_TEST_SUITE_P(Shell, KeyOpensWindowTest,
                         testing::Values(TOpenedWindow{L'M', kDialogClass, L"Message"},
                                         TOpenedWindow{L'S', L"", L"Second form"},
                                         TOpenedWindow{L'D', L"", L"MDI windows"},
                                         TOpenedWindow{L'O', kDialogClass, L"Open"},
                                         TOpenedWindow{L'F', kDialogClass, L"Browse for Folder"}),
                         [](const testing::TestParamInfo<TOpenedWindow>& info) {
                           return std::string("Alt") + static_cast<char>(info.param.Key);
                         });

TEST_F(MainFormTest, MdiFrameHasTwoChildren) {
  PressAlt(L'D');
  const HWND frame = WaitForWindowOf(*run_, L"", L"MDI windows");
  ASSERT_NE(frame, nullptr);
  const HWND client = FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr);
  ASSERT_NE(client, nullptr);
  std::vector<std::wstring> children = ChildTexts(client, L"TMdiChildForm");
  std::sort(children.begin(), children.end());
  EXPECT_EQ(children, (std::vector<std::wstring>{L"Child 1", L"Child 2"}));
}

// The second form's own keys, pressed in turn on it. Restoring a window minimized from
// maximized brings it back maximized, as the system does, so it is restored in between.
TEST_F(MainFormTest, SecondFormMaximizesMinimizesAndRestoresFromTheKeyboard) {
  PressAlt(L'S');
  const HWND second = WaitForWindowOf(*run_, L"", L"Second form");
  ASSERT_NE(second, nullptr);
  struct TStep {
    wchar_t Key;
    bool Zoomed;
    bool Iconic;
  };
  for (const TStep& step : {TStep{L'X', true, false}, TStep{L'R', false, false},
                            TStep{L'N', false, true}, TStep{L'R', false, false}}) {
    PostMessageW(second, WM_SYSKEYDOWN, static_cast<WPARAM>(step.Key), kAltDown);
    EXPECT_TRUE(PumpUntil([&] {
      return (IsZoomed(second) != FALSE) == step.Zoomed &&
             (IsIconic(second) != FALSE) == step.Iconic;
    })) << "Alt+"
        << static_cast<char>(step.Key) << ": zoomed " << IsZoomed(second) << ", iconic "
        << IsIconic(second);
  }
}

}  // namespace
