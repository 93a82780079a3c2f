#pragma once

#include "tools/skinart/Paint.h"
#include "tools/skinart/Style.h"

// The window-frame pictures: title pieces, borders, the minimized title and the caption
// buttons.
namespace skinart {

// Number of frames in the caption-button strip and where each button's three frames
// (normal, hot, pressed) start, counted from 0.
inline constexpr int kTitleButtonFrames = 18;
inline constexpr int kStatesPerButton = 3;
enum class CaptionButton {
  kBlank = 0,
  kHelp = 3,
  kMaximize = 6,
  kRestore = 9,
  kMinimize = 12,
  kClose = 15
};

// One title piece of the given width, style.titleHeight high. The left and right pieces carry
// the window's outline and the rounded top corners.
Picture TitlePiece(const Palette& palette, const FrameStyle& style, TitlePart part, int width);
// The title colour of part's background at row y (what lies behind the caption buttons).
TColor TitleRow(const Palette& palette, const FrameStyle& style, TitlePart part, int y);

// The minimized window's title, stretched over the whole minimized window.
Picture MinimizedTitle(const Palette& palette, const FrameStyle& style, int width, int height);

// A side border, style.borderWidth x style.sideHeight; left is mirrored to right.
Picture SideBorder(const Palette& palette, const FrameStyle& style, bool left);
// The bottom border of a window width pixels wide, style.borderWidth high, with the window's
// bottom corners at both ends.
Picture BottomBorder(const Palette& palette, const FrameStyle& style, int width);

// The caption-button strip: kTitleButtonFrames square frames of style.buttonSize, for
// buttons whose top is at row top of the title. Transparent buttons have their corners in the
// transparent colour, opaque ones show the title there.
Picture TitleButtons(const Palette& palette, const FrameStyle& style, int top, bool transparent);

}  // namespace skinart
