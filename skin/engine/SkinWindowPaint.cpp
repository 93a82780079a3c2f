#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/WinDrawing.h"
#include "skin/utils/WinWindowUtils.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/BitmapCanvas.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/GdiObject.h"
#include "toolkit/win/Icon.h"

namespace skin {

namespace {

// SKIN2_TITLEBUTTONS holds 18 equal frames; each button has a normal, hot and pressed frame.
constexpr int kButtonFrames = 18;
constexpr int kHelpFrame = 4;
constexpr int kMaximizeFrame = 7;
constexpr int kRestoreFrame = 10;
constexpr int kMinimizeFrame = 13;
constexpr int kCloseFrame = 16;
constexpr int kHotOffset = 1;
constexpr int kPressedOffset = 2;
constexpr int kButtonGap = 2;
constexpr int kReserveMargin = 15;
constexpr int kCaptionMargin = 4;
constexpr int kIconSize = 16;
constexpr int kIconTextGap = 20;
constexpr int kSectionGap = 2;
// Layout of a minimized window's title.
constexpr int kMinimizedBand = 26;
constexpr int kMinimizedLowButtons = 22;
constexpr int kMinimizedNudge = 2;
constexpr int kMinimizedButtonsRight = 5;
constexpr int kMinimizedTextTop = 4;
constexpr int kMinIconTop = 4;
constexpr int kCaptionRectRight = 2048;
constexpr int kCaptionRectBottom = 100;
constexpr tk::TColor kToolBarShadow = 0x808080;
constexpr tk::TColor kToolBarLight = 0xFFFFFF;

struct TButtonSlot {
  TzubHotButton Button;
  int Frame;
};

tk::TBitmap* SkinBitmap(const TzubSkinReader& reader, TSkin2Bitmap index) {
  return reader.GetBitmap(index);
}

int WidthOf(const tk::TBitmap* bitmap) {
  return bitmap != nullptr ? bitmap->Width() : 0;
}
int HeightOf(const tk::TBitmap* bitmap) {
  return bitmap != nullptr ? bitmap->Height() : 0;
}

void Blit(HDC dest, int x, int y, tk::TBitmap& source) {
  tk::TBitmapDC sourceDC(source);
  BitBlt(dest, x, y, source.Width(), source.Height(), sourceDC.Get(), 0, 0, SRCCOPY);
}

constexpr std::uint32_t kRgbMask = 0xFFFFFF;

// Copies columns sx .. sx + width - 1 of source to (x, y) of dest on the pixels themselves,
// clipped to both. When keyed, source pixels equal to key (colour bytes only) become *fill, or
// leave dest alone when fill is null.
void CopyPixels(const tk::TBitmap& source, int sx, int width, tk::TBitmap& dest, int x, int y,
                bool keyed, std::uint32_t key, const std::uint32_t* fill) {
  const int left = std::max({0, -x, -sx});
  const int right = std::min({width, dest.Width() - x, source.Width() - sx});
  const int top = std::max(0, -y);
  const int bottom = std::min(source.Height(), dest.Height() - y);
  for (int row = top; row < bottom; ++row) {
    const std::uint32_t* from = source.ScanLine(row) + sx;
    std::uint32_t* to = dest.ScanLine(y + row) + x;
    for (int col = left; col < right; ++col) {
      const std::uint32_t pixel = from[col];
      if (!keyed || (pixel & kRgbMask) != key)
        to[col] = pixel;
      else if (fill != nullptr)
        to[col] = *fill;
    }
  }
}

void StretchOnto(tk::TCanvas& canvas, const tk::TRect& r, tk::TBitmap* bitmap) {
  if (bitmap != nullptr && r.Width() > 0 && r.Height() > 0) canvas.StretchDraw(r, *bitmap);
}

// The icon shown in the title: the frame's own, else a small copy of the application's, else
// the program's main icon.
tk::TIcon TitleIcon(HICON own) {
  if (own != nullptr) return tk::TIcon();
  if (tk::TApplication* app = tk::Application()) {
    if (app->Icon().Empty()) return tk::TIcon();
    return tk::TIcon(static_cast<HICON>(
        CopyImage(app->Icon().Handle(), IMAGE_ICON, kIconSize, kIconSize, LR_COPYFROMRESOURCE)));
  }
  return tk::TIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, kIconSize, kIconSize, 0)));
}

}  // namespace

