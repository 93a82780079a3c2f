#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/HandleCount.h"
#include "tests/support/TestHost.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/Exception.h"
#include "toolkit/win/ControlCanvas.h"
#include "toolkit/win/CustomControl.h"
#include "toolkit/win/GraphicControl.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/ObjectInstance.h"
#include "toolkit/win/WinControl.h"
#include "toolkit/win/WndMethod.h"

namespace {

using tk::TColor;
using tk::TControl;
using tk::TMessage;
using tk::TPoint;
using tk::TRect;
using tk::TWinControl;
using tk::TWndMethod;

constexpr LRESULT kSwallowed = 0x5A;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;

using testing_support::kHostColor;
using testing_support::kHostLeft;
using testing_support::kHostTop;
using testing_support::MakeHost;
using testing_support::PumpUntil;
using testing_support::ScreenPixel;

LPARAM PointLParam(int x, int y) {
  return MAKELPARAM(x, y);
}

// A windowed control of any native class.
class TNativeControl : public TWinControl {
 public:
  TNativeControl(tk::TComponent* owner, const wchar_t* winClass, DWORD extraStyle = 0)
      : TWinControl(owner), winClass_(winClass), extraStyle_(extraStyle) {}

 protected:
  void CreateParams(tk::TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WinClassName = winClass_;
    params.Style |= extraStyle_;
  }

 private:
  std::wstring winClass_;
  DWORD extraStyle_;
};

// A windowless control that fills everything it is given (more than its bounds) with one
// colour, so that clipping to its bounds shows.
class TSwatch : public tk::TGraphicControl {
 public:
  TSwatch(tk::TComponent* owner, TColor color) : TGraphicControl(owner), color_(color) {}
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush().Color = color_;
    Canvas()->FillRect(tk::Rect(-100, -100, 1000, 1000));
  }

 private:
  TColor color_;
};

// A message as a recorder saw it, with the name of the control it was recorded at.
struct TSeen {
  std::string Control;
  UINT Msg;
  friend bool operator==(const TSeen&, const TSeen&) = default;
  friend std::ostream& operator<<(std::ostream& out, const TSeen& seen) {
    const std::string_view name = tk::NotificationName(seen.Msg);
    if (!name.empty()) return out << seen.Control << ":" << name;
    return out << seen.Control << ":0x" << std::hex << seen.Msg << std::dec;
  }
};
using TSequence = std::vector<TSeen>;

// Takes over a control's WindowProc, writes down the messages of interest (all when none are
// named) into a log that several recorders may share, swallows the ones it is told to and
// passes the rest on to the WindowProc it replaced.
class TRecorder : public tk::TObject {
 public:
  TRecorder(TControl& control, std::string name, TSequence& log, std::set<UINT> interest = {})
      : control_(control), name_(std::move(name)), log_(log), interest_(std::move(interest)) {
    saved_ = control.WindowProc();
    control.SetWindowProc(TWndMethod::Of<&TRecorder::Handle>(this));
  }
  void Restore() { control_.SetWindowProc(saved_); }

  std::set<UINT> Swallow;
  std::vector<TMessage> Messages;

  void Handle(TMessage& message) {
    if (interest_.empty() || interest_.count(message.Msg) != 0) {
      log_.push_back(TSeen{name_, message.Msg});
      Messages.push_back(message);
    }
    if (Swallow.count(message.Msg) != 0) {
      message.Result = kSwallowed;
      return;
    }
    saved_(message);
  }

 private:
  TControl& control_;
  std::string name_;
  TSequence& log_;
  std::set<UINT> interest_;
  TWndMethod saved_;
};

std::wstring NativeText(HWND window) {
  wchar_t buffer[64] = {};
  CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)), window,
                  WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

// ---- Windows on demand and their messages --------------------------------------------------

