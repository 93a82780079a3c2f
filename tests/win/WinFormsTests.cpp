#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/WinPump.h"
#include "toolkit/core/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/Screen.h"
#include "toolkit/win/StdCtrls.h"

namespace {

using testing_support::PumpUntil;
using tk::TApplication;
using tk::TCustomForm;
using tk::TForm;
using tk::TMessage;

DWORD StyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64]{};
  GetClassNameW(window, name, 64);
  return name;
}

// A form class with a stored description in the test program's resources.
class TDescribedForm : public TForm {
  TK_CLASS(TDescribedForm, TForm)

 public:
  explicit TDescribedForm(tk::TComponent* owner) : TForm(owner) {}
  tk::TButton* OkButton() const { return static_cast<tk::TButton*>(FindComponent("OkButton")); }
};

// Frees itself and says so.
class TWatchedForm : public TForm {
  TK_CLASS(TWatchedForm, TForm)

 public:
  TWatchedForm(tk::TComponent* owner, bool& freed) : TForm(owner), freed_(freed) {}
  ~TWatchedForm() override { freed_ = true; }

 private:
  bool& freed_;
};

class TMDIFrameForm : public TForm {
  TK_CLASS(TMDIFrameForm, TForm)

 public:
  explicit TMDIFrameForm(tk::TComponent* owner) : TForm(owner) { SetFormStyle(tk::fsMDIForm); }
};

class TMDIChildForm : public TForm {
  TK_CLASS(TMDIChildForm, TForm)

 public:
  explicit TMDIChildForm(tk::TComponent* owner) : TForm(owner) { SetFormStyle(tk::fsMDIChild); }
};

constexpr UINT kProbe = WM_APP + 7;

// Records the WParam of every kProbe message that reaches a window, then passes it on.
class TProbe : public tk::TObject {
 public:
  TProbe(std::vector<WPARAM>& reached, tk::TWndMethod old) : reached_(reached), old_(old) {}
  void Handle(TMessage& message) {
    if (message.Msg == kProbe) reached_.push_back(message.WParam);
    old_(message);
  }

 private:
  std::vector<WPARAM>& reached_;
  tk::TWndMethod old_;
};

class FormsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::RegisterComponentClass<tk::TButton>(); }
};

