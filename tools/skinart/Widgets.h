#pragma once

#include "tools/skinart/Paint.h"
#include "tools/skinart/Style.h"

// Pictures of the skinned controls. Where a picture has corners, outside names the colour
// they are filled with: the transparent colour when the skin draws that picture with its
// colour key, the form colour when it draws it opaque.
namespace skinart {

// Push button: frames normal, hot, pressed side by side.
Picture PushButtons(const Palette& palette, int frameWidth, int height, TColor outside);

// Check boxes: checked, grayed, unchecked, then the same three disabled; square frames.
Picture CheckBoxes(const Palette& palette, int size, TColor outside);
// The small list check boxes, filling their frames: checked, unchecked, then both disabled.
Picture ListCheckBoxes(const Palette& palette, int size);
// Radio buttons: checked, unchecked, then both disabled; always cut with the colour key.
Picture RadioButtons(const Palette& palette, int size);
// The check mark before checked menu items, on the colour key.
Picture MenuCheck(const Palette& palette, int size);

// Scroll-bar arrow button: normal, hot, pressed; the arrow points up or down.
Picture ScrollArrows(const Palette& palette, int size, bool up);
// The vertical scroll-bar thumb: caps, bodies and a grip in the middle.
Picture ScrollThumb(const Palette& palette, int width, int height);
// Four square arrow buttons: up, down, left, right.
Picture ScrollButtons(const Palette& palette, int size);

// Progress bar: an end piece, the filled part and the empty part.
Picture ProgressEnd(const Palette& palette, int width, int height);
Picture ProgressFill(const Palette& palette, int width, int height);
Picture ProgressEmpty(const Palette& palette, int width, int height);

// Track-bar channel in three equal parts: left cap, middle, right cap.
Picture Track(const Palette& palette, int width, int height);
// Track-bar slider pointing down (horizontal bar) or right (vertical bar).
Picture Slider(const Palette& palette, int width, int height, bool vertical);

// Tabs: frame 1 active (in the form colour, like the page), frame 2 inactive, each in three
// parts.
Picture Tabs(const Palette& palette, int frameWidth, int height, TColor outside);
// The line along the tabs' edge of the page.
Picture TabLine(const Palette& palette, int width);

// The side channel: four stacked cells (open and close arrows, normal and hot) and its title.
Picture SideChannelBar(const Palette& palette, int width, int cellHeight);
Picture SideChannelTitle(const Palette& palette, int width, int height);

// A plain bar background: a vertical gradient with a light top and a dark bottom line.
Picture Bar(int width, int height, TColor top, TColor bottom);

}  // namespace skinart
