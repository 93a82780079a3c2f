#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/win/Component.h"
#include "toolkit/win/Control.h"
#include "toolkit/win/CustomControl.h"
#include "toolkit/win/GraphicControl.h"
#include "toolkit/win/WinControl.h"
#include "toolkit/win/WndMethod.h"

namespace {

using tk::TComponent;
using tk::TOperation;

// ---- Run-time class descriptions ----------------------------------------------------------

class TTestButton : public tk::TWinControl {
  TK_CLASS(TTestButton, tk::TWinControl)

 public:
  using TWinControl::TWinControl;
};

class TTestBitBtn : public TTestButton {
  TK_CLASS(TTestBitBtn, TTestButton)

 public:
  using TTestButton::TTestButton;
};

// Declares nothing, so it answers as its parent.
class TUndeclared : public TTestBitBtn {
 public:
  using TTestBitBtn::TTestBitBtn;
};

TEST(ClassInfoTest, InheritsFromFollowsTheParentChain) {
  TTestBitBtn bitBtn(nullptr);
  TTestButton button(nullptr);
  tk::TGraphicControl graphic(nullptr);
  tk::TCustomControl custom(nullptr);
  struct TCase {
    const tk::TObject& Object;
    tk::TClass Class;
    bool Expected;
  };
  const TCase cases[] = {
      {bitBtn, &TTestBitBtn::ClassInfo, true},
      {bitBtn, &TTestButton::ClassInfo, true},
      {bitBtn, &tk::TWinControl::ClassInfo, true},
      {bitBtn, &tk::TControl::ClassInfo, true},
      {bitBtn, &tk::TComponent::ClassInfo, true},
      {bitBtn, &tk::TObject::ClassInfo, true},
      {bitBtn, &tk::TCustomControl::ClassInfo, false},
      {button, &TTestBitBtn::ClassInfo, false},
      {graphic, &tk::TControl::ClassInfo, true},
      {graphic, &tk::TWinControl::ClassInfo, false},
      {custom, &tk::TWinControl::ClassInfo, true},
      {custom, &tk::TGraphicControl::ClassInfo, false},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Object.InheritsFrom(c.Class), c.Expected)
        << c.Object.ClassName() << " from " << c.Class->Name;
  EXPECT_TRUE(bitBtn.Is<TTestButton>());
  EXPECT_FALSE(button.Is<TTestBitBtn>());
}

TEST(ClassInfoTest, ClassNameIsTheMostDerivedDeclaredClass) {
  TUndeclared undeclared(nullptr);
  tk::TWinControl plain(nullptr);
  const tk::TControl& asControl = undeclared;
  EXPECT_STREQ(asControl.ClassName(), "TTestBitBtn");
  EXPECT_EQ(asControl.ClassType(), &TTestBitBtn::ClassInfo);
  EXPECT_STREQ(plain.ClassName(), "TWinControl");
  EXPECT_STREQ(tk::TCustomControl::ClassInfo.Parent->Name, "TWinControl");
  EXPECT_EQ(tk::TObject::ClassInfo.Parent, nullptr);
}

// ---- Components: ownership and notifications ------------------------------------------------

// Writes what happens to it into a shared log: "name+other" on insert, "name-other" on
// removal, "~name" when its destructor starts. It joins its owner once it has its name.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TComponent(nullptr), log_(log) {
    SetName(name);
    if (owner != nullptr) owner->InsertComponent(this);
  }
  ~TProbe() override { log_.push_back("~" + Name()); }

  void Notification(TComponent* component, TOperation operation) override {
    log_.push_back(Name() + (operation == tk::opInsert ? "+" : "-") + component->Name());
    if (operation == tk::opRemove && (component->ComponentState() & tk::csDestroying) != 0)
      log_.back() += "(destroying)";
    TComponent::Notification(component, operation);
  }

 private:
  std::vector<std::string>& log_;
};

using TLog = std::vector<std::string>;

TEST(ComponentTest, OwnerFreesItsComponentsLastFirst) {
  TLog log;
  auto* owner = new TProbe(nullptr, "o", log);
  auto* a = new TProbe(owner, "a", log);
  new TProbe(owner, "b", log);
  new TProbe(a, "a1", log);
  ASSERT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(0), a);
  log.clear();
  delete owner;
  EXPECT_EQ(log, (TLog{"~o", "~b", "~a", "~a1"}));
}