TEST_F(FormsTest, BorderStyleAndIconsGiveTheWindowItsFrame) {
  struct TCase {
    const char* Name;
    tk::TFormBorderStyle Style;
    tk::TBorderIcons Icons;
    DWORD Present;
    DWORD Absent;
    DWORD ExPresent;
  };
  constexpr tk::TBorderIcons kAll = tk::biSystemMenu | tk::biMinimize | tk::biMaximize;
  const TCase cases[] = {
      {"sizeable", tk::bsSizeable, kAll,
       WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_POPUP, 0},
      {"single without maximize", tk::bsSingle, tk::biSystemMenu | tk::biMinimize,
       WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
      {"dialog drops minimize and maximize", tk::bsDialog, kAll, WS_CAPTION | WS_SYSMENU,
       WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME, WS_EX_DLGMODALFRAME},
      {"dialog with help", tk::bsDialog, tk::biSystemMenu | tk::biHelp, WS_SYSMENU, 0,
       WS_EX_CONTEXTHELP},
      {"tool window", tk::bsToolWindow, kAll, WS_CAPTION, WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
      {"sizeable tool window", tk::bsSizeToolWin, kAll, WS_CAPTION | WS_THICKFRAME, 0,
       WS_EX_TOOLWINDOW},
      {"no system menu, no buttons", tk::bsSizeable, tk::biMinimize | tk::biMaximize, WS_CAPTION,
       WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {"no border", tk::bsNone, kAll, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TForm form(nullptr);
    form.SetBorderStyle(c.Style);
    form.SetBorderIcons(c.Icons);
    const HWND window = form.Handle();
    EXPECT_EQ(StyleOf(window) & c.Present, c.Present);
    EXPECT_EQ(StyleOf(window) & c.Absent, 0u);
    EXPECT_EQ(ExStyleOf(window) & c.ExPresent, c.ExPresent);
    EXPECT_FALSE(IsWindowVisible(window));
  }
}

TEST_F(FormsTest, ChangingTheBorderStyleMakesTheWindowAgainWithItsChildren) {
  TForm form(nullptr);
  auto* edit = new tk::TEdit(&form);
  edit->SetParent(&form);
  const HWND before = form.Handle();
  SetWindowTextW(edit->Handle(), L"typed");
  form.SetBorderStyle(tk::bsToolWindow);
  ASSERT_TRUE(form.HandleAllocated());
  EXPECT_NE(form.Handle(), before);
  EXPECT_NE(ExStyleOf(form.Handle()) & WS_EX_TOOLWINDOW, 0u);
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(GetParent(edit->Handle()), form.Handle());
  EXPECT_EQ(edit->WideText(), L"typed");
}

TEST_F(FormsTest, ClientSizeHoldsBeforeAndAfterTheWindowExistsWithAndWithoutAMenu) {
  for (const bool withMenu : {false, true}) {
    SCOPED_TRACE(withMenu ? "with menu" : "without menu");
    TForm form(nullptr);
    tk::TMainMenu menu(nullptr);
    auto* file = new tk::TMenuItem(&menu);
    file->SetCaption("&File");
    menu.Items()->Add(file);
    if (withMenu) form.SetMenu(&menu);
    form.SetClientWidth(320);
    form.SetClientHeight(180);
    EXPECT_EQ(form.ClientWidth(), 320);
    EXPECT_EQ(form.ClientHeight(), 180);
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 180);
    EXPECT_EQ(GetMenu(form.Handle()), withMenu ? menu.Handle() : nullptr);
    // Setting the menu on a form that has its window keeps the client area.
    form.SetMenu(withMenu ? nullptr : &menu);
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.bottom, 180);
    form.SetMenu(nullptr);
  }
}

TEST_F(FormsTest, ConstraintsBoundTheSizeAndTheDragLimits) {
  TForm form(nullptr);
  form.Constraints().SetMinWidth(200);
  form.Constraints().SetMinHeight(150);
  form.Constraints().SetMaxWidth(500);
  form.SetBounds(10, 10, 100, 900);
  EXPECT_EQ(form.Width(), 200);
  EXPECT_EQ(form.Height(), 900);
  form.Constraints().SetMaxHeight(400);
  EXPECT_EQ(form.Height(), 400);
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 200);
  MINMAXINFO info{};
  form.Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMinTrackSize.y, 150);
  EXPECT_EQ(info.ptMaxTrackSize.x, 500);
  EXPECT_EQ(info.ptMaxTrackSize.y, 400);
}

TEST_F(FormsTest, AFormReadsItsStoredDescriptionFromTheProgramsResources) {
  TDescribedForm form(nullptr);
  bool created = false;
  form.SetOnCreate([&](tk::TObject*) { created = form.OkButton() != nullptr; });
  form.InitializeForm();
  EXPECT_TRUE(created);
  EXPECT_EQ(form.Name(), "DescribedForm");
  EXPECT_EQ(form.Caption(), "Described");
  EXPECT_EQ(form.BorderStyle(), tk::bsSingle);
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.ClientHeight(), 200);
  ASSERT_NE(form.OkButton(), nullptr);
  EXPECT_EQ(form.OkButton()->Parent(), &form);
  EXPECT_EQ(form.OkButton()->Caption(), "OK");
  EXPECT_FALSE(form.Visible());
}

TEST_F(FormsTest, ADescriptionOfAnotherClassIsRefusedAndLeavesNothingBehind) {
  TForm form(nullptr);
  const char* text =
      "object Other: TOtherForm\n"
      "end\n";
  EXPECT_THROW(tk::ReadComponentInto(form, text), tk::EReadError);
  const char* damaged =
      "object Form1: TForm\n"
      "  object Button1: TButton\n"
      "    Left = x\n"
      "  end\n"
      "end\n";
  EXPECT_THROW(tk::ReadComponentInto(form, damaged), tk::EReadError);
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.ControlCount(), 0);
  EXPECT_EQ(form.ComponentState() & tk::csLoading, 0u);
}

