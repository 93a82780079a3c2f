#pragma once

#include <string>

#include "toolkit/core/Exception.h"
#include "toolkit/win/Component.h"

namespace orv {

// The component name of owner's stored description, which must be of class T.
template <typename T>
T& StoredChild(const tk::TComponent& owner, const char* name) {
  tk::TComponent* component = owner.FindComponent(name);
  if (component == nullptr || !component->Is<T>())
    throw tk::Exception(std::string("The stored form has no ") + name);
  return static_cast<T&>(*component);
}

}  // namespace orv
