#pragma once

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"

namespace skin {

// Copies sourceRect of source 1:1 into dest from (0, 0), as far as dest holds it; pixels of the
// rectangle outside the source leave dest as it was.
void CopyPixels(const tk::TBitmap& source, const tk::TRect& sourceRect, tk::TBitmap& dest);

// The part of r inside the bitmap.
tk::TRect ClipToBitmap(const tk::TRect& r, const tk::TBitmap& bitmap);

}  // namespace skin
