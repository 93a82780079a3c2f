#pragma once

#include "toolkit/win/Forms.h"

namespace orv {

// One child window of the MDI frame.
class TMdiChildForm : public tk::TForm {
  TK_CLASS(TMdiChildForm, tk::TForm)

 public:
  TMdiChildForm(tk::TComponent* frame, int number);
};

// An MDI frame with two children, made with it.
class TMdiFrameForm : public tk::TForm {
  TK_CLASS(TMdiFrameForm, tk::TForm)

 public:
  explicit TMdiFrameForm(tk::TComponent* owner);

 private:
  void CreateChildren();
};

}  // namespace orv
