#include "Font.h"

#include <cstring>

namespace tk {

namespace {

constexpr const char* kDefaultName = "MS Sans Serif";
constexpr int kDefaultHeight = -11;
constexpr int kPointsPerInch = 72;
constexpr LONG kBoldWeight = FW_BOLD;

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

TFont::TFont() {
  logFont_.lfHeight = kDefaultHeight;
  logFont_.lfWeight = FW_NORMAL;
  logFont_.lfCharSet = DEFAULT_CHARSET;
  logFont_.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont_.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont_.lfQuality = DEFAULT_QUALITY;
  logFont_.lfPitchAndFamily = DEFAULT_PITCH;
  CopyFaceName(kDefaultName);
}

void TFont::Changing() {
  if (changeHook_) changeHook_();
  handle_.Reset();
}

void TFont::SetName(const std::string& name) {
  Changing();
  CopyFaceName(name);
}

// Longer names are cut to what a LOGFONT holds, leaving room for the terminating zero.
void TFont::CopyFaceName(const std::string& name) {
  std::memset(logFont_.lfFaceName, 0, sizeof logFont_.lfFaceName);
  name.copy(logFont_.lfFaceName, LF_FACESIZE - 1);
}

void TFont::SetHeight(int height) {
  Changing();
  logFont_.lfHeight = height;
}

int TFont::Size() const {
  return -MulDiv(logFont_.lfHeight, kPointsPerInch, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, ScreenPixelsPerInch(), kPointsPerInch));
}

TFontStyles TFont::Style() const {
  TFontStyles style = 0;
  if (logFont_.lfWeight >= kBoldWeight) style |= fsBold;
  if (logFont_.lfItalic != 0) style |= fsItalic;
  if (logFont_.lfUnderline != 0) style |= fsUnderline;
  if (logFont_.lfStrikeOut != 0) style |= fsStrikeOut;
  return style;
}

void TFont::SetStyle(TFontStyles style) {
  Changing();
  logFont_.lfWeight = (style & fsBold) != 0 ? kBoldWeight : FW_NORMAL;
  logFont_.lfItalic = (style & fsItalic) != 0;
  logFont_.lfUnderline = (style & fsUnderline) != 0;
  logFont_.lfStrikeOut = (style & fsStrikeOut) != 0;
}

void TFont::SetCharset(std::uint8_t charset) {
  Changing();
  logFont_.lfCharSet = charset;
}

HFONT TFont::Handle() {
  if (!handle_) handle_.Reset(CreateFontIndirectA(&logFont_));
  return handle_.Get();
}

void TFont::SetHandle(HFONT font) {
  TFontHandle owned(font);
  LOGFONTA logFont{};
  if (font == nullptr || GetObjectA(font, sizeof logFont, &logFont) != sizeof logFont) return;
  Changing();
  logFont_ = logFont;
  handle_ = std::move(owned);
}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  Changing();
  logFont_ = source.logFont_;
  color_ = source.color_;
}

}  // namespace tk
