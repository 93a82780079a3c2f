#include "MdiForms.h"

#include <string>

namespace orv {

namespace {

constexpr int kChildCount = 2;
constexpr int kChildWidth = 300;
constexpr int kChildHeight = 200;
constexpr int kChildOffset = 40;

}  // namespace

// The frame owns its children, so they live in its MDI client and go with it.
TMdiChildForm::TMdiChildForm(tk::TComponent* frame, int number) : TForm(frame) {
  SetFormStyle(tk::fsMDIChild);
  SetWideText(L"Child " + std::to_wstring(number));
  const int offset = (number - 1) * kChildOffset;
  SetBounds(offset, offset, kChildWidth, kChildHeight);
}

TMdiFrameForm::TMdiFrameForm(tk::TComponent* owner) : TForm(owner) {
  SetOnCreate([this](tk::TObject*) { CreateChildren(); });
}

void TMdiFrameForm::CreateChildren() {
  for (int i = 1; i <= kChildCount; ++i) (new TMdiChildForm(this, i))->Show();
}

}  // namespace orv
