#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/HandleCount.h"
#include "tests/support/TestHost.h"
#include "tests/support/WinPump.h"
#include "toolkit/win/CustomControl.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/StdCtrls.h"
#include "toolkit/win/Timer.h"
#include "toolkit/win/WinControl.h"
#include "toolkit/win/WndMethod.h"

namespace {

using testing_support::kHostColor;
using testing_support::kHostLeft;
using testing_support::kHostTop;
using testing_support::MakeHost;
using testing_support::PumpUntil;
using testing_support::ScreenPixel;
using tk::TButton;
using tk::TCheckBox;
using tk::TColor;
using tk::TControl;
using tk::TEdit;
using tk::TLabel;
using tk::TMessage;
using tk::TObject;
using tk::TPanel;
using tk::TRadioButton;
using tk::TTimer;
using tk::TWinControl;

constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;
constexpr unsigned kFastInterval = 10;

// A control made on host, owned and parented by it.
template <typename T>
T* Add(tk::TCustomControl& host, int left = 10, int top = 10) {
  auto* control = new T(&host);
  control->SetLeft(left);
  control->SetTop(top);
  control->SetParent(&host);
  return control;
}

std::wstring WindowClass(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

LONG_PTR Style(HWND window) {
  return GetWindowLongPtrW(window, GWL_STYLE);
}

LONG_PTR ButtonType(HWND window) {
  return Style(window) & BS_TYPEMASK;
}

LRESULT NativeCheck(TWinControl& control) {
  return SendMessageW(control.Handle(), BM_GETCHECK, 0, 0);
}

void ClickNative(TWinControl& control) {
  SendMessageW(control.Handle(), BM_CLICK, 0, 0);
}

TColor SystemColor(int index) {
  return static_cast<TColor>(GetSysColor(index));
}

// Counts the events a control raises and remembers who raised the last.
struct TEventLog {
  int Count = 0;
  TObject* Sender = nullptr;
  tk::TNotifyEvent Handler() {
    return [this](TObject* sender) {
      ++Count;
      Sender = sender;
    };
  }
};

// Takes over a control's WindowProc and writes down the messages it is told to watch.
class TRecorder : public TObject {
 public:
  TRecorder(TControl& control, std::vector<UINT> interest)
      : control_(control), interest_(std::move(interest)), saved_(control.WindowProc()) {
    control.SetWindowProc(tk::TWndMethod::Of<&TRecorder::Handle>(this));
  }
  ~TRecorder() override { control_.SetWindowProc(saved_); }

  std::vector<TMessage> Seen;

  void Handle(TMessage& message) {
    if (std::find(interest_.begin(), interest_.end(), message.Msg) != interest_.end())
      Seen.push_back(message);
    saved_(message);
  }

 private:
  TControl& control_;
  std::vector<UINT> interest_;
  tk::TWndMethod saved_;
};

// ---- Native windows -------------------------------------------------------------------------

TEST(StdCtrlsTest, EachControlIsTheNativeWindowOfItsKind) {
  auto host = MakeHost();
  struct TCase {
    const char* Name;
    std::function<TWinControl*()> Make;
    const wchar_t* WinClass;
    LONG_PTR StyleMask;
    LONG_PTR Style;
  };
  const TCase cases[] = {
      {"button", [&] { return Add<TButton>(*host); }, L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
      {"default button",
       [&] {
         auto* button = Add<TButton>(*host);
         button->SetDefault(true);
         return button;
       },
       L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON},
      {"check box", [&] { return Add<TCheckBox>(*host); }, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX},
      {"check box allowing grayed",
       [&] {
         auto* box = Add<TCheckBox>(*host);
         box->SetAllowGrayed(true);
         return box;
       },
       L"Button", BS_TYPEMASK, BS_AUTO3STATE},
      {"radio button", [&] { return Add<TRadioButton>(*host); }, L"Button", BS_TYPEMASK,
       BS_AUTORADIOBUTTON},
      {"edit", [&] { return Add<TEdit>(*host); }, L"Edit", ES_READONLY, 0},
      {"read-only edit",
       [&] {
         auto* edit = Add<TEdit>(*host);
         edit->SetReadOnly(true);
         return edit;
       },
       L"Edit", ES_READONLY, ES_READONLY},
  };
  for (const TCase& c : cases) {
    TWinControl* control = c.Make();
    HWND window = control->Handle();
    EXPECT_EQ(GetParent(window), host->Handle()) << c.Name;
    EXPECT_EQ(WindowClass(window), c.WinClass) << c.Name;
    EXPECT_EQ(Style(window) & c.StyleMask, c.Style) << c.Name;
    EXPECT_EQ(TWinControl::FindControl(window), control) << c.Name;
  }
  EXPECT_EQ(WindowClass(Add<TPanel>(*host)->Handle()), WindowClass(host->Handle()))
      << "a panel is a window of the toolkit's own class";
}

TEST(StdCtrlsTest, StyleChangesReachALiveWindow) {
  auto host = MakeHost();
  auto* button = Add<TButton>(*host);
  auto* box = Add<TCheckBox>(*host);
  auto* edit = Add<TEdit>(*host);
  host->HandleNeeded();
  struct TCase {
    const char* Name;
    std::function<void()> Change;
    std::function<bool()> Applied;
  };
  const TCase cases[] = {
      {"default on", [&] { button->SetDefault(true); },
       [&] { return ButtonType(button->Handle()) == BS_DEFPUSHBUTTON; }},
      {"default off", [&] { button->SetDefault(false); },
       [&] { return ButtonType(button->Handle()) == BS_PUSHBUTTON; }},
      {"grayed allowed", [&] { box->SetAllowGrayed(true); },
       [&] { return ButtonType(box->Handle()) == BS_AUTO3STATE; }},
      {"grayed not allowed", [&] { box->SetAllowGrayed(false); },
       [&] { return ButtonType(box->Handle()) == BS_AUTOCHECKBOX; }},
      {"read-only", [&] { edit->SetReadOnly(true); },
       [&] { return (Style(edit->Handle()) & ES_READONLY) != 0; }},
      {"writable", [&] { edit->SetReadOnly(false); },
       [&] { return (Style(edit->Handle()) & ES_READONLY) == 0; }},
  };
  for (const TCase& c : cases) {
    c.Change();
    EXPECT_TRUE(c.Applied()) << c.Name;
  }
}

TEST(StdCtrlsTest, ClassesAnswerTheirPlaceInTheClassTree) {
  auto host = MakeHost();
  TTimer timer(nullptr);
  struct TCase {
    TObject* Object;
    const char* Name;
    tk::TClass Ancestor;
    bool Expected;
  };
  const TCase cases[] = {
      {Add<TButton>(*host), "TButton", &tk::TButtonControl::ClassInfo, true},
      {Add<TButton>(*host), "TButton", &TWinControl::ClassInfo, true},
      {Add<TButton>(*host), "TButton", &tk::TGraphicControl::ClassInfo, false},
      {Add<TCheckBox>(*host), "TCheckBox", &tk::TButtonControl::ClassInfo, true},
      {Add<TCheckBox>(*host), "TCheckBox", &TButton::ClassInfo, false},
      {Add<TRadioButton>(*host), "TRadioButton", &TWinControl::ClassInfo, true},
      {Add<TRadioButton>(*host), "TRadioButton", &TCheckBox::ClassInfo, false},
      {Add<TEdit>(*host), "TEdit", &TWinControl::ClassInfo, true},
      {Add<TEdit>(*host), "TEdit", &tk::TButtonControl::ClassInfo, false},
      {Add<TLabel>(*host), "TLabel", &tk::TGraphicControl::ClassInfo, true},
      {Add<TLabel>(*host), "TLabel", &TWinControl::ClassInfo, false},
      {Add<TPanel>(*host), "TPanel", &tk::TCustomControl::ClassInfo, true},
      {Add<TPanel>(*host), "TPanel", &TControl::ClassInfo, true},
      {&timer, "TTimer", &tk::TComponent::ClassInfo, true},
      {&timer, "TTimer", &TControl::ClassInfo, false},
  };
  for (const TCase& c : cases) {
    EXPECT_STREQ(c.Object->ClassName(), c.Name);
    EXPECT_EQ(c.Object->InheritsFrom(c.Ancestor), c.Expected) << c.Name << " " << c.Ancestor->Name;
  }
}

// ---- Commands reflected from the parent -----------------------------------------------------

TEST(StdCtrlsTest, AClickReachesOnClickThroughTheParentsReflectedCommand) {
  auto host = MakeHost();
  auto* button = Add<TButton>(*host);
  TEventLog clicks;
  button->SetOnClick(clicks.Handler());
  host->HandleNeeded();
  TRecorder parent(*host, {WM_COMMAND});
  TRecorder child(*button, {WM_COMMAND, tk::CN_COMMAND});

  ClickNative(*button);
  EXPECT_EQ(clicks.Count, 1);
  EXPECT_EQ(clicks.Sender, button);
  ASSERT_EQ(parent.Seen.size(), 1u);
  ASSERT_EQ(child.Seen.size(), 1u) << "the child sees the reflection only";
  EXPECT_EQ(child.Seen[0].Msg, tk::CN_COMMAND);
  EXPECT_EQ(HIWORD(child.Seen[0].WParam), BN_CLICKED);
  EXPECT_EQ(child.Seen[0].LParam, reinterpret_cast<LPARAM>(button->Handle()));

  button->Click();
  EXPECT_EQ(clicks.Count, 2) << "Click runs OnClick as a click does";
}

TEST(StdCtrlsTest, CommandsFromWindowsNoControlOwnsAreNotReflected) {
  auto host = MakeHost();
  auto* button = Add<TButton>(*host);
  TEventLog clicks;
  button->SetOnClick(clicks.Handler());
  HWND foreign = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, host->Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(foreign, nullptr) << "destroyed with the host's window";
  TRecorder child(*button, {tk::CN_COMMAND});
  for (const LPARAM source : {reinterpret_cast<LPARAM>(foreign), LPARAM{0}})
    SendMessageW(host->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), source);
  EXPECT_TRUE(child.Seen.empty());
  EXPECT_EQ(clicks.Count, 0);
}

TEST(StdCtrlsTest, AClickHandlerMayFreeItsButton) {
  auto host = MakeHost();
  auto* button = Add<TButton>(*host);
  HWND window = button->Handle();
  int clicks = 0;
  button->SetOnClick([&](TObject* sender) {
    ++clicks;
    delete sender;
  });
  ClickNative(*button);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host->ControlCount(), 0);
}

// ---- Check boxes and radio buttons ----------------------------------------------------------

TEST(CheckBoxTest, ClicksAndSetStateKeepControlAndWindowTogether) {
  auto host = MakeHost();
  auto* box = Add<TCheckBox>(*host);
  TEventLog clicks;
  box->SetOnClick(clicks.Handler());
  host->HandleNeeded();
  struct TCase {
    const char* Name;
    std::function<void()> Act;
    tk::TCheckBoxState Expected;
    int Clicks;
  };
  const TCase cases[] = {
      {"click checks", [&] { ClickNative(*box); }, tk::cbChecked, 1},
      {"click unchecks", [&] { ClickNative(*box); }, tk::cbUnchecked, 2},
      {"set checked", [&] { box->SetChecked(true); }, tk::cbChecked, 3},
      {"set the same state", [&] { box->SetState(tk::cbChecked); }, tk::cbChecked, 3},
      {"set grayed", [&] { box->SetState(tk::cbGrayed); }, tk::cbGrayed, 4},
      {"click from grayed", [&] { ClickNative(*box); }, tk::cbUnchecked, 5},
      {"click from unchecked", [&] { ClickNative(*box); }, tk::cbChecked, 6},
      {"click from checked, grayed allowed", [&] { ClickNative(*box); }, tk::cbGrayed, 7},
      {"set unchecked", [&] { box->SetState(tk::cbUnchecked); }, tk::cbUnchecked, 8},
  };
  constexpr LRESULT kNativeStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
  for (const TCase& c : cases) {
    c.Act();
    EXPECT_EQ(box->State(), c.Expected) << c.Name;
    EXPECT_EQ(box->Checked(), c.Expected == tk::cbChecked) << c.Name;
    EXPECT_EQ(NativeCheck(*box), kNativeStates[c.Expected]) << c.Name;
    EXPECT_EQ(clicks.Count, c.Clicks) << c.Name;
  }
  EXPECT_TRUE(box->AllowGrayed()) << "asking for grayed allowed it";
}

TEST(CheckBoxTest, StatesSetBeforeTheWindowExistsReachIt) {
  for (const tk::TCheckBoxState state : {tk::cbUnchecked, tk::cbChecked, tk::cbGrayed}) {
    auto host = MakeHost();
    auto* box = Add<TCheckBox>(*host);
    box->SetState(state);
    EXPECT_FALSE(box->HandleAllocated());
    EXPECT_EQ(static_cast<int>(NativeCheck(*box)), static_cast<int>(state));
  }
}

TEST(RadioButtonTest, CheckingOneUnchecksItsSiblingsAndRunsItsOnClick) {
  auto host = MakeHost();
  TRadioButton* radios[] = {Add<TRadioButton>(*host, 10, 10), Add<TRadioButton>(*host, 10, 30),
                            Add<TRadioButton>(*host, 10, 50)};
  TEventLog clicks[3];
  for (int i = 0; i < 3; ++i) radios[i]->SetOnClick(clicks[i].Handler());
  auto* elsewhere = new tk::TCustomControl(host.get());
  elsewhere->SetBounds(150, 10, 120, 40);
  elsewhere->SetParent(host.get());
  auto* other = Add<TRadioButton>(*elsewhere, 0, 0);
  other->SetChecked(true);
  EXPECT_FALSE(other->HandleAllocated()) << "checked before its window exists";
  host->HandleNeeded();

  struct TCase {
    const char* Name;
    std::function<void()> Act;
    int CheckedIndex;
    std::vector<int> Clicks;
  };
  const TCase cases[] = {
      {"click the first", [&] { ClickNative(*radios[0]); }, 0, {1, 0, 0}},
      {"click the second", [&] { ClickNative(*radios[1]); }, 1, {1, 1, 0}},
      {"click the second again", [&] { ClickNative(*radios[1]); }, 1, {1, 1, 0}},
      {"check the third", [&] { radios[2]->SetChecked(true); }, 2, {1, 1, 1}},
      {"uncheck the third", [&] { radios[2]->SetChecked(false); }, -1, {1, 1, 1}},
  };
  for (const TCase& c : cases) {
    c.Act();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(radios[i]->Checked(), i == c.CheckedIndex) << c.Name << " " << i;
      EXPECT_EQ(NativeCheck(*radios[i]), i == c.CheckedIndex ? BST_CHECKED : BST_UNCHECKED)
          << c.Name << " " << i;
      EXPECT_EQ(clicks[i].Count, c.Clicks[static_cast<std::size_t>(i)]) << c.Name << " " << i;
    }
    EXPECT_TRUE(other->Checked()) << "a radio button of another parent stays " << c.Name;
    EXPECT_EQ(NativeCheck(*other), BST_CHECKED) << c.Name;
  }
}

