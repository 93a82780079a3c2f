#include "skin/engine/SkinControlVCL.h"

#include <array>
#include <string_view>
#include <utility>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "toolkit/win/Component.h"
#include "toolkit/win/WinControl.h"

namespace skin {

namespace {

// Controls whose scroll bars the engine draws while their thumb is dragged: these classes
// and their descendants, and these classes exactly.
constexpr std::array<std::string_view, 2> kThumbTrackedBases = {"TCustomGrid", "TScrollBox"};
constexpr std::array<std::string_view, 4> kThumbTrackedClasses = {
    "TRxRichEdit", "TRxCustomRichEdit", "TJvxRichEdit", "TRichEditViewer"};

}  // namespace

bool DescendsFromClassNamed(const tk::TObject& object, std::string_view name) {
  for (tk::TClass c = object.ClassType(); c != nullptr; c = c->Parent)
    if (name == c->Name) return true;
  return false;
}

// The link in a control's WindowProc chain: it hands every message to the skinner while the
// skinner is attached and to the previous handler once it is not. Being a component, it is
// told when the control is freed.
class TControlLink : public tk::TComponent {
 public:
  TControlLink(tk::TControl* control, const tk::TWndMethod& previous, const tk::TWndMethod& target,
               std::function<void()> controlFreed)
      : tk::TComponent(nullptr),
        control_(control),
        previous_(previous),
        target_(target),
        controlFreed_(std::move(controlFreed)) {
    control_->FreeNotification(this);
  }

  tk::TWndMethod Method() { return tk::TWndMethod::Of<&TControlLink::Message>(this); }

  // Frees the link, first giving the control its previous handler back when the chain ends
  // here; else the link stays as a pass-through until the control is freed.
  void Retire() {
    if (control_ == nullptr) {
      delete this;
    } else if (control_->WindowProc() == Method()) {
      control_->SetWindowProc(previous_);
      delete this;
    } else {
      target_ = {};
      controlFreed_ = nullptr;
    }
  }

  // The control is going: nothing may touch it from now on. A retired link frees itself; an
  // attached one tells its skinner, whose frame may free the skinner and with it the link.
  void Notification(tk::TComponent* component, tk::TOperation operation) override {
    tk::TComponent::Notification(component, operation);
    if (operation != tk::opRemove || component != control_) return;
    control_ = nullptr;
    if (!controlFreed_) {
      delete this;
      return;
    }
    const std::function<void()> freed = std::exchange(controlFreed_, nullptr);
    freed();
  }

 private:
  void Message(tk::TMessage& message) {
    if (target_)
      target_(message);
    else
      previous_(message);
  }

  tk::TControl* control_;
  tk::TWndMethod previous_;
  tk::TWndMethod target_;
  std::function<void()> controlFreed_;
};

TzubSkinControlVCL::TzubSkinControlVCL(tk::TControl* control, TzubSkinWindow* skinWindow)
    : TzubSkinControl(skinWindow, skinWindow != nullptr ? skinWindow->Engine() : nullptr),
      FControl(control) {}

TzubSkinControlVCL::~TzubSkinControlVCL() {
  RestoreWndProc();
  FControl = nullptr;
}

void TzubSkinControlVCL::Start() {
  FOldWndProc = FControl->WindowProc();
  FLink = new TControlLink(FControl, FOldWndProc,
                           tk::TWndMethod::Of<&TzubSkinControlVCL::ControlMessage>(this),
                           [this] { ControlFreed(); });
  FControl->SetWindowProc(FLink->Method());
  FStates = 0;
  FDetached = false;
  InitSkin();
}

void TzubSkinControlVCL::RestoreWndProc() {
  if (FLink != nullptr) std::exchange(FLink, nullptr)->Retire();
}

// The handler may free this skinner: nothing of it is used after the call. This runs inside
// the control's destructor, so nothing thrown may leave it.
void TzubSkinControlVCL::ControlFreed() {
  FControl = nullptr;
  if (!FOnControlFreed) return;
  const TControlFreedHandler handler = std::exchange(FOnControlFreed, nullptr);
  try {
    handler(*this);
  } catch (...) {
  }
}

bool TzubSkinControlVCL::TracksScrollThumb() const {
  for (std::string_view base : kThumbTrackedBases)
    if (DescendsFromClassNamed(*FControl, base)) return true;
  for (std::string_view name : kThumbTrackedClasses)
    if (name == FControl->ClassName()) return true;
  return false;
}

// The Tag test is made on every message, so a control given the engine's DisabledTag takes
// its own look back at once.
void TzubSkinControlVCL::ControlMessage(tk::TMessage& message) {
  if (EngineDestroying() && message.Msg == tk::CM_INVALIDATE) return;
  if (FEngine == nullptr || EngineDestroying() || !FEngine->SkinningActive() ||
      FControl->Tag() == FEngine->DisabledTag()) {
    FOldWndProc(message);
    return;
  }
  if (TracksScrollThumb()) TrackScrollThumb(message);
  if (BeforeWndProc(message)) FOldWndProc(message);
  if (!FDetached) AfterWndProc(message);
}

void TzubSkinControlVCL::GetClientRect(tk::TRect& r) {
  r = FControl != nullptr ? FControl->ClientRect() : tk::TRect{};
}

// No window is made for a control that is being destroyed.
HWND TzubSkinControlVCL::GetHandle() {
  if (FControl == nullptr || !FControl->IsWindowed()) return nullptr;
  auto* windowed = static_cast<tk::TWinControl*>(FControl);
  if ((FControl->ComponentState() & tk::csDestroying) != 0 && !windowed->HandleAllocated())
    return nullptr;
  return windowed->Handle();
}

bool TzubSkinControlVCL::GetEnabled() {
  return FControl != nullptr && FControl->Enabled();
}

}  // namespace skin