TEST(WinControlTest, HandlesAreMadeOnDemandParentFirstAndChildrenWithTheirParent) {
  auto host = MakeHost();
  auto* first = new TNativeControl(host.get(), L"BUTTON");
  first->SetParent(host.get());
  auto* second = new TNativeControl(host.get(), L"EDIT");
  second->SetParent(host.get());
  EXPECT_FALSE(host->HandleAllocated());
  EXPECT_FALSE(first->HandleAllocated());

  HWND edit = second->Handle();
  ASSERT_TRUE(host->HandleAllocated()) << "the parent's window comes first";
  EXPECT_TRUE(first->HandleAllocated()) << "the parent makes its children's windows";
  EXPECT_EQ(GetParent(edit), host->Handle());
  EXPECT_EQ(TWinControl::FindControl(edit), second);
  wchar_t className[16] = {};
  GetClassNameW(edit, className, 16);
  EXPECT_STREQ(className, L"Edit");

  auto* late = new TNativeControl(host.get(), L"BUTTON");
  late->SetParent(host.get());
  EXPECT_TRUE(late->HandleAllocated()) << "a child added to a live window gets one at once";
  EXPECT_EQ(host->ControlCount(), 3);
}

TEST(WinControlTest, WindowProcSeesCreationFirstAndDestructionLast) {
  TSequence log;
  auto host = MakeHost();
  host->HandleNeeded();
  auto* button = new TNativeControl(nullptr, L"BUTTON");
  TRecorder recorder(*button, "button", log);
  button->SetParent(host.get());
  HWND window = button->Handle();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().Msg, static_cast<UINT>(WM_NCCREATE)) << "bound before the first message";
  const auto created = std::find(log.begin(), log.end(), TSeen{"button", WM_CREATE});
  EXPECT_NE(created, log.end());
  EXPECT_EQ(SendMessageW(window, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(button->Font().Handle()))
      << "the window uses the control's font";

  log.clear();
  delete button;
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].Msg, static_cast<UINT>(WM_DESTROY));
  EXPECT_EQ(log.back().Msg, static_cast<UINT>(WM_NCDESTROY));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host->ControlCount(), 0);
}

TEST(WinControlTest, ReplacedWindowProcSeesMessagesSwallowsThemAndIsPutBack) {
  TSequence log;
  auto host = MakeHost();
  auto* button = new TNativeControl(host.get(), L"BUTTON");
  button->SetParent(host.get());
  button->SetText("one");
  HWND window = button->Handle();
  const TWndMethod original = button->WindowProc();

  TRecorder recorder(*button, "button", log, {WM_SETTEXT, WM_GETTEXTLENGTH, WM_USER});
  recorder.Swallow = {WM_SETTEXT};
  EXPECT_EQ(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"two")), kSwallowed);
  EXPECT_EQ(NativeText(window), L"one") << "a swallowed message never reaches the native code";
  EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 3) << "the rest pass through";
  EXPECT_EQ(button->Perform(WM_USER), 0);
  EXPECT_EQ(log,
            (TSequence{{"button", WM_SETTEXT}, {"button", WM_GETTEXTLENGTH}, {"button", WM_USER}}));

  recorder.Restore();
  EXPECT_EQ(button->WindowProc(), original);
  log.clear();
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"two"));
  EXPECT_EQ(NativeText(window), L"two");
  EXPECT_TRUE(log.empty());
}

TEST(WinControlTest, ChainedWindowProcsRunNewestFirst) {
  TSequence log;
  auto host = MakeHost();
  host->HandleNeeded();
  TRecorder older(*host, "older", log, {WM_USER});
  TRecorder newer(*host, "newer", log, {WM_USER});
  SendMessageW(host->Handle(), WM_USER, 0, 0);
  EXPECT_EQ(log, (TSequence{{"newer", WM_USER}, {"older", WM_USER}}));
  newer.Restore();
  older.Restore();
}

class TThrower : public tk::TObject {
 public:
  void Handle(TMessage&) { throw std::runtime_error("handler failed"); }
};

