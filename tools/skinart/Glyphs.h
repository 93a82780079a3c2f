#pragma once

#include "tools/skinart/Paint.h"

// The small pictures drawn onto buttons and boxes, as pixel patterns.
namespace skinart::glyphs {

// Caption-button glyphs, 8 x 8.
extern const Pattern kClose;
extern const Pattern kMaximize;
extern const Pattern kRestore;
extern const Pattern kMinimize;
extern const Pattern kHelp;

// Check mark 8 x 7, and the smaller one for little boxes, 6 x 5.
extern const Pattern kCheck;
extern const Pattern kSmallCheck;

// Arrows pointing up, 7 x 4 and 5 x 3.
extern const Pattern kArrowUp;
extern const Pattern kSmallArrowUp;

// Three ridges of a scroll-bar grip, 6 x 5.
extern const Pattern kGrip;

// The pattern upside down.
Pattern FlipVertical(const Pattern& pattern);
// The pattern mirrored along its main diagonal: an up arrow becomes a left arrow.
Pattern Transpose(const Pattern& pattern);
// The pattern mirrored left to right.
Pattern FlipHorizontal(const Pattern& pattern);

}  // namespace skinart::glyphs
