#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Icon.h"
#include "NotifyEvent.h"

namespace tk {

class TCustomForm;

// Sees every message the application's loop takes from the queue before it is handled;
// setting handled keeps it from being handled any further.
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;

// A component that lets its owner take part in the application's events without replacing
// the application's own handlers. Any number of them can be alive; each is told in turn.
class TApplicationEvents : public TComponent {
  TK_CLASS(TApplicationEvents, TComponent)

 public:
  explicit TApplicationEvents(TComponent* owner);
  ~TApplicationEvents() override;

  const TMessageEvent& OnMessage() const { return onMessage_; }
  void SetOnMessage(TMessageEvent handler) { onMessage_ = std::move(handler); }
  void SetOnActivate(TNotifyEvent handler) { onActivate_ = std::move(handler); }
  void SetOnDeactivate(TNotifyEvent handler) { onDeactivate_ = std::move(handler); }

 private:
  friend class TApplication;

  TMessageEvent onMessage_;
  TNotifyEvent onActivate_;
  TNotifyEvent onDeactivate_;
};

// The running program: it owns the forms it creates, names the first of them the main form
// and runs the message loop until Terminate. There is at most one; Application() finds it.
class TApplication : public TComponent {
  TK_CLASS(TApplication, TComponent)

 public:
  explicit TApplication(TComponent* owner = nullptr);
  ~TApplication() override;

  // Registers the common controls and takes the program's "MAINICON" as the icon.
  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TIcon& Icon() { return icon_; }

  // Makes a form of class T owned by the application, read from its stored description;
  // the first form made becomes the main form.
  template <typename T>
  T* CreateForm() {
    auto* form = new T(this);
    AdoptForm(form);
    return form;
  }
  TCustomForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool show) { showMainForm_ = show; }

  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the queued messages and comes back when the queue is empty.
  void ProcessMessages();
  // Handles one message, waiting for one when the queue is empty.
  void HandleMessage();

  // One of the application's windows is the active window of the system.
  bool Active() const { return active_; }

  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TCustomForm;
  friend class TApplicationEvents;

  void AdoptForm(TCustomForm* form);
  bool ProcessMessage(MSG& msg);
  bool PreprocessMessage(MSG& msg);
  // A form's window saw WM_ACTIVATEAPP.
  void SetActive(bool active);

  std::string title_;
  TIcon icon_;
  TCustomForm* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  bool active_ = false;
  std::vector<TApplicationEvents*> events_;
};

// The application object, or null before it is made and after it is freed.
TApplication* Application();

}  // namespace tk
