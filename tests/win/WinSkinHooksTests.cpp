#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindow.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/FileStream.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/StdCtrls.h"

namespace {

using skin::TzubSkinControl;
using skin::TzubSkinWindow;
using testing_support::TTestWindow;

constexpr int kNoRow = -1;

// A control skinner that tells which registry row made it and for what.
class TRowSkinner : public TzubSkinControl {
 public:
  TRowSkinner(int row, HWND wnd, tk::TControl* control, TzubSkinWindow* frame)
      : TzubSkinControl(frame, nullptr), Row(row), Wnd(wnd), Control(control) {}
  HWND GetHandle() override { return Wnd; }

  const int Row;
  const HWND Wnd;
  tk::TControl* const Control;
};

template <int Row>
TzubSkinControl* MakeControlSkinner(tk::TControl* control, TzubSkinWindow* frame) {
  return new TRowSkinner(Row, nullptr, control, frame);
}

template <int Row>
TzubSkinControl* MakeWndSkinner(HWND wnd, TzubSkinWindow* frame) {
  return new TRowSkinner(Row, wnd, nullptr, frame);
}

// The row that made skinner, or kNoRow for none.
int RowOf(const std::unique_ptr<TzubSkinControl>& skinner) {
  return skinner ? static_cast<const TRowSkinner&>(*skinner).Row : kNoRow;
}

// The row whose skinner the toolkit lookup makes for control.
int ControlRow(tk::TControl& control) {
  return RowOf(std::unique_ptr<TzubSkinControl>(skin::CreateControlSkinner(&control, nullptr)));
}

// Stand-ins for toolkit classes the toolkit does not have yet, with the toolkit's inheritance.
#define TEST_CONTROL_CLASS(Class, Parent)                    \
  class Class : public Parent {                              \
    TK_CLASS(Class, Parent)                                  \
   public:                                                   \
    explicit Class(tk::TComponent* owner) : Parent(owner) {} \
  }

TEST_CONTROL_CLASS(TScrollingWinControl, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomFrame, TScrollingWinControl);
TEST_CONTROL_CLASS(TScrollBox, TScrollingWinControl);
TEST_CONTROL_CLASS(TToolWindow, tk::TWinControl);
TEST_CONTROL_CLASS(TCoolBar, TToolWindow);
TEST_CONTROL_CLASS(TToolBar, TToolWindow);
TEST_CONTROL_CLASS(TCustomStatusBar, tk::TWinControl);
TEST_CONTROL_CLASS(TDateTimePicker, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomTreeView, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomUpDown, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomHotKey, tk::TWinControl);
TEST_CONTROL_CLASS(TProgressBar, tk::TWinControl);
TEST_CONTROL_CLASS(TTrackBar, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomTabControl, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomGrid, tk::TCustomControl);
TEST_CONTROL_CLASS(TSpeedButton, tk::TGraphicControl);
TEST_CONTROL_CLASS(TCustomGroupBox, tk::TCustomControl);
TEST_CONTROL_CLASS(TScrollBar, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomListControl, tk::TWinControl);
TEST_CONTROL_CLASS(TCustomListView, TCustomListControl);
TEST_CONTROL_CLASS(TCustomComboBox, TCustomListControl);
TEST_CONTROL_CLASS(TCustomComboBoxEx, TCustomListControl);
// Descendants the table does not name.
TEST_CONTROL_CLASS(TBitBtn, tk::TButton);
TEST_CONTROL_CLASS(TStringGrid, TCustomGrid);
TEST_CONTROL_CLASS(TListBox, TCustomListControl);
TEST_CONTROL_CLASS(TPaintPanel, tk::TCustomControl);
TEST_CONTROL_CLASS(TPlainWinControl, tk::TWinControl);
TEST_CONTROL_CLASS(TPlainGraphicControl, tk::TGraphicControl);

// The engine's table of toolkit controls, in registration order, each row making a skinner
// that reports the row's index. The toolkit's TCheckBox, TEdit, TPanel and TLabel stand where
// the table names their TCustom ancestors.
std::vector<skin::TControlSkinnerRow> ToolkitRows() {
  return {
      {&tk::TCustomControl::ClassInfo, MakeControlSkinner<0>},
      {&TCustomFrame::ClassInfo, MakeControlSkinner<1>},
      {&TScrollBox::ClassInfo, MakeControlSkinner<2>},
      {&TCoolBar::ClassInfo, MakeControlSkinner<3>},
      {&TToolBar::ClassInfo, MakeControlSkinner<4>},
      {&TCustomStatusBar::ClassInfo, MakeControlSkinner<5>},
      {&TDateTimePicker::ClassInfo, MakeControlSkinner<6>},
      {&TCustomTreeView::ClassInfo, MakeControlSkinner<7>},
      {&TCustomUpDown::ClassInfo, MakeControlSkinner<8>},
      {&TCustomHotKey::ClassInfo, MakeControlSkinner<9>},
      {&TProgressBar::ClassInfo, MakeControlSkinner<10>},
      {&TTrackBar::ClassInfo, MakeControlSkinner<11>},
      {&TCustomTabControl::ClassInfo, MakeControlSkinner<12>},
      {&TCustomGrid::ClassInfo, MakeControlSkinner<13>},
      {&TSpeedButton::ClassInfo, MakeControlSkinner<14>},
      {&tk::TPanel::ClassInfo, MakeControlSkinner<15>},
      {&TCustomGroupBox::ClassInfo, MakeControlSkinner<16>},
      {&TScrollBar::ClassInfo, MakeControlSkinner<17>},
      {&TCustomListControl::ClassInfo, MakeControlSkinner<18>},
      {&TCustomListView::ClassInfo, MakeControlSkinner<19>},
      {&tk::TRadioButton::ClassInfo, MakeControlSkinner<20>},
      {&TCustomComboBox::ClassInfo, MakeControlSkinner<21>},
      {&TCustomComboBoxEx::ClassInfo, MakeControlSkinner<22>},
      {&tk::TCheckBox::ClassInfo, MakeControlSkinner<23>},
      {&tk::TEdit::ClassInfo, MakeControlSkinner<24>},
      {&tk::TButton::ClassInfo, MakeControlSkinner<25>},
      {&tk::TLabel::ClassInfo, MakeControlSkinner<26>},
  };
}

enum TNativeRow { nrComboBox, nrComboBoxEx, nrButton, nrCheckBox, nrRadioButton, nrTab, nrToolBar };

// The engine's table of native windows, in registration order.
std::vector<skin::TWndSkinnerRow> NativeRows() {
  return {
      {"COMBOBOX", MakeWndSkinner<nrComboBox>},
      {"COMBOBOXEX32", MakeWndSkinner<nrComboBoxEx>},
      {"BUTTON", MakeWndSkinner<nrButton>},
      {"BUTTON_CHECKBOX", MakeWndSkinner<nrCheckBox>},
      {"BUTTON_RADIOBUTTON", MakeWndSkinner<nrRadioButton>},
      {"SYSTABCONTROL32", MakeWndSkinner<nrTab>},
      {"TOOLBARWINDOW32", MakeWndSkinner<nrToolBar>},
  };
}

// The registries are process-wide: every test starts and ends with both tables empty.
class SkinnerRegistryTest : public testing::Test {
 protected:
  void SetUp() override { skin::ClearSkinnerRegistries(); }
  void TearDown() override { skin::ClearSkinnerRegistries(); }
};

template <typename T>
std::unique_ptr<tk::TControl> Make() {
  return std::make_unique<T>(nullptr);
}

struct TControlCase {
  const char* Name;
  std::unique_ptr<tk::TControl> (*Create)();
  int Row;
};

TEST_F(SkinnerRegistryTest, ToolkitLookupTakesTheLastRowTheControlDerivesFrom) {
  skin::RegisterControlSkinners(ToolkitRows());
  const TControlCase cases[] = {
      {"TCustomControl", Make<tk::TCustomControl>, 0},
      {"TCustomFrame", Make<TCustomFrame>, 1},
      {"TScrollBox", Make<TScrollBox>, 2},
      {"TCoolBar", Make<TCoolBar>, 3},
      {"TToolBar", Make<TToolBar>, 4},
      {"TCustomStatusBar", Make<TCustomStatusBar>, 5},
      {"TDateTimePicker", Make<TDateTimePicker>, 6},
      {"TCustomTreeView", Make<TCustomTreeView>, 7},
      {"TCustomUpDown", Make<TCustomUpDown>, 8},
      {"TCustomHotKey", Make<TCustomHotKey>, 9},
      {"TProgressBar", Make<TProgressBar>, 10},
      {"TTrackBar", Make<TTrackBar>, 11},
      {"TCustomTabControl", Make<TCustomTabControl>, 12},
      {"TCustomGrid", Make<TCustomGrid>, 13},
      {"TSpeedButton", Make<TSpeedButton>, 14},
      {"TPanel", Make<tk::TPanel>, 15},
      {"TCustomGroupBox", Make<TCustomGroupBox>, 16},
      {"TScrollBar", Make<TScrollBar>, 17},
      {"TCustomListControl", Make<TCustomListControl>, 18},
      {"TCustomListView", Make<TCustomListView>, 19},
      {"TRadioButton", Make<tk::TRadioButton>, 20},
      {"TCustomComboBox", Make<TCustomComboBox>, 21},
      {"TCustomComboBoxEx", Make<TCustomComboBoxEx>, 22},
      {"TCheckBox", Make<tk::TCheckBox>, 23},
      {"TEdit", Make<tk::TEdit>, 24},
      {"TButton", Make<tk::TButton>, 25},
      {"TLabel", Make<tk::TLabel>, 26},
      // Descendants meet their nearest row before the general ones.
      {"TBitBtn", Make<TBitBtn>, 25},
      {"TStringGrid", Make<TStringGrid>, 13},
      {"TListBox", Make<TListBox>, 18},
      {"TPaintPanel", Make<TPaintPanel>, 0},
      {"TPlainWinControl", Make<TPlainWinControl>, kNoRow},
      {"TPlainGraphicControl", Make<TPlainGraphicControl>, kNoRow},
      {"TForm", Make<tk::TForm>, kNoRow},
  };
  for (const TControlCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::unique_ptr<tk::TControl> control = c.Create();
    const std::unique_ptr<TzubSkinControl> skinner(
        skin::CreateControlSkinner(control.get(), nullptr));
    EXPECT_EQ(RowOf(skinner), c.Row);
    if (skinner) {
      EXPECT_EQ(static_cast<const TRowSkinner&>(*skinner).Control, control.get());
    }
  }
}

TEST_F(SkinnerRegistryTest, LaterRegistrationsAppendAndWin) {
  constexpr int kLateRow = 99;
  skin::RegisterControlSkinners(ToolkitRows());
  skin::RegisterControlSkinners({{&tk::TButton::ClassInfo, MakeControlSkinner<kLateRow>}});
  tk::TButton button(nullptr);
  TBitBtn bitBtn(nullptr);
  tk::TCheckBox checkBox(nullptr);
  EXPECT_EQ(ControlRow(button), kLateRow);
  EXPECT_EQ(ControlRow(bitBtn), kLateRow);
  EXPECT_EQ(ControlRow(checkBox), 23);
}

TEST_F(SkinnerRegistryTest, EmptyTablesAndMissingControlsGiveNoSkinner) {
  tk::TButton button(nullptr);
  EXPECT_EQ(skin::CreateControlSkinner(&button, nullptr), nullptr);
  skin::RegisterControlSkinners(ToolkitRows());
  EXPECT_EQ(skin::CreateControlSkinner(nullptr, nullptr), nullptr);

  skin::RegisterWndSkinners(NativeRows());
  EXPECT_EQ(skin::CreateWndSkinner(nullptr, nullptr), nullptr);
  skin::ClearSkinnerRegistries();
  TTestWindow host(L"STATIC", L"", WS_POPUP, nullptr);
  TTestWindow pushButton(WC_BUTTONW, L"", WS_CHILD | BS_PUSHBUTTON, host.Handle());
  EXPECT_EQ(skin::CreateWndSkinner(pushButton.Handle(), nullptr), nullptr);
}

struct TNameCase {
  const char* ClassName;
  LONG_PTR Style;
  const char* Lookup;
};

TEST(WndSkinnerLookupName, MapsButtonTypesCombosAndAnimations) {
  // Window style bits above the type never change the outcome.
  constexpr LONG_PTR kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  const TNameCase cases[] = {
      {"BUTTON", kChild | BS_PUSHBUTTON, "BUTTON"},
      {"BUTTON", kChild | BS_DEFPUSHBUTTON, "BUTTON"},
      {"BUTTON", kChild | BS_CHECKBOX, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | BS_AUTOCHECKBOX, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | BS_RADIOBUTTON, "BUTTON_RADIOBUTTON"},
      {"BUTTON", kChild | BS_3STATE, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | BS_AUTO3STATE, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | BS_GROUPBOX, ""},
      {"BUTTON", kChild | BS_USERBUTTON, "BUTTON"},
      {"BUTTON", kChild | BS_AUTORADIOBUTTON, "BUTTON_RADIOBUTTON"},
      {"BUTTON", kChild | BS_PUSHBOX, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | BS_OWNERDRAW, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | 12, "BUTTON_RADIOBUTTON"},
      {"BUTTON", kChild | 13, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | 14, "BUTTON_CHECKBOX"},
      {"BUTTON", kChild | 15, ""},
      {"COMBOBOX", kChild | CBS_SIMPLE, ""},
      {"COMBOBOX", kChild | CBS_DROPDOWN, "COMBOBOX"},
      {"COMBOBOX", kChild | CBS_DROPDOWNLIST, "COMBOBOX"},
      {"SYSANIMATE32", kChild, ""},
      {"MSCTLS_PROGRESS32", kChild, ""},
      {"COMBOBOXEX32", kChild | CBS_DROPDOWN, "COMBOBOXEX32"},
      {"SYSTABCONTROL32", kChild, "SYSTABCONTROL32"},
      {"EDIT", kChild | 7, "EDIT"},
  };
  static_assert(BS_TYPEMASK == 15, "sixteen button types");
  for (const TNameCase& c : cases) {
    SCOPED_TRACE(std::string(c.ClassName) + " style " + std::to_string(c.Style & BS_TYPEMASK));
    EXPECT_EQ(skin::WndSkinnerLookupName(c.ClassName, c.Style), c.Lookup);
  }
}

struct TWindowCase {
  const wchar_t* ClassName;
  DWORD Style;
  int Row;
};

TEST_F(SkinnerRegistryTest, NativeLookupUsesUpperCaseClassAndButtonType) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  skin::RegisterWndSkinners(NativeRows());
  TTestWindow host(L"STATIC", L"", WS_POPUP, nullptr);
  // The system's class names are mixed case ("Button", "ComboBox", "SysTabControl32").
  const TWindowCase cases[] = {
      {WC_BUTTONW, BS_PUSHBUTTON, nrButton},
      {WC_BUTTONW, BS_DEFPUSHBUTTON, nrButton},
      {WC_BUTTONW, BS_AUTOCHECKBOX, nrCheckBox},
      {WC_BUTTONW, BS_AUTO3STATE, nrCheckBox},
      {WC_BUTTONW, BS_OWNERDRAW, nrCheckBox},
      {WC_BUTTONW, BS_AUTORADIOBUTTON, nrRadioButton},
      {WC_BUTTONW, BS_GROUPBOX, kNoRow},
      {WC_COMBOBOXW, CBS_DROPDOWN, nrComboBox},
      {WC_COMBOBOXW, CBS_DROPDOWNLIST, nrComboBox},
      {WC_COMBOBOXW, CBS_SIMPLE, kNoRow},
      {WC_TABCONTROLW, 0, nrTab},
      {TOOLBARCLASSNAMEW, CCS_NORESIZE, nrToolBar},
      {WC_EDITW, 0, kNoRow},
      {WC_STATICW, 0, kNoRow},
      {PROGRESS_CLASSW, 0, kNoRow},
  };
  for (const TWindowCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.Row << " style " << c.Style);
    TTestWindow child(c.ClassName, L"", WS_CHILD | c.Style, host.Handle());
    ASSERT_NE(child.Handle(), nullptr);
    const std::unique_ptr<TzubSkinControl> skinner(skin::CreateWndSkinner(child.Handle(), nullptr));
    EXPECT_EQ(RowOf(skinner), c.Row);
    if (skinner) {
      EXPECT_EQ(skinner->GetHandle(), child.Handle());
    }
  }
}

