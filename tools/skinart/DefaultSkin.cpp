#include "tools/skinart/Skins.h"

namespace skinart {

// The built-in skin: a blue title on a blue frame, silver controls with blue accents.
SkinDesign DefaultSkin() {
  SkinDesign design;
  design.name = "default";
  design.title = "Orvandel default skin: blue title and frame, silver controls";
  design.palette = {
      .edge = Rgb(0x09206A),
      .shine = Rgb(0x8CC4F0),
      .captionTop = Rgb(0x2E7BC4),
      .captionBottom = Rgb(0x124A8C),
      .fillerTop = Rgb(0x5A9CD8),
      .fillerBottom = Rgb(0x2A68AC),
      .borderLight = Rgb(0x6FA8DC),
      .border = Rgb(0x2A68AC),
      .borderDark = Rgb(0x123E7A),
      .buttonEdge = Rgb(0x0C2E6E),
      .buttonTop = Rgb(0x9CC8F0),
      .buttonBottom = Rgb(0x3A7CC0),
      .buttonHotTop = Rgb(0xC4E2FF),
      .buttonHotBottom = Rgb(0x5C9CE0),
      .buttonDownTop = Rgb(0x245CA0),
      .buttonDownBottom = Rgb(0x5A94D0),
      .closeHotTop = Rgb(0xF09080),
      .closeHotBottom = Rgb(0xC83020),
      .closeDownTop = Rgb(0x902014),
      .closeDownBottom = Rgb(0xD0503C),
      .glyph = Rgb(0xFFFFFF),
      .glyphShadow = Rgb(0x0C2E6E),
      .faceEdge = Rgb(0x4A648C),
      .faceTop = Rgb(0xFFFFFF),
      .faceBottom = Rgb(0xD4DAE2),
      .hotEdge = Rgb(0x2A68AC),
      .hotTop = Rgb(0xF4FAFF),
      .hotBottom = Rgb(0xB5D6F4),
      .downTop = Rgb(0xA8C4E0),
      .downBottom = Rgb(0xE0ECF8),
      .field = Rgb(0xFFFFFF),
      .mark = Rgb(0x124A8C),
      .disabledEdge = Rgb(0xA8B0BC),
      .disabledField = Rgb(0xEEEEEE),
      .disabledMark = Rgb(0xA8B0BC),
      .accentTop = Rgb(0x5AA8F0),
      .accentBottom = Rgb(0x1F67B4),
  };
  design.style = {.titleHeight = 31,
                  .cornerRadius = 6,
                  .borderWidth = 5,
                  .sideHeight = 6,
                  .bottomRadius = 0,
                  .buttonSize = 18};
  design.sizes = {
      .titleWidths = {31, 136, 17, 13, 14},
      .bottomWidths = {180, 0, 0},
      .minimizedTitle = {160, 27},
      .menuBar = {},
      .toolBar = {},
      .buttonFrame = {84, 25},
      .checkBox = 17,
      .listCheckBox = 11,
      .radioButton = 17,
      .progressEnd = {1, 13},
      .progressPart = {7, 13},
      .track = {60, 8},
      .slider = {11, 21},
      .scrollArrow = 18,
      .scrollThumb = {18, 63},
      .tabFrame = {30, 22},
      .tabLineWidth = 8,
      .sideChannelCell = {7, 21},
      .sideChannelTitle = {1, 21},
      .scrollButton = 20,
      .menuCheck = 16,
  };
  // Colours in the platform layout 0x00BBGGRR, in catalogue order.
  design.colors = {0xFF00FF, 0xFFFFFF, 0xE8E8E8, 0xE8C894, 0xE8C894, 0x94671F, 0x94671F, 0xFFFFFF,
                   0x795316, 0xBA9460, 0xBA9460, 0xFFF7E7, 0x795316, 0x94671F, 0x94671F, 0xFFFFFF,
                   0xE8E8E8, 0xE8E8E8, 0xFBE0B5, 0x6A2009, 0x956720, 0xFFFFFF, 0x6A2009, 0x000000,
                   0x000000, 0xF9F9F9, 0xFFFFFF, 0x6A2009, 0x000000, 0x000000, 0xFFFFFF, 0x6A2009};
  design.systemColors = {0x00FF00, 0x800000};
  // Icon at (21, 9), caption top 9, buttons 7 from the right at 9, title region rows 0-5,
  // no bottom region.
  design.integers = {21, 9, 9, 7, 9, 0, 5, -1, -1};
  // Five-section title with a region, one bottom piece, opaque caption buttons, check boxes
  // and tabs, push buttons and radio buttons cut with the colour key.
  design.booleans = {true, false, true, false, false, true, false, true, false};
  return design;
}

}  // namespace skinart