// One paint of a frame: the title band with icon, buttons and caption, the borders and the
// side strips, composed off screen where the skin's outline needs it.
class TFramePainter {
 public:
  TFramePainter(TzubSkinWindow& frame, HWND wnd, const tk::TRect& bounds)
      : frame_(frame),
        wnd_(wnd),
        engine_(*frame.FEngine),
        reader_(engine_.Reader()),
        metrics_(engine_.Metrics()),
        w_(bounds.Width()),
        h_(bounds.Height()),
        ch_(frame.CaptionHeight()),
        minimized_(IsIconic(wnd) != 0),
        maximizedMDIChild_(frame.IsMDIChild() && IsZoomed(wnd)),
        strip_(SkinBitmap(reader_, SKIN2_TITLEBUTTONS)) {
    bw_ = WidthOf(strip_) / kButtonFrames;
    bh_ = HeightOf(strip_);
  }

  void Paint() {
    tk::TWindowDC dc(wnd_);
    if (dc.Get() == nullptr) return;
    if (frame_.FHasCaption && !maximizedMDIChild_) {
      PaintTitle();
      CopyToWindow(dc.Get(), 0, *frame_.FTitleImage, frame_.FTitleNeedsRegion,
                   frame_.FTitleComposite.get());
    }
    int co = ch_;
    if (maximizedMDIChild_) {
      co = 0;
      tk::TApplication* app = tk::Application();
      if (app != nullptr && app->MainForm() != nullptr)
        PostMessageW(app->MainForm()->Handle(), kMDIChildFramePainted, 0, 0);
    }
    if (frame_.FHasBorders && !minimized_) PaintBorders(dc.Get(), co);
  }

 private:
  void PaintTitle() {
    const int t = std::max(ch_, frame_.FTopFrame);
    tk::TBitmap& image = *frame_.FTitleImage;
    image.SetSize(w_, t);
    tk::TCanvas& canvas = image.Canvas();
    FillRectColor(canvas, tk::Rect(0, 0, w_, ch_), metrics_.FormColor);
    if (ch_ < frame_.FTopFrame) {
      const tk::TColor band =
          frame_.GetMenuBarHeight() >= 1 ? metrics_.MenuColors[0] : metrics_.FormColor;
      FillRectColor(canvas, tk::Rect(0, ch_, w_, frame_.FTopFrame), band);
    }
    const int shown = int{frame_.HasCloseButton()} + int{frame_.HasMaximizeButton()} +
                      int{frame_.HasMinimizeButton()};
    reserve_ = shown * bw_ + kButtonGap * (shown - 1) + kReserveMargin;
    textX_ = frame_.HasSystemIcon() ? metrics_.IconX + kIconTextGap : metrics_.IconX;
    FollowCaptionFont(canvas.Font());
    if (minimized_) {
      StretchOnto(canvas, tk::Rect(0, 0, w_, h_), SkinBitmap(reader_, SKIN2_MINIMIZEDTITLE));
      PrepareCaptions(canvas);
    } else {
      PaintSections(canvas, t);
    }
    PaintIconAndButtons(canvas);
    PaintCaption(canvas);
  }

  // The system caption font, made again only when the system's setting changed.
  void FollowCaptionFont(tk::TFont& font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
    if (std::memcmp(&metrics.lfCaptionFont, &frame_.FCaptionFont, sizeof(LOGFONTA)) == 0) return;
    SetCaptionFont(font);
    frame_.FCaptionFont = metrics.lfCaptionFont;
  }

  void PrepareCaptions(tk::TCanvas& canvas) {
    const int limit = w_ - textX_ - reserve_ - kCaptionMargin;
    frame_.GetWideCaption(wideCaption_);
    caption_ = frame_.GetCaption();
    if (!wideCaption_.empty()) wideCaption_ = EllipsisTextW(canvas, wideCaption_, limit);
    if (!caption_.empty()) caption_ = EllipsisText(canvas, caption_, limit);
  }

