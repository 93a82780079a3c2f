#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/SkinWindow.h"
#include "skin/engine/WndSubclass.h"
#include "toolkit/core/Object.h"
#include "toolkit/win/WndMethod.h"

namespace skin {

// The frame of a top-level window that is not one of the application's forms: system message
// boxes, common dialogs and windows of the auto-skin classes. It subclasses the window, shows
// the skinned frame with a close button only, grows the window so that the skinned frame fits
// around the client area, colours the dialog's background and its static and button children
// with the form colour, gives child windows their native skinners, and recognises the file
// dialog, the folder browser and the inner template dialog of common dialogs.
class TzubSkinWindowWnd : public TzubSkinWindow {
  TK_CLASS(TzubSkinWindowWnd, TzubSkinWindow)

 public:
  TzubSkinWindowWnd(TzubSkinEngine* engine, bool deferInit);
  ~TzubSkinWindowWnd() override;

  void GetWideCaption(std::wstring& s) override;
  void ApplySkin() override;
  void CallOldWndProc(tk::TMessage& message) override;
  void MeasureFrame() override;
  void SkinControls() override;
  void ReleaseControls() override;
  HWND GetHandle() override { return FHandle; }
  bool BeforeWndProc(tk::TMessage& message) override;
  void AfterWndProc(tk::TMessage& message) override;
  void Attach(HWND handle) override;
  void Detach() override;

  void SkinChildWindow(HWND child);
  void ExamineDialog();

  bool FileDialog() const { return FFileDialog; }
  bool FolderDialog() const { return FFolderDialog; }
  bool Grown() const { return FGrown; }
  HWND InnerDialog() const { return FInnerDialog; }
  // The inner dialog whose procedure the frame replaced, or null.
  HWND SubclassedInnerDialog() const;
  LONG_PTR MeasuredStyle() const { return FStyle; }
  // The procedures the frame replaced; null once given back.
  WNDPROC OldWndProc() const { return FSubclass != nullptr ? FSubclass->OldProc() : nullptr; }
  WNDPROC OldInnerProc() const {
    return FInnerSubclass != nullptr ? FInnerSubclass->OldProc() : nullptr;
  }

 private:
  void FrameWindowProc(tk::TMessage& message);
  void InnerDialogProc(tk::TMessage& message);
  void OnDestroy(tk::TMessage& message);
  void OnEraseBackground();
  void GrowOnce();
  void RefreshSkinners();
  void ApplySkinned();
  void RemoveSkinned();
  void ColorInnerPanels();
  void Resize(int dw, int dh);
  // The style with its visibility bit taken from the window as it is now: writing that bit
  // through the style would show or hide the window behind the system's back.
  LONG_PTR WithCurrentVisibility(LONG_PTR style) const;

  HWND FHandle = nullptr;
  // The window's procedure before Attach and the one installed instead (which calls WndProc).
  std::unique_ptr<TWndSubclass> FSubclass;
  LONG_PTR FStyle = 0;
  LONG_PTR FShownStyle = 0;
  bool FShownStyleKnown = false;
  bool FGrown = false;
  bool FFileDialog = false;
  bool FFolderDialog = false;
  // The inner dialog's previous procedure and the one installed on it (which calls
  // InnerDialogProc); installed once, at the first examination that finds the inner dialog.
  std::unique_ptr<TWndSubclass> FInnerSubclass;
  HWND FInnerDialog = nullptr;
  // What applying the skin added to the window's size, taken away again on removal.
  int FAddedWidth = 0;
  int FAddedHeight = 0;
  bool FSizeAdded = false;
  // The window is being destroyed: nothing of it is restored.
  bool FWindowDestroyed = false;
};

}  // namespace skin
