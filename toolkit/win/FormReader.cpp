#include "FormReader.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Properties.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/SysUtils.h"

namespace tk {

namespace {

// Deeper nesting than any form needs is taken as damage, before it can exhaust the stack.
constexpr int kMaxObjectDepth = 32;
constexpr std::size_t kHexBytesPerLine = 32;
constexpr std::string_view kObjectKeyword = "object";
constexpr std::string_view kEndKeyword = "end";
constexpr std::string_view kCommentStart = "//";
constexpr std::string_view kBinaryOpen = "{";
constexpr std::string_view kBinaryClose = "}";
constexpr std::string_view kIndent = "  ";
constexpr char kHexDigits[] = "0123456789ABCDEF";

struct TClassEntry {
  TClass Class;
  TComponentFactory Factory;
};

std::vector<TClassEntry>& Classes() {
  static std::vector<TClassEntry> classes;
  return classes;
}

const TClassEntry* FindEntry(std::string_view name) {
  for (const TClassEntry& entry : Classes())
    if (SameText(entry.Class->Name, name)) return &entry;
  return nullptr;
}

bool IsIdentifier(std::string_view text) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (text.empty() || !letter(text.front())) return false;
  for (const char c : text)
    if (!letter(c) && !digit(c)) return false;
  return true;
}

[[noreturn]] void Fail(int line, const std::string& message) {
  throw EReadError("line " + IntToStr(line) + ": " + message);
}

struct TLine {
  std::string_view Text;
  int Number = 0;
};

// The lines of a description that carry something, trimmed and numbered from 1; blank
// lines and comment lines are passed over.
class TLineSource {
 public:
  explicit TLineSource(std::string_view text) : text_(text) {}

  bool Next(TLine& line) {
    while (pos_ < text_.size()) {
      const auto end = std::min(text_.find('\n', pos_), text_.size());
      std::string_view raw = text_.substr(pos_, end - pos_);
      pos_ = end + 1;
      ++number_;
      if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
      raw = Trim(raw);
      if (raw.empty() || raw.starts_with(kCommentStart)) continue;
      line = TLine{raw, number_};
      return true;
    }
    return false;
  }
  int LastNumber() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

bool IsObjectLine(std::string_view text) {
  return text.starts_with(kObjectKeyword) && text.size() > kObjectKeyword.size() &&
         (text[kObjectKeyword.size()] == ' ' || text[kObjectKeyword.size()] == '\t');
}

struct THeader {
  std::string_view Name;
  std::string_view ClassName;
};

THeader ParseHeader(const TLine& line) {
  const std::string_view rest = line.Text.substr(kObjectKeyword.size());
  const auto colon = rest.find(':');
  if (colon == std::string_view::npos) Fail(line.Number, "object line without : class");
  const THeader header{Trim(rest.substr(0, colon)), Trim(rest.substr(colon + 1))};
  if (!IsIdentifier(header.Name)) Fail(line.Number, "object name expected");
  if (!IsIdentifier(header.ClassName)) Fail(line.Number, "class name expected");
  return header;
}

const TDefinedProperty* FindDefined(const std::vector<TDefinedProperty>& defined,
                                    std::string_view name) {
  for (const TDefinedProperty& prop : defined)
    if (SameText(prop.Name, name)) return &prop;
  return nullptr;
}

// A defined property's bytes, read while the object's published properties are.
struct TPendingValue {
  const TDefinedProperty* Prop;
  std::vector<std::uint8_t> Bytes;
};

class TFormParser {
 public:
  explicit TFormParser(std::string_view text) : lines_(text) {}

  std::unique_ptr<TComponent> Read() {
    TLine line;
    if (!lines_.Next(line)) Fail(std::max(lines_.LastNumber(), 1), "object expected");
    if (!IsObjectLine(line.Text)) Fail(line.Number, "object expected");
    std::unique_ptr<TComponent> root(Create(line, nullptr));
    ReadBody(*root, line, 1);
    if (lines_.Next(line)) Fail(line.Number, "text after the end of the root object");
    for (TComponent* component : created_) component->Loaded();
    return root;
  }

