#pragma once

#include <cstdint>

#include "toolkit/core/Types.h"

// What distinguishes one drawn skin from another: its colours and the frame's measurements.
namespace skinart {

using tk::TColor;

// A colour written the way colour pickers show it, 0xRRGGBB.
constexpr TColor Rgb(std::uint32_t rgb) {
  return tk::RGBColor(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                      static_cast<std::uint8_t>(rgb));
}

struct Palette {
  TColor key = tk::clNone;  // the transparent colour, taken from the skin's colours

  // Window frame.
  TColor edge;                             // outermost outline
  TColor shine;                            // highlight just inside the outline
  TColor captionTop, captionBottom;        // title behind the icon and the caption
  TColor fillerTop, fillerBottom;          // the rest of the title
  TColor borderLight, border, borderDark;  // side and bottom borders, outside to inside

  // Caption buttons.
  TColor buttonEdge, buttonTop, buttonBottom;
  TColor buttonHotTop, buttonHotBottom, buttonDownTop, buttonDownBottom;
  TColor closeHotTop, closeHotBottom, closeDownTop, closeDownBottom;
  TColor glyph, glyphShadow;

  // Controls.
  TColor form = tk::clNone;  // the form colour around controls, taken from the colours
  TColor faceEdge, faceTop, faceBottom;
  TColor hotEdge, hotTop, hotBottom;
  TColor downTop, downBottom;
  TColor field;  // inside of boxes and channels
  TColor mark;   // check marks, dots and arrows
  TColor disabledEdge, disabledField, disabledMark;
  TColor accentTop, accentBottom;  // progress fill and the active tab's top line
};

// The title pictures, from the left.
enum class TitlePart { kLeft, kCaption, kTransition, kFiller, kRight };

struct FrameStyle {
  int titleHeight;
  int cornerRadius;  // top corners of the title, cut with the transparent colour
  int borderWidth;   // side borders; the bottom border is as high
  int sideHeight;    // height of the side-border pictures (they are stretched)
  int bottomRadius;  // bottom corners; 0 keeps them square
  int buttonSize;    // caption buttons are square
};

}  // namespace skinart
