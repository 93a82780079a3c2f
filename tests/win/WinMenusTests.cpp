#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/HandleCount.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/Exception.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/Properties.h"
#include "toolkit/win/ShortCut.h"
#include "toolkit/win/Timer.h"

namespace {

using testing_support::PumpUntil;
using tk::TMainMenu;
using tk::TMenuItem;
using tk::TPopupMenu;
using tk::TShortCut;

constexpr const wchar_t* kWindowClass = L"OrvandelMenuTestWindow";

// A window procedure as a form's would be: menu messages go to the toolkit's dispatchers.
LRESULT CALLBACK MenuTestWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MEASUREITEM:
      return tk::DispatchMenuMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
      return tk::DispatchMenuDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return tk::DispatchMenuCommand(LOWORD(wParam)) ? 0 : 1;
    default: return DefWindowProcW(window, msg, wParam, lParam);
  }
}

const wchar_t* WindowClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MenuTestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc);
  }();
  EXPECT_NE(atom, 0);
  return kWindowClass;
}

// A hidden top-level window showing a main menu; it takes the menu off again before it goes,
// as a window destroys the menu it shows.
class TMenuWindow {
 public:
  explicit TMenuWindow(TMainMenu& menu)
      : window_(WindowClass(), L"Menus", WS_OVERLAPPEDWINDOW, nullptr, 300, 200) {
    SetMenu(Handle(), menu.Handle());
    menu.SetWindowHandle(Handle());
  }
  ~TMenuWindow() { SetMenu(Handle(), nullptr); }
  HWND Handle() const { return window_.Handle(); }

 private:
  testing_support::TTestWindow window_;
};

TMenuItem* AddItem(TMenuItem& parent, const char* caption, TShortCut shortCut = tk::scNone,
                   tk::TComponent* owner = nullptr) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  parent.Add(item);
  return item;
}

MENUITEMINFOW NativeItem(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info));
  return info;
}

std::string Narrow(const std::wstring& text) {
  return tk::AnsiFromWide(text);
}

// The native menu as text: items separated by "|", a submenu in brackets, "-" for a
// separator, and marks after an item's text: * checked, ~ disabled, ! default, o radio.
std::string Dump(HMENU menu) {
  std::string out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (i > 0) out += "|";
    const MENUITEMINFOW info = NativeItem(menu, i);
    if ((info.fType & MFT_SEPARATOR) != 0) {
      out += "-";
      continue;
    }
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, static_cast<int>(std::size(text)),
                   MF_BYPOSITION);
    out += Narrow(text);
    if ((info.fState & MFS_CHECKED) != 0) out += "*";
    if ((info.fState & MFS_DISABLED) != 0) out += "~";
    if ((info.fState & MFS_DEFAULT) != 0) out += "!";
    if ((info.fType & MFT_RADIOCHECK) != 0) out += "o";
    if (info.hSubMenu != nullptr) out += "[" + Dump(info.hSubMenu) + "]";
  }
  return out;
}

// Live menus of this process: Wine's GetGuiResources answers 0, and its user handle table
// resolves a bare 16-bit index, so every index is probed.
int CountMenus() {
  constexpr std::uintptr_t kLastIndex = 0xFFFF;
  int count = 0;
  for (std::uintptr_t i = 1; i <= kLastIndex; ++i) count += IsMenu(reinterpret_cast<HMENU>(i));
  return count;
}

// File (Open, Save, separator, Exit) and Edit (Undo) on a main menu that owns the items, so
// that an item a test takes out is freed too.
struct TSampleMenu {
  TSampleMenu() {
    file = AddItem(*menu.Items(), "&File", tk::scNone, &menu);
    open = AddItem(*file, "&Open", tk::ShortCut('O', tk::scCtrl), &menu);
    save = AddItem(*file, "&Save", tk::ShortCut('S', tk::scCtrl), &menu);
    line = AddItem(*file, "-", tk::scNone, &menu);
    exit = AddItem(*file, "E&xit", tk::scNone, &menu);
    edit = AddItem(*menu.Items(), "&Edit", tk::scNone, &menu);
    undo = AddItem(*edit, "&Undo", tk::ShortCut(VK_BACK, tk::scAlt), &menu);
  }

  TMainMenu menu{nullptr};
  TMenuItem* file;
  TMenuItem* open;
  TMenuItem* save;
  TMenuItem* line;
  TMenuItem* exit;
  TMenuItem* edit;
  TMenuItem* undo;
};

class MenuTest : public testing::Test, public TSampleMenu {
 protected:
  static void SetUpTestSuite() { tk::RegisterComponentClass<tk::TComponent>(); }
};

