#include <algorithm>

#include "PixelUtils.h"
#include "WinDrawing.h"
#include "WinDrawingSupport.h"
#include "toolkit/win/ImageList.h"

namespace skin {

namespace {

constexpr int kHorzParts = 3;
constexpr int kLeftCap = 0;
constexpr int kMiddle = 1;
constexpr int kRightCap = 2;
constexpr int kDefaultCapShare = 3;  // a default cap is a third of the bitmap

// The middle part of a three-part bitmap, copied out 1:1 and stretched with the averaging
// filter. A destination without pixels (a rectangle too small for both caps) is not drawn.
void DrawMiddle(const tk::TBitmap& bitmap, tk::TCanvas& canvas, const tk::TRect& source,
                const tk::TRect& dest) {
  if (dest.Width() <= 0 || dest.Height() <= 0) return;
  tk::TBitmap middle(source.Width(), source.Height());
  if (middle.Empty()) return;
  CopyPixels(bitmap, source, middle);
  StretchBitmapHalftone(&middle, canvas, dest);
}

}  // namespace

void DrawHorzThreePart(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                       tk::TColor maskColor, bool transparent) {
  if (bitmap == nullptr) return;
  const int partWidth = bitmap->Width() / kHorzParts;
  tk::TImageList parts(partWidth, bitmap->Height());
  if (transparent)
    parts.AddMasked(*bitmap, maskColor);
  else
    parts.Add(*bitmap, nullptr);
  tk::TBitmap part;
  if (r.Width() < partWidth) {
    if (!parts.GetBitmap(kLeftCap, part)) return;
    part.SetSize(r.Width(), part.Height());
    canvas.Draw(r.Left, r.Top, part);
    return;
  }
  parts.Draw(canvas, r.Left, r.Top, kLeftCap);
  parts.Draw(canvas, r.Right - partWidth, r.Top, kRightCap);
  const tk::TRect middle =
      tk::Rect(r.Left + partWidth, r.Top, r.Right - partWidth, r.Top + bitmap->Height());
  if (middle.Width() > 0 && parts.GetBitmap(kMiddle, part)) canvas.StretchDraw(middle, part);
}

void DrawVertThreePart(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                       int capHeight) {
  if (bitmap == nullptr || r.Left < 0) return;
  ConvertTo24Bit(*bitmap);
  const int width = bitmap->Width();
  const int height = bitmap->Height();
  const int cap = capHeight == 0 ? height / kDefaultCapShare : capHeight;
  const int topCap = std::min(r.Height(), cap);
  tk::TCanvas& source = bitmap->Canvas();
  canvas.CopyRect(tk::Rect(r.Left, r.Top, r.Right, r.Top + topCap), source,
                  tk::Rect(0, 0, width, topCap));
  canvas.CopyRect(tk::Rect(r.Left, r.Bottom - cap, r.Right, r.Bottom), source,
                  tk::Rect(0, height - cap, width, height));
  DrawMiddle(*bitmap, canvas, tk::Rect(0, cap, width, height - cap),
             tk::Rect(r.Left, r.Top + cap, r.Right, r.Bottom - cap));
}

void DrawHorzThreePartCaps(tk::TBitmap* bitmap, tk::TCanvas& canvas, const tk::TRect& r,
                           int capWidth) {
  if (bitmap == nullptr || r.Left < 0) return;
  ConvertTo24Bit(*bitmap);
  const int width = bitmap->Width();
  const int height = bitmap->Height();
  const int cap = capWidth;
  const int leftCap = std::min(r.Width(), cap);
  tk::TCanvas& source = bitmap->Canvas();
  canvas.CopyRect(tk::Rect(r.Left, r.Top, r.Left + leftCap, r.Bottom), source,
                  tk::Rect(0, 0, leftCap, height));
  canvas.CopyRect(tk::Rect(r.Right - cap, r.Top, r.Right, r.Bottom), source,
                  tk::Rect(width - cap, 0, width, height));
  DrawMiddle(*bitmap, canvas, tk::Rect(cap, 0, width - cap, height),
             tk::Rect(r.Left + cap, r.Top, r.Right - cap, r.Bottom));
}

}  // namespace skin
