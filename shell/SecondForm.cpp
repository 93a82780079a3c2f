#include "SecondForm.h"

#include <array>

#include "StoredChild.h"
#include "toolkit/win/StdCtrls.h"

namespace orv {

namespace {

// The keys give the window the system commands its caption buttons give, so the frame
// handles them as it handles a click.
struct TStateKey {
  WPARAM Key;
  WPARAM Command;
};

constexpr std::array<TStateKey, 3> kStateKeys{{
    {'X', SC_MAXIMIZE},
    {'N', SC_MINIMIZE},
    {'R', SC_RESTORE},
}};

}  // namespace

TSecondForm::TSecondForm(tk::TComponent* owner) : TForm(owner) {
  SetOnCreate([this](tk::TObject*) { Connect(); });
}

void TSecondForm::Connect() {
  StoredChild<tk::TButton>(*this, "CloseButton").SetOnClick([this](tk::TObject*) { Close(); });
}

bool TSecondForm::RunKey(WPARAM key) {
  for (const TStateKey& entry : kStateKeys) {
    if (entry.Key != key) continue;
    SendMessageW(Handle(), WM_SYSCOMMAND, entry.Command, 0);
    return true;
  }
  return false;
}

}  // namespace orv