TEST(WinControlTest, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
  auto host = MakeHost();
  HWND window = host->Handle();
  TThrower thrower;
  const TWndMethod original = host->WindowProc();
  host->SetWindowProc(TWndMethod::Of<&TThrower::Handle>(&thrower));
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 0);
  host->SetWindowProc(original);
  EXPECT_TRUE(IsWindow(window));
}

TEST(WinControlTest, PropertyChangesSendTheirNotificationsAndReachTheWindow) {
  TSequence log;
  auto host = MakeHost();
  host->SetVisible(true);
  auto* button = new TNativeControl(host.get(), L"BUTTON");
  button->SetParent(host.get());
  HWND window = button->Handle();
  ASSERT_TRUE(IsWindowVisible(window));
  TRecorder recorder(*button, "b", log,
                     {WM_SETTEXT, WM_ENABLE, WM_SHOWWINDOW, tk::CM_TEXTCHANGED,
                      tk::CM_ENABLEDCHANGED, tk::CM_VISIBLECHANGED});
  struct TCase {
    const char* Name;
    std::function<void()> Change;
    TSequence Expected;
    std::function<bool()> Applied;
  };
  const TCase cases[] = {
      {"text",
       [&] { button->SetText("go"); },
       {{"b", WM_SETTEXT}, {"b", tk::CM_TEXTCHANGED}},
       [&] { return NativeText(window) == L"go" && button->Caption() == "go"; }},
      {"same text", [&] { button->SetText("go"); }, {}, [] { return true; }},
      {"disable",
       [&] { button->SetEnabled(false); },
       {{"b", tk::CM_ENABLEDCHANGED}, {"b", WM_ENABLE}},
       [&] { return !IsWindowEnabled(window); }},
      {"hide",
       [&] { button->SetVisible(false); },
       {{"b", tk::CM_VISIBLECHANGED}},
       [&] { return !IsWindowVisible(window); }},
  };
  for (const TCase& c : cases) {
    log.clear();
    c.Change();
    std::erase(log, TSeen{"b", WM_SHOWWINDOW});
    EXPECT_EQ(log, c.Expected) << c.Name;
    EXPECT_TRUE(c.Applied()) << c.Name;
  }
}

// ---- Windowless children --------------------------------------------------------------------

// A window of the toolkit's own class that paints itself in one colour.
class TPanel : public tk::TCustomControl {
 public:
  TPanel(tk::TComponent* owner, TColor color) : TCustomControl(owner), color_(color) {}

 protected:
  void Paint() override {
    Canvas()->Brush().Color = color_;
    Canvas()->FillRect(ClientRect());
  }

 private:
  TColor color_;
};

