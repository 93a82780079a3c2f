#pragma once

#include <windows.h>

#include <utility>

#include "CustomControl.h"
#include "GraphicControl.h"
#include "NotifyEvent.h"
#include "WinControl.h"

namespace tk {

// A native "BUTTON" window of some kind. A click on it reaches the control as BN_CLICKED
// reflected by the parent; the kind decides what that does before OnClick runs.
class TButtonControl : public TWinControl {
  TK_CLASS(TButtonControl, TWinControl)

 public:
  explicit TButtonControl(TComponent* owner);

  const TNotifyEvent& OnClick() const { return onClick_; }
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
  // Runs OnClick, as a click on the button does.
  virtual void Click();

 protected:
  void CreateParams(TCreateParams& params) override;
  // The BS_ kind of button the window is made as, and becomes when the kind changes.
  virtual DWORD ButtonStyle() const = 0;
  void UpdateButtonStyle();
  void CNCommand(TMessage& message) override;
  virtual void Clicked() { Click(); }

 private:
  TNotifyEvent onClick_;
};

// A push button; the default button of its window when Default is set.
class TButton : public TButtonControl {
  TK_CLASS(TButton, TButtonControl)

 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool isDefault);

 protected:
  DWORD ButtonStyle() const override;

 private:
  bool default_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box the window toggles itself. Only a box that allows the grayed state shows it (a
// three-state window); a click then goes unchecked, checked, grayed, unchecked. OnClick runs
// whenever the state changes, by a click or by SetState.
class TCheckBox : public TButtonControl {
  TK_CLASS(TCheckBox, TButtonControl)

 public:
  explicit TCheckBox(TComponent* owner);

  TCheckBoxState State() const { return state_; }
  // Asking for cbGrayed allows the grayed state.
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allowGrayed);

 protected:
  DWORD ButtonStyle() const override;
  void CreateHandle() override;
  void Clicked() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
};

// A radio button the window checks itself. Checking one unchecks the other radio buttons of
// the same parent; OnClick runs when the button becomes checked, by a click or by SetChecked.
class TRadioButton : public TButtonControl {
  TK_CLASS(TRadioButton, TButtonControl)

 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  DWORD ButtonStyle() const override;
  void CreateHandle() override;
  void Clicked() override { SetChecked(true); }

 private:
  void UncheckSiblings();

  bool checked_ = false;
};

// A native single-line "EDIT" window. OnChange runs whenever its text changes, typed or set
// (the window reports both with EN_CHANGE).
class TEdit : public TWinControl {
  TK_CLASS(TEdit, TWinControl)

 public:
  explicit TEdit(TComponent* owner);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CNCommand(TMessage& message) override;
  virtual void Change();

 private:
  bool readOnly_ = false;
  TNotifyEvent onChange_;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Windowless text: the caption in the label's font, aligned in its bounds, over its colour
// (its parent's, unless one is set) or, when Transparent, over whatever lies below. With
// AutoSize, the default, the label takes the size of its text whenever the text or the font
// changes, keeping its top-left corner.
class TLabel : public TGraphicControl {
  TK_CLASS(TLabel, TGraphicControl)

 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& message) override;
  void FontChanged() override;

 private:
  UINT TextFormat() const;
  void AdjustBounds();

  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = false;
  bool autoSize_ = true;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A window of its own that fills itself with its colour, draws a one-pixel bevel inside its
// edge (light above and left when raised, dark when lowered) and centres its caption.
class TPanel : public TCustomControl {
  TK_CLASS(TPanel, TCustomControl)

 public:
  explicit TPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& message) override;

 private:
  TBevelCut bevelOuter_ = bvRaised;
};

}  // namespace tk