// ---- Edits ----------------------------------------------------------------------------------

TEST(EditTest, TextSetOrTypedReachesTheWindowAndOnChange) {
  auto host = MakeHost();
  auto* edit = Add<TEdit>(*host);
  edit->SetText("start");
  TEventLog changes;
  edit->SetOnChange(changes.Handler());
  HWND window = edit->Handle();
  EXPECT_EQ(changes.Count, 0) << "making the window with its text is no change";
  EXPECT_EQ(edit->Text(), "start");

  struct TCase {
    const char* Name;
    std::function<void()> Act;
    const char* Expected;
    int Changes;
  };
  const TCase cases[] = {
      {"set", [&] { edit->SetText("abc"); }, "abc", 1},
      {"set the same", [&] { edit->SetText("abc"); }, "abc", 1},
      {"typed at the end",
       [&] {
         SendMessageW(window, EM_SETSEL, 3, 3);
         SendMessageW(window, WM_CHAR, 'd', 0);
       },
       "abcd", 2},
      {"typed while read-only",
       [&] {
         edit->SetReadOnly(true);
         SendMessageW(window, WM_CHAR, 'e', 0);
       },
       "abcd", 2},
      {"typed once writable again",
       [&] {
         edit->SetReadOnly(false);
         SendMessageW(window, WM_CHAR, 'e', 0);
       },
       "abcde", 3},
      {"set by the window's own message",
       [&] { SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xy")); }, "xy", 4},
  };
  for (const TCase& c : cases) {
    c.Act();
    EXPECT_EQ(edit->Text(), c.Expected) << c.Name;
    EXPECT_EQ(changes.Count, c.Changes) << c.Name;
  }
  EXPECT_EQ(changes.Sender, edit);
}

// ---- Labels ---------------------------------------------------------------------------------

// The columns of a rectangle of a window where some pixel differs from background.
struct TInk {
  int First = -1;
  int Last = -1;
};

TInk InkColumns(HWND window, const tk::TRect& r, TColor background) {
  TInk ink;
  HDC dc = GetDC(window);
  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y)
      if (static_cast<TColor>(GetPixel(dc, x, y)) != background) {
        if (ink.First < 0) ink.First = x - r.Left;
        ink.Last = x - r.Left;
        break;
      }
  ReleaseDC(window, dc);
  return ink;
}

TEST(LabelTest, PaintsItsCaptionAlignedOverItsColourOrOverItsParent) {
  constexpr int kWidth = 120;
  constexpr int kHeight = 20;
  constexpr int kMargin = 3;
  auto host = MakeHost(300, 200);
  struct TCase {
    const char* Name;
    tk::TAlignment Alignment;
    bool Transparent;
    TColor Background;
  };
  const TCase cases[] = {
      {"left", tk::taLeftJustify, false, kGreen},
      {"right", tk::taRightJustify, false, kGreen},
      {"centre", tk::taCenter, false, kGreen},
      {"transparent", tk::taLeftJustify, true, kHostColor},
  };
  std::vector<TLabel*> labels;
  int top = 10;
  for (const TCase& c : cases) {
    auto* label = Add<TLabel>(*host, 10, top);
    label->SetAutoSize(false);
    label->SetBounds(10, top, kWidth, kHeight);
    label->SetCaption("Wide caption");
    label->SetColor(kGreen);
    label->Font().SetColor(kBlue);
    label->SetAlignment(c.Alignment);
    label->SetTransparent(c.Transparent);
    labels.push_back(label);
    top += kHeight + 10;
  }
  HWND window = host->Handle();
  host->SetVisible(true);
  UpdateWindow(window);
  const auto painted = [&] {
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const tk::TRect r = labels[i]->BoundsRect();
      if (ScreenPixel(window, r.Left, r.Bottom - 1) != cases[i].Background ||
          InkColumns(window, r, cases[i].Background).First < 0)
        return false;
    }
    return true;
  };
  ASSERT_TRUE(PumpUntil(painted));

  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TCase& c = cases[i];
    const tk::TRect r = labels[i]->BoundsRect();
    EXPECT_EQ(ScreenPixel(window, r.Left, r.Bottom - 1), c.Background) << c.Name;
    EXPECT_EQ(ScreenPixel(window, r.Right - 1, r.Bottom - 1), c.Background) << c.Name;
    EXPECT_EQ(ScreenPixel(window, r.Right, r.Top), kHostColor) << c.Name << ": clipped";
    const TInk ink = InkColumns(window, r, c.Background);
    ASSERT_GE(ink.First, 0) << c.Name;
    const int leftGap = ink.First;
    const int rightGap = kWidth - 1 - ink.Last;
    switch (c.Alignment) {
      case tk::taLeftJustify:
        EXPECT_LE(leftGap, kMargin) << c.Name;
        EXPECT_GT(rightGap, kMargin) << c.Name;
        break;
      case tk::taRightJustify:
        EXPECT_LE(rightGap, kMargin) << c.Name;
        EXPECT_GT(leftGap, kMargin) << c.Name;
        break;
      case tk::taCenter:
        EXPECT_LE(std::abs(leftGap - rightGap), kMargin) << c.Name;
        EXPECT_GT(leftGap, kMargin) << c.Name;
        break;
    }
  }
}

