// The attract loop: after 30 seconds on the intro without a key, the shipped demos (the
// data folder's demos/*.tgdemo) play one after another until a key is pressed; then the
// intro again. The window program only.
#pragma once

void installAttractLoop();
// At the end of every main-loop iteration.
void attractIteration();
// A key reached the game (installDemos tells): the wait starts again.
void attractNoteKey();
bool attractLoopPlaying();
