#pragma once

namespace tk {

// What the toolkit knows of a class at run time: its name and its parent's description. A
// registry keyed by class can walk Parent to match derived classes.
struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;

  constexpr bool InheritsFrom(const TClassInfo* ancestor) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
      if (c == ancestor) return true;
    return false;
  }
};

// A class reference, as ClassType answers it.
using TClass = const TClassInfo*;

// Root of the toolkit's class tree: every toolkit object is destroyed through it. Classes that
// must be told apart at run time declare themselves with TK_CLASS; the others answer as their
// nearest declared ancestor.
class TObject {
 public:
  static constexpr TClassInfo ClassInfo{"TObject", nullptr};

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  virtual TClass ClassType() const { return &ClassInfo; }
  const char* ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }
  template <typename T>
  bool Is() const {
    return InheritsFrom(&T::ClassInfo);
  }
};

}  // namespace tk

// Declares a class's run-time description; put it first in the class body. The name is the
// class's own, spelled as written.
#define TK_CLASS(Class, ParentClass)                                            \
 public:                                                                        \
  static constexpr ::tk::TClassInfo ClassInfo{#Class, &ParentClass::ClassInfo}; \
  ::tk::TClass ClassType() const override {                                     \
    return &ClassInfo;                                                          \
  }                                                                             \
                                                                                \
 private:
