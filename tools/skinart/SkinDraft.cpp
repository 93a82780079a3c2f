#include "tools/skinart/SkinDraft.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"

namespace skinart {

namespace {

namespace fs = std::filesystem;

constexpr const char* kManifest = "skin.txt";
constexpr const char* kNamePrefix = "SKIN2_";
// Column widths of the manifest: keyword, then element name.
constexpr int kKeywordColumn = 8;
constexpr int kNameColumn = 34;

std::string Padded(const std::string& text, int width) {
  return text +
         std::string(text.size() < static_cast<std::size_t>(width) ? width - text.size() : 1, ' ');
}

}  // namespace

std::string SkinDraft::BitmapFileName(const std::string& name) {
  std::string base =
      name.starts_with(kNamePrefix) ? name.substr(std::string(kNamePrefix).size()) : name;
  for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return base + ".bmp";
}

void SkinDraft::Bitmap(const std::string& name, const tk::TBitmap& bitmap) {
  Item item{"bitmap", name, BitmapFileName(name), {}};
  item.bitmap.Assign(bitmap);
  item.bitmap.SetPixelFormat(tk::pf24bit);
  items_.push_back(std::move(item));
}

void SkinDraft::Color(const std::string& name, tk::TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", tk::RedOf(color), tk::GreenOf(color),
                tk::BlueOf(color));
  items_.push_back({"color", name, text, {}});
}

void SkinDraft::Integer(const std::string& name, std::int32_t value) {
  items_.push_back({"integer", name, std::to_string(value), {}});
}

void SkinDraft::Boolean(const std::string& name, bool value) {
  items_.push_back({"boolean", name, value ? "true" : "false", {}});
}

void SkinDraft::Write(const std::string& folder) const {
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(folder)) {
    const fs::path& path = entry.path();
    if (entry.is_regular_file() && (path.extension() == ".bmp" || path.filename() == kManifest)) {
      fs::remove(path);
    }
  }
  std::ofstream manifest(fs::path(folder) / kManifest, std::ios::binary);
  manifest << "# " << title_ << "\n"
           << "# Drawn by skinart; pack with: zsk pack FOLDER OUT.zsk\n\n";
  const std::string* previousKeyword = nullptr;
  for (const Item& item : items_) {
    // A blank line between the groups of one kind.
    if (previousKeyword != nullptr && *previousKeyword != item.keyword) manifest << "\n";
    previousKeyword = &item.keyword;
    manifest << Padded(item.keyword, kKeywordColumn) << Padded(item.name, kNameColumn) << item.value
             << "\n";
    if (item.keyword != "bitmap") continue;
    tk::TFileStream file((fs::path(folder) / item.value).string(), tk::fmCreate);
    item.bitmap.SaveToStream(file);
  }
  if (!manifest) throw tk::Exception("cannot write " + (fs::path(folder) / kManifest).string());
}

}  // namespace skinart
