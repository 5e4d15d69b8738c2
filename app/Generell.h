// Shared routines of the whole game, gathered for the application shell: the process-wide state,
// the game's folders, the geometry helpers of the map, the flood fill and picture preparation.
// Each lives in its own layer; code below the shell includes the header it needs.
#pragma once

#include "map/Geometry.h"
#include "platform/FloodFill.h"
#include "platform/GameState.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"
