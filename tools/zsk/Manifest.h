#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/Exception.h"
#include "tools/zsk/Sk2Writer.h"

namespace zsk {

// The text file that describes a skin folder. One element per line, packed in line order:
//   bitmap  NAME FILE.bmp        a BMP file of the folder, stored byte for byte
//   integer NAME VALUE           decimal or 0x hex, with an optional sign
//   color   NAME #RRGGBB         stored as the integer 0x00BBGGRR
//   boolean NAME true|false      or a number 0-255 (1 and 0 mean true and false)
//   string  NAME text            the rest of the line, trimmed; a text in double quotes
//                                keeps everything between the first and the last quote
// Blank lines and lines starting with '#' are ignored. Names are one word of at most 64 bytes.
inline constexpr const char* kManifestFileName = "skin.txt";

// A malformed manifest line or a bitmap the manifest names that cannot be read. The message
// is one line, "SOURCE:LINE: what is wrong".
class EManifestError : public tk::Exception {
  using Exception::Exception;
};

struct ManifestItem {
  int line;
  std::string bitmapFile;  // bitmaps only, relative to the folder; element.data is left empty
  SkinElement element;
};

// Parses manifest text; source names it in error messages.
std::vector<ManifestItem> ParseManifest(const std::string& text, const std::string& source);

struct SkinFolder {
  std::vector<SkinElement> elements;  // manifest order, bitmaps loaded
  std::vector<std::string> warnings;  // one line each, for the user
};

// Reads folder/skin.txt and the bitmaps it names. Every bitmap must decode as a BMP. Warns
// about BMP files of the folder that the manifest does not name (they are not packed) and
// about a name given twice to elements of one kind (the engine finds the first).
SkinFolder LoadSkinFolder(const std::string& folder);

// Why element cannot be written as a manifest line (a name that is not one word, a text with
// a line break), or nullopt when it can.
std::optional<std::string> ManifestProblem(const SkinElement& element);

// The manifest line, without line break, that parses back into element; bitmapFile is the
// picture's file name for a bitmap and ignored otherwise. The element must have no problem.
std::string ManifestLine(const SkinElement& element, const std::string& bitmapFile);

}  // namespace zsk