constexpr const char* kFixtureMenu =
    "&File[&Open\tCtrl+O|&Save\tCtrl+S|-|E&xit]|&Edit[&Undo\tAlt+BkSp]";

// ---- Native structure ---------------------------------------------------------------------

TEST_F(MenuTest, NativeMenuMirrorsTheItems) {
  TMenuWindow window(menu);
  EXPECT_EQ(GetMenu(window.Handle()), menu.Handle());
  EXPECT_EQ(Dump(menu.Handle()), kFixtureMenu);
  const MENUITEMINFOW fileInfo = NativeItem(menu.Handle(), 0);
  EXPECT_EQ(fileInfo.wID, file->Command());
  EXPECT_EQ(fileInfo.hSubMenu, file->Handle());
  EXPECT_EQ(fileInfo.dwItemData, reinterpret_cast<ULONG_PTR>(file));
  EXPECT_EQ(NativeItem(file->Handle(), 1).wID, save->Command());
  EXPECT_EQ(file->GetParentMenu(), &menu);
  EXPECT_EQ(undo->GetParentMenu(), &menu);
  EXPECT_EQ(undo->Parent(), edit);
  EXPECT_NE(open->Command(), save->Command());
  EXPECT_EQ(menu.FindItem(exit->Command()), exit);
}

TEST_F(MenuTest, NativeMenuFollowsChanges) {
  struct TCase {
    const char* What;
    std::function<void(TSampleMenu&)> Change;
    const char* Expected;
  };
  const TCase cases[] = {
      {"caption", [](TSampleMenu& t) { t.save->SetCaption("Save &As"); },
       "&File[&Open\tCtrl+O|Save &As\tCtrl+S|-|E&xit]|&Edit[&Undo\tAlt+BkSp]"},
      {"states",
       [](TSampleMenu& t) {
         t.open->SetChecked(true);
         t.save->SetEnabled(false);
         t.exit->SetDefault(true);
       },
       "&File[&Open\tCtrl+O*|&Save\tCtrl+S~|-|E&xit!]|&Edit[&Undo\tAlt+BkSp]"},
      {"shortcut", [](TSampleMenu& t) { t.open->SetShortCut(tk::scNone); },
       "&File[&Open|&Save\tCtrl+S|-|E&xit]|&Edit[&Undo\tAlt+BkSp]"},
      {"hidden", [](TSampleMenu& t) { t.line->SetVisible(false); },
       "&File[&Open\tCtrl+O|&Save\tCtrl+S|E&xit]|&Edit[&Undo\tAlt+BkSp]"},
      {"hidden bar item", [](TSampleMenu& t) { t.file->SetVisible(false); },
       "&Edit[&Undo\tAlt+BkSp]"},
      {"inserted", [](TSampleMenu& t) { t.file->Insert(0, new TMenuItem(&t.menu)); },
       "&File[|&Open\tCtrl+O|&Save\tCtrl+S|-|E&xit]|&Edit[&Undo\tAlt+BkSp]"},
      {"new submenu", [](TSampleMenu& t) { AddItem(*t.exit, "Now"); },
       "&File[&Open\tCtrl+O|&Save\tCtrl+S|-|E&xit[Now]]|&Edit[&Undo\tAlt+BkSp]"},
      {"last child taken out", [](TSampleMenu& t) { t.edit->Remove(t.undo); },
       "&File[&Open\tCtrl+O|&Save\tCtrl+S|-|E&xit]|&Edit"},
      {"radio group",
       [](TSampleMenu& t) {
         for (TMenuItem* item : {t.open, t.save, t.exit}) item->SetRadioItem(true);
         t.exit->SetGroupIndex(1);
         t.open->SetChecked(true);
         t.exit->SetChecked(true);
         t.save->SetChecked(true);
       },
       "&File[&Open\tCtrl+Oo|&Save\tCtrl+S*o|-|E&xit*o]|&Edit[&Undo\tAlt+BkSp]"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TSampleMenu t;
    TMenuWindow window(t.menu);
    c.Change(t);
    EXPECT_EQ(Dump(t.menu.Handle()), c.Expected);
  }
}

TEST_F(MenuTest, OwnerDrawAndReadingOrderSetTheNativeTypes) {
  TMenuWindow window(menu);
  struct TCase {
    bool OwnerDraw;
    tk::TBiDiMode Mode;
    UINT BarType;
    UINT ItemType;
  };
  const TCase cases[] = {
      {false, tk::bdLeftToRight, MFT_STRING, MFT_STRING},
      {true, tk::bdLeftToRight, MFT_STRING, MFT_OWNERDRAW},
      {false, tk::bdRightToLeft, MFT_RIGHTORDER | MFT_RIGHTJUSTIFY, MFT_RIGHTORDER},
      {true, tk::bdRightToLeftNoAlign, MFT_RIGHTORDER, MFT_OWNERDRAW | MFT_RIGHTORDER},
      {false, tk::bdRightToLeftReadingOnly, MFT_RIGHTORDER, MFT_RIGHTORDER},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.OwnerDraw) + " " + std::to_string(c.Mode));
    menu.SetOwnerDraw(c.OwnerDraw);
    menu.SetBiDiMode(c.Mode);
    EXPECT_EQ(NativeItem(menu.Handle(), 1).fType, c.BarType);
    const MENUITEMINFOW openInfo = NativeItem(file->Handle(), 0);
    EXPECT_EQ(openInfo.fType, c.ItemType);
    EXPECT_EQ(openInfo.dwItemData, reinterpret_cast<ULONG_PTR>(open));
    EXPECT_EQ(NativeItem(file->Handle(), 2).fType, c.ItemType | MFT_SEPARATOR);
    EXPECT_EQ(GetMenuItemCount(file->Handle()), 4);
  }
  // The bar's items keep their text while the submenus are owner-drawn.
  menu.SetOwnerDraw(true);
  EXPECT_EQ(Dump(menu.Handle()), "&File[||-|]|&Edit[]");
}

