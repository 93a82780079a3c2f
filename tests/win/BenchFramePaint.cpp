// Frame painting figures under Wine: the skinned non-client paint of an 800 x 600 window
// against the native one of the same window, and the cost of rebuilding the outline of a
// 1920-pixel-wide window. Prints figures only; nothing here passes or fails on time.
#include <windows.h>

#include <cstdio>
#include <string>

#include "skin/reader/Skin2Define.h"
#include "skin/utils/PixelUtils.h"
#include "skin/utils/WinDrawing.h"
#include "tests/win/SkinWindowTestFrame.h"
#include "tests/win/SkinWindowTestSupport.h"

namespace {

using namespace testing_support;

constexpr int kRounds = 10;
constexpr int kPaintsPerRound = 50;
constexpr int kRegionBuilds = 200;

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / frequency;
}

// Microseconds per WM_NCPAINT of the whole window.
double PaintMicros(HWND wnd, int count) {
  const double start = Now();
  for (int i = 0; i < count; ++i) SendMessageW(wnd, WM_NCPAINT, 1, 0);
  GdiFlush();
  return (Now() - start) / count;
}

// Microseconds per run of one step of a frame paint.
template <typename TStep>
double StepMicros(int count, TStep step) {
  const double start = Now();
  for (int i = 0; i < count; ++i) step();
  GdiFlush();
  return (Now() - start) / count;
}

// The steps a skinned paint of the window is made of, each timed alone, so that the figures
// show what dominates.
void PrintPaintSteps(skin::TzubSkinEngine* engine, HWND wnd) {
  constexpr int kSteps = 200;
  const skin::TzubSkinReader& reader = engine->Reader();
  tk::TBitmap title(800, 31);
  tk::TBitmap bottom(800, 5);
  tk::TBitmap* left = reader.GetBitmap(skin::SKIN2_FORMLEFTBORDER);
  tk::TBitmap* border = reader.GetBitmap(skin::SKIN2_FORMBOTTOMBORDER1);
  tk::TBitmap* filler = reader.GetBitmap(skin::SKIN2_TITLEBAR4);
  tk::TWindowDC dc(wnd);
  std::printf("  caption font (made again only when the system setting changes): %.1f us\n",
              StepMicros(kSteps, [&] { skin::SetCaptionFont(title.Canvas().Font()); }));
  std::printf("  title filler stretch: %.1f us\n", StepMicros(kSteps, [&] {
                title.Canvas().StretchDraw(tk::Rect(100, 0, 786, 31), *filler);
              }));
  std::printf("  bottom three parts (composed again only on a width or skin change): %.1f us\n",
              StepMicros(kSteps, [&] {
                skin::DrawHorzThreePart(border, bottom.Canvas(), tk::Rect(0, 0, 800, 5), 0, false);
              }));
  std::printf("  side border stretch on the window: %.1f us\n", StepMicros(kSteps, [&] {
                tk::TCanvas canvas(dc.Get());
                canvas.StretchDraw(tk::Rect(0, 31, 5, 595), *left);
              }));
  std::printf("  title copy to the window: %.1f us\n", StepMicros(kSteps, [&] {
                tk::TBitmapDC source(title);
                BitBlt(dc.Get(), 0, 0, 800, 31, source.Get(), 0, 0, SRCCOPY);
              }));
  tk::TBitmap composite(800, 31);
  title.SetTransparentColor(engine->Metrics().TransparentColor);
  title.SetTransparent(true);
  std::printf("  toolkit keyed Draw of the title (the frame keys on the pixels instead): %.1f us\n",
              StepMicros(kSteps, [&] { composite.Canvas().Draw(0, 0, title); }));
  title.SetTransparent(false);
  tk::TBitmap button;
  std::printf(
      "  toolkit ExtractFrame + Draw of a button (the frame copies pixels instead): %.1f us\n",
      StepMicros(kSteps, [&] {
        skin::ExtractFrame(reader.GetBitmap(skin::SKIN2_TITLEBUTTONS), &button, 18, 16);
        title.Canvas().Draw(375, 9, button);
      }));
  std::printf("  window DC taken and given back: %.1f us\n",
              StepMicros(kSteps, [&] { tk::TWindowDC other(wnd); }));
  std::printf("  caption text: %.1f us\n", StepMicros(kSteps, [&] {
                title.Canvas().Brush().Style = tk::bsClear;
                title.Canvas().TextOutAt(41, 9, "Frame benchmark");
              }));
}

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main() {
  TTestEngine engine(SkinPackage("default"));
  CursorAway();
  {
    double skinned = 0;
    double native = 0;
    TFrameWindow window(800, 600, WS_OVERLAPPEDWINDOW, L"Frame benchmark");
    TFrameAnswers answers;
    answers.SystemIcon = true;
    auto frame = TTestFrame::Make(engine.Get(), window.Handle(), answers);
    PaintMicros(window.Handle(), kPaintsPerRound);
    for (int round = 0; round < kRounds; ++round) {
      frame->SetSkinned(true);
      DrainMessages();
      skinned += PaintMicros(window.Handle(), kPaintsPerRound);
      frame->SetSkinned(false);
      DrainMessages();
      native += PaintMicros(window.Handle(), kPaintsPerRound);
    }
    frame->SetSkinned(true);
    DrainMessages();
    skinned /= kRounds;
    native /= kRounds;
    std::printf("non-client paint, 800 x 600: skinned %.1f us, native %.1f us, ratio %.2f\n",
                skinned, native, skinned / native);
    PrintPaintSteps(engine.Get(), window.Handle());
  }

  TFrameWindow wide(1920, 400, WS_OVERLAPPEDWINDOW, L"Region benchmark");
  auto frame = TTestFrame::Make(engine.Get(), wide.Handle());
  frame->PaintFrame();
  frame->UpdateRegion();
  const double start = Now();
  for (int i = 0; i < kRegionBuilds; ++i) frame->UpdateRegion();
  const double region = (Now() - start) / kRegionBuilds;
  DrainMessages();
  std::printf("UpdateRegion, 1920 wide: %.1f us\n", region);
  const double plainStart = Now();
  for (int i = 0; i < kRegionBuilds; ++i)
    SetWindowRgn(wide.Handle(), CreateRectRgn(0, 0, 1920, 400), TRUE);
  const double plain = (Now() - plainStart) / kRegionBuilds;
  DrainMessages();
  std::printf("  of which a window region's hand-over alone (plain rectangle): %.1f us\n", plain);
  return 0;
}