TEST_F(SkinnerRegistryTest, NativeLookupTakesTheFirstMatchingRow) {
  skin::RegisterWndSkinners(NativeRows());
  skin::RegisterWndSkinners({{"BUTTON", MakeWndSkinner<99>}});
  TTestWindow host(L"STATIC", L"", WS_POPUP, nullptr);
  TTestWindow button(WC_BUTTONW, L"", WS_CHILD | BS_PUSHBUTTON, host.Handle());
  const std::unique_ptr<TzubSkinControl> skinner(skin::CreateWndSkinner(button.Handle(), nullptr));
  EXPECT_EQ(RowOf(skinner), nrButton);
}

TEST_F(SkinnerRegistryTest, ExtendedComboBoxSkinnerServesTheComboInside) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_USEREX_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  skin::RegisterWndSkinners(NativeRows());
  TTestWindow host(L"STATIC", L"", WS_POPUP, nullptr);
  TTestWindow elsewhere(L"STATIC", L"", WS_POPUP, nullptr);
  TTestWindow comboEx(WC_COMBOBOXEXW, L"", WS_CHILD | CBS_DROPDOWNLIST, host.Handle(), 200, 150);
  const HWND inner = GetTopWindow(comboEx.Handle());
  ASSERT_NE(inner, nullptr);

  const std::unique_ptr<TzubSkinControl> skinner(skin::CreateWndSkinner(comboEx.Handle(), nullptr));
  EXPECT_EQ(RowOf(skinner), nrComboBoxEx);
  if (skinner) {
    EXPECT_EQ(skinner->GetHandle(), inner);
  }

  // Without a child window there is nothing to skin.
  SetParent(inner, elsewhere.Handle());
  ASSERT_EQ(GetTopWindow(comboEx.Handle()), nullptr);
  EXPECT_EQ(skin::CreateWndSkinner(comboEx.Handle(), nullptr), nullptr);
}