SIZE TextExtent(tk::TFont& font, const std::wstring& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size;
}

TEST(LabelTest, AutoSizeFitsTheTextAndKeepsTheCorner) {
  auto host = MakeHost();
  auto* label = Add<TLabel>(*host, 20, 30);
  EXPECT_TRUE(label->AutoSize());
  EXPECT_GT(label->Height(), 0) << "an empty label keeps a line's height";

  struct TCase {
    const char* Name;
    std::function<void()> Change;
    const wchar_t* Text;
  };
  const TCase cases[] = {
      {"caption", [&] { label->SetCaption("Hello"); }, L"Hello"},
      {"longer caption", [&] { label->SetCaption("Hello, world"); }, L"Hello, world"},
      {"bigger font",
       [&] {
         tk::TFont font;
         font.SetHeight(-24);
         label->SetFont(font);
       },
       L"Hello, world"},
  };
  for (const TCase& c : cases) {
    c.Change();
    const SIZE extent = TextExtent(label->Font(), c.Text);
    EXPECT_EQ(label->Width(), extent.cx) << c.Name;
    EXPECT_EQ(label->Height(), extent.cy) << c.Name;
    EXPECT_EQ(label->Left(), 20) << c.Name;
    EXPECT_EQ(label->Top(), 30) << c.Name;
  }

  label->SetAutoSize(false);
  label->SetBounds(20, 30, 5, 5);
  label->SetCaption("Much longer than five pixels");
  EXPECT_EQ(label->BoundsRect(), tk::Rect(20, 30, 25, 35)) << "without AutoSize the size stays";
}

