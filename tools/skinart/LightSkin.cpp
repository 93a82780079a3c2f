#include "tools/skinart/Skins.h"

namespace skinart {

// A light skin: a white and pale steel-blue frame with three-pixel borders, a 24-pixel title,
// 13-pixel check boxes and radio buttons.
SkinDesign LightSkin() {
  SkinDesign design;
  design.name = "light";
  design.title = "Orvandel light skin: pale frame with narrow borders, small boxes";
  design.palette = {
      .edge = Rgb(0x8A9AB0),
      .shine = Rgb(0xFFFFFF),
      .captionTop = Rgb(0xFFFFFF),
      .captionBottom = Rgb(0xCCDCF0),
      .fillerTop = Rgb(0xF4F7FB),
      .fillerBottom = Rgb(0xE2E9F2),
      .borderLight = Rgb(0xFFFFFF),
      .border = Rgb(0xE2E9F2),
      .borderDark = Rgb(0xB4C2D4),
      .buttonEdge = Rgb(0x9AAAC0),
      .buttonTop = Rgb(0xFFFFFF),
      .buttonBottom = Rgb(0xE4EAF2),
      .buttonHotTop = Rgb(0xF0F8FF),
      .buttonHotBottom = Rgb(0xC4DCF4),
      .buttonDownTop = Rgb(0xB0C8E4),
      .buttonDownBottom = Rgb(0xDCE8F6),
      .closeHotTop = Rgb(0xFFB0A8),
      .closeHotBottom = Rgb(0xE85040),
      .closeDownTop = Rgb(0xC03828),
      .closeDownBottom = Rgb(0xE07060),
      .glyph = Rgb(0x3A4A60),
      .glyphShadow = Rgb(0xFFFFFF),
      .faceEdge = Rgb(0x9AAAC0),
      .faceTop = Rgb(0xFFFFFF),
      .faceBottom = Rgb(0xE6EBF1),
      .hotEdge = Rgb(0x4A90D8),
      .hotTop = Rgb(0xF6FBFF),
      .hotBottom = Rgb(0xD4E8FA),
      .downTop = Rgb(0xC8DAEE),
      .downBottom = Rgb(0xE8F0FA),
      .field = Rgb(0xFFFFFF),
      .mark = Rgb(0x2A70C0),
      .disabledEdge = Rgb(0xC8CED6),
      .disabledField = Rgb(0xF0F2F4),
      .disabledMark = Rgb(0xC0C6CE),
      .accentTop = Rgb(0x7CC0F8),
      .accentBottom = Rgb(0x2A80D8),
  };
  design.style = {.titleHeight = 24,
                  .cornerRadius = 4,
                  .borderWidth = 3,
                  .sideHeight = 4,
                  .bottomRadius = 0,
                  .buttonSize = 16};
  design.sizes = {
      .titleWidths = {28, 100, 12, 10, 10},
      .bottomWidths = {90, 0, 0},
      .minimizedTitle = {140, 22},
      .menuBar = {},
      .toolBar = {},
      .buttonFrame = {70, 21},
      .checkBox = 13,
      .listCheckBox = 9,
      .radioButton = 13,
      .progressEnd = {1, 11},
      .progressPart = {5, 11},
      .track = {36, 6},
      .slider = {9, 17},
      .scrollArrow = 15,
      .scrollThumb = {15, 42},
      .tabFrame = {24, 20},
      .tabLineWidth = 6,
      .sideChannelCell = {6, 18},
      .sideChannelTitle = {1, 18},
      .scrollButton = 16,
      .menuCheck = 16,
  };
  design.colors = {Rgb(0xFF00FF), Rgb(0x203048), Rgb(0xF4F6F9), Rgb(0xFFFFFF), Rgb(0xE8EEF5),
                   Rgb(0xD4E8FA), Rgb(0x4A90D8), Rgb(0x102038), Rgb(0x203048), Rgb(0xE8EEF5),
                   Rgb(0xE8EEF5), Rgb(0xFFFFFF), Rgb(0x203048), Rgb(0xD4E8FA), Rgb(0x4A90D8),
                   Rgb(0x102038), Rgb(0xFFFFFF), Rgb(0xECF0F6), Rgb(0xD4E8FA), Rgb(0x4A90D8),
                   Rgb(0xB0CCEC), Rgb(0xFFFFFF), Rgb(0x9AAAC0), Rgb(0x203048), Rgb(0x203048),
                   Rgb(0xEEF1F5), Rgb(0xFFFFFF), Rgb(0x9AAAC0), Rgb(0x102038), Rgb(0x606C7C),
                   Rgb(0xFFFFFF), Rgb(0x9AAAC0)};
  // Icon at (6, 4), caption top 5, buttons 4 from the right at 4, title region rows 0-3,
  // no bottom region.
  design.integers = {6, 4, 5, 4, 4, 0, 3, -1, -1};
  design.booleans = {true, false, true, false, false, true, false, true, false};
  return design;
}

}  // namespace skinart
