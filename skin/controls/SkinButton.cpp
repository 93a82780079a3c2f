#include "skin/controls/SkinButton.h"

#include "skin/engine/SkinEngine.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/WinDrawing.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/Properties.h"
#include "toolkit/win/WinControl.h"

namespace skin {

namespace {

// Frames of SKIN2_BUTTON, side by side in the strip, by state.
constexpr int kButtonFrameCount = 3;
constexpr int kNormalFrame = 1;
constexpr int kHotFrame = 2;
constexpr int kPressedFrame = 3;

int FrameFor(TzubSkinControlStates states) {
  if ((states & ssPressed) != 0) return kPressedFrame;
  if ((states & ssHot) != 0) return kHotFrame;
  return kNormalFrame;
}

bool PublishesWideCaption(const tk::TObject& control) {
  const tk::TPropInfo* caption = tk::FindProperty(control, "Caption");
  return caption != nullptr && caption->Kind == tk::tkWString;
}

}  // namespace

// The parent's colour shows where the skin's picture is transparent.
tk::TColor TzubSkinButton::BackgroundColor() const {
  const tk::TWinControl* parent = FControl->Parent();
  if (parent != nullptr && tk::HasProperty(*parent, "Color")) return parent->Color();
  return FEngine->GetSkinColor(SKIN2_FORMCOLOR);
}

bool TzubSkinButton::WordWrap() const {
  const tk::TPropInfo* wordWrap = tk::FindProperty(*FControl, "WordWrap");
  return wordWrap != nullptr && wordWrap->Kind == tk::tkBoolean &&
         tk::GetOrdProp(*FControl, "WordWrap") != 0;
}

// The caption's colour goes to a copy of the control's font: the control's own font keeps
// its colour, so unskinning has nothing to give back.
void TzubSkinButton::PaintSkin() {
  if (FControl == nullptr || FEngine == nullptr) return;
  tk::TRect client;
  GetClientRect(client);
  tk::TBitmap work(FControl->Width(), FControl->Height());
  if (work.Empty()) return;
  tk::TCanvas& canvas = work.Canvas();
  canvas.Brush().Style = tk::bsSolid;
  canvas.Brush().Color = BackgroundColor();
  canvas.FillRect(client);
  tk::TBitmap frame;
  if (FEngine->GetSkinBitmap(SKIN2_BUTTON, frame, FrameFor(FStates), kButtonFrameCount))
    DrawSectionedBitmap(&frame, canvas, client, FEngine->GetSkinColor(SKIN2_TRANSCOLOR),
                        FEngine->GetSkinBoolean(SKIN2_BUTTONTRANS));
  tk::TFont font;
  font.Assign(FControl->Font());
  if (!FEngine->NoChangeButtonsFontColor())
    font.SetColor(FEngine->GetSkinColor(SKIN2_BUTTONFONTCOLOR));
  if (PublishesWideCaption(*FControl))
    PaintBitmapWideText(work, WordWrap(), client, &font);
  else
    PaintBitmapText(work, FControl->Caption(), WordWrap(), client, &font);
}

}  // namespace skin
