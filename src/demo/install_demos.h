// The demos in the window program: the recorder of every run, watching, the ghost and
// the attract loop, all wired here: installDemos hands them the keys and calls them every
// iteration after the run watch (menus/run_watch.h). Called once from main before the
// game starts; the replay tool runs without any of it.
#pragma once

void installDemos();
// A demo to watch as soon as the game is up (`tumblegrade --demo FILE`, or a demo file
// opened from a file manager); an absolute path.
void watchDemoAtStart(const char* path);
