#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/SkinEngine.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/ColorUtils.h"
#include "tests/support/WinPump.h"
#include "tests/win/SkinWindowTestSupport.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/GdiObject.h"
#include "toolkit/win/ImageList.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/Timer.h"

namespace testing_support {

// The menu colours of the engine's skin, read through the engine.
struct TSkinMenuColors {
  tk::TColor BarStart;
  tk::TColor BarEnd;
  tk::TColor Item;
  tk::TColor Text;
  tk::TColor Selected;
  tk::TColor SelectedBorder;
  tk::TColor SelectedText;
};

inline TSkinMenuColors SkinMenuColors(const skin::TzubSkinEngine& engine) {
  return {engine.GetSkinColor(skin::SKIN2_LEFTBARSTARTCOLOR),
          engine.GetSkinColor(skin::SKIN2_LEFTBARENDCOLOR),
          engine.GetSkinColor(skin::SKIN2_MENUITEMCOLOR),
          engine.GetSkinColor(skin::SKIN2_MENUITEMFONTCOLOR),
          engine.GetSkinColor(skin::SKIN2_SELECTEDMENUCOLOR),
          engine.GetSkinColor(skin::SKIN2_SELECTEDMENUBORDERCOLOR),
          engine.GetSkinColor(skin::SKIN2_SELECTEDMENUFONTCOLOR)};
}

// Something no menu paints, so that pixels left alone show.
inline constexpr tk::TColor kUntouched = 0x00FF00;

// The item as the toolkit's dispatch of WM_DRAWITEM has it drawn into a width x height item
// rectangle at (left, top) of a bitmap of untouched pixels.
inline TOwnedBitmap DrawMenuItem(tk::TMenuItem& item, int width, int height, bool selected,
                                 int left = 0, int top = 0) {
  TOwnedBitmap shot(left + width, top + height);
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) shot.Get().SetPixel(x, y, kUntouched);
  tk::TBitmapDC dc(shot.Get());
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = item.Command();
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = selected ? ODS_SELECTED : 0u;
  draw.hDC = dc.Get();
  draw.rcItem = RECT{left, top, left + width, top + height};
  draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
  tk::DispatchMenuDrawItem(draw);
  GdiFlush();
  return shot;
}

// How many pixels of r have the colour.
inline int CountColor(const TOwnedBitmap& shot, const tk::TRect& r, tk::TColor color) {
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) count += shot.Pixel(x, y) == color;
  return count;
}

// The leftmost and rightmost columns of r holding a pixel other than background; {-1, -1}
// when there is none.
inline std::pair<int, int> InkColumns(const TOwnedBitmap& shot, const tk::TRect& r,
                                      tk::TColor background) {
  std::pair<int, int> columns{-1, -1};
  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y)
      if (shot.Pixel(x, y) != background) {
        if (columns.first < 0) columns.first = x;
        columns.second = x;
        break;
      }
  return columns;
}

// Pixels at which two pictures of the same size differ.
inline int CountDifferences(const TOwnedBitmap& a, const TOwnedBitmap& b) {
  int count = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
  return count;
}

// An item appended to parent, which frees it.
inline tk::TMenuItem* AddItem(tk::TMenuItem& parent, const char* caption,
                              tk::TShortCut shortCut = tk::scNone) {
  auto* item = new tk::TMenuItem(nullptr);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  parent.Add(item);
  return item;
}

// An image list of one solid image.
inline std::unique_ptr<tk::TImageList> SolidImages(int width, int height, tk::TColor color) {
  auto images = std::make_unique<tk::TImageList>(width, height);
  tk::TBitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, color);
  images->Add(picture, nullptr);
  return images;
}

// The colour of column x of the bar: flat, or the gradient from the start to the end colour.
inline tk::TColor BarColor(const TSkinMenuColors& colors, int x, int barWidth) {
  return colors.BarStart == colors.BarEnd
             ? colors.BarStart
             : skin::HorizontalGradientColor(colors.BarStart, colors.BarEnd, x, barWidth);
}

// Columns [from, to) of one row that do not have the colour.
inline int OffColor(const TOwnedBitmap& shot, int row, int from, int to, tk::TColor color) {
  return (to - from) - CountColor(shot, tk::Rect(from, row, to, row + 1), color);
}

// The popup menu window of this thread that is on the screen, or null.
inline HWND OpenMenuWindow() {
  const DWORD thread = GetCurrentThreadId();
  for (HWND wnd = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); wnd != nullptr;
       wnd = FindWindowExW(nullptr, wnd, L"#32768", nullptr))
    if (IsWindowVisible(wnd) && GetWindowThreadProcessId(wnd, nullptr) == thread) return wnd;
  return nullptr;
}

// A popup menu while it is open: its window as it is on the screen, and the rectangles of its
// items in the picture's coordinates.
struct TOpenMenu {
  HWND Window = nullptr;
  HMENU Menu = nullptr;
  std::vector<RECT> Items;
  TOwnedBitmap Shot{1, 1};
};

inline TOpenMenu LookAtOpenMenu(HWND wnd, HMENU menu) {
  TOpenMenu open;
  open.Window = wnd;
  open.Menu = menu;
  open.Shot = CaptureWindow(wnd);
  RECT window{};
  GetWindowRect(wnd, &window);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    RECT item{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item);
    OffsetRect(&item, -window.left, -window.top);
    open.Items.push_back(item);
  }
  return open;
}

// Runs show, which opens menu and returns when it closes, and while the menu is open hands
// each look at it to step until step answers true; then closes it. Answers whether step
// finished before the generous time-out.
inline bool WhileMenuIsOpen(HMENU menu, const std::function<void()>& show,
                            const std::function<bool(TOpenMenu&)>& step) {
  bool finished = false;
  const ULONGLONG deadline = GetTickCount64() + kPumpTimeoutMs;
  tk::TTimer poll(nullptr);
  poll.SetInterval(20);
  poll.SetOnTimer([&](tk::TObject*) {
    if (finished) return;
    if (GetTickCount64() > deadline) {
      EndMenu();
      return;
    }
    const HWND wnd = OpenMenuWindow();
    if (wnd == nullptr) return;
    TOpenMenu open = LookAtOpenMenu(wnd, menu);
    if (!step(open)) return;
    finished = true;
    EndMenu();
  });
  show();
  return finished;
}

// The popup menu shown at (x, y).
inline bool WhileMenuIsOpen(tk::TPopupMenu& menu, int x, int y,
                            const std::function<bool(TOpenMenu&)>& step) {
  return WhileMenuIsOpen(
      menu.Handle(), [&] { menu.Popup(x, y); }, step);
}

}  // namespace testing_support