// ---- Panels ---------------------------------------------------------------------------------

TEST(PanelTest, DrawsItsBevelInsideItsEdgeOverItsColour) {
  constexpr TColor kPanelColor = 0x00305070;
  constexpr int kWidth = 80;
  constexpr int kHeight = 40;
  auto host = MakeHost(300, 200);
  const TColor light = SystemColor(COLOR_BTNHIGHLIGHT);
  const TColor dark = SystemColor(COLOR_BTNSHADOW);
  struct TCase {
    const char* Name;
    tk::TBevelCut Bevel;
    TColor TopLeft;
    TColor BottomRight;
  };
  const TCase cases[] = {
      {"raised", tk::bvRaised, light, dark},
      {"lowered", tk::bvLowered, dark, light},
      {"none", tk::bvNone, kPanelColor, kPanelColor},
  };
  std::vector<TPanel*> panels;
  int left = 10;
  for (const TCase& c : cases) {
    auto* panel = Add<TPanel>(*host, left, 10);
    panel->SetBounds(left, 10, kWidth, kHeight);
    panel->SetColor(kPanelColor);
    panel->SetBevelOuter(c.Bevel);
    panels.push_back(panel);
    left += kWidth + 10;
  }
  EXPECT_EQ(TPanel(nullptr).BevelOuter(), tk::bvRaised) << "raised by default";
  HWND window = host->Handle();
  host->SetVisible(true);
  UpdateWindow(window);

  struct TProbe {
    int X, Y;
    bool TopLeft;
  };
  const TProbe edges[] = {
      {0, 0, true},
      {kWidth - 2, 0, true},
      {0, kHeight - 2, true},
      {kWidth - 1, 0, false},
      {0, kHeight - 1, false},
      {kWidth - 1, kHeight - 1, false},
      {kWidth / 2, kHeight - 1, false},
      {kWidth - 1, kHeight / 2, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TCase& c = cases[i];
    HWND panel = panels[i]->Handle();
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(panel, 1, 1) == kPanelColor; })) << c.Name;
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(panel, 0, 0) == c.TopLeft; })) << c.Name;
    for (const TProbe& p : edges)
      EXPECT_EQ(ScreenPixel(panel, p.X, p.Y), p.TopLeft ? c.TopLeft : c.BottomRight)
          << c.Name << " " << p.X << "," << p.Y;
    EXPECT_EQ(ScreenPixel(panel, kWidth - 2, kHeight - 2), kPanelColor) << c.Name;
  }

  TPanel& captioned = *panels[0];
  const tk::TRect inside = tk::Rect(1, 1, kWidth - 1, kHeight - 1);
  EXPECT_LT(InkColumns(captioned.Handle(), inside, kPanelColor).First, 0) << "no caption, no ink";
  captioned.SetCaption("OK");
  captioned.Font().SetColor(kBlue);
  ASSERT_TRUE(
      PumpUntil([&] { return InkColumns(captioned.Handle(), inside, kPanelColor).First >= 0; }));
  const TInk ink = InkColumns(captioned.Handle(), inside, kPanelColor);
  EXPECT_LE(std::abs(ink.First - (inside.Width() - 1 - ink.Last)), 3) << "the caption is centred";
}

