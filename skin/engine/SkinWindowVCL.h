#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/engine/SkinWindow.h"
#include "skin/engine/WndSubclass.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/WndMethod.h"

namespace skin {

// The frame of one of the application's forms. Besides the skinned frame it reshapes the
// form so that the frame fits: it keeps the client size, sets the minimum size, keeps menu
// shortcuts working, arranges MDI children, keeps the Window menu's list of children, and
// gives the form's controls their skinners. Removing the skin undoes all of it.
class TzubSkinWindowVCL : public TzubSkinWindow {
  TK_CLASS(TzubSkinWindowVCL, TzubSkinWindow)

 public:
  TzubSkinWindowVCL(tk::TComponent* owner, TzubSkinEngine* engine, bool deferInit);
  ~TzubSkinWindowVCL() override;

  tk::TCustomForm* Form() const { return FForm; }
  tk::TMainMenu* FrameMenu() const { return FMenu; }

  void GetWideCaption(std::wstring& s) override;
  void ApplySkin() override;
  void CallOldWndProc(tk::TMessage& message) override;
  void MeasureFrame() override;
  void SkinControls() override;
  void ReleaseControls() override;
  bool CanSetRegion() override;
  HICON GetIconHandle() override;
  bool HasHelpButton() override;
  bool IsMDIForm() override;
  bool IsMDIChild() override;
  bool HasSystemIcon() override;
  bool HasCloseButton() override;
  bool HasMaximizeButton() override;
  bool HasMinimizeButton() override;
  bool InitWhenHidden() override { return true; }
  bool HandlesNCActivate() override { return true; }
  HWND GetHandle() override;
  void UnskinnedResize() override;
  void AfterWndProc(tk::TMessage& message) override;
  void Attach(HWND handle) override;
  void Detach() override;

  void CascadeChildren();
  void TileChildren(bool horizontal);
  void UpdateWindowMenu();

 private:
  void FrameWindowProc(tk::TMessage& message) { WndProc(message); }
  void SkinControl(tk::TControl* control);
  void SkinOwnedComponents(tk::TComponent* owner);
  void SkinMenus();
  void UnskinMenus();
  void SetConstraints();
  void ClearConstraints();
  void ShiftControls(int direction);
  void HookClientWindow();
  void UnhookClientWindow();
  void ClientMessage(tk::TMessage& message);
  void AppMessage(MSG& msg, bool& handled);
  bool IsMenuShortCut(const tk::TMessage& key);
  // The form's menu is shown by the frame instead of the form's own menu bar.
  bool MenuTakenOff() const { return FMenu != nullptr && FForm->Menu() != FMenu; }
  void NotifyWindowMenu();
  void WindowMenuClick(tk::TObject* sender);
  void RemoveSysMenuStyle();
  bool CaptionWanted() const;
  void FollowCaption();
  void AfterSize(tk::TMessage& message);
  void AfterShow(tk::TMessage& message);
  void AfterMDIActivate(tk::TMessage& message);
  // Sets the client size with the frame that is in effect now, without counting it as the
  // user's resize.
  void SetClientSize(int width, int height);
  tk::TCustomForm* MainForm() const;

  tk::TCustomForm* FForm = nullptr;
  tk::TWndMethod FOldWndProc;
  std::unique_ptr<TWndSubclass> FClientSubclass;
  HWND FClientWnd = nullptr;
  tk::TMainMenu* FMenu = nullptr;
  tk::TColor FSavedColor = 0;
  std::unique_ptr<tk::TApplicationEvents> FAppEvents;
  bool FAllFormsDone = false;
  bool FInternalChange = false;
  bool FControlsShifted = false;
  bool FMinWidthSet = false;
  bool FMinHeightSet = false;
  std::vector<tk::TMenuItem*> FWindowMenuItems;
  bool FHiddenChild = false;
  bool FRestoring = false;
};

}  // namespace skin
