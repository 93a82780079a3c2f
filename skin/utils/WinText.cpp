#include <windows.h>

#include <cstddef>

#include "WinDrawing.h"

namespace skin {

namespace {

constexpr tk::TColor clMenuText = static_cast<tk::TColor>(0xFF000007);
constexpr const char* kEllipsis = "...";
constexpr const wchar_t* kWideEllipsis = L"...";

// NONCLIENTMETRICSA as systems before Vista know it (no padded border width): every version
// answers for this size.
constexpr UINT kClassicNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == kClassicNonClientMetricsSize);

bool ReadNonClientMetrics(NONCLIENTMETRICSA& metrics) {
  metrics = {};
  metrics.cbSize = kClassicNonClientMetricsSize;
  return SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kClassicNonClientMetricsSize, &metrics,
                               0) != 0;
}

// Length of the character starting at text[i]: a lead byte takes its trail byte along.
std::size_t CharLength(const std::string& text, std::size_t i) {
  return IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

std::size_t CharLength(const std::wstring& text, std::size_t i) {
  return IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
}

// Tries prefixes of one, two, ... characters (never the whole text) followed by the ellipsis.
template <typename String, typename Measure>
String Shorten(const String& text, int maxWidth, const typename String::value_type* ellipsis,
               Measure width) {
  if (width(text) <= maxWidth) return text;
  for (std::size_t end = CharLength(text, 0); end < text.size(); end += CharLength(text, end)) {
    String candidate = text.substr(0, end) + ellipsis;
    if (width(candidate) >= maxWidth) return candidate;
  }
  return text;
}

}  // namespace

void SetCaptionFont(tk::TFont& font) {
  NONCLIENTMETRICSA metrics;
  if (ReadNonClientMetrics(metrics)) font.SetHandle(CreateFontIndirectA(&metrics.lfCaptionFont));
}

void SetMenuFont(tk::TFont& font) {
  NONCLIENTMETRICSA metrics;
  if (!ReadNonClientMetrics(metrics)) return;
  font.SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
  font.SetColor(clMenuText);
}

std::string EllipsisText(tk::TCanvas& canvas, const std::string& text, int maxWidth) {
  if (text.empty()) return text;
  return Shorten(text, maxWidth, kEllipsis,
                 [&canvas](const std::string& s) { return canvas.TextWidth(s); });
}

std::wstring EllipsisTextW(tk::TCanvas& canvas, const std::wstring& text, int maxWidth) {
  if (text.empty()) return text;
  return Shorten(text, maxWidth, kWideEllipsis,
                 [&canvas](const std::wstring& s) { return WideTextWidth(canvas, s); });
}

int WideTextWidth(tk::TCanvas& canvas, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(canvas.Handle(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace skin
