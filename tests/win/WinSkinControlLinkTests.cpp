// A program that links the controls unit as the shell does, and refers to nothing in it,
// still has the unit's rows in its skinner registry.
#include <gtest/gtest.h>

#include <memory>

#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinHooks.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/StdCtrls.h"

namespace {

class TDerivedButton : public tk::TButton {
  TK_CLASS(TDerivedButton, tk::TButton)

 public:
  explicit TDerivedButton(tk::TComponent* owner) : tk::TButton(owner) {}
};

TEST(SkinControlsUnitLink, PushButtonsAndTheirDescendantsGetTheButtonSkinner) {
  tk::TForm form(nullptr);
  auto* button = new tk::TButton(&form);
  auto* derived = new TDerivedButton(&form);
  auto* edit = new tk::TEdit(&form);
  for (tk::TControl* control :
       {static_cast<tk::TControl*>(button), static_cast<tk::TControl*>(derived)}) {
    const tk::TWndMethod own = control->WindowProc();
    std::unique_ptr<skin::TzubSkinControl> skinner(skin::CreateControlSkinner(control, nullptr));
    ASSERT_NE(skinner, nullptr) << control->ClassName();
    EXPECT_STREQ(skinner->ClassName(), "TzubSkinButton") << control->ClassName();
    skinner.reset();
    EXPECT_EQ(control->WindowProc(), own) << control->ClassName();
  }
  EXPECT_EQ(std::unique_ptr<skin::TzubSkinControl>(skin::CreateControlSkinner(edit, nullptr)),
            nullptr);
}

}  // namespace