TEST(SkinEngineLists, ClassListsStartWithTheirNames) {
  const tk::TStringList& autoSkin = skin::AutoSkinClassList();
  ASSERT_EQ(autoSkin.Count(), 4);
  EXPECT_EQ(autoSkin.Strings(0), "TSelectDirDlg");
  EXPECT_EQ(autoSkin.Strings(1), "TForm");
  EXPECT_EQ(autoSkin.Strings(2), "TfrmRegBrowser");
  EXPECT_EQ(autoSkin.Strings(3), "TfrmFTPBrowser");
  const tk::TStringList& borderExempt = skin::BorderExemptClassList();
  ASSERT_EQ(borderExempt.Count(), 1);
  EXPECT_EQ(borderExempt.Strings(0), "TDelphiWizard");
}

TEST(SkinEngineLists, AutoSkinAddsOnlyNewNamesBorderExemptAddsAll) {
  tk::TStringList& autoSkin = skin::AutoSkinClassList();
  tk::TStringList& borderExempt = skin::BorderExemptClassList();
  const int autoSkinCount = autoSkin.Count();
  const int borderExemptCount = borderExempt.Count();

  skin::AddAutoSkinClass("tform");
  EXPECT_EQ(autoSkin.Count(), autoSkinCount);
  skin::AddAutoSkinClass("TOrvTestForm");
  ASSERT_EQ(autoSkin.Count(), autoSkinCount + 1);
  EXPECT_EQ(autoSkin.Strings(autoSkinCount), "TOrvTestForm");
  EXPECT_EQ(autoSkin.IndexOf("TORVTESTFORM"), autoSkinCount);
  skin::AddBorderExemptClass("TDelphiWizard");
  EXPECT_EQ(borderExempt.Count(), borderExemptCount + 1);

  autoSkin.Delete(autoSkinCount);
  borderExempt.Delete(borderExemptCount);
}

