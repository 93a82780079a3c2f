#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "skin/reader/Skin2Define.h"
#include "toolkit/core/Types.h"

namespace skin {

// What the built-in skin holds, by catalogue group and index: colours, bitmap sizes, integers
// and booleans. Used to check the built-in skin package against its description.

struct TBuiltInBitmapSize {
  bool Present;
  int Width;
  int Height;
};

inline constexpr std::array<tk::TColor, kSkin2ColorCount> kBuiltInColors = {
    0xFF00FF,  // SKIN2_TRANSCOLOR
    0xFFFFFF,  // SKIN2_TITLEFONTCOLOR
    0xE8E8E8,  // SKIN2_FORMCOLOR
    0xE8C894,  // SKIN2_MENUBARSTARTCOLOR
    0xE8C894,  // SKIN2_MENUBARENDCOLOR
    0x94671F,  // SKIN2_TOPSELECTEDMENUCOLOR
    0x94671F,  // SKIN2_TOPSELECTEDMENUBORDERCOLOR
    0xFFFFFF,  // SKIN2_TOPSELECTEDMENUFONTCOLOR
    0x795316,  // SKIN2_TOPMENUFONTCOLOR
    0xBA9460,  // SKIN2_LEFTBARSTARTCOLOR
    0xBA9460,  // SKIN2_LEFTBARENDCOLOR
    0xFFF7E7,  // SKIN2_MENUITEMCOLOR
    0x795316,  // SKIN2_MENUITEMFONTCOLOR
    0x94671F,  // SKIN2_SELECTEDMENUCOLOR
    0x94671F,  // SKIN2_SELECTEDMENUBORDERCOLOR
    0xFFFFFF,  // SKIN2_SELECTEDMENUFONTCOLOR
    0xE8E8E8,  // SKIN2_TOOLBARSTARTCOLOR
    0xE8E8E8,  // SKIN2_TOOLBARENDCOLOR
    0xFBE0B5,  // SKIN2_TOOLBARONCOLOR
    0x6A2009,  // SKIN2_TOOLBARBORDERCOLOR
    0x956720,  // SKIN2_TOOLBARDOWNCOLOR
    0xFFFFFF,  // SKIN2_CONTROLCOLOR
    0x6A2009,  // SKIN2_CONTROLBORDERCOLOR
    0x000000,  // SKIN2_CONTROLFONTCOLOR
    0x000000,  // SKIN2_BUTTONFONTCOLOR
    0xF9F9F9,  // SKIN2_SCROLLBARCOLOR
    0xFFFFFF,  // SKIN2_TABCONTROLCOLOR
    0x6A2009,  // SKIN2_TABCONTROLBORDERCOLOR
    0x000000,  // SKIN2_TABCONTROLACTIVEFONTCOLOR
    0x000000,  // SKIN2_TABCONTROLINACTIVEFONTCOLOR
    0xFFFFFF,  // SKIN2_SIDECHANNELCOLOR
    0x6A2009,  // SKIN2_SIDECHANNELBORDERCOLOR
};

inline constexpr TBuiltInBitmapSize kBuiltInAbsent = {false, 0, 0};

inline constexpr std::array<TBuiltInBitmapSize, kSkin2BitmapCount> kBuiltInBitmapSizes = {{
    {true, 31, 31},   // SKIN2_TITLEBAR1
    {true, 136, 31},  // SKIN2_TITLEBAR2
    {true, 17, 31},   // SKIN2_TITLEBAR3
    {true, 13, 31},   // SKIN2_TITLEBAR4
    {true, 14, 31},   // SKIN2_TITLEBAR5
    {true, 5, 6},     // SKIN2_FORMLEFTBORDER
    {true, 5, 6},     // SKIN2_FORMRIGHTBORDER
    {true, 180, 5},   // SKIN2_FORMBOTTOMBORDER1
    kBuiltInAbsent,   // SKIN2_FORMBOTTOMBORDER2
    kBuiltInAbsent,   // SKIN2_FORMBOTTOMBORDER3
    {true, 160, 27},  // SKIN2_MINIMIZEDTITLE
    {true, 324, 18},  // SKIN2_TITLEBUTTONS
    {true, 16, 16},   // SKIN2_CHECKEDMENUICON
    kBuiltInAbsent,   // SKIN2_MENUBAR
    kBuiltInAbsent,   // SKIN2_TOOLBAR
    {true, 252, 25},  // SKIN2_BUTTON
    {true, 102, 17},  // SKIN2_CHECKBOX
    {true, 44, 11},   // SKIN2_CHECKBOXLIST
    {true, 68, 17},   // SKIN2_RADIOBUTTON
    {true, 1, 13},    // SKIN2_PROGRESSBAR1
    {true, 7, 13},    // SKIN2_PROGRESSBAR2
    {true, 7, 13},    // SKIN2_PROGRESSBAR3
    {true, 1, 13},    // SKIN2_PROGRESSBAR4
    {true, 60, 8},    // SKIN2_TRACKBAR
    {true, 11, 21},   // SKIN2_TRACKBARSLIDER
    {true, 21, 11},   // SKIN2_TRACKBARVSLIDER
    {true, 54, 18},   // SKIN2_SCROLLBARUPBUTTON
    {true, 18, 63},   // SKIN2_SCROLLBAR
    {true, 54, 18},   // SKIN2_SCROLLBARDOWNBUTTON
    {true, 60, 22},   // SKIN2_TABCONTROL
    {true, 8, 1},     // SKIN2_TABCONTROLLINE
    {true, 7, 84},    // SKIN2_SIDECHANNELBAR
    {true, 1, 21},    // SKIN2_SIDECHANNELTITLE
    {true, 80, 20},   // SKIN2_SCROLLBUTTON
}};

inline constexpr std::array<std::int32_t, kSkin2IntegerCount> kBuiltInIntegers = {
    21,  // SKIN2_TITLEBARICONPOSX
    9,   // SKIN2_TITLEBARICONPOSY
    9,   // SKIN2_TITLEBARCAPTIONTOP
    7,   // SKIN2_TITLEBARBUTTONPOSX
    9,   // SKIN2_TITLEBARBUTTONPOSY
    0,   // SKIN2_TITLEBARREGIONMINY
    5,   // SKIN2_TITLEBARREGIONMAXY
    -1,  // SKIN2_BOTTOMREGIONMINY
    -1,  // SKIN2_BOTTOMREGIONMAXY
};

inline constexpr std::array<bool, kSkin2BooleanCount> kBuiltInBooleans = {
    true,   // SKIN2_TITLEFIVESECT
    false,  // SKIN2_BOTTOMBORDERTHREESECT
    true,   // SKIN2_TITLEBARNEEDREGION
    false,  // SKIN2_BOTTOMBORDERNEEDREGION
    false,  // SKIN2_TITLEBTNTRANS
    true,   // SKIN2_BUTTONTRANS
    false,  // SKIN2_CHECKBOXTRANS
    true,   // SKIN2_RADIOBUTTONTRANS
    false,  // SKIN2_TABCONTROLTRANS
};

// Integers of the built-in skin that no catalogue position names.
struct TBuiltInExtraInteger {
  std::string_view Name;
  std::int32_t Value;
};

inline constexpr std::array<TBuiltInExtraInteger, 2> kBuiltInExtraIntegers = {{
    {"SKIN2_SYSTEMCOLOR1", 0x00FF00},
    {"SKIN2_SYSTEMCOLOR2", 0x800000},
}};

}  // namespace skin
