// A test ride of the editor's course: the live game is kept, the course in memory is
// chosen, and a run starts from its top with the player's rider. While it is on, the
// demo recorder is paused and, the course having no file, the run keeps no records. Its
// end (Esc, or any end of the run) puts the live game back exactly as it was.
#pragma once

#include "base/math3d.h"

// Starts the ride on size bytes of course text, which stay unchanged until it ends, from
// the top of the course, or with fromTile > 0 from that tile: the tiles before it are
// left out of the ride and the rider stands at eye, the pose entering it.
void beginTestRide(const char* text, int size, int fromTile, const Matrix4& eye);
// 1 while a test ride is on.
int testRideOn();
// Ends it; returns the tile the rider was on (0 for the first).
int endTestRide();