  void PaintSections(tk::TCanvas& canvas, int t) {
    const bool fiveSections = reader_.GetBoolean(SKIN2_TITLEFIVESECT);
    tk::TBitmap* right = SkinBitmap(reader_, fiveSections ? SKIN2_TITLEBAR5 : SKIN2_TITLEBAR3);
    tk::TBitmap* first = SkinBitmap(reader_, SKIN2_TITLEBAR1);
    tk::TBitmap* third = SkinBitmap(reader_, SKIN2_TITLEBAR3);
    const int rw = WidthOf(right);
    const int rx = w_ - rw;
    if (right != nullptr) canvas.Draw(rx, 0, *right);
    if (first != nullptr) canvas.Draw(0, 0, *first);
    const int l = WidthOf(first);
    int fx = l;
    tk::TBitmap* filler = SkinBitmap(reader_, SKIN2_TITLEBAR2);
    if (fiveSections) {
      reserve_ += WidthOf(third);
      PrepareCaptions(canvas);
      const int textEnd = textX_ + canvas.TextWidth(caption_);
      StretchOnto(canvas, tk::Rect(l, 0, textEnd + kSectionGap, HeightOf(filler)), filler);
      if (third != nullptr) canvas.Draw(textEnd + kSectionGap, 0, *third);
      fx = textEnd + kSectionGap + WidthOf(third);
      filler = SkinBitmap(reader_, SKIN2_TITLEBAR4);
    } else {
      PrepareCaptions(canvas);
    }
    if (fx < rx) StretchOnto(canvas, tk::Rect(fx, 0, rx, HeightOf(filler)), filler);
    const tk::TBitmap* last = filler;
    const int lbw = metrics_.LeftBorderWidth;
    if (w_ - reserve_ < l) {
      if (right != nullptr) {
        if (rx > lbw) {
          canvas.Draw(rx, 0, *right);
        } else {
          canvas.CopyRect(tk::Rect(lbw, 0, w_, right->Height()), right->Canvas(),
                          tk::Rect(rw - w_ + lbw, 0, rw, right->Height()));
        }
      }
      StretchOnto(canvas, tk::Rect(lbw, 0, std::max(lbw, rx), t), first);
      last = first;
    }
    const int pieceHeight = HeightOf(last);
    if (pieceHeight < t) {
      const tk::TRect rest = frame_.FHasBorders ? tk::Rect(lbw, pieceHeight + frame_.FExtraTop,
                                                           w_ - metrics_.RightBorderWidth, t)
                                                : tk::Rect(0, pieceHeight, w_, t);
      FillRectColor(canvas, rest, metrics_.FormColor);
    }
  }

