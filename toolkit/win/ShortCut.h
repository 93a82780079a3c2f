#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tk {

// A key combination that runs a menu item: a virtual-key code in the low byte and the
// modifier bits above it. 0 stands for no shortcut.
using TShortCut = std::uint16_t;

inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scModifiers = scShift | scCtrl | scAlt;
inline constexpr TShortCut scKeyMask = 0x00FF;

// The shortcut of key with the modifier bits of modifiers (other bits are dropped).
constexpr TShortCut ShortCut(WORD key, TShortCut modifiers) {
  return static_cast<TShortCut>((key & scKeyMask) | (modifiers & scModifiers));
}

// "Shift+", "Ctrl+" and "Alt+", in that order, before the key's name: letters and digits as
// themselves, "F1" to "F24", "Num 0" to "Num 9", and short names such as "PgUp" or "Del".
// A key without a name, and scNone, give "".
std::string ShortCutToText(TShortCut shortCut);
// The inverse of ShortCutToText, ignoring case and the order of the modifiers; scNone for
// text that names no key.
TShortCut TextToShortCut(std::string_view text);

// The modifier bits of the keys Shift, Ctrl and Alt as this thread's keyboard state holds
// them while it handles a key message.
TShortCut KeyboardModifiers();

}  // namespace tk
