#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"
#include "toolkit/win/Component.h"
#include "toolkit/win/Messages.h"

namespace skin {

class TzubSkinEngine;
class TzubSkinControl;

// Private messages every frame answers.
inline constexpr UINT kSkinnedQuery = 0x2AAA;
inline constexpr UINT kMDIChildFramePainted = 0x2AAD;
inline constexpr UINT kMergeChildMenu = 0x83E8;
inline constexpr UINT kMenuBarHeightQuery = 0x83E9;
inline constexpr UINT kRebuildWindowMenu = 0x83EA;
inline constexpr UINT kMDITopFrameQuery = 0x83EB;
inline constexpr UINT kMDISideFrameQuery = 0x83EC;
inline constexpr UINT kMDIBottomFrameQuery = 0x83ED;
inline constexpr UINT kHiddenChildQuery = 0x83EE;

// The caption button under the cursor at the last paint.
enum TzubHotButton : int {
  hbNone = -1,
  hbIcon = 0,
  hbClose = 1,
  hbMaximize = 2,
  hbMinimize = 3,
  hbHelp = 4,
};

// The frame skinner of one top-level window: it takes over the window's messages, replaces
// the native non-client area by one computed from the skin, paints it, tracks its caption
// buttons, runs their system commands and cuts the window's outline. It owns the control
// skinners of the window's children. The engine makes frames through Start and frees them;
// a concrete frame's destructor calls Finish first, while its overrides still run.
class TzubSkinWindow : public tk::TComponent {
  TK_CLASS(TzubSkinWindow, tk::TComponent)

 public:
  ~TzubSkinWindow() override;

  // The second half of construction, once the object is complete: attaches to wnd, skins
  // the controls and switches the skinned look on when the engine is skinning.
  void Start(HWND wnd);

  virtual HWND GetHandle() = 0;
  // The window procedure's entry: every message of the window comes here.
  void WndProc(tk::TMessage& message);

  void PaintFrame();
  void UpdateRegion();
  void Initialize();
  void SetSkinned(bool value);
  void SetHasCaption(bool value);
  void SetHasBorders(bool value);
  void SkinChanged();
  void SysClose();
  void SysHelp();
  void SysMaximizeRestore();
  void SysMinimizeRestore();
  void PopupSystemMenu();
  void PopupSystemMenuAt(const tk::TPoint& p);
  std::string GetCaption();
  int CaptionHeight() const;
  int WindowWidth();
  int WindowHeight();

  TzubSkinEngine* Engine() const { return FEngine; }
  bool Skinned() const { return FSkinned; }
  bool Initialized() const { return FInitialized; }
  bool Enabled() const { return FEnabled; }
  bool FrameActive() const { return FActive; }
  bool MaxShown() const { return FMaxShown; }
  bool MinShown() const { return FMinShown; }
  bool CloseShown() const { return FCloseShown; }
  int HotButton() const { return FHotButton; }
  int ButtonsLeft() const { return FButtonsLeft; }
  bool HasCaption() const { return FHasCaption; }
  bool HasBorders() const { return FHasBorders; }
  int TopFrame() const { return FTopFrame; }
  int SideFrame() const { return FSideFrame; }
  int BottomFrame() const { return FBottomFrame; }
  int ClientWidthKept() const { return FClientWidth; }
  int ClientHeightKept() const { return FClientHeight; }
  const tk::TBitmap& TitleImage() const { return *FTitleImage; }
  const tk::TBitmap& BottomImage() const { return *FBottomImage; }
  const std::vector<std::unique_ptr<TzubSkinControl>>& ControlSkinners() const {
    return FControlSkinners;
  }
  // The window has an animation or progress child (the native lookup notes it).
  bool HasAnimation() const { return FHasAnimation; }
  void MarkHasAnimation() { FHasAnimation = true; }