TEST_F(FormsTest, AFormStoredAtAnotherResolutionIsScaledToTheScreen) {
  const int screen = tk::Screen().PixelsPerInch();
  TForm form(nullptr);
  const std::string text =
      "object Form1: TForm\n  ClientWidth = 400\n  PixelsPerInch = " + std::to_string(screen * 2) +
      "\n  object Button1: TButton\n    Left = 40\n    Width = 100\n"
      "  end\nend\n";
  tk::ReadComponentInto(form, text);
  auto* button = static_cast<tk::TControl*>(form.FindComponent("Button1"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Left(), 20);
  EXPECT_EQ(button->Width(), 50);
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(form.PixelsPerInch(), screen);
}

TEST_F(FormsTest, CloseDoesWhatOnCloseLeavesInItsAction) {
  struct TCase {
    const char* Name;
    bool Refuse;
    tk::TCloseAction Action;
    bool Visible;
    bool Freed;
  };
  const TCase cases[] = {
      {"hide", false, tk::caHide, false, false},
      {"nothing", false, tk::caNone, true, false},
      {"free", false, tk::caFree, true, true},
      {"refused", true, tk::caHide, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    bool freed = false;
    auto* form = new TWatchedForm(nullptr, freed);
    form->SetVisible(true);
    form->SetOnCloseQuery([&](tk::TObject*, bool& canClose) { canClose = !c.Refuse; });
    form->SetOnClose([&](tk::TObject*, tk::TCloseAction& action) {
      EXPECT_EQ(action, tk::caHide);
      action = c.Action;
    });
    form->Perform(WM_CLOSE);
    EXPECT_FALSE(freed) << "freed inside its own message";
    if (c.Freed) {
      EXPECT_TRUE(PumpUntil([&] { return freed; }));
      continue;
    }
    EXPECT_EQ(form->Visible(), c.Visible);
    EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, c.Visible);
    delete form;
  }
}

TEST_F(FormsTest, ShowModalRunsUntilModalResultAndDisablesTheOtherWindows) {
  TForm other(nullptr);
  other.Show();
  TForm dialog(nullptr);
  dialog.SetBorderStyle(tk::bsDialog);
  bool otherWasDisabled = false;
  dialog.SetOnShow([&](tk::TObject*) {
    otherWasDisabled = !IsWindowEnabled(other.Handle());
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(dialog.ShowModal(), tk::mrCancel);
  EXPECT_TRUE(otherWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(dialog.Visible());

  dialog.SetOnShow([&](tk::TObject*) { dialog.SetModalResult(tk::mrOk); });
  EXPECT_EQ(dialog.ShowModal(), tk::mrOk);
  EXPECT_THROW(other.ShowModal(), tk::Exception) << "a shown form cannot go modal";
}

TEST_F(FormsTest, MDIChildrenLiveInTheFramesClientWindow) {
  TApplication app;
  EXPECT_THROW(TMDIChildForm(nullptr).Handle(), tk::Exception) << "no MDI frame yet";
  auto* frame = app.CreateForm<TMDIFrameForm>();
  ASSERT_EQ(app.MainForm(), frame);
  EXPECT_EQ(frame->ClientHandle(), nullptr) << "made with the frame's window";
  frame->HandleNeeded();
  const HWND client = frame->ClientHandle();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(lstrcmpiW(ClassOf(client).c_str(), L"MDICLIENT"), 0) << "class names ignore case";
  EXPECT_EQ(GetParent(client), frame->Handle());

  auto* first = app.CreateForm<TMDIChildForm>();
  auto* second = app.CreateForm<TMDIChildForm>();
  EXPECT_EQ(GetParent(first->Handle()), client);
  EXPECT_NE(ExStyleOf(second->Handle()) & WS_EX_MDICHILD, 0u);
  ASSERT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->MDIChildren(0), first);
  EXPECT_EQ(frame->MDIChildren(1), second);
  EXPECT_EQ(frame->ActiveMDIChild(), second);
  EXPECT_TRUE(second->Active());
  EXPECT_FALSE(first->Active());

  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
  EXPECT_EQ(frame->ActiveMDIChild(), first);
  EXPECT_TRUE(first->Active());
  EXPECT_FALSE(second->Active());

  second->SetWindowState(tk::wsMaximized);
  EXPECT_TRUE(IsZoomed(second->Handle()));
  delete second;
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_THROW(frame->MDIChildren(1), tk::Exception);
}

TEST_F(FormsTest, TheMDIClientFillsWhatAlignedControlsLeave) {
  TApplication app;
  auto* frame = app.CreateForm<TMDIFrameForm>();
  frame->SetClientWidth(400);
  frame->SetClientHeight(300);
  frame->HandleNeeded();
  auto* bar = new tk::TPanel(frame);
  bar->SetHeight(30);
  bar->SetAlign(tk::alTop);
  bar->SetParent(frame);
  RECT r{};
  GetWindowRect(frame->ClientHandle(), &r);
  MapWindowPoints(nullptr, frame->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.bottom, 300);
  EXPECT_EQ(r.right - r.left, 400);
}

TEST_F(FormsTest, TheApplicationTracksItsMainFormActivationAndEnd) {
  TApplication app;
  EXPECT_EQ(tk::Application(), &app);
  EXPECT_THROW(TApplication second, tk::Exception);
  auto* main = app.CreateForm<TForm>();
  auto* other = app.CreateForm<TForm>();
  EXPECT_EQ(app.MainForm(), main);
  EXPECT_EQ(other->Owner(), &app);

  EXPECT_FALSE(app.Active());
  other->Perform(WM_ACTIVATEAPP, TRUE);
  EXPECT_TRUE(app.Active());
  other->Perform(WM_ACTIVATEAPP, FALSE);
  EXPECT_FALSE(app.Active());

  // Closing the main form ends the application's loop.
  app.SetShowMainForm(false);
  PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
  app.Run();
  EXPECT_TRUE(app.Terminated());
  delete main;
  EXPECT_EQ(app.MainForm(), nullptr);
}

TEST_F(FormsTest, ApplicationEventsSeeMessagesFirstAndCanSwallowThem) {
  TApplication app;
  auto* form = app.CreateForm<TForm>();
  std::vector<WPARAM> reached;
  TProbe probe(reached, form->WindowProc());
  form->SetWindowProc(tk::TWndMethod::Of<&TProbe::Handle>(&probe));
  std::vector<WPARAM> seen;
  auto* events = new tk::TApplicationEvents(form);
  events->SetOnMessage([&](MSG& msg, bool& handled) {
    if (msg.message != kProbe) return;
    seen.push_back(msg.wParam);
    handled = msg.wParam == 1;
  });
  PostMessageW(form->Handle(), kProbe, 1, 0);
  PostMessageW(form->Handle(), kProbe, 2, 0);
  app.ProcessMessages();
  EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2}));
  EXPECT_EQ(reached, (std::vector<WPARAM>{2}));
  form->SetWindowProc(tk::TWndMethod());
}

