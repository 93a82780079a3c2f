#include "tools/skinart/Skins.h"

namespace skinart {

// A dark graphite skin with orange accents: a three-section title, a three-section bottom
// border with rounded corners cut by a region, transparent caption buttons, and pictures for
// the menu bar and the tool bar.
SkinDesign DarkSkin() {
  SkinDesign design;
  design.name = "dark";
  design.title = "Orvandel dark skin: graphite frame and controls, orange accents";
  design.palette = {
      .edge = Rgb(0x0A0A0C),
      .shine = Rgb(0x50545C),
      .captionTop = Rgb(0x3A3D44),
      .captionBottom = Rgb(0x222429),
      .fillerTop = Rgb(0x3A3D44),
      .fillerBottom = Rgb(0x222429),
      .borderLight = Rgb(0x4A4D55),
      .border = Rgb(0x2E3036),
      .borderDark = Rgb(0x18191C),
      .buttonEdge = Rgb(0x101012),
      .buttonTop = Rgb(0x4A4E58),
      .buttonBottom = Rgb(0x30333A),
      .buttonHotTop = Rgb(0x606674),
      .buttonHotBottom = Rgb(0x404450),
      .buttonDownTop = Rgb(0x202228),
      .buttonDownBottom = Rgb(0x383B44),
      .closeHotTop = Rgb(0xE05040),
      .closeHotBottom = Rgb(0xA0281C),
      .closeDownTop = Rgb(0x701810),
      .closeDownBottom = Rgb(0xB03828),
      .glyph = Rgb(0xE8E8EC),
      .glyphShadow = Rgb(0x08080A),
      .faceEdge = Rgb(0x121316),
      .faceTop = Rgb(0x50545E),
      .faceBottom = Rgb(0x383B43),
      .hotEdge = Rgb(0xE08A20),
      .hotTop = Rgb(0x5E626E),
      .hotBottom = Rgb(0x424650),
      .downTop = Rgb(0x26282E),
      .downBottom = Rgb(0x3C3F48),
      .field = Rgb(0x1C1D21),
      .mark = Rgb(0xF09A30),
      .disabledEdge = Rgb(0x3C3E44),
      .disabledField = Rgb(0x282A2E),
      .disabledMark = Rgb(0x5A5C62),
      .accentTop = Rgb(0xF5A640),
      .accentBottom = Rgb(0xC86E10),
  };
  design.style = {.titleHeight = 28,
                  .cornerRadius = 5,
                  .borderWidth = 6,
                  .sideHeight = 6,
                  .bottomRadius = 4,
                  .buttonSize = 16};
  design.sizes = {
      .titleWidths = {40, 24, 60, 0, 0},
      .bottomWidths = {20, 8, 20},
      .minimizedTitle = {160, 26},
      .menuBar = {8, 22},
      .toolBar = {8, 28},
      .buttonFrame = {60, 23},
      .checkBox = 17,
      .listCheckBox = 11,
      .radioButton = 17,
      .progressEnd = {2, 14},
      .progressPart = {8, 14},
      .track = {45, 7},
      .slider = {11, 19},
      .scrollArrow = 17,
      .scrollThumb = {17, 45},
      .tabFrame = {36, 24},
      .tabLineWidth = 8,
      .sideChannelCell = {7, 21},
      .sideChannelTitle = {1, 21},
      .scrollButton = 20,
      .menuCheck = 16,
  };
  design.colors = {Rgb(0xFF00FF), Rgb(0xE8E8EC), Rgb(0x2B2D32), Rgb(0x36383E), Rgb(0x26282D),
                   Rgb(0xC86E10), Rgb(0xF09A30), Rgb(0xFFFFFF), Rgb(0xDCDCE0), Rgb(0x3A3D44),
                   Rgb(0x222429), Rgb(0x2E3036), Rgb(0xDCDCE0), Rgb(0xC86E10), Rgb(0xF09A30),
                   Rgb(0xFFFFFF), Rgb(0x36383E), Rgb(0x26282D), Rgb(0x4A4E58), Rgb(0xF09A30),
                   Rgb(0x202228), Rgb(0x1C1D21), Rgb(0x5A5E68), Rgb(0xDCDCE0), Rgb(0xE8E8EC),
                   Rgb(0x24262A), Rgb(0x1C1D21), Rgb(0x5A5E68), Rgb(0xF09A30), Rgb(0xA0A2A8),
                   Rgb(0x24262A), Rgb(0x5A5E68)};
  // Icon at (8, 6), caption top 7, buttons 6 from the right at 6, title region rows 0-4,
  // bottom region rows 2-5 (the rounded bottom corners).
  design.integers = {8, 6, 7, 6, 6, 0, 4, 2, 5};
  // Three-section title, three-section bottom, both with regions; every picture with corners
  // is drawn with the colour key.
  design.booleans = {false, true, true, true, true, true, true, true, true};
  return design;
}

}  // namespace skinart
