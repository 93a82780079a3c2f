#include "tools/skinart/Frame.h"

#include <algorithm>

#include "tools/skinart/Glyphs.h"

namespace skinart {

namespace {

// Rows of the title: the outline, the highlight under it, the gradient, and the dark line
// that separates the title from the client area.
constexpr int kShineRow = 1;
constexpr int kGradientTop = 2;
constexpr int kButtonRadius = 3;
// The slanted edge of the transition piece leaves this many columns on either side.
constexpr int kSlantMargin = 2;

TColor BorderColumn(const Palette& palette, int fromOutside, int width) {
  if (fromOutside == 0) return palette.edge;
  if (fromOutside == 1) return palette.borderLight;
  if (fromOutside >= width - 1) return palette.borderDark;
  return palette.border;
}

bool IsCaptionColoured(TitlePart part) {
  return part == TitlePart::kLeft || part == TitlePart::kCaption;
}

TColor Gradient(const Palette& palette, const FrameStyle& style, bool caption, int y) {
  const int rows = style.titleHeight - 1 - kGradientTop;
  return caption ? GradientAt(palette.captionTop, palette.captionBottom, y - kGradientTop, rows)
                 : GradientAt(palette.fillerTop, palette.fillerBottom, y - kGradientTop, rows);
}

TColor TitlePixel(const Palette& palette, const FrameStyle& style, TitlePart part, int width, int x,
                  int y) {
  const int last = style.titleHeight - 1;
  if (y == 0) return palette.edge;
  if (part == TitlePart::kLeft && x < style.borderWidth && y == last)
    return BorderColumn(palette, x, style.borderWidth);
  if (part == TitlePart::kRight && width - 1 - x < style.borderWidth && y == last)
    return BorderColumn(palette, width - 1 - x, style.borderWidth);
  if (part == TitlePart::kLeft && x == 0) return palette.edge;
  if (part == TitlePart::kRight && x == width - 1) return palette.edge;
  if (y == last) return palette.borderDark;
  if (y == kShineRow || (part == TitlePart::kLeft && x == 1)) return palette.shine;
  if (part != TitlePart::kTransition) return Gradient(palette, style, IsCaptionColoured(part), y);
  // The slant runs from the top left to the bottom right of the piece.
  const int slant = kSlantMargin + (y * (width - 2 * kSlantMargin)) / style.titleHeight;
  if (x == slant) return palette.shine;
  return Gradient(palette, style, x < slant, y);
}

}  // namespace

TColor TitleRow(const Palette& palette, const FrameStyle& style, TitlePart part, int y) {
  return TitlePixel(palette, style, part, 0, style.borderWidth, y);
}

Picture TitlePiece(const Palette& palette, const FrameStyle& style, TitlePart part, int width) {
  Picture piece = Canvas(width, style.titleHeight, palette.key);
  for (int y = 0; y < style.titleHeight; ++y) {
    for (int x = 0; x < width; ++x)
      piece.SetPixel(x, y, TitlePixel(palette, style, part, width, x, y));
  }
  // The rounded corner belongs to a shape larger than the piece, so only its corner is cut.
  const int r = style.cornerRadius;
  if (part == TitlePart::kLeft) {
    ShapeCorners(piece, tk::Rect(0, 0, width + r, style.titleHeight + r), r, kTopLeft, palette.key,
                 palette.edge);
  } else if (part == TitlePart::kRight) {
    ShapeCorners(piece, tk::Rect(-r, 0, width, style.titleHeight + r), r, kTopRight, palette.key,
                 palette.edge);
  }
  return piece;
}

Picture MinimizedTitle(const Palette& palette, const FrameStyle& style, int width, int height) {
  Picture title = Canvas(width, height, palette.key);
  const TRect all = tk::Rect(0, 0, width, height);
  RoundedRect(title, all, style.cornerRadius, kTopCorners, palette.captionTop,
              palette.captionBottom, palette.edge);
  HorizontalLine(title, style.cornerRadius, width - style.cornerRadius, kShineRow, palette.shine);
  return title;
}

Picture SideBorder(const Palette& palette, const FrameStyle& style, bool left) {
  const int w = style.borderWidth;
  Picture border = Canvas(w, style.sideHeight, palette.key);
  for (int x = 0; x < w; ++x) {
    VerticalLine(border, x, 0, style.sideHeight, BorderColumn(palette, left ? x : w - 1 - x, w));
  }
  return border;
}

Picture BottomBorder(const Palette& palette, const FrameStyle& style, int width) {
  const int h = style.borderWidth;
  Picture border = Canvas(width, h, palette.key);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < width; ++x) {
      // Distance to the nearest outer edge; the corners are mitred.
      const int fromOutside = std::min({h - 1 - y, x, width - 1 - x});
      border.SetPixel(x, y, BorderColumn(palette, fromOutside, h));
    }
  }
  const int r = style.bottomRadius;
  if (r > 0) {
    ShapeCorners(border, tk::Rect(0, -r, width, h), r, kBottomCorners, palette.key, palette.edge);
  }
  return border;
}

Picture TitleButtons(const Palette& palette, const FrameStyle& style, int top, bool transparent) {
  const int s = style.buttonSize;
  Picture strip = Canvas(s * kTitleButtonFrames, s, palette.key);
  if (!transparent) {
    for (int y = 0; y < s; ++y) {
      HorizontalLine(strip, 0, strip.Width(), y,
                     TitleRow(palette, style, TitlePart::kFiller, top + y));
    }
  }
  struct Look {
    CaptionButton button;
    const Pattern* glyph;
  };
  const Look looks[] = {{CaptionButton::kBlank, nullptr},
                        {CaptionButton::kHelp, &glyphs::kHelp},
                        {CaptionButton::kMaximize, &glyphs::kMaximize},
                        {CaptionButton::kRestore, &glyphs::kRestore},
                        {CaptionButton::kMinimize, &glyphs::kMinimize},
                        {CaptionButton::kClose, &glyphs::kClose}};
  for (const Look& look : looks) {
    const bool close = look.button == CaptionButton::kClose;
    const TColor tops[kStatesPerButton] = {palette.buttonTop,
                                           close ? palette.closeHotTop : palette.buttonHotTop,
                                           close ? palette.closeDownTop : palette.buttonDownTop};
    const TColor bottoms[kStatesPerButton] = {
        palette.buttonBottom, close ? palette.closeHotBottom : palette.buttonHotBottom,
        close ? palette.closeDownBottom : palette.buttonDownBottom};
    for (int state = 0; state < kStatesPerButton; ++state) {
      const int x = (static_cast<int>(look.button) + state) * s;
      const TRect face = tk::Rect(x, 0, x + s, s);
      RoundedRect(strip, face, kButtonRadius, kAllCorners, tops[state], bottoms[state],
                  palette.buttonEdge);
      HorizontalLine(strip, x + kButtonRadius, x + s - kButtonRadius, kShineRow,
                     Mix(tops[state], tk::clWhite, 1, 2));
      if (look.glyph == nullptr) continue;
      // A pressed button's glyph moves one pixel down and right.
      const int shift = state == kStatesPerButton - 1 ? 1 : 0;
      const Pattern& glyph = *look.glyph;
      DrawShadowedPattern(strip, x + (s - PatternWidth(glyph)) / 2 + shift,
                          (s - PatternHeight(glyph)) / 2 + shift, glyph, palette.glyph,
                          palette.glyphShadow);
    }
  }
  return strip;
}

}  // namespace skinart
