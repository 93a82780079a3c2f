#include "tools/skinart/Sheet.h"

#include <algorithm>
#include <vector>

#include "tools/skinart/Paint.h"
#include "tools/skinart/Style.h"
#include "tools/zsk/Manifest.h"

namespace skinart {

namespace {

constexpr int kScale = 3;
constexpr int kGap = 6;
// Bitmaps are placed left to right until a row would pass this width (before scaling).
constexpr int kRowWidth = 360;
constexpr TColor kGround = Rgb(0x9A9A9A);

struct Placed {
  Picture bitmap;
  int x;
  int y;
};

}  // namespace

Picture RenderSheet(const std::string& folder) {
  std::vector<Placed> placed;
  int x = kGap;
  int y = kGap;
  int rowHeight = 0;
  int width = 0;
  for (const zsk::SkinElement& element : zsk::LoadSkinFolder(folder).elements) {
    if (element.kind != skin::skBitmap) continue;
    Placed item{{}, 0, 0};
    tk::TBytesStream stream(element.data.data(), static_cast<std::int64_t>(element.data.size()));
    item.bitmap.LoadFromStream(stream);
    if (x > kGap && x + item.bitmap.Width() > kRowWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    item.x = x;
    item.y = y;
    x += item.bitmap.Width() + kGap;
    rowHeight = std::max(rowHeight, item.bitmap.Height());
    width = std::max(width, x);
    placed.push_back(std::move(item));
  }
  const int height = y + rowHeight + kGap;
  Picture sheet = Canvas(width * kScale, height * kScale, kGround);
  for (const Placed& item : placed) {
    for (int row = 0; row < item.bitmap.Height(); ++row) {
      for (int column = 0; column < item.bitmap.Width(); ++column) {
        FillRect(sheet,
                 tk::Rect((item.x + column) * kScale, (item.y + row) * kScale,
                          (item.x + column + 1) * kScale, (item.y + row + 1) * kScale),
                 item.bitmap.Pixel(column, row));
      }
    }
  }
  return sheet;
}

}  // namespace skinart