// ---- Owner drawing ------------------------------------------------------------------------

MEASUREITEMSTRUCT MeasureOf(const TMenuItem& item) {
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = item.Command();
  measure.itemData = reinterpret_cast<ULONG_PTR>(&item);
  return measure;
}

DRAWITEMSTRUCT DrawOf(const TMenuItem& item, HDC dc, RECT rect, UINT state) {
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = item.Command();
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = state;
  draw.hDC = dc;
  draw.rcItem = rect;
  draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
  return draw;
}

struct TDrawLog {
  int Count = 0;
  TMenuItem* Sender = nullptr;
  tk::TRect Rect{};
  bool Selected = false;
  tk::TMenuDrawItemEvent Handler() {
    return [this](TMenuItem* sender, tk::TCanvas&, tk::TRect rect, bool selected) {
      ++Count;
      Sender = sender;
      Rect = rect;
      Selected = selected;
    };
  }
};

TEST_F(MenuTest, MeasuringGivesTheDefaultSizeToTheHandler) {
  menu.SetOwnerDraw(true);
  TMenuWindow window(menu);
  MEASUREITEMSTRUCT plain = MeasureOf(*open);
  SendMessageW(window.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&plain));
  MEASUREITEMSTRUCT withoutShortCut = MeasureOf(*exit);
  SendMessageW(window.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&withoutShortCut));
  EXPECT_GT(plain.itemWidth, withoutShortCut.itemWidth) << "room for the shortcut";
  EXPECT_GT(withoutShortCut.itemHeight, 0u);

  TMenuItem* sender = nullptr;
  int seenWidth = 0;
  open->SetOnMeasureItem([&](TMenuItem* item, tk::TCanvas& canvas, int& width, int& height) {
    sender = item;
    seenWidth = width;
    EXPECT_GT(canvas.TextWidth("Open"), 0);
    width = 123;
    height = 45;
  });
  MEASUREITEMSTRUCT measured = MeasureOf(*open);
  SendMessageW(window.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measured));
  EXPECT_EQ(sender, open);
  EXPECT_EQ(seenWidth, static_cast<int>(plain.itemWidth));
  EXPECT_EQ(measured.itemWidth, 123u);
  EXPECT_EQ(measured.itemHeight, 45u);
}