  // The root is given: the description's root object must name its class. What was made
  // below it is freed again when the text is damaged.
  void ReadInto(TComponent& root) {
    TLine line;
    if (!lines_.Next(line)) Fail(std::max(lines_.LastNumber(), 1), "object expected");
    if (!IsObjectLine(line.Text)) Fail(line.Number, "object expected");
    const THeader header = ParseHeader(line);
    if (!SameText(header.ClassName, root.ClassName()))
      Fail(line.Number,
           "description of " + std::string(header.ClassName) + " read into " + root.ClassName());
    root.BeginLoading();
    root.SetName(std::string(header.Name));
    created_.push_back(&root);
    try {
      ReadBody(root, line, 1);
      if (lines_.Next(line)) Fail(line.Number, "text after the end of the root object");
    } catch (...) {
      for (auto it = created_.rbegin(); it != created_.rend() - 1; ++it) delete *it;
      root.EndLoading();
      throw;
    }
    for (TComponent* component : created_) component->Loaded();
  }

 private:
  TComponent* Create(const TLine& line, TComponent* owner) {
    const THeader header = ParseHeader(line);
    const TClassEntry* entry = FindEntry(header.ClassName);
    if (entry == nullptr) Fail(line.Number, "unknown class " + std::string(header.ClassName));
    TComponent* component = entry->Factory(owner);
    component->BeginLoading();
    component->SetName(std::string(header.Name));
    created_.push_back(component);
    return component;
  }

  void ReadChild(TComponent& container, const TLine& line, int depth) {
    if (depth > kMaxObjectDepth) Fail(line.Number, "objects nested too deeply");
    TComponent* child = Create(line, created_.front());
    if (child->HasParent()) {
      try {
        child->SetParentComponent(&container);
      } catch (const EReadError& e) {
        Fail(line.Number, e.Message());
      }
    }
    ReadBody(*child, line, depth);
  }

  // Properties up to the first child object or the end; the defined ones are read when the
  // published ones are done.
  void ReadBody(TComponent& object, const TLine& header, int depth) {
    std::vector<TDefinedProperty> defined;
    object.DefineProperties(defined);
    std::vector<TPendingValue> pending;
    bool inChildren = false;
    TLine line;
    while (lines_.Next(line)) {
      const bool isEnd = line.Text == kEndKeyword;
      if (!inChildren && (isEnd || IsObjectLine(line.Text))) {
        for (const TPendingValue& value : pending) value.Prop->Read(value.Bytes);
        inChildren = true;
      }
      if (isEnd) return;
      if (IsObjectLine(line.Text))
        ReadChild(object, line, depth + 1);
      else if (inChildren)
        Fail(line.Number, "property after child objects");
      else
        ReadProperty(object, line, defined, pending);
    }
    Fail(header.Number, "object " + std::string(ParseHeader(header).Name) + " has no end");
  }

  void ReadProperty(TComponent& object, const TLine& line,
                    const std::vector<TDefinedProperty>& defined,
                    std::vector<TPendingValue>& pending) {
    const auto equals = line.Text.find('=');
    if (equals == std::string_view::npos) Fail(line.Number, "Name = value expected");
    const std::string_view name = Trim(line.Text.substr(0, equals));
    const std::string_view value = Trim(line.Text.substr(equals + 1));
    if (!IsIdentifier(name)) Fail(line.Number, "property name expected");
    const std::string nameText(name);
    if (value.empty()) Fail(line.Number, nameText + ": value expected");
    const TPropInfo* published = FindProperty(object, name);
    const TDefinedProperty* binary = FindDefined(defined, name);
    if (published == nullptr && binary == nullptr)
      Fail(line.Number, "unknown property " + nameText + " of " + object.ClassName());
    if (value == kBinaryOpen) {
      if (binary == nullptr) Fail(line.Number, nameText + ": not a binary property");
      pending.push_back({binary, ReadHexBlock(line, nameText)});
      return;
    }
    if (published == nullptr) Fail(line.Number, nameText + ": binary block expected");
    try {
      SetPropText(object, *published, value);
    } catch (const EPropertyError& e) {
      Fail(line.Number, e.Message());
    }
  }

