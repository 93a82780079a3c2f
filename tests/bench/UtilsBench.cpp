// Time per call of the frame region's row scan and of the three rotations on a title image
// as wide as a 1920-pixel screen, best of several runs each. The row scan is compared with a
// plain one-rectangle-per-run scan through Pixel, and the rectangle counts of both are shown
// (fewer rectangles make a cheaper window region).
// usage: bench_utils [--quick]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "skin/utils/ZUBSkinUtils.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTitleWidth = 1920;
constexpr int kTitleHeight = 31;
constexpr int kWindowHeight = 1080;
constexpr tk::TColor kKey = 0xFF00FF;

// A skinned title: rounded top corners in the colour key, a few transparent notches (caption
// button gaps) in the upper rows, and a gradient so rows are not all alike.
tk::TBitmap& Title() {
  static tk::TBitmap title(kTitleWidth, kTitleHeight);
  std::mt19937 random(1);
  for (int y = 0; y < kTitleHeight; ++y)
    for (int x = 0; x < kTitleWidth; ++x)
      title.SetPixel(
          x, y, tk::RGBColor(static_cast<std::uint8_t>(x), 0x40, static_cast<std::uint8_t>(y * 8)));
  const int corner[] = {6, 4, 3, 2, 1, 1};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < corner[y]; ++x) {
      title.SetPixel(x, y, kKey);
      title.SetPixel(kTitleWidth - 1 - x, y, kKey);
    }
  for (int notch = 0; notch < 12; ++notch) {
    const int x = static_cast<int>(random() % (kTitleWidth - 4));
    for (int y = 0; y < 3; ++y) title.SetPixel(x + y, y, kKey);
  }
  return title;
}

std::size_t PlainRowScan(const tk::TBitmap& title) {
  std::vector<tk::TRect> rects;
  for (int y = 0; y < title.Height(); ++y)
    for (int x = 0; x < title.Width();) {
      if (title.Pixel(x, y) == kKey) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < title.Width() && title.Pixel(x, y) != kKey) ++x;
      rects.push_back(tk::TRect{start, y, x, y + 1});
    }
  rects.push_back(tk::TRect{0, title.Height(), kTitleWidth, kWindowHeight});
  return rects.size();
}

std::size_t MergedRowScan(const tk::TBitmap& title) {
  return skin::FrameRegionRects(&title, nullptr, true, false, -1, -1, -1, -1, kKey, kWindowHeight,
                                kTitleWidth)
      .size();
}

// Best time per call in microseconds over `runs` runs of `calls` calls.
double BestMicros(const std::function<void()>& call, int runs, int calls) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) call();
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    best = std::min(best, elapsed.count() / calls);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const int runs = quick ? 3 : 10;
  const int calls = quick ? 20 : 200;
  tk::TBitmap& title = Title();
  std::size_t sink = 0;

  const double merged = BestMicros([&] { sink += MergedRowScan(title); }, runs, calls);
  const double plain = BestMicros([&] { sink += PlainRowScan(title); }, runs, calls);
  std::printf("frame region row scan %dx%d: %.1f us per call, %zu rectangles\n", kTitleWidth,
              kTitleHeight, merged, MergedRowScan(title));
  std::printf("  plain row scan:                %.1f us per call, %zu rectangles (ratio %.2f)\n",
              plain, PlainRowScan(title), plain / merged);

  tk::TBitmap bitmap;
  bitmap.Assign(title);
  const std::pair<const char*, void (*)(tk::TBitmap*)> rotations[] = {
      {"RotateBitmap90CCW", skin::RotateBitmap90CCW},
      {"RotateBitmap180", skin::RotateBitmap180},
      {"RotateBitmap90CW", skin::RotateBitmap90CW},
  };
  for (const auto& [name, rotate] : rotations) {
    const double micros = BestMicros([&] { rotate(&bitmap); }, runs, calls);
    std::printf("%-18s %dx%d: %.1f us per call\n", name, kTitleWidth, kTitleHeight, micros);
  }
  return sink == 0 ? 1 : 0;
}