TEST_F(MenuTest, DrawingReachesTheHandlerWithRectAndSelection) {
  menu.SetOwnerDraw(true);
  TMenuWindow window(menu);
  tk::TBitmap target(120, 40);
  HDC dc = target.Canvas().Handle();
  TDrawLog log;
  save->SetOnDrawItem(log.Handler());
  for (const bool selected : {true, false}) {
    SCOPED_TRACE(selected);
    DRAWITEMSTRUCT draw = DrawOf(*save, dc, RECT{2, 3, 100, 23}, selected ? ODS_SELECTED : 0u);
    EXPECT_TRUE(SendMessageW(window.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_EQ(log.Sender, save);
    EXPECT_EQ(log.Rect, tk::Rect(2, 3, 100, 23));
    EXPECT_EQ(log.Selected, selected);
  }
  EXPECT_EQ(log.Count, 2);

  // Without a handler the default look fills the item in the menu's colours.
  struct TCase {
    UINT State;
    int Colour;
  };
  for (const TCase c : {TCase{ODS_SELECTED, COLOR_HIGHLIGHT}, TCase{0, COLOR_MENU}}) {
    DRAWITEMSTRUCT draw = DrawOf(*open, dc, RECT{0, 0, 120, 40}, c.State);
    SendMessageW(window.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    GdiFlush();
    EXPECT_EQ(target.Pixel(118, 1), static_cast<tk::TColor>(GetSysColor(c.Colour)));
  }
}

TEST_F(MenuTest, HandlersThatThrowStayInsideTheDispatch) {
  menu.SetOwnerDraw(true);
  TMenuWindow window(menu);
  open->SetOnMeasureItem([](TMenuItem*, tk::TCanvas&, int&, int&) { throw tk::Exception("m"); });
  open->SetOnDrawItem(
      [](TMenuItem*, tk::TCanvas&, tk::TRect, bool) { throw std::runtime_error("d"); });
  open->SetOnClick([](tk::TObject*) { throw 42; });
  tk::TBitmap target(50, 20);
  MEASUREITEMSTRUCT measure = MeasureOf(*open);
  DRAWITEMSTRUCT draw = DrawOf(*open, target.Canvas().Handle(), RECT{0, 0, 50, 20}, 0);
  EXPECT_NO_THROW(EXPECT_TRUE(tk::DispatchMenuMeasureItem(measure)));
  EXPECT_NO_THROW(EXPECT_TRUE(tk::DispatchMenuDrawItem(draw)));
  EXPECT_NO_THROW(EXPECT_TRUE(tk::DispatchMenuCommand(open->Command())));
}

TEST_F(MenuTest, MessagesForItemsThatAreNotLiveAreIgnored) {
  menu.SetOwnerDraw(true);
  TMenuWindow window(menu);
  int handled = 0;
  TMenuItem* doomed = AddItem(*file, "Doomed");
  doomed->SetOnDrawItem([&](TMenuItem*, tk::TCanvas&, tk::TRect, bool) { ++handled; });
  doomed->SetOnClick([&](tk::TObject*) { ++handled; });
  const MEASUREITEMSTRUCT staleMeasure = MeasureOf(*doomed);
  tk::TBitmap target(50, 20);
  const DRAWITEMSTRUCT staleDraw = DrawOf(*doomed, target.Canvas().Handle(), RECT{0, 0, 50, 20}, 0);
  const UINT staleCommand = doomed->Command();
  delete doomed;

  struct TCase {
    const char* What;
    ULONG_PTR Data;
    UINT CtlType;
  };
  const TCase cases[] = {
      {"freed item", staleMeasure.itemData, ODT_MENU},
      {"not an item", reinterpret_cast<ULONG_PTR>(&target), ODT_MENU},
      {"small number", 0x1234, ODT_MENU},
      {"null", 0, ODT_MENU},
      {"live item of another control type", reinterpret_cast<ULONG_PTR>(open), ODT_BUTTON},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    MEASUREITEMSTRUCT measure = staleMeasure;
    measure.itemData = c.Data;
    measure.CtlType = c.CtlType;
    DRAWITEMSTRUCT draw = staleDraw;
    draw.itemData = c.Data;
    draw.CtlType = c.CtlType;
    EXPECT_FALSE(tk::DispatchMenuMeasureItem(measure));
    EXPECT_FALSE(SendMessageW(window.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  }
  EXPECT_FALSE(tk::DispatchMenuCommand(staleCommand));
  EXPECT_FALSE(tk::DispatchMenuPopup(reinterpret_cast<HMENU>(&target)));
  EXPECT_EQ(handled, 0);
}

// ---- Commands and shortcuts ---------------------------------------------------------------

TEST_F(MenuTest, CommandsClickTheirEnabledItem) {
  TMenuWindow window(menu);
  std::vector<tk::TObject*> clicked;
  for (TMenuItem* item : {open, save, undo})
    item->SetOnClick([&](tk::TObject* sender) { clicked.push_back(sender); });
  save->SetEnabled(false);
  TMainMenu other(nullptr);
  TMenuItem* stranger = AddItem(*other.Items(), "Stranger");

  EXPECT_EQ(SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0), 0);
  EXPECT_EQ(SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0), 1);
  EXPECT_TRUE(menu.DispatchCommand(undo->Command()));
  EXPECT_FALSE(menu.DispatchCommand(stranger->Command()));
  EXPECT_EQ(menu.FindItem(stranger->Command()), nullptr);
  EXPECT_EQ(menu.FindItem(menu.Items()->Command()), nullptr);
  EXPECT_EQ(clicked, (std::vector<tk::TObject*>{open, undo}));

  PostMessageW(tk::MenuPopupWindow(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
  EXPECT_TRUE(PumpUntil([&] { return clicked.size() == 3; }));
}

TEST_F(MenuTest, ShortCutsFindTheEnabledVisibleItem) {
  TMenuItem* hiddenParent = AddItem(*menu.Items(), "Hidden");
  AddItem(*hiddenParent, "Deep", tk::ShortCut(VK_F2, tk::scNone));
  hiddenParent->SetVisible(false);
  save->SetEnabled(false);
  TMenuItem* saveAll = AddItem(*file, "Save all", tk::ShortCut('S', tk::scCtrl));
  TMenuItem* refresh = AddItem(*edit, "Refresh", tk::ShortCut(VK_F5, tk::scNone));
  std::vector<tk::TObject*> clicked;
  for (TMenuItem* item : {open, save, saveAll, undo, refresh})
    item->SetOnClick([&](tk::TObject* sender) { clicked.push_back(sender); });

  struct TCase {
    UINT Msg;
    WPARAM Key;
    TShortCut Modifiers;
    TMenuItem* Clicked;
  };
  const TCase cases[] = {
      {WM_KEYDOWN, 'O', tk::scCtrl, open},
      {WM_KEYDOWN, 'O', tk::scNone, nullptr},
      {WM_KEYDOWN, 'O', tk::scCtrl | tk::scShift, nullptr},
      {WM_KEYUP, 'O', tk::scCtrl, nullptr},
      {WM_CHAR, 'O', tk::scCtrl, nullptr},
      {WM_KEYDOWN, 'S', tk::scCtrl, saveAll},
      {WM_SYSKEYDOWN, VK_BACK, tk::scAlt, undo},
      {WM_KEYDOWN, VK_F5, tk::scNone, refresh},
      {WM_KEYDOWN, VK_F2, tk::scNone, nullptr},
      {WM_KEYDOWN, 0, tk::scCtrl, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(tk::ShortCutToText(tk::ShortCut(static_cast<WORD>(c.Key), c.Modifiers)));
    clicked.clear();
    const bool found = menu.IsShortCut(tk::TMessage{c.Msg, c.Key, 0, 0}, c.Modifiers);
    EXPECT_EQ(found, c.Clicked != nullptr);
    EXPECT_EQ(clicked, c.Clicked != nullptr ? std::vector<tk::TObject*>{c.Clicked}
                                            : std::vector<tk::TObject*>{});
  }
  // With no key held, the keyboard's own state has no modifiers.
  EXPECT_EQ(tk::KeyboardModifiers(), tk::scNone);
  EXPECT_TRUE(menu.IsShortCut(tk::TMessage{WM_KEYDOWN, VK_F5, 0, 0}));
  EXPECT_FALSE(menu.IsShortCut(tk::TMessage{WM_KEYDOWN, 'O', 0, 0}));
}

TEST(ShortCutText, NamesRoundTrip) {
  struct TCase {
    TShortCut ShortCut;
    const char* Text;
  };
  const TCase cases[] = {
      {tk::scNone, ""},
      {tk::ShortCut('A', tk::scCtrl), "Ctrl+A"},
      {tk::ShortCut('7', tk::scNone), "7"},
      {tk::ShortCut(VK_F12, tk::scShift | tk::scCtrl | tk::scAlt), "Shift+Ctrl+Alt+F12"},
      {tk::ShortCut(VK_F24, tk::scAlt), "Alt+F24"},
      {tk::ShortCut(VK_NUMPAD5, tk::scShift), "Shift+Num 5"},
      {tk::ShortCut(VK_BACK, tk::scNone), "BkSp"},
      {tk::ShortCut(VK_TAB, tk::scNone), "Tab"},
      {tk::ShortCut(VK_RETURN, tk::scCtrl), "Ctrl+Enter"},
      {tk::ShortCut(VK_ESCAPE, tk::scNone), "Esc"},
      {tk::ShortCut(VK_SPACE, tk::scShift), "Shift+Space"},
      {tk::ShortCut(VK_PRIOR, tk::scNone), "PgUp"},
      {tk::ShortCut(VK_NEXT, tk::scNone), "PgDn"},
      {tk::ShortCut(VK_END, tk::scNone), "End"},
      {tk::ShortCut(VK_HOME, tk::scNone), "Home"},
      {tk::ShortCut(VK_LEFT, tk::scNone), "Left"},
      {tk::ShortCut(VK_UP, tk::scNone), "Up"},
      {tk::ShortCut(VK_RIGHT, tk::scNone), "Right"},
      {tk::ShortCut(VK_DOWN, tk::scNone), "Down"},
      {tk::ShortCut(VK_INSERT, tk::scShift), "Shift+Ins"},
      {tk::ShortCut(VK_DELETE, tk::scCtrl), "Ctrl+Del"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(tk::ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(tk::TextToShortCut(c.Text), c.ShortCut);
  }
  // Every key that has a name reads back from it, with every set of modifiers.
  int named = 0;
  for (WORD key = 0; key <= tk::scKeyMask; ++key)
    for (const TShortCut modifiers : {0, 0x2000, 0x4000, 0x8000, 0xE000}) {
      const TShortCut shortCut = tk::ShortCut(key, modifiers);
      const std::string text = tk::ShortCutToText(shortCut);
      if (text.empty()) continue;
      named += modifiers == 0;
      EXPECT_EQ(tk::TextToShortCut(text), shortCut) << text;
    }
  EXPECT_EQ(named, 15 + 10 + 26 + 24 + 10) << "named, digits, letters, F1-F24, Num 0-9";
}

TEST(ShortCutText, ReadingIgnoresCaseAndModifierOrderAndRefusesTheRest) {
  struct TCase {
    const char* Text;
    TShortCut ShortCut;
  };
  const TCase cases[] = {
      {"ctrl+shift+a", tk::ShortCut('A', tk::scShift | tk::scCtrl)},
      {"ALT+ctrl+num 0", tk::ShortCut(VK_NUMPAD0, tk::scCtrl | tk::scAlt)},
      {"f10", tk::ShortCut(VK_F10, tk::scNone)},
      {"Ctrl+", tk::scNone},
      {"Ctrl+Ctrl+A", tk::scNone},
      {"Ctrl A", tk::scNone},
      {"F25", tk::scNone},
      {"Num 10", tk::scNone},
      {"Escape", tk::scNone},
      {"", tk::scNone},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(tk::TextToShortCut(c.Text), c.ShortCut);
  }
  EXPECT_EQ(tk::ShortCutToText(tk::ShortCut(VK_F24 + 1, tk::scCtrl)), "");
}

// ---- Lifetime -----------------------------------------------------------------------------

TEST_F(MenuTest, FreedItemsLeaveTheNativeMenuConsistent) {
  TMenuWindow window(menu);
  const HMENU editMenu = edit->Handle();
  delete save;
  EXPECT_EQ(Dump(menu.Handle()), "&File[&Open\tCtrl+O|-|E&xit]|&Edit[&Undo\tAlt+BkSp]");
  EXPECT_EQ(file->IndexOf(exit), 2);
  delete edit;
  EXPECT_EQ(Dump(menu.Handle()), "&File[&Open\tCtrl+O|-|E&xit]");
  EXPECT_FALSE(IsMenu(editMenu));
  EXPECT_EQ(tk::TMenuItem::FindByHandle(editMenu), nullptr);

  // Taken out, an item is kept: it can go into another menu.
  file->Delete(0);
  EXPECT_EQ(open->Parent(), nullptr);
  menu.Items()->Insert(0, open);
  EXPECT_EQ(Dump(menu.Handle()), "&Open|&File[-|E&xit]");
}

TEST_F(MenuTest, MisplacedItemsAreRefused) {
  TMenuItem* loose = new TMenuItem(&menu);
  EXPECT_THROW(file->Add(open), tk::EMenuError);
  EXPECT_THROW(open->Add(file), tk::EMenuError);
  EXPECT_THROW(open->Add(open), tk::EMenuError);
  EXPECT_THROW(file->Add(menu.Items()), tk::EMenuError);
  EXPECT_THROW(file->Insert(5, loose), tk::EMenuError);
  EXPECT_THROW(file->Delete(4), tk::EMenuError);
  EXPECT_EQ(loose->Parent(), nullptr);
  EXPECT_EQ(Dump(menu.Handle()), kFixtureMenu);
}

TEST(MenuLifetime, OwnerFreesMenuAndItemsAndTheWindowLetsGo) {
  auto form = std::make_unique<tk::TComponent>(nullptr);
  auto* menu = new TMainMenu(form.get());
  auto* file = new TMenuItem(form.get());
  menu->Items()->Add(file);
  auto* open = new TMenuItem(form.get());
  file->Add(open);
  testing_support::TTestWindow window(WindowClass(), L"", WS_OVERLAPPEDWINDOW, nullptr);
  SetMenu(window.Handle(), menu->Handle());
  menu->SetWindowHandle(window.Handle());
  const HMENU bar = menu->Handle();
  const UINT openCommand = open->Command();

  delete file;
  EXPECT_EQ(form->ComponentCount(), 1) << "the child went with its parent";
  EXPECT_EQ(GetMenuItemCount(bar), 0);
  form.reset();
  EXPECT_EQ(GetMenu(window.Handle()), nullptr);
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_EQ(tk::TMenuItem::FindByCommand(openCommand), nullptr);
}

// An owner that records the class of every component inserted into it, and refuses one class.
class TInsertionLog : public tk::TComponent {
 public:
  TInsertionLog() : TComponent(nullptr) {}
  void Notification(tk::TComponent* component, tk::TOperation operation) override {
    tk::TComponent::Notification(component, operation);
    if (operation != tk::opInsert) return;
    inserted.push_back(component->ClassName());
    if (inserted.back() == refused) throw tk::Exception("refused");
  }
  std::vector<std::string> inserted;
  std::string refused;
};

TEST(MenuLifetime, OwnersHearOfMenusAndItemsAsWhatTheyAre) {
  TInsertionLog owner;
  new TMainMenu(&owner);
  new TPopupMenu(&owner);
  new tk::TMenu(&owner);
  auto* item = new TMenuItem(&owner);
  EXPECT_EQ(owner.inserted,
            (std::vector<std::string>{"TMainMenu", "TPopupMenu", "TMenu", "TMenuItem"}));
  EXPECT_EQ(owner.ComponentCount(), 4);
  EXPECT_EQ(item->Owner(), &owner);

  // A refused item leaves nothing behind: neither in its owner nor among the live items.
  owner.refused = "TMenuItem";
  const UINT before = item->Command();
  EXPECT_THROW(new TMenuItem(&owner), tk::Exception);
  EXPECT_EQ(owner.ComponentCount(), 4);
  EXPECT_EQ(TMenuItem::FindByCommand(before + 1), nullptr) << "ids are handed out in turn";
}

TEST(MenuLifetime, BuildingAndFreeingMenusLeaksNoHandles) {
  auto round = [](bool ownerDraw) {
    TMainMenu menu(nullptr);
    menu.SetOwnerDraw(ownerDraw);
    TMenuWindow window(menu);
    for (int i = 0; i < 3; ++i) {
      TMenuItem* top = AddItem(*menu.Items(), "&Top");
      TMenuItem* sub = AddItem(*top, "Sub", tk::ShortCut('A', tk::scCtrl));
      AddItem(*AddItem(*top, "Deeper"), "-");
      sub->SetChecked(true);
      tk::TBitmap picture(8, 8);
      sub->SetBitmap(picture);
      MEASUREITEMSTRUCT measure = MeasureOf(*sub);
      tk::DispatchMenuMeasureItem(measure);
      tk::TBitmap target(40, 20);
      tk::DispatchMenuDrawItem(DrawOf(*sub, target.Canvas().Handle(), RECT{0, 0, 40, 20}, 0));
    }
    delete menu.Items()->Items(1);
    TPopupMenu popup(nullptr);
    AddItem(*AddItem(*popup.Items(), "A"), "B");
    popup.Handle();
  };
  round(true);
  tk::MenuPopupWindow();
  const testing_support::THandleCount handles = testing_support::CountHandles();
  const int menus = CountMenus();
  for (int i = 0; i < 20; ++i) round(i % 2 == 0);
  EXPECT_EQ(testing_support::CountHandles(), handles);
  EXPECT_EQ(CountMenus(), menus);
}

// ---- Popup menus --------------------------------------------------------------------------

TEST(PopupMenu, ShownMenuMeasuresAndDrawsItsItems) {
  TPopupMenu popup(nullptr);
  popup.SetOwnerDraw(true);
  TMenuItem* first = AddItem(*popup.Items(), "First");
  AddItem(*popup.Items(), "Second");
  std::vector<std::string> events;
  popup.SetOnPopup([&](tk::TObject*) { events.push_back("popup"); });
  popup.Items()->SetOnClick([&](tk::TObject*) { events.push_back("init"); });
  first->SetOnMeasureItem(
      [&](TMenuItem*, tk::TCanvas&, int&, int&) { events.push_back("measure"); });
  TDrawLog log;
  first->SetOnDrawItem([&](TMenuItem* sender, tk::TCanvas& canvas, tk::TRect rect, bool selected) {
    log.Handler()(sender, canvas, rect, selected);
    EndMenu();
  });
  // Should the menu never be drawn, the timer closes it and the test fails instead of hanging.
  tk::TTimer guard(nullptr);
  guard.SetInterval(testing_support::kPumpTimeoutMs);
  guard.SetOnTimer([](tk::TObject*) { EndMenu(); });

  popup.Popup(50, 60);
  EXPECT_EQ(popup.PopupPoint(), (tk::TPoint{50, 60}));
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "init", "measure"}));
  EXPECT_EQ(log.Sender, first);
  EXPECT_FALSE(log.Selected);
  EXPECT_GT(log.Rect.Width(), 0);
}

TEST(PopupMenu, PopupComponentIsForgottenWhenFreed) {
  TPopupMenu popup(nullptr);
  auto control = std::make_unique<tk::TComponent>(nullptr);
  popup.SetPopupComponent(control.get());
  EXPECT_EQ(popup.PopupComponent(), control.get());
  control.reset();
  EXPECT_EQ(popup.PopupComponent(), nullptr);
}

// ---- Stored descriptions ------------------------------------------------------------------

constexpr const char* kStoredForm =
    "object Form: TComponent\n"
    "  object MainMenu1: TMainMenu\n"
    "    OwnerDraw = True\n"
    "    BiDiMode = bdRightToLeftNoAlign\n"
    "    object File1: TMenuItem\n"
    "      Caption = \"&File\"\n"
    "      object Open1: TMenuItem\n"
    "        Caption = \"&Open\"\n"
    "        ShortCut = 16463\n"
    "        Checked = True\n"
    "      end\n"
    "      object N1: TMenuItem\n"
    "        Caption = \"-\"\n"
    "      end\n"
    "    end\n"
    "    object Help1: TMenuItem\n"
    "      Caption = \"&Help\"\n"
    "      Enabled = False\n"
    "    end\n"
    "  end\n"
    "  object PopupMenu1: TPopupMenu\n"
    "    AutoHotkeys = maManual\n"
    "    object Copy1: TMenuItem\n"
    "      Caption = \"&Copy\"\n"
    "      GroupIndex = 3\n"
    "      ImageIndex = 2\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST_F(MenuTest, StoredDescriptionNestsItemsAndWritesBackTheSame) {
  std::unique_ptr<tk::TComponent> form = tk::ReadComponent(kStoredForm);
  ASSERT_EQ(form->ComponentCount(), 7);
  auto& main = static_cast<TMainMenu&>(*form->Components(0));
  ASSERT_TRUE(main.Is<TMainMenu>());
  EXPECT_TRUE(main.OwnerDraw());
  EXPECT_EQ(main.BiDiMode(), tk::bdRightToLeftNoAlign);
  ASSERT_EQ(main.Items()->Count(), 2);
  TMenuItem* file1 = main.Items()->Items(0);
  EXPECT_EQ(file1->Name(), "File1");
  ASSERT_EQ(file1->Count(), 2);
  EXPECT_EQ(file1->Items(0)->ShortCut(), tk::ShortCut('O', tk::scCtrl));
  EXPECT_TRUE(file1->Items(0)->Checked());
  EXPECT_TRUE(file1->Items(1)->IsLine());
  EXPECT_FALSE(main.Items()->Items(1)->Enabled());
  EXPECT_EQ(file1->Items(0)->Owner(), form.get());
  auto& popup = static_cast<TPopupMenu&>(*form->Components(5));
  EXPECT_EQ(popup.AutoHotkeys(), tk::maManual);
  ASSERT_EQ(popup.Items()->Count(), 1);
  EXPECT_EQ(popup.Items()->Items(0)->GroupIndex(), 3);

  const std::string written = tk::WriteComponent(*form);
  EXPECT_EQ(tk::WriteComponent(*tk::ReadComponent(written)), written);
  EXPECT_NE(written.find("    object File1: TMenuItem\n      Tag = 0\n      Caption = \"&File\"\n"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("        ShortCut = 16463\n"), std::string::npos);

  // Items keep their menu order, not the order they were made in.
  menu.SetName("Menu");
  file->Remove(exit);
  file->Insert(0, exit);
  const std::pair<TMenuItem*, const char*> names[] = {
      {file, "File"}, {open, "Open"}, {save, "Save"}, {line, "Line"},
      {exit, "Exit"}, {edit, "Edit"}, {undo, "Undo"},
  };
  for (const auto& [item, name] : names) item->SetName(name);
  const std::string text = tk::WriteComponent(menu);
  std::unique_ptr<tk::TComponent> copy = tk::ReadComponent(text);
  EXPECT_EQ(tk::WriteComponent(*copy), text);
  EXPECT_EQ(Dump(static_cast<TMainMenu&>(*copy).Handle()),
            "&File[E&xit|&Open\tCtrl+O|&Save\tCtrl+S|-]|&Edit[&Undo\tAlt+BkSp]");
}

TEST(MenuDescriptions, ItemsOutsideAMenuAreRefused) {
  tk::RegisterComponentClass<tk::TComponent>();
  struct TCase {
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {"object Form: TComponent\n  object Item: TMenuItem\n  end\nend\n",
       "line 2: TMenuItem cannot be placed on TComponent"},
      {"object Menu: TMainMenu\n  object Item: TMenuItem\n    object Menu2: TPopupMenu\n"
       "    end\n  end\nend\n",
       "no error"},
      {"object Menu: TMainMenu\n  Caption = \"x\"\nend\n",
       "line 2: unknown property Caption of TMainMenu"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    std::string message = "no error";
    try {
      tk::ReadComponent(c.Text);
    } catch (const tk::EReadError& e) {
      message = e.Message();
    }
    EXPECT_EQ(message, c.Message);
  }
}

}  // namespace
