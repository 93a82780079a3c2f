#pragma once

// What the tests of the application share: a started program with its main form on the
// screen, and the skin's title band as the program must show it.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ShellProcess.h"
#include "ShellScreen.h"
#include "skin/reader/Skin2Define.h"
#include "skin/reader/SkinReader.h"
#include "tests/support/WinPump.h"

namespace testing_support {

inline constexpr const wchar_t* kTitle = L"Orvandel";
inline constexpr int kTitleButtonFrames = 18;
inline constexpr int kCloseButtonFrame = 16;
inline constexpr LPARAM kAltDown = LPARAM{1} << 29;

// A path of the build machine as the program under Wine sees it (drive Z: is the root).
inline std::wstring WindowsPath(const std::string& path) {
  std::wstring result = path.starts_with("/") ? L"Z:" : L"";
  for (char c : path) result += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return result;
}

inline std::string SkinPackage(const char* name) {
  return std::string(ORV_SKINS_DIR) + "/" + name + ".zsk";
}

// A started program with its main form on the screen, closed at the end as a user would.
class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    // Away from every window, so that no caption button starts out hot.
    SetCursorPos(0, 0);
    run_ = std::make_unique<TProgramRun>(WindowsPath(ORV_PROGRAM));
    ASSERT_TRUE(run_->Started()) << "cannot start " << ORV_PROGRAM;
    main_ = WaitForWindowOf(*run_, L"", kTitle);
    ASSERT_NE(main_, nullptr) << "the main form did not show";
  }
  void TearDown() override {
    if (run_ == nullptr) return;
    if (main_ != nullptr && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(run_->WaitForExit()) << "the program did not end when its main form closed";
    run_.reset();
  }

  void PressAlt(wchar_t letter) const {
    PostMessageW(main_, WM_SYSKEYDOWN, static_cast<WPARAM>(letter), kAltDown);
  }

  std::unique_ptr<TProgramRun> run_;
  HWND main_ = nullptr;
};

inline std::string NarrowWindowsPath(const std::string& path) {
  std::string result = path.starts_with("/") ? "Z:" : "";
  for (char c : path) result += c == '/' ? '\\' : c;
  return result;
}

// One picture of the skin and where the frame must show it, in window coordinates, with the
// part of it that the frame draws something else over.
struct TPiece {
  const char* Name;
  const tk::TBitmap* Bitmap;
  int SourceLeft;
  int Width;
  POINT At;
  RECT Covered;
};

// How many of the piece's opaque pixels differ on the window, with the first few.
inline std::string Differences(const TScreenShot& shot, const TPiece& piece, tk::TColor key) {
  std::string found;
  int count = 0;
  for (int y = 0; y < piece.Bitmap->Height(); ++y)
    for (int x = 0; x < piece.Width; ++x) {
      const POINT at{piece.At.x + x, piece.At.y + y};
      const tk::TColor expected = piece.Bitmap->Pixel(piece.SourceLeft + x, y);
      if (expected == key || PtInRect(&piece.Covered, at)) continue;
      const tk::TColor actual = shot.Pixel(at.x, at.y);
      if (actual == expected) continue;
      if (++count <= 4)
        found += std::string(piece.Name) + " (" + std::to_string(x) + "," + std::to_string(y) +
                 ") " + std::to_string(actual) + " != " + std::to_string(expected) + "; ";
    }
  return count == 0 ? "" : std::to_string(count) + " pixels differ: " + found;
}

// A skin package read as the engine reads it, and the pieces of the title band that a frame of
// a given width shows: the left piece, the right one (TITLEBAR5 of a five-section title,
// TITLEBAR3 of a three-section one) and the close button.
class TTitleBand {
 public:
  explicit TTitleBand(const std::string& package) : reader_(NarrowWindowsPath(package), "") {}

  // The skin is read and has every piece.
  bool Complete() const {
    return reader_.Loaded() && Left() != nullptr && Right() != nullptr && Buttons() != nullptr;
  }
  tk::TColor Key() const { return reader_.GetColor(skin::SKIN2_TRANSCOLOR); }
  tk::TColor Color(skin::TSkin2Color index) const { return reader_.GetColor(index); }
  int Integer(skin::TSkin2Integer index) const { return reader_.GetInteger(index); }
  int RegionMinY() const { return reader_.GetInteger(skin::SKIN2_TITLEBARREGIONMINY); }
  int RegionMaxY() const { return reader_.GetInteger(skin::SKIN2_TITLEBARREGIONMAXY); }

  // The icon and the caption are drawn over the left piece from the icon's position on; the
  // close button over the right piece.
  std::vector<TPiece> Pieces(int width) const {
    const int frameWidth = Buttons()->Width() / kTitleButtonFrames;
    const int buttonsX = reader_.GetInteger(skin::SKIN2_TITLEBARBUTTONPOSX);
    const POINT close{width - buttonsX - frameWidth,
                      reader_.GetInteger(skin::SKIN2_TITLEBARBUTTONPOSY)};
    const RECT closeRect{close.x, close.y, close.x + frameWidth, close.y + Buttons()->Height()};
    const RECT captionRect{reader_.GetInteger(skin::SKIN2_TITLEBARICONPOSX), 0, width,
                           Left()->Height()};
    return {
        {"left piece", Left(), 0, Left()->Width(), {0, 0}, captionRect},
        {"right piece", Right(), 0, Right()->Width(), {width - Right()->Width(), 0}, closeRect},
        {"close button", Buttons(), (kCloseButtonFrame - 1) * frameWidth, frameWidth, close,
         RECT{}},
    };
  }

 private:
  const tk::TBitmap* Left() const { return reader_.GetBitmap(skin::SKIN2_TITLEBAR1); }
  const tk::TBitmap* Right() const {
    return reader_.GetBitmap(reader_.GetBoolean(skin::SKIN2_TITLEFIVESECT) ? skin::SKIN2_TITLEBAR5
                                                                           : skin::SKIN2_TITLEBAR3);
  }
  const tk::TBitmap* Buttons() const { return reader_.GetBitmap(skin::SKIN2_TITLEBUTTONS); }

  skin::TzubSkinReader reader_;
};

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// Waits (generously) until the window's title band shows band's pieces; answers what still
// differed when the time was up, or nothing.
inline std::string WaitForTitleBand(HWND window, const TTitleBand& band) {
  std::string differences;
  PumpUntil([&] {
    const RECT r = WindowRect(window);
    const TScreenShot shot(r);
    differences.clear();
    for (const TPiece& piece : band.Pieces(r.right - r.left))
      differences += Differences(shot, piece, band.Key());
    return differences.empty();
  });
  return differences;
}

}  // namespace testing_support
