#include "skin/controls/ZUBSkinStdCtrl.h"

#include "skin/engine/SkinHooks.h"
#include "toolkit/win/StdCtrls.h"

namespace skin {

namespace {

// The unit's rows of the toolkit skinner table, in table order (the lookup scans from the
// last row, so a more specific class comes after a more general one).
struct TUnitRegistration {
  TUnitRegistration() {
    RegisterControlSkinners({
        {&tk::TButton::ClassInfo, &MakeControlSkinner<TzubSkinButton>},
    });
  }
};

[[maybe_unused]] const TUnitRegistration registration;

}  // namespace

}  // namespace skin
