#pragma once

// The skinners of the toolkit's controls. Linking the unit registers them with the engine's
// toolkit skinner table while the program starts.
#include "skin/controls/SkinButton.h"