// The engine replaces the check mark at its first skin load; ctest runs every test in a
// process of its own, so this one sees the image the lists start with.
TEST(SkinEngineLists, MenuImageListsHoldTheCheckMarkAlone) {
  EXPECT_EQ(skin::MenuImageList().Count(), 0);
  tk::TImageList& checkMarks = skin::CheckMarkImageList();
  ASSERT_EQ(checkMarks.Count(), 1);
  ASSERT_EQ(checkMarks.Width(), 16);
  ASSERT_EQ(checkMarks.Height(), 16);

  // The executable carries the resource as a 16 x 16 bitmap of 4 bits per pixel.
  HRSRC info = FindResourceW(nullptr, L"ZUBSKIN_MENU_CHECKED", MAKEINTRESOURCEW(2));
  ASSERT_NE(info, nullptr);
  BITMAPINFOHEADER header{};
  ASSERT_GE(SizeofResource(nullptr, info), sizeof header);
  std::memcpy(&header, LockResource(LoadResource(nullptr, info)), sizeof header);
  EXPECT_EQ(header.biWidth, 16);
  EXPECT_EQ(header.biHeight, 16);
  EXPECT_EQ(header.biBitCount, 4);

  // Drawn over red, the image is the source file with its white made transparent: a dark
  // check mark on nothing.
  tk::TFileStream file(ORV_TEST_CHECK_MARK_BMP, tk::fmOpenRead);
  tk::TBitmap source;
  source.LoadFromStream(file);
  constexpr tk::TColor kRed = 0x0000FF;
  constexpr tk::TColor kWhite = 0xFFFFFF;
  constexpr tk::TColor kDarkest = 0x40;
  tk::TBitmap drawn(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) drawn.SetPixel(x, y, kRed);
  checkMarks.Draw(drawn.Canvas(), 0, 0, 0);
  int markPixels = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      const tk::TColor pixel = source.Pixel(x, y);
      if (pixel == kWhite) {
        EXPECT_EQ(drawn.Pixel(x, y), kRed);
        continue;
      }
      ++markPixels;
      EXPECT_EQ(drawn.Pixel(x, y), pixel);
      for (int shift : {0, 8, 16}) EXPECT_LE(pixel >> shift & 0xFF, kDarkest);
    }
  }
  EXPECT_GT(markPixels, 10);
  EXPECT_EQ(source.Pixel(0, 0), kWhite);
  EXPECT_EQ(source.Pixel(15, 15), kWhite);
}

