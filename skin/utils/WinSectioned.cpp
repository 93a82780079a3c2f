#include <algorithm>

#include "WinDrawing.h"
#include "WinDrawingSupport.h"
#include "toolkit/win/ImageList.h"

namespace skin {

namespace {

enum class TCorner { TopLeft, BottomLeft, TopRight, BottomRight };
enum class TSection { LeftEdge, RightEdge, TopEdge, BottomEdge, Middle };

bool NoRows(const tk::TRect& r) {
  return r.Top >= r.Bottom;
}

// The corner's source cut to size, keeping the corner's own outer edges.
tk::TRect CutCorner(TCorner corner, const tk::TRect& source, int width, int height) {
  const bool left = corner == TCorner::TopLeft || corner == TCorner::BottomLeft;
  const bool top = corner == TCorner::TopLeft || corner == TCorner::TopRight;
  const int x = left ? source.Left : source.Right - width;
  const int y = top ? source.Top : source.Bottom - height;
  return tk::Rect(x, y, x + width, y + height);
}

// Draws a corner unscaled, as much of the source as the destination holds, through an image
// list, and answers the rectangle it covered ((0,0,0,0) when nothing was drawn).
tk::TRect DrawCorner(const tk::TBitmap& bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                     TCorner corner, const tk::TRect& source, const tk::TRect& dest,
                     tk::TColor maskColor, bool transparent) {
  const int width = std::max(0, std::min(source.Width(), dest.Width()));
  const int height = std::max(0, std::min(source.Height(), dest.Height()));
  tk::TBitmap part(width, height);
  if (part.Empty()) return {};
  CopyPixels(bitmap, CutCorner(corner, source, width, height), part);
  tk::TImageList list(width, height);
  if (transparent)
    list.AddMasked(part, maskColor);
  else
    list.Add(part, nullptr);
  const bool left = corner == TCorner::TopLeft || corner == TCorner::BottomLeft;
  const bool top = corner == TCorner::TopLeft || corner == TCorner::TopRight;
  const int x = left ? 0 : r.Right - width;
  const int y = top ? 0 : r.Bottom - height;
  list.Draw(canvas, x, y, 0);
  return tk::Rect(x, y, x + width, y + height);
}

// The edge's source cut to the destination's extent across the edge, keeping its outer side.
// A source without rows or columns (even bitmap sizes) takes the one row or column at its
// position, the one between the corners, and every source ends inside the bitmap.
tk::TRect CutSection(TSection section, tk::TRect source, int width, int height,
                     const tk::TBitmap& bitmap) {
  switch (section) {
    case TSection::LeftEdge:
      if (width < source.Width()) source.Right = source.Left + width;
      break;
    case TSection::RightEdge:
      if (width < source.Width()) source.Left = source.Right - width;
      break;
    case TSection::TopEdge:
      if (height < source.Height()) source.Bottom = source.Top + height;
      break;
    case TSection::BottomEdge:
      if (height < source.Height()) source.Top = source.Bottom - height;
      break;
    case TSection::Middle: break;
  }
  source.Right = std::max(source.Right, source.Left + 1);
  source.Bottom = std::max(source.Bottom, source.Top + 1);
  return ClipToBitmap(source, bitmap);
}

// Draws an edge or the middle stretched to the destination, keyed with maskColor.
void DrawSection(tk::TBitmap& bitmap, tk::TCanvas& canvas, TSection section,
                 const tk::TRect& source, const tk::TRect& dest, tk::TColor maskColor) {
  tk::TBitmap part(dest.Width(), dest.Height());
  if (part.Empty()) return;
  const tk::TRect cut = CutSection(section, source, part.Width(), part.Height(), bitmap);
  if (cut.Width() <= 0 || cut.Height() <= 0) return;
  part.Canvas().CopyRect(tk::Rect(0, 0, part.Width(), part.Height()), bitmap.Canvas(), cut);
  part.SetTransparentColor(maskColor);
  part.SetTransparent(true);
  canvas.Draw(dest.Left, dest.Top, part);
}

}  // namespace

// Parts are drawn in a fixed order, each placed from the corners drawn before it; the
// destination of the bottom-left, top-right, bottom-right corner or the bottom edge without
// rows ends the drawing.
void DrawSectionedBitmap(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                         tk::TColor maskColor, bool transparent) {
  if (bitmap == nullptr || NoRows(r)) return;
  const int w = r.Width();
  const int h = r.Height();
  const int bw = bitmap->Width();
  const int bh = bitmap->Height();
  const auto corner = [&](TCorner which, const tk::TRect& source, const tk::TRect& dest) {
    return DrawCorner(*bitmap, canvas, r, which, source, dest, maskColor, transparent);
  };
  const auto section = [&](TSection which, const tk::TRect& source, const tk::TRect& dest) {
    DrawSection(*bitmap, canvas, which, source, dest, maskColor);
  };

  const tk::TRect tl =
      corner(TCorner::TopLeft, tk::Rect(0, 0, bw / 2, bh / 2), tk::Rect(0, 0, w / 2, h / 2));
  const tk::TRect bottomLeft = tk::Rect(0, h - h / 2 + 1, w / 2, h);
  if (NoRows(bottomLeft)) return;
  const tk::TRect bl =
      corner(TCorner::BottomLeft, tk::Rect(0, bh - bh / 2 + 1, bw / 2, bh), bottomLeft);
  const tk::TRect leftEdge = tk::Rect(0, tl.Bottom, tl.Right, bl.Top);
  if (!NoRows(leftEdge))
    section(TSection::LeftEdge, tk::Rect(0, bh / 2, bw / 2, bh - bh / 2), leftEdge);

  const tk::TRect topRight = tk::Rect(w - w / 2 + 1, 0, w, h / 2);
  if (NoRows(topRight)) return;
  const tk::TRect tr =
      corner(TCorner::TopRight, tk::Rect(bw - bw / 2 + 1, 0, bw, bh / 2), topRight);
  const tk::TRect bottomRight = tk::Rect(w - w / 2 + 1, h - h / 2 + 1, w, h);
  if (NoRows(bottomRight)) return;
  const tk::TRect br =
      corner(TCorner::BottomRight, tk::Rect(bw - bw / 2 + 1, bh - bh / 2 + 1, bw, bh), bottomRight);
  const tk::TRect rightEdge = tk::Rect(tr.Left, tr.Bottom, tr.Right, br.Top);
  if (!NoRows(rightEdge))
    section(TSection::RightEdge, tk::Rect(bw - bw / 2 + 1, bh / 2, bw, bh / 2 + 1), rightEdge);

  const tk::TRect topEdge = tk::Rect(tl.Right, 0, tr.Left, tl.Bottom);
  if (!NoRows(topEdge) && topEdge.Right > topEdge.Left)
    section(TSection::TopEdge, tk::Rect(bw / 2, 0, bw - bw / 2 + 1, bh / 2), topEdge);
  const tk::TRect middle = tk::Rect(tl.Right, tl.Bottom, tr.Left, br.Top - 1);
  if (!NoRows(middle))
    section(TSection::Middle, tk::Rect(bw / 2, bh / 2, bw - bw / 2 + 1, bh - bh / 2), middle);
  const tk::TRect bottomEdge = tk::Rect(tl.Right - 1, bl.Top - 1, br.Left, br.Bottom);
  if (NoRows(bottomEdge)) return;
  section(TSection::BottomEdge, tk::Rect(bw / 2, bh - bh / 2, bw - bw / 2 + 1, bh), bottomEdge);
}

}  // namespace skin
