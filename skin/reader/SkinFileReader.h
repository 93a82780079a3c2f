#pragma once

#include <cstdint>
#include <string>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/StringList.h"

namespace skin {

inline constexpr const char* kWrongPasswordMessage = "Wrong password!";
inline constexpr const char* kFailedToReadSkinMessage = "Failed to read skin file!";

// The element store of one skin package: its skin data file read into four case-insensitive
// lists in file order (bitmaps with their owned bitmap objects, and NAME=value lines of
// integers, booleans and strings). It never reloads; open another skin with a new store.
class Tsk2SkinFileReader : public tk::TObject {
 public:
  // Loads the package. Raises tk::Exception with kWrongPasswordMessage or
  // kFailedToReadSkinMessage, or the bitmap exception of an invalid picture. The temporary
  // file the skin data passes through is deleted whatever happens.
  Tsk2SkinFileReader(const std::string& fileName, const std::string& password);
  ~Tsk2SkinFileReader() override;

  // Borrowed; valid as long as the store.
  tk::TBitmap* FindBitmap(const std::string& name) const;
  // -1 when the name is missing or its value is not a decimal integer.
  std::int32_t FindInteger(const std::string& name) const;
  // True when the stored number's low byte is not 0.
  bool FindBoolean(const std::string& name) const;
  void SetAllTransparent(tk::TColor color);

  const tk::TStringList& Bitmaps() const { return bitmaps_; }
  const tk::TStringList& Integers() const { return integers_; }
  const tk::TStringList& Booleans() const { return booleans_; }
  const tk::TStringList& Strings() const { return strings_; }

 private:
  void Load(const std::string& fileName, const std::string& password);
  void FreeBitmaps();

  tk::TStringList bitmaps_;
  tk::TStringList integers_;
  tk::TStringList booleans_;
  tk::TStringList strings_;
};

}  // namespace skin
