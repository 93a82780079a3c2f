#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/Control.h"
#include "toolkit/win/Font.h"
#include "toolkit/win/WinControl.h"

namespace skin {

// Drawing primitives on canvases and windows. None keeps state between calls and each frees
// every temporary bitmap, image list, brush and region it makes. A nil bitmap draws nothing.
// They report no errors; only running out of memory or GDI resources raises (std::bad_alloc,
// tk::EOutOfResources), which the message handler that paints catches.

// Left cap, middle and right cap, each a third of the bitmap's width, drawn at R's top in the
// bitmap's height; the middle is stretched between the caps. Transparent draws the caps with
// maskColor keyed out (the middle is opaque). A rectangle narrower than a cap gets the left
// cap's left part, opaque.
void DrawHorzThreePart(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                       tk::TColor maskColor, bool transparent);
// Top and bottom caps capHeight rows high (a third of the bitmap when 0), stretched to R's
// width, and the middle rows stretched with StretchBitmapHalftone between them. Makes the
// bitmap 24-bit. Nothing happens when R.Left < 0; a middle without rows is not drawn.
void DrawVertThreePart(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r, int capHeight);
// The same turned on its side, with capWidth-column caps and no default cap width.
void DrawHorzThreePartCaps(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                           int capWidth);
// Nine parts: four corners unscaled (maskColor keyed out when transparent), the edges and the
// middle stretched and always keyed with maskColor. Parts on the left and top are placed at
// x = 0 and y = 0, those on the right and bottom against R.Right and R.Bottom.
void DrawSectionedBitmap(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                         tk::TColor maskColor, bool transparent);
// The whole bitmap stretched into R with an averaging filter: each axis is shrunk by area
// averaging and enlarged by linear interpolation between pixel centres, on the pixels
// themselves. Only the part of R inside the canvas's clipping box is computed. A rectangle
// without pixels draws nothing.
void StretchBitmapHalftone(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r);

// Gives the window the shape of its skinned frame (see FrameRegionRects) and redraws it; the
// region then belongs to the window.
void CreateFrameRegion(HWND window, const tk::TBitmap* topBitmap, const tk::TBitmap* bottomBitmap,
                       bool useTop, bool useBottom, int topFirstRow, int topLastRow,
                       int bottomFirstRow, int bottomLastRow, tk::TColor transColor, int height,
                       int width);

// One line per row (columns for the horizontal one) from startColor to endColor with the
// pen; the pen keeps the last colour.
void DrawVerticalGradient(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor startColor,
                          tk::TColor endColor);
void DrawHorizontalGradient(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor startColor,
                            tk::TColor endColor);

// Small filled triangles with a corner at (x, y): black, or grey over a white copy moved by
// (1, 1) when disabled. Pen and brush keep the triangle's colour.
void DrawArrowDown(tk::TCanvas& canvas, int x, int y, bool enabled);
void DrawArrowUp(tk::TCanvas& canvas, int x, int y, bool enabled);
void DrawArrowLeft(tk::TCanvas& canvas, int x, int y, bool enabled);
void DrawArrowRight(tk::TCanvas& canvas, int x, int y, bool enabled);

// The brush becomes solid in color, then R is framed (one pixel) or filled.
void FrameRectColor(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color);
void FillRectColor(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color);

// A one-pixel frame in outerColor around the whole window, non-client area included, and
// when drawInner a second one in innerColor just inside it.
void DrawWindowFrame(HWND window, tk::TColor outerColor, tk::TColor innerColor, bool drawInner);

// DrawWindowFrame on the control's window (made if it has none yet).
void DrawControlWindowFrame(tk::TWinControl* control, tk::TColor outerColor, tk::TColor innerColor,
                            bool drawInner);
// A two-pixel band in color around the control's area, then a line in borderColor down its
// left edge. Painters take borderColor from the skin's SKIN2_CONTROLBORDERCOLOR.
void DrawControlFrame(tk::TControl* control, tk::TColor borderColor, tk::TColor color);

// The system's caption or menu font (the menu font also takes clMenuText); the font stays as
// it was when the system does not answer.
void SetCaptionFont(tk::TFont& font);
void SetMenuFont(tk::TFont& font);

// The text when it fits in maxWidth; else the shortest prefix followed by "..." whose width
// reaches maxWidth (so up to one character wider); the whole text when no prefix does.
// Prefixes end on character boundaries (a double-byte character or a surrogate pair is never
// split).
std::string EllipsisText(tk::TCanvas& canvas, const std::string& text, int maxWidth);
std::wstring EllipsisTextW(tk::TCanvas& canvas, const std::wstring& text, int maxWidth);
// Width of UTF-16 text in the canvas's font.
int WideTextWidth(tk::TCanvas& canvas, const std::wstring& text);

}  // namespace skin
