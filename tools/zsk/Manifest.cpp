#include "tools/zsk/Manifest.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <utility>

#include "toolkit/core/Bitmap.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/core/SysUtils.h"
#include "tools/zsk/PackageWriter.h"

namespace zsk {

namespace fs = std::filesystem;

namespace {

constexpr const char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr char kCommentStart = '#';
constexpr char kColorStart = '#';
constexpr char kQuote = '"';
constexpr std::size_t kColorDigits = 6;
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;
constexpr std::uint64_t kMaxHexValue = UINT32_MAX;
constexpr std::uint64_t kMaxDecimalValue = INT32_MAX;
constexpr std::uint64_t kMaxNegativeMagnitude = static_cast<std::uint64_t>(INT32_MAX) + 1;
constexpr int kMaxBooleanByte = UINT8_MAX;
constexpr const char* kBitmapExtension = ".BMP";
constexpr const char* kIntegerForms = "a 32-bit decimal or 0x hex number";
constexpr const char* kColorForm = "#RRGGBB";
constexpr const char* kBooleanForms = "true, false or 0-255";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Splits off the first word of text; text keeps the rest, leading blanks removed.
std::string TakeWord(std::string& text) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  std::string word = text.substr(0, end);
  text = Trim(text.substr(end));
  return word;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + kDecimalBase;
  if (c >= 'A' && c <= 'F') return c - 'A' + kDecimalBase;
  return kHexBase;  // not a digit in any base used here
}

// Digits of the given base, nothing else, with a value of at most limit.
std::optional<std::uint64_t> ParseDigits(const std::string& digits, int base, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = DigitValue(c);
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return value;
}

// Decimal or 0x hex with an optional sign. An unsigned hex number may use all 32 bits
// (0xFF000000 is the bit pattern, a negative integer); decimal stays within the int32 range.
std::optional<std::int32_t> ParseInteger(const std::string& token) {
  std::size_t pos = 0;
  const bool negative = !token.empty() && token[0] == '-';
  if (!token.empty() && (token[0] == '-' || token[0] == '+')) ++pos;
  const bool hex = token.size() > pos + 1 && token[pos] == '0' &&
                   (token[pos + 1] == 'x' || token[pos + 1] == 'X');
  if (hex) pos += 2;
  const std::uint64_t limit = negative ? kMaxNegativeMagnitude
                              : hex    ? kMaxHexValue
                                       : kMaxDecimalValue;
  const auto magnitude = ParseDigits(token.substr(pos), hex ? kHexBase : kDecimalBase, limit);
  if (!magnitude) return std::nullopt;
  const std::uint32_t bits = static_cast<std::uint32_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

std::optional<std::int32_t> ParseColor(const std::string& token) {
  if (token.size() != 1 + kColorDigits || token[0] != kColorStart) return std::nullopt;
  const auto rgb = ParseDigits(token.substr(1), kHexBase, kMaxHexValue);
  if (!rgb) return std::nullopt;
  return tk::RGBColor(static_cast<std::uint8_t>(*rgb >> 16), static_cast<std::uint8_t>(*rgb >> 8),
                      static_cast<std::uint8_t>(*rgb));
}

std::optional<std::uint8_t> ParseBoolean(const std::string& token) {
  if (token == "true") return 1;
  if (token == "false") return 0;
  const auto value = ParseDigits(token, kDecimalBase, kMaxBooleanByte);
  if (!value) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && text.front() == kQuote && text.back() == kQuote) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

class LineParser {
 public:
  LineParser(const std::string& source, int line) : source_(source), line_(line) {}

  [[noreturn]] void Fail(const std::string& message) const {
    throw EManifestError(source_ + ":" + std::to_string(line_) + ": " + message);
  }

  ManifestItem Parse(std::string rest) const {
    const std::string kind = TakeWord(rest);
    if (kind != "bitmap" && kind != "integer" && kind != "color" && kind != "boolean" &&
        kind != "string") {
      Fail("unknown kind '" + kind + "' (expected bitmap, integer, color, boolean or string)");
    }
    const std::string name = TakeWord(rest);
    if (name.empty()) Fail("missing element name after '" + kind + "'");
    if (name.size() > skin::kSk2NameSize) {
      Fail("name longer than " + std::to_string(skin::kSk2NameSize) + " bytes: " + name);
    }
    if (kind == "string") return Item(StringElement(name, Unquote(rest)));
    if (kind == "bitmap") {
      if (rest.empty()) Fail("missing bitmap file name for " + name);
      ManifestItem item = Item(BitmapElement(name, {}));
      item.bitmapFile = rest;
      return item;
    }
    if (kind == "integer") {
      return Item(IntegerElement(name, Value(rest, name, ParseInteger, kIntegerForms)));
    }
    if (kind == "color") {
      return Item(IntegerElement(name, Value(rest, name, ParseColor, kColorForm)));
    }
    // The kind is "boolean", the only one left.
    return Item(
        SkinElement{name, skin::skBoolean, {Value(rest, name, ParseBoolean, kBooleanForms)}});
  }

 private:
  ManifestItem Item(SkinElement element) const {
    return ManifestItem{line_, {}, std::move(element)};
  }

  // The single word of rest, converted by parse; expected describes the words it takes.
  template <typename T>
  T Value(std::string rest, const std::string& name, std::optional<T> (*parse)(const std::string&),
          const char* expected) const {
    const std::string word = TakeWord(rest);
    if (word.empty()) Fail("missing value for " + name);
    if (!rest.empty()) Fail("unexpected text after the value of " + name + ": " + rest);
    const auto value = parse(word);
    if (!value) Fail("bad value for " + name + ": " + word + " (expected " + expected + ")");
    return *value;
  }

  const std::string& source_;
  int line_;
};

bool IsBitmapFile(const fs::directory_entry& entry) {
  return entry.is_regular_file() &&
         tk::UpperCase(entry.path().extension().string()) == kBitmapExtension;
}

void LoadBitmap(const std::string& folder, const std::string& source, ManifestItem& item) {
  const std::string path = (fs::path(folder) / item.bitmapFile).string();
  const LineParser at(source, item.line);
  if (!tk::FileExists(path)) at.Fail("bitmap file not found: " + item.bitmapFile);
  item.element.data = ReadFileBytes(path);
  try {
    tk::TBytesStream stream(item.element.data.data(),
                            static_cast<std::int64_t>(item.element.data.size()));
    tk::TBitmap().LoadFromStream(stream);
  } catch (const tk::Exception& e) {
    at.Fail("not a readable BMP file: " + item.bitmapFile + " (" + e.Message() + ")");
  }
}

void WarnAboutUnlistedBitmaps(const std::string& folder, const std::vector<ManifestItem>& items,
                              std::vector<std::string>& warnings) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (!IsBitmapFile(entry)) continue;
    bool listed = false;
    for (const ManifestItem& item : items) {
      std::error_code error;
      if (item.element.kind == skin::skBitmap &&
          fs::equivalent(entry.path(), fs::path(folder) / item.bitmapFile, error)) {
        listed = true;
        break;
      }
    }
    if (!listed) {
      warnings.push_back(entry.path().string() + ": not named in " + kManifestFileName +
                         ", not packed");
    }
  }
}