// The later child lies over the earlier one where they overlap; a windowless child of a
// painted window lies over what the window painted.
TEST(GraphicControlTest, PaintsOnItsParentInItsOwnCoordinatesAndBounds) {
  auto host = MakeHost();
  auto* red = new TSwatch(host.get(), kRed);
  red->SetBounds(20, 10, 50, 30);
  red->SetParent(host.get());
  auto* green = new TSwatch(host.get(), kGreen);
  green->SetBounds(60, 30, 40, 40);
  green->SetParent(host.get());
  auto* panel = new TPanel(host.get(), kGreen);
  panel->SetBounds(150, 20, 40, 40);
  panel->SetParent(host.get());
  auto* onPanel = new TSwatch(host.get(), kRed);
  onPanel->SetBounds(5, 5, 10, 10);
  onPanel->SetParent(panel);
  HWND window = host->Handle();
  host->SetVisible(true);
  UpdateWindow(window);

  struct TProbePoint {
    int X, Y;
    TColor Expected;
  };
  const TProbePoint points[] = {
      {20, 10, kRed},       {69, 29, kRed},        {59, 39, kRed},       {65, 35, kGreen},
      {99, 69, kGreen},     {100, 69, kHostColor}, {19, 10, kHostColor}, {20, 9, kHostColor},
      {70, 20, kHostColor}, {60, 70, kHostColor},  {150, 20, kGreen},    {189, 59, kGreen},
      {155, 25, kRed},      {164, 34, kRed},       {165, 35, kGreen},    {190, 20, kHostColor},
  };
  const auto allPainted = [&] {
    return std::all_of(std::begin(points), std::end(points), [&](const TProbePoint& p) {
      return ScreenPixel(window, p.X, p.Y) == p.Expected;
    });
  };
  EXPECT_TRUE(PumpUntil(allPainted));
  for (const TProbePoint& p : points)
    EXPECT_EQ(ScreenPixel(window, p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST(GraphicControlTest, PaintGoesThroughItsWindowProcWhichMaySwallowIt) {
  TSequence log;
  auto host = MakeHost();
  auto* swatch = new TSwatch(host.get(), kRed);
  swatch->SetBounds(10, 10, 30, 30);
  swatch->SetParent(host.get());
  HWND window = host->Handle();
  host->SetVisible(true);
  TRecorder recorder(*swatch, "swatch", log, {WM_PAINT});
  recorder.Swallow = {WM_PAINT};
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  ASSERT_EQ(log, (TSequence{{"swatch", WM_PAINT}}));
  EXPECT_NE(recorder.Messages.front().WParam, 0u) << "the parent's device context";
  EXPECT_EQ(swatch->Paints, 0);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(window, 15, 15) == kHostColor; }));

  recorder.Restore();
  swatch->Repaint();
  EXPECT_EQ(swatch->Paints, 1);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(window, 15, 15) == kRed; }));
}

TEST(GraphicControlTest, MouseMessagesGoToTheTopmostEnabledChildInItsCoordinates) {
  TSequence log;
  auto host = MakeHost();
  auto* below = new TSwatch(host.get(), kRed);
  below->SetBounds(10, 10, 40, 40);
  below->SetParent(host.get());
  auto* above = new TSwatch(host.get(), kGreen);
  above->SetBounds(30, 30, 40, 40);
  above->SetParent(host.get());
  HWND window = host->Handle();
  const std::set<UINT> buttons{WM_LBUTTONDOWN, WM_LBUTTONUP};
  TRecorder hostRecorder(*host, "host", log, buttons);
  TRecorder belowRecorder(*below, "below", log, buttons);
  TRecorder aboveRecorder(*above, "above", log, buttons);

  struct TCase {
    const char* Name;
    std::function<void()> Prepare;
    int X, Y;
    TSequence Expected;
    LPARAM ExpectedLocal;
  };
  const TCase cases[] = {
      {"only below",
       [] {},
       15,
       12,
       {{"host", WM_LBUTTONDOWN}, {"below", WM_LBUTTONDOWN}},
       PointLParam(5, 2)},
      {"overlap",
       [] {},
       35,
       40,
       {{"host", WM_LBUTTONDOWN}, {"above", WM_LBUTTONDOWN}},
       PointLParam(5, 10)},
      {"overlap, above disabled",
       [&] { above->SetEnabled(false); },
       35,
       40,
       {{"host", WM_LBUTTONDOWN}, {"below", WM_LBUTTONDOWN}},
       PointLParam(25, 30)},
      {"overlap, below hidden too",
       [&] { below->SetVisible(false); },
       35,
       40,
       {{"host", WM_LBUTTONDOWN}},
       0},
      {"no child", [] {}, 200, 150, {{"host", WM_LBUTTONDOWN}}, 0},
  };
  for (const TCase& c : cases) {
    c.Prepare();
    log.clear();
    for (TRecorder* r : {&belowRecorder, &aboveRecorder}) r->Messages.clear();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointLParam(c.X, c.Y));
    EXPECT_EQ(log, c.Expected) << c.Name;
    for (TRecorder* r : {&belowRecorder, &aboveRecorder}) {
      if (!r->Messages.empty()) {
        EXPECT_EQ(r->Messages.front().LParam, c.ExpectedLocal) << c.Name;
      }
    }
  }
}

