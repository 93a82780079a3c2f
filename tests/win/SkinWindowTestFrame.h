#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/ObjectInstance.h"
#include "toolkit/win/WndMethod.h"

namespace testing_support {

// What a test frame answers to the frame's questions; tests set it before Start.
struct TFrameAnswers {
  bool Close = true;
  bool Maximize = true;
  bool Minimize = true;
  bool Help = false;
  bool SystemIcon = false;
  bool MDIForm = false;
  bool MDIChild = false;
  bool HandlesNCActivate = false;
  bool InitWhenHidden = true;
  int MenuBarHeight = 0;
  // 0: the native frame's top inset, measured as a native frame does.
  int TopFrame = 0;
  int SideFrame = 0;
  int BottomFrame = 0;
};

// A concrete frame over a plain top-level window, subclassed through an object instance. It
// records every message that reaches the window's own procedure, and can run a probe right
// after the window's procedure handled a message (before the frame's after-handling).
class TTestFrame : public skin::TzubSkinWindow {
 public:
  TTestFrame(skin::TzubSkinEngine* engine, const TFrameAnswers& answers, bool deferInit = false)
      : skin::TzubSkinWindow(nullptr, engine, deferInit), answers_(answers) {}
  ~TTestFrame() override { Finish(); }

  // Makes and starts a frame on wnd, then tells it the skin as the engine does.
  static std::unique_ptr<TTestFrame> Make(skin::TzubSkinEngine* engine, HWND wnd,
                                          const TFrameAnswers& answers = {}) {
    auto frame = std::make_unique<TTestFrame>(engine, answers);
    frame->Start(wnd);
    frame->SkinChanged();
    return frame;
  }

  HWND GetHandle() override { return wnd_; }
  void ApplySkin() override {
    LONG_PTR style = GetWindowLongPtrW(wnd_, GWL_STYLE);
    if (Skinned()) {
      style &= ~static_cast<LONG_PTR>(WS_SYSMENU);
    } else {
      style |= savedStyle_ & WS_SYSMENU;
      SetWindowRgn(wnd_, nullptr, TRUE);
    }
    SetWindowLongPtrW(wnd_, GWL_STYLE, style);
    SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  void CallOldWndProc(tk::TMessage& message) override {
    passed.push_back(message);
    message.Result = CallWindowProcW(oldProc_, wnd_, message.Msg, message.WParam, message.LParam);
    if (afterOld) afterOld(message);
  }
  void MeasureFrame() override {
    RECT window{};
    GetWindowRect(wnd_, &window);
    POINT origin{0, 0};
    ClientToScreen(wnd_, &origin);
    FTopFrame = answers_.TopFrame != 0 ? answers_.TopFrame : origin.y - window.top;
    FSideFrame = answers_.SideFrame;
    FBottomFrame = answers_.BottomFrame;
  }
  void SkinControls() override {}
  void ReleaseControls() override {}
  int GetMenuBarHeight() override { return answers_.MenuBarHeight; }
  bool HasHelpButton() override { return answers_.Help; }
  bool IsMDIForm() override { return answers_.MDIForm; }
  bool IsMDIChild() override { return answers_.MDIChild; }
  bool HasSystemIcon() override { return answers_.SystemIcon; }
  bool HasCloseButton() override { return answers_.Close; }
  bool HasMaximizeButton() override { return answers_.Maximize; }
  bool HasMinimizeButton() override { return answers_.Minimize; }
  bool InitWhenHidden() override { return answers_.InitWhenHidden; }
  bool HandlesNCActivate() override { return answers_.HandlesNCActivate; }
  void UnskinnedResize() override { ++unskinnedResizes; }
  void Attach(HWND handle) override {
    wnd_ = handle;
    savedStyle_ = GetWindowLongPtrW(wnd_, GWL_STYLE);
    oldProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd_, GWLP_WNDPROC));
    instance_ = tk::MakeObjectInstance(tk::TWndMethod::Of<&TTestFrame::Route>(this));
    SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance_));
  }
  void Detach() override {
    SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    tk::FreeObjectInstance(instance_);
    SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

  // Whether a message with this number reached the window's own procedure.
  bool Passed(UINT msg) const {
    for (const tk::TMessage& m : passed)
      if (m.Msg == msg) return true;
    return false;
  }
  const tk::TMessage* LastPassed(UINT msg) const {
    for (auto it = passed.rbegin(); it != passed.rend(); ++it)
      if (it->Msg == msg) return &*it;
    return nullptr;
  }
  TFrameAnswers& Answers() { return answers_; }
  int ExtraTop() const { return FExtraTop; }

  std::vector<tk::TMessage> passed;
  std::function<void(const tk::TMessage&)> afterOld;
  int unskinnedResizes = 0;

 private:
  void Route(tk::TMessage& message) { WndProc(message); }

  TFrameAnswers answers_;
  HWND wnd_ = nullptr;
  LONG_PTR savedStyle_ = 0;
  WNDPROC oldProc_ = nullptr;
  WNDPROC instance_ = nullptr;
};

// The engine of a test with the given skin package loaded and active, on a form of its own.
class TTestEngine {
 public:
  explicit TTestEngine(const std::string& skinFile) : form_(new tk::TForm(nullptr)) {
    engine_ = new skin::TzubSkinEngine(form_.get());
    engine_->SetSkinFile(skinFile);
    engine_->SetActive(true);
  }
  skin::TzubSkinEngine* operator->() const { return engine_; }
  skin::TzubSkinEngine* Get() const { return engine_; }

 private:
  std::unique_ptr<tk::TForm> form_;
  skin::TzubSkinEngine* engine_;
};

}  // namespace testing_support