  void PaintIconAndButtons(tk::TCanvas& canvas) {
    frame_.FHotButton = hbNone;
    frame_.FMaxShown = frame_.FMinShown = frame_.FCloseShown = false;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(wnd_, &cursor);
    cursor.y += ch_;
    const tk::TPoint at{cursor.x, cursor.y};
    const int lbw = metrics_.LeftBorderWidth;
    int y0 = metrics_.IconY;
    if (minimized_) {
      y0 = std::max((kMinimizedBand - bh_) / 2, 0);
      if (bh_ + y0 < kMinimizedLowButtons) y0 += kMinimizedNudge;
    } else if (y0 < kMinIconTop) {
      y0 = kMinIconTop;
    }
    if (frame_.HasSystemIcon()) {
      const int x = std::max(metrics_.IconX, 0);
      if (PointInRect(at, tk::Rect(x - lbw, y0, x - lbw + kIconSize, y0 + kIconSize)))
        frame_.FHotButton = hbIcon;
      const HICON own = frame_.GetIconHandle();
      const tk::TIcon copy = TitleIcon(own);
      const HICON icon = own != nullptr ? own : copy.Handle();
      if (icon != nullptr) {
        DrawIconEx(canvas.Handle(), x, y0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        GdiFlush();
      }
    }
    int bx = minimized_ ? w_ - bw_ - kMinimizedButtonsRight : w_ - metrics_.ButtonsX - bw_;
    const int by = minimized_ ? y0 : metrics_.ButtonsY;
    const bool zoomed = IsZoomed(wnd_) != 0;
    const std::array<TButtonSlot, 4> slots = {{
        {hbClose, frame_.HasCloseButton() ? kCloseFrame : 0},
        {hbMaximize,
         frame_.HasMaximizeButton() ? (zoomed || minimized_ ? kRestoreFrame : kMaximizeFrame) : 0},
        {hbMinimize,
         frame_.HasMinimizeButton() ? (minimized_ ? kRestoreFrame : kMinimizeFrame) : 0},
        {hbHelp, frame_.HasHelpButton() ? kHelpFrame : 0},
    }};
    for (const TButtonSlot& slot : slots) {
      if (slot.Frame == 0) continue;
      const tk::TRect hit = tk::Rect(bx - lbw, by, bx - lbw + bw_, by + bh_);
      int frameIndex = slot.Frame;
      if (PointInRect(at, hit)) {
        frame_.FHotButton = slot.Button;
        frameIndex += frame_.FPressed ? kPressedOffset : kHotOffset;
      }
      DrawButton(frameIndex, bx, by);
      MarkShown(slot.Button);
      if (slot.Button != hbHelp) bx -= bw_ + kButtonGap;
    }
    frame_.FButtonsLeft = bx + bw_;
  }

  // Frame frameIndex of the strip straight from the strip's pixels, its transparent pixels
  // left out when the skin says so.
  void DrawButton(int frameIndex, int x, int y) {
    if (strip_ == nullptr || bw_ <= 0) return;
    CopyPixels(*strip_, (frameIndex - 1) * bw_, bw_, *frame_.FTitleImage, x, y,
               reader_.GetBoolean(SKIN2_TITLEBTNTRANS), KeyPixel(), nullptr);
  }

  std::uint32_t KeyPixel() const {
    return tk::TBitmap::ColorToPixel(tk::GdiColor(metrics_.TransparentColor)) & kRgbMask;
  }

  void MarkShown(TzubHotButton button) {
    if (button == hbClose) frame_.FCloseShown = true;
    if (button == hbMaximize) frame_.FMaxShown = true;
    if (button == hbMinimize) frame_.FMinShown = true;
  }

  void PaintCaption(tk::TCanvas& canvas) {
    canvas.Brush().Style = tk::bsClear;
    canvas.Font().SetColor(frame_.FActive ? metrics_.TitleFontColor
                                          : metrics_.InactiveTitleFontColor);
    const int textY = minimized_ ? kMinimizedTextTop : metrics_.CaptionTop;
    if (!wideCaption_.empty()) {
      const HDC dc = canvas.Handle();
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, tk::GdiColor(canvas.Font().Color()));
      RECT r{textX_, textY, kCaptionRectRight, kCaptionRectBottom};
      DrawTextW(dc, wideCaption_.c_str(), static_cast<int>(wideCaption_.size()), &r, DT_SINGLELINE);
      GdiFlush();
    } else {
      canvas.TextOutAt(textX_, textY, caption_);
    }
    canvas.Brush().Style = tk::bsSolid;
  }

  // The image goes to the window in one copy; with an outline, through a composite in the
  // form colour with the image's transparent pixels left out.
  void CopyToWindow(HDC dc, int y, tk::TBitmap& image, bool throughComposite,
                    tk::TBitmap* composite) {
    if (image.Empty()) return;
    if (!throughComposite || composite == nullptr) {
      Blit(dc, 0, y, image);
      return;
    }
    composite->SetSize(image.Width(), image.Height());
    const std::uint32_t fill = tk::TBitmap::ColorToPixel(tk::GdiColor(metrics_.FormColor));
    GdiFlush();
    CopyPixels(image, 0, image.Width(), *composite, 0, 0, true, KeyPixel(), &fill);
    Blit(dc, 0, y, *composite);
  }

  void PaintBorders(HDC dc, int co) {
    const int bbh = metrics_.BottomBorderHeight;
    {
      tk::TCanvas window(dc);
      tk::TBitmap* left = SkinBitmap(reader_, SKIN2_FORMLEFTBORDER);
      tk::TBitmap* right = SkinBitmap(reader_, SKIN2_FORMRIGHTBORDER);
      StretchOnto(window, tk::Rect(0, co, WidthOf(left), h_ - bbh), left);
      StretchOnto(window, tk::Rect(w_ - WidthOf(right), co, w_, h_ - bbh), right);
    }
    PaintBottom();
    CopyToWindow(dc, h_ - bbh, *frame_.FBottomImage, frame_.FBottomNeedsRegion,
                 frame_.FBottomComposite.get());
    tk::TCanvas window(dc);
    PaintSideStrips(window);
  }

