#pragma once

#include <string>
#include <vector>

#include "Object.h"

namespace tk {

// Unsorted list of strings, each with an optional borrowed object. Lines keep insertion
// order, duplicates are allowed, and every lookup ignores letter case and finds the first match.
// Lines of the form NAME=VALUE are reached by name through IndexOfName and Values.
class TStringList : public TObject {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  int Add(const std::string& text) { return AddObject(text, nullptr); }
  int AddObject(const std::string& text, TObject* object);
  void Delete(int index);
  void Clear() { items_.clear(); }

  const std::string& Strings(int index) const { return items_.at(index).text; }
  TObject* Objects(int index) const { return items_.at(index).object; }

  int IndexOf(const std::string& text) const;
  int IndexOfName(const std::string& name) const;
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  // The value of the first line named name, or "" when there is none.
  std::string Values(const std::string& name) const;

 private:
  struct Item {
    std::string text;
    TObject* object;
  };
  std::vector<Item> items_;
};

}  // namespace tk