  std::vector<std::uint8_t> ReadHexBlock(const TLine& start, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    TLine line;
    while (lines_.Next(line)) {
      if (line.Text == kBinaryClose) return bytes;
      for (const char c : line.Text)
        if (HexDigitValue(c) < 0) Fail(line.Number, name + ": hex digits or } expected");
      if (line.Text.size() % 2 != 0) Fail(line.Number, name + ": odd number of hex digits");
      for (std::size_t i = 0; i < line.Text.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(HexDigitValue(line.Text[i]) << 4 |
                                                  HexDigitValue(line.Text[i + 1])));
    }
    Fail(start.Number, name + ": binary block has no end");
  }

  TLineSource lines_;
  // Every object made so far, root first, in the order they are told Loaded.
  std::vector<TComponent*> created_;
};

class TFormWriter {
 public:
  explicit TFormWriter(TComponent& root) : root_(root) {}

  std::string Write() {
    WriteObject(root_, 0);
    return std::move(out_);
  }

 private:
  // A component that has a parent sits in its parent's object, any other in the root's.
  TComponent* Container(const TComponent& component) const {
    return component.HasParent() ? component.GetParentComponent() : &root_;
  }

  // What the object keeps in its own order first, then the root's components that sit in it.
  std::vector<TComponent*> Children(const TComponent& object) const {
    std::vector<TComponent*> children;
    object.GetChildren(children);
    for (int i = 0; i < root_.ComponentCount(); ++i) {
      TComponent* component = root_.Components(i);
      if (Container(*component) == &object &&
          std::find(children.begin(), children.end(), component) == children.end())
        children.push_back(component);
    }
    return children;
  }

  void Line(int depth, std::string_view text) {
    for (int i = 0; i < depth; ++i) out_ += kIndent;
    out_ += text;
    out_ += '\n';
  }

  void WriteObject(TComponent& object, int depth) {
    Line(depth, std::string(kObjectKeyword) + " " + object.Name() + ": " + object.ClassName());
    for (const TPropInfo* prop : GetPropList(object.ClassType()))
      if (prop->Stored) Line(depth + 1, prop->Name + " = " + GetPropText(object, *prop));
    std::vector<TDefinedProperty> defined;
    object.DefineProperties(defined);
    for (const TDefinedProperty& prop : defined)
      if (prop.Write)
        if (const auto bytes = prop.Write()) WriteHexBlock(depth + 1, prop.Name, *bytes);
    for (TComponent* child : Children(object)) WriteObject(*child, depth + 1);
    Line(depth, kEndKeyword);
  }

  void WriteHexBlock(int depth, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    Line(depth, name + " = " + std::string(kBinaryOpen));
    for (std::size_t start = 0; start < bytes.size(); start += kHexBytesPerLine) {
      std::string hex;
      for (std::size_t i = start; i < std::min(start + kHexBytesPerLine, bytes.size()); ++i) {
        hex += kHexDigits[bytes[i] >> 4];
        hex += kHexDigits[bytes[i] & 0xF];
      }
      Line(depth + 1, hex);
    }
    Line(depth, kBinaryClose);
  }

  TComponent& root_;
  std::string out_;
};

}  // namespace

void RegisterComponentClass(TClass cls, TComponentFactory factory) {
  for (TClassEntry& entry : Classes()) {
    if (entry.Class == cls) {
      entry.Factory = factory;
      return;
    }
    if (SameText(entry.Class->Name, cls->Name))
      throw Exception(std::string("another class is registered as ") + cls->Name);
  }
  Classes().push_back({cls, factory});
}

TClass FindComponentClass(std::string_view name) {
  const TClassEntry* entry = FindEntry(name);
  return entry != nullptr ? entry->Class : nullptr;
}

std::unique_ptr<TComponent> ReadComponent(std::string_view text) {
  return TFormParser(text).Read();
}

void ReadComponentInto(TComponent& root, std::string_view text) {
  TFormParser(text).ReadInto(root);
}

std::string WriteComponent(TComponent& root) {
  return TFormWriter(root).Write();
}

}  // namespace tk
