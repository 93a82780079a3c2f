#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "skin/utils/ZUBSkinUtils.h"
#include "tests/support/TestWindow.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"

namespace {

using tk::TRect;

// A window destroyed with the object; the title is UTF-16 so that any text survives.
using testing_support::TTestWindow;

constexpr DWORD kPopup = WS_POPUP;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// Every name asked of the resolver, in order; one name answers nil as if the system lacked it.
std::vector<std::string> askedNames;
std::string missingName;

FARPROC RecordingResolver(const char* procName) {
  askedNames.emplace_back(procName);
  if (missingName == procName) return nullptr;
  return GetProcAddress(GetModuleHandleW(L"user32.dll"), procName);
}

class User32LookupTest : public testing::Test {
 protected:
  void SetUp() override { skin::ResetUser32Lookups(); }
  void TearDown() override {
    skin::ResetUser32Lookups();
    askedNames.clear();
    missingName.clear();
  }
  // Lookups go through RecordingResolver, which answers nil for missing.
  void ResolveThroughRecorder(const std::string& missing = {}) {
    missingName = missing;
    skin::ResetUser32Lookups(&RecordingResolver);
  }
};

void SetRange(HWND wnd, int bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  si.nMax = 100;
  si.nPage = 10;
  si.nPos = 30;
  SetScrollInfo(wnd, bar, &si, TRUE);
}

void ExpectSameScrollBarInfo(const SCROLLBARINFO& got, const SCROLLBARINFO& want) {
  EXPECT_EQ(got.rcScrollBar.left, want.rcScrollBar.left);
  EXPECT_EQ(got.rcScrollBar.top, want.rcScrollBar.top);
  EXPECT_EQ(got.rcScrollBar.right, want.rcScrollBar.right);
  EXPECT_EQ(got.rcScrollBar.bottom, want.rcScrollBar.bottom);
  EXPECT_EQ(got.dxyLineButton, want.dxyLineButton);
  EXPECT_EQ(got.xyThumbTop, want.xyThumbTop);
  EXPECT_EQ(got.xyThumbBottom, want.xyThumbBottom);
  for (int i = 0; i <= CCHILDREN_SCROLLBAR; ++i) EXPECT_EQ(got.rgstate[i], want.rgstate[i]) << i;
}

TEST_F(User32LookupTest, ScrollBarInfoEqualsTheDirectCall) {
  TTestWindow parent(L"STATIC", L"", kPopup | WS_VSCROLL, nullptr);
  TTestWindow bar(L"SCROLLBAR", L"", kChild | SBS_HORZ, parent.Handle(), 150, 17);
  SetRange(parent.Handle(), SB_VERT);
  SetRange(bar.Handle(), SB_CTL);
  struct TCase {
    HWND Wnd;
    LONG ObjectId;
  };
  for (const TCase& c :
       {TCase{bar.Handle(), OBJID_CLIENT}, TCase{parent.Handle(), OBJID_VSCROLL}}) {
    SCOPED_TRACE(c.ObjectId);
    SCROLLBARINFO got{};
    got.cbSize = sizeof got;
    SCROLLBARINFO want = got;
    ASSERT_NE(skin::DynGetScrollBarInfo(c.Wnd, c.ObjectId, got), FALSE);
    ASSERT_NE(GetScrollBarInfo(c.Wnd, c.ObjectId, &want), FALSE);
    EXPECT_GT(got.xyThumbBottom, got.xyThumbTop);
    ExpectSameScrollBarInfo(got, want);
  }
}

TEST_F(User32LookupTest, ComboBoxInfoEqualsTheDirectCall) {
  TTestWindow parent(L"STATIC", L"", kPopup, nullptr);
  TTestWindow combo(L"COMBOBOX", L"", kChild | CBS_DROPDOWN, parent.Handle(), 120, 150);
  COMBOBOXINFO got{};
  got.cbSize = sizeof got;
  COMBOBOXINFO want = got;
  ASSERT_NE(skin::DynGetComboBoxInfo(combo.Handle(), got), FALSE);
  ASSERT_NE(GetComboBoxInfo(combo.Handle(), &want), FALSE);
  EXPECT_EQ(got.hwndCombo, combo.Handle());
  EXPECT_NE(got.hwndItem, nullptr);
  EXPECT_EQ(got.hwndItem, want.hwndItem);
  EXPECT_EQ(got.hwndList, want.hwndList);
  EXPECT_EQ(got.stateButton, want.stateButton);
  for (const auto& [g, w] : {std::pair{got.rcItem, want.rcItem}, {got.rcButton, want.rcButton}}) {
    EXPECT_EQ(g.left, w.left);
    EXPECT_EQ(g.top, w.top);
    EXPECT_EQ(g.right, w.right);
    EXPECT_EQ(g.bottom, w.bottom);
  }
}

TEST_F(User32LookupTest, AncestorEqualsTheDirectCall) {
  TTestWindow top(L"STATIC", L"", kPopup, nullptr);
  TTestWindow child(L"STATIC", L"", kChild, top.Handle());
  TTestWindow grandchild(L"STATIC", L"", kChild, child.Handle());
  TTestWindow owned(L"STATIC", L"", kPopup, top.Handle());
  struct TCase {
    HWND Wnd;
    UINT Flags;
    HWND Expected;
  };
  const TCase cases[] = {
      {grandchild.Handle(), GA_PARENT, child.Handle()},
      {grandchild.Handle(), GA_ROOT, top.Handle()},
      {grandchild.Handle(), GA_ROOTOWNER, top.Handle()},
      {owned.Handle(), GA_ROOT, owned.Handle()},
      {owned.Handle(), GA_ROOTOWNER, top.Handle()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Flags);
    EXPECT_EQ(skin::DynGetAncestor(c.Wnd, c.Flags), c.Expected);
    EXPECT_EQ(skin::DynGetAncestor(c.Wnd, c.Flags), GetAncestor(c.Wnd, c.Flags));
  }
}

TEST_F(User32LookupTest, LoadsUser32OnTheFirstLookupAndReleasesItOnReset) {
  EXPECT_EQ(skin::User32Module(), nullptr);
  TTestWindow top(L"STATIC", L"", kPopup, nullptr);
  EXPECT_EQ(skin::DynGetAncestor(top.Handle(), GA_ROOT), top.Handle());
  EXPECT_EQ(skin::User32Module(), GetModuleHandleW(L"user32.dll"));
  skin::ResetUser32Lookups();
  EXPECT_EQ(skin::User32Module(), nullptr);
}

TEST_F(User32LookupTest, LooksEachNameUpOnce) {
  ResolveThroughRecorder();
  TTestWindow top(L"STATIC", L"", kPopup | WS_VSCROLL, nullptr);
  TTestWindow combo(L"COMBOBOX", L"", kChild | CBS_DROPDOWN, top.Handle());
  for (int round = 0; round < 2; ++round) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    COMBOBOXINFO box{};
    box.cbSize = sizeof box;
    EXPECT_NE(skin::DynGetScrollBarInfo(top.Handle(), OBJID_VSCROLL, bar), FALSE);
    EXPECT_NE(skin::DynGetComboBoxInfo(combo.Handle(), box), FALSE);
    EXPECT_EQ(skin::DynGetAncestor(combo.Handle(), GA_PARENT), top.Handle());
    EXPECT_EQ(skin::GetInternalWindowTextW(top.Handle()), L"");
  }
  EXPECT_EQ(askedNames, (std::vector<std::string>{"GetScrollBarInfo", "GetComboBoxInfo",
                                                  "GetAncestor", "InternalGetWindowText"}));
}

