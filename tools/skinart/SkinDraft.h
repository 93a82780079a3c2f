#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/skinart/Paint.h"

namespace skinart {

// The elements of one skin in the order they are packed, written out as a skin folder: one
// BMP file per bitmap (named after the element) and the manifest skin.txt.
class SkinDraft {
 public:
  explicit SkinDraft(std::string title) : title_(std::move(title)) {}

  void Bitmap(const std::string& name, const tk::TBitmap& bitmap);
  // A colour in the platform layout 0x00BBGGRR.
  void Color(const std::string& name, tk::TColor color);
  void Integer(const std::string& name, std::int32_t value);
  void Boolean(const std::string& name, bool value);

  // Writes into folder (created when missing) after removing the BMP files and the manifest
  // an earlier run left there, so the folder holds exactly this skin.
  void Write(const std::string& folder) const;

  // The BMP file name of a bitmap element: its name without the SKIN2_ prefix, lower case.
  static std::string BitmapFileName(const std::string& name);

 private:
  struct Item {
    std::string keyword;
    std::string name;
    std::string value;
    Picture bitmap;
  };
  std::string title_;
  std::vector<Item> items_;
};

}  // namespace skinart