// ---- The window hook ---------------------------------------------------------------------

// Window classes the hook knows by name, and others for the auto-skin list.
std::wstring Wide(const char* text) {
  return std::wstring(text, text + std::strlen(text));
}

constexpr const wchar_t* kProbeClasses[] = {
    L"TTabDockHost",  L"TConjoinDockHost", L"TMessageForm",    L"TTABDOCKHOST_",
    L"tselectdirdlg", L"ORVAUTOSKINPROBE", L"OrvUnlistedProbe"};

void RegisterProbeClasses() {
  for (const wchar_t* name : kProbeClasses) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
  }
}

// A toolkit form whose window is of the given class; it may answer the already-skinned query
// itself, as a window that something else skins does.
class TProbeForm : public tk::TForm {
  TK_CLASS(TProbeForm, tk::TForm)

 public:
  explicit TProbeForm(std::wstring windowClass, bool answersSkinned = false)
      : tk::TForm(nullptr), windowClass_(std::move(windowClass)), answersSkinned_(answersSkinned) {
    HandleNeeded();
  }

 protected:
  void CreateParams(tk::TCreateParams& params) override {
    tk::TForm::CreateParams(params);
    params.WinClassName = windowClass_;
  }
  void WndProc(tk::TMessage& message) override {
    if (answersSkinned_ && message.Msg == skin::kSkinnedQuery) {
      message.Result = 1;
      return;
    }
    tk::TForm::WndProc(message);
  }