  // The bottom border depends only on the width and the skin, so it is composed again only
  // when either changed.
  void PaintBottom() {
    tk::TBitmap* first = SkinBitmap(reader_, SKIN2_FORMBOTTOMBORDER1);
    tk::TBitmap& image = *frame_.FBottomImage;
    if (frame_.FBottomComposed && image.Width() == w_ && image.Height() == HeightOf(first)) return;
    frame_.FBottomComposed = true;
    image.SetSize(w_, HeightOf(first));
    if (first == nullptr || image.Empty()) return;
    tk::TCanvas& canvas = image.Canvas();
    if (reader_.GetBoolean(SKIN2_BOTTOMBORDERTHREESECT)) {
      tk::TBitmap* last = SkinBitmap(reader_, SKIN2_FORMBOTTOMBORDER3);
      canvas.Draw(0, 0, *first);
      if (last != nullptr) canvas.Draw(w_ - last->Width(), 0, *last);
      StretchOnto(canvas, tk::Rect(first->Width(), 0, w_ - WidthOf(last), first->Height()),
                  SkinBitmap(reader_, SKIN2_FORMBOTTOMBORDER2));
    } else {
      DrawHorzThreePart(first, canvas, tk::Rect(0, 0, w_, first->Height()),
                        metrics_.TransparentColor, false);
    }
  }

  // Frames whose minimum insets exceed the skin's borders (MDI frames) fill the difference.
  void PaintSideStrips(tk::TCanvas& canvas) {
    const int lbw = metrics_.LeftBorderWidth;
    const int rbw = metrics_.RightBorderWidth;
    const int bbh = metrics_.BottomBorderHeight;
    const int side = frame_.FSideFrame;
    const int mh = frame_.GetMenuBarHeight();
    if (lbw < side) PaintSideStrip(canvas, lbw, side, mh);
    if (bbh < frame_.FBottomFrame)
      FillRectColor(canvas, tk::Rect(lbw, h_ - frame_.FBottomFrame, w_ - rbw, h_ - bbh),
                    metrics_.FormColor);
    if (rbw < side) PaintSideStrip(canvas, w_ - side, w_ - rbw, mh);
  }

  void PaintSideStrip(tk::TCanvas& canvas, int left, int right, int mh) {
    const int bbh = metrics_.BottomBorderHeight;
    FillRectColor(canvas, tk::Rect(left, mh + ch_, right, h_ - bbh), metrics_.FormColor);
    if (mh <= 0) return;
    const int top = ch_ + frame_.FExtraTop;
    const tk::TRect strip = tk::Rect(left, top, right, top + mh);
    const tk::TColor start = metrics_.MenuColors[0];
    const tk::TColor end = metrics_.MenuColors[1];
    if (tk::TBitmap* bar = SkinBitmap(reader_, SKIN2_MENUBAR))
      StretchOnto(canvas, strip, bar);
    else if (start == end)
      FillRectColor(canvas, strip, start);
    else
      DrawVerticalGradient(canvas, strip, start, end);
    if (!frame_.ToolBarBelowMenu() || start == metrics_.FormColor) return;
    canvas.Pen().Color = kToolBarShadow;
    canvas.MoveTo(left, top + mh);
    canvas.LineTo(right, top + mh);
    canvas.Pen().Color = kToolBarLight;
    canvas.MoveTo(left, top + mh + 1);
    canvas.LineTo(right, top + mh + 1);
  }

  TzubSkinWindow& frame_;
  HWND wnd_;
  TzubSkinEngine& engine_;
  const TzubSkinReader& reader_;
  const TzubSkinMetrics& metrics_;
  const int w_;
  const int h_;
  const int ch_;
  const bool minimized_;
  const bool maximizedMDIChild_;
  tk::TBitmap* strip_;
  int bw_ = 0;
  int bh_ = 0;
  int reserve_ = 0;
  int textX_ = 0;
  std::string caption_;
  std::wstring wideCaption_;
};

