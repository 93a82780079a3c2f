#include "ShortCut.h"

#include <array>
#include <vector>

#include "toolkit/core/SysUtils.h"

namespace tk {

namespace {

struct TKeyName {
  WORD Key;
  std::string Name;
};

struct TModifierName {
  TShortCut Bit;
  std::string_view Prefix;
};

constexpr std::array kModifierNames{
    TModifierName{scShift, "Shift+"},
    TModifierName{scCtrl, "Ctrl+"},
    TModifierName{scAlt, "Alt+"},
};

constexpr int kFunctionKeys = 24;
constexpr int kNumpadKeys = 10;

// Every key that has a name, for both directions.
const std::vector<TKeyName>& KeyNames() {
  static const std::vector<TKeyName> names = [] {
    std::vector<TKeyName> list = {
        {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
        {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
    };
    for (char c = '0'; c <= '9'; ++c) list.push_back({static_cast<WORD>(c), std::string(1, c)});
    for (char c = 'A'; c <= 'Z'; ++c) list.push_back({static_cast<WORD>(c), std::string(1, c)});
    for (int i = 0; i < kFunctionKeys; ++i)
      list.push_back({static_cast<WORD>(VK_F1 + i), "F" + std::to_string(i + 1)});
    for (int i = 0; i < kNumpadKeys; ++i)
      list.push_back({static_cast<WORD>(VK_NUMPAD0 + i), "Num " + std::to_string(i)});
    return list;
  }();
  return names;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const WORD key = shortCut & scKeyMask;
  for (const TKeyName& name : KeyNames()) {
    if (name.Key != key) continue;
    std::string text;
    for (const TModifierName& modifier : kModifierNames)
      if ((shortCut & modifier.Bit) != 0) text += modifier.Prefix;
    return text + name.Name;
  }
  return {};
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = scNone;
  for (bool found = true; found;) {
    found = false;
    for (const TModifierName& modifier : kModifierNames) {
      if ((modifiers & modifier.Bit) != 0 || !StartsWithText(text, modifier.Prefix)) continue;
      modifiers |= modifier.Bit;
      text.remove_prefix(modifier.Prefix.size());
      found = true;
    }
  }
  for (const TKeyName& name : KeyNames())
    if (SameText(name.Name, text)) return ShortCut(name.Key, modifiers);
  return scNone;
}

TShortCut KeyboardModifiers() {
  auto down = [](int key) { return GetKeyState(key) < 0; };
  TShortCut modifiers = scNone;
  if (down(VK_SHIFT)) modifiers |= scShift;
  if (down(VK_CONTROL)) modifiers |= scCtrl;
  if (down(VK_MENU)) modifiers |= scAlt;
  return modifiers;
}

}  // namespace tk
