#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "SkinChoice.h"
#include "toolkit/win/Forms.h"

namespace skin {
class TzubSkinEngine;
}

namespace tk {
class TLabel;
class TPopupMenu;
}  // namespace tk

namespace orv {

class TSecondForm;
class TMdiFrameForm;

// The program's main form: it carries the skin engine and a few buttons that show what the
// engine draws. Each button also answers to Alt and its letter, from anywhere on the form.
class TMainForm : public tk::TForm {
  TK_CLASS(TMainForm, tk::TForm)

 public:
  explicit TMainForm(tk::TComponent* owner);

  void Notification(tk::TComponent* component, tk::TOperation operation) override;

 private:
  // A button of the stored form, the letter that with Alt does the same, and what both do.
  struct TAction {
    const char* Button;
    WPARAM Key;
    void (TMainForm::*Run)();
  };
  static const std::array<TAction, 8> kActions;

  void Connect();
  void ApplyFont();
  void ApplicationMessage(MSG& msg, bool& handled);
  // Carries out the main form's Alt+key; false when key is none of them.
  bool RunKey(WPARAM key);
  // Runs an action of the form, showing what went wrong in the status line instead of
  // letting it reach the window procedure.
  void Guarded(void (TMainForm::*action)());

  void ShowMessageBox();
  void ShowSecondForm();
  void ShowMdiForms();
  void SkinNewForms();
  void OpenFile();
  void ChooseFolder();
  void ShowMenu();
  void NextSkin();
  void SwitchActive();
  void ShowStatus();

  skin::TzubSkinEngine* engine_ = nullptr;
  tk::TLabel* status_ = nullptr;
  tk::TPopupMenu* menu_ = nullptr;
  std::unique_ptr<TSkinChoice> skins_;
  TSecondForm* secondForm_ = nullptr;
  TMdiFrameForm* mdiForm_ = nullptr;
  std::wstring note_;
};

}  // namespace orv