// ---- Timers ---------------------------------------------------------------------------------

// Counts the WM_TIMER messages this thread takes from its queue: those of thread timers (no
// window) and those of timers with a window, which here are TTimer's.
struct TTimerMessages {
  int ThreadTicks = 0;
  int WindowTicks = 0;
};
thread_local TTimerMessages timerMessages;

LRESULT CALLBACK WatchTimerMessages(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TIMER)
    ++(msg->hwnd == nullptr ? timerMessages.ThreadTicks : timerMessages.WindowTicks);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// While it lives, WM_TIMER messages are counted; AwaitTicks pumps messages until a thread timer
// of kFastInterval has ticked n times, a span in which any running TTimer of the same interval
// would have ticked too.
class TTimerWatch {
 public:
  TTimerWatch()
      : hook_(
            SetWindowsHookExW(WH_GETMESSAGE, &WatchTimerMessages, nullptr, GetCurrentThreadId())) {
    timerMessages = {};
  }
  ~TTimerWatch() { UnhookWindowsHookEx(hook_); }
  TTimerWatch(const TTimerWatch&) = delete;
  TTimerWatch& operator=(const TTimerWatch&) = delete;

  bool AwaitTicks(int n) {
    const UINT_PTR timer = SetTimer(nullptr, 0, kFastInterval, nullptr);
    const int start = timerMessages.ThreadTicks;
    const bool ticked = PumpUntil([&] { return timerMessages.ThreadTicks - start >= n; });
    KillTimer(nullptr, timer);
    return ticked;
  }
  int WindowTicks() const { return timerMessages.WindowTicks; }

