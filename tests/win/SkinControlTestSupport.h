#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/SkinControlVCL.h"
#include "skin/engine/SkinControlWnd.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindow.h"
#include "tests/support/WinPump.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/StdCtrls.h"

namespace testing_support {

// Who saw a message: the skinner before the control, the control's own handler, the skinner
// after it, or a handler that replaced the skinner's in the chain.
enum class TStage { Before, Own, After, Later };

struct TLogEntry {
  TStage Stage;
  UINT Msg;
  friend bool operator==(const TLogEntry&, const TLogEntry&) = default;
};

inline std::vector<TLogEntry>& MessageLog() {
  static std::vector<TLogEntry> log;
  return log;
}

inline void LogMessage(TStage stage, UINT msg) {
  MessageLog().push_back({stage, msg});
}

// The stages that saw msg, in order.
inline std::vector<TStage> StagesOf(UINT msg) {
  std::vector<TStage> stages;
  for (const TLogEntry& entry : MessageLog())
    if (entry.Msg == msg) stages.push_back(entry.Stage);
  return stages;
}

inline std::string StageNames(const std::vector<TStage>& stages) {
  static const char* const kNames[] = {"Before", "Own", "After", "Later"};
  std::string text;
  for (TStage stage : stages)
    text += std::string(text.empty() ? "" : " ") + kNames[static_cast<int>(stage)];
  return text;
}

// What the recording skinners were told, by every skinner alive or freed since the last reset.
struct TSkinnerEvents {
  std::vector<std::string> Calls;
  int Paints = 0;
  int Detaches = 0;
  int Freed = 0;
  // The message BeforeWndProc swallows; 0 for none.
  UINT Swallowed = 0;
};

inline TSkinnerEvents& SkinnerEvents() {
  static TSkinnerEvents events;
  return events;
}

inline void ResetRecording() {
  MessageLog().clear();
  SkinnerEvents() = {};
}

// A skinner over Base that records what reaches it.
template <typename Base>
class TRecordingSkinner : public Base {
 public:
  using Base::Base;
  ~TRecordingSkinner() override { ++SkinnerEvents().Freed; }

  bool BeforeWndProc(tk::TMessage& message) override {
    LogMessage(TStage::Before, message.Msg);
    return message.Msg != SkinnerEvents().Swallowed;
  }
  void AfterWndProc(tk::TMessage& message) override {
    LogMessage(TStage::After, message.Msg);
    Base::AfterWndProc(message);
  }
  void PaintSkin() override { ++SkinnerEvents().Paints; }
  void MouseEnter() override { Call("MouseEnter"); }
  void MouseLeave() override { Call("MouseLeave"); }
  void MouseDown() override { Call("MouseDown"); }
  void MouseUp() override { Call("MouseUp"); }
  void KeyDown(int key) override { Call("KeyDown " + std::to_string(key)); }
  void KeyUp(int key) override { Call("KeyUp " + std::to_string(key)); }
  void Detach() override {
    ++SkinnerEvents().Detaches;
    if (onDetach) onDetach();
    Base::Detach();
  }

  void SetStates(skin::TzubSkinControlStates states) { this->FStates = states; }
  std::function<void()> onDetach;

 private:
  static void Call(const std::string& name) { SkinnerEvents().Calls.push_back(name); }
};

using TRecordingControlSkinner = TRecordingSkinner<skin::TzubSkinControlVCL>;
using TRecordingWndSkinner = TRecordingSkinner<skin::TzubSkinControlWnd>;

// A push button that records the messages its own handler sees. The skinner registry gives
// it a recording skinner (registered once, after the program's own rows).
class TProbeButton : public tk::TButton {
  TK_CLASS(TProbeButton, tk::TButton)

 public:
  explicit TProbeButton(tk::TComponent* owner) : tk::TButton(owner) {}
  void WndProc(tk::TMessage& message) override {
    LogMessage(TStage::Own, message.Msg);
    tk::TButton::WndProc(message);
  }
};

inline void RegisterProbeSkinner() {
  static const bool registered = [] {
    skin::RegisterControlSkinners(
        {{&TProbeButton::ClassInfo, &skin::MakeControlSkinner<TRecordingControlSkinner>}});
    return true;
  }();
  EXPECT_TRUE(registered);
}

// A handler that replaces a control's WindowProc after the skinner did, and passes every
// message on to the one it replaced.
class TLaterHandler : public tk::TObject {
 public:
  explicit TLaterHandler(tk::TControl& control) : saved_(control.WindowProc()) {
    control.SetWindowProc(Method());
  }
  tk::TWndMethod Method() { return tk::TWndMethod::Of<&TLaterHandler::Message>(this); }

