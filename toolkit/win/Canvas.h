#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "Font.h"
#include "GdiObject.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Object.h"
#include "toolkit/core/Types.h"

namespace tk {

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
};

// Resolves a system colour (top byte 0xFF) to its RGB value; other colours lose their top byte.
COLORREF GdiColor(TColor color);

// Drawing on a device context it does not own (a bitmap's memory DC, a window or paint DC).
// Pen, brush and font are made when an operation needs them and stay selected; the destructor
// gives the context back with everything as it was. Every drawing operation ends with
// GdiFlush, so a bitmap's pixels may be read or written directly right after it.
class TCanvas : public TObject {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas() override;

  // The context with the canvas's current pen, brush and font selected. GDI called on it
  // directly must be followed by GdiFlush before a bitmap's pixels are touched.
  HDC Handle();
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }
  TFont& Font() { return font_; }

  // Copies source's rectangle into dest, scaling by pixel picking when the sizes differ, so
  // that every pixel drawn is one of the source's (colour keys survive scaling).
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
  // Whole bitmap at (x, y) or scaled into r; pixels equal to the bitmap's TransparentColor are
  // left out when its Transparent flag is set.
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const TRect& r, TBitmap& bitmap);

  void FillRect(const TRect& r);
  // One-pixel border of r in the brush colour.
  void FrameRect(const TRect& r);
  // Outline with the pen, inside with the brush.
  void Rectangle(const TRect& r);
  void MoveTo(int x, int y);
  // Line with the pen from the current position up to (excluding) (x, y).
  void LineTo(int x, int y);
  void Polygon(std::span<const TPoint> points);
  void DrawFocusRect(const TRect& r);

  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  // Text in the font's colour with its top-left corner at (x, y); the background is the brush
  // colour, or left alone when the brush style is bsClear.
  void TextOutAt(int x, int y, const std::string& text);

  // Out-of-range reads answer clNone, writes there are ignored.
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

 private:
  void SelectPen();
  void SelectBrush();
  void SelectFont();
  void ReleaseFont();

  HDC dc_;
  int savedState_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  // What was last made and selected, so that a changed colour makes a new object.
  TPen madePen_;
  TBrush madeBrush_;
  TPenHandle penObject_;
  TBrushHandle brushObject_;
  bool penSelected_ = false;
  bool brushSelected_ = false;
  bool fontSelected_ = false;
};

}  // namespace tk