TEST_F(User32LookupTest, AMissingComboBoxInfoDisablesAllThreeWrappers) {
  ResolveThroughRecorder("GetComboBoxInfo");
  TTestWindow top(L"STATIC", L"", kPopup | WS_VSCROLL, nullptr);
  TTestWindow combo(L"COMBOBOX", L"", kChild | CBS_DROPDOWN, top.Handle());
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  COMBOBOXINFO box{};
  box.cbSize = sizeof box;
  ASSERT_NE(skin::DynGetScrollBarInfo(top.Handle(), OBJID_VSCROLL, bar), FALSE);
  EXPECT_EQ(skin::DynGetComboBoxInfo(combo.Handle(), box), FALSE);
  EXPECT_EQ(skin::DynGetScrollBarInfo(top.Handle(), OBJID_VSCROLL, bar), FALSE);
  EXPECT_EQ(skin::DynGetAncestor(combo.Handle(), GA_PARENT), nullptr);
  EXPECT_EQ(skin::DynGetComboBoxInfo(combo.Handle(), box), FALSE);
  // Nothing is looked up again once the flag is set, not even a name never tried.
  EXPECT_EQ(askedNames, (std::vector<std::string>{"GetScrollBarInfo", "GetComboBoxInfo"}));
}

TEST_F(User32LookupTest, AMissingInternalGetWindowTextLeavesTheOthersWorking) {
  ResolveThroughRecorder("InternalGetWindowText");
  TTestWindow top(L"STATIC", L"Title", kPopup, nullptr);
  TTestWindow child(L"STATIC", L"", kChild, top.Handle());
  EXPECT_EQ(skin::GetInternalWindowTextW(top.Handle()), L"");
  EXPECT_EQ(skin::DynGetAncestor(child.Handle(), GA_PARENT), top.Handle());
}

skin::TVersionFlags RunningSystemFlags() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  EXPECT_NE(GetVersionExA(&info), FALSE);
  return skin::VersionFlagsFor(info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId);
}

