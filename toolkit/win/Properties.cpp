#include "Properties.h"

#include <charconv>
#include <system_error>

#include "Control.h"
#include "toolkit/core/SysUtils.h"

namespace tk {

namespace {

struct TClassTable {
  TClass Class;
  std::vector<TPropInfo> Properties;
};

std::vector<TClassTable> ToolkitTables() {
  std::vector<TClassTable> tables;
  for (auto& [cls, table] : ToolkitPropertyTables()) tables.push_back({cls, std::move(table)});
  return tables;
}

std::vector<TClassTable>& Tables() {
  static std::vector<TClassTable> tables = ToolkitTables();
  return tables;
}

const std::vector<TPropInfo>* OwnTable(TClass cls) {
  for (const TClassTable& entry : Tables())
    if (entry.Class == cls) return &entry.Properties;
  return nullptr;
}

const TPropInfo& Require(const TObject& object, std::string_view name) {
  const TPropInfo* prop = FindProperty(object, name);
  if (prop == nullptr)
    throw EPropertyError(std::string(object.ClassName()) + " has no property " + std::string(name));
  return *prop;
}

[[noreturn]] void Fail(const TPropInfo& prop, const std::string& problem) {
  throw EPropertyError(prop.Name + ": " + problem);
}

void RequireKind(const TPropInfo& prop, bool fits, const char* expected) {
  if (!fits) Fail(prop, std::string("not ") + expected + " property");
}

// ---- Text of values -----------------------------------------------------------------------

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kEscapeHexDigits = 4;
constexpr char32_t kFirstPlainChar = 0x20;
constexpr char32_t kLastPlainChar = 0x7E;
constexpr wchar_t kLastNarrowUnit = 0xFF;

std::string Quote(const std::wstring& units) {
  std::string out = "\"";
  for (const wchar_t unit : units) {
    switch (unit) {
      case L'"': out += "\\\""; break;
      case L'\\': out += "\\\\"; break;
      case L'\n': out += "\\n"; break;
      case L'\r': out += "\\r"; break;
      case L'\t': out += "\\t"; break;
      default:
        if (static_cast<char32_t>(unit) >= kFirstPlainChar &&
            static_cast<char32_t>(unit) <= kLastPlainChar) {
          out += static_cast<char>(unit);
        } else {
          out += "\\u";
          for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(unit >> shift) & 0xF];
        }
    }
  }
  return out + "\"";
}

wchar_t ParseEscape(const TPropInfo& prop, std::string_view body, std::size_t& i) {
  if (i >= body.size()) Fail(prop, "unterminated escape");
  switch (body[i++]) {
    case '"': return L'"';
    case '\\': return L'\\';
    case 'n': return L'\n';
    case 'r': return L'\r';
    case 't': return L'\t';
    case 'u': break;
    default: Fail(prop, "bad escape");
  }
  if (body.size() - i < kEscapeHexDigits) Fail(prop, "bad escape");
  unsigned unit = 0;
  for (int k = 0; k < kEscapeHexDigits; ++k) {
    const int digit = HexDigitValue(body[i++]);
    if (digit < 0) Fail(prop, "bad escape");
    unit = unit << 4 | static_cast<unsigned>(digit);
  }
  return static_cast<wchar_t>(unit);
}

std::wstring Unquote(const TPropInfo& prop, std::string_view text) {
  if (text.empty() || text.front() != '"') Fail(prop, "quoted string expected");
  if (text.size() < 2 || text.back() != '"') Fail(prop, "unterminated string");
  const std::string_view body = text.substr(1, text.size() - 2);
  std::wstring units;
  for (std::size_t i = 0; i < body.size();) {
    const char c = body[i++];
    if (c == '\\') {
      // An escaped quote at the very end leaves the string open.
      if (i == body.size()) Fail(prop, "unterminated string");
      units += ParseEscape(prop, body, i);
    } else if (c == '"') {
      Fail(prop, "text after the closing quote");
    } else if (static_cast<unsigned char>(c) < kFirstPlainChar ||
               static_cast<unsigned char>(c) > kLastPlainChar) {
      Fail(prop, "character to be escaped");
    } else {
      units += static_cast<wchar_t>(c);
    }
  }
  return units;
}

std::wstring UnitsOfBytes(const std::string& bytes) {
  std::wstring units;
  for (const char c : bytes) units += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return units;
}

std::string BytesOfUnits(const TPropInfo& prop, const std::wstring& units) {
  std::string bytes;
  for (const wchar_t unit : units) {
    if (unit > kLastNarrowUnit) Fail(prop, "character out of range");
    bytes += static_cast<char>(unit);
  }
  return bytes;
}

int FindName(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], name)) return static_cast<int>(i);
  return -1;
}

std::int64_t ParseInteger(const TPropInfo& prop, std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) Fail(prop, "value out of range");
  if (error != std::errc() || end != text.data() + text.size()) Fail(prop, "integer expected");
  return value;
}

std::int64_t ParseSet(const TPropInfo& prop, std::string_view text) {
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') Fail(prop, "set expected");
  std::string_view rest = Trim(text.substr(1, text.size() - 2));
  std::int64_t bits = 0;
  while (!rest.empty()) {
    const auto comma = rest.find(',');
    const std::string_view element = Trim(rest.substr(0, comma));
    if (element.empty()) Fail(prop, "set element expected");
    const int bit = FindName(prop.ValueNames, element);
    if (bit < 0) Fail(prop, "unknown set element " + std::string(element));
    bits |= std::int64_t{1} << bit;
    if (comma == std::string_view::npos) break;
    rest = rest.substr(comma + 1);
    if (Trim(rest).empty()) Fail(prop, "set element expected");
  }
  return bits;
}