TEST(ComponentTest, InsertAndRemoveAreToldToTheOwnerAndEverythingItOwns) {
  TLog log;
  TProbe owner(nullptr, "o", log);
  new TProbe(&owner, "a", log);
  log.clear();
  auto* b = new TProbe(&owner, "b", log);
  EXPECT_EQ(log, (TLog{"o+b", "b+b", "a+b"}));
  log.clear();
  delete b;
  EXPECT_EQ(log, (TLog{"~b", "o-b(destroying)", "a-b(destroying)"}));
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(ComponentTest, RemoveAndInsertMoveAComponentWithoutFreeingIt) {
  TLog log;
  TProbe first(nullptr, "f", log);
  TProbe second(nullptr, "s", log);
  auto* moved = new TProbe(&first, "m", log);
  log.clear();
  second.InsertComponent(moved);
  EXPECT_EQ(moved->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(log, (TLog{"f-m", "m-m", "s+m", "m+m"}));
  second.RemoveComponent(moved);
  EXPECT_EQ(moved->Owner(), nullptr);
  std::unique_ptr<TProbe> unowned(moved);
}

TEST(ComponentTest, FreeNotificationLinksComponentsOfDifferentOwnersBothWays) {
  TLog log;
  TProbe leftOwner(nullptr, "L", log);
  TProbe rightOwner(nullptr, "R", log);
  auto* x = new TProbe(&leftOwner, "x", log);
  auto* y = new TProbe(&rightOwner, "y", log);
  auto* z = new TProbe(&rightOwner, "z", log);
  x->FreeNotification(y);
  x->FreeNotification(z);
  z->RemoveFreeNotification(x);
  log.clear();
  delete y;
  EXPECT_EQ(log, (TLog{"~y", "x-y(destroying)", "R-y(destroying)", "z-y(destroying)"}));
  log.clear();
  delete x;
  EXPECT_EQ(log, (TLog{"~x", "L-x(destroying)"})) << "links were undone on both sides";
}

TEST(ComponentTest, OwnedComponentsFreedWithTheOwnerStillNotifyTheirLinks) {
  TLog log;
  TProbe watcher(nullptr, "w", log);
  auto* owner = new TProbe(nullptr, "o", log);
  auto* a = new TProbe(owner, "a", log);
  a->FreeNotification(&watcher);
  log.clear();
  delete owner;
  EXPECT_EQ(log, (TLog{"~o", "~a", "w-a(destroying)"}));
}

TEST(ComponentTest, StateFlagsAndTag) {
  TComponent component(nullptr);
  EXPECT_EQ(component.ComponentState(), 0u);
  component.BeginLoading();
  component.SetDesigning(true);
  EXPECT_EQ(component.ComponentState(), tk::csLoading | tk::csDesigning);
  component.Loaded();
  EXPECT_EQ(component.ComponentState(), tk::csDesigning);
  component.SetDesigning(false);
  EXPECT_EQ(component.ComponentState(), 0u);

  static_assert(sizeof(component.Tag()) == sizeof(void*));
  const auto pointerTag = reinterpret_cast<std::intptr_t>(&component);
  component.SetTag(pointerTag);
  EXPECT_EQ(component.Tag(), pointerTag);
}

// ---- Method pointers ------------------------------------------------------------------------

class THandlers : public tk::TObject {
 public:
  void First(tk::TMessage& message) { message.Result = 1; }
  void Second(tk::TMessage& message) { message.Result = 2; }
};

TEST(WndMethodTest, EqualWhenObjectAndCodeAreEqual) {
  THandlers one;
  THandlers two;
  using tk::TWndMethod;
  const TWndMethod oneFirst = TWndMethod::Of<&THandlers::First>(&one);
  struct TCase {
    const char* Name;
    TWndMethod Other;
    bool Equal;
  };
  const TCase cases[] = {
      {"same object and member", TWndMethod::Of<&THandlers::First>(&one), true},
      {"other member", TWndMethod::Of<&THandlers::Second>(&one), false},
      {"other object", TWndMethod::Of<&THandlers::First>(&two), false},
      {"empty", TWndMethod(), false},
  };
  for (const TCase& c : cases) EXPECT_EQ(oneFirst == c.Other, c.Equal) << c.Name;
  EXPECT_EQ(TWndMethod(), TWndMethod());
  EXPECT_FALSE(TWndMethod());

  tk::TMessage message;
  TWndMethod::Of<&THandlers::Second> (&two)(message);
  EXPECT_EQ(message.Result, 2);
}

TEST(WndMethodTest, WindowProcIsReplacedAndPutBack) {
  tk::TGraphicControl control(nullptr);
  THandlers handlers;
  const tk::TWndMethod original = control.WindowProc();
  EXPECT_EQ(original, control.DefaultWindowProc());
  EXPECT_EQ(original.Object(), &control);

  const auto replacement = tk::TWndMethod::Of<&THandlers::Second>(&handlers);
  control.SetWindowProc(replacement);
  EXPECT_EQ(control.WindowProc(), replacement);
  EXPECT_EQ(control.Perform(WM_USER), 2);
  control.SetWindowProc(original);
  EXPECT_EQ(control.WindowProc(), original);
  EXPECT_EQ(control.Perform(WM_USER), 0);
  control.SetWindowProc(replacement);
  control.SetWindowProc({});
  EXPECT_EQ(control.WindowProc(), original) << "an empty method restores the default";
}

TEST(NotificationTest, ValuesAreTheToolkitBasePlusTheirOffsets) {
  EXPECT_EQ(tk::NotificationName(0xB013), "CM_MOUSEENTER");
  EXPECT_EQ(tk::NotificationName(0xB03A), "CM_FLOAT");
  EXPECT_EQ(tk::NotificationName(0xB021), "CM_RELEASE");
  EXPECT_EQ(tk::NotificationName(0xB033), "CM_RECREATEWND");
  EXPECT_EQ(tk::NotificationName(0xB006), "CM_DIALOGCHAR");
  EXPECT_EQ(tk::NotificationName(WM_PAINT), "");
}

}  // namespace