  // Overridable behaviour, in the order the frame kinds override it.
  virtual void GetWideCaption(std::wstring& s) { s.clear(); }
  virtual void ApplySkin() = 0;
  virtual void CallOldWndProc(tk::TMessage& message) = 0;
  virtual void MeasureFrame() {}
  virtual void SkinControls() = 0;
  virtual void ReleaseControls() = 0;
  virtual bool CanSetRegion() { return true; }
  virtual int GetMenuBarHeight() { return 0; }
  virtual HICON GetIconHandle() { return nullptr; }
  virtual bool HasHelpButton() { return false; }
  virtual bool IsMDIForm() { return false; }
  virtual bool IsMDIChild() { return false; }
  virtual bool HasSystemIcon() { return false; }
  virtual bool HasCloseButton() { return true; }
  virtual bool HasMaximizeButton() { return false; }
  virtual bool HasMinimizeButton() { return false; }
  virtual bool InitWhenHidden() { return false; }
  virtual bool ToolBarBelowMenu() { return false; }
  virtual bool HandlesNCActivate() { return false; }
  virtual void UnskinnedResize() {}
  virtual bool BeforeWndProc(tk::TMessage&) { return true; }
  virtual void AfterWndProc(tk::TMessage&) {}
  virtual void Attach(HWND handle) = 0;
  virtual void Detach() = 0;

 protected:
  // owner is the form whose window this is, or null when the engine frees the frame.
  TzubSkinWindow(tk::TComponent* owner, TzubSkinEngine* engine, bool deferInit);
  // The first half of destruction, while the concrete frame's overrides still run; later
  // calls do nothing.
  void Finish();

  // Ordinary handling of a message the frame has not taken for itself.
  void DefaultFrameMessage(tk::TMessage& message);

  TzubSkinEngine* FEngine;
  bool FHasCaption = true;
  bool FHasBorders = true;
  bool FDestroying = false;
  std::unique_ptr<tk::TBitmap> FTitleImage;
  std::unique_ptr<tk::TBitmap> FTitleComposite;
  std::unique_ptr<tk::TBitmap> FBottomImage;
  std::unique_ptr<tk::TBitmap> FBottomComposite;
  int FClientHeight = 0;
  int FClientWidth = 0;
  bool FDeferInit;
  std::vector<std::unique_ptr<TzubSkinControl>> FControlSkinners;
  bool FMaxShown = false;
  bool FMinShown = false;
  bool FCloseShown = false;
  int FHotButton = hbNone;
  bool FPressed = false;
  bool FActive = true;
  bool FSkinned = false;
  bool FInitialized = false;
  bool FMDIMaximizeSent = false;
  bool FEnabled = true;
  bool FTitleNeedsRegion = false;
  bool FBottomNeedsRegion = false;
  int FButtonsLeft = 10000;
  int FTopFrame = 0;
  int FBottomFrame = 0;
  int FSideFrame = 0;
  int FOldLeftFrame = 0;
  int FOldBottomFrame = 0;
  int FExtraTop = 0;
  bool FHasAnimation = false;

 private:
  friend class TFramePainter;

  // The frame's own handling before the previous handler; True when the message is done.
  bool HandleBefore(tk::TMessage& message);
  // The frame's own handling after the previous handler.
  void HandleAfter(tk::TMessage& message);
  // The previous handler, with the window hidden from the default caption painting when the
  // message would paint the native caption over the skinned one.
  void CallOldWndProcQuietly(tk::TMessage& message);
  void OnNCCalcSize(tk::TMessage& message);
  void OnNCHitTest(tk::TMessage& message);
  void OnNCLButtonDown(tk::TMessage& message);
  bool OnNCLButtonDblClk(tk::TMessage& message);
  bool OnNCActivateBefore(tk::TMessage& message);
  void OnNCLButtonUp();
  void OnNCRButtonDown(const tk::TMessage& message);
  void OnNCMouseMove(const tk::TMessage& message);
  void RunHotButton();
  // The window's rectangle; empty when the window is gone.
  tk::TRect WindowBounds();

  // What decided the outline last handed to the window: its size, the flags and the
  // transparent pixels of the images' scanned rows. An unchanged outline is not handed over
  // again, since every hand-over repaints the whole window.
  std::vector<std::uint32_t> FOutlineInputs;
  // The bottom image holds the skin's bottom border for its current width.
  bool FBottomComposed = false;
  // The system caption font the title image's font was last made from.
  LOGFONTA FCaptionFont{};

  bool finished_ = false;
};

}  // namespace skin
