#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Object.h"
#include "toolkit/core/Types.h"
#include "toolkit/win/Font.h"
#include "toolkit/win/Messages.h"

namespace skin {

class TzubSkinEngine;
class TzubSkinWindow;

// A request to repaint a control's skinned look, handled like WM_PAINT; nothing in the
// engine sends it, a program may.
inline constexpr UINT kSkinRepaintRequest = 0x2AAC;

// The hover and pressed bits of a control skinner.
enum TzubSkinControlState : std::uint8_t {
  ssHot = 1 << 0,
  ssPressed = 1 << 1,
};
// A set of TzubSkinControlState bits.
using TzubSkinControlStates = std::uint8_t;

// Where the user drags a scroll bar's thumb, kept for the skinned scroll bars to draw from.
// There is one record for the vertical and one for the horizontal bar, shared by every
// skinned control: the last control that had a scroll notification owns their contents.
struct TzubScrollThumbTracking {
  // Along the bar, from its top (vertical) or left (horizontal) edge; while dragging, where
  // the cursor puts the thumb.
  int ThumbStart = 0;
  int ThumbEnd = 0;
  int ThumbLength = 0;
  // Screen points of the last non-client press and of the cursor at the last drag step.
  tk::TPoint PressPoint;
  tk::TPoint CursorPoint;
  SCROLLBARINFO Info{};
  bool InfoValid = false;
  // Info.rcScrollBar in the client coordinates of the control's parent.
  tk::TRect BarRect;
  bool Tracking = false;
};

TzubScrollThumbTracking& VertScrollTracking();
TzubScrollThumbTracking& HorzScrollTracking();

// The skinner of one child control of a skinned window. It sees every message of its control
// before the control's own handling (BeforeWndProc, which may swallow it) and after it
// (AfterWndProc, which keeps the hover and pressed state and repaints). Its frame makes it
// through the skinner registry, owns it, tells it of skin changes and detaches it before
// freeing it.
class TzubSkinControl : public tk::TObject {
  TK_CLASS(TzubSkinControl, tk::TObject)

 public:
  TzubSkinControl(TzubSkinWindow* skinWindow, TzubSkinEngine* engine)
      : FSkinWindow(skinWindow), FEngine(engine) {}

  // True lets the control's own handler run; False means the skinner handled the message.
  virtual bool BeforeWndProc(tk::TMessage&) { return true; }
  // Keeps FStates, repaints and tells the notifications below. Overrides call it first.
  virtual void AfterWndProc(tk::TMessage& message);
  // Draws the skinned look onto the control's window.
  virtual void PaintSkin() {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseDown() {}
  virtual void MouseUp() {}
  virtual void KeyDown(int) {}
  virtual void KeyUp(int) {}
  // Applies the skin's look when the engine is skinning, the values InitSkin saved otherwise.
  virtual void SkinChanged() {}
  // Called once the control's messages come here: saves what the skinner will change.
  virtual void InitSkin() {}
  // Called by the frame just before it frees the skinner; after it AfterWndProc is not called.
  virtual void Detach() { FDetached = true; }
  // The rectangle painting covers. By default the whole window of GetHandle, at (0, 0).
  virtual void GetClientRect(tk::TRect& r);
  virtual HWND GetHandle() = 0;
  // By default whether the window of GetHandle is enabled.
  virtual bool GetEnabled();
  // When True the frame makes the control take its parent's colour.
  virtual bool NeedParentColor() { return false; }

  // Copies bitmap's client rectangle onto the control's window and draws text centred in
  // rect over it: grey when the control is disabled, one pixel down and right while pressed.
  void PaintBitmapText(tk::TBitmap& bitmap, const std::string& text, bool wordWrap,
                       const tk::TRect& rect, tk::TFont* font);
  // The same with the window's own text, read and drawn as UTF-16.
  void PaintBitmapWideText(tk::TBitmap& bitmap, bool wordWrap, const tk::TRect& rect,
                           tk::TFont* font);
  // Draws bitmap with its top-left corner at p on the control's window.
  void PaintBitmapAt(tk::TBitmap& bitmap, const tk::TPoint& p);

  TzubSkinWindow* SkinWindow() const { return FSkinWindow; }
  TzubSkinEngine* Engine() const { return FEngine; }
  TzubSkinControlStates States() const { return FStates; }
  bool Detached() const { return FDetached; }

 protected:
  // Whether the engine draws anything from the skin now.
  bool Skinning() const;
  // Whether the engine is being freed: messages then go straight to the control's handler.
  bool EngineDestroying() const;
  // PaintSkin when the engine is skinning.
  void Repaint();
  // Keeps the scroll-thumb tracking records current from the control's non-client presses
  // and scroll notifications.
  void TrackScrollThumb(const tk::TMessage& message);

  TzubSkinWindow* FSkinWindow;
  TzubSkinEngine* FEngine;
  TzubSkinControlStates FStates = 0;
  bool FDetached = false;

 private:
  void OnMouseEnter();
  void OnMouseLeave();
  void OnButton(bool down);
  void OnKey(int key, bool down);
};

}  // namespace skin
