#pragma once

// Drawing and skin resources: colour arithmetic and gradients, pixel operations on bitmaps,
// the frame region's rectangles, the resources cut from skin bitmaps once per skin and, on
// Windows, drawing on canvases and windows.
#include "skin/utils/ColorUtils.h"
#include "skin/utils/FrameRegion.h"
#include "skin/utils/PixelUtils.h"
#include "skin/utils/SkinRes.h"

#ifdef _WIN32
#include "skin/utils/WinDrawing.h"
#include "skin/utils/WinWindowUtils.h"
#endif
