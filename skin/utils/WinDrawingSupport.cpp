#include "WinDrawingSupport.h"

#include <algorithm>

namespace skin {

tk::TRect ClipToBitmap(const tk::TRect& r, const tk::TBitmap& bitmap) {
  return tk::Rect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bitmap.Width()),
                  std::min(r.Bottom, bitmap.Height()));
}

void CopyPixels(const tk::TBitmap& source, const tk::TRect& sourceRect, tk::TBitmap& dest) {
  const tk::TRect inside = ClipToBitmap(sourceRect, source);
  const int left = inside.Left;
  const int columns = std::min(inside.Right, sourceRect.Left + dest.Width()) - left;
  const int lastRow = std::min(inside.Bottom, sourceRect.Top + dest.Height());
  if (columns <= 0) return;
  for (int y = inside.Top; y < lastRow; ++y)
    std::copy_n(source.ScanLine(y) + left, columns,
                dest.ScanLine(y - sourceRect.Top) + (left - sourceRect.Left));
}

}  // namespace skin
