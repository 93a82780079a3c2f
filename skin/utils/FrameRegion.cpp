#include "FrameRegion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace skin {

namespace {

constexpr int kWholeBitmapRows = -1;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// One opaque run of a row: columns [Left, Right).
struct TRun {
  int Left;
  int Right;
};

std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Collects bands of rows, each band's rows sharing one list of runs, and grows a rectangle
// downwards while the next band continues it with the same run.
class TRectMerger {
 public:
  void AddBand(std::int64_t top, std::int64_t bottom, const std::vector<TRun>& runs) {
    if (top >= bottom || runs.empty()) return;
    if (top != openBottom_) Flush();
    std::vector<tk::TRect> next;
    next.reserve(runs.size());
    std::size_t i = 0;
    for (const TRun& run : runs) {
      while (i < open_.size() && (open_[i].Left < run.Left ||
                                  (open_[i].Left == run.Left && open_[i].Right < run.Right)))
        done_.push_back(open_[i++]);
      if (i < open_.size() && open_[i].Left == run.Left && open_[i].Right == run.Right) {
        open_[i].Bottom = ClampToInt32(bottom);
        next.push_back(open_[i++]);
      } else {
        next.push_back(tk::TRect{run.Left, ClampToInt32(top), run.Right, ClampToInt32(bottom)});
      }
    }
    done_.insert(done_.end(), open_.begin() + static_cast<std::ptrdiff_t>(i), open_.end());
    open_ = std::move(next);
    openBottom_ = bottom;
  }

  void AddRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    if (left >= right) return;
    AddBand(top, bottom, {TRun{ClampToInt32(left), ClampToInt32(right)}});
  }

  std::vector<tk::TRect> Finish() {
    Flush();
    return std::move(done_);
  }

 private:
  void Flush() {
    done_.insert(done_.end(), open_.begin(), open_.end());
    open_.clear();
  }

  std::vector<tk::TRect> done_;
  std::vector<tk::TRect> open_;  // sorted by Left; every one ends at openBottom_
  std::int64_t openBottom_ = std::numeric_limits<std::int64_t>::min();
};

// The opaque runs of bitmap row y.
void ScanRow(const tk::TBitmap& bitmap, int y, tk::TColor transColor, std::vector<TRun>& runs) {
  runs.clear();
  const int width = bitmap.Width();
  const std::uint32_t* row = bitmap.ScanLine(y);
  // A colour with a top byte never equals a pixel's colour: the whole row is opaque.
  const bool keyed = (static_cast<std::uint32_t>(transColor) & ~kRgbMask) == 0;
  const std::uint32_t key = tk::TBitmap::ColorToPixel(transColor);
  auto isTransparent = [&](int x) { return keyed && (row[x] & kRgbMask) == key; };
  int x = 0;
  while (x < width) {
    while (x < width && isTransparent(x)) ++x;
    const int start = x;
    while (x < width && !isTransparent(x)) ++x;
    if (start < x) runs.push_back(TRun{start, x});
  }
}

// One band of the frame: the bitmap's rows, placed at y0.
void AddBitmapBand(TRectMerger& merger, const tk::TBitmap& bitmap, int firstRow, int lastRow,
                   tk::TColor transColor, std::int64_t y0, int width) {
  const std::int64_t bitmapHeight = bitmap.Height();
  const std::int64_t first = firstRow == kWholeBitmapRows ? 0 : firstRow;
  const std::int64_t last =
      firstRow < lastRow ? static_cast<std::int64_t>(lastRow) + 1 : bitmapHeight;
  if (firstRow >= 1) merger.AddRect(0, y0, width, y0 + firstRow);

  // Rows outside the bitmap have no transparent pixel: one run over the bitmap's width.
  const std::int64_t inFirst = std::clamp<std::int64_t>(first, 0, bitmapHeight);
  const std::int64_t inLast = std::clamp<std::int64_t>(last, 0, bitmapHeight);
  merger.AddRect(0, y0 + first, bitmap.Width(), y0 + std::min(last, inFirst));
  std::vector<TRun> runs;
  for (std::int64_t y = inFirst; y < inLast; ++y) {
    ScanRow(bitmap, static_cast<int>(y), transColor, runs);
    merger.AddBand(y0 + y, y0 + y + 1, runs);
  }
  merger.AddRect(0, y0 + std::max(first, inLast), bitmap.Width(), y0 + last);

  if (bitmapHeight > last) merger.AddRect(0, y0 + last, width, y0 + bitmapHeight);
}

}  // namespace

std::vector<tk::TRect> FrameRegionRects(const tk::TBitmap* topBitmap,
                                        const tk::TBitmap* bottomBitmap, bool useTop,
                                        bool useBottom, int topFirstRow, int topLastRow,
                                        int bottomFirstRow, int bottomLastRow,
                                        tk::TColor transColor, int height, int width) {
  const bool top = useTop && topBitmap != nullptr;
  const bool bottom = useBottom && bottomBitmap != nullptr;
  const std::int64_t topHeight = top ? topBitmap->Height() : 0;
  const std::int64_t bottomHeight = bottom ? bottomBitmap->Height() : 0;
  TRectMerger merger;
  if (top) AddBitmapBand(merger, *topBitmap, topFirstRow, topLastRow, transColor, 0, width);
  merger.AddRect(0, topHeight, width, height - bottomHeight);
  if (bottom)
    AddBitmapBand(merger, *bottomBitmap, bottomFirstRow, bottomLastRow, transColor,
                  height - bottomHeight, width);
  return merger.Finish();
}

}  // namespace skin
