#include <windows.h>

#include <array>
#include <cstddef>

#include "SkinHooks.h"
#include "skin/engine/SkinWindow.h"
#include "toolkit/core/SysUtils.h"

namespace skin {

namespace {

// The button type in the low four bits of a button's style, tested bit-wise as the table
// of button kinds below lists.
constexpr LONG_PTR kGroupBoxBits = 7;
constexpr std::array<LONG_PTR, 3> kCheckBoxBits = {3, 2, 5};
constexpr std::array<LONG_PTR, 2> kRadioButtonBits = {9, 4};
constexpr LONG_PTR kComboTypeMask = 3;

std::vector<TControlSkinnerRow>& ControlSkinners() {
  static std::vector<TControlSkinnerRow> rows;
  return rows;
}

std::vector<TWndSkinnerRow>& WndSkinners() {
  static std::vector<TWndSkinnerRow> rows;
  return rows;
}

bool HasBits(LONG_PTR style, LONG_PTR bits) {
  return (style & bits) == bits;
}

template <std::size_t N>
bool HasAnyBits(LONG_PTR style, const std::array<LONG_PTR, N>& choices) {
  for (LONG_PTR bits : choices)
    if (HasBits(style, bits)) return true;
  return false;
}

// Buttons are told apart by type: check boxes and radio buttons have their own rows, group
// boxes get no skinner.
std::string ButtonLookupName(LONG_PTR style) {
  if (HasBits(style, kGroupBoxBits)) return {};
  if (HasAnyBits(style, kCheckBoxBits)) return "BUTTON_CHECKBOX";
  if (HasAnyBits(style, kRadioButtonBits)) return "BUTTON_RADIOBUTTON";
  return "BUTTON";
}

bool IsAnimationClass(const std::string& upperClassName) {
  return upperClassName == "SYSANIMATE32" || upperClassName == "MSCTLS_PROGRESS32";
}

}  // namespace

void RegisterControlSkinners(const std::vector<TControlSkinnerRow>& rows) {
  ControlSkinners().insert(ControlSkinners().end(), rows.begin(), rows.end());
}

void RegisterWndSkinners(const std::vector<TWndSkinnerRow>& rows) {
  WndSkinners().insert(WndSkinners().end(), rows.begin(), rows.end());
}

void ClearSkinnerRegistries() {
  ControlSkinners().clear();
  WndSkinners().clear();
}

TzubSkinControl* CreateControlSkinner(tk::TControl* control, TzubSkinWindow* frame) {
  if (control == nullptr) return nullptr;
  const std::vector<TControlSkinnerRow>& rows = ControlSkinners();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row)
    if (control->InheritsFrom(row->ControlClass)) return row->Create(control, frame);
  return nullptr;
}

std::string WndSkinnerLookupName(const std::string& upperClassName, LONG_PTR style) {
  if (IsAnimationClass(upperClassName)) return {};
  if (upperClassName == "BUTTON") return ButtonLookupName(style);
  if (upperClassName == "COMBOBOX" && (style & kComboTypeMask) == CBS_SIMPLE) return {};
  return upperClassName;
}

TzubSkinControl* CreateWndSkinner(HWND wnd, TzubSkinWindow* frame) {
  const std::string className = tk::UpperCase(WindowClassName(wnd));
  if (IsAnimationClass(className)) {
    // The native push-button skinner reads this mark.
    if (frame != nullptr) frame->MarkHasAnimation();
    return nullptr;
  }
  const std::string name = WndSkinnerLookupName(className, GetWindowLongPtrW(wnd, GWL_STYLE));
  if (name.empty()) return nullptr;
  // The skinner of an extended combo box serves the combo box inside it.
  if (name == "COMBOBOXEX32") {
    wnd = GetTopWindow(wnd);
    if (wnd == nullptr) return nullptr;
  }
  for (const TWndSkinnerRow& row : WndSkinners())
    if (row.ClassName == name) return row.Create(wnd, frame);
  return nullptr;
}

}  // namespace skin
