#pragma once

#include "Messages.h"
#include "toolkit/core/Object.h"

namespace tk {

// A method pointer for message handlers: the object and the code to call on it. Two are
// equal when both halves are, so whoever replaces a control's WindowProc can keep the old
// value, compare it and put it back. The code half is one small function per bound member,
// which makes any member of any TObject class storable in the same type.
class TWndMethod {
 public:
  using TCode = void (*)(TObject* object, TMessage& message);

  TWndMethod() = default;

  // The member Method of object, e.g. TWndMethod::Of<&TSkinner::Handle>(this). A virtual
  // member is dispatched on the object's class at each call.
  template <auto Method, typename T>
  static TWndMethod Of(T* object) {
    return TWndMethod(static_cast<TObject*>(object), &Call<T, Method>);
  }

  TObject* Object() const { return object_; }
  TCode Code() const { return code_; }
  explicit operator bool() const { return code_ != nullptr; }
  void operator()(TMessage& message) const {
    if (code_ != nullptr) code_(object_, message);
  }
  friend bool operator==(const TWndMethod&, const TWndMethod&) = default;

 private:
  TWndMethod(TObject* object, TCode code) : object_(object), code_(code) {}

  template <typename T, auto Method>
  static void Call(TObject* object, TMessage& message) {
    (static_cast<T*>(object)->*Method)(message);
  }

  TObject* object_ = nullptr;
  TCode code_ = nullptr;
};

}  // namespace tk
