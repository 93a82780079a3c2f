#pragma once

// The skin engine: the engine component with its skin and metric cache, the owner-drawn
// menus, the window hook and the skinner registries, the frame skinners of top-level windows
// and the bases of the control skinners.
#include "skin/engine/SkinControl.h"
#include "skin/engine/SkinControlVCL.h"
#include "skin/engine/SkinControlWnd.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindow.h"
#include "skin/engine/SkinWindowVCL.h"
#include "skin/engine/SkinWindowWnd.h"