// ---- Mouse enter and leave ------------------------------------------------------------------

TEST(MouseTrackingTest, EnterOnceOnTheFirstMoveAndLeaveOnceOnMouseLeave) {
  TSequence log;
  auto host = MakeHost();
  auto* button = new TNativeControl(host.get(), L"BUTTON");
  button->SetBounds(10, 10, 80, 24);
  button->SetParent(host.get());
  HWND window = button->Handle();
  TRecorder recorder(*button, "b", log,
                     {WM_MOUSEMOVE, WM_MOUSELEAVE, tk::CM_MOUSEENTER, tk::CM_MOUSELEAVE});
  SendMessageW(window, WM_MOUSEMOVE, 0, PointLParam(5, 5));
  EXPECT_TRUE(button->MouseInside());
  SendMessageW(window, WM_MOUSEMOVE, 0, PointLParam(6, 5));
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button->MouseInside());
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log, (TSequence{{"b", WM_MOUSEMOVE},
                            {"b", tk::CM_MOUSEENTER},
                            {"b", WM_MOUSEMOVE},
                            {"b", WM_MOUSELEAVE},
                            {"b", tk::CM_MOUSELEAVE},
                            {"b", WM_MOUSELEAVE}}));
}

TEST(MouseTrackingTest, WindowlessChildrenHearEnterAndLeaveAsTheMouseCrossesThem) {
  TSequence log;
  auto host = MakeHost();
  auto* left = new TSwatch(host.get(), kRed);
  left->SetBounds(10, 10, 40, 40);
  left->SetParent(host.get());
  auto* right = new TSwatch(host.get(), kGreen);
  right->SetBounds(50, 10, 40, 40);
  right->SetParent(host.get());
  HWND window = host->Handle();
  const std::set<UINT> notifications{tk::CM_MOUSEENTER, tk::CM_MOUSELEAVE};
  TRecorder hostRecorder(*host, "host", log, notifications);
  TRecorder leftRecorder(*left, "left", log, notifications);
  TRecorder rightRecorder(*right, "right", log, notifications);

  for (const TPoint p : {TPoint{200, 150}, TPoint{20, 20}, TPoint{30, 20}, TPoint{60, 20},
                         TPoint{200, 150}, TPoint{70, 30}})
    SendMessageW(window, WM_MOUSEMOVE, 0, PointLParam(p.X, p.Y));
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log, (TSequence{{"host", tk::CM_MOUSEENTER},
                            {"left", tk::CM_MOUSEENTER},
                            {"left", tk::CM_MOUSELEAVE},
                            {"right", tk::CM_MOUSEENTER},
                            {"right", tk::CM_MOUSELEAVE},
                            {"right", tk::CM_MOUSEENTER},
                            {"right", tk::CM_MOUSELEAVE},
                            {"host", tk::CM_MOUSELEAVE}}));
}

// ---- Focus, alignment, coordinates ----------------------------------------------------------

TEST(WinControlTest, FocusMovesBetweenControlsWithTheirNotifications) {
  TSequence log;
  auto host = MakeHost();
  auto* first = new TNativeControl(host.get(), L"BUTTON");
  first->SetParent(host.get());
  auto* second = new TNativeControl(host.get(), L"BUTTON");
  second->SetParent(host.get());
  host->SetVisible(true);
  const std::set<UINT> focus{tk::CM_GOTFOCUS, tk::CM_LOSTFOCUS};
  TRecorder firstRecorder(*first, "first", log, focus);
  TRecorder secondRecorder(*second, "second", log, focus);

  first->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return first->Focused(); }));
  second->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }));
  EXPECT_FALSE(first->Focused());
  EXPECT_EQ(log, (TSequence{{"first", tk::CM_GOTFOCUS},
                            {"first", tk::CM_LOSTFOCUS},
                            {"second", tk::CM_GOTFOCUS}}));
}