 private:
  std::wstring windowClass_;
  bool answersSkinned_;
};

// Every window the already-skinned query was sent to, in order.
std::vector<HWND> queried;

LRESULT CALLBACK RecordQuery(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == skin::kSkinnedQuery) queried.push_back(call->hwnd);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int QueriesTo(HWND wnd) {
  return static_cast<int>(std::count(queried.begin(), queried.end(), wnd));
}

// An engine owned by a plain form, skinning with the default skin; the first engine of the
// process, so it serves the hook.
class SkinHookTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterProbeClasses(); }

  void SetUp() override {
    host_ = std::make_unique<tk::TForm>(nullptr);
    engine_ = new skin::TzubSkinEngine(host_.get());
    engine_->SetSkinFile(std::string(ORV_TEST_SKINS_DIR) + "/default.zsk");
    engine_->SetActive(true);
    ASSERT_TRUE(engine_->SkinningActive());
    ASSERT_EQ(skin::ProcessEngine(), engine_);
    queried.clear();
    recorder_ = SetWindowsHookExW(WH_CALLWNDPROC, RecordQuery, nullptr, GetCurrentThreadId());
    ASSERT_NE(recorder_, nullptr);
  }
  void TearDown() override {
    UnhookWindowsHookEx(recorder_);
    skin::SetLastDestroyedDialog(nullptr);
    host_.reset();
  }

  // Activation moves to another window first, so that the hook sees wnd activated afresh.
  void Activate(HWND wnd) {
    SetActiveWindow(other_.Handle());
    SetActiveWindow(wnd);
  }
  bool Framed(tk::TWinControl& form) { return engine_->FindSkinWindow(form.Handle()) != nullptr; }

  std::unique_ptr<tk::TForm> host_;
  skin::TzubSkinEngine* engine_ = nullptr;
  HHOOK recorder_ = nullptr;
  TTestWindow other_{L"STATIC", L"other", WS_POPUP, nullptr};
};

TEST_F(SkinHookTest, TheFirstEngineServesTheHook) {
  EXPECT_NE(skin::HookHandle(), nullptr);
  EXPECT_FALSE(skin::InstallSkinHook(engine_));
  tk::TForm secondHost(nullptr);
  auto* second = new skin::TzubSkinEngine(&secondHost);
  skin::RemoveSkinHook(second);
  EXPECT_EQ(skin::ProcessEngine(), engine_);
  EXPECT_NE(skin::HookHandle(), nullptr);
  host_.reset();
  EXPECT_EQ(skin::ProcessEngine(), nullptr);
  EXPECT_EQ(skin::HookHandle(), nullptr);
}

