#include "tools/skinart/Widgets.h"

#include <cstdlib>

#include "tools/skinart/Glyphs.h"

namespace skinart {

namespace {

constexpr int kFaceRadius = 3;
constexpr int kSmallRadius = 2;
// Boxes of at least this size keep a two-pixel margin in their frame, smaller ones one pixel.
constexpr int kWideMarginSize = 16;
// The radio button's dot.
constexpr int kDotDiameter = 5;
// A grayed check box shows a square this much inside the box's inside.
constexpr int kGrayedInset = 2;
// The active tab's coloured top rows, below the outline.
constexpr int kAccentRows = 2;
// An inactive tab starts this much lower than the active one.
constexpr int kInactiveDrop = 2;
// Check boxes with an inside of at least this width take the large check mark.
constexpr int kLargeCheckInside = 9;

enum ControlState { kNormal, kHot, kPressed, kStates };

struct Face {
  TColor edge, top, bottom;
};

Face StateFace(const Palette& palette, int state) {
  switch (state) {
    case kHot: return {palette.hotEdge, palette.hotTop, palette.hotBottom};
    case kPressed: return {palette.faceEdge, palette.downTop, palette.downBottom};
    default: return {palette.faceEdge, palette.faceTop, palette.faceBottom};
  }
}

TColor Lighter(TColor color) {
  return Mix(color, tk::clWhite, 1, 2);
}

TColor Darker(TColor color) {
  return Mix(color, tk::clBlack, 1, 4);
}

int BoxMargin(int size) {
  return size >= kWideMarginSize ? 2 : 1;
}

// A square button face with the glyph centred; a pressed face moves the glyph down and right.
void ArrowFace(TBitmap& bitmap, TRect r, const Face& face, const Pattern& glyph, TColor color,
               bool pressed) {
  RoundedRect(bitmap, r, kFaceRadius, kAllCorners, face.top, face.bottom, face.edge);
  const int shift = pressed ? 1 : 0;
  DrawCentred(bitmap, tk::Rect(r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift),
              glyph, color);
}

enum CheckState { kChecked, kGrayed, kUnchecked, kCheckStates };

// One check box in the square frame at x of the strip, the box margin pixels inside it.
void CheckBox(TBitmap& strip, int x, int size, int m, bool enabled, int check,
              const Palette& palette) {
  const TRect box = tk::Rect(x + m, m, x + size - m, size - m);
  const TRect inside = tk::Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
  const TColor field = enabled ? palette.field : palette.disabledField;
  const TColor mark = enabled ? palette.mark : palette.disabledMark;
  FrameRect(strip, box, enabled ? palette.faceEdge : palette.disabledEdge);
  VerticalGradient(strip, inside, Mix(field, palette.faceBottom, 1, 2), field);
  if (check == kChecked) {
    DrawCentred(strip, inside,
                inside.Width() >= kLargeCheckInside ? glyphs::kCheck : glyphs::kSmallCheck, mark);
  } else if (check == kGrayed) {
    FillRect(strip,
             tk::Rect(inside.Left + kGrayedInset, inside.Top + kGrayedInset,
                      inside.Right - kGrayedInset, inside.Bottom - kGrayedInset),
             Mix(mark, field, 1, 2));
  }
}

Picture Transposed(const TBitmap& source) {
  Picture turned = Canvas(source.Height(), source.Width(), tk::clBlack);
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) turned.SetPixel(y, x, source.Pixel(x, y));
  }
  return turned;
}

}  // namespace

Picture PushButtons(const Palette& palette, int frameWidth, int height, TColor outside) {
  Picture strip = Canvas(frameWidth * kStates, height, outside);
  for (int state = 0; state < kStates; ++state) {
    const Face face = StateFace(palette, state);
    const int x = state * frameWidth;
    RoundedRect(strip, tk::Rect(x, 0, x + frameWidth, height), kFaceRadius, kAllCorners, face.top,
                face.bottom, face.edge);
    if (state == kPressed) continue;
    HorizontalLine(strip, x + kFaceRadius, x + frameWidth - kFaceRadius, 1, Lighter(face.top));
  }
  return strip;
}

Picture CheckBoxes(const Palette& palette, int size, TColor outside) {
  Picture strip = Canvas(size * 2 * kCheckStates, size, outside);
  for (int frame = 0; frame < 2 * kCheckStates; ++frame) {
    CheckBox(strip, frame * size, size, BoxMargin(size), frame < kCheckStates, frame % kCheckStates,
             palette);
  }
  return strip;
}