 private:
  HHOOK hook_;
};

constexpr int kQuietTicks = 5;

TEST(TimerTest, FiresWhileEnabledAndStopsWhenDisabled) {
  TTimerWatch watch;
  TTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), TTimer::kDefaultInterval);
  TEventLog ticks;
  timer.SetInterval(kFastInterval);
  timer.SetOnTimer(ticks.Handler());
  ASSERT_TRUE(PumpUntil([&] { return ticks.Count >= 3; }));
  EXPECT_EQ(ticks.Sender, &timer);

  timer.SetEnabled(false);
  const int stopped = ticks.Count;
  const int windowTicks = watch.WindowTicks();
  ASSERT_TRUE(watch.AwaitTicks(kQuietTicks));
  EXPECT_EQ(ticks.Count, stopped);
  EXPECT_EQ(watch.WindowTicks(), windowTicks) << "no system timer runs while disabled";

  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks.Count > stopped; }));
}

TEST(TimerTest, NoSystemTimerRunsWithoutEnabledHandlerOrInterval) {
  struct TCase {
    const char* Name;
    std::function<void(TTimer&, int& ticks)> Set;
  };
  const TCase cases[] = {
      {"disabled",
       [](TTimer& t, int& ticks) {
         t.SetEnabled(false);
         t.SetOnTimer([&ticks](TObject*) { ++ticks; });
       }},
      {"no handler", [](TTimer&, int&) {}},
      {"handler taken away",
       [](TTimer& t, int& ticks) {
         t.SetOnTimer([&ticks](TObject*) { ++ticks; });
         t.SetOnTimer(nullptr);
       }},
      {"zero interval",
       [](TTimer& t, int& ticks) {
         t.SetOnTimer([&ticks](TObject*) { ++ticks; });
         t.SetInterval(0);
       }},
      {"freed",
       [](TTimer& t, int& ticks) {
         auto* freed = new TTimer(&t);
         freed->SetInterval(kFastInterval);
         freed->SetOnTimer([&ticks](TObject*) { ++ticks; });
         delete freed;
       }},
  };
  for (const TCase& c : cases) {
    TTimerWatch watch;
    TTimer timer(nullptr);
    timer.SetInterval(kFastInterval);
    int ticks = 0;
    c.Set(timer, ticks);
    ASSERT_TRUE(watch.AwaitTicks(kQuietTicks)) << c.Name;
    EXPECT_EQ(watch.WindowTicks(), 0) << c.Name;
    EXPECT_EQ(ticks, 0) << c.Name;
  }
}