struct TGripCase {
  bool Skinning;
  DWORD Style;
  DWORD ExStyle;
  bool Created;
};

TEST_F(SkinHookTest, SizeGripsAreRefusedWhileSkinning) {
  const TGripCase cases[] = {
      {true, SBS_SIZEGRIP, 0, false},
      {true, SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, WS_EX_CLIENTEDGE, false},
      {true, SBS_SIZEGRIP, WS_EX_NOPARENTNOTIFY | WS_EX_TRANSPARENT, false},
      {true, SBS_SIZEGRIP, WS_EX_NOPARENTNOTIFY, true},
      {true, SBS_HORZ, 0, true},
      {true, SBS_VERT, WS_EX_CLIENTEDGE, true},
      {false, SBS_SIZEGRIP, 0, true},
  };
  TTestWindow parent(L"STATIC", L"", WS_POPUP, nullptr);
  for (const TGripCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "skinning " << c.Skinning << " style " << c.Style << " extended " << c.ExStyle);
    engine_->SetActive(c.Skinning);
    TTestWindow bar(WC_SCROLLBARW, L"", WS_CHILD | c.Style, parent.Handle(), 20, 20, c.ExStyle);
    EXPECT_EQ(bar.Handle() != nullptr, c.Created);
  }
}

TEST_F(SkinHookTest, DialogsAndDockHostsAreSkinnedOnceWhenActivated) {
  for (const char* name : {"#32770", "TMessageForm", "TTabDockHost", "TConjoinDockHost"}) {
    SCOPED_TRACE(name);
    TProbeForm form(Wide(name));
    Activate(form.Handle());
    EXPECT_EQ(QueriesTo(form.Handle()), 1);
    ASSERT_TRUE(Framed(form));
    const int frames = engine_->WindowCount();
    // The frame answers the query now, so the next activation attaches nothing.
    Activate(form.Handle());
    EXPECT_EQ(QueriesTo(form.Handle()), 2);
    EXPECT_EQ(engine_->WindowCount(), frames);
  }
}

TEST_F(SkinHookTest, SkinDialogsOffLeavesDialogsButSkinsDockHosts) {
  engine_->SetSkinDialogs(false);
  TProbeForm dialog(L"#32770");
  TProbeForm messageForm(L"TMessageForm");
  TProbeForm dockHost(L"TConjoinDockHost");
  for (tk::TWinControl* form : {&dialog, &messageForm, &dockHost}) Activate(form->Handle());
  EXPECT_FALSE(Framed(dialog));
  EXPECT_FALSE(Framed(messageForm));
  EXPECT_TRUE(Framed(dockHost));
}

TEST_F(SkinHookTest, WindowsThatAnswerSkinnedAreLeftAlone) {
  skin::AddAutoSkinClass("ORVAUTOSKINPROBE");
  for (const wchar_t* name : {L"#32770", L"TTabDockHost", L"ORVAUTOSKINPROBE"}) {
    TProbeForm form(name, true);
    Activate(form.Handle());
    EXPECT_EQ(QueriesTo(form.Handle()), 1);
    EXPECT_FALSE(Framed(form));
  }
  tk::TStringList& list = skin::AutoSkinClassList();
  list.Delete(list.IndexOf("ORVAUTOSKINPROBE"));
}

TEST_F(SkinHookTest, TheLastDestroyedDialogIsPassedOverOnce) {
  TProbeForm dialog(L"#32770");
  skin::SetLastDestroyedDialog(dialog.Handle());
  Activate(dialog.Handle());
  EXPECT_FALSE(Framed(dialog));
  EXPECT_EQ(skin::LastDestroyedDialog(), nullptr);
  Activate(dialog.Handle());
  EXPECT_TRUE(Framed(dialog));

  // Any dialog activation consumes the record, whether it skins the dialog or not; other
  // windows leave it.
  TProbeForm dockHost(L"TTabDockHost");
  TProbeForm messageForm(L"TMessageForm");
  skin::SetLastDestroyedDialog(other_.Handle());
  Activate(dockHost.Handle());
  EXPECT_EQ(skin::LastDestroyedDialog(), other_.Handle());
  engine_->SetSkinDialogs(false);
  Activate(messageForm.Handle());
  EXPECT_EQ(skin::LastDestroyedDialog(), nullptr);
}