std::int64_t ParseOrdinal(const TPropInfo& prop, std::string_view text) {
  switch (prop.Kind) {
    case tkInteger: return ParseInteger(prop, text);
    case tkSet: return ParseSet(prop, text);
    default: break;
  }
  const int index = FindName(prop.ValueNames, text);
  if (index < 0) Fail(prop, "unknown value " + std::string(text));
  return index;
}

std::string SetText(const TPropInfo& prop, std::int64_t bits) {
  std::string out = "[";
  for (std::size_t bit = 0; bit < prop.ValueNames.size(); ++bit) {
    if ((bits >> bit & 1) == 0) continue;
    if (out.size() > 1) out += ", ";
    out += prop.ValueNames[bit];
  }
  return out + "]";
}

std::string OrdinalText(const TPropInfo& prop, std::int64_t value) {
  switch (prop.Kind) {
    case tkInteger: return IntToStr(value);
    case tkSet: return SetText(prop, value);
    default: break;
  }
  if (value < 0 || value >= static_cast<std::int64_t>(prop.ValueNames.size()))
    Fail(prop, "value out of range");
  return prop.ValueNames[static_cast<std::size_t>(value)];
}

void CheckRange(const TPropInfo& prop, std::int64_t value) {
  if (value < prop.MinValue || value > prop.MaxValue) Fail(prop, "value out of range");
}

}  // namespace

void RegisterProperties(TClass cls, std::vector<TPropInfo> table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::string& name = table[i].Name;
    for (std::size_t j = 0; j < i; ++j)
      if (SameText(table[j].Name, name)) throw EPropertyError(name + ": published twice");
    if (FindProperty(cls->Parent, name) != nullptr)
      throw EPropertyError(name + ": already published by an ancestor");
  }
  for (TClassTable& entry : Tables())
    if (entry.Class == cls) {
      entry.Properties = std::move(table);
      return;
    }
  Tables().push_back({cls, std::move(table)});
}

std::vector<const TPropInfo*> GetPropList(TClass cls) {
  std::vector<const TPropInfo*> list;
  if (cls == nullptr) return list;
  list = GetPropList(cls->Parent);
  if (const auto* own = OwnTable(cls))
    for (const TPropInfo& prop : *own) list.push_back(&prop);
  return list;
}

const TPropInfo* FindProperty(TClass cls, std::string_view name) {
  for (TClass c = cls; c != nullptr; c = c->Parent)
    if (const auto* own = OwnTable(c))
      for (const TPropInfo& prop : *own)
        if (SameText(prop.Name, name)) return &prop;
  return nullptr;
}

std::int64_t GetOrdProp(const TObject& object, std::string_view name) {
  const TPropInfo& prop = Require(object, name);
  RequireKind(prop, IsOrdinalKind(prop.Kind), "an ordinal");
  return prop.GetOrdinal(object);
}

void SetOrdProp(TObject& object, std::string_view name, std::int64_t value) {
  const TPropInfo& prop = Require(object, name);
  RequireKind(prop, IsOrdinalKind(prop.Kind), "an ordinal");
  CheckRange(prop, value);
  prop.SetOrdinal(object, value);
}

namespace {

// A narrow or wide string property: either converts to the other on access.
const TPropInfo& RequireString(const TObject& object, std::string_view name) {
  const TPropInfo& prop = Require(object, name);
  RequireKind(prop, prop.Kind == tkString || prop.Kind == tkWString, "a string");
  return prop;
}

}  // namespace

std::string GetStrProp(const TObject& object, std::string_view name) {
  const TPropInfo& prop = RequireString(object, name);
  return prop.Kind == tkString ? prop.GetString(object) : AnsiFromWide(prop.GetWide(object));
}

void SetStrProp(TObject& object, std::string_view name, const std::string& value) {
  const TPropInfo& prop = RequireString(object, name);
  if (prop.Kind == tkString)
    prop.SetString(object, value);
  else
    prop.SetWide(object, WideFromAnsi(value));
}

std::wstring GetWideStrProp(const TObject& object, std::string_view name) {
  const TPropInfo& prop = RequireString(object, name);
  return prop.Kind == tkWString ? prop.GetWide(object) : WideFromAnsi(prop.GetString(object));
}

void SetWideStrProp(TObject& object, std::string_view name, const std::wstring& value) {
  const TPropInfo& prop = RequireString(object, name);
  if (prop.Kind == tkWString)
    prop.SetWide(object, value);
  else
    prop.SetString(object, AnsiFromWide(value));
}

std::string GetPropText(const TObject& object, const TPropInfo& prop) {
  switch (prop.Kind) {
    case tkString: return Quote(UnitsOfBytes(prop.GetString(object)));
    case tkWString: return Quote(prop.GetWide(object));
    default: return OrdinalText(prop, prop.GetOrdinal(object));
  }
}

void SetPropText(TObject& object, const TPropInfo& prop, std::string_view text) {
  text = Trim(text);
  switch (prop.Kind) {
    case tkString: return prop.SetString(object, BytesOfUnits(prop, Unquote(prop, text)));
    case tkWString: return prop.SetWide(object, Unquote(prop, text));
    default: break;
  }
  const std::int64_t value = ParseOrdinal(prop, text);
  CheckRange(prop, value);
  prop.SetOrdinal(object, value);
}

std::string GetPropText(const TObject& object, std::string_view name) {
  return GetPropText(object, Require(object, name));
}

void SetPropText(TObject& object, std::string_view name, std::string_view text) {
  SetPropText(object, Require(object, name), text);
}

}  // namespace tk