void WarnAboutRepeatedNames(const std::string& source, const std::vector<ManifestItem>& items,
                            std::vector<std::string>& warnings) {
  std::map<std::pair<int, std::string>, int> firstLine;
  for (const ManifestItem& item : items) {
    const auto key =
        std::make_pair(static_cast<int>(item.element.kind), tk::UpperCase(item.element.name));
    const auto [found, inserted] = firstLine.emplace(key, item.line);
    if (!inserted) {
      warnings.push_back(source + ":" + std::to_string(item.line) + ": " + item.element.name +
                         " repeats line " + std::to_string(found->second) +
                         "; the engine finds the first");
    }
  }
}

bool IsNameByte(char c) {
  return !IsBlank(c) && c != '\r' && c != '\n' && c != '\0';
}

bool HasLineBreak(const std::vector<std::uint8_t>& text) {
  for (std::uint8_t c : text) {
    if (c == '\r' || c == '\n') return true;
  }
  return false;
}

}  // namespace

std::vector<ManifestItem> ParseManifest(const std::string& text, const std::string& source) {
  std::vector<ManifestItem> items;
  const std::size_t bomSize = text.starts_with(kUtf8Bom) ? sizeof kUtf8Bom - 1 : 0;
  std::size_t start = bomSize;
  for (int line = 1; start <= text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string content = text.substr(start, end - start);
    if (!content.empty() && content.back() == '\r') content.pop_back();
    content = Trim(content);
    if (!content.empty() && content[0] != kCommentStart) {
      items.push_back(LineParser(source, line).Parse(content));
    }
    start = end + 1;
  }
  return items;
}

SkinFolder LoadSkinFolder(const std::string& folder) {
  const std::string source = (fs::path(folder) / kManifestFileName).string();
  const std::vector<std::uint8_t> bytes = ReadFileBytes(source);
  std::vector<ManifestItem> items = ParseManifest(std::string(bytes.begin(), bytes.end()), source);
  SkinFolder result;
  for (ManifestItem& item : items) {
    if (item.element.kind == skin::skBitmap) LoadBitmap(folder, source, item);
  }
  WarnAboutUnlistedBitmaps(folder, items, result.warnings);
  WarnAboutRepeatedNames(source, items, result.warnings);
  for (ManifestItem& item : items) result.elements.push_back(std::move(item.element));
  return result;
}

std::optional<std::string> ManifestProblem(const SkinElement& element) {
  const std::string& name = element.name;
  if (name.empty()) return "an empty name";
  if (name.size() > skin::kSk2NameSize) return "a name longer than 64 bytes";
  for (char c : name) {
    if (!IsNameByte(c)) return "a name that is not one word";
  }
  switch (element.kind) {
    case skin::skBitmap:
    case skin::skInteger:
    case skin::skBoolean: return std::nullopt;
    case skin::skString:
      if (HasLineBreak(element.data)) return "a text with a line break";
      return std::nullopt;
  }
  return "unknown kind " + std::to_string(static_cast<int>(element.kind));
}

std::string ManifestLine(const SkinElement& element, const std::string& bitmapFile) {
  const std::string& name = element.name;
  switch (element.kind) {
    case skin::skBitmap: return "bitmap " + name + " " + bitmapFile;
    case skin::skInteger:
      return "integer " + name + " " + std::to_string(skin::Sk2IntegerValue(element.data));
    case skin::skBoolean: {
      const std::uint8_t value = skin::Sk2BooleanValue(element.data);
      const std::string word = value == 0 ? "false" : value == 1 ? "true" : std::to_string(value);
      return "boolean " + name + " " + word;
    }
    case skin::skString:
      return "string " + name + " " + kQuote +
             std::string(element.data.begin(), element.data.end()) + kQuote;
  }
  return std::string();
}

}  // namespace zsk