Picture ListCheckBoxes(const Palette& palette, int size) {
  // The box fills its whole frame.
  constexpr int kFrames = 4;
  const int checks[kFrames] = {kChecked, kUnchecked, kChecked, kUnchecked};
  Picture strip = Canvas(size * kFrames, size, palette.key);
  for (int frame = 0; frame < kFrames; ++frame) {
    CheckBox(strip, frame * size, size, 0, frame < kFrames / 2, checks[frame], palette);
  }
  return strip;
}

Picture RadioButtons(const Palette& palette, int size) {
  constexpr int kFrames = 4;
  Picture strip = Canvas(size * kFrames, size, palette.key);
  const int m = BoxMargin(size);
  const int diameter = size - 2 * m;
  for (int frame = 0; frame < kFrames; ++frame) {
    const bool enabled = frame < kFrames / 2;
    const bool checked = frame % 2 == 0;
    const int x = frame * size;
    const TColor field = enabled ? palette.field : palette.disabledField;
    Disc(strip, x + m, m, diameter, Mix(field, palette.faceBottom, 1, 2), field,
         enabled ? palette.faceEdge : palette.disabledEdge);
    if (!checked) continue;
    const TColor mark = enabled ? palette.mark : palette.disabledMark;
    const int dot = x + (size - kDotDiameter) / 2;
    Disc(strip, dot, (size - kDotDiameter) / 2, kDotDiameter, Lighter(mark), mark, mark);
  }
  return strip;
}

Picture MenuCheck(const Palette& palette, int size) {
  Picture icon = Canvas(size, size, palette.key);
  const TRect all = tk::Rect(0, 0, size, size);
  // Drawn twice, one row apart, for a bolder stroke.
  DrawCentred(icon, all, glyphs::kCheck, palette.mark);
  DrawCentred(icon, tk::Rect(0, -1, size, size - 1), glyphs::kCheck, palette.mark);
  return icon;
}

Picture ScrollArrows(const Palette& palette, int size, bool up) {
  Picture strip = Canvas(size * kStates, size, palette.key);
  const Pattern arrow = up ? glyphs::kArrowUp : glyphs::FlipVertical(glyphs::kArrowUp);
  for (int state = 0; state < kStates; ++state) {
    ArrowFace(strip, tk::Rect(state * size, 0, (state + 1) * size, size), StateFace(palette, state),
              arrow, palette.mark, state == kPressed);
  }
  return strip;
}

Picture ScrollThumb(const Palette& palette, int width, int height) {
  Picture bar = Canvas(width, height, palette.key);
  const TRect thumb = tk::Rect(kSmallRadius, 0, width - kSmallRadius, height);
  HorizontalGradient(bar, thumb, palette.faceTop, palette.faceBottom);
  ShapeCorners(bar, thumb, kFaceRadius, kAllCorners, palette.key, palette.faceEdge);
  const TRect grip = tk::Rect(0, 0, width, height);
  DrawCentred(bar, tk::Rect(0, 1, width, height + 1), glyphs::kGrip, tk::clWhite);
  DrawCentred(bar, grip, glyphs::kGrip, palette.faceEdge);
  return bar;
}

Picture ScrollButtons(const Palette& palette, int size) {
  const Pattern left = glyphs::Transpose(glyphs::kArrowUp);
  const Pattern arrows[] = {glyphs::kArrowUp, glyphs::FlipVertical(glyphs::kArrowUp), left,
                            glyphs::FlipHorizontal(left)};
  Picture strip = Canvas(size * std::size(arrows), size, palette.key);
  for (std::size_t i = 0; i < std::size(arrows); ++i) {
    const int x = static_cast<int>(i) * size;
    ArrowFace(strip, tk::Rect(x, 0, x + size, size), StateFace(palette, kNormal), arrows[i],
              palette.mark, false);
  }
  return strip;
}

Picture ProgressEnd(const Palette& palette, int width, int height) {
  return Canvas(width, height, palette.faceEdge);
}

Picture ProgressFill(const Palette& palette, int width, int height) {
  Picture fill = Canvas(width, height, palette.faceEdge);
  VerticalGradient(fill, tk::Rect(0, 1, width, height - 1), palette.accentTop,
                   palette.accentBottom);
  HorizontalLine(fill, 0, width, 1, Lighter(palette.accentTop));
  return fill;
}

