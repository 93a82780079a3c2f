#pragma once

#include <vector>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Types.h"

namespace skin {

// The shape of a skinned window frame, in window coordinates, as rectangles whose union is
// the window's region: the title band cut from topBitmap's transparent pixels, the opaque
// middle, and the bottom band cut from bottomBitmap, placed at height - bottom band height.
//
// A band's scanned rows run from firstRow (0 when it is -1) up to lastRow inclusive when
// firstRow < lastRow, else to the bitmap's last row; rows of the bitmap above and below the
// scanned ones are opaque across the window's width. In a scanned row every run of pixels
// that differ from transColor is opaque, so columns past the bitmap's width are outside the
// region; scanned rows outside the bitmap are opaque across the bitmap's width. A band is
// used only when its flag is set and its bitmap is not nil.
//
// Runs that repeat on consecutive rows come out as one taller rectangle; no rectangle is
// empty.
std::vector<tk::TRect> FrameRegionRects(const tk::TBitmap* topBitmap,
                                        const tk::TBitmap* bottomBitmap, bool useTop,
                                        bool useBottom, int topFirstRow, int topLastRow,
                                        int bottomFirstRow, int bottomLastRow,
                                        tk::TColor transColor, int height, int width);

}  // namespace skin