TEST(WinControlTest, CanFocusNeedsTheControlAndEveryParentVisibleAndEnabled) {
  auto host = MakeHost();
  host->SetVisible(true);
  auto* panel = new tk::TCustomControl(host.get());
  panel->SetParent(host.get());
  auto* button = new TNativeControl(host.get(), L"BUTTON");
  button->SetParent(panel);
  struct TCase {
    const char* Name;
    TControl* Changed;
    bool Visible, Enabled;
    bool Expected;
  };
  const TCase cases[] = {
      {"all shown", nullptr, true, true, true},
      {"button disabled", button, true, false, false},
      {"panel hidden", panel, false, true, false},
      {"host disabled", host.get(), true, false, false},
  };
  for (const TCase& c : cases) {
    if (c.Changed != nullptr) {
      c.Changed->SetVisible(c.Visible);
      c.Changed->SetEnabled(c.Enabled);
    }
    EXPECT_EQ(button->CanFocus(), c.Expected) << c.Name;
    if (c.Changed != nullptr) {
      c.Changed->SetVisible(true);
      c.Changed->SetEnabled(true);
    }
  }
}

TEST(AlignTest, AlignedChildrenShareTheClientAreaAndAnchoredOnesFollowResize) {
  auto host = MakeHost(300, 200);
  const auto add = [&](tk::TAlign align, TRect bounds, tk::TAnchors anchors) {
    auto* control = new TSwatch(host.get(), kRed);
    control->SetBoundsRect(bounds);
    control->SetAnchors(anchors);
    control->SetAlign(align);
    control->SetParent(host.get());
    return control;
  };
  const tk::TAnchors topLeft = tk::akLeft | tk::akTop;
  TControl* top = add(tk::alTop, tk::Rect(0, 0, 10, 20), topLeft);
  TControl* bottom = add(tk::alBottom, tk::Rect(0, 0, 10, 30), topLeft);
  TControl* left = add(tk::alLeft, tk::Rect(0, 0, 40, 10), topLeft);
  TControl* right = add(tk::alRight, tk::Rect(0, 0, 50, 10), topLeft);
  TControl* client = add(tk::alClient, tk::Rect(0, 0, 1, 1), topLeft);
  TControl* corner = add(tk::alNone, tk::Rect(250, 150, 270, 160), tk::akRight | tk::akBottom);
  TControl* stretch = add(tk::alNone, tk::Rect(45, 60, 100, 70), topLeft | tk::akRight);
  host->HandleNeeded();

  struct TCase {
    const char* Name;
    TControl* Control;
    TRect At300x200;
    TRect At400x250;
  };
  const TCase cases[] = {
      {"top", top, tk::Rect(0, 0, 300, 20), tk::Rect(0, 0, 400, 20)},
      {"bottom", bottom, tk::Rect(0, 170, 300, 200), tk::Rect(0, 220, 400, 250)},
      {"left", left, tk::Rect(0, 20, 40, 170), tk::Rect(0, 20, 40, 220)},
      {"right", right, tk::Rect(250, 20, 300, 170), tk::Rect(350, 20, 400, 220)},
      {"client", client, tk::Rect(40, 20, 250, 170), tk::Rect(40, 20, 350, 220)},
      {"anchored right and bottom", corner, tk::Rect(250, 150, 270, 160),
       tk::Rect(350, 200, 370, 210)},
      {"anchored left and right", stretch, tk::Rect(45, 60, 100, 70), tk::Rect(45, 60, 200, 70)},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Control->BoundsRect(), c.At300x200) << c.Name;
  host->SetBounds(kHostLeft, kHostTop, 400, 250);
  EXPECT_EQ(host->ClientRect(), tk::Rect(0, 0, 400, 250));
  for (const TCase& c : cases) EXPECT_EQ(c.Control->BoundsRect(), c.At400x250) << c.Name;

  top->SetVisible(false);
  EXPECT_EQ(left->BoundsRect(), tk::Rect(0, 0, 40, 220)) << "a hidden control takes no room";
}

