#pragma once

// The skin engine: the engine component with its skin and metric cache, the window hook and
// the skinner registries, and the frame skinners of top-level windows.
#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindow.h"
#include "skin/engine/SkinWindowVCL.h"
