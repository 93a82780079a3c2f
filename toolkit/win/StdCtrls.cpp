#include "StdCtrls.h"

#include <array>
#include <string>

#include "GdiObject.h"

namespace tk {

namespace {

constexpr const wchar_t* kButtonClassName = L"BUTTON";
constexpr const wchar_t* kEditClassName = L"EDIT";

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kCheckBoxWidth = 97;
constexpr int kCheckBoxHeight = 17;
constexpr int kRadioButtonWidth = 113;
constexpr int kRadioButtonHeight = 17;
constexpr int kEditWidth = 121;
constexpr int kEditHeight = 21;
constexpr int kPanelWidth = 185;
constexpr int kPanelHeight = 41;

// Line breaks and tabs in a caption take effect; an ampersand underlines the next letter.
constexpr UINT kLabelTextFormat = DT_EXPANDTABS;
constexpr UINT kPanelTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
// DrawText's horizontal alignment for each TAlignment.
constexpr std::array kAlignmentFormats{UINT{DT_LEFT}, UINT{DT_RIGHT}, UINT{DT_CENTER}};
static_assert(kAlignmentFormats.size() == taCenter + 1);
// An empty caption is measured as one space, so that an empty label keeps a line's height.
constexpr const wchar_t* kEmptyCaptionMeasure = L" ";

constexpr TColor kSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor kBtnHighlight = kSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor kBtnShadow = kSystemColor | COLOR_BTNSHADOW;

struct TBevelColors {
  TColor TopLeft;
  TColor BottomRight;
};
// The colours of each TBevelCut's edges; bvNone draws none.
constexpr std::array kBevelColors{TBevelColors{clNone, clNone},
                                  TBevelColors{kBtnShadow, kBtnHighlight},
                                  TBevelColors{kBtnHighlight, kBtnShadow}};
static_assert(kBevelColors.size() == bvRaised + 1);

// The check state BM_SETCHECK takes and BM_GETCHECK answers for each TCheckBoxState.
constexpr std::array kCheckStates{WPARAM{BST_UNCHECKED}, WPARAM{BST_CHECKED},
                                  WPARAM{BST_INDETERMINATE}};
static_assert(kCheckStates.size() == cbGrayed + 1);

WPARAM CheckState(bool checked) {
  return checked ? BST_CHECKED : BST_UNCHECKED;
}

TCheckBoxState CheckBoxState(LRESULT checkState) {
  for (std::size_t state = 0; state < kCheckStates.size(); ++state)
    if (kCheckStates[state] == static_cast<WPARAM>(checkState))
      return static_cast<TCheckBoxState>(state);
  return cbUnchecked;
}

// Text in the canvas's font colour over what is already there.
void DrawCanvasText(TCanvas& canvas, const std::wstring& text, const TRect& r, UINT format) {
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GdiColor(canvas.Font().Color()));
  RECT bounds{r.Left, r.Top, r.Right, r.Bottom};
  DrawTextW(dc, text.c_str(), -1, &bounds, format);
  GdiFlush();
}

// The top and left lines in one colour, the bottom and right ones (with the corners they
// meet) in the other.
void DrawBevel(TCanvas& canvas, const TRect& r, const TBevelColors& colors) {
  canvas.Brush().Color = colors.TopLeft;
  canvas.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
  canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
  canvas.Brush().Color = colors.BottomRight;
  canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
}

}  // namespace

// ---- TButtonControl -------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

void TButtonControl::Click() {
  RaiseEvent(onClick_, this);
}

void TButtonControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = kButtonClassName;
  params.Style |= WS_TABSTOP | ButtonStyle();
}

void TButtonControl::UpdateButtonStyle() {
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETSTYLE, ButtonStyle(), TRUE);
}

void TButtonControl::CNCommand(TMessage& message) {
  if (HIWORD(message.WParam) == BN_CLICKED) Clicked();
}

// ---- TButton --------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, kButtonWidth, kButtonHeight);
}

