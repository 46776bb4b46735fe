// Watching a demo in the window: the game is set back to its start and fed the demo's
// keys as the replay feeds a script, while the watching screen (an own screen) takes the
// player's keys: Space pauses, Right and Left step a frame while paused, Up and Down
// change the speed (1/4x to 8x), Page Up and Page Down jump 5 seconds, Home goes to the
// start, Esc leaves. Jumps play on from the nearest of the game states kept every two
// seconds. Leaving puts the game back as it was.
#pragma once

#include "demo/replay_script.h"

// Registers the watching screen (once, from installDemos).
void installDemoWatching();
// Starts watching a demo file; false (with one line on standard error) when it cannot
// be read or its course is not here. With anyKeyLeaves (the attract loop) every key
// leaves instead of controlling.
bool watchDemoFile(const char* path, int anyKeyLeaves = 0);
// Called when a watched demo has played to its end (the attract loop moves on); null
// keeps the last frame until a key.
void setDemoEndHandler(void (*onEnd)());
bool watchingDemo();
void stopWatchingDemo();

// For tests: the demo iteration shown and the controls as functions.
int watchedFrame();
void watchKey(int scanCode);
void watchAdvance();  // what one main-loop iteration does while watching