TEST_F(SkinHookTest, AutoSkinClassesMatchRegardlessOfCase) {
  skin::AddAutoSkinClass("OrvAutoSkinProbe");
  TProbeForm listedLowerCase(L"tselectdirdlg");
  TProbeForm addedUpperCase(L"ORVAUTOSKINPROBE");
  // The hook's own class names are exact: this one is an ordinary, unlisted class.
  TProbeForm notADockHost(L"TTABDOCKHOST_");
  TProbeForm unlisted(L"OrvUnlistedProbe");
  for (tk::TWinControl* form : {&listedLowerCase, &addedUpperCase, &notADockHost, &unlisted})
    Activate(form->Handle());
  EXPECT_TRUE(Framed(listedLowerCase));
  EXPECT_TRUE(Framed(addedUpperCase));
  EXPECT_FALSE(Framed(notADockHost));
  EXPECT_FALSE(Framed(unlisted));
  EXPECT_EQ(QueriesTo(unlisted.Handle()), 0);
  tk::TStringList& list = skin::AutoSkinClassList();
  list.Delete(list.IndexOf("OrvAutoSkinProbe"));
}

TEST_F(SkinHookTest, NothingChangesWhileTheEngineIsNotSkinning) {
  engine_->SetActive(false);
  TProbeForm dialog(L"#32770");
  TProbeForm dockHost(L"TTabDockHost");
  TProbeForm listed(L"tselectdirdlg");
  skin::SetLastDestroyedDialog(other_.Handle());
  for (tk::TWinControl* form : {&dialog, &dockHost, &listed}) {
    Activate(form->Handle());
    EXPECT_EQ(QueriesTo(form->Handle()), 0);
  }
  EXPECT_EQ(engine_->WindowCount(), 0);
  EXPECT_EQ(skin::LastDestroyedDialog(), other_.Handle());
}

struct TBoxProbe {
  std::wstring Title;
  HWND Other = nullptr;
  HWND Box = nullptr;
  int QueriesAtFirst = -1;
  int QueriesAtSecond = -1;
};
TBoxProbe* boxProbe = nullptr;

// Runs inside the message box's own loop: notes what the first activation did, activates the
// box once more and closes it.
void CALLBACK DriveMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  TBoxProbe& probe = *boxProbe;
  if (probe.Box != nullptr) return;
  probe.Box = FindWindowW(L"#32770", probe.Title.c_str());
  if (probe.Box == nullptr) return;
  probe.QueriesAtFirst = QueriesTo(probe.Box);
  SetActiveWindow(probe.Other);
  SetActiveWindow(probe.Box);
  probe.QueriesAtSecond = QueriesTo(probe.Box);
  PostMessageW(probe.Box, WM_CLOSE, 0, 0);
}

TEST_F(SkinHookTest, AMessageBoxIsOfferedToTheEngineAtEachActivation) {
  constexpr UINT kTimerMs = 50;
  TBoxProbe probe;
  probe.Title = L"Hook probe " + std::to_wstring(GetCurrentProcessId());
  probe.Other = other_.Handle();
  boxProbe = &probe;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTimerMs, DriveMessageBox);
  const int answer = MessageBoxW(nullptr, L"Skinned?", probe.Title.c_str(), MB_OK);
  KillTimer(nullptr, timer);
  boxProbe = nullptr;
  EXPECT_EQ(answer, IDCANCEL);
  ASSERT_NE(probe.Box, nullptr);
  EXPECT_EQ(probe.QueriesAtFirst, 1);
  EXPECT_EQ(probe.QueriesAtSecond, 2);
}

TEST_F(SkinHookTest, AnimationAndProgressChildrenMarkTheFrame) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  for (const wchar_t* name : {ANIMATE_CLASSW, PROGRESS_CLASSW}) {
    tk::TForm form(nullptr);
    engine_->AddSkinWindow(form.Handle(), false);
    TzubSkinWindow* frame = engine_->FindSkinWindow(form.Handle());
    ASSERT_NE(frame, nullptr);
    TTestWindow button(WC_BUTTONW, L"", WS_CHILD | BS_PUSHBUTTON, form.Handle());
    TTestWindow child(name, L"", WS_CHILD, form.Handle());
    EXPECT_EQ(skin::CreateWndSkinner(button.Handle(), frame), nullptr);
    EXPECT_FALSE(frame->HasAnimation());
    EXPECT_EQ(skin::CreateWndSkinner(child.Handle(), frame), nullptr);
    EXPECT_TRUE(frame->HasAnimation());
  }
}

}  // namespace
