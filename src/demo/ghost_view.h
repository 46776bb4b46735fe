// The ghost in the race view: the best run's rider at the same step of the ride clock,
// drawn over the finished race view with its depth buffer, so terrain and trees in front
// hide it, as a dithered figure in the palette's nearest to cyan. It only reads the game:
// the ride is the same with the ghost on or off.
#pragma once

#include <cstdint>

#include "display/display.h"

// F7 during a ride; on at start.
void toggleGhost();
void setGhostShown(int shown);
int ghostShown();

// The best demo of this course and rider, if there is one, gives the ghost (its path
// file beside it, when it belongs to that demo); a world run chosen for the course
// (world_ghost.h) comes first. Called as a run starts.
void loadGhostForRun(uint64_t courseHash, const char* rider);
// A ghost path file taken as it is (tumblegrade-replay --ghost); false when unreadable.
bool loadGhostFile(const char* path);
// No ghost.
void dropGhost();
int ghostLoaded();

// The page overlay: draws the ghost when a run is on and a ghost is loaded and shown.
void drawGhost(DisplayContext* page);
