#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Component.h"

namespace tk {

// Stored form descriptions travel inside the executable as RCDATA resources, one for each
// form class, named by the class name in upper case (orv_form_resources in the build makes
// them from the Name.form files).

// The bytes of the RCDATA resource name of module (null: the running executable), exactly as
// many as the resource holds, or nothing when the module has no such resource. Resource names
// ignore case; a name that is empty, holds anything but printable ASCII or starts with "#" (a
// numeric resource id) names no resource.
std::optional<std::string> LoadResourceText(HMODULE module, std::string_view name);

// The name of the resource that holds the stored description of className.
std::string FormResourceName(std::string_view className);
// The running executable holds a stored description of className.
bool HasFormResource(std::string_view className);

// Creates the tree that the running executable's resource name describes, as ReadComponent
// does. Raises EReadError "Resource NAME not found" when there is no such resource, and
// ReadComponent's errors when its text is damaged.
std::unique_ptr<TComponent> ReadComponentResource(std::string_view name);

}  // namespace tk
