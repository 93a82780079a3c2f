#pragma once

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"

namespace skin {

// Copies the index-th (1-based) of count equal frames of a horizontal strip into dest, which
// takes the frame's size. Nothing happens when strip is nil or count is not positive. Columns
// past count frames are never read; parts of a frame that lie outside the strip (an index out
// of 1..count) come out black.
void ExtractFrame(const tk::TBitmap* strip, tk::TBitmap* dest, int count, int index);

// Makes the bitmap 24-bit (alpha bytes dropped) and sets every pixel equal to oldColor to newColor
// (a system colour is resolved first). A colour with a non-zero top byte never equals a pixel.
void ReplaceBitmapColor(tk::TBitmap* bitmap, tk::TColor oldColor, tk::TColor newColor);

// In place. A quarter turn swaps width and height. Nil is left alone.
// Anticlockwise: source pixel (x, y) goes to (y, width - 1 - x).
void RotateBitmap90CCW(tk::TBitmap* bitmap);
// Half turn: (x, y) goes to (width - 1 - x, height - 1 - y).
void RotateBitmap180(tk::TBitmap* bitmap);
// Clockwise: (x, y) goes to (height - 1 - y, x).
void RotateBitmap90CW(tk::TBitmap* bitmap);

// Copies rows firstRow .. firstRow + dest's height - 1 of source 1:1 into dest at row 0,
// column 0; pixels of dest that the source does not cover keep their value.
void CopyRows(const tk::TBitmap& source, tk::TBitmap& dest, int firstRow);

// Marks the bitmap 24-bit, dropping the alpha byte of every pixel.
void ConvertTo24Bit(tk::TBitmap& bitmap);

}  // namespace skin