void TzubSkinWindow::PaintFrame() {
  if (!FEngine->SkinningActive() || !FSkinned || FTitleImage == nullptr) return;
  const HWND wnd = GetHandle();
  const tk::TRect bounds = WindowBounds();
  if (wnd == nullptr || bounds.Width() <= 0 || bounds.Height() <= 0) return;
  try {
    TFramePainter(*this, wnd, bounds).Paint();
  } catch (...) {
    // Out of memory or GDI resources: the frame stays as it was until the next paint.
  }
}

namespace {

// Bit per pixel of the rows the outline is cut from: set where the pixel is transparent.
void AppendKeyMask(std::vector<std::uint32_t>& inputs, const tk::TBitmap& image, int minRow,
                   int maxRow, tk::TColor key) {
  const bool allRows = minRow < 0 && maxRow < 0;
  const int first = allRows ? 0 : std::max(minRow, 0);
  const int last = allRows ? image.Height() - 1 : std::min(maxRow, image.Height() - 1);
  const std::uint32_t keyPixel = tk::TBitmap::ColorToPixel(key) & 0xFFFFFF;
  std::uint32_t word = 0;
  int bits = 0;
  for (int y = first; y <= last; ++y) {
    const std::uint32_t* row = image.ScanLine(y);
    for (int x = 0; x < image.Width(); ++x) {
      word = (word << 1) | ((row[x] & 0xFFFFFF) == keyPixel ? 1u : 0u);
      if (++bits == 32) {
        inputs.push_back(word);
        word = 0;
        bits = 0;
      }
    }
  }
  inputs.push_back(word);
}

bool HasRegion(HWND wnd) {
  tk::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  return region.Get() != nullptr && GetWindowRgn(wnd, region.Get()) != ERROR;
}

}  // namespace

// The window's outline from the last painted images. Images that do not fit the window's
// current size (never painted, or painted before a resize) are painted afresh first.
void TzubSkinWindow::UpdateRegion() {
  if (IsWin95() || !CanSetRegion() || !FEngine->SkinningActive() || !FSkinned ||
      FTitleImage == nullptr)
    return;
  const HWND wnd = GetHandle();
  const tk::TRect bounds = WindowBounds();
  const int w = bounds.Width();
  const int h = bounds.Height();
  if (wnd == nullptr || w <= 0 || h <= 0) return;
  try {
    const bool titleShown = FHasCaption && !(IsMDIChild() && IsZoomed(wnd));
    const bool bottomShown = FHasBorders && !IsIconic(wnd);
    if ((FTitleNeedsRegion || FBottomNeedsRegion) &&
        ((titleShown && FTitleImage->Width() != w) || (bottomShown && FBottomImage->Width() != w)))
      PaintFrame();
    const bool useTop = FTitleNeedsRegion && titleShown && FTitleImage->Width() == w;
    const bool useBottom = FBottomNeedsRegion && bottomShown && FBottomImage->Width() == w;
    const TzubSkinMetrics& m = FEngine->Metrics();
    std::vector<std::uint32_t> inputs = {static_cast<std::uint32_t>(w),
                                         static_cast<std::uint32_t>(h), useTop, useBottom};
    if (useTop) {
      inputs.push_back(static_cast<std::uint32_t>(FTitleImage->Height()));
      AppendKeyMask(inputs, *FTitleImage, m.TitleRegionMinY, m.TitleRegionMaxY, m.TransparentColor);
    }
    if (useBottom) {
      inputs.push_back(static_cast<std::uint32_t>(FBottomImage->Height()));
      AppendKeyMask(inputs, *FBottomImage, m.BottomRegionMinY, m.BottomRegionMaxY,
                    m.TransparentColor);
    }
    if (inputs == FOutlineInputs && HasRegion(wnd)) return;
    if (!FTitleNeedsRegion && !FBottomNeedsRegion)
      SetWindowRgn(wnd, CreateRectRgn(0, 0, w, h), TRUE);
    else
      CreateFrameRegion(wnd, FTitleImage.get(), FBottomImage.get(), useTop, useBottom,
                        m.TitleRegionMinY, m.TitleRegionMaxY, m.BottomRegionMinY,
                        m.BottomRegionMaxY, m.TransparentColor, h, w);
    FOutlineInputs = std::move(inputs);
  } catch (...) {
    // Out of memory or GDI resources: the window keeps its previous outline.
  }
}

}  // namespace skin
