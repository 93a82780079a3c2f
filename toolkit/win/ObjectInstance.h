#pragma once

#include <windows.h>

#include <cstddef>

#include "WndMethod.h"

namespace tk {

// How many object instances may be alive at once.
inline constexpr std::size_t kObjectInstanceCount = 256;

// A window procedure that hands every message to method, for subclassing a window no toolkit
// control owns. The procedure gets no window handle through, so the object keeps its own.
// The procedures come from a fixed pool of ordinary functions rather than generated code;
// when all kObjectInstanceCount are in use this throws EOutOfResources. An empty method
// gets no procedure (null).
WNDPROC MakeObjectInstance(const TWndMethod& method);
// Gives the procedure back to the pool; null and unknown procedures are ignored.
void FreeObjectInstance(WNDPROC instance);

}  // namespace tk
