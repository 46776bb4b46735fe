// Game initialisation, before the main loop and after every window/full-screen switch.
#pragma once

void initGame();
// How often initGame has run; 0 makes the next run a first one again (tests).
extern int InitGameRuns;
