#include "Canvas.h"

#include <vector>

#include "BitmapCanvas.h"

namespace tk {

namespace {

constexpr TColor kSystemColorFlag = static_cast<TColor>(0xFF000000);
constexpr TColor kSystemColorIndex = 0xFF;
constexpr COLORREF kRgbMask = 0x00FFFFFF;

RECT ToRect(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

}  // namespace

COLORREF GdiColor(TColor color) {
  if ((color & kSystemColorFlag) == kSystemColorFlag) return GetSysColor(color & kSystemColorIndex);
  return static_cast<COLORREF>(color) & kRgbMask;
}

TCanvas::TCanvas(HDC dc) : dc_(dc), savedState_(SaveDC(dc)) {
  font_.SetChangeHook([this] { ReleaseFont(); });
}

// Restoring the saved state selects the context's own objects back before ours are deleted.
TCanvas::~TCanvas() {
  if (savedState_ != 0) RestoreDC(dc_, savedState_);
}

HDC TCanvas::Handle() {
  SelectPen();
  SelectBrush();
  SelectFont();
  return dc_;
}

void TCanvas::SelectPen() {
  if (penSelected_ && madePen_.Color == pen_.Color && madePen_.Width == pen_.Width) return;
  TPenHandle pen(CreatePen(PS_SOLID, pen_.Width, GdiColor(pen_.Color)));
  if (!pen) return;
  SelectObject(dc_, pen.Get());
  penObject_ = std::move(pen);
  madePen_ = pen_;
  penSelected_ = true;
}

void TCanvas::SelectBrush() {
  if (brushSelected_ && madeBrush_.Style == brush_.Style &&
      (brush_.Style == bsClear || madeBrush_.Color == brush_.Color))
    return;
  if (brush_.Style == bsClear) {
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    brushObject_.Reset();
  } else {
    TBrushHandle brush(CreateSolidBrush(GdiColor(brush_.Color)));
    if (!brush) return;
    SelectObject(dc_, brush.Get());
    brushObject_ = std::move(brush);
  }
  madeBrush_ = brush_;
  brushSelected_ = true;
}

void TCanvas::SelectFont() {
  if (fontSelected_) return;
  HFONT font = font_.Handle();
  if (font == nullptr) return;
  SelectObject(dc_, font);
  fontSelected_ = true;
}

// The font is about to free its handle: the context takes a stock font meanwhile.
void TCanvas::ReleaseFont() {
  if (!fontSelected_) return;
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  fontSelected_ = false;
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  const TStretchMode mode(dc_, COLORONCOLOR);
  StretchBlt(Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), source.Handle(),
             sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height(), SRCCOPY);
  GdiFlush();
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  StretchDraw(Rect(x, y, x + bitmap.Width(), y + bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const TBitmapDC source(bitmap);
  const TStretchMode mode(dc_, COLORONCOLOR);
  if (bitmap.Transparent())
    TransparentBlt(Handle(), r.Left, r.Top, r.Width(), r.Height(), source.Get(), 0, 0,
                   bitmap.Width(), bitmap.Height(), GdiColor(bitmap.TransparentColor()));
  else
    StretchBlt(Handle(), r.Left, r.Top, r.Width(), r.Height(), source.Get(), 0, 0, bitmap.Width(),
               bitmap.Height(), SRCCOPY);
  GdiFlush();
}

void TCanvas::FillRect(const TRect& r) {
  const RECT rect = ToRect(r);
  SelectBrush();
  if (brush_.Style != bsClear) ::FillRect(dc_, &rect, brushObject_.Get());
  GdiFlush();
}

void TCanvas::FrameRect(const TRect& r) {
  const RECT rect = ToRect(r);
  SelectBrush();
  if (brush_.Style != bsClear) ::FrameRect(dc_, &rect, brushObject_.Get());
  GdiFlush();
}

void TCanvas::Rectangle(const TRect& r) {
  ::Rectangle(Handle(), r.Left, r.Top, r.Right, r.Bottom);
  GdiFlush();
}

void TCanvas::MoveTo(int x, int y) {
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  ::LineTo(Handle(), x, y);
  GdiFlush();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  std::vector<POINT> corners;
  corners.reserve(points.size());
  for (const TPoint& p : points) corners.push_back(POINT{p.X, p.Y});
  ::Polygon(Handle(), corners.data(), static_cast<int>(corners.size()));
  GdiFlush();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  const RECT rect = ToRect(r);
  ::DrawFocusRect(Handle(), &rect);
  GdiFlush();
}

int TCanvas::TextWidth(const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(Handle(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int TCanvas::TextHeight(const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(Handle(), text.data(), static_cast<int>(text.size()), &size);
  return size.cy;
}

void TCanvas::TextOutAt(int x, int y, const std::string& text) {
  HDC dc = Handle();
  SetTextColor(dc, GdiColor(font_.Color()));
  if (brush_.Style == bsClear) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, GdiColor(brush_.Color));
  }
  TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
  GdiFlush();
}

TColor TCanvas::Pixel(int x, int y) {
  const COLORREF color = GetPixel(dc_, x, y);
  return color == CLR_INVALID ? clNone : static_cast<TColor>(color);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  SetPixelV(dc_, x, y, GdiColor(color));
  GdiFlush();
}

}  // namespace tk