TEST_F(FormsTest, TheScreenListsFormsInCreationOrderAndKnowsTheMonitors) {
  const int before = tk::Screen().FormCount();
  auto first = std::make_unique<TForm>(nullptr);
  auto second = std::make_unique<TForm>(nullptr);
  ASSERT_EQ(tk::Screen().FormCount(), before + 2);
  EXPECT_EQ(tk::Screen().Forms(before), first.get());
  EXPECT_EQ(tk::Screen().Forms(before + 1), second.get());
  first.reset();
  EXPECT_EQ(tk::Screen().FormCount(), before + 1);
  EXPECT_EQ(tk::Screen().Forms(before), second.get());

  second->Perform(WM_ACTIVATE, WA_ACTIVE);
  EXPECT_EQ(tk::Screen().ActiveForm(), second.get());
  EXPECT_TRUE(second->Active());

  ASSERT_GE(tk::Screen().MonitorCount(), 1);
  tk::TMonitor* monitor = tk::Screen().MonitorFromWindow(second->Handle());
  ASSERT_NE(monitor, nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(monitor->WorkareaRect(), tk::Rect(work.left, work.top, work.right, work.bottom));
  EXPECT_EQ(tk::Screen().MonitorFromWindow(second->Handle()), monitor) << "one object per monitor";
  second.reset();
  EXPECT_EQ(tk::Screen().ActiveForm(), nullptr);
}

TEST_F(FormsTest, OwnerDrawnMenuMessagesToAFormReachTheItemsHandlers) {
  TForm form(nullptr);
  tk::TMainMenu menu(&form);
  auto* file = new tk::TMenuItem(&form);
  file->SetCaption("&File");
  auto* open = new tk::TMenuItem(&form);
  open->SetCaption("&Open");
  open->SetShortCut(tk::ShortCut(VK_F5, 0));
  file->Add(open);
  menu.Items()->Add(file);
  menu.SetOwnerDraw(true);
  form.SetMenu(&menu);
  int measured = 0;
  std::vector<bool> drawn;
  int clicks = 0;
  open->SetOnMeasureItem([&](tk::TMenuItem* sender, tk::TCanvas&, int& width, int& height) {
    EXPECT_EQ(sender, open);
    ++measured;
    width = 120;
    height = 21;
  });
  open->SetOnDrawItem([&](tk::TMenuItem*, tk::TCanvas&, tk::TRect rect, bool selected) {
    EXPECT_EQ(rect, tk::Rect(0, 0, 120, 21));
    drawn.push_back(selected);
  });
  open->SetOnClick([&](tk::TObject*) { ++clicks; });

  MEASUREITEMSTRUCT measure{ODT_MENU, 0, open->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(open)};
  EXPECT_EQ(form.Perform(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
  EXPECT_EQ(measured, 1);
  EXPECT_EQ(measure.itemWidth, 120u);
  HDC dc = GetDC(form.Handle());
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = open->Command();
  draw.itemState = ODS_SELECTED;
  draw.hwndItem = reinterpret_cast<HWND>(file->Handle());
  draw.hDC = dc;
  draw.rcItem = RECT{0, 0, 120, 21};
  draw.itemData = reinterpret_cast<ULONG_PTR>(open);
  EXPECT_EQ(form.Perform(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
  ReleaseDC(form.Handle(), dc);
  EXPECT_EQ(drawn, (std::vector<bool>{true}));

  form.Perform(WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(form.IsShortCut(TMessage{WM_KEYDOWN, VK_F5, 0, 0}));
  EXPECT_EQ(clicks, 2);
  form.SetMenu(nullptr);
}

TEST_F(FormsTest, ReleasedAndDestroyedFormsGiveTheirMenuBack) {
  tk::TMainMenu menu(nullptr);
  menu.Items()->Add(new tk::TMenuItem(&menu));
  {
    TForm form(nullptr);
    form.SetMenu(&menu);
    ASSERT_EQ(GetMenu(form.Handle()), menu.Handle());
  }
  EXPECT_TRUE(IsMenu(menu.Handle())) << "the window must not destroy the menu it showed";
}

TEST_F(FormsTest, AutoScrollShowsBarsForControlsBeyondTheClientAreaAndScrollsThem) {
  TForm form(nullptr);
  form.SetClientWidth(200);
  form.SetClientHeight(100);
  auto* button = new tk::TButton(&form);
  button->SetBounds(10, 300, 80, 24);
  button->SetParent(&form);
  form.HandleNeeded();
  EXPECT_EQ(StyleOf(form.Handle()) & WS_VSCROLL, 0u);
  form.SetAutoScroll(true);
  EXPECT_NE(StyleOf(form.Handle()) & WS_VSCROLL, 0u);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(form.Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nMax, 323);
  form.Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(button->Top(), 292);
  form.Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(button->Top() + button->Height(), form.ClientHeight());
  form.SetAutoScroll(false);
  EXPECT_EQ(button->Top(), 300);
  EXPECT_EQ(StyleOf(form.Handle()) & WS_VSCROLL, 0u);
}

TEST_F(FormsTest, ReadingOrderReachesChildrenThatFollowTheirParent) {
  TForm form(nullptr);
  auto* edit = new tk::TEdit(&form);
  edit->SetParent(&form);
  auto* fixed = new tk::TEdit(&form);
  fixed->SetParent(&form);
  fixed->SetBiDiMode(tk::bdLeftToRight);
  form.HandleNeeded();
  form.SetBiDiMode(tk::bdRightToLeft);
  EXPECT_EQ(edit->BiDiMode(), tk::bdRightToLeft);
  EXPECT_EQ(fixed->BiDiMode(), tk::bdLeftToRight);
  EXPECT_NE(ExStyleOf(edit->Handle()) & WS_EX_RTLREADING, 0u);
  EXPECT_NE(ExStyleOf(edit->Handle()) & WS_EX_RIGHT, 0u);
  EXPECT_EQ(ExStyleOf(fixed->Handle()) & WS_EX_RTLREADING, 0u);
  form.SetBiDiMode(tk::bdRightToLeftReadingOnly);
  EXPECT_NE(ExStyleOf(edit->Handle()) & WS_EX_RTLREADING, 0u);
  EXPECT_EQ(ExStyleOf(edit->Handle()) & WS_EX_RIGHT, 0u);
}

TEST_F(FormsTest, TheClientAreaIsErasedInTheFormsColour) {
  TForm form(nullptr);
  form.SetColor(0x00336699);
  form.SetClientWidth(40);
  form.SetClientHeight(30);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(form.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), 1);
  EXPECT_EQ(GetPixel(dc, 39, 29), 0x00336699u);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

}  // namespace