TEST(WinControlTest, ClientCoordinatesOfWindowedAndWindowlessControls) {
  auto host = MakeHost();
  auto* button = new TNativeControl(host.get(), L"BUTTON");
  button->SetBounds(30, 40, 60, 20);
  button->SetParent(host.get());
  auto* swatch = new TSwatch(host.get(), kRed);
  swatch->SetBounds(20, 10, 5, 5);
  swatch->SetParent(host.get());
  host->HandleNeeded();
  const TPoint hostOrigin = host->ClientOrigin();
  EXPECT_EQ(hostOrigin, (TPoint{kHostLeft, kHostTop}));
  EXPECT_EQ(swatch->ClientToScreen({1, 2}), (TPoint{kHostLeft + 21, kHostTop + 12}));
  EXPECT_EQ(button->ClientToScreen({1, 2}), (TPoint{kHostLeft + 31, kHostTop + 42}));
  EXPECT_EQ(button->ScreenToClient({kHostLeft + 31, kHostTop + 42}), (TPoint{1, 2}));
  POINT native{1, 2};
  ClientToScreen(button->Handle(), &native);
  EXPECT_EQ(native.x, kHostLeft + 31);
}

TEST(ControlCanvasTest, DrawsOnAWindowlessControlsPartOfItsParent) {
  auto host = MakeHost();
  auto* swatch = new tk::TGraphicControl(host.get());
  swatch->SetBounds(40, 30, 10, 10);
  swatch->SetParent(host.get());
  HWND window = host->Handle();
  host->SetVisible(true);
  UpdateWindow(window);
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(window, 40, 30) == kHostColor; }));
  {
    tk::TControlCanvas canvas(*swatch);
    canvas.Brush().Color = kGreen;
    canvas.FillRect(tk::Rect(0, 0, 50, 50));
  }
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(window, 40, 30) == kGreen; }));
  EXPECT_EQ(ScreenPixel(window, 49, 39), kGreen);
  EXPECT_EQ(ScreenPixel(window, 50, 39), kHostColor) << "clipped to the control";
  EXPECT_EQ(ScreenPixel(window, 39, 30), kHostColor);
}

// ---- Window procedures bound to objects -----------------------------------------------------

// A native window made and destroyed outside the toolkit.
class TForeignWindow {
 public:
  explicit TForeignWindow(const wchar_t* winClass)
      : window_(CreateWindowExW(0, winClass, L"foreign", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
  ~TForeignWindow() { DestroyWindow(window_); }
  TForeignWindow(const TForeignWindow&) = delete;
  TForeignWindow& operator=(const TForeignWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

// Subclasses a foreign window through an object instance, the way a skinner of windows the
// toolkit does not own would, and passes every message on to the window's old procedure.
class TSubclasser : public tk::TObject {
 public:
  explicit TSubclasser(HWND window) : window_(window) {
    instance_ = tk::MakeObjectInstance(TWndMethod::Of<&TSubclasser::Handle>(this));
    old_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance_)));
  }
  ~TSubclasser() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
    tk::FreeObjectInstance(instance_);
  }
  TSubclasser(const TSubclasser&) = delete;
  TSubclasser& operator=(const TSubclasser&) = delete;

  std::vector<UINT> Seen;
  WNDPROC Instance() const { return instance_; }

  void Handle(TMessage& message) {
    Seen.push_back(message.Msg);
    message.Result = CallWindowProcW(old_, window_, message.Msg, message.WParam, message.LParam);
  }

 private:
  HWND window_;
  WNDPROC instance_ = nullptr;
  WNDPROC old_ = nullptr;
};