TEST(TimerTest, AHandlerMayThrowOrFreeItsTimer) {
  TTimerWatch watch;
  TTimer throwing(nullptr);
  throwing.SetInterval(kFastInterval);
  int thrown = 0;
  throwing.SetOnTimer([&](TObject*) {
    ++thrown;
    throw std::runtime_error("handler failed");
  });
  EXPECT_TRUE(PumpUntil([&] { return thrown >= 2; })) << "the timer runs on after a throw";
  throwing.SetEnabled(false);

  auto* freed = new TTimer(nullptr);
  freed->SetInterval(kFastInterval);
  int ticks = 0;
  freed->SetOnTimer([&](TObject* sender) {
    ++ticks;
    delete sender;
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks == 1; }));
  ASSERT_TRUE(watch.AwaitTicks(kQuietTicks));
  EXPECT_EQ(ticks, 1);
}

// ---- Handle bookkeeping ---------------------------------------------------------------------

using testing_support::CountHandles;
using testing_support::THandleCount;

// Message-only windows of this process (other test processes of the Wine session have theirs).
int MessageOnlyWindows() {
  const DWORD process = GetCurrentProcessId();
  int count = 0;
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
    DWORD owner = 0;
    count += GetWindowThreadProcessId(w, &owner) != 0 && owner == process;
  }
  return count;
}

