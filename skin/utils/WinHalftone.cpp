#include <algorithm>
#include <cstdint>
#include <vector>

#include "WinDrawing.h"

namespace skin {

namespace {

constexpr int kChannels = 3;
constexpr int kChannelBits = 8;
constexpr std::uint32_t kChannelMask = 0xFF;
// Weights are fixed-point with kWeightBits fraction bits and sum to exactly kWeightOne per
// output pixel; the pass across keeps kCarryBits of fraction for the pass down.
constexpr int kWeightBits = 14;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;
constexpr int kCarryBits = 8;
constexpr int kAcrossShift = kWeightBits - kCarryBits;
constexpr int kFinalShift = kWeightBits + kCarryBits;
constexpr std::uint32_t kFinalRounding = 1u << (kFinalShift - 1);

// For each output pixel of one axis, the source pixels it takes (Count of them from First)
// and their weights, which start at Offset in the shared weight list.
struct TAxis {
  struct TTaps {
    int First;
    int Count;
    std::size_t Offset;
  };
  std::vector<TTaps> Taps;
  std::vector<std::uint32_t> Weights;

  // Exact fractions numerator / denominator of one pixel, the rounding put on the last tap.
  void Add(int first, const std::vector<std::int64_t>& numerators, std::int64_t denominator) {
    Taps.push_back(TTaps{first, static_cast<int>(numerators.size()), Weights.size()});
    std::uint32_t total = 0;
    for (std::size_t k = 0; k + 1 < numerators.size(); ++k) {
      const auto weight = static_cast<std::uint32_t>(numerators[k] * kWeightOne / denominator);
      Weights.push_back(weight);
      total += weight;
    }
    Weights.push_back(kWeightOne - total);
  }
};

// Shrinking: output pixel i covers source span [i * s / d, (i + 1) * s / d) and takes each source
// pixel by the length it overlaps, counted in units of 1 / d of a source pixel.
void AddAreaTaps(TAxis& axis, int index, int sourceSize, int destSize) {
  const std::int64_t begin = static_cast<std::int64_t>(index) * sourceSize;
  const std::int64_t end = begin + sourceSize;
  const int first = static_cast<int>(begin / destSize);
  const int last = static_cast<int>((end - 1) / destSize);
  std::vector<std::int64_t> overlaps;
  for (int j = first; j <= last; ++j)
    overlaps.push_back(std::min(end, static_cast<std::int64_t>(j + 1) * destSize) -
                       std::max(begin, static_cast<std::int64_t>(j) * destSize));
  axis.Add(first, overlaps, sourceSize);
}

// Enlarging: output pixel i's centre lies at (i + 0.5) * s / d - 0.5 in source pixels, counted
// in units of 1 / 2d; it mixes the two source pixels around that point, and takes the edge
// pixel alone beyond the outer centres.
void AddLinearTaps(TAxis& axis, int index, int sourceSize, int destSize) {
  const std::int64_t position = (2 * static_cast<std::int64_t>(index) + 1) * sourceSize - destSize;
  const std::int64_t scale = 2 * static_cast<std::int64_t>(destSize);
  const std::int64_t first = position <= 0 ? 0 : position / scale;
  if (position <= 0 || first >= sourceSize - 1) {
    axis.Add(static_cast<int>(std::min<std::int64_t>(first, sourceSize - 1)), {1}, 1);
    return;
  }
  const std::int64_t fraction = position % scale;
  axis.Add(static_cast<int>(first), {scale - fraction, fraction}, scale);
}

// Output pixels from .. to - 1 of an axis scaled from sourceSize to destSize.
TAxis MakeAxis(int from, int to, int sourceSize, int destSize) {
  TAxis axis;
  for (int i = from; i < to; ++i) {
    if (destSize < sourceSize)
      AddAreaTaps(axis, i, sourceSize, destSize);
    else if (destSize > sourceSize)
      AddLinearTaps(axis, i, sourceSize, destSize);
    else
      axis.Add(i, {1}, 1);
  }
  return axis;
}

// Resamples the source into dest (columns x rows output pixels): across each needed source
// row first, keeping a fraction, then down, rounding once at the end.
void Resample(const tk::TBitmap& source, const TAxis& columns, const TAxis& rows,
              tk::TBitmap& dest) {
  const std::size_t values = columns.Taps.size() * kChannels;
  const int firstRow = rows.Taps.front().First;
  const int lastRow = rows.Taps.back().First + rows.Taps.back().Count;
  std::vector<std::uint32_t> across(static_cast<std::size_t>(lastRow - firstRow) * values);
  for (int y = firstRow; y < lastRow; ++y) {
    const std::uint32_t* line = source.ScanLine(y);
    std::uint32_t* out = &across[static_cast<std::size_t>(y - firstRow) * values];
    for (const TAxis::TTaps& taps : columns.Taps) {
      std::uint32_t sum[kChannels] = {};
      for (int k = 0; k < taps.Count; ++k) {
        const std::uint32_t pixel = line[taps.First + k];
        const std::uint32_t weight = columns.Weights[taps.Offset + k];
        for (int c = 0; c < kChannels; ++c)
          sum[c] += weight * (pixel >> (c * kChannelBits) & kChannelMask);
      }
      for (int c = 0; c < kChannels; ++c) *out++ = sum[c] >> kAcrossShift;
    }
  }
  std::vector<std::uint32_t> down(values);
  for (int y = 0; y < dest.Height(); ++y) {
    const TAxis::TTaps& taps = rows.Taps[static_cast<std::size_t>(y)];
    std::fill(down.begin(), down.end(), kFinalRounding);
    for (int k = 0; k < taps.Count; ++k) {
      const std::uint32_t weight = rows.Weights[taps.Offset + k];
      const std::uint32_t* in =
          &across[static_cast<std::size_t>(taps.First - firstRow + k) * values];
      for (std::size_t v = 0; v < values; ++v) down[v] += weight * in[v];
    }
    std::uint32_t* line = dest.ScanLine(y);
    for (std::size_t x = 0; x < columns.Taps.size(); ++x) {
      const std::uint32_t* channel = &down[x * kChannels];
      std::uint32_t pixel = 0;
      for (int c = kChannels - 1; c >= 0; --c)
        pixel = pixel << kChannelBits | std::min(channel[c] >> kFinalShift, kChannelMask);
      line[x] = pixel;
    }
  }
}

// The part of r the canvas can show; all of r when the canvas cannot tell.
tk::TRect VisiblePart(tk::TCanvas& canvas, const tk::TRect& r) {
  RECT clip{};
  const int kind = GetClipBox(canvas.Handle(), &clip);
  if (kind == ERROR) return r;
  if (kind == NULLREGION) return {};
  return tk::Rect(std::max(r.Left, static_cast<int>(clip.left)),
                  std::max(r.Top, static_cast<int>(clip.top)),
                  std::min(r.Right, static_cast<int>(clip.right)),
                  std::min(r.Bottom, static_cast<int>(clip.bottom)));
}

}  // namespace

void StretchBitmapHalftone(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r) {
  if (bitmap == nullptr || bitmap->Empty() || r.Width() <= 0 || r.Height() <= 0) return;
  const tk::TRect visible = VisiblePart(canvas, r);
  if (visible.Width() <= 0 || visible.Height() <= 0) return;
  const TAxis columns =
      MakeAxis(visible.Left - r.Left, visible.Right - r.Left, bitmap->Width(), r.Width());
  const TAxis rows =
      MakeAxis(visible.Top - r.Top, visible.Bottom - r.Top, bitmap->Height(), r.Height());
  tk::TBitmap scaled(visible.Width(), visible.Height());
  Resample(*bitmap, columns, rows, scaled);
  canvas.Draw(visible.Left, visible.Top, scaled);
}

}  // namespace skin