void TButton::SetDefault(bool isDefault) {
  if (default_ == isDefault) return;
  default_ = isDefault;
  UpdateButtonStyle();
}

DWORD TButton::ButtonStyle() const {
  return default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

// ---- TCheckBox ------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, kCheckBoxWidth, kCheckBoxHeight);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == cbGrayed) SetAllowGrayed(true);
  if (state_ == state) return;
  state_ = state;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, kCheckStates[state_], 0);
  Click();
}

void TCheckBox::SetAllowGrayed(bool allowGrayed) {
  if (allowGrayed_ == allowGrayed) return;
  allowGrayed_ = allowGrayed;
  UpdateButtonStyle();
}

DWORD TCheckBox::ButtonStyle() const {
  return allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

// A new window starts unchecked; it takes the state the control kept.
void TCheckBox::CreateHandle() {
  TButtonControl::CreateHandle();
  SendMessageW(Handle(), BM_SETCHECK, kCheckStates[state_], 0);
}

// The window has already moved itself to its next state.
void TCheckBox::Clicked() {
  const TCheckBoxState state = CheckBoxState(SendMessageW(Handle(), BM_GETCHECK, 0, 0));
  if (state_ == state) return;
  state_ = state;
  Click();
}

// ---- TRadioButton ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, kRadioButtonWidth, kRadioButtonHeight);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, CheckState(checked_), 0);
  if (!checked_) return;
  UncheckSiblings();
  Click();
}

DWORD TRadioButton::ButtonStyle() const {
  return BS_AUTORADIOBUTTON;
}

void TRadioButton::CreateHandle() {
  TButtonControl::CreateHandle();
  SendMessageW(Handle(), BM_SETCHECK, CheckState(checked_), 0);
}

// The windows uncheck each other; this keeps the controls' own state with them.
void TRadioButton::UncheckSiblings() {
  if (Parent() == nullptr) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* sibling = Parent()->Controls(i);
    if (sibling != this && sibling->Is<TRadioButton>())
      static_cast<TRadioButton*>(sibling)->SetChecked(false);
  }
}

// ---- TEdit ----------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, kEditWidth, kEditHeight);
}

void TEdit::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly) return;
  readOnly_ = readOnly;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, readOnly_, 0);
}

void TEdit::Change() {
  RaiseEvent(onChange_, this);
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = kEditClassName;
  params.Style |= WS_TABSTOP | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CNCommand(TMessage& message) {
  if (HIWORD(message.WParam) == EN_CHANGE) Change();
}

// ---- TLabel ---------------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize_ == autoSize) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

UINT TLabel::TextFormat() const {
  return kLabelTextFormat | kAlignmentFormats[alignment_];
}

void TLabel::Paint() {
  TCanvas& canvas = *Canvas();
  if (!transparent_) {
    canvas.Brush().Color = Color();
    canvas.FillRect(ClientRect());
  }
  DrawCanvasText(canvas, WideText(), ClientRect(), TextFormat());
}

void TLabel::CMTextChanged(TMessage&) {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_) return;
  const std::wstring text = WideText();
  TMemoryDC dc;
  TSelection font(dc.Get(), Font().Handle());
  RECT r{};
  DrawTextW(dc.Get(), text.empty() ? kEmptyCaptionMeasure : text.c_str(), -1, &r,
            DT_CALCRECT | TextFormat());
  SetBounds(Left(), Top(), r.right, r.bottom);
}

// ---- TPanel ---------------------------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, kPanelWidth, kPanelHeight);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevelOuter_ == bevel) return;
  bevelOuter_ = bevel;
  Invalidate();
}

void TPanel::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r = ClientRect();
  if (bevelOuter_ != bvNone) {
    DrawBevel(canvas, r, kBevelColors[bevelOuter_]);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  DrawCanvasText(canvas, WideText(), r, kPanelTextFormat);
}

void TPanel::CMTextChanged(TMessage&) {
  Invalidate();
}

}  // namespace tk
