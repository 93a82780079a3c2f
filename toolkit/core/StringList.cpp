#include "StringList.h"

#include "SysUtils.h"

namespace tk {

int TStringList::AddObject(const std::string& text, TObject* object) {
  items_.push_back(Item{text, object});
  return Count() - 1;
}

void TStringList::Delete(int index) {
  items_.erase(items_.begin() + index);
}

int TStringList::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(items_[i].text, text)) return i;
  return -1;
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = items_[i].text;
    const auto eq = line.find('=');
    if (eq != std::string::npos && SameText(line.substr(0, eq), name)) return i;
  }
  return -1;
}

std::string TStringList::Names(int index) const {
  const std::string& line = Strings(index);
  const auto eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& line = Strings(index);
  const auto eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStringList::Values(const std::string& name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

}  // namespace tk
