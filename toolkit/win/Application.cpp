#include "Application.h"

#include <commctrl.h>

#include <algorithm>

#include "Forms.h"
#include "Screen.h"
#include "toolkit/core/Exception.h"

namespace tk {

namespace {

TApplication* theApplication = nullptr;

bool IsKeyMessage(const MSG& msg) {
  return msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
}

}  // namespace

TApplication* Application() {
  return theApplication;
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
  if (theApplication != nullptr) theApplication->events_.push_back(this);
}

TApplicationEvents::~TApplicationEvents() {
  if (theApplication == nullptr) return;
  auto& events = theApplication->events_;
  events.erase(std::remove(events.begin(), events.end(), this), events.end());
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  if (theApplication != nullptr) throw Exception("There is an application object already");
  theApplication = this;
}

// The forms go first, while the application they may ask for is still there.
TApplication::~TApplication() {
  Destroying();
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  theApplication = nullptr;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (icon_.Empty()) icon_.SetHandle(LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"));
}

void TApplication::AdoptForm(TCustomForm* form) {
  try {
    form->InitializeForm();
  } catch (...) {
    delete form;
    throw;
  }
  if (mainForm_ == nullptr) mainForm_ = form;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
  TComponent::Notification(component, operation);
}

void TApplication::Run() {
  if (mainForm_ != nullptr && showMainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
}

void TApplication::HandleMessage() {
  MSG msg;
  if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    ProcessMessage(msg);
  else if (!terminated_)
    WaitMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  // A handler may free its events object: each one is looked up again before it is told.
  const std::vector<TApplicationEvents*> listeners = events_;
  for (TApplicationEvents* events : listeners) {
    if (handled) break;
    if (std::find(events_.begin(), events_.end(), events) == events_.end()) continue;
    const TMessageEvent handler = events->onMessage_;
    if (handler) handler(msg, handled);
  }
  if (handled || PreprocessMessage(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

// Menu shortcuts of the focused form, then the MDI frame's keys that move between children.
bool TApplication::PreprocessMessage(MSG& msg) {
  if (!IsKeyMessage(msg)) return false;
  TCustomForm* form = Screen().ActiveForm();
  if (form != nullptr && form->IsShortCut(TMessage{msg.message, msg.wParam, msg.lParam, 0}))
    return true;
  return mainForm_ != nullptr && mainForm_->ClientHandle() != nullptr &&
         TranslateMDISysAccel(mainForm_->ClientHandle(), &msg);
}

void TApplication::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  const std::vector<TApplicationEvents*> listeners = events_;
  for (TApplicationEvents* events : listeners)
    if (std::find(events_.begin(), events_.end(), events) != events_.end())
      RaiseEvent(active ? events->onActivate_ : events->onDeactivate_, this);
}

}  // namespace tk