TEST(ObjectInstanceTest, ABoundProcedureReachesItsObjectAndTheOldProcedure) {
  TForeignWindow first(L"BUTTON");
  TForeignWindow second(L"EDIT");
  {
    TSubclasser onFirst(first.Get());
    TSubclasser onSecond(second.Get());
    EXPECT_NE(onFirst.Instance(), onSecond.Instance());
    EXPECT_EQ(SendMessageW(first.Get(), WM_GETTEXTLENGTH, 0, 0), 7) << "old procedure answers";
    SendMessageW(second.Get(), WM_USER, 0, 0);
    EXPECT_EQ(onFirst.Seen, (std::vector<UINT>{WM_GETTEXTLENGTH}));
    EXPECT_EQ(onSecond.Seen, (std::vector<UINT>{WM_USER}));
  }
  EXPECT_EQ(SendMessageW(first.Get(), WM_GETTEXTLENGTH, 0, 0), 7) << "unsubclassed";
}

class THandlerObject : public tk::TObject {
 public:
  void Handle(TMessage& message) { message.Result = kSwallowed; }
};

TEST(ObjectInstanceTest, ThePoolRunsOutAndFreedProceduresAreReused) {
  THandlerObject handler;
  const TWndMethod method = TWndMethod::Of<&THandlerObject::Handle>(&handler);
  std::vector<WNDPROC> made;
  for (std::size_t i = 0; i < tk::kObjectInstanceCount; ++i)
    made.push_back(tk::MakeObjectInstance(method));
  std::set<WNDPROC> distinct(made.begin(), made.end());
  EXPECT_EQ(distinct.size(), tk::kObjectInstanceCount);
  EXPECT_THROW(tk::MakeObjectInstance(method), tk::EOutOfResources);
  EXPECT_EQ(tk::MakeObjectInstance(TWndMethod()), nullptr);

  tk::FreeObjectInstance(made[5]);
  EXPECT_EQ(tk::MakeObjectInstance(method), made[5]);
  EXPECT_EQ(CallWindowProcW(made[5], nullptr, WM_USER, 0, 0), kSwallowed);
  for (WNDPROC instance : made) tk::FreeObjectInstance(instance);
}

// ---- Handle bookkeeping ---------------------------------------------------------------------

using testing_support::CountHandles;
using testing_support::THandleCount;

// A host with buttons, edits, painted panels and windowless children, shown and painted,
// then freed; answers the windows it had.
std::vector<HWND> BuildPaintAndFree(int controls) {
  auto host = MakeHost(400, 300);
  for (int i = 0; i < controls; ++i) {
    TControl* control = nullptr;
    switch (i % 4) {
      case 0: control = new TNativeControl(host.get(), L"BUTTON"); break;
      case 1: control = new TNativeControl(host.get(), L"EDIT"); break;
      case 2: control = new tk::TCustomControl(host.get()); break;
      default: control = new TSwatch(host.get(), kGreen); break;
    }
    control->SetBounds((i * 7) % 380, (i * 3) % 280, 20, 12);
    control->SetText("c");
    control->SetParent(host.get());
  }
  HWND window = host->Handle();
  host->SetVisible(true);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::vector<HWND> windows{window};
  for (int i = 0; i < host->ControlCount(); ++i)
    if (host->Controls(i)->IsWindowed())
      windows.push_back(static_cast<TWinControl*>(host->Controls(i))->Handle());
  return windows;
}

// Wine keeps about a hundred GDI objects from the first build of this size for good (the
// count stays the same over further builds), so the warm-up is a build of the same size.
TEST(HandleCountTest, TwoHundredControlsLeaveNoWindowOrGdiObjectBehind) {
  constexpr int kControls = 200;
  BuildPaintAndFree(kControls);
  PumpUntil([] { return true; });
  const THandleCount before = CountHandles();
  const std::vector<HWND> windows = BuildPaintAndFree(kControls);
  PumpUntil([] { return true; });
  const THandleCount after = CountHandles();
  EXPECT_EQ(windows.size(), 1u + kControls * 3 / 4);
  EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](HWND w) { return IsWindow(w); }));
  EXPECT_EQ(after.Windows, before.Windows);
  EXPECT_EQ(after.GdiObjects, before.GdiObjects);
}

}  // namespace
