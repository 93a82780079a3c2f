#pragma once

#include <string>

#include "tools/skinart/Paint.h"

namespace skinart {

// Lays every bitmap of the skin folder (in manifest order) on one picture for viewing: rows
// of bitmaps on a plain grey ground with a gap between them, everything scaled up.
Picture RenderSheet(const std::string& folder);

}  // namespace skinart