TEST_F(User32LookupTest, InternalWindowTextReadsUnicodeTitles) {
  const bool nt = RunningSystemFlags().NTFamily;
  for (const std::wstring title :
       {L"Orvandel\u5df2\u7ecf\u8fd0\u884c \u00c4\u00d6 &x", L"A", L""}) {
    TTestWindow window(L"STATIC", title, kPopup, nullptr);
    EXPECT_EQ(skin::GetInternalWindowTextW(window.Handle()), nt ? title : L"");
  }
}

TEST(VersionFlagsTest, FollowMajorMinorAndPlatform) {
  constexpr DWORD kWindows = VER_PLATFORM_WIN32_WINDOWS;
  constexpr DWORD kNT = VER_PLATFORM_WIN32_NT;
  constexpr DWORD kWin32s = VER_PLATFORM_WIN32s;
  struct TCase {
    DWORD Major, Minor, Platform;
    bool NTFamily, Win95, NTPointRelease, NT60;
  };
  const TCase cases[] = {
      {4, 0, kWindows, false, true, false, false},   {4, 10, kWindows, false, false, false, false},
      {4, 90, kWindows, false, false, false, false}, {5, 1, kWindows, false, false, false, false},
      {4, 0, kWin32s, false, false, false, false},   {4, 0, kNT, true, false, false, false},
      {5, 0, kNT, true, false, false, false},        {5, 1, kNT, true, false, true, false},
      {5, 2, kNT, true, false, true, false},         {6, 0, kNT, true, false, false, true},
      {6, 1, kNT, true, false, true, false},         {6, 2, kNT, true, false, true, false},
      {10, 0, kNT, true, false, false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Major << "." << c.Minor << " platform " << c.Platform);
    EXPECT_EQ(skin::VersionFlagsFor(c.Major, c.Minor, c.Platform),
              (skin::TVersionFlags{c.NTFamily, c.Win95, c.NTPointRelease, c.NT60}));
  }
}

TEST(VersionFlagsTest, StartUpFlagsAreTheRunningSystems) {
  const skin::TVersionFlags flags = RunningSystemFlags();
  EXPECT_EQ(skin::IsWin95(), flags.Win95);
  EXPECT_EQ(skin::IsNTPointRelease(), flags.NTPointRelease);
  EXPECT_EQ(skin::IsNT60(), flags.NT60);
}

TEST(StripAmpersandsTest, RemovesEveryAmpersand) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},        {"Plain", "Plain"}, {"&File", "File"}, {"E&xit", "Exit"},
      {"a&", "a"},     {"&&", ""},         {"&&&", ""},       {"Save && &Exit", "Save  Exit"},
      {"&A&B&", "AB"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(skin::StripAmpersands(text), expected) << text;
}

TEST(PointInRectTest, CountsAllFourEdges) {
  constexpr TRect r = tk::Rect(0, 0, 10, 20);
  struct TCase {
    int X, Y;
    bool Inside;
  };
  const TCase cases[] = {
      {0, 0, true},   {10, 20, true}, {10, 0, true},   {0, 20, true},   {5, 7, true},
      {-1, 0, false}, {0, -1, false}, {11, 20, false}, {10, 21, false}, {-1, 21, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
    EXPECT_EQ(skin::PointInRect(c.X, c.Y, r), c.Inside);
    EXPECT_EQ(skin::PointInRect(tk::TPoint{c.X, c.Y}, r), c.Inside);
  }
}

TEST(DrawMenuSeparatorLineTest, DrawsOneRowBetweenTheGapsOfEitherDirection) {
  constexpr tk::TColor kBackground = 0x00224466;
  constexpr tk::TColor kLine = 0x0000C0F0;
  struct TCase {
    TRect R;
    bool LeftToRight;
    int Gutter;
    int Y, From, To;  // To is the first column not drawn
  };
  const TCase cases[] = {
      {tk::Rect(3, 2, 50, 10), true, 20, 4, 27, 48},
      {tk::Rect(3, 2, 50, 10), false, 20, 4, 5, 26},
      {tk::Rect(0, 0, 40, 8), true, 0, 2, 4, 38},
      {tk::Rect(0, 0, 40, 8), false, 0, 2, 2, 36},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "ltr " << c.LeftToRight << " gutter " << c.Gutter);
    tk::TBitmap bitmap;
    bitmap.SetSize(60, 12);
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, kBackground);
    skin::DrawMenuSeparatorLine(bitmap.Canvas(), c.R, kLine, c.LeftToRight, c.Gutter);
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) {
        const bool onLine = y == c.Y && x >= c.From && x < c.To;
        ASSERT_EQ(bitmap.Pixel(x, y), onLine ? kLine : kBackground) << "x=" << x << " y=" << y;
      }
  }
}

}  // namespace
