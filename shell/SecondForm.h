#pragma once

#include <windows.h>

#include "toolkit/win/Forms.h"

namespace orv {

// A sizeable form with the system menu, minimize, maximize and help icons. Alt+X, Alt+N and
// Alt+R maximize, minimize and restore it from the keyboard.
class TSecondForm : public tk::TForm {
  TK_CLASS(TSecondForm, tk::TForm)

 public:
  explicit TSecondForm(tk::TComponent* owner);

  // Carries out the form's Alt+key; false when key is none of them.
  bool RunKey(WPARAM key);

 private:
  void Connect();
};

}  // namespace orv