 private:
  void Message(tk::TMessage& message) {
    LogMessage(TStage::Later, message.Msg);
    saved_(message);
  }
  tk::TWndMethod saved_;
};

// One step of the hover and pressed state: the message, the states before and after it,
// and the notification it gives.
struct TStateCase {
  const char* Name;
  UINT Msg;
  WPARAM WParam;
  skin::TzubSkinControlStates Before;
  skin::TzubSkinControlStates After;
  const char* Call;
};

inline constexpr skin::TzubSkinControlStates kHotPressed = skin::ssHot | skin::ssPressed;

inline constexpr TStateCase kStateCases[] = {
    {"mouse enters", tk::CM_MOUSEENTER, 0, 0, skin::ssHot, "MouseEnter"},
    {"mouse leaves a pressed control", tk::CM_MOUSELEAVE, 0, kHotPressed, 0, "MouseLeave"},
    {"left button down", WM_LBUTTONDOWN, 0, skin::ssHot, kHotPressed, "MouseDown"},
    {"left button up", WM_LBUTTONUP, 0, kHotPressed, skin::ssHot, "MouseUp"},
    {"space down", WM_KEYDOWN, VK_SPACE, 0, skin::ssPressed, "KeyDown 32"},
    {"space up", WM_KEYUP, VK_SPACE, skin::ssPressed, 0, "KeyUp 32"},
    {"enter down", WM_KEYDOWN, VK_RETURN, skin::ssHot, kHotPressed, "KeyDown 13"},
    {"enter up", WM_KEYUP, VK_RETURN, kHotPressed, skin::ssHot, "KeyUp 13"},
    {"other key down", WM_KEYDOWN, 'A', skin::ssHot, skin::ssHot, "KeyDown 65"},
    {"other key up while pressed", WM_KEYUP, 'A', skin::ssPressed, skin::ssPressed, "KeyUp 65"},
};

inline std::string SkinPackagePath(const std::string& name) {
  return std::string(ORV_TEST_SKINS_DIR) + "/" + name + ".zsk";
}

// An engine that can be marked as being destroyed while it still serves its frames.
class TDestroyableEngine : public skin::TzubSkinEngine {
 public:
  using skin::TzubSkinEngine::TzubSkinEngine;
  void MarkDestroying() { Destroying(); }
};

// An application whose main form owns an engine with the default skin, switched on.
class SkinEngineFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(1270, 1010);
    application_ = std::make_unique<tk::TApplication>();
    main_ = application_->CreateForm<tk::TForm>();
    main_->SetBounds(40, 40, 420, 300);
    engine_ = new TDestroyableEngine(main_);
    engine_->SetSkinFile(SkinPackagePath("default"));
    engine_->SetActive(true);
    ResetRecording();
  }
  void TearDown() override {
    application_.reset();
    ResetRecording();
  }

  // Skins the main form: its frame gives its controls their skinners.
  void SkinMainForm() {
    engine_->SkinForm(main_);
    main_->Show();
    PumpUntil([] { return true; });
  }
  skin::TzubSkinWindow* MainFrame() const { return engine_->FindSkinWindow(main_->Handle()); }

  std::unique_ptr<tk::TApplication> application_;
  tk::TForm* main_ = nullptr;
  TDestroyableEngine* engine_ = nullptr;
};

// The skinner of frame's list that serves control, or null.
template <typename Skinner = TRecordingControlSkinner>
Skinner* SkinnerOf(const skin::TzubSkinWindow* frame, const tk::TControl* control) {
  if (frame == nullptr) return nullptr;
  for (const auto& skinner : frame->ControlSkinners())
    if (skinner->template Is<skin::TzubSkinControlVCL>() &&
        static_cast<skin::TzubSkinControlVCL&>(*skinner).Control() == control)
      return static_cast<Skinner*>(skinner.get());
  return nullptr;
}

}  // namespace testing_support
