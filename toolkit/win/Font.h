#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "GdiObject.h"
#include "toolkit/core/Object.h"
#include "toolkit/core/Types.h"

namespace tk {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
// A set of TFontStyle bits.
using TFontStyles = unsigned;

inline constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);

// A logical font. The properties are those of a LOGFONTA; Handle makes the HFONT from them on
// first use and keeps it until a property changes.
class TFont : public TObject {
 public:
  TFont();

  std::string Name() const { return logFont_.lfFaceName; }
  void SetName(const std::string& name);
  // Negative values give the character height in pixels, positive ones the cell height.
  int Height() const { return logFont_.lfHeight; }
  void SetHeight(int height);
  // Points at the screen's resolution, from and to Height.
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  TFontStyles Style() const;
  void SetStyle(TFontStyles style);
  std::uint8_t Charset() const { return logFont_.lfCharSet; }
  void SetCharset(std::uint8_t charset);

  HFONT Handle();
  // Takes ownership of an HFONT and reads its properties from it; a handle GDI does not know
  // as a font is deleted and changes nothing.
  void SetHandle(HFONT font);
  void Assign(const TFont& source);

  // Called before the HFONT is freed, so that a device context using it can let go of it.
  void SetChangeHook(std::function<void()> hook) { changeHook_ = std::move(hook); }

 private:
  void Changing();
  void CopyFaceName(const std::string& name);

  LOGFONTA logFont_{};
  TColor color_ = clWindowText;
  TFontHandle handle_;
  std::function<void()> changeHook_;
};

}  // namespace tk