struct TBuilt {
  std::vector<HWND> Windows;
  int MessageOnlyWindows = 0;
};

// A host with n of each control and n running timers, all freed with it; answers the windows
// of the host and its controls, and how many message-only windows were alive beside them.
TBuilt BuildAndFree(int n) {
  auto host = MakeHost(400, 300);
  for (int i = 0; i < n; ++i) {
    Add<TButton>(*host, i, i)->SetCaption("b");
    Add<TCheckBox>(*host, i, i)->SetChecked(true);
    Add<TRadioButton>(*host, i, i)->SetChecked(true);
    Add<TEdit>(*host, i, i)->SetText("e");
    Add<TLabel>(*host, i, i)->SetCaption("l");
    Add<TPanel>(*host, i, i)->SetBevelOuter(tk::bvLowered);
    auto* timer = new TTimer(host.get());
    timer->SetOnTimer([](TObject*) {});
  }
  TBuilt built{{host->Handle()}, MessageOnlyWindows()};
  for (int i = 0; i < host->ControlCount(); ++i)
    if (host->Controls(i)->IsWindowed())
      built.Windows.push_back(static_cast<TWinControl*>(host->Controls(i))->Handle());
  return built;
}

TEST(HandleCountTest, AHundredOfEachControlAndTimerLeaveNothingBehind) {
  constexpr int kEach = 100;
  constexpr int kWindowedKinds = 5;
  BuildAndFree(kEach);
  PumpUntil([] { return true; });
  const int messageOnlyBefore = MessageOnlyWindows();
  const THandleCount before = CountHandles();
  const TBuilt built = BuildAndFree(kEach);
  PumpUntil([] { return true; });
  const THandleCount after = CountHandles();
  EXPECT_EQ(built.Windows.size(), 1u + kEach * kWindowedKinds);
  EXPECT_TRUE(
      std::none_of(built.Windows.begin(), built.Windows.end(), [](HWND w) { return IsWindow(w); }));
  EXPECT_EQ(built.MessageOnlyWindows - messageOnlyBefore, kEach) << "one window a timer";
  EXPECT_EQ(MessageOnlyWindows(), messageOnlyBefore);
  EXPECT_EQ(after.Windows, before.Windows);
  EXPECT_EQ(after.GdiObjects, before.GdiObjects);
}

}  // namespace