Picture ProgressEmpty(const Palette& palette, int width, int height) {
  Picture empty = Canvas(width, height, palette.faceEdge);
  VerticalGradient(empty, tk::Rect(0, 1, width, height - 1),
                   Mix(palette.field, palette.faceBottom, 1, 2), palette.field);
  return empty;
}

Picture Track(const Palette& palette, int width, int height) {
  Picture track = Canvas(width, height, palette.key);
  RoundedRect(track, tk::Rect(0, 1, width, height - 1), kFaceRadius, kAllCorners,
              Mix(palette.field, palette.faceBottom, 1, 2), palette.field, palette.faceEdge);
  return track;
}

Picture Slider(const Palette& palette, int width, int height, bool vertical) {
  // Drawn pointing down; the vertical slider is the same picture mirrored on its diagonal.
  Picture slider = Canvas(width, height, palette.key);
  const int tip = width / 2;
  const int centre = (width - 1) / 2;
  auto inside = [&](int x, int y) {
    if (x < 0 || x >= width || y < 0 || y >= height) return false;
    if (y >= height - tip) return std::abs(x - centre) <= height - 1 - y;
    return InsideRounded(tk::Rect(0, 0, width, height), kSmallRadius, kTopCorners, x, y);
  };
  for (int y = 0; y < height; ++y) {
    const TColor fill = GradientAt(palette.faceTop, palette.faceBottom, y, height);
    for (int x = 0; x < width; ++x) {
      if (!inside(x, y)) continue;
      const bool outline =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      slider.SetPixel(x, y, outline ? palette.faceEdge : fill);
    }
  }
  // Two grip lines in the middle of the body.
  const int gripTop = height / 4;
  const int gripBottom = height - tip - 1;
  VerticalLine(slider, centre - 1, gripTop, gripBottom, palette.faceEdge);
  VerticalLine(slider, centre + 1, gripTop, gripBottom, palette.faceEdge);
  return vertical ? Transposed(slider) : slider;
}

Picture Tabs(const Palette& palette, int frameWidth, int height, TColor outside) {
  Picture strip = Canvas(frameWidth * 2, height, outside);
  // The active tab has the page's colour and is open at the bottom, where it joins the page.
  RoundedRect(strip, tk::Rect(0, 0, frameWidth, height + kFaceRadius), kFaceRadius, kTopCorners,
              palette.form, palette.form, palette.faceEdge);
  const TRect accent = tk::Rect(1, 1, frameWidth - 1, height);
  for (int y = accent.Top; y < accent.Top + kAccentRows; ++y) {
    for (int x = accent.Left; x < accent.Right; ++x) {
      if (InsideRounded(accent, kSmallRadius, kTopCorners, x, y))
        strip.SetPixel(x, y, palette.accentTop);
    }
  }
  RoundedRect(strip, tk::Rect(frameWidth, kInactiveDrop, 2 * frameWidth, height), kFaceRadius,
              kTopCorners, palette.faceBottom, Mix(palette.faceBottom, palette.faceEdge, 1, 4),
              palette.faceEdge);
  return strip;
}

Picture TabLine(const Palette& palette, int width) {
  return Canvas(width, 1, palette.faceEdge);
}

Picture SideChannelBar(const Palette& palette, int width, int cellHeight) {
  constexpr int kCells = 4;
  Picture bar = Canvas(width, cellHeight * kCells, palette.form);
  const Pattern open = glyphs::Transpose(glyphs::kSmallArrowUp);
  const Pattern close = glyphs::FlipHorizontal(open);
  for (int cell = 0; cell < kCells; ++cell) {
    const Face face = StateFace(palette, cell % 2 == 0 ? kNormal : kHot);
    const TRect r = tk::Rect(0, cell * cellHeight, width, (cell + 1) * cellHeight);
    VerticalGradient(bar, r, face.top, face.bottom);
    Bevel(bar, r, Lighter(face.top), face.edge);
    DrawCentred(bar, r, cell < kCells / 2 ? open : close, palette.mark);
  }
  return bar;
}

Picture SideChannelTitle(const Palette& palette, int width, int height) {
  return Bar(width, height, palette.accentTop, palette.accentBottom);
}

Picture Bar(int width, int height, TColor top, TColor bottom) {
  Picture bar = Canvas(width, height, top);
  VerticalGradient(bar, tk::Rect(0, 0, width, height), top, bottom);
  HorizontalLine(bar, 0, width, 0, Lighter(top));
  HorizontalLine(bar, 0, width, height - 1, Darker(bottom));
  return bar;
}

}  // namespace skinart
