#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/skinart/SkinDraft.h"
#include "tools/skinart/Style.h"

namespace skinart {

struct Size {
  int width = 0;
  int height = 0;
};

// The measurements of a skin's pictures; a zero size leaves the element out.
struct Sizes {
  std::array<int, 5> titleWidths;  // SKIN2_TITLEBAR1..5
  // SKIN2_FORMBOTTOMBORDER1..3; a skin with one bottom piece gives only the first width.
  std::array<int, 3> bottomWidths;
  Size minimizedTitle;
  Size menuBar;
  Size toolBar;
  Size buttonFrame;
  int checkBox;
  int listCheckBox;
  int radioButton;
  Size progressEnd;
  Size progressPart;
  Size track;
  Size slider;  // of the horizontal bar; the vertical one is turned
  int scrollArrow;
  Size scrollThumb;
  Size tabFrame;
  int tabLineWidth;
  Size sideChannelCell;
  Size sideChannelTitle;
  int scrollButton;
  int menuCheck;
};

// Everything that makes one skin.
struct SkinDesign {
  std::string name;   // folder and package name
  std::string title;  // first line of the manifest
  Palette palette;    // key and form are taken from colors
  FrameStyle style;
  Sizes sizes;
  std::array<TColor, 32> colors;         // catalogue order
  std::array<std::int32_t, 9> integers;  // catalogue order
  std::array<bool, 9> booleans;          // catalogue order
  // SKIN2_SYSTEMCOLOR1 and 2, stored after the colours; empty for none.
  std::vector<TColor> systemColors;
};

SkinDesign DefaultSkin();
SkinDesign DarkSkin();
SkinDesign LightSkin();
// Every skin skinart draws.
std::vector<SkinDesign> AllSkins();

// Draws every picture of the skin and lists the elements in packing order: the bitmaps in
// catalogue order, then the colours, the system colours, the integers and the booleans.
SkinDraft Draw(const SkinDesign& design);

}  // namespace skinart
